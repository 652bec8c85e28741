// Zelvora: a launcher for internet radio stations that lives in the notification
// area. It ends through its Exit command. The Windows program takes no command-line
// arguments; the Linux one answers --help and --version, before any window is made.
#include <cstdio>
#include <string>
#include <vector>

#include "app/program.h"
#include "gui/application.h"
#include "platform/platform.h"
#ifdef _WIN32
#include "platform/win32/win32.h"
#else
#include "platform/command_line.h"
#include "platform/qt/qt.h"
#endif

#ifndef ZEL_VERSION
#define ZEL_VERSION "0"
#endif

#ifndef _WIN32
namespace {

// The exit status when the arguments ask for anything but a run: 0 once the usage or
// the version is printed, 2 for an option the program does not know (as getopt's
// programs do); -1 to run. Qt's own options are Qt's to read.
int AnswerArguments(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const plat::ProgramRequest request =
        plat::ReadProgramArguments(arguments, plat::qt::ToolkitOptions());
    const std::string name = "zelvora";
    switch (request.kind) {
        case plat::ProgramRequest::Help:
            std::fputs(plat::ProgramUsage(name, ZEL_VERSION).c_str(), stdout);
            return 0;
        case plat::ProgramRequest::Version:
            std::fputs(("Zelvora " + std::string(ZEL_VERSION) + "\n").c_str(), stdout);
            return 0;
        case plat::ProgramRequest::Unknown:
            std::fputs((name + ": unknown option '" + request.option + "'\n").c_str(), stderr);
            std::fputs(plat::ProgramUsageLine(name).c_str(), stderr);
            return 2;
        case plat::ProgramRequest::Run:
            break;
    }
    return -1;
}

}  // namespace
#endif

int main(int argc, char** argv) {
#ifdef _WIN32
    (void)argc;
    (void)argv;
    plat::Install(plat::win32::MakePlatform());
#else
    if (const int status = AnswerArguments(argc, argv); status >= 0) return status;
    plat::Install(plat::qt::MakePlatform(argc, argv));
#endif
    Application = new TApplication();
    StartProgram();
    Application->Run();
    return 0;
}
