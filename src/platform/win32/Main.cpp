// Vemora.exe: the program entry. Chooses the mode from the command line, makes the program
// folder current, runs the form model's load step and then the main window.
#include <windows.h>

#include <commctrl.h>

#include <memory>

#include "base/Utf16.h"
#include "host/Handoff.h"
#include "host/JwRegistry.h"
#include "host/JwWindows_win.h"
#include "platform/win32/Clipboard.h"
#include "platform/win32/MainWindow.h"
#include "platform/win32/MessageBoxNotifier.h"
#include "platform/win32/ProgramPaths.h"
#include "ui/FormModel.h"
#include "ui/Modes.h"

namespace {

// The hand-off over the real windows; its watchdog is a timer of the main form, delivered
// while the hand-off pumps messages.
class WindowHandOff : public HandOff {
  public:
    explicit WindowHandOff(Notifier& notifier) : handoff_(windows_, notifier) {}
    void SetOwner(HWND window) { windows_.SetTimerWindow(window); }
    void Run() override { handoff_.HandOver(); }

  private:
    Win32JwWindows windows_;
    handoff::Handoff handoff_;
};

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCommand) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);

    const std::string folder = ProgramFolder();
    SetCurrentDirectoryW(utf16::Widen(folder).c_str());
    const ModeRecord& mode = SelectMode(ArgumentsAfterProgram(GetCommandLineW()));
    std::unique_ptr<RegistrySource> registry = LiveRegistry();

    MessageBoxNotifier notifier;
    SystemClipboard clipboard;
    WindowHandOff handOff(notifier);
    FormModel model(mode, *registry, FormServices{notifier, clipboard, handOff});
    MainWindow window(model);
    if (!window.Create())
        return 1;
    notifier.SetOwner(window.Handle());
    clipboard.SetOwner(window.Handle());
    handOff.SetOwner(window.Handle());

    // Messages of the load step (a missing TEMP.TXT, ...) come before the form is shown.
    model.Load({.programFolder = folder, .coordinateFolder = "", .showsCheck = true});
    if (model.GetRunState() != RunState::Running)
        return 0;
    window.Show(showCommand);
    return window.RunMessageLoop();
}
