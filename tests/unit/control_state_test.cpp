// The pieces both window backends share: a control's quiet count and the row and
// position it last reported, and the numbers of messages registered by name.
#include <gtest/gtest.h>

#include "platform/control_state.h"
#include "platform/platform.h"

namespace {

TEST(ControlState, ARowIsReportedOnceUntilForgotten) {
    plat::ControlState s;
    EXPECT_TRUE(s.SelectionForgotten());
    EXPECT_TRUE(s.TakeSelection(-1)) << "no row is news at first";
    EXPECT_FALSE(s.TakeSelection(-1));
    EXPECT_TRUE(s.TakeSelection(3));
    EXPECT_FALSE(s.TakeSelection(3)) << "told of twice: button-down and up";
    s.ForgetSelection();
    EXPECT_TRUE(s.TakeSelection(3)) << "a click always reports its row";
    s.SetSelection(5);
    EXPECT_FALSE(s.TakeSelection(5)) << "the backend's own selection is no news";
}

TEST(ControlState, APositionIsTheUsersOnlyWhenNewAndNotQuiet) {
    plat::ControlState s;
    s.SetPosition(10);
    EXPECT_FALSE(s.TakePosition(10));
    EXPECT_TRUE(s.TakePosition(11));
    {
        plat::QuietScope outer(&s);
        plat::QuietScope inner(&s);
        EXPECT_TRUE(s.Quiet());
        EXPECT_FALSE(s.TakePosition(12));
    }
    EXPECT_FALSE(s.Quiet()) << "each scope undoes only its own";
    EXPECT_TRUE(s.TakePosition(12)) << "a quiet change is not taken as known";
    plat::QuietScope none(nullptr);
}

TEST(RegisteredMessages, OneNumberPerNameWhateverItsCaseFrom0xC000) {
    plat::RegisteredMessages m;
    EXPECT_EQ(m.Register(""), 0u);
    EXPECT_EQ(m.Register("TaskbarCreated"), 0xC000u);
    EXPECT_EQ(m.Register("Zelvora-Start"), 0xC001u);
    EXPECT_EQ(m.Register("TASKBARCREATED"), 0xC000u);
    EXPECT_EQ(m.Register("zelvora-start"), 0xC001u);
    EXPECT_NE(m.Register("TaskbarCreated2"), 0xC000u) << "a longer name is another name";
    for (int i = 0; i < 0x4000; ++i) m.Register("n" + std::to_string(i));
    EXPECT_EQ(m.Register("one too many"), 0u) << "the numbers end at 0xFFFF";
    EXPECT_EQ(m.Register("TaskbarCreated"), 0xC000u) << "the known ones still answer";
}

}  // namespace
