// Playing a station: the player's command line, and what a failed start shows.
#include <gtest/gtest.h>

#include "app/radiowin.h"
#include "gui/application.h"
#include "platform/paths.h"
#include "support/app_fixture.h"

namespace {

class Playback : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        SeedStations({{"Jazz FM", "http://jazz.invalid/live"}, {"Empty", ""}});
        Start();
    }
    std::string dir_with_blank() {
        auto d = plat::JoinPath(dir(), "Program Files");
        platform().CreateDirectoryA(d);
        return d;
    }
    std::vector<std::string> CommandLines() {
        std::vector<std::string> lines;
        for (const auto& call : harness().winExecs) {
            lines.push_back(call.commandLine);
            EXPECT_EQ(call.showCmd, plat::SW_SHOWNORMAL);
        }
        return lines;
    }
};

const char* const kFailure =
    "Failed to open RealAudio. Choose Configure RealAudio Location from the Configure menu to "
    "tell Zelvora where RealAudio is, or if you do not have RealAudio, go to "
    "https://player.example.org/ to download and install RealAudio.";

// The program and the address, each one argument: a program path with a blank is
// quoted whether or not it exists, and an empty address gives no argument at all.
TEST_F(Playback, TheCommandLineIsThePlayerABlankAndTheURL) {
    RadioForm->LaunchStation("Jazz FM");
    RadioForm->LaunchStation("Empty");
    RadioForm->RealAudioLoc = "C:\\Program Files\\Player\\play.exe";  // no such file
    RadioForm->LaunchStation("Jazz FM");
    EXPECT_EQ(CommandLines(),
              (std::vector<std::string>{
                  "C:\\raplayer\\raplayer.exe http://jazz.invalid/live",
                  "C:\\raplayer\\raplayer.exe",
                  "\"C:\\Program Files\\Player\\play.exe\" http://jazz.invalid/live"}));
    EXPECT_TRUE(harness().messageBoxes.empty());
}

TEST_F(Playback, AnExistingPlayerPathWithABlankIsQuoted) {
    RadioForm->RealAudioLoc = plat::JoinPath(dir_with_blank(), "play.exe");
    WriteText(RadioForm->RealAudioLoc, "MZ");
    RadioForm->LaunchStation("Jazz FM");
    RadioForm->RealAudioLoc = "\"" + RadioForm->RealAudioLoc + "\" --quiet";
    RadioForm->LaunchStation("Jazz FM");
    auto lines = CommandLines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "\"" + plat::JoinPath(dir_with_blank(), "play.exe") +
                            "\" http://jazz.invalid/live");
    EXPECT_EQ(lines[1], RadioForm->RealAudioLoc + " http://jazz.invalid/live");
}

TEST_F(Playback, AStationWithoutAFileDoesNothing) {
    RadioForm->LaunchStation("Nowhere");
    EXPECT_TRUE(harness().winExecs.empty());
    EXPECT_TRUE(harness().messageBoxes.empty());
}

TEST_F(Playback, AFailedStartShowsTheErrorBoxAndThirtyTwoIsSuccess) {
    RadioForm->RealAudioLoc = "";
    harness().winExecResults = {2, 31, 32};
    for (int i = 0; i < 3; ++i) RadioForm->LaunchStation("Jazz FM");
    EXPECT_EQ(CommandLines()[0], " http://jazz.invalid/live");
    ASSERT_EQ(harness().messageBoxes.size(), 2u);
    EXPECT_EQ(harness().messageBoxes[0].text, kFailure);
    EXPECT_EQ(harness().messageBoxes[0].caption, "Error");
    EXPECT_EQ(harness().messageBoxes[0].type, plat::MB_OK | plat::MB_ICONSTOP);
}

TEST_F(Playback, LaunchURLCountsThirtyTwoAsFailure) {
    harness().shellExecuteResult = 32;
    EXPECT_FALSE(RadioForm->LaunchURL("https://zelvora.example.org/"));
    harness().shellExecuteResult = 33;
    EXPECT_TRUE(RadioForm->LaunchURL("https://zelvora.example.org/"));
    ASSERT_EQ(harness().shellExecutes.size(), 2u);
    const auto& call = harness().shellExecutes[1];
    EXPECT_EQ(call.operation, "open");
    EXPECT_EQ(call.file, "https://zelvora.example.org/");
    EXPECT_EQ(call.owner, Application->Handle());
    EXPECT_EQ(call.showCmd, plat::SW_SHOWNORMAL);
}

TEST_F(Playback, PlayAtStartPlaysTheSelectedStation) {
    WriteSettings("[MainForm]\r\nPlayAtStartCB=1\r\nStationLBItemIndex=0\r\n");
    Restart();
    EXPECT_EQ(CommandLines(),
              std::vector<std::string>{"C:\\raplayer\\raplayer.exe http://jazz.invalid/live"});
}

}  // namespace
