#include "platform/win32/WindowServices.h"

#include "platform/win32/AboutDialog.h"
#include "platform/win32/Clipboard.h"
#include "platform/win32/CommonDialogs.h"

std::optional<SolidColour> WindowServices::PickColour(const ColourRequest& request) {
    return ShowColourDialog(owner_, request.initial, request.flags);
}

std::optional<std::string> WindowServices::ChooseFile(const FileRequest& request) {
    return ShowFileDialog(owner_, request);
}

bool WindowServices::SetText(std::string_view utf8) {
    return SetClipboardText(owner_, utf8);
}

void WindowServices::ShowAbout() {
    ShowAboutDialog(owner_);
}
