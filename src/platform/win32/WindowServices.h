// The model's dialogs, clipboard and About box answered by the system, owned by the main window.
#pragma once

#include <windows.h>

#include "ui/Dialogs.h"

class WindowServices : public ColourDialog, public FileDialog, public Clipboard, public AboutBox {
  public:
    void SetOwner(HWND owner) { owner_ = owner; }

    std::optional<SolidColour> PickColour(const ColourRequest& request) override;
    std::optional<std::string> ChooseFile(const FileRequest& request) override;
    bool SetText(std::string_view utf8) override;
    void ShowAbout() override;

  private:
    HWND owner_ = nullptr;
};
