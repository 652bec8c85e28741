// Reading the largest playlist an import reads: a file past the 4 MB limit, and one
// of 100,000 short lines, of which the first 1000 stations are taken. The aim: well
// under a second each, so that a wrong file chosen in the dialog never looks like a
// hang.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "app/playlist.h"
#include "platform/headless/headless.h"

namespace {

struct Files {
    Files() {
        root = std::filesystem::temp_directory_path() / "zel-bench-playlists";
        std::filesystem::create_directories(root);
        plat::Install(std::make_unique<plat::headless::HeadlessPlatform>(root.string()));
        std::string comments(8 * 1024 * 1024, '#');
        for (std::size_t i = 80; i < comments.size(); i += 81) comments[i] = '\n';
        Write(huge = (root / "huge.m3u").string(), comments);
        std::string lines;
        for (int i = 0; i < 100000; ++i)
            lines += "#EXTINF:-1,Station " + std::to_string(i) + "\nhttp://s" + std::to_string(i) +
                     ".invalid/\n";
        Write(many = (root / "many.m3u8").string(), lines);
    }
    ~Files() {
        plat::Uninstall();
        std::filesystem::remove_all(root);
    }
    static void Write(const std::string& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary)
            .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    std::filesystem::path root;
    std::string huge, many;
};

Files& TheFiles() {
    static Files files;
    return files;
}

void BM_ReadPlaylistPastTheLimit(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(ReadPlaylist(TheFiles().huge));
}

void BM_ReadPlaylistOfManyStations(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(ReadPlaylist(TheFiles().many));
}

BENCHMARK(BM_ReadPlaylistPastTheLimit)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadPlaylistOfManyStations)->Unit(benchmark::kMillisecond);

}  // namespace
