// The Windows build's fixture: the real platform, and a fresh directory under the
// system's temporary directory for each test, removed afterwards.
#include "support/platform_fixture.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <string>

#include "platform/win32/win32.h"

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

}  // namespace

void PlatformTest::SetUp() {
    plat::Install(plat::win32::MakePlatform());
    dir_ = FreshDirectory();
}

void PlatformTest::TearDown() {
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
    plat::Uninstall();
}
