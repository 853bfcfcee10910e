// Notifier answered with real message boxes owned by the main window.
#pragma once

#include <windows.h>

#include "base/Notifier.h"

class MessageBoxNotifier : public Notifier {
  public:
    explicit MessageBoxNotifier(HWND owner = nullptr) : owner_(owner) {}
    void SetOwner(HWND owner) { owner_ = owner; }
    Answer Show(const Message& message) override;

  private:
    HWND owner_;
};

// The MessageBoxW style for a message: icon, buttons and modality.
UINT MessageBoxStyle(const Message& message);
// The answer for MessageBoxW's result (0, a failed box, counts as the safe answer:
// Cancel or No where the box offers one, else Ok).
Answer AnswerFromResult(int result, MessageButtons buttons);
