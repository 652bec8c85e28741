// Zelvora: a launcher for internet radio stations that lives in the notification
// area. It takes no command-line arguments and ends through its Exit command.
#include "app/program.h"
#include "gui/application.h"
#include "platform/platform.h"
#include "platform/win32/win32.h"

int main() {
    plat::Install(plat::win32::MakePlatform());
    Application = new TApplication();
    StartProgram();
    Application->Run();
    return 0;
}
