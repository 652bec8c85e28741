// Icons read from .ico files and copied between objects; string lists; the rich-text
// box's choice between rich and plain text.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "gui/application.h"
#include "gui/comctrls.h"
#include "gui/exceptions.h"
#include "gui/forms.h"
#include "gui/icon.h"
#include "gui/stringlist.h"
#include "support/gui_fixture.h"

namespace {

using Bytes = std::vector<unsigned char>;

void PutLE(Bytes& b, std::size_t at, std::uint32_t v, int n) {
    for (int i = 0; i < n; ++i) b[at + i] = static_cast<unsigned char>(v >> (8 * i));
}

// An .ico file of `count` images of 40 bytes each, laid out one after the other.
Bytes IconFile(int count = 1) {
    Bytes b(6 + 16 * count + 40 * count, 0);
    PutLE(b, 2, 1, 2);
    PutLE(b, 4, count, 2);
    for (int i = 0; i < count; ++i) {
        std::size_t entry = 6 + 16 * i;
        b[entry] = b[entry + 1] = 32;
        PutLE(b, entry + 8, 40, 4);
        PutLE(b, entry + 12, 6 + 16 * count + 40 * i, 4);
    }
    return b;
}

class GuiIcon : public GuiTest {
  protected:
    int changes = 0;
    TIcon icon;
    void SetUp() override {
        GuiTest::SetUp();
        icon.OnChange = [this](TObject* sender) {
            EXPECT_EQ(sender, &icon);
            ++changes;
        };
    }
    void TearDown() override {
        icon.SetHandle(0);
        GuiTest::TearDown();
    }
};

TEST_F(GuiIcon, LoadAssignAndFreeChangeThePictureAndItsHandles) {
    icon.LoadFromFile(WriteFile("tray.ico", IconFile(2)));
    EXPECT_FALSE(icon.Empty());
    EXPECT_EQ(changes, 1);
    {
        TIcon copy;
        int copyChanges = 0;
        copy.OnChange = [&](TObject*) { ++copyChanges; };
        copy.Assign(icon);
        EXPECT_EQ(copyChanges, 1);
        EXPECT_NE(copy.Handle(), icon.Handle());
        EXPECT_EQ(harness().LiveIcons(), 2);
        icon.Assign(TIcon());  // an empty picture empties it
        EXPECT_TRUE(icon.Empty());
        EXPECT_EQ(changes, 2);
        EXPECT_EQ(harness().LiveIcons(), 1);
    }
    EXPECT_EQ(harness().LiveIcons(), 0);
}

TEST_F(GuiIcon, ReleasedHandleIsNotDestroyed) {
    icon.LoadFromFile(WriteFile("a.ico", IconFile()));
    plat::HICON h = icon.ReleaseHandle();
    EXPECT_TRUE(icon.Empty());
    EXPECT_EQ(harness().LiveIcons(), 1);
    icon.SetHandle(h);
    EXPECT_EQ(changes, 2);
}

TEST_F(GuiIcon, MissingFileCannotBeOpened) {
    std::string path = dir() + "/missing.ico";
    try {
        icon.LoadFromFile(path);
        FAIL();
    } catch (const EFOpenError& e) {
        EXPECT_EQ(e.Message(), "Cannot open file " + path);
    }
    EXPECT_EQ(changes, 0);
}

struct BadIcon {
    const char* name;
    Bytes bytes;
};

class GuiBadIcon : public GuiIcon, public ::testing::WithParamInterface<BadIcon> {};

TEST_P(GuiBadIcon, IsRejectedAndTheOldPictureStays) {
    icon.LoadFromFile(WriteFile("good.ico", IconFile()));
    plat::HICON before = icon.Handle();
    try {
        icon.LoadFromFile(WriteFile("bad.ico", GetParam().bytes));
        FAIL() << "accepted";
    } catch (const EInvalidGraphic& e) {
        EXPECT_EQ(e.Message(), "Icon image is not valid");
    }
    EXPECT_EQ(icon.Handle(), before);
    EXPECT_EQ(changes, 1);
}

Bytes With(Bytes b, std::size_t at, std::uint32_t v, int n) {
    PutLE(b, at, v, n);
    return b;
}

INSTANTIATE_TEST_SUITE_P(
    Files, GuiBadIcon,
    ::testing::Values(BadIcon{"Empty", {}}, BadIcon{"ShortHeader", {0, 0, 1, 0}},
                      BadIcon{"Reserved", With(IconFile(), 0, 1, 2)},
                      BadIcon{"Cursor", With(IconFile(), 2, 2, 2)},
                      BadIcon{"NoImages", With(IconFile(), 4, 0, 2)},
                      BadIcon{"TooManyImages", With(IconFile(), 4, 256, 2)},
                      BadIcon{"DirectoryBeyondFile", With(IconFile(), 4, 4, 2)},
                      BadIcon{"ImageBeyondFile", With(IconFile(), 6 + 8, 41, 4)},
                      BadIcon{"OffsetBeyondFile", With(IconFile(), 6 + 12, 0xFFFFFFF0u, 4)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(GuiStringList, EditsTextAndIndexes) {
    TStringList list;
    int changes = 0;
    list.OnChange = [&](TObject*) { ++changes; };
    list.SetText("Jazz\r\nRock FM\nPop\r");
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.IndexOf("Rock FM"), 1);
    EXPECT_EQ(list.IndexOf("rock fm"), -1);  // exact
    list.Insert(3, "Talk");
    list.SetStrings(0, "Blues");
    list.Delete(1);
    EXPECT_EQ(list.Text(), "Blues\r\nPop\r\nTalk\r\n");
    EXPECT_EQ(changes, 4);
    try {
        list.Strings(3);
        FAIL();
    } catch (const EStringListError& e) {
        EXPECT_EQ(e.Message(), "List index out of bounds (3)");
    }
    TStringList copy;
    copy.Assign(list);
    EXPECT_EQ(copy.Items(), list.Items());
}

class GuiRichEdit : public GuiTest {};

TEST_F(GuiRichEdit, FileIsRichTextOnlyWithTheRtfHeader) {
    auto* form = new TForm(Application);
    auto* rich = new TRichEdit(form);
    rich->SetParent(form);
    rich->SetText("design text");
    EXPECT_FALSE(rich->IsRichText());
    std::string rtf = "{\\rtf1 Hello}";
    rich->LoadFromFile(WriteFile("intro.rtf", Bytes(rtf.begin(), rtf.end())));
    EXPECT_TRUE(rich->IsRichText());
    EXPECT_EQ(rich->Text(), rtf);
    EXPECT_EQ(harness().Window(rich->Handle())->text, rtf);
    rich->LoadFromFile(WriteFile("plain.rtf", Bytes{'h', 'i'}));
    EXPECT_FALSE(rich->IsRichText());
    EXPECT_EQ(harness().Window(rich->Handle())->text, "hi");
    rich->SetText("no header", true);  // refused as rich text: shown plain
    EXPECT_FALSE(rich->IsRichText());
    EXPECT_EQ(harness().Window(rich->Handle())->text, "no header");
    EXPECT_THROW(rich->LoadFromFile(dir() + "/none.rtf"), EFOpenError);
}

}  // namespace
