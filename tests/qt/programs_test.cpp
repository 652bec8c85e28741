// Other programs as the Linux backend reaches them: started without a shell, found by
// their program file, asked to end; and the save dialog, answered from the keyboard.
#include <QFileInfo>
#include <QStandardPaths>
#include <algorithm>

#include "qt/qt_fixture.h"

namespace {

using QtPrograms = QtTest;

bool Has(const std::vector<plat::DWORD>& ids, plat::DWORD id) {
    return std::find(ids.begin(), ids.end(), id) != ids.end();
}

TEST_F(QtPrograms, AStartedProgramIsFoundByItsFileAndEndsWhenAskedTo) {
    auto& p = platform();
    plat::DWORD pid = 0;
    ASSERT_GE(p.CreateProcessA("sleep 30", plat::SW_SHOWNORMAL, &pid), 32u);
    ASSERT_NE(pid, 0u);
    const std::string sleep = QStandardPaths::findExecutable("sleep").toStdString();
    EXPECT_TRUE(WaitFor([&] { return Has(p.ProcessesOfProgram(sleep), pid); }));
    EXPECT_TRUE(Has(p.ProcessesOfProgram("sleep"), pid));  // a bare name, from the PATH
    EXPECT_TRUE(p.CloseProcessWindows(pid));
    EXPECT_TRUE(WaitFor([&] { return !Has(p.ProcessesOfProgram(sleep), pid); }));

    EXPECT_EQ(p.CreateProcessA("/no/such/player http://x", plat::SW_SHOWNORMAL, &pid),
              plat::ERROR_PATH_NOT_FOUND);
    EXPECT_EQ(pid, 0u);
    EXPECT_EQ(p.GetEnvironmentVariableA("ZEL_RECORD"), RecordDir());
    EXPECT_FALSE(p.GetEnvironmentVariableA("ZEL_NOT_SET_ANYWHERE"));
}

TEST_F(QtPrograms, TheSaveDialogAddsTheDefaultExtensionToANameTypedWithoutOne) {
    plat::OpenFileRequest request;
    request.title = "Export Stations";
    request.filter = "Playlists|*.m3u8|All Files|*.*";
    request.initialDir = dir();
    request.defaultExt = "m3u8";
    XdoLater({"sleep", "1.5", "type", "--delay", "30", "mine"});
    XdoLater({"sleep", "2.6", "key", "Return"});
    ASSERT_TRUE(platform().GetSaveFileNameA(request));
    EXPECT_EQ(request.fileName, dir() + "/mine.m3u8");
}

}  // namespace
