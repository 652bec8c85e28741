// Messages that reach a window's sink other than by a control: posted and sent
// messages, timers, the modal loop, menus and accelerators, closing, Enter and Escape.
#include "win32/window_fixture.h"

namespace zm = plat;
using plat::WindowKind;

namespace {

constexpr plat::UINT kTrayCallback = 1124;

plat::MenuItemSpec Item(plat::UINT id, const std::string& caption, std::uint16_t shortCut = 0,
                        std::vector<plat::MenuItemSpec> items = {}) {
    plat::MenuItemSpec m;
    m.id = id;
    m.caption = caption;
    m.shortCut = shortCut;
    m.items = std::move(items);
    return m;
}

TEST_F(WindowTest, UtilityWindowHearsPostedAndSentMessagesAndCanBeFound) {
    Recorder sink;
    plat::HWND w = MakeUtility(sink, "TZelTestTrayWindow");
    ASSERT_NE(w, 0u);
    EXPECT_EQ(platform().FindWindowA("TZelTestTrayWindow", nullptr), w);
    platform().PostMessageA(w, kTrayCallback, 7, plat::WM_RBUTTONUP);
    Pump();
    ASSERT_EQ(sink.Count(kTrayCallback), 1);
    EXPECT_EQ(sink.Last(kTrayCallback)->lParam, plat::WM_RBUTTONUP);
    sink.answer = 42;  // what the sink answers is what SendMessageA returns
    EXPECT_EQ(platform().SendMessageA(w, plat::WM_USER, 0, 0), 42);
}

TEST_F(WindowTest, TimerDeliversItsIdUntilKilled) {
    Recorder sink;
    plat::HWND w = MakeUtility(sink, "TZelTestTimerWindow");
    ASSERT_TRUE(platform().SetTimer(w, 7, 10));
    platform().RunModalLoop(w, [&] { return sink.Count(zm::ZM_TIMER) >= 2; });
    EXPECT_EQ(sink.Last(zm::ZM_TIMER)->wParam, 7u);
    ASSERT_TRUE(platform().KillTimer(w, 7));
    sink.Clear();
    Pump(5);
    EXPECT_EQ(sink.Count(zm::ZM_TIMER), 0);
}

TEST_F(WindowTest, ModalLoopReturnsWhenDoneAfterAPostedMessage) {
    Recorder formSink, sink;
    plat::HWND form = MakeForm(formSink);
    plat::HWND w = MakeUtility(sink, "TZelTestModalWindow");
    platform().PostMessageA(w, plat::WM_USER + 9, 0, 0);
    platform().RunModalLoop(form, [&] { return sink.Count(plat::WM_USER + 9) > 0; });
    EXPECT_EQ(sink.Count(plat::WM_USER + 9), 1);
}

TEST_F(WindowTest, ModalLoopLeavesTheQuitMessageToTheOuterLoop) {
    Recorder formSink;
    plat::HWND form = MakeForm(formSink);
    platform().PostMessageA(0, native::WM_QUIT, 3, 0);
    platform().RunModalLoop(form, [] { return false; });
    platform().RunMessageLoop();  // returns only because the quit message is still there
}

TEST_F(WindowTest, MenuItemsAndTheirShortCutsReachTheForm) {
    Recorder formSink, editSink;
    plat::HWND form = MakeForm(formSink, plat::BorderStyle::Sizeable);
    auto es = Spec(WindowKind::Edit, "", {8, 8, 200, 30});
    es.tabStop = true;
    plat::HWND edit = Add(form, es, editSink);
    platform().SetMenu(form,
                       {Item(0, "&File", 0, {Item(11, "&Open"), Item(0, "-"), Item(12, "E&xit")}),
                        Item(0, "&Help", 0, {Item(21, "&Contents", plat::VK_F1)})});
    platform().ShowWindow(form, plat::SW_SHOW);
    Pump();

    platform().PostMessageA(form, native::WM_COMMAND, native::kFirstMenuId + 1, 0);  // "E&xit"
    Pump();
    ASSERT_EQ(formSink.Count(zm::ZM_COMMAND), 1);
    EXPECT_EQ(formSink.Last(zm::ZM_COMMAND)->wParam, 12u);

    platform().SetFocus(edit);
    platform().PostMessageA(edit, native::WM_KEYDOWN, plat::VK_F1, 1);
    Pump();
    ASSERT_EQ(formSink.Count(zm::ZM_COMMAND), 2);
    EXPECT_EQ(formSink.Last(zm::ZM_COMMAND)->wParam, 21u);
}

TEST_F(WindowTest, MenuBarMakesTheFrameTaller) {
    plat::POINT plain = platform().FrameSize(plat::BorderStyle::Dialog, false);
    plat::POINT withMenu = platform().FrameSize(plat::BorderStyle::Dialog, true);
    EXPECT_GT(plain.y, plain.x);  // the caption adds to the height only
    EXPECT_GT(withMenu.y, plain.y);
    EXPECT_EQ(withMenu.x, plain.x);
}

TEST_F(WindowTest, CloseBoxAsksTheFormWhichStays) {
    Recorder formSink;
    plat::HWND form = MakeForm(formSink);
    platform().PostMessageA(form, plat::WM_CLOSE, 0, 0);
    Pump();
    EXPECT_EQ(formSink.Count(zm::ZM_CLOSE), 1);
    EXPECT_EQ(platform().FindWindowA("TZelTestForm", "Zelvora test form"), form);
}

TEST_F(WindowTest, EnterPressesTheDefaultAndEscapeClosesADialog) {
    Recorder formSink, editSink;
    plat::HWND form = MakeForm(formSink);
    auto es = Spec(WindowKind::Edit, "", {8, 8, 200, 30});
    es.tabStop = true;
    plat::HWND edit = Add(form, es, editSink);
    platform().ShowWindow(form, plat::SW_SHOW);
    platform().SetFocus(edit);
    platform().PostMessageA(edit, native::WM_KEYDOWN, plat::VK_RETURN, 1);
    Pump();
    EXPECT_EQ(formSink.Count(zm::ZM_DEFAULT), 1);
    platform().PostMessageA(edit, native::WM_KEYDOWN, plat::VK_ESCAPE, 1);
    Pump();
    EXPECT_EQ(formSink.Count(zm::ZM_CLOSE), 1);
    EXPECT_EQ(editSink.Count(zm::ZM_TEXT), 0);  // neither key typed into the edit
}

TEST_F(WindowTest, MovingAFormFromCodeIsNotReported) {
    Recorder formSink;
    plat::HWND form = MakeForm(formSink);
    platform().ShowWindow(form, plat::SW_SHOW);
    platform().MoveWindow(form, {120, 90, 500, 400});
    Pump();
    EXPECT_EQ(formSink.Count(zm::ZM_MOVED), 0);
}

}  // namespace
