// Construction of the headless platform and the process-level calls: the module,
// starting programs, help, and the notification area.
#include "platform/headless/headless.h"

#include <cctype>
#include <cstring>
#include <filesystem>

#include <unistd.h>

#include "platform/headless/state.h"

namespace plat::headless {

static char Fold(char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

bool CaseLess::operator()(const std::string& a, const std::string& b) const {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char x, char y) { return Fold(x) < Fold(y); });
}

bool EqualsIgnoreCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && !CaseLess{}(a, b) && !CaseLess{}(b, a);
}

WindowRecord* HeadlessPlatform::State::Find(HWND window) {
    if (window == 0 || window > windows.size()) return nullptr;
    auto& w = windows[window - 1];
    return w.destroyed ? nullptr : &w;
}

bool HeadlessPlatform::State::Injected(const std::string& call) {
    auto it = failNext.find(call);
    if (it == failNext.end() || it->second.empty()) return false;
    lastError = it->second.front();
    it->second.pop_front();
    return true;
}

HeadlessPlatform::HeadlessPlatform(const std::string& root)
    : rootDir(root),
      programDir(root + "/program"),
      windowsDir(root + "/windows"),
      moduleFileName(programDir + "/zelvora.exe"),
      state_(std::make_unique<State>()) {
    std::filesystem::create_directories(programDir);
    std::filesystem::create_directories(windowsDir);
    for (HKEY root : {HKEY_CLASSES_ROOT, HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE, HKEY_USERS,
                      HKEY_CURRENT_CONFIG, HKEY_DYN_DATA})
        state_->roots[root];
}

HeadlessPlatform::~HeadlessPlatform() {
    for (auto& [handle, file] : state_->files) ::close(file.fd);
}

void HeadlessPlatform::FailNext(const std::string& call, DWORD error) {
    state_->failNext[call].push_back(error);
}

// ---- Process and module ------------------------------------------------------------

std::string HeadlessPlatform::GetModuleFileNameA() {
    Record(log, "GetModuleFileNameA");
    return moduleFileName;
}

void HeadlessPlatform::ExitProcess(UINT exitCode) {
    Record(log, "ExitProcess", exitCode);
    throw ProcessEnded{exitCode};
}

UINT HeadlessPlatform::WinExec(const std::string& commandLine, int showCmd) {
    Record(log, "WinExec", commandLine, showCmd);
    winExecs.push_back({commandLine, showCmd});
    if (winExecResults.empty()) return 33;
    UINT result = winExecResults.front();
    winExecResults.pop_front();
    return result;
}

LRESULT HeadlessPlatform::ShellExecuteA(HWND owner, const std::string& operation,
                                        const std::string& file, const std::string& parameters,
                                        const std::string& directory, int showCmd) {
    Record(log, "ShellExecuteA", owner, operation, file, parameters, directory, showCmd);
    shellExecutes.push_back({owner, operation, file, parameters, directory, showCmd});
    return shellExecuteResult;
}

BOOL HeadlessPlatform::WinHelpA(HWND owner, const std::string& helpFile, UINT command,
                                std::uintptr_t data) {
    // HELP_COMMAND passes a macro text in data; every other command a number.
    std::string text;
    if (command == HELP_COMMAND && data != 0) text = reinterpret_cast<const char*>(data);
    if (command == HELP_COMMAND)
        Record(log, "WinHelpA", owner, helpFile, command, text);
    else
        Record(log, "WinHelpA", owner, helpFile, command, data);
    helpCalls.push_back({owner, helpFile, command, text, data});
    return winHelpResult;
}

BOOL HeadlessPlatform::Shell_NotifyIconA(DWORD message, const NOTIFYICONDATA& data) {
    std::string tip(data.szTip, strnlen(data.szTip, sizeof data.szTip));
    Record(log, "Shell_NotifyIconA", message, data.hWnd, data.uID, data.uFlags,
           data.uCallbackMessage, data.hIcon, tip);
    notifications.push_back({message, data});
    return notifyIconResult;
}

// ---- COM -------------------------------------------------------------------------

HRESULT HeadlessPlatform::CoInitialize() {
    Record(log, "CoInitialize");
    // The first initialisation of a thread answers S_OK, every further one S_FALSE.
    return comInitCount++ == 0 ? S_OK : S_FALSE;
}

void HeadlessPlatform::CoUninitialize() {
    Record(log, "CoUninitialize");
    --comInitCount;
}

}  // namespace plat::headless
