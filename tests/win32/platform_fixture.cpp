// The Windows build's fixture: the real platform, and a fresh directory under the
// system's temporary directory for each test, removed afterwards.
#include "support/platform_fixture.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include "platform/win32/win32.h"
#include "win32/native_windows.h"

namespace {

std::string FreshDirectory() {
    static std::atomic<int> counter{0};
    auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    auto base = std::filesystem::temp_directory_path();
    for (;;) {
        auto dir =
            base / ("zel" + std::to_string(stamp % 1000000) + "_" + std::to_string(counter++));
        std::error_code ec;
        if (std::filesystem::create_directory(dir, ec)) return dir.string();
        if (ec) throw std::filesystem::filesystem_error("temporary directory", dir, ec);
    }
}

// The windows of the program that tests make keep their list beside the test program,
// and save it when it changes: each test leaves it as it found it.
std::filesystem::path OrderFile() {
    char self[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, self, MAX_PATH);
    return std::filesystem::path(self).parent_path() / "zelvora.set";
}

std::optional<std::string> Read(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::optional<std::string> orderFileBefore;

}  // namespace

void PlatformTest::SetUp() {
    plat::Install(plat::win32::MakePlatform());
    dir_ = FreshDirectory();
    orderFileBefore = Read(OrderFile());
}

void PlatformTest::TearDown() {
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
    if (orderFileBefore)
        std::ofstream(OrderFile(), std::ios::binary) << *orderFileBefore;
    else
        std::filesystem::remove(OrderFile(), ec);
    plat::Uninstall();
}
