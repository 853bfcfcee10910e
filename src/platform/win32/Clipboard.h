// The system clipboard: the table text as Unicode text.
#pragma once

#include <windows.h>

#include <string_view>

#include "ui/FormServices.h"

// Empties the clipboard and puts the UTF-8 text on it as CF_UNICODETEXT. False when that failed.
bool SetClipboardText(HWND owner, std::string_view utf8);

// The model's clipboard, opened for the main window once it exists.
class SystemClipboard final : public Clipboard {
  public:
    void SetOwner(HWND owner) { owner_ = owner; }
    bool SetText(std::string_view utf8) override { return SetClipboardText(owner_, utf8); }

  private:
    HWND owner_ = nullptr;
};
