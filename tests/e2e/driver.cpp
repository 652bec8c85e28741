// The end-to-end drive: starts the real zelvora.exe and goes through a person's day
// with it, acting and looking only through its windows, its files and the test
// player's record. Prints one PASS or FAIL line per step and a closing count.
//
// zel_e2e --exe <program> --player <test player> --record <its record> --out <folder>
//         --package <the release unpacked again> --stubs <stand-in players> --stub-log <theirs>
//         [--directory-log <the tests' station directory's request log>]
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <exception>

#include "e2e/steps.h"
#include "e2e/ui.h"

namespace {

struct Step {
    const char* name;  // also names the step's screenshot
    const char* what;
    void (*run)(e2e::Day&);
};

const Step kSteps[] = {
    {"first-start", "first start: the about box, then the floating window at 0, 0",
     e2e::FirstStart},
    {"player-location", "the player's location chosen with \"Configure RealAudio Location\"",
     e2e::ChoosePlayerLocation},
    {"configure", "\"&Configure\": three stations added, one renamed, one moved",
     e2e::EditStations},
    {"configure-ok", "OK closes the configuration window; the drop-down list follows",
     e2e::CloseConfiguration},
    {"play", "a station chosen in the drop-down list and played", e2e::PlayFromList},
    {"stop", "stop closes the player", e2e::StopPlayer},
    {"tray-menu", "the tray's right button: a menu with the stations that plays them",
     e2e::PlayFromTrayMenu},
    {"tray-exit", "\"Exit\" from the tray saves and ends the program", e2e::ExitFromTray},
    {"restart", "the next start restores everything and plays the selected station",
     e2e::RestartRestores},
    {"hidden-start", "\"Show Floating Window\" cleared: nothing until the tray icon is clicked",
     e2e::HiddenStart},
    {"second-copy", "a second start while one runs ends; the first one's window comes forward",
     e2e::SecondCopy},
    {"new-release", "a newer release unpacked over the folder keeps the list and settings",
     e2e::UnpackNewRelease},
    {"import", "\"Import Stations...\": a playlist through the open dialog, one summary",
     e2e::ImportStations},
    {"export", "\"Export Stations...\": the list as extended M3U through the save dialog",
     e2e::ExportStations},
    {"single-instance", "MPC-HC: the next station goes to the running copy; raised, stopped",
     e2e::SingleInstancePlayer},
    {"vlc-switch", "VLC: started with --one-instance, so one copy plays; raised, stopped",
     e2e::PlayerWithASwitch},
    {"multi-instance", "mpv: closed before the next station; the person's own copy stays",
     e2e::MultiInstancePlayer},
    {"directory", "\"Find Stations...\": found by name, played, added, kept with its id",
     e2e::FindAndAddStation},
};

bool ReadArgs(int argc, char** argv, e2e::Day& day) {
    for (int i = 1; i + 1 < argc; i += 2) {
        std::string key = argv[i], value = argv[i + 1];
        if (key == "--exe")
            day.exe = value;
        else if (key == "--player")
            day.player = value;
        else if (key == "--record")
            day.record = value;
        else if (key == "--out")
            day.out = value;
        else if (key == "--package")
            day.package = value;
        else if (key == "--stubs")
            day.stubs = value;
        else if (key == "--stub-log")
            day.stubLog = value;
        else if (key == "--directory-log")
            day.directoryLog = value;
        else
            return false;
    }
    return !day.exe.empty() && !day.player.empty() && !day.record.empty() && !day.out.empty() &&
           !day.package.empty() && !day.stubs.empty() && !day.stubLog.empty();
}

// Runs one step; its screenshot shows the screen as the step left it.
bool RunStep(const Step& step, e2e::Day& day, std::string& reason) {
    try {
        step.run(day);
    } catch (const e2e::StepFailure& f) {
        reason = f.reason;
    } catch (const std::exception& e) {
        reason = std::string("the drive itself failed: ") + e.what();
    }
    day.Shot(step.name);
    return reason.empty();
}

}  // namespace

int main(int argc, char** argv) {
    e2e::Day day;
    if (!ReadArgs(argc, argv, day)) {
        std::fprintf(stderr,
                     "usage: zel_e2e --exe P --player P --record F --out DIR --package DIR "
                     "--stubs DIR --stub-log F\n");
        return 2;
    }
    int passed = 0, failed = 0;
    for (const Step& step : kSteps) {
        std::string reason;
        bool ok = RunStep(step, day, reason);
        ok ? ++passed : ++failed;
        std::printf("%s %-16s %s%s%s\n", ok ? "PASS" : "FAIL", step.name, step.what,
                    ok ? "" : " -- ", reason.c_str());
        std::fflush(stdout);
    }
    std::printf("e2e: %d passed, %d failed\n", passed, failed);
    return failed == 0 ? 0 : 1;
}
