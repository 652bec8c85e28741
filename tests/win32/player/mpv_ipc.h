// The stand-in's side of mpv's JSON IPC, the part Zelvora uses: one client on a
// named pipe, "observe_property" (answered, then a "property-change" event at once
// and at each change), "get_property" and "quit". Served from the window's timer,
// never blocking: the pipe is overlapped and read only as far as bytes are there.
#pragma once

#include <windows.h>

#include <map>
#include <string>

inline constexpr const char* kIpcOption = "--input-ipc-server=";

class MpvIpc {
  public:
    enum Result { kGoOn, kQuit };
    ~MpvIpc();
    bool Open(const std::string& pipeName, const std::string& title);
    // Accepts the client, reads its requests and answers them.
    Result Serve();
    // media-title and icy-title both become the title; observers are told.
    void SetTitle(const std::string& title);

  private:
    Result Handle(const std::string& line);
    void Send(const std::string& line);
    void Listen();
    std::string Value(const std::string& name) const;

    HANDLE pipe_ = INVALID_HANDLE_VALUE;
    HANDLE event_ = nullptr;
    OVERLAPPED connect_{};
    bool connected_ = false;
    std::string pending_;
    std::string title_;
    std::map<std::string, long long> observed_;  // property -> observer id
};
