// The one running copy of the program for a user's data folder, and the end of the
// session: a local server named after the user and the folder, the signals that ask
// the program to end (through a pipe, never handled in the signal handler), and the
// session manager's requests, each handed to the window that watches for them.
#pragma once

#include <QMetaObject>
#include <memory>
#include <string>

#include "platform/qt/window_table.h"

class QLocalServer;
class QSocketNotifier;

namespace qtb {

class Lifetime {
  public:
    explicit Lifetime(WindowTable& windows);
    ~Lifetime();
    Lifetime(const Lifetime&) = delete;
    Lifetime& operator=(const Lifetime&) = delete;

    bool Claim(const std::string& dataDir);
    void WatchLaterStarts(plat::HWND window, plat::UINT message);
    void WatchSessionEnd(plat::HWND window, plat::UINT message);

  private:
    void TakeSignals();
    void LeaveSignals();
    void SessionEnds(plat::WPARAM programToEnd);

    WindowTable& windows_;
    std::unique_ptr<QLocalServer> server_;
    plat::HWND laterWindow_ = 0;
    plat::UINT laterMessage_ = 0;
    plat::HWND endWindow_ = 0;
    plat::UINT endMessage_ = 0;
    int pipe_[2] = {-1, -1};
    std::unique_ptr<QSocketNotifier> signals_;
    QMetaObject::Connection commitData_, aboutToQuit_;
};

}  // namespace qtb
