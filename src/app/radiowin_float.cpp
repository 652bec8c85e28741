// What the configuration window shares with the floating window: the mixer whose
// level the floating window shows, its drop-down list and its showing.
#include "app/radiowin.h"

void TRadioForm::CreateMixer() {}
void TRadioForm::StoreMixer() {}
void TRadioForm::RefillFloatingList() {}
void TRadioForm::ShowFloatingWindow(bool) {}
