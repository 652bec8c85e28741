// How the private-profile functions read and write INI files. The same cases run
// natively against our own engine and, in the Windows build, against the real
// functions under Wine, so that the engine answers as Windows does.
#include <string>

#include "platform/paths.h"
#include "support/platform_fixture.h"

using namespace std::string_literals;

namespace {

struct Answer {
    plat::DWORD count;
    std::string text;  // the first count bytes of the buffer
};

class IniVectors : public PlatformTest {
  protected:
    void TearDown() override {
        platform().DeleteFileA(BarePath());
        PlatformTest::TearDown();
    }

    // A bare name lives in the Windows directory; one per test, removed afterwards.
    std::string Bare() const {
        return "zel_vectors_"s + ::testing::UnitTest::GetInstance()->current_test_info()->name() +
               ".ini";
    }
    std::string BarePath() { return plat::JoinPath(platform().GetWindowsDirectoryA(), Bare()); }
    std::string Full() const { return plat::JoinPath(dir(), "vectors.ini"); }

    void Lay(const std::string& path, const std::string& bytes) {
        auto file = platform().CreateFileA(path, plat::GENERIC_WRITE, plat::CREATE_ALWAYS);
        ASSERT_NE(file, plat::INVALID_HANDLE_VALUE);
        plat::DWORD written = 0;
        ASSERT_TRUE(platform().WriteFile(file, bytes.data(), bytes.size(), &written));
        ASSERT_TRUE(platform().CloseHandle(file));
    }

    std::string Bytes(const std::string& path) {
        auto file = platform().CreateFileA(path, plat::GENERIC_READ, plat::OPEN_EXISTING);
        if (file == plat::INVALID_HANDLE_VALUE) return "<missing>";
        std::string bytes(platform().GetFileSize(file), '\0');
        plat::DWORD read = 0;
        platform().ReadFile(file, bytes.data(), bytes.size(), &read);
        platform().CloseHandle(file);
        return bytes.substr(0, read);
    }

    Answer Get(const std::string& file, const char* section, const char* key,
               const char* fallback = "", plat::DWORD size = 1024) {
        std::string buffer(size, '\x7F');
        auto n = platform().GetPrivateProfileStringA(section, key, fallback, buffer.data(), size,
                                                     file.c_str());
        return {n, buffer.substr(0, n)};
    }
    std::string Value(const std::string& file, const char* section, const char* key,
                      const char* fallback = "") {
        auto answer = Get(file, section, key, fallback);
        EXPECT_EQ(answer.count, answer.text.find('\0') == std::string::npos
                                    ? answer.text.size()
                                    : answer.text.find('\0'));
        return answer.text;
    }

    bool Put(const std::string& file, const char* section, const char* key, const char* value) {
        return platform().WritePrivateProfileStringA(section, key, value, file.c_str()) != 0;
    }
};

TEST_F(IniVectors, NamesMatchIgnoringCaseAndTheTwoSpellingsShareOneSection) {
    ASSERT_TRUE(Put(Bare(), "MainForm", "Status", "1"));
    ASSERT_TRUE(Put(Bare(), "Mainform", "StationLBItemIndex", "2"));
    ASSERT_TRUE(Put(Bare(), "MainForm", "Top", "50"));
    ASSERT_TRUE(
        Put(Bare(), "mainform", "STATUS", "0"));  // replaces; the name stays as first written

    EXPECT_EQ(Bytes(BarePath()), "[MainForm]\r\nStatus=0\r\nStationLBItemIndex=2\r\nTop=50\r\n");
    EXPECT_EQ(Value(Bare(), "MAINFORM", "stationlbitemindex"), "2");
    EXPECT_EQ(Value(Bare(), "Mainform", "Status"), "0");
}

TEST_F(IniVectors, BlanksAroundNamesAndValuesAreTrimmed) {
    Lay(Full(),
        "  [Sec]  \r\n  key1  =   value one  \r\nkey2\t=\tv2\t\r\nkey3=a = b\r\n"
        "key4=v4\x1A\r\n\x1A");
    EXPECT_EQ(Value(Full(), "Sec", "key1"), "value one");
    EXPECT_EQ(Value(Full(), "  Sec ", " key1\t"), "value one");
    EXPECT_EQ(Value(Full(), "Sec", "key2"), "v2");
    EXPECT_EQ(Value(Full(), "Sec", "key3"), "a = b");  // split at the first "="
    EXPECT_EQ(Value(Full(), "Sec", "key4"), "v4");     // Ctrl-Z counts as a blank
}

TEST_F(IniVectors, LinesEndAtALoneCarriageReturnToo) {
    Lay(Full(), "[A]\rk=1\rj=2\nm=3\r\n[ Spaced ]\r\ns=4");
    EXPECT_EQ(Value(Full(), "A", "k"), "1");
    EXPECT_EQ(Value(Full(), "A", "j"), "2");
    EXPECT_EQ(Value(Full(), "A", "m"), "3");
    EXPECT_EQ(Value(Full(), "Spaced", "s"), "4");  // blanks inside the brackets go too
}

TEST_F(IniVectors, OnePairOfSurroundingQuotesIsDropped) {
    Lay(Full(),
        "[Q]\r\na=\"quoted\"\r\nb='single'\r\nc=\"mixed'\r\nd=\"\r\ne=\"\"\r\n"
        "f=\" padded \"\r\ng=\"\"twice\"\"\r\n");
    EXPECT_EQ(Value(Full(), "Q", "a"), "quoted");
    EXPECT_EQ(Value(Full(), "Q", "b"), "single");
    EXPECT_EQ(Value(Full(), "Q", "c"), "\"mixed'");
    EXPECT_EQ(Value(Full(), "Q", "d"), "\"");
    EXPECT_EQ(Value(Full(), "Q", "e"), "");
    EXPECT_EQ(Value(Full(), "Q", "f"), " padded ");
    EXPECT_EQ(Value(Full(), "Q", "g"), "\"twice\"");
}

TEST_F(IniVectors, TheDefaultLosesQuotesAndTrailingSpacesOnly) {
    Lay(Full(), "[A]\r\nk=1\r\n");
    EXPECT_EQ(Value(Full(), "A", "missing", "\"dflt\""), "dflt");
    EXPECT_EQ(Value(Full(), "A", "missing", "abc   "), "abc");
    EXPECT_EQ(Value(Full(), "A", "missing", "  abc\t"), "  abc\t");
    EXPECT_EQ(Value(Full(), "A", "missing", nullptr), "");
}

TEST_F(IniVectors, MissingKeysSectionsAndFilesGiveTheDefault) {
    Lay(Full(), "[A]\r\nk=1\r\nnovalue\r\n=orphan\r\n");
    EXPECT_EQ(Value(Full(), "A", "x", "d"), "d");
    EXPECT_EQ(Value(Full(), "B", "k", "d"), "d");
    EXPECT_EQ(Value(Full(), "A", "novalue", "d"), "d");  // a line without "=" is no key
    EXPECT_EQ(Value(Full(), "A", "", "d"), "orphan");    // "=orphan" has an empty name
    EXPECT_EQ(Value(plat::JoinPath(dir(), "absent.ini"), "A", "k", "d"), "d");
    EXPECT_EQ(Value(Bare(), "A", "k", "d"), "d");
}

TEST_F(IniVectors, EmptyValuesAreValuesNotDefaults) {
    Lay(Full(), "[A]\r\nempty=\r\nblank=   \r\n");
    EXPECT_EQ(Get(Full(), "A", "empty", "d").count, 0u);
    EXPECT_EQ(Value(Full(), "A", "blank", "d"), "");
}

TEST_F(IniVectors, TheFirstOfDuplicateSectionsAndKeysWins) {
    Lay(Full(), "[S]\r\nk=1\r\nk=2\r\n[other]\r\nx=0\r\n[s]\r\nk=3\r\nj=4\r\n");
    EXPECT_EQ(Value(Full(), "S", "k"), "1");
    EXPECT_EQ(Value(Full(), "s", "j", "none"), "none");  // the later copy is never reached
    EXPECT_EQ(Get(Full(), nullptr, nullptr).text, "S\0other\0s\0"s);
    EXPECT_EQ(Get(Full(), "S", nullptr).text, "k\0k\0"s);

    // Writing keeps every copy; deleting a section takes the first one only.
    ASSERT_TRUE(Put(Full(), "S", "k", "9"));
    ASSERT_TRUE(Put(Full(), "s", nullptr, nullptr));
    EXPECT_EQ(Bytes(Full()), "[other]\r\nx=0\r\n[s]\r\nk=3\r\nj=4\r\n");
}

TEST_F(IniVectors, KeysBeforeTheFirstHeaderBelongToTheUnnamedSection) {
    Lay(Full(), "top=1\r\n[A]\r\nk=2\r\n");
    EXPECT_EQ(Value(Full(), "", "top"), "1");
    EXPECT_EQ(Value(Full(), "A", "top", "d"), "d");
}

TEST_F(IniVectors, LongValuesAreCutToTheBuffer) {
    std::string longValue(1500, 'x');
    longValue.replace(1020, 5, "ABCDE");
    Lay(Full(), "[A]\r\nlong=" + longValue + "\r\nfits=" + std::string(1023, 'y') + "\r\n");

    auto cut = Get(Full(), "A", "long");
    EXPECT_EQ(cut.count, 1023u);
    EXPECT_EQ(cut.text, longValue.substr(0, 1023));
    EXPECT_EQ(Get(Full(), "A", "fits").count, 1023u);
    EXPECT_EQ(Get(Full(), "A", "long", "", 4).text, "xxx");
}

TEST_F(IniVectors, AQuotedValueTooLongForTheBufferIsCutWhereWindowsCutsIt) {
    Lay(Full(), "[A]\r\nq=\"abcdef\"\r\nlong=\"" + std::string(1023, 'x') + "\"\r\n");
    const char* expected[] = {"", "a", "ab", "abc", "abcd", "abcde", "abcde", "abcdef", "abcdef"};
    for (plat::DWORD size = 1; size <= 9; ++size) {
        auto answer = Get(Full(), "A", "q", "", size);
        EXPECT_EQ(answer.text, expected[size - 1]) << size;
        EXPECT_EQ(answer.count, answer.text.size()) << size;
    }
    // The closing quote takes a place in the buffer before it is dropped.
    EXPECT_EQ(Get(Full(), "A", "long", "", 1024).count, 1022u);
    EXPECT_EQ(Get(Full(), "A", "long", "", 1025).count, 1023u);
}

TEST_F(IniVectors, QuotesStayInNamesAndUnmatchedQuotesInValues) {
    Lay(Full(), "[A]\r\n\"k1\"=1\r\n'k2'=2\r\nu=\"abc\r\nm=\"a\"b\"\r\n[\"S\"]\r\nx=1\r\n");
    EXPECT_EQ(Get(Full(), "A", nullptr).text, "\"k1\"\0'k2'\0u\0m\0"s);
    EXPECT_EQ(Get(Full(), "A", nullptr, "", 6).text, "\"k1\"");
    EXPECT_EQ(Get(Full(), nullptr, nullptr).text, "A\0\"S\"\0"s);
    EXPECT_EQ(Value(Full(), "A", "\"k1\""), "1");
    EXPECT_EQ(Value(Full(), "A", "k1", "d"), "d");
    EXPECT_EQ(Value(Full(), "A", "u"), "\"abc");
    EXPECT_EQ(Value(Full(), "A", "m"), "a\"b");
    EXPECT_EQ(Get(Full(), "A", "none", "\"abcdef\"", 7).text, "abcde");
}

TEST_F(IniVectors, AValueEndsAtANulByte) {
    Lay(Full(), "[A]\r\nq=\"ab\"\0x\r\nk=1\r\n"s);
    EXPECT_EQ(Value(Full(), "A", "q"), "ab");
    EXPECT_EQ(Value(Full(), "A", "k"), "1");
}

TEST_F(IniVectors, AnEmptySectionHeaderStartsASectionOfItsOwn) {
    Lay(Full(), "top=0\r\n[A]\r\nk=1\r\n[]\r\nj=2\r\n[B]\r\nb=3\r\n");
    EXPECT_EQ(Value(Full(), "A", "j", "d"), "d");
    EXPECT_EQ(Value(Full(), "", "j", "d"), "d");  // "" is the part before the first header
    EXPECT_EQ(Value(Full(), "", "top", "d"), "0");
    EXPECT_EQ(Value(Full(), "B", "b", "d"), "3");
    EXPECT_EQ(Get(Full(), nullptr, nullptr).text, "A\0B\0"s);
}

TEST_F(IniVectors, AByteOrderMarkAfterTheStartIsText) {
    Lay(Full(), "\r\n\xEF\xBB\xBF[A]\r\nk=1\r\n");
    EXPECT_EQ(Value(Full(), "A", "k", "d"), "d");
    EXPECT_EQ(Value(Full(), "", "k", "d"), "1");
    EXPECT_EQ(Get(Full(), nullptr, nullptr).count, 0u);
}

TEST_F(IniVectors, NullNamesListSectionsAndKeys) {
    Lay(Full(), "[Alpha]\r\nk1=1\r\n;comment\r\nplain\r\nk2=\r\n[Beta]\r\n");
    EXPECT_EQ(Get(Full(), nullptr, nullptr).text, "Alpha\0Beta\0"s);
    EXPECT_EQ(Get(Full(), "alpha", nullptr).text, "k1\0k2\0"s);
    EXPECT_EQ(Get(Full(), "Beta", nullptr, "none").text, "none");
    // Too small: the list is cut and the answer is the size less two.
    EXPECT_EQ(Get(Full(), nullptr, nullptr, "", 5).count, 3u);
    EXPECT_EQ(Get(Full(), nullptr, nullptr, "", 5).text, "Alp");
}

TEST_F(IniVectors, WritesAppendKeysToTheirSectionAndSectionsToTheFile) {
    ASSERT_TRUE(Put(Full(), "App", "one", "1"));
    ASSERT_TRUE(Put(Full(), "App", "two", "2"));
    ASSERT_TRUE(Put(Full(), "Other", "x", "y"));
    ASSERT_TRUE(Put(Full(), "App", "three", "   3"));   // leading blanks go
    ASSERT_TRUE(Put(Full(), "App", "two", "a \"b\""));  // in place; no quotes added
    ASSERT_TRUE(Put(Full(), "Other", "empty", ""));
    EXPECT_EQ(Bytes(Full()),
              "[App]\r\none=1\r\ntwo=a \"b\"\r\nthree=3\r\n[Other]\r\nx=y\r\nempty=\r\n");
}

TEST_F(IniVectors, ARewriteKeepsCommentsAndDropsBlankLinesAndBlanks) {
    Lay(Full(), "; top\r\n\r\n[A]\r\n  key = value  \r\n\r\n\r\n[B]\r\nx=1\r\n");
    ASSERT_TRUE(Put(Full(), "A", "n", "1"));
    EXPECT_EQ(Bytes(Full()), "; top\r\n[A]\r\nkey=value\r\nn=1\r\n[B]\r\nx=1\r\n");
}

TEST_F(IniVectors, NullValueDeletesAKeyAndNullKeyASection) {
    ASSERT_TRUE(Put(Bare(), "A", "x", "1"));
    ASSERT_TRUE(Put(Bare(), "A", "y", "2"));
    ASSERT_TRUE(Put(Bare(), "B", "z", "3"));

    ASSERT_TRUE(Put(Bare(), "a", "X", nullptr));
    EXPECT_EQ(Bytes(BarePath()), "[A]\r\ny=2\r\n[B]\r\nz=3\r\n");
    ASSERT_TRUE(Put(Bare(), "A", "missing", nullptr));  // nothing to do is no failure
    ASSERT_TRUE(Put(Bare(), "b", nullptr, nullptr));
    EXPECT_EQ(Bytes(BarePath()), "[A]\r\ny=2\r\n");
    ASSERT_TRUE(Put(Bare(), "A", "y", nullptr));
    EXPECT_EQ(Bytes(BarePath()), "[A]\r\n");
}

TEST_F(IniVectors, AByteOrderMarkIsKept) {
    Lay(Full(), "\xEF\xBB\xBF[A]\r\nk=1\r\n");
    EXPECT_EQ(Value(Full(), "A", "k"), "1");
    ASSERT_TRUE(Put(Full(), "A", "j", "2"));
    EXPECT_EQ(Bytes(Full()), "\xEF\xBB\xBF[A]\r\nk=1\r\nj=2\r\n");
}

}  // namespace
