// The tray icon and its menu: what a click on the icon shows, and the menu that
// lists the stations.
#include "app/radiowin.h"

#include <algorithm>

#include "components/PGTray95.h"
#include "gui/application.h"
#include "platform/platform.h"

namespace {

// The menu lists this many stations; the floating window's list reaches the rest.
constexpr int kMaxTrayStations = 20;
// The program's icon in its resources.
constexpr const char* kProgramIcon = "ZELVORA";

}  // namespace

void TRadioForm::CreateTray() {
    PGTrayIcon951 = new TPGTrayIcon95(this);
    PGTrayIcon951->SetName("PGTrayIcon951");
    TrayMenu->OnPopup = [this](TObject* s) { TrayMenuPopup(s); };
    TrayMenu1->OnClick = [this](TObject* s) { TrayMenu1Click(s); };
}

void TRadioForm::StoreTray() {
    auto& p = plat::Current();
    TIcon programIcon;
    if (plat::HICON shared = p.LoadIconA(kProgramIcon)) programIcon.SetHandle(p.CopyIcon(shared));
    PGTrayIcon951->SetIcon(programIcon);
    PGTrayIcon951->SetActive(true);
    PGTrayIcon951->SetAutoPopup(true);
    PGTrayIcon951->OnClick = [this](TObject* s) { PGTrayIcon951Click(s); };
    PGTrayIcon951->OnDblClick = [this](TObject* s) { PGTrayIcon951DblClick(s); };
    PGTrayIcon951->SetPopupMenu(TrayMenu);
}

void TRadioForm::ActivateTrayAtStart(bool anotherCopyRuns) {
    if (!anotherCopyRuns) PGTrayIcon951->Activate();
}

void TRadioForm::RemoveTrayIcon() {
    PGTrayIcon951->Deactivate();
}

// ---- The menu ---------------------------------------------------------------------------

void TRadioForm::TrayMenuPopup(TObject*) {
    // An item of an earlier popup may still be running its click (a message box's
    // loop can open the menu again); items are kept one popup longer than shown,
    // and freed only when no click of theirs is running.
    if (trayClicksRunning_ == 0) retiredItems_.clear();
    for (auto& item : trayItems_) {
        TrayMenu->Items()->Remove(item.get());
        retiredItems_.push_back(std::move(item));
    }
    trayItems_.clear();

    const std::vector<std::string>& stations = StationLB->Items()->Items();
    const int count = static_cast<int>(stations.size());
    const int shown = std::min(count, kMaxTrayStations);
    for (int i = 0; i < shown; ++i) AddTrayItem(stations[i], &TRadioForm::DesktopMenuClick);
    if (count > shown) AddTrayItem("More Stations!", &TRadioForm::TrayMenu1Click);
    if (count > 0) AddTrayItem("-", nullptr);
    AddTrayItem("Exit", &TRadioForm::Exit1Click);
    RefreshSongItems();
}

TMenuItem* TRadioForm::AddTrayItem(const std::string& caption,
                                   void (TRadioForm::*handler)(TObject*)) {
    auto item = std::make_unique<TMenuItem>(nullptr);
    item->SetCaption(caption);
    if (handler) {
        item->OnClick = [this, handler](TObject* sender) {
            struct Running {
                int& count;
                explicit Running(int& c) : count(c) { ++count; }
                ~Running() { --count; }
            } running(trayClicksRunning_);
            (this->*handler)(sender);
        };
    }
    TrayMenu->Items()->Add(item.get());
    trayItems_.push_back(std::move(item));
    return trayItems_.back().get();
}

// The item's caption names the station: its place in the menu could have changed
// since the menu was built, its caption not.
void TRadioForm::DesktopMenuClick(TObject* sender) {
    auto* item = dynamic_cast<TMenuItem*>(sender);
    if (!item) return;
    const std::string caption = item->Caption();
    auto& p = plat::Current();
    for (const std::string& name : StationLB->Items()->Items()) {
        if (p.CompareStringA(plat::NORM_IGNORECASE, name, caption) == plat::CSTR_EQUAL) {
            const std::string station = name;
            return LaunchStation(station);
        }
    }
}

void TRadioForm::TrayMenu1Click(TObject*) {
    ShowFloatingWindow(false);
}

void TRadioForm::PGTrayIcon951Click(TObject*) {
    ShowFloatingWindow(true);
}

void TRadioForm::PGTrayIcon951DblClick(TObject*) {
    ShowFloatingWindow(true);
}

// ---- What plays now ---------------------------------------------------------------------

namespace {

// The longest head of the text that fits in size bytes without cutting a UTF-8
// character in two.
std::string Head(const std::string& text, std::size_t size) {
    if (text.size() <= size) return text;
    while (size > 0 && (static_cast<unsigned char>(text[size]) & 0xC0) == 0x80) --size;
    return text.substr(0, size);
}

}  // namespace

// A title is the player's text: a line break or a NUL in it would end or split the tip.
std::string OneLine(std::string text) {
    for (char& c : text)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
    return text;
}

std::string NowPlayingTip(const std::string& station, const std::string& title, std::size_t size) {
    size = std::min(size, kMaxTip);
    const std::string name = Head(OneLine(station), size);
    if (title.empty()) return name;
    const std::string separator = " - ", ellipsis = "...";
    const std::size_t room = size - std::min(size, name.size() + separator.size());
    const std::string line = OneLine(title);
    if (room < ellipsis.size() + 1) return name;  // no room for a useful part of the title
    const std::string shown =
        line.size() <= room ? line : Head(line, room - ellipsis.size()) + ellipsis;
    return name + separator + shown;
}

bool TRadioForm::WndProc(plat::Message& m) {
    if (LifetimeMessage(m)) return true;
    if (m.msg != WM_NOWPLAYING) return TForm::WndProc(m);
    // A posted message: nothing may leave it but through the error report.
    Application->Dispatch([this] {
        Player.Look();
        ShowNowPlaying();
    });
    return true;
}
