#include "host/Handoff.h"

#include <gtest/gtest.h>

#include "base/File.h"
#include "host/FakeWindows.h"

namespace {

constexpr WindowHandle kNone = WindowHandle::None;

struct Rig;

// Jw_cad as a scenario finds it, and what happens meanwhile.
struct Scenario {
    const char* name;
    const char* title = "無題 - jw_win";
    const char* barClass = "AfxControlBar42s";
    int bars = 3;
    int toolbarIn = 1;  // which bar holds the 条件設定 toolbar (1-based; 0: none)
    bool dialog = true, unitButton = true, readButton = true;
    Ms slowFirstMessage{0};       // how long Jw_cad takes over the first message sent to it
    int failingPosts = 0;         // the posts that fail first
    bool retry = false;           // the answer to the failure box; otherwise Cancel
    void (*more)(Rig&) = nullptr;  // windows added, and what happens while a box is open or events are processed
};

struct Rig {
    FakeWindows windows;
    LoggingNotifier notifier{windows};
    handoff::Handoff handoff{windows, notifier};
    WindowHandle main = kNone;
};

// The 条件設定 toolbar in `bar`: its dialog holds the coordinate-file buttons, among them the
// unit button, which shows the unit the bar reads in now.
void AddConditionToolbar(FakeWindows& w, WindowHandle bar, const Scenario& s = {""}, const std::string& prefix = "") {
    WindowHandle toolbar = w.Add(bar, "ToolbarWindow32", "条件設定", prefix + "toolbar");
    if (!s.dialog) return;
    WindowHandle dialog = w.Add(toolbar, "#32770", "", prefix + "dialog");
    if (s.unitButton) w.Add(dialog, "Button", "ｍ 単位読書", prefix + "unit");  // full-width ｍ, ASCII blank
    w.Add(dialog, "Button", "ファイル書込", prefix + "write");
    if (s.readButton) w.Add(dialog, "Button", "ファイル読込", prefix + "read");
}

// Jw_cad's main window: a view, then control bars each holding a toolbar.
void AddJwCad(Rig& r, const Scenario& s) {
    r.main = r.windows.Add(kNone, "Afx:00400000:8", s.title, "main");
    r.windows.Add(r.main, "AfxFrameOrView42s", "", "view");
    for (int i = 1; i <= s.bars; ++i) {
        WindowHandle bar = r.windows.Add(r.main, s.barClass, "", "bar" + std::to_string(i));
        if (i == s.toolbarIn) AddConditionToolbar(r.windows, bar, s);
        else r.windows.Add(bar, "ToolbarWindow32", "作図", "drawing toolbar");
    }
    r.windows.At(r.main).slowSend = s.slowFirstMessage;
    r.windows.failingPosts = s.failingPosts;
    if (s.retry) r.notifier.answers = {Answer::Retry};
    if (s.more) s.more(r);
}

}  // namespace

// What reaches Jw_cad's windows, the pauses and the boxes, scenario by scenario, and whether the
// hand-off and its timer are over afterwards: tests/data/output/host/handoff.txt.
TEST(Handoff, ScenariosOverTheWindowTree) {
    const Scenario scenarios[] = {
        {.name = "the 条件設定 toolbar in the first of three control bars"},
        {.name = "the toolbar in the third bar", .toolbarIn = 3},
        {.name = "no unit button", .unitButton = false},
        {.name = "no read button", .readButton = false},
        {.name = "no dialog", .dialog = false},
        {.name = "the title word in capitals", .title = "plan.jww - JW_WIN"},
        {.name = "Jw_cad not running: only a window with the word inside its title", .title = "about jw_win.txt - メモ帳"},
        {.name = "another window stays in front",
         .more = [](Rig& r) { r.windows.stealsFront = r.windows.Add(kNone, "Notepad", "メモ帳", "notepad"); }},
        {.name = "no toolbar in any bar: the box, Cancel", .toolbarIn = 0},
        {.name = "no toolbar, Retry after the user docks it again", .toolbarIn = 0, .retry = true,
         .more = [](Rig& r) {
             r.notifier.whileOpen = [&r] {
                 Scenario noUnit{.name = "", .unitButton = false};
                 AddConditionToolbar(r.windows, r.windows.Add(r.main, "AfxControlBar42s", "", "bar4"), noUnit);
                 r.notifier.whileOpen = nullptr;
             };
         }},
        // The box's own modal loop processes events while the user reads it.
        {.name = "no toolbar, the box left open for 10 s", .toolbarIn = 0,
         .more = [](Rig& r) { r.notifier.whileOpen = [&r] { r.windows.now += Ms(10000), r.windows.PumpOnce(); }; }},
        {.name = "Jw_cad busy for 2.5 s with the first message: the watchdog's box, Retry", .slowFirstMessage = Ms(2500),
         .retry = true},
        {.name = "Jw_cad busy for 2.5 s, Cancel", .slowFirstMessage = Ms(2500)},
        // The button pause adds 100 ms before the first pump.
        {.name = "Jw_cad busy for 1899 ms", .slowFirstMessage = Ms(1899)},
        {.name = "Jw_cad busy for 1900 ms", .slowFirstMessage = Ms(1900)},
        {.name = "newer control-bar class only, a status bar between", .barClass = "AfxControlBar140su", .bars = 1,
         .toolbarIn = 0,
         .more = [](Rig& r) {
             r.windows.Add(r.main, "msctls_statusbar32", "", "status");
             AddConditionToolbar(r.windows, r.windows.Add(r.main, "AfxControlBar140su", "", "bar2"));
         }},
        {.name = "an old-class bar is walked even after a newer one", .barClass = "AfxControlBar140su", .bars = 1,
         .more = [](Rig& r) {
             AddConditionToolbar(r.windows, r.windows.Add(r.main, "AfxControlBar42s", "", "old bar"), {""}, "old ");
         }},
        {.name = "no control bar, and a 条件設定 toolbar outside Jw_cad", .bars = 0,
         .more = [](Rig& r) { AddConditionToolbar(r.windows, kNone, {""}, "foreign "); }},
        {.name = "two posts fail", .unitButton = false, .failingPosts = 2},
        {.name = "posts never succeed", .unitButton = false, .failingPosts = 1000},
        {.name = "a second OK while the hand-off pumps",
         .more = [](Rig& r) {
             r.windows.duringPump = [&r] {
                 r.windows.log += r.handoff.InProgress() ? "OK during the hand-off\n" : "OK\n";
                 r.handoff.HandOver();
             };
         }},
    };
    std::string transcript;
    for (const Scenario& s : scenarios) {
        Rig r;
        r.notifier.handoff = &r.handoff;
        AddJwCad(r, s);
        r.handoff.HandOver();
        transcript += "== " + std::string(s.name) + "\n" + r.windows.log + "end" +
                      (r.handoff.InProgress() ? ", in progress" : "") + (r.windows.timerRunning ? ", timer running" : "") +
                      "\n\n";
    }
    EXPECT_EQ(transcript, file::Read(VEMORA_TEST_DATA "/output/host/handoff.txt").value_or("<missing>"));
}

// How a top-level window's title matches the activation word (which window is best is the
// platform's business).
TEST(JwWindows, TitleMatchesWordWholeAtStartOrAtEnd) {
    using enum handoff::TitleMatch;
    const std::pair<const char*, handoff::TitleMatch> cases[] = {
        {"jw_win", Exact},           {"JW_Win", Exact},             {"jw_win - 無題", BeginsWith},
        {"無題 - JW_WIN", EndsWith}, {"メモ - jw_win.txt", None}, {"jw_wi", None}, {"", None}};
    for (auto [title, match] : cases) EXPECT_EQ(handoff::MatchTitle(title, "jw_win"), match) << title;
}
