// The tray icon and its menu: what a click on the icon shows, and the menu that
// lists the stations.
#include "app/radiowin.h"

void TRadioForm::CreateTray() {}
void TRadioForm::StoreTray() {}
void TRadioForm::ActivateTrayAtStart(bool) {}
void TRadioForm::RemoveTrayIcon() {}

void TRadioForm::TrayMenuPopup(TObject*) {}
void TRadioForm::DesktopMenuClick(TObject*) {}
void TRadioForm::TrayMenu1Click(TObject*) {}
void TRadioForm::PGTrayIcon951Click(TObject*) {}
void TRadioForm::PGTrayIcon951DblClick(TObject*) {}
