// The Linux build's fixture: a fresh Qt platform for every test, over the one
// application of the test program, with a fresh directory that holds the test's own
// HOME and XDG folders.
#include "support/platform_fixture.h"

#include <cstdlib>
#include <filesystem>
#include <vector>

#include "platform/qt/qt.h"

void PlatformTest::SetUp() {
    auto base = std::filesystem::temp_directory_path() / "zel-qt-XXXXXX";
    std::string pattern = base.string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    ASSERT_NE(::mkdtemp(name.data()), nullptr) << "cannot make a test directory";
    dir_ = name.data();
    const std::string home = dir_ + "/home";
    std::filesystem::create_directories(home);
    ::setenv("HOME", home.c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", (home + "/.config").c_str(), 1);
    ::setenv("XDG_DATA_HOME", (home + "/.local/share").c_str(), 1);
    int argc = 0;
    plat::Install(plat::qt::MakePlatform(argc, nullptr));
}

void PlatformTest::TearDown() {
    plat::Uninstall();
    std::error_code ignored;
    std::filesystem::remove_all(dir_, ignored);
}
