#include "live/test_directory.h"

#include <fstream>
#include <sstream>

#include "win32/native_windows.h"

#include <winhttp.h>
#include <winsock2.h>

namespace {

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// A plain GET that waits for nothing in particular: how the server is asked to end.
void Get(int port, const wchar_t* path) {
    HINTERNET session = ::WinHttpOpen(L"zel-tests", WINHTTP_ACCESS_TYPE_NO_PROXY,
                                      WINHTTP_NO_PROXY_NAME, WINHTTP_NO_PROXY_BYPASS, 0);
    if (!session) return;
    ::WinHttpSetTimeouts(session, 2000, 2000, 2000, 2000);
    HINTERNET connection = ::WinHttpConnect(session, L"127.0.0.1", static_cast<WORD>(port), 0);
    HINTERNET request =
        connection ? ::WinHttpOpenRequest(connection, L"GET", path, nullptr, WINHTTP_NO_REFERER,
                                          WINHTTP_DEFAULT_ACCEPT_TYPES, 0)
                   : nullptr;
    if (request &&
        ::WinHttpSendRequest(request, WINHTTP_NO_ADDITIONAL_HEADERS, 0, nullptr, 0, 0, 0))
        ::WinHttpReceiveResponse(request, nullptr);
    if (request) ::WinHttpCloseHandle(request);
    if (connection) ::WinHttpCloseHandle(connection);
    ::WinHttpCloseHandle(session);
}

// The Linux path of a Windows one, by Wine's own conversion.
std::string UnixPath(const std::string& windowsPath) {
    using Convert = char* (*)(const wchar_t*);
    // Through void*: a FARPROC is cast to the function's real type only that way cleanly.
    auto convert = reinterpret_cast<Convert>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    std::wstring wide(windowsPath.begin(), windowsPath.end());
    char* unix = convert ? convert(wide.c_str()) : nullptr;
    if (!unix) return windowsPath;
    std::string path = unix;
    ::HeapFree(::GetProcessHeap(), 0, unix);
    return path;
}

}  // namespace

TestDirectory::TestDirectory(const std::string& scratch, const std::string& tone)
    : scratch_(scratch) {
    const std::string portFile = scratch + "\\directory.port";
    std::string line = std::string("python3 ") + ZEL_DIRECTORY_SERVER + " --port-file " +
                       UnixPath(portFile) + " --log " + UnixPath(scratch + "\\directory.log") +
                       " --max-seconds 300 --slow-seconds 4";
    if (!tone.empty()) line += " --tone " + tone;
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::string unixProgram = std::string("Z:") + ZEL_PYTHON;
    if (!::CreateProcessA(unixProgram.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          nullptr, &si, &pi))
        return;
    // A Linux process gives Wine no handle to wait on: its port file says it is up.
    if (pi.hProcess) ::CloseHandle(pi.hProcess);
    if (pi.hThread) ::CloseHandle(pi.hThread);
    for (int i = 0; i < 200 && port_ == 0; ++i) {
        port_ = std::atoi(ReadAll(portFile).c_str());
        if (port_ == 0) ::Sleep(50);
    }
}

TestDirectory::~TestDirectory() {
    if (port_) Get(port_, L"/_quit");
}

std::string TestDirectory::Base(const std::string& mode) const {
    return "http://127.0.0.1:" + std::to_string(port_) + (mode.empty() ? "" : "/" + mode);
}

std::string TestDirectory::Log() const {
    return ReadAll(scratch_ + "\\directory.log");
}

int DeadPort() {
    WSADATA data;
    ::WSAStartup(MAKEWORD(2, 2), &data);
    SOCKET s = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int size = sizeof address;
    ::bind(s, reinterpret_cast<sockaddr*>(&address), size);
    ::getsockname(s, reinterpret_cast<sockaddr*>(&address), &size);
    ::closesocket(s);
    return ntohs(address.sin_port);
}
