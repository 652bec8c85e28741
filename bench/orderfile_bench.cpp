// Saving and loading the station order file with 100,000 stations, beside reading
// and writing the same bytes raw. The aim: load and save within twice raw I/O.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "app/stationorder.h"
#include "gui/application.h"
#include "gui/listcontrols.h"
#include "platform/headless/headless.h"
#include "platform/paths.h"

namespace {

constexpr int kStations = 100000;

struct World {
    World() {
        root = std::filesystem::temp_directory_path() / "zel-bench";
        std::filesystem::create_directories(root);
        plat::Install(std::make_unique<plat::headless::HeadlessPlatform>(root.string()));
        RegisterStationListClass();
        list = std::make_unique<TListBox>(nullptr);
        for (int i = 0; i < kStations; ++i)
            list->Items()->Add("Station number " + std::to_string(i) + " FM");
        path = (root / "zelvora.set").string();
        SaveStationList(*list, path);
        std::ifstream in(path, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), {});
    }
    ~World() {
        list.reset();
        plat::Uninstall();
        std::filesystem::remove_all(root);
    }
    std::filesystem::path root;
    std::unique_ptr<TListBox> list;
    std::string path;
    std::string bytes;
};

World& TheWorld() {
    static World world;
    return world;
}

void BM_SaveStationList(benchmark::State& state) {
    auto& w = TheWorld();
    for (auto _ : state) SaveStationList(*w.list, w.path);
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(w.bytes.size()));
}

void BM_LoadStationList(benchmark::State& state) {
    auto& w = TheWorld();
    TListBox target(nullptr);
    for (auto _ : state) LoadStationList(target, w.path);
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(w.bytes.size()));
}

void BM_RawWrite(benchmark::State& state) {
    auto& w = TheWorld();
    const std::string raw = (w.root / "raw.bin").string();
    for (auto _ : state) {
        std::ofstream out(raw, std::ios::binary | std::ios::trunc);
        out.write(w.bytes.data(), static_cast<std::streamsize>(w.bytes.size()));
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(w.bytes.size()));
}

void BM_RawRead(benchmark::State& state) {
    auto& w = TheWorld();
    for (auto _ : state) {
        std::ifstream in(w.path, std::ios::binary);
        std::string read(std::istreambuf_iterator<char>(in), {});
        benchmark::DoNotOptimize(read);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(w.bytes.size()));
}

BENCHMARK(BM_SaveStationList)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RawWrite)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadStationList)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RawRead)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
