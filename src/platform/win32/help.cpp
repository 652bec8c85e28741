// The help viewer. No help compiler exists any more for WinHelp files, so the help
// ships as an HTML page beside the program; WinHelp is used only where both a help
// file and its viewer are present. The page stands in for the viewer's two steps:
// a contents request waits for the message loop, and a jump that follows at once
// replaces it, so that one request for a topic opens the browser only once.
#include "platform/win32/help_page.h"

#include "platform/win32/win32_platform.h"

namespace plat::win32 {

namespace {

HelpShellOpen& ShellOpenHook() {
    static HelpShellOpen hook;
    return hook;
}

bool IsFile(const std::string& path) {
    DWORD a = ::GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

std::string ModuleDir() {
    char path[MAX_PATH] = {};
    DWORD n = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string dir(path, n < MAX_PATH ? n : 0);
    return dir.substr(0, dir.find_last_of("\\/") + 1);
}

}  // namespace

void SetHelpShellOpen(HelpShellOpen open) {
    ShellOpenHook() = std::move(open);
}

std::string HelpPageFor(const std::string& helpFile) {
    return plat::HelpPageFor(helpFile, ModuleDir());
}

}  // namespace plat::win32

namespace w32 {

namespace {

using plat::win32::HelpPageUrl;

struct ContentsRequest {
    HWND owner = nullptr;
    std::string page;
    UINT_PTR timer = 0;
};

ContentsRequest& Pending() {
    static ContentsRequest request;
    return request;
}

plat::LRESULT ShellOpen(HWND owner, const std::string& file, const std::string& parameters) {
    if (auto& hook = plat::win32::ShellOpenHook(); hook) return hook(file, parameters);
    HINSTANCE r =
        ::ShellExecuteA(owner, "open", file.c_str(),
                        parameters.empty() ? nullptr : parameters.c_str(), nullptr, SW_SHOWNORMAL);
    return reinterpret_cast<plat::LRESULT>(r);
}

// Opened as a document, a page loses its anchor; the browser given the file URL
// keeps it.
bool OpenPage(HWND owner, const std::string& page, const std::string& topic) {
    char browser[MAX_PATH] = {};
    auto found = reinterpret_cast<INT_PTR>(::FindExecutableA(page.c_str(), nullptr, browser));
    if (found > 32 && browser[0]) {
        // Appended piece by piece: GCC 12 warns (-Wrestrict) on the one-line concatenation.
        std::string quoted = "\"";
        quoted += HelpPageUrl(page, topic);
        quoted += '"';
        return ShellOpen(owner, browser, quoted) > 32;
    }
    return ShellOpen(owner, page, "") > 32;
}

void CancelContents() {
    auto& p = Pending();
    if (p.timer) ::KillTimer(nullptr, p.timer);
    p = ContentsRequest{};
}

void CALLBACK OpenPendingContents(HWND, UINT, UINT_PTR, DWORD) {
    ContentsRequest request = Pending();
    CancelContents();
    if (!request.page.empty()) OpenPage(request.owner, request.page, "");
}

plat::BOOL ShowHelpPage(HWND owner, const std::string& helpFile, plat::UINT command,
                        std::uintptr_t data) {
    const std::string page = plat::win32::HelpPageFor(helpFile);
    if (!plat::win32::IsFile(page)) {
        ::SetLastError(ERROR_FILE_NOT_FOUND);
        return FALSE;
    }
    switch (command) {
        case HELP_CONTENTS:
        case HELP_FINDER:
            CancelContents();
            Pending().owner = owner;
            Pending().page = page;
            Pending().timer = ::SetTimer(nullptr, 0, 0, OpenPendingContents);
            return TRUE;
        case HELP_COMMAND: {
            auto topic =
                data ? plat::win32::JumpTopic(reinterpret_cast<const char*>(data)) : std::nullopt;
            if (!topic) return FALSE;
            CancelContents();
            return OpenPage(owner, page, *topic);
        }
        case HELP_QUIT:
            CancelContents();
            return TRUE;
        default:
            return FALSE;
    }
}

bool WinHelpServes(const std::string& helpFile) {
    char windows[MAX_PATH] = {};
    UINT n = ::GetWindowsDirectoryA(windows, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return false;
    return plat::win32::IsFile(helpFile) &&
           plat::win32::IsFile(std::string(windows) + "\\winhlp32.exe");
}

}  // namespace

plat::BOOL Win32Platform::WinHelpA(PHWND owner, const std::string& helpFile, plat::UINT command,
                                   std::uintptr_t data) {
    if (WinHelpServes(helpFile)) return ::WinHelpA(H(owner), helpFile.c_str(), command, data);
    return ShowHelpPage(H(owner), helpFile, command, data);
}

}  // namespace w32
