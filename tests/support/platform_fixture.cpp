// The native fixture: a fresh headless platform rooted in a fresh temporary directory
// for every test, both gone when the test ends.
#include "support/platform_fixture.h"

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/headless/headless.h"

void PlatformTest::SetUp() {
    auto base = std::filesystem::temp_directory_path() / "zel-test-XXXXXX";
    std::string pattern = base.string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    ASSERT_NE(::mkdtemp(name.data()), nullptr) << "cannot make a test directory";
    dir_ = name.data();
    plat::Install(std::make_unique<plat::headless::HeadlessPlatform>(dir_));
}

void PlatformTest::TearDown() {
    // The platform goes first: it closes the files it still holds open.
    plat::Uninstall();
    std::error_code ignored;
    std::filesystem::remove_all(dir_, ignored);
}
