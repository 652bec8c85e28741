// The virtual clock: timers fire in time order, messages posted on the way are
// delivered in order and before the next tick.
#include "headless_test.h"

using namespace plat;

namespace {

class HeadlessClock : public HeadlessTest {
  protected:
    // "window:id@time" for each tick the sinks saw, in order.
    std::vector<std::string> ticks;
    RecordingSink a, b;

    void SetUp() override {
        HeadlessTest::SetUp();
        for (auto* sink : {&a, &b}) {
            const char* name = sink == &a ? "a" : "b";
            sink->onMessage = [this, name](Message& m) {
                if (m.msg == ZM_TIMER)
                    ticks.push_back(std::string(name) + ":" + std::to_string(m.wParam) + "@" +
                                    std::to_string(hl().Now()));
                else
                    ticks.push_back(std::string(name) + ":msg" + std::to_string(m.msg));
            };
        }
    }
};

TEST_F(HeadlessClock, TimersFireInTimeOrderWithTiesInSettingOrder) {
    HWND wa = Form(a), wb = Form(b);
    hl().SetTimer(wb, 2, 300);
    hl().SetTimer(wa, 1, 200);
    hl().SetTimer(wa, 3, 300);
    hl().Advance(650);
    EXPECT_EQ(ticks, (std::vector<std::string>{"a:1@200", "b:2@300", "a:3@300", "a:1@400",
                                               "b:2@600", "a:1@600", "a:3@600"}));
    EXPECT_EQ(hl().Now(), 650u);
}

TEST_F(HeadlessClock, IntervalZeroNeverFiresAndKillStops) {
    HWND wa = Form(a);
    hl().SetTimer(wa, 1, 0);
    hl().SetTimer(wa, 2, 100);
    hl().Advance(250);
    EXPECT_TRUE(hl().KillTimer(wa, 2));
    EXPECT_FALSE(hl().KillTimer(wa, 2));
    hl().Advance(1000);
    EXPECT_EQ(ticks, (std::vector<std::string>{"a:2@100", "a:2@200"}));
}

TEST_F(HeadlessClock, SettingATimerAgainStartsItOver) {
    HWND wa = Form(a);
    hl().SetTimer(wa, 1, 100);
    hl().Advance(90);
    hl().SetTimer(wa, 1, 100);
    hl().Advance(100);
    EXPECT_EQ(ticks, (std::vector<std::string>{"a:1@190"}));
}

TEST_F(HeadlessClock, PostedMessagesComeInOrderAndBeforeTheNextTick) {
    HWND wa = Form(a), wb = Form(b);
    hl().PostMessageA(wb, WM_USER + 1, 0, 0);
    hl().PostMessageA(wa, WM_USER + 2, 0, 0);
    // A tick that posts: its message arrives before the following tick.
    a.onMessage = [this, wb, inner = a.onMessage](Message& m) {
        inner(m);
        if (m.msg == ZM_TIMER) hl().PostMessageA(wb, WM_USER + 3, 0, 0);
    };
    hl().SetTimer(wa, 7, 10);
    hl().SetTimer(wb, 8, 20);
    hl().Advance(20);
    EXPECT_EQ(ticks, (std::vector<std::string>{"b:msg1025", "a:msg1026", "a:7@10", "b:msg1027",
                                               "a:7@20", "b:msg1027", "b:8@20"}));
}

TEST_F(HeadlessClock, ADestroyedWindowGetsNoTicksOrMessages) {
    HWND wa = Form(a);
    hl().SetTimer(wa, 1, 10);
    hl().PostMessageA(wa, WM_USER, 0, 0);
    hl().DestroyWindow(wa);
    hl().Advance(100);
    EXPECT_TRUE(ticks.empty());
    EXPECT_FALSE(hl().SetTimer(wa, 1, 10));
}

}  // namespace
