// Command lines: each argument written into one is read back as itself, by the rules
// Windows programs read theirs by (under Wine, by the system's own reader too), and
// a line is taken apart as Windows starts it.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "platform/command_line.h"

#ifdef _WIN32
#include "win32/native_windows.h"

#include <shellapi.h>
#endif

namespace {

using Args = std::vector<std::string>;

#ifdef _WIN32
// What CommandLineToArgvW makes of the line, each argument back in the code page.
Args SystemReads(const std::string& line) {
    std::wstring wide(line.size() + 1, L'\0');
    wide.resize(::MultiByteToWideChar(CP_ACP, 0, line.c_str(), -1, wide.data(),
                                      static_cast<int>(wide.size())) - 1);
    int count = 0;
    LPWSTR* argv = ::CommandLineToArgvW(wide.c_str(), &count);
    Args args;
    for (int i = 1; argv && i < count; ++i) {
        char narrow[1024] = {};
        ::WideCharToMultiByte(CP_ACP, 0, argv[i], -1, narrow, sizeof narrow, nullptr, nullptr);
        args.push_back(narrow);
    }
    ::LocalFree(argv);
    return args;
}
#endif

// Addresses a playlist or a person may bring: options hidden after a blank, quotes
// and backslashes where the quoting rules look, nothing at all.
const char* const kHostile[] = {
    "http://a.example/x --script=\\\\host\\share\\p.lua",
    "http://x/ :sout=#std{access=file,dst=x}",
    "C:\\Music\\Live set.mp3",
    "",
    "-",
    "\"",
    "a\"b c",
    "a\\\"b",
    "ends in a backslash\\",
    "ends in two\\\\",
    "\\\\server\\share\\",
    "tab\there",
    "\" --script=evil.lua \"",
    "http://a/\\\" x",
};

TEST(CommandLines, EachArgumentIsReadBackAsItselfAndAsOne) {
    for (const char* address : kHostile) {
        const plat::CommandLine line{"C:\\Program Files\\Player\\play.exe", {"--", address}};
        const std::string text = plat::JoinCommandLine(line);
        const plat::CommandLine back = plat::SplitCommandLine(text, nullptr);
        EXPECT_EQ(back.program, line.program) << text;
        EXPECT_EQ(back.arguments, line.arguments) << text;
#ifdef _WIN32
        EXPECT_EQ(SystemReads(text), line.arguments) << text;
#endif
    }
    // Plain ones stand as they are, so a plain line is the one the player always got.
    EXPECT_EQ(plat::JoinCommandLine({"C:\\raplayer\\raplayer.exe", {"http://a/b"}}),
              "C:\\raplayer\\raplayer.exe http://a/b");
}

TEST(CommandLines, AreTakenApartAsWindowsStartsThem) {
    const std::set<std::string> programs{"/opt/My Player/play", "/usr/bin/mpv"};
    auto isProgram = [&](const std::string& p) { return programs.count(p) != 0; };
    auto split = [&](const std::string& line) { return plat::SplitCommandLine(line, isProgram); };

    EXPECT_EQ(split("/usr/bin/mpv http://a/b").program, "/usr/bin/mpv");
    EXPECT_EQ(split("/usr/bin/mpv http://a/b").arguments, Args{"http://a/b"});
    // Unquoted blanks in the path: the first prefix that is a program.
    EXPECT_EQ(split("/opt/My Player/play http://x").program, "/opt/My Player/play");
    EXPECT_EQ(split("/opt/My Player/play http://x").arguments, Args{"http://x"});
    EXPECT_EQ(split("\"/opt/My Player/play\" a").program, "/opt/My Player/play");
    EXPECT_EQ(split("C:\\raplayer\\raplayer.exe http://x").program, "C:\\raplayer\\raplayer.exe");
    // An empty player location leaves the address to be started, which fails.
    EXPECT_EQ(split(" http://x").program, "http://x");
    EXPECT_EQ(split("p a\\\\\"b c\" \"d\"\"e\" f\\g").arguments, (Args{"a\\b c", "d\"e", "f\\g"}));
}

// The Linux program's own options: --help and --version win wherever they stand, an
// unknown option is named, and the toolkit's options pass with their values, in each
// of the ways the toolkit writes them.
TEST(ProgramArguments, AskForHelpTheVersionOrARunAndNameAnUnknownOption) {
    const Args toolkit{"-platform=", "-style=", "-session=", "-reverse"};
    auto read = [&](const Args& args) { return plat::ReadProgramArguments(args, toolkit); };
    using R = plat::ProgramRequest;

    EXPECT_EQ(read({}).kind, R::Run);
    EXPECT_EQ(read({"--help"}).kind, R::Help);
    EXPECT_EQ(read({"-h"}).kind, R::Help);
    EXPECT_EQ(read({"--version"}).kind, R::Version);
    EXPECT_EQ(read({"--version", "--help"}).kind, R::Help);
    EXPECT_EQ(read({"--bogus", "--help"}).kind, R::Help);
    EXPECT_EQ(read({"--bogus", "--version"}).kind, R::Version);
    // Arguments that are no options are passed over, as the program takes none.
    EXPECT_EQ(read({"http://a/b", "file"}).kind, R::Run);

    for (const Args& args : {Args{"-x"}, Args{"--helpme"}, Args{"-"}, Args{"-reverse=1"},
                             Args{"-platform", "xcb", "--frobnicate"}}) {
        const R r = read(args);
        EXPECT_EQ(r.kind, R::Unknown) << args.back();
        EXPECT_EQ(r.option, args.back());
    }
    for (const Args& args :
         {Args{"-platform", "xcb"}, Args{"--platform", "wayland"}, Args{"-style=fusion"},
          Args{"-session", "1234_5"}, Args{"-reverse"}, Args{"--reverse", "-style", "-x"}})
        EXPECT_EQ(read(args).kind, R::Run) << args[0];
    // A toolkit option's value is its, even when it looks like an option.
    EXPECT_EQ(read({"-style", "--help"}).kind, R::Run);
    EXPECT_EQ(read({"-session", "-1"}).kind, R::Run);
}

TEST(ProgramArguments, TheUsageBeginsWithItsLineAndNamesTheVersion) {
    const std::string line = plat::ProgramUsageLine("zelvora");
    EXPECT_EQ(line, "Usage: zelvora [--help] [--version]\n");
    const std::string usage = plat::ProgramUsage("zelvora", "1.2");
    EXPECT_TRUE(usage.starts_with(line)) << usage;
    EXPECT_NE(usage.find("Zelvora 1.2"), std::string::npos) << usage;
    EXPECT_TRUE(usage.ends_with("\n"));
}

}  // namespace
