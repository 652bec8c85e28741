#include "app/findstations.h"

#include "app/radiowin.h"
#include "gui/application.h"

namespace {

void Tell(const std::string& text) {
    Application->MessageBox(text, Application->Title(), plat::MB_OK);
}

std::string Quoted(const std::string& name) {
    return "\"" + name + "\"";
}

const char* FailureText(TDirectoryFailure failure) {
    return failure == TDirectoryFailure::Unreadable ? kDirectoryUnreadable : kDirectoryUnreachable;
}

}  // namespace

TFindStationsForm::TFindStationsForm(TComponent* owner, TRadioForm& radio)
    : TForm(owner, "TFindStationsForm"), radio_(radio) {
    SetName("FindStationsForm");
    SetCaption("Find Stations");
    SetBorderStyle(bsDialog);
    SetBorderIcons(biSystemMenu);
    SetPosition(poScreenCenter);
    SetClientWidth(560);
    SetClientHeight(380);
    SetFont(plat::FontSpec{"MS Sans Serif", 8, false, false});
    CreateControls();
    ConnectHandlers();
    EnableButtons();
}

// What is still on its way is no longer wanted.
TFindStationsForm::~TFindStationsForm() {
    if (search_ > 0) radio_.Directory().Cancel(search_);
    if (check_ > 0) radio_.Directory().Cancel(check_);
}

void TFindStationsForm::ConnectHandlers() {
    auto on = [this](void (TFindStationsForm::*handler)(TObject*)) {
        return [this, handler](TObject* s) { (this->*handler)(s); };
    };
    SearchButton->OnClick = on(&TFindStationsForm::SearchButtonClick);
    MoreButton->OnClick = on(&TFindStationsForm::MoreButtonClick);
    PlayButton->OnClick = on(&TFindStationsForm::PlayButtonClick);
    AddButton->OnClick = on(&TFindStationsForm::AddButtonClick);
    CheckButton->OnClick = on(&TFindStationsForm::CheckButtonClick);
    ResultList->OnClick = on(&TFindStationsForm::ResultListClick);
    ResultList->OnEnter = on(&TFindStationsForm::ResultListEnter);
}

bool TFindStationsForm::WndProc(plat::Message& m) {
    if (m.msg == plat::ZM_DEFAULT && ResultList->HandleAllocated() &&
        static_cast<plat::HWND>(m.lParam) == ResultList->Handle()) {
        RunUserEvent([this] { PlayButtonClick(ResultList); });
        return true;
    }
    return TForm::WndProc(m);
}

// ---- Searching --------------------------------------------------------------------------

void TFindStationsForm::SearchButtonClick(TObject*) {
    query_ = QueryFromFields();
    found_.clear();
    ResultList->Items()->Clear();
    more_ = false;
    Ask(query_);
}

void TFindStationsForm::MoreButtonClick(TObject*) {
    if (more_ && search_ == 0) Ask(query_);
}

// The answer may come before Search returns (when no request could even be sent): the
// ticket is kept only while the search is still on its way.
void TFindStationsForm::Ask(const TStationQuery& query) {
    auto& directory = radio_.Directory();
    if (search_ > 0) directory.Cancel(search_);
    ShowStatus("Searching the station directory...");
    search_ = -1;
    EnableButtons();
    const int ticket =
        directory.Search(query, [this](const TDirectoryAnswer& a) { PageArrived(a); });
    if (search_ == -1) search_ = ticket;
}

void TFindStationsForm::PageArrived(const TDirectoryAnswer& answer) {
    search_ = 0;
    if (answer.failure != TDirectoryFailure::None) {
        ShowStatus(FailureText(answer.failure));
        return EnableButtons();
    }
    const auto& stations = answer.list.stations;
    for (const auto& s : stations) {
        found_.push_back(s);
        ResultList->Items()->Add(ResultRow(s));
    }
    const int onPage = static_cast<int>(stations.size()) + answer.list.skipped;
    more_ = onPage >= query_.limit;
    query_.offset += onPage;
    const auto count = std::to_string(found_.size());
    ShowStatus(found_.empty()       ? "No station of the directory matches the search."
               : found_.size() == 1 ? "1 station found."
               : more_              ? count + " stations found; More finds the next ones."
                                    : count + " stations found.");
    EnableButtons();
}

// ---- The result chosen ----------------------------------------------------------------

const TFoundStation* TFindStationsForm::Selected() const {
    const int i = ResultList->ItemIndex();
    return i >= 0 && i < static_cast<int>(found_.size()) ? &found_[i] : nullptr;
}

void TFindStationsForm::ResultListClick(TObject*) {
    EnableButtons();
}

// Reached from the keyboard, the list has a result chosen at once, ready for Enter.
void TFindStationsForm::ResultListEnter(TObject*) {
    if (ResultList->ItemIndex() >= 0 || found_.empty()) return;
    ResultList->SetItemIndex(0);
    EnableButtons();
}

void TFindStationsForm::EnableButtons() {
    PlayButton->SetEnabled(Selected() != nullptr);
    AddButton->SetEnabled(Selected() != nullptr);
    MoreButton->SetEnabled(more_ && search_ == 0);
    CheckButton->SetEnabled(check_ == 0);
}

void TFindStationsForm::PlayButtonClick(TObject*) {
    if (const TFoundStation* s = Selected()) radio_.PlayFound(*s);
}

void TFindStationsForm::AddButtonClick(TObject*) {
    const TFoundStation* s = Selected();
    if (!s) return;
    std::string name;
    switch (radio_.AddFound(*s, name)) {
        case TAddFound::Added:
            return ShowStatus(Quoted(name) + " was added to your stations.");
        case TAddFound::NameTaken:
            return Tell("A station named " + Quoted(name) + " is already in your list.");
        case TAddFound::AddressTaken:
            return Tell("This station is already in your list, as " + Quoted(name) + ".");
        default:
            return Tell("This station has no address that Zelvora can play.");
    }
}
