#include "player/mpv_ipc.h"

#include <nlohmann/json.hpp>

using nlohmann::json;

MpvIpc::~MpvIpc() {
    if (pipe_ != INVALID_HANDLE_VALUE) CloseHandle(pipe_);
    if (event_) CloseHandle(event_);
}

bool MpvIpc::Open(const std::string& pipeName, const std::string& title) {
    title_ = title;
    pipe_ = CreateNamedPipeA(pipeName.c_str(), PIPE_ACCESS_DUPLEX | FILE_FLAG_OVERLAPPED,
                             PIPE_TYPE_BYTE | PIPE_READMODE_BYTE | PIPE_WAIT, 1, 65536, 65536, 0,
                             nullptr);
    if (pipe_ == INVALID_HANDLE_VALUE) return false;
    event_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    Listen();
    return true;
}

void MpvIpc::Listen() {
    connect_ = OVERLAPPED{};
    connect_.hEvent = event_;
    ResetEvent(event_);
    if (ConnectNamedPipe(pipe_, &connect_)) connected_ = true;
    if (GetLastError() == ERROR_PIPE_CONNECTED) connected_ = true;
}

MpvIpc::Result MpvIpc::Serve() {
    if (!connected_) {
        DWORD unused = 0;
        if (!GetOverlappedResult(pipe_, &connect_, &unused, FALSE)) return kGoOn;
        connected_ = true;
    }
    DWORD available = 0;
    if (!PeekNamedPipe(pipe_, nullptr, 0, nullptr, &available, nullptr)) {
        // The client went away: wait for the next one.
        DisconnectNamedPipe(pipe_);
        connected_ = false;
        observed_.clear();
        Listen();
        return kGoOn;
    }
    while (available > 0) {
        char buffer[4096];
        OVERLAPPED read{};
        read.hEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        DWORD got = 0;
        const DWORD want = available < sizeof buffer ? available : sizeof buffer;
        if (!ReadFile(pipe_, buffer, want, &got, &read))
            GetOverlappedResult(pipe_, &read, &got, TRUE);
        CloseHandle(read.hEvent);
        if (got == 0) break;
        available -= got;
        pending_.append(buffer, got);
    }
    for (std::size_t end; (end = pending_.find('\n')) != std::string::npos;) {
        const std::string line = pending_.substr(0, end);
        pending_.erase(0, end + 1);
        if (Handle(line) == kQuit) return kQuit;
    }
    return kGoOn;
}

std::string MpvIpc::Value(const std::string& name) const {
    return name == "media-title" || name == "metadata/by-key/icy-title" ? title_ : "";
}

MpvIpc::Result MpvIpc::Handle(const std::string& line) {
    const json request = json::parse(line, nullptr, false);
    if (!request.is_object() || !request.contains("command") || !request["command"].is_array())
        return kGoOn;
    const json& command = request["command"];
    const std::string verb = command.empty() || !command[0].is_string() ? "" : command[0];
    const json id = request.contains("request_id") ? request["request_id"] : json(0);
    if (verb == "quit") return kQuit;
    if (verb == "observe_property" && command.size() == 3 && command[2].is_string()) {
        const std::string name = command[2];
        observed_[name] = command[1].is_number() ? command[1].get<long long>() : 0;
        Send(json{{"request_id", id}, {"error", "success"}}.dump());
        Send(json{{"event", "property-change"},
                  {"id", observed_[name]},
                  {"name", name},
                  {"data", Value(name)}}
                 .dump());
    } else if (verb == "get_property" && command.size() == 2 && command[1].is_string()) {
        Send(json{{"data", Value(command[1])}, {"request_id", id}, {"error", "success"}}.dump());
    } else {
        Send(json{{"request_id", id}, {"error", "invalid parameter"}}.dump());
    }
    return kGoOn;
}

void MpvIpc::SetTitle(const std::string& title) {
    title_ = title;
    for (const auto& [name, id] : observed_)
        Send(
            json{{"event", "property-change"}, {"id", id}, {"name", name}, {"data", title}}.dump());
}

void MpvIpc::Send(const std::string& line) {
    if (!connected_) return;
    const std::string bytes = line + "\n";
    OVERLAPPED write{};
    write.hEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    DWORD sent = 0;
    if (!WriteFile(pipe_, bytes.data(), static_cast<DWORD>(bytes.size()), &sent, &write))
        GetOverlappedResult(pipe_, &write, &sent, TRUE);
    CloseHandle(write.hEvent);
}
