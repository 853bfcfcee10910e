// The window-system operations the hand-off to Jw_cad needs, and nothing more: the Win32
// implementation lives in platform/win32, tests use a simulated window tree and clock.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

// A window as the platform knows it; None is "no window". Opaque: only compared and passed on
// (and posted as a message parameter, as Jw_cad's dialog expects the button's window there).
enum class WindowHandle : std::uintptr_t { None = 0 };

// Window messages the hand-off sends (the Windows values, passed through unchanged).
constexpr std::uint32_t kWmCommand = 0x0111;
constexpr std::uint32_t kWmLButtonDown = 0x0201;
constexpr std::uint32_t kWmLButtonUp = 0x0202;

class JwWindows {
  public:
    virtual ~JwWindows() = default;

    // Brings the top-level window whose title matches `word` (see MatchTitle) to the front,
    // restoring it when minimised. False when no visible top-level window matches.
    virtual bool ActivateByTitle(std::string_view word) = 0;

    // The window in front, or None.
    virtual WindowHandle Foreground() = 0;

    // The window's title as a title buffer of `bufferChars` UTF-16 units holds it (at most
    // bufferChars - 1 characters); "" for None or a window without a title.
    virtual std::string Title(WindowHandle window, int bufferChars) = 0;

    // The first child of `parent` of the class (Windows compares class names without regard
    // to ASCII case) and, unless nullopt, with exactly this caption; None when there is none.
    // `parent` must not be None (on Windows that would search the top-level windows).
    virtual WindowHandle FindChild(WindowHandle parent,
                                   std::string_view className,
                                   std::optional<std::string_view> caption) = 0;

    // The first child of `parent` after `after` (None: from the first child) whose class name
    // begins with `prefix` (ASCII case ignored), or None. Needed because finding by class
    // only matches whole class names, and newer MFC builds version their control-bar class.
    virtual WindowHandle FindChildByClassPrefix(WindowHandle parent, WindowHandle after, std::string_view prefix) = 0;

    // The next window in z-order after `window` among its siblings, or None.
    virtual WindowHandle NextSibling(WindowHandle window) = 0;

    // Sends a message and waits until the window's thread has processed it.
    virtual void Send(WindowHandle window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) = 0;

    // Posts a message without waiting; false when it could not be queued.
    virtual bool Post(WindowHandle window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) = 0;

    virtual void Sleep(std::chrono::milliseconds duration) = 0;

    // Processes the events pending for this thread, then returns. The only place where the
    // timer's expiry is delivered.
    virtual void PumpOnce() = 0;

    // Starts the one-shot timer: once `interval` has passed, the next PumpOnce calls
    // `expired` (the timer is off by then). Starting it again restarts it.
    virtual void StartTimer(std::chrono::milliseconds interval, std::function<void()> expired) = 0;
    // Stops the timer if it runs; its expiry is not delivered afterwards.
    virtual void StopTimer() = 0;
};

namespace handoff {

// How a top-level window's title matches the activation word, ASCII letter case ignored.
// When several windows match, a better match wins, then the one nearer the front.
enum class TitleMatch { None, EndsWith, BeginsWith, Exact };
TitleMatch MatchTitle(std::string_view title, std::string_view word);

}  // namespace handoff
