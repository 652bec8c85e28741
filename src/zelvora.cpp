// Zelvora: a launcher for internet radio stations that lives in the notification
// area. It takes no command-line arguments and ends through its Exit command.
#include "app/program.h"
#include "gui/application.h"
#include "platform/platform.h"
#ifdef _WIN32
#include "platform/win32/win32.h"
#else
#include "platform/qt/qt.h"
#endif

int main(int argc, char** argv) {
#ifdef _WIN32
    (void)argc;
    (void)argv;
    plat::Install(plat::win32::MakePlatform());
#else
    plat::Install(plat::qt::MakePlatform(argc, argv));
#endif
    Application = new TApplication();
    StartProgram();
    Application->Run();
    return 0;
}
