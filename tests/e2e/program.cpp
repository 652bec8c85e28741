#include "e2e/program.h"

#include <cstdio>
#include <vector>

#include "e2e/ui.h"

namespace e2e {

Program::~Program() {
    Kill();
}

bool Program::Start(const std::string& exe) {
    Kill();
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::string commandLine = "\"" + exe + "\"";
    std::string dir = DirOf(exe);
    if (!::CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          dir.c_str(), &si, &pi))
        return false;
    ::CloseHandle(pi.hThread);
    process_ = pi.hProcess;
    pid_ = pi.dwProcessId;
    return true;
}

bool Program::Running() const {
    return process_ && ::WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

bool Program::WaitEnd(DWORD ms) {
    return !process_ || ::WaitForSingleObject(process_, ms) == WAIT_OBJECT_0;
}

void Program::Kill() {
    if (!process_) return;
    if (Running()) {
        ::TerminateProcess(process_, 1);
        ::WaitForSingleObject(process_, 5000);
    }
    ::CloseHandle(process_);
    process_ = nullptr;
}

HWND Program::Window(const std::string& cls) const {
    return pid_ ? TopWindow(cls, pid_) : nullptr;
}

HWND Program::ShownWindow(const std::string& cls, const std::string& captionPart) const {
    return pid_ ? e2e::ShownWindow(cls, pid_, captionPart) : nullptr;
}

HWND Program::TrayWindow() const {
    // Either a window of its own or a child of the configuration window.
    if (HWND tray = TopWindow("TPGTrayIconMsgWindow", pid_)) return tray;
    for (HWND form : TopWindows("TRadioForm", pid_)) {
        if (HWND tray = Child(form, "TPGTrayIconMsgWindow")) return tray;
    }
    return nullptr;
}

bool FileExists(const std::string& path) {
    DWORD a = ::GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirExists(const std::string& path) {
    DWORD a = ::GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

std::optional<std::string> ReadFile(const std::string& path) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return std::nullopt;
    std::string bytes;
    char buf[4096];
    for (size_t n; (n = std::fread(buf, 1, sizeof buf, f)) > 0;) bytes.append(buf, n);
    std::fclose(f);
    return bytes;
}

std::string DirOf(const std::string& path) {
    size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

std::string SettingsFile() {
    char dir[MAX_PATH] = {};
    ::GetWindowsDirectoryA(dir, MAX_PATH);
    return std::string(dir) + "\\zelvora.ini";
}

std::string IniValue(const std::string& section, const std::string& key) {
    char value[1024] = {};
    ::GetPrivateProfileStringA(section.c_str(), key.c_str(), "", value, sizeof value,
                               SettingsFile().c_str());
    return value;
}

void SetIniValue(const std::string& section, const std::string& key, const std::string& value) {
    ::WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(),
                                 SettingsFile().c_str());
}

bool Screenshot(const std::string& path) {
    int w = ::GetSystemMetrics(SM_CXSCREEN), h = ::GetSystemMetrics(SM_CYSCREEN);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = h;  // bottom-up, as .bmp files keep their rows
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 24;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP dib = ::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC mem = ::CreateCompatibleDC(nullptr);
    HDC screen = ::GetDC(nullptr);
    bool ok = dib && mem && screen;
    if (ok) {
        HGDIOBJ old = ::SelectObject(mem, dib);
        ok = ::BitBlt(mem, 0, 0, w, h, screen, 0, 0, SRCCOPY);
        ::SelectObject(mem, old);
        ::GdiFlush();
    }
    if (screen) ::ReleaseDC(nullptr, screen);
    if (mem) ::DeleteDC(mem);
    DWORD size = ((w * 3 + 3) / 4) * 4 * h;
    if (ok) {
        BITMAPFILEHEADER file{};
        file.bfType = 0x4D42;  // "BM"
        file.bfOffBits = sizeof file + sizeof bi.bmiHeader;
        file.bfSize = file.bfOffBits + size;
        std::FILE* f = std::fopen(path.c_str(), "wb");
        ok = f && std::fwrite(&file, sizeof file, 1, f) == 1 &&
             std::fwrite(&bi.bmiHeader, sizeof bi.bmiHeader, 1, f) == 1 &&
             std::fwrite(bits, 1, size, f) == size;
        if (f) std::fclose(f);
    }
    if (dib) ::DeleteObject(dib);
    return ok;
}

}  // namespace e2e
