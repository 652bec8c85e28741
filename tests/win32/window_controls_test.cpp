// A form with a control of every kind: created, shown, photographed, and driven with
// real messages to the real controls.
#include <cstdlib>
#include <filesystem>

#include "platform/win32/win32.h"
#include "win32/window_fixture.h"

using plat::Glyph;
using plat::WindowKind;
namespace zm = plat;

namespace {

class ControlsTest : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        form = MakeForm(formSink);
        ASSERT_NE(form, 0u);
        Build();
    }

    plat::HWND Glyphed(Glyph g, const std::string& caption, plat::RECT at, bool flat) {
        auto s = Spec(WindowKind::GlyphButton, caption, at);
        s.glyph = g;
        s.flat = flat;
        s.tabStop = !flat;
        return Add(form, s, sink);
    }

    void Build() {
        Add(form, Spec(WindowKind::Label, "Station:", {8, 8, 120, 22}), sink);
        auto ls = Spec(WindowKind::ListBox, "", {8, 24, 200, 160});
        ls.tabStop = true;
        list = Add(form, ls, listSink);
        Add(form, Spec(WindowKind::Label, "Name:", {210, 28, 250, 44}), sink);
        auto es = Spec(WindowKind::Edit, "", {252, 24, 420, 45});
        es.tabStop = true;
        edit = Add(form, es, editSink);
        auto ok = Spec(WindowKind::Button, "OK", {430, 24, 520, 49});
        ok.defaultButton = ok.tabStop = true;
        button = Add(form, ok, buttonSink);
        play = Glyphed(Glyph::Play, "Play", {210, 56, 290, 82}, false);
        Glyphed(Glyph::Add, "Add", {295, 56, 375, 82}, false);
        Glyphed(Glyph::Delete, "Delete", {380, 56, 470, 82}, false);
        int x = 210;
        for (Glyph g :
             {Glyph::Stop, Glyph::Apply, Glyph::Revert, Glyph::Up, Glyph::Down, Glyph::Web}) {
            plat::HWND b = Glyphed(g, "", {x, 88, x + 24, 112}, true);
            if (g == Glyph::Up) flatButton = b;
            x += 28;
        }
        auto cs = Spec(WindowKind::CheckBox, "Play Selected Station", {210, 118, 420, 136});
        cs.tabStop = true;
        check = Add(form, cs, checkSink);
        auto cb = Spec(WindowKind::ComboList, "", {210, 140, 420, 161});
        cb.tabStop = true;
        combo = Add(form, cb, comboSink);
        auto ts = Spec(WindowKind::TrackBar, "", {210, 166, 420, 196});
        ts.rangeMin = 0;
        ts.rangeMax = 10;
        track = Add(form, ts, trackSink);
        tabs = Add(form, Spec(WindowKind::TabControl, "", {8, 200, 250, 330}), sink);
        plat::HWND page = Add(tabs, Spec(WindowKind::Panel, "", {4, 26, 236, 124}), sink);
        Add(page, Spec(WindowKind::Label, "A page of the tab control", {6, 6, 220, 22}), sink);
        pageCheck =
            Add(page, Spec(WindowKind::CheckBox, "On the page", {6, 30, 200, 48}), pageSink);
        rich = Add(form, Spec(WindowKind::RichEdit, "", {260, 200, 520, 330}), sink);
    }

    Recorder formSink, sink, listSink, editSink, buttonSink, checkSink, comboSink, trackSink,
        pageSink;
    plat::HWND form = 0, list = 0, edit = 0, button = 0, play = 0, flatButton = 0, check = 0,
               combo = 0, track = 0, tabs = 0, rich = 0, pageCheck = 0;
};

void SaveScreenshot(plat::HWND form) {
    const char* out = std::getenv("ZEL_TEST_OUTPUT");
    if (!out || !*out) return;
    std::filesystem::create_directories(out);
    auto path = (std::filesystem::path(out) / "win32_controls.bmp").string();
    EXPECT_TRUE(plat::win32::SaveWindowImage(form, path)) << path;
}

TEST_F(ControlsTest, EveryKindIsCreatedShownAndDrawn) {
    for (plat::HWND h : {list, edit, button, play, flatButton, check, combo, track, tabs, rich})
        EXPECT_NE(h, 0u);
    auto& p = platform();
    for (const char* name : {"Radio One", "Jazz & Blues", "News"}) p.ListInsert(list, -1, name);
    for (const char* name : {"Radio One", "Jazz & Blues"}) p.ListInsert(combo, -1, name);
    p.ListSetSelection(list, 1);
    p.ListSetSelection(combo, 0);
    p.SetWindowTextA(edit, "Radio One");
    p.CheckSet(check, true);
    p.TrackSetPosition(track, 7);
    p.TabAdd(tabs, "About");
    p.TabAdd(tabs, "Credits");
    EXPECT_EQ(p.SendMessageA(tabs, native::TCM_GETITEMCOUNT, 0, 0), 2);
    EXPECT_TRUE(
        p.RichSetText(rich, "{\\rtf1 Welcome to {\\b Zelvora}.\\par A small launcher.}", true));
    p.SetFont(button, plat::FontSpec{"MS Sans Serif", 8, true, false});
    p.ShowWindow(form, plat::SW_SHOW);
    p.SetForegroundWindow(form);
    Pump(20);
    SaveScreenshot(form);
    // Setting everything from code told the sinks nothing.
    for (Recorder* r : {&listSink, &editSink, &checkSink, &comboSink, &trackSink}) {
        EXPECT_EQ(r->Count(zm::ZM_SELECT) + r->Count(zm::ZM_TEXT) + r->Count(zm::ZM_CHECK) +
                      r->Count(zm::ZM_SCROLL),
                  0);
    }
}

TEST_F(ControlsTest, ButtonsAndCheckBoxesReportClicks) {
    Click(button);
    EXPECT_EQ(buttonSink.Count(zm::ZM_CLICK), 1);
    Click(play);
    EXPECT_EQ(sink.Count(zm::ZM_CLICK), 1);
    Click(check);
    ASSERT_EQ(checkSink.Count(zm::ZM_CHECK), 1);
    EXPECT_EQ(checkSink.Last(zm::ZM_CHECK)->wParam, 1u);
    Click(check);
    EXPECT_EQ(checkSink.Last(zm::ZM_CHECK)->wParam, 0u);
    platform().CheckSet(check, true);
    EXPECT_EQ(checkSink.Count(zm::ZM_CHECK), 2);
}

TEST_F(ControlsTest, FlatToolButtonClicksWithoutTakingTheFocus) {
    platform().ShowWindow(form, plat::SW_SHOW);
    platform().SetFocus(edit);
    sink.Clear();
    Click(flatButton);
    EXPECT_EQ(sink.Count(zm::ZM_CLICK), 1);
    EXPECT_EQ(sink.Count(zm::ZM_FOCUS), 0);
    EXPECT_EQ(editSink.Count(zm::ZM_FOCUS), 1);  // only the SetFocus above
}

TEST_F(ControlsTest, MouseClickOnAListRowSelectsItThenReportsTheMouse) {
    for (const char* name : {"Radio One", "Jazz", "News"}) platform().ListInsert(list, -1, name);
    platform().ShowWindow(form, plat::SW_SHOW);
    Pump();
    plat::RECT row;
    ASSERT_NE(platform().SendMessageA(list, native::LB_GETITEMRECT, 1,
                                      reinterpret_cast<plat::LPARAM>(&row)),
              -1);
    plat::LPARAM at = plat::MakePoint((row.left + row.right) / 2, (row.top + row.bottom) / 2);
    platform().PostMessageA(list, plat::WM_LBUTTONDOWN, native::MK_LBUTTON, at);
    platform().PostMessageA(list, plat::WM_LBUTTONUP, 0, at);
    Pump();
    ASSERT_EQ(listSink.Count(zm::ZM_SELECT), 1);
    EXPECT_EQ(listSink.Last(zm::ZM_SELECT)->wParam, 1u);
    ASSERT_EQ(listSink.Count(zm::ZM_MOUSEDOWN), 1);
    EXPECT_EQ(listSink.Last(zm::ZM_MOUSEDOWN)->lParam, at);
    EXPECT_LT(listSink.IndexOf(zm::ZM_SELECT), listSink.IndexOf(zm::ZM_MOUSEDOWN));
    EXPECT_LT(listSink.IndexOf(zm::ZM_MOUSEDOWN), listSink.IndexOf(zm::ZM_MOUSEUP));

    listSink.Clear();
    platform().ListSetSelection(list, 2);
    EXPECT_EQ(listSink.Count(zm::ZM_SELECT), 0);
}

TEST_F(ControlsTest, TypingChangesTextButSettingItDoesNot) {
    platform().SetWindowTextA(edit, "abc");
    EXPECT_EQ(editSink.Count(zm::ZM_TEXT), 0);
    platform().SendMessageA(edit, native::EM_SETSEL, 3, 3);
    platform().SendMessageA(edit, native::WM_CHAR, 'd', 1);
    ASSERT_EQ(editSink.texts.size(), 1u);
    EXPECT_EQ(editSink.texts[0], "abcd");
}

TEST_F(ControlsTest, TrackBarReportsOnlyTheUsersMoves) {
    platform().TrackSetPosition(track, 4);
    EXPECT_EQ(trackSink.Count(zm::ZM_SCROLL), 0);
    platform().SendMessageA(track, native::WM_KEYDOWN, native::VK_RIGHT, 1);
    ASSERT_EQ(trackSink.Count(zm::ZM_SCROLL), 1);
    EXPECT_EQ(trackSink.Last(zm::ZM_SCROLL)->wParam, 5u);
    EXPECT_EQ(platform().SendMessageA(track, native::TBM_GETPOS, 0, 0), 5);
}

TEST_F(ControlsTest, DropDownListReportsTheUsersChoice) {
    for (const char* name : {"One", "Two", "Three"}) platform().ListInsert(combo, -1, name);
    platform().ListSetSelection(combo, 0);
    EXPECT_EQ(comboSink.Count(zm::ZM_SELECT), 0);
    platform().SendMessageA(combo, native::WM_KEYDOWN, native::VK_DOWN, 1);
    ASSERT_EQ(comboSink.Count(zm::ZM_SELECT), 1);
    EXPECT_EQ(comboSink.Last(zm::ZM_SELECT)->wParam, 1u);
}

TEST_F(ControlsTest, TabsAndTheControlsOnTheirPagesReportThroughTheirParents) {
    platform().TabAdd(tabs, "About");
    platform().TabAdd(tabs, "Credits");
    platform().SendMessageA(tabs, native::WM_KEYDOWN, native::VK_RIGHT, 1);
    ASSERT_EQ(sink.Count(zm::ZM_SELECT), 1);
    EXPECT_EQ(sink.Last(zm::ZM_SELECT)->wParam, 1u);
    Click(pageCheck);
    ASSERT_EQ(pageSink.Count(zm::ZM_CHECK), 1);
    EXPECT_EQ(pageSink.Last(zm::ZM_CHECK)->wParam, 1u);
}

TEST_F(ControlsTest, FocusIsReported) {
    platform().ShowWindow(form, plat::SW_SHOW);
    platform().SetFocus(check);
    EXPECT_GE(checkSink.Count(zm::ZM_FOCUS), 1);
}

TEST_F(ControlsTest, RichTextIsRefusedWhenItIsNotRichText) {
    EXPECT_TRUE(platform().RichSetText(rich, "{\\rtf1 fine}", true));
    EXPECT_FALSE(platform().RichSetText(rich, "plain words", true));
    EXPECT_TRUE(platform().RichSetText(rich, "plain words", false));
}

}  // namespace
