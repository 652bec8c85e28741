// The floating window's entries for what plays now: the same as the tray menu's,
// handled by the configuration window.
#include "app/radiotoolbar.h"
#include "app/radiowin.h"

void TRadioFloatWin::CreateSongItems() {
    N5 = AddItem(File1, "N5", "-");
    SongNotifications2 = AddItem(File1, "SongNotifications2", "Song &Notifications",
                                 [](TObject* s) { RadioForm->SongNotifications1Click(s); });
    CopySongTitle2 = AddItem(File1, "CopySongTitle2", "Copy Song &Title",
                             [](TObject* s) { RadioForm->CopySongTitle1Click(s); });
    CopySongTitle2->SetEnabled(false);
    Sleep2 = AddItem(File1, "Sleep2", "&Sleep");
    for (int minutes : {0, 15, 30, 60, 90}) {
        TMenuItem* choice =
            AddItem(Sleep2, "", minutes == 0 ? "Off" : std::to_string(minutes) + " Minutes",
                    [minutes](TObject*) { RadioForm->SetSleepTimer(minutes); });
        choice->SetChecked(minutes == 0);
    }
}

void TRadioFloatWin::ShowSongItems(bool notifications, bool canCopy, int sleepMinutesLeft) {
    SongNotifications2->SetChecked(notifications);
    CopySongTitle2->SetEnabled(canCopy);
    Sleep2->SetCaption(
        sleepMinutesLeft > 0 ? "&Sleep (" + std::to_string(sleepMinutesLeft) + " min)" : "&Sleep");
    const TMenuItem* tray = RadioForm->Sleep1;
    for (int i = 0; i < Sleep2->Count() && i < tray->Count(); ++i)
        Sleep2->Items(i)->SetChecked(tray->Items(i)->Checked());
}
