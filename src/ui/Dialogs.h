// What the form model asks of its front end besides messages (base/Notifier.h): the common
// dialogs, the clipboard, the hand-off to Jw_cad and the About box. The window implements
// them with the system's dialogs, vemora-cli with the safe answers, tests with scripted fakes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/Notifier.h"
#include "base/SolidColour.h"

// Colour dialog flags, passed to the system unchanged.
constexpr std::uint32_t kColourRgbInit = 1;   // start on the initial colour
constexpr std::uint32_t kColourFullOpen = 2;  // open with the custom-colour part shown

struct ColourRequest {
    SolidColour initial = kBlack;  // a fresh dialog starts on black
    std::uint32_t flags = 0;
};

class ColourDialog {
public:
    virtual ~ColourDialog() = default;
    // Shows the colour dialog owned by the main form; every dialog starts with sixteen white
    // custom colours (none are kept between dialogs). The picked colour, or nullopt when the
    // user cancels or the dialog fails.
    virtual std::optional<SolidColour> PickColour(const ColourRequest& request) = 0;
};

enum class FileDialogKind { Open, Save };

// File dialog flags, passed to the system unchanged.
constexpr std::uint32_t kFileOverwritePrompt = 0x0002;
constexpr std::uint32_t kFileHideReadOnly = 0x0004;
constexpr std::uint32_t kFileCreatePrompt = 0x2000;

struct FileRequest {
    FileDialogKind kind = FileDialogKind::Open;
    std::string title;        // "表ファイルを開く"
    std::string filter;       // description and pattern pairs joined by "|": "表ファイル (*.JHY)|*.JHY"
    std::uint32_t flags = 0;
    std::string initialName;  // "*.JHY", or empty
    std::string defaultExt;   // appended to a name typed without an extension
};

class FileDialog {
public:
    virtual ~FileDialog() = default;
    // The chosen path (UTF-8), or nullopt when the user cancels or the dialog fails. An
    // empty path counts as cancelled.
    virtual std::optional<std::string> ChooseFile(const FileRequest& request) = 0;
};

class Clipboard {
public:
    virtual ~Clipboard() = default;
    // Empties the clipboard and puts the text on it as Unicode text. False when that failed.
    virtual bool SetText(std::string_view utf8) = 0;
};

class HandOff {
public:
    virtual ~HandOff() = default;
    // Makes the running Jw_cad read the coordinate file that the OK command has just closed.
    // May pump the window's messages while it waits; the model ignores every command until
    // it returns.
    virtual void Run() = 0;
};

class AboutBox {
public:
    virtual ~AboutBox() = default;
    // Shows the About box modally.
    virtual void ShowAbout() = 0;
};

// Everything the model talks to, owned by the front end for the whole run.
struct FormServices {
    Notifier& notifier;
    ColourDialog& colours;
    FileDialog& files;
    Clipboard& clipboard;
    HandOff& handOff;
    AboutBox& about;
};
