#include "host/Handoff.h"

#include <gtest/gtest.h>

#include "host/FakeWindows.h"

namespace {

using Log = std::vector<std::string>;
using Sleeps = std::vector<Ms>;
constexpr WindowHandle kNone = WindowHandle::None;

const std::string kFailureText =
    "座標ファイル読み込みに失敗しました。\r\n"
    "条件設定ツールバーを一度フローティ\r\n"
    "ング表示させ、再度ドッキングさせて、\r\n"
    "再試行してみてください。";

struct JwCadShape {
    const char* barClass = "AfxControlBar42s";
    int bars = 3;
    int toolbarIn = 1;  // which bar holds the 条件設定 toolbar (1-based; 0: none)
    bool dialog = true;
    bool unitButton = true;
    bool readButton = true;
};

// Jw_cad's main window: a view, then control bars each holding a toolbar; the 条件設定 one
// holds the dialog with the coordinate-file buttons.
WindowHandle AddJwCad(FakeWindows& w, const JwCadShape& shape = {}) {
    WindowHandle main = w.Add(kNone, "Afx:00400000:8", "無題 - jw_win", "main");
    w.Add(main, "AfxFrameOrView42s", "", "view");
    for (int i = 1; i <= shape.bars; ++i) {
        WindowHandle bar = w.Add(main, shape.barClass, "", "bar" + std::to_string(i));
        if (i != shape.toolbarIn) {
            w.Add(bar, "ToolbarWindow32", "作図", "drawing toolbar");
            continue;
        }
        WindowHandle toolbar = w.Add(bar, "ToolbarWindow32", "条件設定", "toolbar");
        if (!shape.dialog)
            continue;
        WindowHandle dialog = w.Add(toolbar, "#32770", "", "dialog");
        if (shape.unitButton)
            w.Add(dialog, "Button", "ｍ 単位読書", "unit");  // full-width ｍ, ASCII blank
        w.Add(dialog, "Button", "ファイル書込", "write");
        if (shape.readButton)
            w.Add(dialog, "Button", "ファイル読込", "read");
    }
    return main;
}

const Log kFullHandoff = {
    "send main WM_COMMAND 32895 0",     "send unit WM_LBUTTONDOWN", "send unit WM_LBUTTONUP",
    "post dialog WM_COMMAND 1108 read", "send read WM_LBUTTONDOWN", "send read WM_LBUTTONUP",
};

struct Rig {
    FakeWindows windows;
    RecordingNotifier notifier{windows};
    handoff::Handoff handoff{windows, notifier};
};

}  // namespace

TEST(Handoff, PressesUnitThenReadButton) {
    Rig r;
    AddJwCad(r.windows);
    r.handoff.HandOver();
    EXPECT_EQ(r.windows.log, kFullHandoff);
    EXPECT_EQ(r.windows.sleeps, (Sleeps{Ms(100), Ms(100), Ms(200)}));
    EXPECT_FALSE(r.windows.TimerRunning());
    EXPECT_TRUE(r.notifier.shown.empty());
    EXPECT_FALSE(r.handoff.InProgress());
}

TEST(Handoff, ToolbarInThirdControlBarComesAfterTwoPauses) {
    Rig r;
    AddJwCad(r.windows, {.toolbarIn = 3});
    r.handoff.HandOver();
    EXPECT_EQ(r.windows.log, kFullHandoff);
    EXPECT_EQ(r.windows.sleeps, (Sleeps{Ms(100), Ms(100), Ms(100), Ms(100), Ms(200)}));
}

TEST(Handoff, DialogWithoutSomeButtons) {
    struct Case {
        const char* what;
        JwCadShape shape;
        Log log;
        Sleeps sleeps;
    } cases[] = {
        {"no unit button",
         {.unitButton = false},
         {"send main WM_COMMAND 32895 0", "post dialog WM_COMMAND 1108 read", "send read WM_LBUTTONDOWN",
          "send read WM_LBUTTONUP"},
         {Ms(100), Ms(100), Ms(200)}},
        {"no read button",
         {.readButton = false},
         {"send main WM_COMMAND 32895 0", "send unit WM_LBUTTONDOWN", "send unit WM_LBUTTONUP"},
         {Ms(100), Ms(200)}},
        {"no dialog", {.dialog = false}, {"send main WM_COMMAND 32895 0"}, {Ms(100), Ms(200)}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Rig r;
        AddJwCad(r.windows, c.shape);
        r.handoff.HandOver();
        EXPECT_EQ(r.windows.log, c.log);
        EXPECT_EQ(r.windows.sleeps, c.sleeps);
        EXPECT_TRUE(r.notifier.shown.empty());
        EXPECT_FALSE(r.windows.TimerRunning());
    }
}

TEST(Handoff, JwCadNotRunningAsksToStartIt) {
    Rig r;
    r.windows.Add(kNone, "Notepad", "about jw_win.txt - メモ帳", "notepad");  // holds the word inside only
    r.handoff.HandOver();
    ASSERT_EQ(r.notifier.shown.size(), 1u);
    const Message& m = r.notifier.shown[0];
    EXPECT_EQ(m.text, "jwwを起動してください");
    EXPECT_EQ(m.icon, MessageIcon::Exclamation);
    EXPECT_EQ(m.buttons, MessageButtons::Ok);
    EXPECT_FALSE(m.systemModal);
    EXPECT_EQ(r.windows.log, (Log{"box: jwwを起動してください"}));
    EXPECT_FALSE(r.windows.TimerRunning());
}

TEST(Handoff, AnotherWindowInFrontGetsNothing) {
    Rig r;
    AddJwCad(r.windows);
    r.windows.stealsFront = r.windows.Add(kNone, "Notepad", "メモ帳", "notepad");
    r.handoff.HandOver();
    EXPECT_TRUE(r.windows.log.empty());
    EXPECT_TRUE(r.windows.sleeps.empty());
    EXPECT_FALSE(r.windows.TimerRunning());
}

TEST(Handoff, TitleWordInFrontIsFoundWithoutRegardToCase) {
    Rig r;
    r.windows.At(AddJwCad(r.windows)).caption = "plan.jww - JW_WIN";
    r.handoff.HandOver();
    EXPECT_EQ(r.windows.log, kFullHandoff);
}

TEST(Handoff, ToolbarNotFoundOffersRetry) {
    const std::string noToolbar[] = {"send main WM_COMMAND 32895 0", "box: 座標ファイル読み込みに失敗しました。"};
    {
        SCOPED_TRACE("cancel");
        Rig r;
        AddJwCad(r.windows, {.toolbarIn = 0});
        r.handoff.HandOver();
        ASSERT_EQ(r.notifier.shown.size(), 1u);
        const Message& m = r.notifier.shown[0];
        EXPECT_EQ(m.text, kFailureText);
        EXPECT_EQ(m.icon, MessageIcon::Exclamation);
        EXPECT_EQ(m.buttons, MessageButtons::RetryCancel);
        EXPECT_TRUE(m.systemModal);
        EXPECT_EQ(m.title, "");
        EXPECT_EQ(r.windows.log, (Log{noToolbar[0], noToolbar[1]}));
        // The walk goes on through every sibling after the first bar: 3 bars, 3 pauses.
        EXPECT_EQ(r.windows.sleeps, (Sleeps{Ms(100), Ms(100), Ms(100), Ms(200)}));
        EXPECT_FALSE(r.windows.TimerRunning());
    }
    {
        SCOPED_TRACE("retry after the user docks the toolbar again");
        Rig r;
        WindowHandle main = AddJwCad(r.windows, {.toolbarIn = 0});
        r.notifier.answers = {Answer::Retry};
        r.notifier.whileOpen = [&] {
            WindowHandle bar = r.windows.Add(main, "AfxControlBar42s", "", "bar4");
            WindowHandle toolbar = r.windows.Add(bar, "ToolbarWindow32", "条件設定", "toolbar");
            WindowHandle dialog = r.windows.Add(toolbar, "#32770", "", "dialog");
            r.windows.Add(dialog, "Button", "ファイル読込", "read");
            r.notifier.whileOpen = nullptr;
        };
        r.handoff.HandOver();
        Log expected = {noToolbar[0],
                        noToolbar[1],
                        "send main WM_COMMAND 32895 0",
                        "post dialog WM_COMMAND 1108 read",
                        "send read WM_LBUTTONDOWN",
                        "send read WM_LBUTTONUP"};
        EXPECT_EQ(r.windows.log, expected);
        EXPECT_EQ(r.notifier.shown.size(), 1u);
        EXPECT_FALSE(r.windows.TimerRunning());
    }
}

TEST(Handoff, FailureBoxLeftOpenDoesNotBringASecondOne) {
    Rig r;
    AddJwCad(r.windows, {.toolbarIn = 0});
    // The box's own modal loop keeps processing events while the user reads it.
    r.notifier.whileOpen = [&] {
        r.windows.now += Ms(10000);
        r.windows.PumpOnce();
    };
    r.handoff.HandOver();
    EXPECT_EQ(r.notifier.shown.size(), 1u);
}

TEST(Handoff, WatchdogFiresWhileSlowHandoffPumps) {
    const Log beforeBox = {"send main WM_COMMAND 32895 0", "send unit WM_LBUTTONDOWN", "send unit WM_LBUTTONUP",
                           "box: 座標ファイル読み込みに失敗しました。"};
    const Log outerRest = {"post dialog WM_COMMAND 1108 read", "send read WM_LBUTTONDOWN", "send read WM_LBUTTONUP"};
    for (Answer answer : {Answer::Retry, Answer::Cancel}) {
        SCOPED_TRACE(answer == Answer::Retry ? "retry" : "cancel");
        Rig r;
        WindowHandle main = AddJwCad(r.windows);
        r.windows.At(main).slowSends = {Ms(2500)};  // only the first time
        r.notifier.answers = {answer};
        bool inProgressDuringBox = false;
        r.notifier.whileOpen = [&] { inProgressDuringBox = r.handoff.InProgress(); };
        r.handoff.HandOver();

        Log expected = beforeBox;
        if (answer == Answer::Retry)
            expected.insert(expected.end(), kFullHandoff.begin(), kFullHandoff.end());
        expected.insert(expected.end(), outerRest.begin(), outerRest.end());
        EXPECT_EQ(r.windows.log, expected);
        ASSERT_EQ(r.notifier.shown.size(), 1u);
        EXPECT_EQ(r.notifier.shown[0].text, kFailureText);
        EXPECT_TRUE(r.notifier.shown[0].systemModal);
        EXPECT_TRUE(inProgressDuringBox);
        EXPECT_FALSE(r.handoff.InProgress());
        EXPECT_FALSE(r.windows.TimerRunning());
    }
}

TEST(Handoff, WatchdogNeedsTwoSecondsBeforeThePump) {
    // Jw_cad takes `slow` over its first command; the button pause adds 100 ms before the pump.
    for (auto [slow, boxes] : {std::pair{Ms(1899), 0u}, std::pair{Ms(1900), 1u}}) {
        SCOPED_TRACE(slow.count());
        Rig r;
        r.windows.At(AddJwCad(r.windows)).slowSends = {slow};
        r.handoff.HandOver();
        EXPECT_EQ(r.notifier.shown.size(), boxes);
    }
}

TEST(Handoff, NewerControlBarClassOnlyWithoutTheOldOne) {
    {
        SCOPED_TRACE("only newer bars, a status bar between them: one pause per bar probed");
        Rig r;
        WindowHandle main = AddJwCad(r.windows, {.barClass = "AfxControlBar140su", .bars = 1, .toolbarIn = 0});
        r.windows.Add(main, "msctls_statusbar32", "", "status");
        WindowHandle bar = r.windows.Add(main, "AfxControlBar140su", "", "bar2");
        WindowHandle toolbar = r.windows.Add(bar, "ToolbarWindow32", "条件設定", "toolbar");
        WindowHandle dialog = r.windows.Add(toolbar, "#32770", "", "dialog");
        r.windows.Add(dialog, "Button", "ｍ 単位読書", "unit");
        r.windows.Add(dialog, "Button", "ファイル読込", "read");
        r.handoff.HandOver();
        EXPECT_EQ(r.windows.log, kFullHandoff);
        EXPECT_EQ(r.windows.sleeps, (Sleeps{Ms(100), Ms(100), Ms(100), Ms(200)}));
    }
    {
        SCOPED_TRACE("an old-class bar is walked even when a newer one comes first");
        Rig r;
        WindowHandle main = AddJwCad(r.windows, {.barClass = "AfxControlBar140su", .bars = 1});
        WindowHandle bar = r.windows.Add(main, "AfxControlBar42s", "", "old bar");
        WindowHandle toolbar = r.windows.Add(bar, "ToolbarWindow32", "条件設定", "old toolbar");
        WindowHandle dialog = r.windows.Add(toolbar, "#32770", "", "old dialog");
        r.windows.Add(dialog, "Button", "ファイル読込", "old read");
        r.handoff.HandOver();
        EXPECT_EQ(r.windows.log, (Log{"send main WM_COMMAND 32895 0", "post old dialog WM_COMMAND 1108 old read",
                                      "send old read WM_LBUTTONDOWN", "send old read WM_LBUTTONUP"}));
    }
    {
        SCOPED_TRACE("no control bar: nothing outside Jw_cad is searched");
        Rig r;
        AddJwCad(r.windows, {.bars = 0});
        WindowHandle foreign = r.windows.Add(kNone, "ToolbarWindow32", "条件設定", "foreign toolbar");
        WindowHandle dialog = r.windows.Add(foreign, "#32770", "", "foreign dialog");
        r.windows.Add(dialog, "Button", "ファイル読込", "foreign read");
        r.handoff.HandOver();
        EXPECT_EQ(r.windows.log, (Log{"send main WM_COMMAND 32895 0", "box: 座標ファイル読み込みに失敗しました。"}));
        EXPECT_EQ(r.windows.sleeps, (Sleeps{Ms(200)}));
    }
}

TEST(Handoff, FailedPostIsRetriedUntilItSucceeds) {
    Rig r;
    AddJwCad(r.windows, {.unitButton = false});
    r.windows.failingPosts = 2;
    r.handoff.HandOver();
    EXPECT_EQ(r.windows.log, (Log{"send main WM_COMMAND 32895 0", "failed post dialog WM_COMMAND 1108 read",
                                  "failed post dialog WM_COMMAND 1108 read", "post dialog WM_COMMAND 1108 read",
                                  "send read WM_LBUTTONDOWN", "send read WM_LBUTTONUP"}));
    EXPECT_EQ(r.windows.sleeps, (Sleeps{Ms(100), Ms(100), Ms(100), Ms(100), Ms(200)}));
    EXPECT_EQ(r.windows.pumps, 4);
    EXPECT_TRUE(r.notifier.shown.empty());
}

TEST(Handoff, PostThatNeverSucceedsEndsAfterTheWatchdog) {
    Rig r;
    AddJwCad(r.windows, {.unitButton = false});
    r.windows.failingPosts = 1000;
    r.handoff.HandOver();
    ASSERT_EQ(r.notifier.shown.size(), 1u);
    // 100 ms before the first post, then 100 ms per attempt: the watchdog expires at the 20th.
    EXPECT_EQ(r.windows.failingPosts, 1000 - 20);
    EXPECT_EQ(r.windows.log.back(), "send read WM_LBUTTONUP");
    EXPECT_FALSE(r.handoff.InProgress());
}

TEST(Handoff, CommandsWhilePumpingAreIgnored) {
    Rig r;
    AddJwCad(r.windows);
    int seen = 0;
    r.windows.duringPump = [&] {
        ++seen;
        EXPECT_TRUE(r.handoff.InProgress());
        r.handoff.HandOver();  // a second OK
    };
    r.handoff.HandOver();
    EXPECT_EQ(seen, 2);
    EXPECT_EQ(r.windows.log, kFullHandoff);
    EXPECT_FALSE(r.handoff.InProgress());
    r.windows.duringPump = nullptr;
    r.handoff.HandOver();  // once over, a hand-off runs again
    EXPECT_EQ(r.windows.log.size(), 2 * kFullHandoff.size());
}
