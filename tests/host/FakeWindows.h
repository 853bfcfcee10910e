// A simulated window system for the hand-off tests: a window tree with Win32's search rules,
// a clock that only sleeps and slow windows move, a timer delivered only by PumpOnce, and a
// log of every message that reaches a window.
#pragma once

#include <chrono>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "base/Notifier.h"
#include "base/Text.h"
#include "host/JwWindows.h"

using Ms = std::chrono::milliseconds;

class FakeWindows : public JwWindows {
  public:
    struct Window {
        WindowHandle parent = WindowHandle::None;
        std::string className, caption, name;
        std::deque<Ms> slowSends;  // how long each next sent message takes to process
    };

    // Adds a window as the last child of `parent` (None: a top-level window); `name` is how
    // the log calls it.
    WindowHandle Add(WindowHandle parent, std::string className, std::string caption, std::string name) {
        windows_.push_back({parent, std::move(className), std::move(caption), std::move(name), {}});
        return static_cast<WindowHandle>(windows_.size());
    }
    Window& At(WindowHandle w) { return windows_[static_cast<std::size_t>(w) - 1]; }

    // Scenario.
    WindowHandle stealsFront = WindowHandle::None;  // stays in front whatever is activated
    int failingPosts = 0;                           // the next posts that fail
    std::function<void()> duringPump;               // user input arriving while events are processed

    // What happened.
    std::vector<std::string> log;  // "send main WM_COMMAND 32895 0", "post dialog WM_COMMAND 1108 read", ...
    std::vector<Ms> sleeps;
    Ms now{0};
    int pumps = 0;
    bool TimerRunning() const { return timerRunning_; }

    bool ActivateByTitle(std::string_view word) override {
        WindowHandle best = WindowHandle::None;
        handoff::TitleMatch bestMatch = handoff::TitleMatch::None;
        for (WindowHandle w : Children(WindowHandle::None)) {
            handoff::TitleMatch m = handoff::MatchTitle(At(w).caption, word);
            if (m > bestMatch)
                best = w, bestMatch = m;
        }
        if (best == WindowHandle::None)
            return false;
        foreground_ = stealsFront != WindowHandle::None ? stealsFront : best;
        return true;
    }
    WindowHandle Foreground() override { return foreground_; }
    std::string Title(WindowHandle window, int bufferChars) override {
        if (window == WindowHandle::None)
            return "";
        return At(window).caption.substr(0, static_cast<std::size_t>(bufferChars - 1));
    }
    // Like FindWindowEx: class names in any case, captions exactly; a None parent searches
    // the top-level windows.
    WindowHandle FindChild(WindowHandle parent,
                           std::string_view className,
                           std::optional<std::string_view> caption) override {
        for (WindowHandle w : Children(parent))
            if (SameClass(At(w).className, className) && (!caption || At(w).caption == *caption))
                return w;
        return WindowHandle::None;
    }
    WindowHandle FindChildByClassPrefix(WindowHandle parent, WindowHandle after, std::string_view prefix) override {
        bool started = after == WindowHandle::None;
        for (WindowHandle w : Children(parent)) {
            if (started && text::StartsWithNoCase(At(w).className, prefix))
                return w;
            started = started || w == after;
        }
        return WindowHandle::None;
    }
    WindowHandle NextSibling(WindowHandle window) override {
        if (window == WindowHandle::None)
            return WindowHandle::None;
        std::vector<WindowHandle> siblings = Children(At(window).parent);
        for (std::size_t i = 0; i + 1 < siblings.size(); ++i)
            if (siblings[i] == window)
                return siblings[i + 1];
        return WindowHandle::None;
    }
    void Send(WindowHandle window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override {
        log.push_back("send " + Describe(window, message, wParam, lParam));
        if (window == WindowHandle::None)
            return;
        std::deque<Ms>& slow = At(window).slowSends;
        if (!slow.empty())
            now += slow.front(), slow.pop_front();
    }
    bool Post(WindowHandle window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override {
        bool ok = failingPosts == 0;
        if (!ok)
            --failingPosts;
        log.push_back((ok ? "post " : "failed post ") + Describe(window, message, wParam, lParam));
        return ok;
    }
    void Sleep(Ms duration) override {
        sleeps.push_back(duration);
        now += duration;
    }
    void PumpOnce() override {
        ++pumps;
        if (duringPump)
            duringPump();
        if (timerRunning_ && now >= timerDue_) {
            timerRunning_ = false;
            std::function<void()> expired = std::move(expired_);
            expired();
        }
    }
    void StartTimer(Ms interval, std::function<void()> expired) override {
        timerRunning_ = true;
        timerDue_ = now + interval;
        expired_ = std::move(expired);
    }
    void StopTimer() override { timerRunning_ = false; }

  private:
    static bool SameClass(std::string_view a, std::string_view b) {
        return a.size() == b.size() && text::StartsWithNoCase(a, b);
    }
    std::vector<WindowHandle> Children(WindowHandle parent) {
        std::vector<WindowHandle> out;
        for (std::size_t i = 0; i < windows_.size(); ++i)
            if (windows_[i].parent == parent)
                out.push_back(static_cast<WindowHandle>(i + 1));
        return out;
    }
    std::string Describe(WindowHandle window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
        std::string name = window == WindowHandle::None ? "none" : At(window).name;
        switch (message) {
            case kWmLButtonDown:
                return name + " WM_LBUTTONDOWN";
            case kWmLButtonUp:
                return name + " WM_LBUTTONUP";
            case kWmCommand:
                break;
            default:
                return name + " message " + std::to_string(message);
        }
        std::size_t l = static_cast<std::size_t>(lParam);
        std::string lText = l >= 1 && l <= windows_.size() ? windows_[l - 1].name : std::to_string(lParam);
        return name + " WM_COMMAND " + std::to_string(wParam) + " " + lText;
    }

    std::vector<Window> windows_;
    WindowHandle foreground_ = WindowHandle::None;
    bool timerRunning_ = false;
    Ms timerDue_{0};
    std::function<void()> expired_;
};

// Records the boxes, answers them in turn (then Cancel, or OK for an OK box) and notes each in
// the windows' log as "box: <first line>".
class RecordingNotifier : public Notifier {
  public:
    explicit RecordingNotifier(FakeWindows& windows) : windows_(windows) {}
    std::vector<Message> shown;
    std::deque<Answer> answers;
    std::function<void()> whileOpen;  // what happens while the box waits for the user

    Answer Show(const Message& message) override {
        shown.push_back(message);
        windows_.log.push_back("box: " + message.text.substr(0, message.text.find('\r')));
        if (whileOpen)
            whileOpen();
        if (answers.empty())
            return message.buttons == MessageButtons::Ok ? Answer::Ok : Answer::Cancel;
        Answer a = answers.front();
        answers.pop_front();
        return a;
    }

  private:
    FakeWindows& windows_;
};
