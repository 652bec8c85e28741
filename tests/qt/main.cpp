// The Linux backend's tests need the one QApplication of the process, on the X display
// that scripts/x-session starts, and the tests' stand-ins for other programs first on
// the PATH.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
    const std::string path = std::string(ZEL_TEST_BIN) + ":" + std::getenv("PATH");
    ::setenv("PATH", path.c_str(), 1);
    ::setenv("BROWSER", "zel-test-browser", 1);
    QApplication app(argc, argv);
    QApplication::setApplicationName("zelvora");
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
