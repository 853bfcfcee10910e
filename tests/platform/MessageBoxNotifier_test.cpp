#include "platform/win32/MessageBoxNotifier.h"

#include <gtest/gtest.h>

TEST(MessageBoxNotifier, StyleCarriesIconButtonsAndModality) {
    struct Case {
        MessageIcon icon;
        MessageButtons buttons;
        bool systemModal;
        UINT style;
    };
    const Case cases[] = {
        {MessageIcon::None, MessageButtons::Ok, false, MB_OK | MB_APPLMODAL},
        {MessageIcon::Critical, MessageButtons::Ok, false, MB_OK | MB_ICONSTOP | MB_APPLMODAL},  // missing TEMP.TXT
        {MessageIcon::Exclamation, MessageButtons::YesNo, false, MB_YESNO | MB_ICONEXCLAMATION | MB_APPLMODAL},
        {MessageIcon::Exclamation, MessageButtons::RetryCancel, true,  // the hand-off's failure box
         MB_RETRYCANCEL | MB_ICONEXCLAMATION | MB_SYSTEMMODAL},
        {MessageIcon::Information, MessageButtons::Ok, false, MB_OK | MB_ICONINFORMATION | MB_APPLMODAL},
        {MessageIcon::Question, MessageButtons::YesNo, false, MB_YESNO | MB_ICONQUESTION | MB_APPLMODAL},
    };
    for (const Case& c : cases) {
        Message message{"text", c.icon, c.buttons, "", c.systemModal};
        EXPECT_EQ(MessageBoxStyle(message), c.style);
    }
}

TEST(MessageBoxNotifier, ResultsBecomeAnswersAndAFailedBoxTheSafeOne) {
    EXPECT_EQ(AnswerFromResult(IDOK, MessageButtons::Ok), Answer::Ok);
    EXPECT_EQ(AnswerFromResult(IDYES, MessageButtons::YesNo), Answer::Yes);
    EXPECT_EQ(AnswerFromResult(IDNO, MessageButtons::YesNo), Answer::No);
    EXPECT_EQ(AnswerFromResult(IDRETRY, MessageButtons::RetryCancel), Answer::Retry);
    EXPECT_EQ(AnswerFromResult(IDCANCEL, MessageButtons::RetryCancel), Answer::Cancel);
    // MessageBoxW returns 0 when it could not show the box.
    EXPECT_EQ(AnswerFromResult(0, MessageButtons::YesNo), Answer::No);
    EXPECT_EQ(AnswerFromResult(0, MessageButtons::RetryCancel), Answer::Cancel);
    EXPECT_EQ(AnswerFromResult(0, MessageButtons::Ok), Answer::Ok);
}
