// What our INI engine writes back: a file it rewrites must read as it did before,
// whatever odd lines it held.
#include <gtest/gtest.h>

#include <string>

#include "gui/fileutil.h"
#include "gui/inifiles.h"
#include "platform/posix/inifile.h"
#include "platform/paths.h"
#include "support/platform_fixture.h"

using plat::posix::IniFile;
using namespace std::string_literals;

namespace {

std::string ValueOf(const IniFile& ini, const char* section, const char* key) {
    const auto* entry = ini.FindKey(section, key);
    return entry && entry->value ? *entry->value : "<none>";
}

TEST(IniEngine, ARewriteReadsAsTheFileDid) {
    // "[]" is a section of its own: its keys must not join the section before it.
    auto empty = IniFile::Parse("[A]\r\nk=1\r\n[]\r\nj=2\r\n");
    EXPECT_EQ(empty.Serialize(), "[A]\r\nk=1\r\n[]\r\nj=2\r\n");
    EXPECT_EQ(ValueOf(IniFile::Parse(empty.Serialize()), "A", "j"), "<none>");

    // Mark bytes after a blank line are text; rewritten, they must not lead the file.
    for (std::string text : {"\r\n\xEF\xBB\xBF[A]\r\nk=1\r\n"s, " \xEF\xBB\xBFk=1\r\n"s}) {
        auto before = IniFile::Parse(text);
        auto after = IniFile::Parse(before.Serialize());
        EXPECT_FALSE(after.byteOrderMark);
        EXPECT_EQ(after.Serialize(), before.Serialize());
        EXPECT_EQ(ValueOf(after, "A", "k"), "<none>");
    }
    // A real mark, and a second one behind it, stay as they were.
    auto twice = IniFile::Parse("\xEF\xBB\xBF\xEF\xBB\xBF[A]\r\n");
    EXPECT_EQ(twice.Serialize(), "\xEF\xBB\xBF\xEF\xBB\xBF[A]\r\n");
}

class IniEngineFiles : public PlatformTest {};

TEST_F(IniEngineFiles, ATenMegabyteValueIsCutToTheReadBufferAndLosesNothing) {
    const std::string path = plat::JoinPath(dir(), "big.ini");
    TIniFile ini(path);
    ini.WriteString("A", "k", "1");
    ini.WriteString("A", "big", std::string(10 << 20, 'v'));
    EXPECT_EQ(ini.ReadString("A", "big", ""), std::string(1023, 'v'));
    EXPECT_EQ(ini.ReadInteger("A", "big", 7), 7);
    ini.WriteString("A", "k", "2");  // a rewrite keeps the long value whole
    std::string bytes;
    ASSERT_EQ(ReadWholeFile(path, bytes), 0u);
    EXPECT_TRUE(bytes == "[A]\r\nk=2\r\nbig=" + std::string(10 << 20, 'v') + "\r\n");
}

}  // namespace
