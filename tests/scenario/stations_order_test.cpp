// Putting the stations in order: the two arrow buttons, dragging a station with the
// mouse inside the list, and the order surviving an exit and the next start.
#include <gtest/gtest.h>

#include <cstdint>

#include "app/radiowin.h"
#include "gui/fileutil.h"
#include "platform/paths.h"
#include "support/app_fixture.h"

namespace {

using Names = std::vector<std::string>;

constexpr int kRow = 13;  // row height of the station list

class StationOrder : public AppTest {
  protected:
    void SetUp() override {
        AppTest::SetUp();
        // The order file as the program writes it, with the list's real size.
        Start();
        for (const char* name : {"A", "B", "C", "D", "E"}) {
            RadioForm->StationLB->Items()->Add(name);
            WriteText(plat::JoinPath(SettingsDir(), name), std::string("http://") + name + "\r\n");
        }
        ASSERT_TRUE(Exit());
        Restart();
        w = RadioForm;
        list = w->StationLB;
    }
    Names List() { return list->Items()->Items(); }
    std::string Order() {
        std::string s;
        for (const auto& n : List()) s += n;
        return s;
    }
    static int RowY(int row) { return row * kRow + kRow / 2; }
    // Press on a row, move the mouse there in steps, release at y.
    void Drag(int fromRow, int toY) {
        list->UserPress(30, RowY(fromRow));
        for (int y = RowY(fromRow); y != toY; y += (toY > y ? 1 : -1)) list->UserMoveMouse(30, y);
        list->UserMoveMouse(30, toY);
        list->UserRelease(30, toY);
    }

    TRadioForm* w = nullptr;
    TListBox* list = nullptr;
};

TEST_F(StationOrder, TheArrowsMoveTheSelectedStationAndStopAtTheEnds) {
    list->UserSelect(0);
    w->SpeedButton1->UserClick();
    EXPECT_EQ(Order(), "ABCDE");
    EXPECT_EQ(list->ItemIndex(), 0);
    w->SpeedButton2->UserClick();
    w->SpeedButton2->UserClick();
    EXPECT_EQ(Order(), "BCADE");
    EXPECT_EQ(list->ItemIndex(), 2);

    list->UserSelect(4);
    w->SpeedButton2->UserClick();
    EXPECT_EQ(Order(), "BCADE");
    w->SpeedButton1->UserClick();
    EXPECT_EQ(Order(), "BCAED");
    EXPECT_EQ(list->ItemIndex(), 3);

    // Nothing selected: nothing moves. Moves leave the fields and the files alone.
    w->DeleteButton->UserClick();  // leaves no selection (and deletes E)
    w->NameEdit->UserType("typed");
    w->SpeedButton1->UserClick();
    w->SpeedButton2->UserClick();
    EXPECT_EQ(Order(), "BCAD");
    EXPECT_EQ(w->NameEdit->Text(), "typed");
    EXPECT_EQ(ReadText(plat::JoinPath(SettingsDir(), "A")), "http://A\r\n");
}

TEST_F(StationOrder, DraggingPutsTheStationWhereItIsDropped) {
    Drag(1, RowY(3));
    EXPECT_EQ(Order(), "ACDBE");
    EXPECT_EQ(list->ItemIndex(), 3);

    list->UserPress(30, RowY(3));  // away and back onto its own row
    list->UserMoveMouse(30, RowY(1));
    list->UserMoveMouse(30, RowY(3) + 4);
    list->UserRelease(30, RowY(3) + 4);
    EXPECT_EQ(Order(), "ACDBE");
    EXPECT_EQ(list->ItemIndex(), 3);

    Drag(1, RowY(7));  // into the empty part below the last row
    EXPECT_EQ(Order(), "ADBEC");
    EXPECT_EQ(list->ItemIndex(), 4);

    Drag(3, RowY(0));
    EXPECT_EQ(Order(), "EADBC");
    EXPECT_EQ(list->ItemIndex(), 0);
    EXPECT_TRUE(harness().messageBoxes.empty());
}

TEST_F(StationOrder, ADropOutsideTheListChangesNothing) {
    list->UserPress(30, RowY(1));
    list->UserMoveMouse(30, RowY(2));
    list->UserMoveMouse(30, list->ClientRect().bottom + 20);
    list->UserRelease(30, list->ClientRect().bottom + 20);
    list->UserPress(30, RowY(2));
    list->UserMoveMouse(-10, RowY(2));
    list->UserRelease(-10, RowY(2));
    EXPECT_EQ(Order(), "ABCDE");
    EXPECT_EQ(list->ItemIndex(), 2);
}

// Timer3 is on while the mouse is in the band of one row at the top or the bottom.
TEST_F(StationOrder, TheScrollTimerRunsOnlyInTheEdgeBandsOfTheList) {
    const int bottom = list->ClientRect().bottom;
    list->UserPress(30, RowY(2));
    list->UserMoveMouse(30, RowY(3));
    EXPECT_FALSE(w->Timer3->Enabled());
    list->UserMoveMouse(30, bottom - 2);
    EXPECT_TRUE(w->Timer3->Enabled());
    list->UserMoveMouse(30, bottom + 30);  // outside: not accepted, left as it was
    EXPECT_TRUE(w->Timer3->Enabled());
    list->UserMoveMouse(30, RowY(4));
    EXPECT_FALSE(w->Timer3->Enabled());
    list->UserMoveMouse(30, 3);
    EXPECT_TRUE(w->Timer3->Enabled());
    list->UserRelease(30, 3);
    EXPECT_FALSE(w->Timer3->Enabled());
    EXPECT_EQ(Order(), "CABDE");
}

TEST_F(StationOrder, EditsAndOrderSurviveExitAndTheNextStart) {
    w->NameEdit->UserType("Blues");
    w->URLEdit->UserType("http://blues");
    w->AddButton->UserClick();  // ABCDE Blues
    list->UserSelect(0);
    w->NameEdit->UserType("Alpha");
    w->ChangeSubject->UserClick();  // Alpha BCDE Blues
    list->UserSelect(2);
    w->DeleteButton->UserClick();  // Alpha BDE Blues
    Drag(4, RowY(1));              // Alpha Blues BDE
    w->SpeedButton2->UserClick();  // Alpha B Blues DE
    ASSERT_EQ(List(), (Names{"Alpha", "B", "Blues", "D", "E"}));
    ASSERT_TRUE(Exit());

    Restart();
    EXPECT_EQ(RadioForm->StationLB->Items()->Items(), (Names{"Alpha", "B", "Blues", "D", "E"}));
    EXPECT_EQ(RadioForm->StationLB->ItemIndex(), 2);
    EXPECT_FALSE(FileExists(plat::JoinPath(SettingsDir(), "C")));
    EXPECT_EQ(ReadText(plat::JoinPath(SettingsDir(), "A")), "http://A\r\n");  // the old name
    RadioForm->StationLB->UserSelect(0);
    EXPECT_EQ(RadioForm->URLEdit->Text(), "http://A");
    RadioForm->StationLB->UserSelect(2);
    RadioForm->PlayButton->UserClick();
    ASSERT_EQ(harness().winExecs.size(), 1u);
    EXPECT_EQ(harness().winExecs[0].commandLine, "C:\\raplayer\\raplayer.exe http://blues");
}

// A damaged or hand-made file can hold any 32-bit position and size; rows, drags and
// the floating window's place work out without overflowing, and the values survive.
TEST_F(StationOrder, PositionsAndSizesAtTheEdgesOfTheirRangeAreUsedAndKept) {
    constexpr int kMax = INT32_MAX, kMin = INT32_MIN;
    list->SetBounds(kMax, kMin, kMax, kMax);
    list->SetItemHeight(kMax);
    ASSERT_TRUE(Exit());
    WriteSettings("[MainForm]\r\nStatus=1\r\nTop=2147483647\r\nLeft=-2147483648\r\n");
    Restart();
    list = RadioForm->StationLB;
    EXPECT_EQ(RadioForm->FloatTop, kMax);
    EXPECT_EQ(RadioForm->FloatLeft, kMin);
    EXPECT_EQ(list->ItemAtPos({30, 1000}, true), 0);  // the first row reaches to the end
    EXPECT_EQ(list->ItemRect(4).top, kMax);
    Drag(0, 400);
    list->SetItemHeight(kMin);  // rows of negative height hold no point
    EXPECT_EQ(list->ItemAtPos({30, 1000}, true), -1);
    list->UserPress(30, 32);
    list->UserMoveMouse(30, 20);
    list->UserMoveMouse(30, 10);
    list->UserRelease(-10, 10);
    EXPECT_EQ(Order(), "ABCDE");
    ASSERT_TRUE(Exit());

    Restart();
    list = RadioForm->StationLB;
    EXPECT_EQ(std::vector<int>({list->Left(), list->Top(), list->Width(), list->Height()}),
              std::vector<int>({kMax, kMin, kMax, kMax}));
    EXPECT_EQ(list->ItemHeight(), kMin);
    EXPECT_EQ(list->BoundsRect().right, kMax);
    EXPECT_EQ(list->BoundsRect().bottom, -1);
}

TEST_F(StationOrder, PlaySelectedStationPlaysItAtTheNextStartThroughThePlayButton) {
    list->UserSelect(3);
    w->PlayAtStartCB->UserToggle();
    ASSERT_TRUE(Exit());
    EXPECT_TRUE(harness().winExecs.empty());
    Restart();
    ASSERT_EQ(harness().winExecs.size(), 1u);
    EXPECT_EQ(harness().winExecs[0].commandLine, "C:\\raplayer\\raplayer.exe http://D");
    EXPECT_EQ(RadioForm->NameEdit->Text(), "");  // playing is not a click on the list
}

}  // namespace
