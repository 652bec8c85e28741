// Editing the station list: the list, the two edit fields and the buttons around
// them. Station files follow each add, change and delete at once; the list itself
// reaches the disk only at exit.
#include "app/radiowin.h"

#include "app/stationaddress.h"
#include "gui/application.h"
#include "platform/platform.h"

namespace {

const char* const kNameTaken = "Please change the name as that name already exists.";
const char* const kBadURL =
    "The URL must not contain control characters, such as tabs or line breaks.";
const char* const kNoStationURL =
    "The URL must be a stream (http, https, mms, mmsh, rtsp, rtmp or pnm) or the full path of a "
    "file.";

bool SameText(const std::string& a, const std::string& b) {
    return plat::Current().CompareStringA(plat::NORM_IGNORECASE, a, b) == plat::CSTR_EQUAL;
}

void Tell(const char* text) {
    Application->MessageBox(text, Application->Title(), plat::MB_OK);
}

}  // namespace

void TRadioForm::ConnectStationEditing() {
    StationLB->OnClick = [this](TObject* s) { StationLBClick(s); };
    StationLB->OnDragOver = [this](TObject* s, TObject* src, int x, int y, TDragState st,
                                   bool& accept) { StationLBDragOver(s, src, x, y, st, accept); };
    StationLB->OnDragDrop = [this](TObject* s, TObject* src, int x, int y) {
        StationLBDragDrop(s, src, x, y);
    };
    StationLB->OnEndDrag = [this](TObject* s, TObject* t, int x, int y) {
        StationLBEndDrag(s, t, x, y);
    };
    AddButton->OnClick = [this](TObject* s) { AddButtonClick(s); };
    DeleteButton->OnClick = [this](TObject* s) { DeleteButtonClick(s); };
    PlayButton->OnClick = [this](TObject* s) { PlayButtonClick(s); };
    ChangeSubject->OnClick = [this](TObject* s) { ChangeSubjectClick(s); };
    RevertSubject->OnClick = [this](TObject* s) { RevertSubjectClick(s); };
    SpeedButton1->OnClick = [this](TObject* s) { SpeedButton1Click(s); };
    SpeedButton2->OnClick = [this](TObject* s) { SpeedButton2Click(s); };
}

void TRadioForm::StationLBClick(TObject*) {
    FillFieldsFromSelection();
}

// A failure to read the station file leaves the name field as it was, so the
// fields never show one station's name with another's URL.
void TRadioForm::FillFieldsFromSelection() {
    const int i = StationLB->ItemIndex();
    ChangeSubject->SetEnabled(i >= 0);
    RevertSubject->SetEnabled(i >= 0);
    if (i < 0) return;
    const std::string name = StationLB->Items()->Strings(i);
    if (auto url = Stations().ReadURL(name)) URLEdit->SetText(*url);
    NameEdit->SetText(name);
}

TAddResult TRadioForm::AddStation(const std::string& name, const std::string& url) {
    return AddStationTo(*StationLB->Items(), Stations(), name, url);
}

void TRadioForm::AddButtonClick(TObject*) {
    switch (AddStation(NameEdit->Text(), URLEdit->Text())) {
        case TAddResult::NameTaken:
            return Tell(kNameTaken);
        case TAddResult::NoName:
            return Tell("You must first enter a name");
        case TAddResult::NoURL:
            return Tell("You must first enter the URL (the web location of the radio station)");
        case TAddResult::BadURL:
            return Tell(kBadURL);
        case TAddResult::NoStationURL:
            return Tell(kNoStationURL);
        case TAddResult::Added:
            break;
    }
    URLEdit->SetText("");
    NameEdit->SetText("");
    RefillFloatingList();
}

// A rename keeps the old station file: it is simply no longer used. It gets Add's
// rules for the name, so that it never writes over another station's file (without a
// selection Change rewrites the file of the name it just stored), and for the URL,
// which may be left empty.
void TRadioForm::ChangeSubjectClick(TObject*) {
    const std::string name = NameEdit->Text();
    const int i = StationLB->ItemIndex();
    if (i >= 0 && StationNameTaken(StationLB->Items()->Items(), name, i)) return Tell(kNameTaken);
    const TCheckedAddress checked = CheckStationAddress(URLEdit->Text());
    if (checked.fault == TAddressFault::ControlCharacter) return Tell(kBadURL);
    if (!checked.address.empty() && checked.fault == TAddressFault::NoStation)
        return Tell(kNoStationURL);
    Stations().Write(name, checked.address);
    if (i >= 0) {
        StationLB->Items()->Delete(i);
        StationLB->Items()->Insert(i, name);
        StationLB->SetItemIndex(-1);
    }
    RefillFloatingList();
}

void TRadioForm::RevertSubjectClick(TObject*) {
    FillFieldsFromSelection();
    RefillFloatingList();
}

// A renamed station can share its file with another listed one; that file stays
// for the station still using it.
bool TRadioForm::FileSharedByOthers(int index) const {
    const auto& items = StationLB->Items()->Items();
    const std::string file = StationFileName(items[index]);
    for (int i = 0; i < static_cast<int>(items.size()); ++i)
        if (i != index && SameText(file, StationFileName(items[i]))) return true;
    return false;
}

void TRadioForm::DeleteButtonClick(TObject*) {
    const int i = StationLB->ItemIndex();
    if (i < 0) {
        Tell("You need to first select a station to delete.");
    } else {
        if (!FileSharedByOthers(i)) Stations().Delete(StationLB->Items()->Strings(i));
        StationLB->Items()->Delete(i);
        StationLB->SetItemIndex(-1);
    }
    RefillFloatingList();
    NameEdit->SetText("");
    URLEdit->SetText("");
    // With the fields emptied there is nothing for Change to store, nor to revert to.
    ChangeSubject->SetEnabled(false);
    RevertSubject->SetEnabled(false);
}

void TRadioForm::PlayButtonClick(TObject*) {
    int i = StationLB->ItemIndex();
    if (i >= 0) LaunchStation(StationLB->Items()->Strings(i));
}

void TRadioForm::MoveStation(int from, int to) {
    auto* items = StationLB->Items();
    const std::string name = items->Strings(from);
    items->Delete(from);
    items->Insert(to, name);
    StationLB->SetItemIndex(to);
}

void TRadioForm::SpeedButton1Click(TObject*) {
    const int i = StationLB->ItemIndex();
    if (i >= 1) MoveStation(i, i - 1);
}

void TRadioForm::SpeedButton2Click(TObject*) {
    const int i = StationLB->ItemIndex();
    if (i >= 0 && i < StationLB->Items()->Count() - 1) MoveStation(i, i + 1);
}

// ---- Dragging a station to another place in the list ----------------------------------
// Timer3 marks the bands at the top and the bottom of the list where the list would
// scroll; it has no action of its own.

void TRadioForm::StationLBDragOver(TObject*, TObject* source, int x, int y, TDragState,
                                   bool& accept) {
    const plat::RECT client = StationLB->ClientRect();
    accept = source == StationLB && x >= client.left && x < client.right && y >= client.top &&
             y < client.bottom;
    if (!accept) return;
    const int row = StationLB->ItemHeight();
    dragScroll_ = y > plat::SaturatingSub(client.bottom, row) ? 1 : y < row ? -1 : 0;
    Timer3->SetEnabled(dragScroll_ != 0);
}

void TRadioForm::StationLBDragDrop(TObject*, TObject*, int x, int y) {
    const int count = StationLB->Items()->Count();
    int target = StationLB->ItemAtPos(plat::POINT{x, y}, false);
    if (target < 0) return;
    if (target >= count) target = count - 1;
    const int selected = StationLB->ItemIndex();
    if (selected >= 0) MoveStation(selected, target);
}

void TRadioForm::StationLBEndDrag(TObject*, TObject*, int, int) {
    Timer3->SetEnabled(false);
    dragScroll_ = 0;
}
