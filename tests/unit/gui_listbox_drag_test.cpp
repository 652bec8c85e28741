// Rows of a list box and the automatic drag inside it: press selects, moving five
// pixels begins the drag, each move asks OnDragOver, release drops and ends it.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "gui/application.h"
#include "gui/forms.h"
#include "gui/listcontrols.h"
#include "support/gui_fixture.h"

namespace {

std::string Point(int x, int y) {
    return std::to_string(x) + "," + std::to_string(y);
}

class GuiListDrag : public GuiTest {
  protected:
    void SetUp() override {
        GuiTest::SetUp();
        auto* form = new TForm(Application);
        list = new TListBox(form);
        list->SetParent(form);
        list->SetBounds(10, 10, 150, 100);  // client area 146 x 96: seven rows of 13
        list->Items()->SetText("A\nB\nC\nD\nE\n");
        list->SetDragMode(dmAutomatic);
        list->OnClick = [this](TObject*) { Log("click " + std::to_string(list->ItemIndex())); };
        list->OnDragOver = [this](TObject* sender, TObject* source, int x, int y, TDragState state,
                                  bool& accept) {
            EXPECT_EQ(sender, list);
            EXPECT_EQ(source, list);
            const char* names[] = {"enter", "leave", "move"};
            Log(std::string("over ") + names[state] + " " + Point(x, y));
            accept = accept && !reject;
        };
        list->OnDragDrop = [this](TObject*, TObject* source, int x, int y) {
            EXPECT_EQ(source, list);
            Log("drop " + Point(x, y) + " row " + std::to_string(list->ItemAtPos({x, y}, false)));
        };
        list->OnEndDrag = [this](TObject* sender, TObject* target, int x, int y) {
            EXPECT_EQ(sender, list);
            Log(std::string("end ") + (target == list ? "list " : "none ") + Point(x, y));
        };
    }
    void Log(const std::string& s) { events.push_back(s); }

    TListBox* list = nullptr;
    bool reject = false;
    std::vector<std::string> events;
};

TEST_F(GuiListDrag, RowsAndPointsMapOneToTheOther) {
    EXPECT_EQ(list->ItemHeight(), 13);
    plat::RECT r = list->ItemRect(3);
    EXPECT_EQ(r.top, 39);
    EXPECT_EQ(r.bottom, 52);
    EXPECT_EQ(r.right, 146);
    EXPECT_EQ(list->ItemAtPos({5, 0}, true), 0);
    EXPECT_EQ(list->ItemAtPos({5, 64}, true), 4);
    EXPECT_EQ(list->ItemAtPos({5, 65}, true), -1);  // below the last row
    EXPECT_EQ(list->ItemAtPos({5, 65}, false), 5);
    EXPECT_EQ(list->ItemAtPos({5, 96}, false), -1);  // outside the client area
    EXPECT_EQ(list->ItemAtPos({-1, 5}, false), -1);
}

TEST_F(GuiListDrag, DragFromOneRowOntoAnother) {
    list->UserPress(5, 18);
    list->UserMoveMouse(8, 21);  // under the threshold: no drag yet
    EXPECT_FALSE(list->Dragging());
    list->UserMoveMouse(5, 23);
    list->UserMoveMouse(6, 45);
    list->UserRelease(6, 45);
    EXPECT_EQ(events, (std::vector<std::string>{"click 1", "over enter 5,23", "over move 6,45",
                                                "drop 6,45 row 3", "end list 6,45"}));
    EXPECT_FALSE(list->Dragging());
}

TEST_F(GuiListDrag, DropBelowTheLastRowGivesThePointThere) {
    list->UserPress(5, 18);
    list->UserMoveMouse(5, 80);
    list->UserRelease(5, 80);
    EXPECT_EQ(events, (std::vector<std::string>{"click 1", "over enter 5,80", "drop 5,80 row 5",
                                                "end list 5,80"}));
}

TEST_F(GuiListDrag, ReleaseOutsideTheListOrRefusedDropsNothing) {
    list->UserPress(5, 18);
    list->UserMoveMouse(5, 40);
    list->UserMoveMouse(200, 40);
    list->UserRelease(200, 40);
    EXPECT_EQ(events, (std::vector<std::string>{"click 1", "over enter 5,40", "over leave 200,40",
                                                "end none 0,0"}));
    events.clear();
    reject = true;
    list->UserPress(5, 40);
    list->UserMoveMouse(5, 5);
    list->UserRelease(5, 5);
    EXPECT_EQ(events, (std::vector<std::string>{"click 3", "over enter 5,5", "end none 0,0"}));
}

TEST_F(GuiListDrag, PressOnTheSelectedRowRunsNoClickAndAClickEndsWithoutDrop) {
    list->SetItemIndex(2);
    list->UserPress(5, 30);
    list->UserRelease(5, 30);
    EXPECT_EQ(events, (std::vector<std::string>{"end none 0,0"}));
    auto& log = harness().log;
    auto capture = std::find_if(log.begin(), log.end(),
                                [](const std::string& s) { return s.starts_with("SetCapture"); });
    ASSERT_NE(capture, log.end());
    EXPECT_NE(std::find(capture, log.end(), "ReleaseCapture()"), log.end());
}

TEST_F(GuiListDrag, ManualModeSelectsButNeverDrags) {
    list->SetDragMode(dmManual);
    list->UserPress(5, 5);
    list->UserMoveMouse(5, 60);
    list->UserRelease(5, 60);
    EXPECT_EQ(events, (std::vector<std::string>{"click 0"}));
}

TEST_F(GuiListDrag, MouseMessagesDriveTheSameDrag) {
    plat::HWND h = list->Handle();
    harness().SendMessageA(h, plat::ZM_MOUSEDOWN, 0, plat::MakePoint(5, 5));
    harness().SendMessageA(h, plat::ZM_MOUSEMOVE, 0, plat::MakePoint(5, 30));
    harness().SendMessageA(h, plat::ZM_MOUSEUP, 0, plat::MakePoint(5, 30));
    EXPECT_EQ(events, (std::vector<std::string>{"click 0", "over enter 5,30", "drop 5,30 row 2",
                                                "end list 5,30"}));
}

}  // namespace
