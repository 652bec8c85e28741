#include "app/program.h"

#include "app/AboutUNIT.h"
#include "app/radiotoolbar.h"
#include "app/radiowin.h"
#include "app/stationorder.h"
#include "gui/application.h"
#include "platform/platform.h"

void StartProgram() {
    RegisterStationListClass();
    // Another copy's configuration window: the answer only spares one redundant
    // activation of the tray icon; a second copy starts in full.
    const bool anotherCopyRuns = plat::Current().FindWindowA("TRadioForm", nullptr) != 0;

    Application->SetTitle("Zelvora");
    Application->SetHelpFile("Zelvora.hlp");
    RadioForm = Application->CreateForm<TRadioForm>();
    AboutBox = Application->CreateForm<TAboutBox>();
    RadioFloatWin = Application->CreateForm<TRadioFloatWin>();

    plat::Current().ShowWindow(Application->Handle(), plat::SW_HIDE);
    Application->SetShowMainForm(false);
    RadioForm->ActivateTrayAtStart(anotherCopyRuns);
}
