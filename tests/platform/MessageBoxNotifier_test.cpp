#include "platform/win32/MessageBoxNotifier.h"

#include <gtest/gtest.h>

// MessageBoxW returns 0 when it could not show the box: the message gets the safe answer.
TEST(MessageBoxNotifier, AFailedBoxGivesTheSafeAnswer) {
    EXPECT_EQ(AnswerFromResult(IDRETRY, MessageButtons::RetryCancel), Answer::Retry);
    EXPECT_EQ(AnswerFromResult(0, MessageButtons::RetryCancel), Answer::Cancel);
    EXPECT_EQ(AnswerFromResult(0, MessageButtons::YesNo), Answer::No);
    // The hand-off's failure box stays above Jw_cad.
    EXPECT_EQ(MessageBoxStyle({"", MessageIcon::Exclamation, MessageButtons::RetryCancel, "", true}),
              UINT(MB_RETRYCANCEL | MB_ICONEXCLAMATION | MB_SYSTEMMODAL));
}
