// A form with a control of every kind on real Qt widgets: set from code it tells its
// sinks nothing; a person's clicks, keys and typing reach them as ZM_ messages.
#include <QApplication>
#include <QComboBox>
#include <QListWidget>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTabBar>
#include <QTextEdit>

#include "qt/qt_fixture.h"

using plat::Glyph;
using plat::WindowKind;

namespace {

plat::WindowSpec Spec(WindowKind kind, const std::string& text, plat::RECT at) {
    plat::WindowSpec s;
    s.kind = kind;
    s.text = text;
    s.bounds = at;
    s.visible = true;
    s.tabStop = kind != WindowKind::Label && kind != WindowKind::Panel;
    return s;
}

class QtControls : public QtTest {
  protected:
    void SetUp() override {
        QtTest::SetUp();
        plat::WindowSpec f = Spec(WindowKind::Form, "Zelvora test form", {60, 60, 600, 420});
        f.className = "TZelTestForm";
        f.border = plat::BorderStyle::Dialog;
        f.visible = false;
        f.sink = &formSink;
        form = platform().CreateWindowA(f);
        ASSERT_NE(form, 0u);
        list = Add(form, Spec(WindowKind::ListBox, "", {8, 24, 200, 160}), listSink);
        Add(form, Spec(WindowKind::Label, "Name:", {210, 28, 250, 44}), sink);
        edit = Add(form, Spec(WindowKind::Edit, "", {252, 24, 420, 45}), editSink);
        auto ok = Spec(WindowKind::Button, "OK", {430, 24, 520, 49});
        ok.defaultButton = true;
        button = Add(form, ok, buttonSink);
        auto play = Spec(WindowKind::GlyphButton, "Play", {210, 56, 290, 82});
        play.glyph = Glyph::Play;
        glyph = Add(form, play, glyphSink);
        auto stop = Spec(WindowKind::GlyphButton, "", {300, 56, 325, 81});
        stop.glyph = Glyph::Stop;
        stop.flat = true;
        stop.tabStop = false;
        flat = Add(form, stop, flatSink);
        check = Add(form, Spec(WindowKind::CheckBox, "Play Selected Station", {210, 90, 420, 108}),
                    checkSink);
        combo = Add(form, Spec(WindowKind::ComboList, "", {210, 114, 420, 135}), comboSink);
        auto ts = Spec(WindowKind::TrackBar, "", {210, 140, 420, 170});
        ts.rangeMax = 10;
        track = Add(form, ts, trackSink);
        tabs = Add(form, Spec(WindowKind::TabControl, "", {8, 176, 250, 300}), tabSink);
        plat::HWND page = Add(tabs, Spec(WindowKind::Panel, "", {4, 24, 238, 120}), sink);
        pageCheck =
            Add(page, Spec(WindowKind::CheckBox, "On the page", {6, 30, 200, 48}), pageSink);
        rich = Add(form, Spec(WindowKind::RichEdit, "", {260, 176, 520, 300}), sink);
        auto& p = platform();
        for (const char* name : {"Radio One", "Jazz & Blues", "News"}) {
            p.ListInsert(list, -1, name);
            p.ListInsert(combo, -1, name);
        }
        p.TabAdd(tabs, "About");
        p.TabAdd(tabs, "Credits");
    }
    void TearDown() override {
        platform().DestroyWindow(form);
        Pump(50);
        QtTest::TearDown();
    }
    plat::HWND Add(plat::HWND parent, plat::WindowSpec spec, Recorder& r) {
        spec.parent = parent;
        spec.sink = &r;
        return platform().CreateWindowA(spec);
    }
    // The middle of a row of the list, in the coordinates its mouse messages carry.
    QPoint Row(int index) {
        auto* l = static_cast<QListWidget*>(Widget(list));
        return l->visualItemRect(l->item(index)).center();
    }
    QPoint OnScreen(QPoint row) {
        return static_cast<QListWidget*>(Widget(list))->viewport()->mapToGlobal(row);
    }
    // A point of the track bar's groove, a fraction of the way along it, on the screen.
    QPoint Groove(double along) {
        struct Slider : QSlider {
            using QSlider::initStyleOption;
        };
        auto* slider = static_cast<Slider*>(Widget(track));
        QStyleOptionSlider option;
        slider->initStyleOption(&option);
        const QRect groove = slider->style()->subControlRect(QStyle::CC_Slider, &option,
                                                             QStyle::SC_SliderGroove, slider);
        return slider->mapToGlobal(
            QPoint(groove.left() + static_cast<int>(groove.width() * along), groove.center().y()));
    }
    int UserMessages(const Recorder& r) {
        int n = 0;
        for (const auto& m : r.got) n += m.msg >= plat::ZM_FIRST && m.msg != plat::ZM_FOCUS;
        return n;
    }

    Recorder formSink, sink, listSink, editSink, buttonSink, glyphSink, flatSink, checkSink,
        comboSink, trackSink, tabSink, pageSink;
    plat::HWND form = 0, list = 0, edit = 0, button = 0, glyph = 0, flat = 0, check = 0, combo = 0,
               track = 0, tabs = 0, pageCheck = 0, rich = 0;
};

TEST_F(QtControls, SetFromCodeEveryKindShowsItAndTellsNothing) {
    auto& p = platform();
    p.ListSetSelection(list, 1);
    p.ListSetSelection(combo, 2);
    p.SetWindowTextA(edit, "Radio One");
    p.CheckSet(check, true);
    p.TrackSetPosition(track, 7);
    ASSERT_TRUE(p.RichSetText(rich, "{\\rtf1 Welcome to {\\b Zelvora}.\\par A launcher.}", true));
    ASSERT_TRUE(ShowAndWait(form));
    Shot(form, "qt_controls");
    EXPECT_EQ(static_cast<QListWidget*>(Widget(list))->currentRow(), 1);
    EXPECT_EQ(static_cast<QComboBox*>(Widget(combo))->currentIndex(), 2);
    EXPECT_EQ(static_cast<QSlider*>(Widget(track))->value(), 7);
    EXPECT_TRUE(static_cast<QTextEdit*>(Widget(rich))->toHtml().contains("font-weight:700"));
    for (Recorder* r : {&listSink, &editSink, &checkSink, &comboSink, &trackSink, &tabSink})
        EXPECT_EQ(UserMessages(*r), 0);
}

TEST_F(QtControls, ClicksOnButtonsAndCheckBoxesAreReported) {
    ASSERT_TRUE(ShowAndWait(form));
    Click(button);
    Click(glyph);
    Click(check);
    EXPECT_EQ(buttonSink.Count(plat::ZM_CLICK), 1);
    EXPECT_EQ(glyphSink.Count(plat::ZM_CLICK), 1);
    ASSERT_EQ(checkSink.Count(plat::ZM_CHECK), 1);
    EXPECT_EQ(checkSink.Last(plat::ZM_CHECK)->wParam, 1u);
    // A tool button clicks without taking the focus from the check box.
    Click(flat);
    EXPECT_EQ(flatSink.Count(plat::ZM_CLICK), 1);
    EXPECT_EQ(flatSink.Count(plat::ZM_FOCUS), 0);
    EXPECT_TRUE(Widget(check)->hasFocus());
    Click(check);
    EXPECT_EQ(checkSink.Last(plat::ZM_CHECK)->wParam, 0u);
}

TEST_F(QtControls, AListRowPressedIsSelectedBeforeThePressAndItsDragFollows) {
    ASSERT_TRUE(ShowAndWait(form));
    const QPoint a = OnScreen(Row(0)), b = OnScreen(Row(2));
    Xdo({"mousemove", std::to_string(a.x()), std::to_string(a.y()), "mousedown", "1", "sleep",
         "0.1", "mousemove", std::to_string(b.x()), std::to_string(b.y()), "sleep", "0.1",
         "mouseup", "1"});
    auto first = [this](plat::UINT msg) {
        for (const auto& m : listSink.got)
            if (m.msg == msg) return &m;
        return static_cast<const plat::Message*>(nullptr);
    };
    ASSERT_NE(first(plat::ZM_SELECT), nullptr);
    EXPECT_EQ(first(plat::ZM_SELECT)->wParam, 0u);
    auto index = [this](plat::UINT msg) {
        for (std::size_t i = 0; i < listSink.got.size(); ++i)
            if (listSink.got[i].msg == msg) return static_cast<int>(i);
        return -1;
    };
    EXPECT_LT(index(plat::ZM_SELECT), index(plat::ZM_MOUSEDOWN));
    EXPECT_LT(index(plat::ZM_MOUSEDOWN), index(plat::ZM_MOUSEMOVE));
    EXPECT_LT(index(plat::ZM_MOUSEMOVE), index(plat::ZM_MOUSEUP));
    const plat::Message* up = listSink.Last(plat::ZM_MOUSEUP);
    EXPECT_NEAR(plat::PointY(up->lParam), Row(2).y(), 2);
    // The keyboard moves the selection too.
    Keys({"Up"});
    EXPECT_EQ(listSink.Last(plat::ZM_SELECT)->wParam, 1u);
}

TEST_F(QtControls, TypingSlidingChoosingAndTabbingAreReported) {
    ASSERT_TRUE(ShowAndWait(form));
    Click(edit);
    Type("Jazz");
    ASSERT_FALSE(editSink.texts.empty());
    EXPECT_EQ(editSink.texts.back(), "Jazz");
    EXPECT_EQ(editSink.Count(plat::ZM_FOCUS), 1);

    ClickAt(Groove(0.8));  // a page towards the click
    ASSERT_GE(trackSink.Count(plat::ZM_SCROLL), 1);
    const auto moved = trackSink.Last(plat::ZM_SCROLL)->wParam;
    Keys({"Right"});
    EXPECT_EQ(trackSink.Last(plat::ZM_SCROLL)->wParam, moved + 1);

    Click(combo);
    ASSERT_TRUE(WaitFor([] { return QApplication::activePopupWidget() != nullptr; }));
    Keys({"Down", "Return"});
    ASSERT_EQ(comboSink.Count(plat::ZM_SELECT), 1);
    EXPECT_EQ(comboSink.Last(plat::ZM_SELECT)->wParam, 1u);

    auto* bar = static_cast<QWidget*>(Widget(tabs)->findChild<QTabBar*>());
    ClickAt(bar->mapToGlobal(static_cast<QTabBar*>(bar)->tabRect(1).center()));
    ASSERT_EQ(tabSink.Count(plat::ZM_SELECT), 1);
    EXPECT_EQ(tabSink.Last(plat::ZM_SELECT)->wParam, 1u);
    Click(pageCheck);
    EXPECT_EQ(pageSink.Count(plat::ZM_CHECK), 1);
}

}  // namespace
