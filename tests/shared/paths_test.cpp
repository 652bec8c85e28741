#include <gtest/gtest.h>

#include "platform/help_page.h"
#include "platform/paths.h"

TEST(Paths, TakesWindowsPathsApart) {
    EXPECT_EQ(plat::ExtractFileDir("C:\\raplayer\\raplayer.exe"), "C:\\raplayer");
    EXPECT_EQ(plat::ExtractFileDir("C:\\raplayer.exe"), "C:\\");
    EXPECT_EQ(plat::ExtractFilePath("C:\\a\\b.exe"), "C:\\a\\");
    EXPECT_EQ(plat::ExtractFileName("C:\\a\\b.exe"), "b.exe");
    EXPECT_EQ(plat::ExtractFileName("b.exe"), "b.exe");
    EXPECT_EQ(plat::ExtractFileExt("C:\\a.dir\\b"), "");
    EXPECT_EQ(plat::ExtractFileExt("x\\Zelvora.LNK"), ".LNK");
}

TEST(Paths, HelpPagesOfBothSystemsAreAddressedAsFileUrls) {
    EXPECT_EQ(plat::HelpPageFor("zelvora.HLP", "/opt/zel/"), "/opt/zel/zelvora.html");
    EXPECT_EQ(plat::HelpPageUrl("/home/a b/zelvora.html", "Table_Of_Contents"),
              "file:///home/a%20b/zelvora.html#Table_Of_Contents");
    EXPECT_EQ(plat::HelpPageUrl("C:\\Zel\\zelvora.html", ""), "file:///C:/Zel/zelvora.html");
}
