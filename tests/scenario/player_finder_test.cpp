// A start with no player location in the settings finds an installed player.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/radiowin.h"
#include "gui/fileutil.h"
#include "platform/paths.h"
#include "support/app_fixture.h"

namespace {

const plat::HKEY HKLM = plat::HKEY_LOCAL_MACHINE, HKCU = plat::HKEY_CURRENT_USER;

class PlayerFinder : public AppTest {
  protected:
    // An installed program file below the test's own "Program Files".
    std::string Install(const std::string& relative) {
        std::string path = dir() + "/Program Files";
        for (std::size_t start = 0;;) {
            platform().CreateDirectoryA(path);
            auto end = relative.find('\\', start);
            if (end == std::string::npos) break;
            path = plat::JoinPath(path, relative.substr(start, end - start));
            start = end + 1;
        }
        path = plat::JoinPath(path, plat::ExtractFileName(relative));
        WriteText(path, "MZ");
        return path;
    }
    std::string Found() {
        Start();
        return RadioForm->RealAudioLoc;
    }
};

TEST_F(PlayerFinder, TheFirstPlayerFoundInTheRegistryWinsInEitherViewOfTheMachineKeys) {
    const std::string vlc = Install("VideoLAN\\VLC\\vlc.exe");
    const std::string mpc = Install("MPC-HC\\mpc-hc64.exe");
    harness().SetRegistryString(HKCU, "Software\\MPC-HC\\MPC-HC", "ExePath", mpc);
    // A 32-bit VLC keeps its key below WOW6432Node; this program sees it only there.
    harness().SetRegistryString(HKLM, "SOFTWARE\\WOW6432Node\\VideoLAN\\VLC", "InstallDir",
                                plat::ExtractFileDir(vlc));
    EXPECT_EQ(Found(), vlc);
    EXPECT_FALSE(FileExists(SettingsFile())) << "nothing is written before Exit";
    ASSERT_TRUE(Exit());
    EXPECT_NE(ReadText(SettingsFile()).find("RealAudioLoc=" + vlc), std::string::npos);
}

TEST_F(PlayerFinder, StaleKeysAreSkippedForAppPathsTheProgramFoldersAndPath) {
    harness().SetRegistryString(HKLM, "SOFTWARE\\VideoLAN\\VLC", "", "C:\\gone\\vlc.exe");
    const std::string winamp = Install("Winamp\\winamp.exe");
    harness().SetRegistryString(
        HKCU, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\winamp.exe", "",
        "\"" + winamp + "\"");
    EXPECT_EQ(Found(), winamp);

    harness().DeleteRegistryValue(
        HKCU, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\winamp.exe", "");
    Install("MPC-HC\\mpc-hc.exe");
    harness().environment["ProgramFiles"] = dir() + "/Program Files";
    Restart();
    EXPECT_EQ(RadioForm->RealAudioLoc, dir() + "/Program Files/MPC-HC\\mpc-hc.exe");

    harness().environment.clear();
    const std::string mpv = Install("mpv\\mpv.exe");
    harness().environment["PATH"] = "C:\\nothing;" + plat::ExtractFileDir(mpv);
    Restart();
    EXPECT_EQ(RadioForm->RealAudioLoc, mpv);
}

TEST_F(PlayerFinder, ALocationInTheSettingsOrNoPlayerFoundKeepsTheRulesAsTheyWere) {
    const std::string vlc = Install("VideoLAN\\VLC\\vlc.exe");
    harness().SetRegistryString(HKLM, "SOFTWARE\\VideoLAN\\VLC", "", vlc);
    WriteSettings("[Mainform]\r\nRealAudioLoc=D:\\mine\\player.exe\r\n");
    EXPECT_EQ(Found(), "D:\\mine\\player.exe");
    const auto& log = harness().log;
    EXPECT_TRUE(std::none_of(log.begin(), log.end(), [](const std::string& s) {
        return s.starts_with("RegOpenKeyExA(2147483650");
    }));

    WriteSettings("");
    harness().DeleteRegistryValue(HKLM, "SOFTWARE\\VideoLAN\\VLC", "");
    Restart();
    EXPECT_EQ(RadioForm->RealAudioLoc, kDefaultPlayerLocation);
}

// Linux has neither a registry nor the Windows default: the preferred player found on
// PATH, whatever order PATH names the folders in, started with "--" where it takes it.
TEST_F(PlayerFinder, OnLinuxThePreferredPlayerOnPathWinsAndGetsItsEndOfOptions) {
    harness().pathListSeparator = ':';
    const std::string first = dir() + "/first", second = dir() + "/second";
    platform().CreateDirectoryA(first);
    platform().CreateDirectoryA(second);
    WriteText(first + "/audacious", "#!");
    WriteText(second + "/vlc", "#!");
    harness().environment["PATH"] = "/nowhere:" + first + ":" + second;
    SeedStations({{"Jazz", "-jazz.invalid/"}});
    EXPECT_EQ(Found(), second + "/vlc");
    RadioForm->LaunchStation("Jazz");
    EXPECT_EQ(harness().winExecs.back().commandLine,
              second + "/vlc --one-instance --intf=qt,dummy --http-reconnect -- -jazz.invalid/");

    RadioForm->RealAudioLoc = first + "/audacious";  // it takes "--" for an option
    RadioForm->LaunchStation("Jazz");
    EXPECT_EQ(harness().winExecs.back().commandLine, first + "/audacious -jazz.invalid/");

    WriteText(first + "/mpv", "#!");
    Restart();
    EXPECT_EQ(RadioForm->RealAudioLoc, first + "/mpv");

    harness().environment["PATH"] = "/nowhere";
    Restart();
    EXPECT_EQ(RadioForm->RealAudioLoc, "mpv") << "looked for on PATH again at each start";
}

}  // namespace
