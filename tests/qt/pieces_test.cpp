// The backend's pieces that need no desktop: the rich-text reader on good and damaged
// text, desktop entries, where the program's data files are.
#include <gtest/gtest.h>

#include <QTextDocument>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/qt/appearance.h"
#include "platform/qt/desktop_entry.h"
#include "platform/qt/rtf_reader.h"
#include "platform/qt/widgets.h"
#include "platform/qt/xdg.h"

using namespace qtb;

namespace {

using Args = std::vector<std::string>;

// A glyph's picture is looked up only when drawn, and then is one, at either scale;
// no glyph is no icon at all.
TEST(Glyphs, AreThereWhenDrawn) {
    EXPECT_TRUE(GlyphIcon(plat::Glyph::None).isNull());
    for (plat::Glyph g : {plat::Glyph::Play, plat::Glyph::Delete, plat::Glyph::Web}) {
        const QIcon icon = GlyphIcon(g);
        ASSERT_FALSE(icon.isNull());
        for (qreal scale : {1.0, 2.0}) {
            const QPixmap shown = icon.pixmap(QSize(16, 16), scale);
            ASSERT_FALSE(shown.isNull());
            EXPECT_EQ(shown.deviceIndependentSize().toSize(), QSize(16, 16));
            const QImage image = shown.toImage();
            bool painted = false;
            for (int y = 0; y < image.height() && !painted; ++y)
                for (int x = 0; x < image.width() && !painted; ++x)
                    painted = qAlpha(image.pixel(x, y)) > 0;
            EXPECT_TRUE(painted) << static_cast<int>(g) << " at " << scale;
        }
    }
}

// A tip is shown as the text it is, a tag at its start (from a station's name or a
// stream's title) included: no picture or file is ever loaded for it.
TEST(Tips, AreShownAsPlainText) {
    for (const QString& text : {QString("Jazz - Take Five"),
                               QString("<img src='file:///etc/passwd'> - <b>x</b> & y")}) {
        QTextDocument shown;
        shown.setHtml(PlainTip(text));
        EXPECT_EQ(shown.toPlainText(), text);
        EXPECT_FALSE(shown.toHtml().contains("<img")) << PlainTip(text).toStdString();
    }
}

TEST(RichText, KeepsParagraphsBoldSizesAndColours) {
    auto faces = [](const std::string& f) { return f == "Arial" ? std::string("Sans") : f; };
    const auto html = RtfToHtml(
        "{\\rtf1\\ansi\\ansicpg1252{\\fonttbl{\\f0\\fswiss Arial;}}{\\colortbl;\\red0\\green0"
        "\\blue128;}\\pard\\qc\\cf1\\f0\\fs32\\b Caf\\'e9\\b0\\par\\pard\\fs18 {\\i x}\\u8364?y}",
        faces);
    ASSERT_TRUE(html);
    EXPECT_NE(html->find("align=\"center\""), std::string::npos) << *html;
    EXPECT_NE(html->find("font-family:'Sans'; font-size:16pt; font-weight:700; color:#000080;\">"
                         "Caf\xC3\xA9</span>"),
              std::string::npos)
        << *html;
    EXPECT_NE(html->find("font-size:9pt; font-style:italic; color:#000080;\">x</span>"),
              std::string::npos)
        << *html;
    EXPECT_NE(html->find("\xE2\x82\xACy"), std::string::npos) << *html;  // \u with its ? skipped
    EXPECT_EQ(html->find("fonttbl"), std::string::npos);
}

TEST(RichText, DamagedTextIsShownAsFarAsItGoesOrRefused) {
    EXPECT_FALSE(RtfToHtml("plain words", nullptr));
    EXPECT_TRUE(RtfToHtml("{\\rtf1 cut short \\b", nullptr));
    EXPECT_FALSE(RtfToHtml("{\\rtf1" + std::string(kMaxRtfDepth + 1, '{') + "x", nullptr));
    // A size or a binary block claimed larger than anything allocates nothing of it.
    const auto huge = RtfToHtml("{\\rtf1\\fs999999999999 big\\bin4000000000 x}", nullptr);
    ASSERT_TRUE(huge);
    EXPECT_NE(huge->find("font-size:144pt"), std::string::npos) << *huge;
    EXPECT_LT(huge->size(), 400u);
    EXPECT_TRUE(RtfToHtml("{\\rtf1 a}}}}} b", nullptr));  // closing braces too many
}

TEST(DesktopEntries, QuoteExecArgumentsAsTheFormatAsksAndReadBack) {
    DesktopEntry e;
    e.name = "Zelvora";
    e.program = "/opt/my apps/zelvora";
    e.arguments = {"100%", "a\"b$c"};
    e.workingDir = "/opt/my apps/";
    e.icon = "zelvora";
    const std::string text = DesktopEntryText(e);
    const auto exec = text.find("Exec=");
    ASSERT_NE(exec, std::string::npos);
    const std::string value = text.substr(exec + 5, text.find('\n', exec) - exec - 5);
    EXPECT_EQ(value, "\"/opt/my apps/zelvora\" 100%% \"a\\\\\"b\\\\$c\"");
    EXPECT_EQ(SplitExec(UnescapeValue(value)), (Args{"/opt/my apps/zelvora", "100%%", "a\"b$c"}));
    EXPECT_NE(text.find("Path=/opt/my apps/\n"), std::string::npos);
}

// What describes the program to menus is taken from the main group only, each key with
// its translations, as written; a Categories key among them is the entry's one.
TEST(DesktopEntries, CarryTheDescriptionOfAnotherEntry) {
    const auto fields = DescriptionFields(
        "# the package's\r\n[Desktop Entry]\r\nName=Zelvora\r\nGenericName=Radio\r\n"
        "GenericName[de]=Radio\\sDE\r\n#Comment=no\r\nComment = Plays\r\nExec=zelvora\r\n"
        "Keywords=radio;\r\nCategories=Audio;\r\nKeywordsX=no\r\n"
        "[Desktop Action A]\r\nComment=not this\r\n");
    using Fields = std::vector<std::pair<std::string, std::string>>;
    EXPECT_EQ(fields, (Fields{{"GenericName", "Radio"},
                              {"GenericName[de]", "Radio\\sDE"},
                              {"Comment", "Plays"},
                              {"Keywords", "radio;"},
                              {"Categories", "Audio;"}}));
    DesktopEntry e;
    e.name = "Zelvora";
    e.program = "/usr/bin/zelvora";
    e.fields = fields;
    const std::string text = DesktopEntryText(e);
    EXPECT_NE(text.find("\nGenericName[de]=Radio\\sDE\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\nCategories=Audio;\n"), std::string::npos) << text;
    EXPECT_EQ(text.find("Categories=AudioVideo"), std::string::npos) << text;
    EXPECT_EQ(text.find("Path="), std::string::npos) << text;
}

}  // namespace

// The program's data files as built, installed under a prefix or unpacked into a
// scratch root, and in the system's data folders when the program was put elsewhere.
TEST(ProgramData, IsFoundBesideTheProgramThenInItsShareFolderThenInTheDataFolders) {
    namespace fs = std::filesystem;
    const fs::path root = fs::temp_directory_path() / ("zel-data-" + std::to_string(::getpid()));
    auto help = [](const fs::path& dir) {
        fs::create_directories(dir);
        std::ofstream(dir / "zelvora.html") << "<html></html>";
    };
    const std::string saved = std::getenv("XDG_DATA_DIRS") ? std::getenv("XDG_DATA_DIRS") : "";
    ::setenv("XDG_DATA_DIRS", ("relative:" + (root / "system").string()).c_str(), 1);

    fs::create_directories(root / "elsewhere");
    EXPECT_EQ(xdg::ProgramDataDir((root / "elsewhere").string()), (root / "elsewhere").string());
    help(root / "system/zelvora");
    EXPECT_EQ(xdg::ProgramDataDir((root / "elsewhere").string()),
              (root / "system/zelvora").string());
    help(root / "usr/share/zelvora");
    fs::create_directories(root / "usr/bin");
    EXPECT_EQ(xdg::ProgramDataDir((root / "usr/bin").string()),
              (root / "usr/share/zelvora").string());
    help(root / "build");
    EXPECT_EQ(xdg::ProgramDataDir((root / "build").string()), (root / "build").string());

    ::unsetenv("XDG_DATA_DIRS");
    EXPECT_EQ(xdg::DataDirs(), (std::vector<std::string>{"/usr/local/share", "/usr/share"}));
    if (!saved.empty()) ::setenv("XDG_DATA_DIRS", saved.c_str(), 1);
    fs::remove_all(root);
}
