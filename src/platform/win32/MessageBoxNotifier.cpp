#include "platform/win32/MessageBoxNotifier.h"

#include "base/Utf16.h"

namespace {
constexpr wchar_t kProgramName[] = L"Vemora";
}

UINT MessageBoxStyle(const Message& message) {
    UINT style = 0;
    switch (message.buttons) {
        case MessageButtons::Ok:
            style |= MB_OK;
            break;
        case MessageButtons::YesNo:
            style |= MB_YESNO;
            break;
        case MessageButtons::RetryCancel:
            style |= MB_RETRYCANCEL;
            break;
    }
    switch (message.icon) {
        case MessageIcon::None:
            break;
        case MessageIcon::Critical:
            style |= MB_ICONSTOP;
            break;
        case MessageIcon::Exclamation:
            style |= MB_ICONEXCLAMATION;
            break;
        case MessageIcon::Information:
            style |= MB_ICONINFORMATION;
            break;
        case MessageIcon::Question:
            style |= MB_ICONQUESTION;
            break;
    }
    style |= message.systemModal ? MB_SYSTEMMODAL : MB_APPLMODAL;
    return style;
}

Answer AnswerFromResult(int result, MessageButtons buttons) {
    switch (result) {
        case IDOK:
            return Answer::Ok;
        case IDYES:
            return Answer::Yes;
        case IDNO:
            return Answer::No;
        case IDRETRY:
            return Answer::Retry;
        case IDCANCEL:
            return Answer::Cancel;
        default:
            break;
    }
    return SafeAnswer(buttons);
}

Answer MessageBoxNotifier::Show(const Message& message) {
    std::wstring title = message.title.empty() ? std::wstring(kProgramName) : utf16::Widen(message.title);
    // A hidden or destroyed owner would leave the box without a parent on the taskbar.
    HWND owner = owner_ && IsWindow(owner_) ? owner_ : nullptr;
    int result = MessageBoxW(owner, utf16::Widen(message.text).c_str(), title.c_str(), MessageBoxStyle(message));
    return AnswerFromResult(result, message.buttons);
}
