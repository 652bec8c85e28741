// Keeping the list and the settings on disk through the program's life: the list is
// saved when it changes, everything Exit saves is saved when the session ends, and a
// later start of the program brings this copy's floating window forward.
#include "app/radiowin.h"

#include "app/stationorder.h"
#include "gui/application.h"
#include "platform/paths.h"
#include "platform/platform.h"

std::string TRadioForm::OrderFile() const {
    return plat::JoinPath(dataDir_, "zelvora.set");
}

void TRadioForm::WatchLifetime() {
    auto& p = plat::Current();
    p.WatchSessionEnd(Handle(), WM_SESSIONEND);
    p.WatchLaterStarts(Handle(), WM_LATERSTART);
}

bool TRadioForm::LifetimeMessage(plat::Message& m) {
    switch (m.msg) {
        case WM_SAVESTATIONS:
            RunUserEvent([this] { SaveQueuedStationList(); });
            return true;
        case WM_SESSIONEND:
            SessionEnds(m.wParam != 0);
            return true;
        case WM_LATERSTART:
            RunUserEvent([this] { ShowFloatingWindow(true); });
            return true;
        default:
            return false;
    }
}

// Told of every edit of the list, wherever it was made; the save waits for the
// handler that edits to return, so that a move or an import is written once.
void TRadioForm::StationListChanged() {
    if (!listLoaded_ || saveQueued_ || !HandleAllocated()) return;
    saveQueued_ = plat::Current().PostMessageA(Handle(), WM_SAVESTATIONS, 0, 0) != 0;
}

// A failure is reported once until a save works again, so that an order file that
// cannot be written does not greet every edit with the same box; Exit reports it too.
void TRadioForm::SaveQueuedStationList() {
    if (!saveQueued_) return;  // saved already, by Exit or at the end of the session
    try {
        SaveStationListNow();
        saveFailureReported_ = false;
    } catch (const std::exception&) {
        if (saveFailureReported_) return;
        saveFailureReported_ = true;
        throw;
    }
}

void TRadioForm::SaveStationListNow() {
    saveQueued_ = false;
    if (listLoaded_) SaveStationList(*StationLB, OrderFile());
}

void TRadioForm::SessionEnds(bool programToEnd) {
    try {
        SaveStationListNow();
    } catch (const std::exception&) {
    }
    try {
        SaveSettings();
    } catch (const std::exception&) {
    }
    if (!programToEnd) return;
    RemoveTrayIcon();
    plat::Current().ExitProcess(0);
}
