// Importing a playlist of 1,000 stations into a list of 1,000 on the Linux build, as
// the import does it: the file read, then each station by Add's rules, whose name test
// compares the name and its station file with the listed ones in the user's locale
// (Qt's collation), and its station file written. The aim: under a second.
#include <benchmark/benchmark.h>

#include <QByteArray>
#include <QtGlobal>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/playlist.h"
#include "app/stationlist.h"
#include "platform/qt/qt.h"

namespace {

constexpr int kStations = 1000;

// Names with a long common start, the slow case for a comparison.
std::string Name(int i) {
    return "Radio Station Number " + std::to_string(i);
}

struct Desk {
    Desk() {
        qputenv("QT_QPA_PLATFORM", QByteArray("offscreen"));  // no window is shown
        static int argc = 1;
        static char arg0[] = "zel_bench_linux";
        static char* argv[] = {arg0, nullptr};
        plat::Install(plat::qt::MakePlatform(argc, argv));
        root = std::filesystem::temp_directory_path() / "zel-bench-import";
        std::filesystem::remove_all(root);
        std::filesystem::create_directories(root / "settings");
        std::string text = "#EXTM3U\n";
        for (int i = kStations; i < 2 * kStations; ++i)
            text += "#EXTINF:-1," + Name(i) + "\nhttp://s" + std::to_string(i) + ".invalid/\n";
        playlist = (root / "import.m3u8").string();
        std::ofstream(playlist, std::ios::binary) << text;
    }
    ~Desk() {
        std::filesystem::remove_all(root);
        plat::Uninstall();
    }
    std::filesystem::path root;
    std::string playlist;
};

void BM_Import1000StationsInto1000(benchmark::State& state) {
    static Desk desk;
    const TStationStore store((desk.root / "settings").string());
    for (auto _ : state) {
        state.PauseTiming();
        TStringList names;
        for (int i = 0; i < kStations; ++i) names.Add(Name(i));
        state.ResumeTiming();
        TTakenNames taken(names.Items());
        for (const auto& entry : ReadPlaylist(desk.playlist).entries)
            if (AddStationTo(names, taken, store, entry.name, entry.address) != TAddResult::Added)
                state.SkipWithError("a station was not added");
    }
}

BENCHMARK(BM_Import1000StationsInto1000)->Unit(benchmark::kMillisecond);

}  // namespace
BENCHMARK_MAIN();
