#include "host/Handoff.h"

#include <functional>
#include <optional>
#include <string>

#include "base/Text.h"

namespace handoff {
namespace {

constexpr std::string_view kTitleWord = "jw_win";
constexpr std::string_view kNotRunningText = "jwwを起動してください";
constexpr int kTitleBufferChars = 250;
constexpr std::uintptr_t kCoordinateFileCommand = 32895;  // WM_COMMAND to the main window first
constexpr std::string_view kControlBarClass = "AfxControlBar42s";
constexpr std::string_view kControlBarClassPrefix = "AfxControlBar";  // newer MFC: "AfxControlBar140su", ...
constexpr std::string_view kToolbarClass = "ToolbarWindow32";
constexpr std::string_view kToolbarCaption = "条件設定";
constexpr std::string_view kDialogClass = "#32770";
constexpr std::string_view kButtonClass = "Button";
constexpr std::string_view kReadButtonCaption = "ファイル読込";
constexpr std::string_view kUnitButtonCaption = "\xEF\xBD\x8D 単位読書";  // full-width ｍ (U+FF4D), ASCII blank
constexpr std::uintptr_t kReadCommand = 1108;  // control 1108, notification 0, posted to the dialog
constexpr std::chrono::milliseconds kBarPause{100};
constexpr std::chrono::milliseconds kButtonPause{100};
constexpr std::chrono::milliseconds kPostPause{100};
constexpr std::chrono::milliseconds kFinalPause{200};
constexpr std::chrono::milliseconds kWatchdogInterval{2000};

bool ContainsNoCase(std::string_view s, std::string_view part) {
    for (std::size_t i = 0; i + part.size() <= s.size(); ++i)
        if (text::StartsWithNoCase(s.substr(i), part))
            return true;
    return false;
}

Message FailureMessage() {
    Message m;
    m.text =
        "座標ファイル読み込みに失敗しました。\r\n"
        "条件設定ツールバーを一度フローティ\r\n"
        "ング表示させ、再度ドッキングさせて、\r\n"
        "再試行してみてください。";
    m.icon = MessageIcon::Exclamation;
    m.buttons = MessageButtons::RetryCancel;
    m.systemModal = true;
    return m;
}

// Probes control bars from `bar` on, pausing before each next one, until one holds the
// 条件設定 toolbar; None when `next` runs out of bars.
WindowHandle ProbeBars(JwWindows& windows, WindowHandle bar, const std::function<WindowHandle(WindowHandle)>& next) {
    while (bar != WindowHandle::None) {
        const WindowHandle toolbar = windows.FindChild(bar, kToolbarClass, kToolbarCaption);
        if (toolbar != WindowHandle::None)
            return toolbar;
        windows.Sleep(kBarPause);
        bar = next(bar);
    }
    return WindowHandle::None;
}

WindowHandle FindConditionToolbar(JwWindows& windows, WindowHandle main) {
    // An MFC 4.2 build: from its first control bar on, every later sibling is probed.
    const WindowHandle bar = windows.FindChild(main, kControlBarClass, std::nullopt);
    if (bar != WindowHandle::None)
        return ProbeBars(windows, bar, [&](WindowHandle b) { return windows.NextSibling(b); });
    // A newer MFC build names its bars after its own version: probe those bars only.
    return ProbeBars(windows, windows.FindChildByClassPrefix(main, WindowHandle::None, kControlBarClassPrefix),
                     [&](WindowHandle b) { return windows.FindChildByClassPrefix(main, b, kControlBarClassPrefix); });
}

void Click(JwWindows& windows, WindowHandle button) {
    windows.Send(button, kWmLButtonDown, 0, 0);
    windows.Send(button, kWmLButtonUp, 0, 0);
}

}  // namespace

void Handoff::HandOver() {
    if (InProgress())
        return;
    Run();
}

void Handoff::Run() {
    struct Depth {
        int& depth;
        explicit Depth(int& d) : depth(d) { ++depth; }
        ~Depth() { --depth; }
    } inProgress(depth_);

    // The watchdog is not running here: it starts below, and is off again before a retry.
    if (!windows_.ActivateByTitle(kTitleWord)) {
        ShowMessage(notifier_, kNotRunningText, MessageIcon::Exclamation);
        return;
    }
    windows_.StartTimer(kWatchdogInterval, [this] { WatchdogExpired(); });

    const WindowHandle main = windows_.Foreground();
    if (!ContainsNoCase(windows_.Title(main, kTitleBufferChars), kTitleWord)) {
        windows_.StopTimer();
        return;
    }
    windows_.Send(main, kWmCommand, kCoordinateFileCommand, 0);

    const WindowHandle toolbar = FindConditionToolbar(windows_, main);
    if (toolbar == WindowHandle::None) {
        // Off while the box is open, so that a box left open does not bring a second one.
        windows_.StopTimer();
        OfferRetry();
    } else {
        const WindowHandle dialog = windows_.FindChild(toolbar, kDialogClass, std::nullopt);
        windows_.Sleep(kButtonPause);
        // Without the dialog there is nothing to look in (and no window to post to).
        if (dialog != WindowHandle::None) {
            const WindowHandle read = windows_.FindChild(dialog, kButtonClass, kReadButtonCaption);
            const WindowHandle unit = windows_.FindChild(dialog, kButtonClass, kUnitButtonCaption);
            // The unit button shows the unit the bar reads in now; one click brings it back to mm.
            if (unit != WindowHandle::None)
                Click(windows_, unit);
            if (read != WindowHandle::None)
                PressRead(dialog, read);
        }
    }
    windows_.Sleep(kFinalPause);
    windows_.StopTimer();
}

void Handoff::PressRead(WindowHandle dialog, WindowHandle read) {
    const int expiriesBefore = watchdogExpiries_;
    windows_.PumpOnce();
    // A failed post is retried until one succeeds, but no longer than until the watchdog has
    // had its say: after its box the user has retried or given up, and a post that keeps
    // failing (Jw_cad gone) would otherwise hang the program.
    bool posted = false;
    do {
        posted = windows_.Post(dialog, kWmCommand, kReadCommand, static_cast<std::intptr_t>(read));
        windows_.PumpOnce();
        windows_.Sleep(kPostPause);
    } while (!posted && watchdogExpiries_ == expiriesBefore);
    Click(windows_, read);
}

void Handoff::OfferRetry() {
    if (notifier_.Show(FailureMessage()) == Answer::Retry)
        Run();
}

void Handoff::WatchdogExpired() {
    // The timer is one-shot: it is off already.
    ++watchdogExpiries_;
    OfferRetry();
}

}  // namespace handoff
