// The platform object itself, and the process, locale and input-state calls.
#include "platform/win32/win32.h"
#include "platform/win32/win32_platform.h"

#include <vector>

namespace plat::win32 {

std::unique_ptr<plat::Platform> MakePlatform() {
    return std::make_unique<w32::Win32Platform>();
}

}  // namespace plat::win32

namespace w32 {

Win32Platform::Win32Platform() {
    // Track bars, tab controls and list views live in comctl32 and must be registered before use.
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_BAR_CLASSES | ICC_TAB_CLASSES |
                                              ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES};
    ::InitCommonControlsEx(&icc);
}

Win32Platform::~Win32Platform() = default;

std::string Win32Platform::GetModuleFileNameA() {
    // Grows the buffer until the path fits: the call truncates silently otherwise.
    std::vector<char> buf(MAX_PATH);
    for (;;) {
        plat::DWORD n =
            ::GetModuleFileNameA(nullptr, buf.data(), static_cast<plat::DWORD>(buf.size()));
        if (n < buf.size()) return std::string(buf.data(), n);
        buf.resize(buf.size() * 2);
    }
}

void Win32Platform::ExitProcess(plat::UINT exitCode) {
    ::ExitProcess(exitCode);
}

plat::UINT Win32Platform::WinExec(const std::string& commandLine, int showCmd) {
    return ::WinExec(commandLine.c_str(), showCmd);
}

plat::LRESULT Win32Platform::ShellExecuteA(PHWND owner, const std::string& operation,
                                           const std::string& file, const std::string& parameters,
                                           const std::string& directory, int showCmd) {
    auto opt = [](const std::string& s) { return s.empty() ? nullptr : s.c_str(); };
    HINSTANCE r = ::ShellExecuteA(H(owner), opt(operation), file.c_str(), opt(parameters),
                                  opt(directory), showCmd);
    return reinterpret_cast<plat::LRESULT>(r);
}

int Win32Platform::CompareStringA(plat::DWORD flags, const std::string& a, const std::string& b) {
    return ::CompareStringA(LOCALE_USER_DEFAULT, flags, a.data(), static_cast<int>(a.size()),
                            b.data(), static_cast<int>(b.size()));
}

int Win32Platform::MultiByteToWideChar(plat::UINT codePage, plat::DWORD flags, const char* text,
                                       int length, char16_t* buffer, int bufferLength) {
    // char16_t and WCHAR are both 16-bit UTF-16 units on Windows.
    static_assert(sizeof(char16_t) == sizeof(WCHAR));
    return ::MultiByteToWideChar(codePage, flags, text, length, reinterpret_cast<WCHAR*>(buffer),
                                 bufferLength);
}

int Win32Platform::WideCharToMultiByte(plat::UINT codePage, plat::DWORD flags, const char16_t* text,
                                       int length, char* buffer, int bufferLength,
                                       plat::BOOL* usedDefaultChar) {
    ::BOOL used = FALSE;
    int n = ::WideCharToMultiByte(codePage, flags, reinterpret_cast<const WCHAR*>(text), length,
                                  buffer, bufferLength, nullptr, usedDefaultChar ? &used : nullptr);
    if (usedDefaultChar) *usedDefaultChar = used;
    return n;
}

std::optional<std::string> Win32Platform::GetEnvironmentVariableA(const std::string& name) {
    std::vector<char> buf(256);
    for (;;) {
        ::SetLastError(0);
        DWORD n =
            ::GetEnvironmentVariableA(name.c_str(), buf.data(), static_cast<DWORD>(buf.size()));
        if (n == 0 && ::GetLastError() == ERROR_ENVVAR_NOT_FOUND) return std::nullopt;
        if (n < buf.size()) return std::string(buf.data(), n);
        buf.resize(n);  // the size it needs, its NUL included
    }
}

plat::UINT Win32Platform::GetDoubleClickTime() {
    return ::GetDoubleClickTime();
}

plat::BOOL Win32Platform::GetCursorPos(plat::POINT* point) {
    ::POINT p{};
    plat::BOOL ok = ::GetCursorPos(&p);
    if (ok && point) *point = {p.x, p.y};
    return ok;
}

std::int16_t Win32Platform::GetKeyState(int virtualKey) {
    return ::GetKeyState(virtualKey);
}

plat::POINT Win32Platform::GetScreenSize() {
    return {::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
}

}  // namespace w32
