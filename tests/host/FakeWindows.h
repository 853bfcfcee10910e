// A simulated window system for the hand-off tests: a window tree with Win32's search rules,
// a clock that only sleeps and slow windows move, a timer delivered only by PumpOnce, and a
// log of every message, pause and box, one line each.
#pragma once

#include <algorithm>
#include <chrono>
#include <deque>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "base/Notifier.h"
#include "base/Text.h"
#include "host/Handoff.h"
#include "host/JwWindows.h"

using Ms = std::chrono::milliseconds;

class FakeWindows : public JwWindows {
  public:
    struct Window {
        WindowHandle parent = WindowHandle::None;
        std::string className, caption, name;  // the name is how the log calls it
        Ms slowSend{0};                         // how long the next message sent to it takes
    };

    // Adds a window as the last child of `parent` (None: a top-level window).
    WindowHandle Add(WindowHandle parent, std::string className, std::string caption, std::string name) {
        windows_.push_back({parent, std::move(className), std::move(caption), std::move(name)});
        return static_cast<WindowHandle>(windows_.size());
    }
    Window& At(WindowHandle w) { return windows_[static_cast<std::size_t>(w) - 1]; }

    WindowHandle stealsFront = WindowHandle::None;  // stays in front whatever is activated
    int failingPosts = 0;                           // the next posts that fail
    std::function<void()> duringPump;               // user input arriving while events are processed
    std::string log;  // "send main WM_COMMAND 32895 0", "sleep 100", "post dialog WM_COMMAND 1108 read", ...
    Ms now{0};
    bool timerRunning = false;

    // The best title match among the top-level windows, as platform/win32 picks it.
    bool ActivateByTitle(std::string_view word) override {
        WindowHandle best = WindowHandle::None;
        handoff::TitleMatch bestMatch = handoff::TitleMatch::None;
        for (WindowHandle w : Children(WindowHandle::None))
            if (handoff::TitleMatch match = handoff::MatchTitle(At(w).caption, word); match > bestMatch) best = w, bestMatch = match;
        foreground_ = stealsFront != WindowHandle::None ? stealsFront : best;
        return best != WindowHandle::None;
    }
    WindowHandle Foreground() override { return foreground_; }
    std::string Title(WindowHandle w, int chars) override { return At(w).caption.substr(0, static_cast<std::size_t>(chars - 1)); }
    // Like FindWindowEx: class names in any case, captions exactly.
    WindowHandle FindChild(WindowHandle parent, std::string_view className, std::optional<std::string_view> caption) override {
        for (WindowHandle w : Children(parent))
            if (text::EqualsNoCase(At(w).className, className) && (!caption || At(w).caption == *caption)) return w;
        return WindowHandle::None;
    }
    WindowHandle FindChildByClassPrefix(WindowHandle parent, WindowHandle after, std::string_view prefix) override {
        bool started = after == WindowHandle::None;
        for (WindowHandle w : Children(parent)) {
            if (started && text::StartsWithNoCase(At(w).className, prefix)) return w;
            started = started || w == after;
        }
        return WindowHandle::None;
    }
    WindowHandle NextSibling(WindowHandle window) override {
        std::vector<WindowHandle> siblings = Children(At(window).parent);
        auto at = std::find(siblings.begin(), siblings.end(), window);
        return at + 1 < siblings.end() ? at[1] : WindowHandle::None;
    }
    void Send(WindowHandle window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override {
        log += "send " + Describe(window, message, wParam, lParam);
        now += std::exchange(At(window).slowSend, Ms(0));
    }
    bool Post(WindowHandle window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override {
        const bool fails = failingPosts > 0;
        failingPosts -= fails ? 1 : 0;
        log += (fails ? "failed post " : "post ") + Describe(window, message, wParam, lParam);
        return !fails;
    }
    void Sleep(Ms duration) override {
        log += "sleep " + std::to_string(duration.count()) + "\n";
        now += duration;
    }
    void PumpOnce() override {
        if (duringPump) duringPump();
        if (!timerRunning || now < timerDue_) return;
        timerRunning = false;
        std::function<void()> expired = std::move(expired_);  // the expiry may start it again
        expired();
    }
    void StartTimer(Ms interval, std::function<void()> expired) override {
        timerRunning = true;
        timerDue_ = now + interval;
        expired_ = std::move(expired);
    }
    void StopTimer() override { timerRunning = false; }

  private:
    std::vector<WindowHandle> Children(WindowHandle parent) {
        std::vector<WindowHandle> out;
        for (std::size_t i = 0; i < windows_.size(); ++i)
            if (windows_[i].parent == parent) out.push_back(static_cast<WindowHandle>(i + 1));
        return out;
    }
    std::string Describe(WindowHandle window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
        if (message != kWmCommand) return At(window).name + (message == kWmLButtonDown ? " WM_LBUTTONDOWN\n" : " WM_LBUTTONUP\n");
        const auto l = static_cast<std::size_t>(lParam);
        return At(window).name + " WM_COMMAND " + std::to_string(wParam) + " " +
               (l >= 1 && l <= windows_.size() ? windows_[l - 1].name : std::to_string(lParam)) + "\n";
    }

    std::vector<Window> windows_;
    WindowHandle foreground_ = WindowHandle::None;
    Ms timerDue_{0};
    std::function<void()> expired_;
};

// Logs each box whole (its icon, buttons, modality and whether `handoff` is in progress) and
// answers from `answers`, then with the safe answer.
class LoggingNotifier : public Notifier {
  public:
    explicit LoggingNotifier(FakeWindows& windows) : windows_(windows) {}
    std::deque<Answer> answers;
    std::function<void()> whileOpen;  // what happens while the box waits for the user
    const handoff::Handoff* handoff = nullptr;

    Answer Show(const Message& m) override {
        static const char* const icons[] = {"", "critical ", "exclamation ", "information ", "question "};
        static const char* const buttons[] = {"OK", "Yes/No", "Retry/Cancel"};
        std::string text = m.text;
        for (std::size_t at; (at = text.find("\r\n")) != std::string::npos;) text.replace(at, 2, "\\r\\n");
        windows_.log += "box " + std::string(icons[static_cast<int>(m.icon)]) + buttons[static_cast<int>(m.buttons)] +
                        (m.systemModal ? " system-modal" : "") + (m.title.empty() ? "" : " titled " + m.title) +
                        (handoff && handoff->InProgress() ? " during the hand-off: " : ": ") + text + "\n";
        if (std::function<void()> during = whileOpen) during();  // a copy: it may replace itself
        if (answers.empty()) return SafeAnswer(m.buttons);
        Answer answer = answers.front();
        answers.pop_front();
        return answer;
    }

  private:
    FakeWindows& windows_;
};
