// Makes a running Jw_cad read the coordinate file just written: brings its main window to
// the front and presses the "ファイル読込" button of its 条件設定 toolbar by window messages,
// watched by a 2-second timer that offers a retry.
#pragma once

#include "base/Notifier.h"
#include "host/JwWindows.h"

namespace handoff {

class Handoff {
  public:
    Handoff(JwWindows& windows, Notifier& notifier) : windows_(windows), notifier_(notifier) {}
    Handoff(const Handoff&) = delete;
    Handoff& operator=(const Handoff&) = delete;

    // HandOver: hands the complete, closed coordinate file to the running Jw_cad. Shows
    // "jwwを起動してください" when no Jw_cad window exists; returns silently when another
    // window stays in front or the dialog has no read button; shows the system-modal
    // Retry/Cancel failure box when the 条件設定 toolbar is not found or the watchdog expires
    // (2 s, noticed only while it pumps messages), and runs again, nested, on Retry.
    // Ignored while a hand-off is in progress (only the failure box's Retry re-enters).
    void HandOver();

    // True from the start of a hand-off until it returns, nested retries included: commands
    // of the form that arrive while it pumps messages are to be ignored.
    bool InProgress() const { return depth_ > 0; }

  private:
    void Run();
    void PressRead(WindowHandle dialog, WindowHandle readButton);
    void OfferRetry();
    void WatchdogExpired();

    JwWindows& windows_;
    Notifier& notifier_;
    int depth_ = 0;
    int watchdogExpiries_ = 0;
};

}  // namespace handoff
