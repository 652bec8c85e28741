#include "app/program.h"

#include "app/AboutUNIT.h"
#include "app/radiotoolbar.h"
#include "app/radiowin.h"
#include "app/stationorder.h"
#include "gui/application.h"
#include "platform/platform.h"

void StartProgram() {
    RegisterStationListClass();
    auto& p = plat::Current();
    // One copy per user: two would each write their own list over the other's. A later
    // start has told the copy that runs, which brings its floating window forward.
    if (!p.ClaimSingleInstance()) p.ExitProcess(0);
    // A copy that keeps another folder's files (another unpacked release): the answer
    // only spares one redundant activation of the tray icon.
    const bool anotherCopyRuns = p.FindWindowA("TRadioForm", nullptr) != 0;

    Application->SetTitle("Zelvora");
    Application->SetHelpFile("Zelvora.hlp");
    RadioForm = Application->CreateForm<TRadioForm>();
    AboutBox = Application->CreateForm<TAboutBox>();
    RadioFloatWin = Application->CreateForm<TRadioFloatWin>();

    p.ShowWindow(Application->Handle(), plat::SW_HIDE);
    Application->SetShowMainForm(false);
    RadioForm->ActivateTrayAtStart(anotherCopyRuns);
}
