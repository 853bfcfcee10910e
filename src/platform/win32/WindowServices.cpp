#include "platform/win32/WindowServices.h"

#include "platform/win32/AboutDialog.h"
#include "platform/win32/Clipboard.h"
#include "platform/win32/CommonDialogs.h"

std::optional<SolidColour> WindowServices::PickColour(const ColourRequest& request) {
    return ShowColourDialog(owner_, request.initial, request.flags);
}

std::optional<std::string> WindowServices::ChooseFile(const FileRequest& request) {
    FileDialogRequest dialog{request.title, request.filter, request.initialName, request.defaultExt, request.flags};
    return request.kind == FileDialogKind::Open ? ShowOpenDialog(owner_, dialog) : ShowSaveDialog(owner_, dialog);
}

bool WindowServices::SetText(std::string_view utf8) {
    return SetClipboardText(owner_, utf8).empty();
}

void WindowServices::ShowAbout() {
    ShowAboutDialog(owner_);
}
