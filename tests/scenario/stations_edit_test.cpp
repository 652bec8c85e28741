// Editing the station list on the configuration window as a person does it: clicks
// on the list, typing into the two fields and the buttons around them.
#include <gtest/gtest.h>

#include "app/radiowin.h"
#include "gui/fileutil.h"
#include "platform/paths.h"
#include "support/app_fixture.h"

namespace {

using Names = std::vector<std::string>;

const char* const kTaken = "Please change the name as that name already exists.";
const char* const kNoName = "You must first enter a name";
const char* const kNoURL = "You must first enter the URL (the web location of the radio station)";
const char* const kNoSelection = "You need to first select a station to delete.";
const char* const kBadURL =
    "The URL must not contain control characters, such as tabs or line breaks.";
const char* const kNoStationURL =
    "The URL must be a stream (http, https, mms, mmsh, rtsp, rtmp or pnm) or the full path of a "
    "file.";

class Stations : public AppTest {
  protected:
    void SetUp() override {
        AppTest::SetUp();
        Seed({{"Jazz", "http://jazz.invalid/"}, {"Rock FM", "http://rock.invalid/"}});
        w = RadioForm;
    }
    // The order file as the program itself writes it, with the list's real size:
    // the rows that a mouse press finds depend on it.
    void Seed(const std::vector<std::pair<std::string, std::string>>& stations) {
        Start();
        for (const auto& [name, url] : stations) {
            RadioForm->StationLB->Items()->Add(name);
            WriteText(plat::JoinPath(SettingsDir(), StationFileName(name)), url + "\r\n");
        }
        ASSERT_TRUE(Exit());
        Restart();
    }
    Names List() { return w->StationLB->Items()->Items(); }
    int Selected() { return w->StationLB->ItemIndex(); }
    void Type(const std::string& name, const std::string& url) {
        w->NameEdit->UserType(name);
        w->URLEdit->UserType(url);
    }
    std::string Fields() { return w->NameEdit->Text() + "|" + w->URLEdit->Text(); }
    bool GlyphsEnabled() {
        EXPECT_EQ(w->ChangeSubject->Enabled(), w->RevertSubject->Enabled());
        return w->ChangeSubject->Enabled();
    }
    std::string StationFile(const std::string& file) { return plat::JoinPath(SettingsDir(), file); }
    std::string Url(const std::string& file) { return ReadText(StationFile(file)); }

    TRadioForm* w = nullptr;
};

TEST_F(Stations, AddChecksTheNameFirstThenTheFieldsAndEachFailureChangesNothing) {
    struct Case {
        const char *name, *url, *message;
    };
    for (Case c :
         {Case{"JAZZ", "", kTaken}, Case{"rock fm", "u", kTaken}, Case{"Rock.FM", "u", kTaken},
          Case{"", "", kNoName}, Case{"", "u", kNoName}, Case{"Pop", "", kNoURL},
          Case{"Pop", "  ", kNoURL}, Case{"Pop", "http://pop.invalid/\tx", kBadURL},
          Case{"Pop", "http://pop.invalid/\x1A", kBadURL},
          Case{"Pop", "www.pop.invalid/live", kNoStationURL}}) {
        harness().messageBoxes.clear();
        Type(c.name, c.url);
        w->AddButton->UserClick();
        ASSERT_EQ(harness().messageBoxes.size(), 1u) << c.name;
        EXPECT_EQ(harness().messageBoxes[0].text, c.message) << c.name;
        EXPECT_EQ(harness().messageBoxes[0].caption, "Zelvora");
        EXPECT_EQ(harness().messageBoxes[0].type, plat::MB_OK);
        EXPECT_EQ(List(), (Names{"Jazz", "Rock FM"}));
        EXPECT_EQ(Fields(), std::string(c.name) + "|" + c.url);
    }
    EXPECT_FALSE(FileExists(StationFile("Pop")));
    EXPECT_EQ(Url("Rock_FM"), "http://rock.invalid/\r\n");
}

TEST_F(Stations, TheNameTestIsTheUsersLocaleIgnoringCase) {
    Type("jazz", "u");
    w->AddButton->UserClick();
    auto& log = harness().log;
    EXPECT_NE(std::find(log.begin(), log.end(), "CompareStringA(1, \"jazz\", \"Jazz\")"),
              log.end());
}

TEST_F(Stations, AddWritesTheFileAppendsTheNameAsTypedAndEmptiesTheFields) {
    w->StationLB->UserSelect(0);
    Type("  Blues  Radio ", " http://blues.invalid/live set ");
    w->AddButton->UserClick();
    EXPECT_TRUE(harness().messageBoxes.empty());
    EXPECT_EQ(List(), (Names{"Jazz", "Rock FM", "  Blues  Radio "}));
    EXPECT_EQ(Selected(), 0);
    EXPECT_EQ(Fields(), "|");
    EXPECT_EQ(Url("__Blues__Radio_"), "http://blues.invalid/live%20set\r\n");
    Type("Set", "C:\\Music\\Live set.mp3");  // a file's path keeps its blanks
    w->AddButton->UserClick();
    EXPECT_EQ(Url("Set"), "C:\\Music\\Live set.mp3\r\n");
}

TEST_F(Stations, AClickFillsTheFieldsAndEnablesTheGlyphButtons) {
    EXPECT_FALSE(GlyphsEnabled());
    Type("typed", "typed url");
    EXPECT_EQ(Selected(), -1);  // the list does not follow the fields
    w->StationLB->UserPress(20, 13 + 6);
    w->StationLB->UserRelease(20, 13 + 6);
    EXPECT_TRUE(GlyphsEnabled());
    EXPECT_EQ(Fields(), "Rock FM|http://rock.invalid/");

    // Without its file the URL field keeps what it held.
    platform().DeleteFileA(StationFile("Jazz"));
    w->StationLB->UserSelect(0);
    EXPECT_EQ(Fields(), "Jazz|http://rock.invalid/");
}

TEST_F(Stations, ChangeIsARenameThatLeavesTheOldFileAndNoSelection) {
    w->StationLB->UserSelect(1);
    Type("Pop", "http://pop.invalid/");
    w->ChangeSubject->UserClick();
    EXPECT_EQ(List(), (Names{"Jazz", "Pop"}));
    EXPECT_EQ(Selected(), -1);
    EXPECT_EQ(Fields(), "Pop|http://pop.invalid/");
    EXPECT_TRUE(GlyphsEnabled());
    EXPECT_EQ(Url("Pop"), "http://pop.invalid/\r\n");
    EXPECT_EQ(Url("Rock_FM"), "http://rock.invalid/\r\n");

    // Pressed again: nothing is selected, so only the file is written.
    w->URLEdit->UserType("http://pop.invalid/2");
    w->ChangeSubject->UserClick();
    EXPECT_EQ(List(), (Names{"Jazz", "Pop"}));
    EXPECT_EQ(Url("Pop"), "http://pop.invalid/2\r\n");
    EXPECT_TRUE(harness().messageBoxes.empty());

    // An address with a control character is refused, as by Add.
    w->URLEdit->UserType("http://pop.invalid/3\nhttp://other.invalid/");
    w->ChangeSubject->UserClick();
    EXPECT_EQ(MessageTexts(), Names{kBadURL});
    EXPECT_EQ(Url("Pop"), "http://pop.invalid/2\r\n");
}

TEST_F(Stations, ChangeToANameOfTheSameFileRewritesThatFile) {
    w->StationLB->UserSelect(1);
    w->NameEdit->UserType("Rock.FM");
    w->URLEdit->UserType("http://rock.invalid/new");
    w->ChangeSubject->UserClick();
    EXPECT_EQ(List(), (Names{"Jazz", "Rock.FM"}));
    EXPECT_EQ(Url("Rock_FM"), "http://rock.invalid/new\r\n");
}

TEST_F(Stations, RevertRefillsTheFieldsOrWithoutSelectionDisablesTheButtons) {
    w->StationLB->UserSelect(0);
    Type("Jazz?", "edited");
    w->RevertSubject->UserClick();
    EXPECT_EQ(Fields(), "Jazz|http://jazz.invalid/");

    w->ChangeSubject->UserClick();  // leaves no selection
    Type("kept", "kept too");
    w->RevertSubject->UserClick();
    EXPECT_FALSE(GlyphsEnabled());
    EXPECT_EQ(Fields(), "kept|kept too");
}

TEST_F(Stations, DeleteRemovesTheStationAndItsFileEmptiesTheFieldsAndDisablesChange) {
    w->StationLB->UserSelect(1);
    w->DeleteButton->UserClick();
    EXPECT_EQ(List(), Names{"Jazz"});
    EXPECT_EQ(Selected(), -1);
    EXPECT_EQ(Fields(), "|");
    EXPECT_FALSE(GlyphsEnabled());  // nothing is left for Change to store into
    EXPECT_FALSE(FileExists(StationFile("Rock_FM")));

    // Without a selection: the message, and the fields are emptied all the same.
    Type("a", "b");
    w->DeleteButton->UserClick();
    EXPECT_EQ(MessageTexts(), Names{kNoSelection});
    EXPECT_EQ(harness().messageBoxes[0].type, plat::MB_OK);
    EXPECT_EQ(List(), Names{"Jazz"});
    EXPECT_EQ(Fields(), "|");

    // The only station, whose file is already gone.
    platform().DeleteFileA(StationFile("Jazz"));
    w->StationLB->UserSelect(0);
    w->DeleteButton->UserClick();
    EXPECT_EQ(List(), Names{});
    EXPECT_EQ(Selected(), -1);
    EXPECT_EQ(Fields(), "|");
}

// A rename gets Add's rule: the name and its station file must not be another's.
TEST_F(Stations, ARenameToAnotherStationsNameOrFileIsRefusedAndWritesNothing) {
    for (const char* name : {"Rock.FM", "rock fm"}) {
        harness().messageBoxes.clear();
        w->StationLB->UserSelect(0);
        Type(name, "http://jazz.invalid/new");
        w->ChangeSubject->UserClick();
        EXPECT_EQ(MessageTexts(), Names{kTaken}) << name;
        EXPECT_EQ(List(), (Names{"Jazz", "Rock FM"}));
        EXPECT_EQ(Selected(), 0);
        EXPECT_EQ(Url("Rock_FM"), "http://rock.invalid/\r\n") << name;
        EXPECT_EQ(Url("Jazz"), "http://jazz.invalid/\r\n") << name;
    }
    // Its own name in another case is no other's.
    harness().messageBoxes.clear();
    w->StationLB->UserSelect(0);
    Type("JAZZ", "http://jazz.invalid/2");
    w->ChangeSubject->UserClick();
    EXPECT_EQ(List(), (Names{"JAZZ", "Rock FM"}));
    EXPECT_TRUE(harness().messageBoxes.empty());
}

TEST_F(Stations, DeletingOneOfTwoNamesSharingAFileKeepsTheFileForTheOther) {
    w->StationLB->Items()->Add("Rock.FM");  // as an older program's order file may hold
    w->StationLB->UserSelect(2);
    w->DeleteButton->UserClick();
    EXPECT_EQ(List(), (Names{"Jazz", "Rock FM"}));
    EXPECT_TRUE(FileExists(StationFile("Rock_FM")));
    w->StationLB->UserSelect(1);
    w->DeleteButton->UserClick();
    EXPECT_FALSE(FileExists(StationFile("Rock_FM")));
}

TEST_F(Stations, PlayStartsTheSelectedStationOnly) {
    w->PlayButton->UserClick();
    EXPECT_TRUE(harness().winExecs.empty());
    w->StationLB->UserSelect(1);
    w->PlayButton->UserClick();
    ASSERT_EQ(harness().winExecs.size(), 1u);
    EXPECT_EQ(harness().winExecs[0].commandLine, "C:\\raplayer\\raplayer.exe http://rock.invalid/");
}

// Names of devices, which no station file can have, and the empty name that Change
// does not test.
TEST_F(Stations, AFileErrorIsReportedAndLeavesTheListAndTheFields) {
    for (const char* name : {"NUL", "com1", "Lpt9"}) {
        harness().messageBoxes.clear();
        Type(name, "http://x.invalid/");
        w->AddButton->UserClick();
        ASSERT_EQ(harness().messageBoxes.size(), 1u) << name;
        EXPECT_EQ(harness().messageBoxes[0].text, "I/O error 123.") << name;
        EXPECT_EQ(harness().messageBoxes[0].type, plat::MB_OK | plat::MB_ICONSTOP);
        EXPECT_EQ(List(), (Names{"Jazz", "Rock FM"}));
        EXPECT_EQ(Fields(), std::string(name) + "|http://x.invalid/");

        w->StationLB->UserSelect(0);
        Type(name, "http://u.invalid/");
        w->ChangeSubject->UserClick();
        EXPECT_EQ(List(), (Names{"Jazz", "Rock FM"}));
        EXPECT_EQ(Selected(), 0);
        w->StationLB->UserSelect(-1);
    }
    harness().messageBoxes.clear();
    w->StationLB->UserSelect(1);
    Type("", "http://u.invalid/");
    w->ChangeSubject->UserClick();
    ASSERT_EQ(harness().messageBoxes.size(), 1u);
    EXPECT_EQ(harness().messageBoxes[0].text, "File access denied.");
    EXPECT_FALSE(FileExists(StationFile(".tmp")));
    EXPECT_EQ(List(), (Names{"Jazz", "Rock FM"}));
    EXPECT_EQ(Selected(), 1);
    EXPECT_EQ(Url("Rock_FM"), "http://rock.invalid/\r\n");
}

TEST_F(Stations, AnUnreadableStationFileIsReportedOnAClick) {
    harness().FailNext("ReadFile", 5);
    w->StationLB->UserSelect(1);
    EXPECT_EQ(MessageTexts(), Names{"File access denied."});
    EXPECT_EQ(Fields(), "|");
}

}  // namespace
