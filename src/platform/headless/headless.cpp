// Construction of the headless platform and the process-level calls: the module,
// starting programs, help, and the notification area.
#include "platform/headless/headless.h"

#include <cctype>
#include <cstring>
#include <filesystem>

#include <unistd.h>

#include "platform/headless/state.h"
#include "platform/posix/text.h"

namespace plat::headless {

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
}

HeadlessPlatform::~HeadlessPlatform() = default;

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
    winExecs.push_back({commandLine, showCmd, {}, {}});
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

int HeadlessPlatform::CompareStringA(DWORD flags, const std::string& a, const std::string& b) {
    Record(log, "CompareStringA", flags, a, b);
    return posix::CompareStrings(flags, a, b);
}

int HeadlessPlatform::MultiByteToWideChar(UINT codePage, DWORD flags, const char* text, int length,
                                          char16_t* buffer, int bufferLength) {
    // Only the length given is read: the text need not end in a NUL.
    const std::string logged = !text        ? std::string()
                               : length < 0 ? std::string(text)
                                            : std::string(text, length > 0 ? length : 0);
    Record(log, "MultiByteToWideChar", codePage, flags, logged, length, bufferLength);
    return posix::MultiByteToWide(state_->lastError, codePage == CP_ACP ? systemCodePage : codePage,
                                  flags, text, length, buffer, bufferLength);
}

int HeadlessPlatform::WideCharToMultiByte(UINT codePage, DWORD flags, const char16_t* text,
                                          int length, char* buffer, int bufferLength,
                                          BOOL* usedDefaultChar) {
    Record(log, "WideCharToMultiByte", codePage, flags, length, bufferLength);
    return posix::WideToMultiByte(state_->lastError, codePage == CP_ACP ? systemCodePage : codePage,
                                  text, length, buffer, bufferLength, usedDefaultChar);
}

bool HeadlessPlatform::HasNotificationArea() {
    Record(log, "HasNotificationArea");
    return notificationArea;
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
