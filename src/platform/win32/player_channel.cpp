// A player's control channel: the client end of the named pipe the player made, read
// only as far as bytes have arrived, so that nothing here waits on the player. And
// the clipboard.
#include <algorithm>
#include <cstring>
#include <string>

#include "platform/win32/win32_platform.h"

namespace w32 {

namespace {

HANDLE Pipe(plat::CHANNEL channel) {
    return reinterpret_cast<HANDLE>(channel);
}

// Another program may hold the clipboard for a moment.
constexpr int kClipboardTries = 5;
constexpr DWORD kClipboardWaitMs = 20;

}  // namespace

std::string Win32Platform::NewPlayerChannelAddress(const std::string& prefix) {
    static unsigned next = 0;
    return "\\\\.\\pipe\\" + prefix + "-" + std::to_string(::GetCurrentProcessId()) + "-" +
           std::to_string(++next);
}

plat::CHANNEL Win32Platform::ConnectPlayerChannel(const std::string& address) {
    HANDLE pipe = ::CreateFileA(address.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    if (pipe == INVALID_HANDLE_VALUE) return 0;
    return reinterpret_cast<plat::CHANNEL>(pipe);
}

// The player reads its pipe all the time: a request of a line fits its buffer.
plat::BOOL Win32Platform::WritePlayerChannel(plat::CHANNEL channel, const std::string& bytes) {
    DWORD written = 0;
    for (std::size_t done = 0; done < bytes.size(); done += written)
        if (!::WriteFile(Pipe(channel), bytes.data() + done,
                         static_cast<DWORD>(bytes.size() - done), &written, nullptr) ||
            written == 0)
            return FALSE;
    return TRUE;
}

plat::BOOL Win32Platform::ReadPlayerChannel(plat::CHANNEL channel, std::string& into,
                                            std::size_t maxBytes) {
    DWORD available = 0;
    if (!::PeekNamedPipe(Pipe(channel), nullptr, 0, nullptr, &available, nullptr)) return FALSE;
    if (available == 0) return TRUE;
    const std::size_t size = std::min<std::size_t>(available, maxBytes);
    const std::size_t start = into.size();
    into.resize(start + size);
    DWORD read = 0;
    const BOOL ok =
        ::ReadFile(Pipe(channel), into.data() + start, static_cast<DWORD>(size), &read, nullptr);
    into.resize(start + (ok ? read : 0));
    return ok;
}

void Win32Platform::ClosePlayerChannel(plat::CHANNEL channel) {
    if (channel) ::CloseHandle(Pipe(channel));
}

plat::BOOL Win32Platform::SetClipboardText(PHWND owner, const std::string& text) {
    bool open = false;
    for (int i = 0; i < kClipboardTries && !open; ++i) {
        open = ::OpenClipboard(H(owner)) != FALSE;
        if (!open) ::Sleep(kClipboardWaitMs);
    }
    if (!open) return FALSE;
    BOOL done = FALSE;
    if (HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, text.size() + 1)) {
        if (void* bytes = ::GlobalLock(memory)) {
            std::memcpy(bytes, text.c_str(), text.size() + 1);
            ::GlobalUnlock(memory);
            done = ::EmptyClipboard() && ::SetClipboardData(CF_TEXT, memory) != nullptr;
        }
        // Taken by the clipboard on success; ours to free otherwise.
        if (!done) ::GlobalFree(memory);
    }
    ::CloseClipboard();
    return done;
}

}  // namespace w32
