// The stand-in for the players in the Wine tests and the end-to-end drive. It behaves
// as the player its file is named after, as the players' manuals describe:
//   mpc-hc.exe  single instance: a second start hands its address to the running
//               copy (WM_COPYDATA) and ends; window class "MediaPlayerClassicW"
//   vlc.exe     a new copy each start, unless started with --one-instance, which
//               hands the address over as above
//   mpv.exe     a new copy each start, window class "mpv"
//   single.exe  single instance as mpc-hc.exe, a player the table does not know
//   vlc.exe, mpc-hc.exe, foobar2000.exe, winamp.exe, aimp.exe and mpv.exe set their
//               captions as those players do, "<title> - VLC media player" and so on
//   other names the classic player: a new window of class "Progressive Networks
//               RAPlayer" each start
// The title is the address until a WM_COPYDATA tagged kTitle brings another. Started
// with --input-ipc-server=<pipe>, the player speaks mpv's JSON IPC there (mpv_ipc.h).
// The classic player writes the command line it was started with to the file named
// by ZEL_PLAYER_LOG, and "closed" when it is asked to close; the others write what
// happens to them to the file named by ZEL_STUB_LOG, one line each:
//   <name> <pid> started <command line> | took <address> | handed <address> | titled
//   <title> | quit (told on its channel, then closed) | closed
// Each writes the arguments it got, as its C runtime reads them, to the file named by
// ZEL_ARGV_LOG: one a line, then an empty line. Asked to close, each takes the
// milliseconds ZEL_STUB_CLOSE_MS says (none when unset) before its window goes, as a
// player that saves its state does. Each gives up by itself after two minutes, so that
// no test leaves one behind.
#include <windows.h>

#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "player/mpv_ipc.h"

namespace {

constexpr UINT_PTR kGiveUpTimer = 1, kClosedTimer = 2, kChannelTimer = 3;
constexpr ULONG_PTR kAddress = 0x5A454C;  // WM_COPYDATA's tag for an address
constexpr ULONG_PTR kTitle = 0x5A4554;    // and for a new title

struct Kind {
    const char* file;
    const char* windowClass;
    bool singleInstance;  // hands a second start's address to the running copy
    const char* before;   // the caption: before the title and after it; null: the
    const char* after;    // stand-in's own "<name> - <address>"
};

const Kind kKinds[] = {
    {"mpc-hc.exe", "MediaPlayerClassicW", true, "", ""},
    {"vlc.exe", "ZelStubVlc", false, "", " - VLC media player"},
    {"mpv.exe", "mpv", false, "", " - mpv"},
    {"single.exe", "ZelStubSingle", true, nullptr, nullptr},
    {"foobar2000.exe", "ZelStubFoobar", true, "", "  [foobar2000]"},
    {"winamp.exe", "Winamp v1.x", true, "1. ", " - Winamp"},
    {"aimp.exe", "TAIMPMainFrame", true, "", ""},
};
const Kind kClassic{"", "Progressive Networks RAPlayer", false, nullptr, nullptr};

std::string gName;
bool gClassic = false;
const Kind* gKind = &kClassic;
MpvIpc gIpc;

void AppendLine(const char* variable, const std::string& line) {
    const char* path = std::getenv(variable);
    if (!path || !*path) return;
    if (std::FILE* f = std::fopen(path, "ab")) {
        std::fprintf(f, "%s\n", line.c_str());
        std::fclose(f);
    }
}

void Log(const std::string& what, const std::string& rest = "") {
    if (gClassic) {
        AppendLine("ZEL_PLAYER_LOG", what == "started" ? rest : what);
        return;
    }
    AppendLine("ZEL_STUB_LOG", gName + " " + std::to_string(GetCurrentProcessId()) + " " + what +
                                   (rest.empty() ? "" : " " + rest));
}

// The arguments after the program, as the C runtime (CommandLineToArgvW) reads them.
std::vector<std::string> Arguments() {
    int count = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> args;
    for (int i = 1; argv && i < count; ++i) {
        char narrow[4096] = {};
        WideCharToMultiByte(CP_ACP, 0, argv[i], -1, narrow, sizeof narrow, nullptr, nullptr);
        args.push_back(narrow);
    }
    LocalFree(argv);
    return args;
}

void LogArguments(const std::vector<std::string>& args) {
    std::string record;
    for (const auto& a : args) record += a + "\n";
    AppendLine("ZEL_ARGV_LOG", record);
}

// The address is the last argument, unless that is an option; a player started with
// none shows its window.
std::string AddressOf(const std::vector<std::string>& args) {
    if (args.empty() || (args.back().starts_with('-') && args.back() != "-")) return "";
    return args.back();
}

bool Has(const std::vector<std::string>& args, const char* option) {
    for (const auto& a : args)
        if (a == option) return true;
    return false;
}

void Show(HWND hwnd, const std::string& address) {
    const std::string name = gClassic ? "Test player" : gName;
    if (gKind->before && !address.empty())
        SetWindowTextA(hwnd, (gKind->before + address + gKind->after).c_str());
    else
        SetWindowTextA(hwnd, (name + (address.empty() ? "" : " - " + address)).c_str());
}

LRESULT CALLBACK PlayerProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_COPYDATA: {
            auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
            if (data->dwData == kTitle) {
                std::string title(static_cast<const char*>(data->lpData), data->cbData);
                Log("titled", title);
                Show(hwnd, title);
                gIpc.SetTitle(title);
                return TRUE;
            }
            if (data->dwData != kAddress) return FALSE;
            std::string address(static_cast<const char*>(data->lpData), data->cbData);
            Log("took", address);
            Show(hwnd, address);
            return TRUE;
        }
        case WM_CLOSE:
            if (const char* ms = std::getenv("ZEL_STUB_CLOSE_MS")) {
                SetTimer(hwnd, kClosedTimer, std::atoi(ms), nullptr);
                return 0;
            }
            Log("closed");
            DestroyWindow(hwnd);
            return 0;
        case WM_TIMER:
            if (wParam == kChannelTimer) {
                if (gIpc.Serve() == MpvIpc::kQuit) {
                    Log("quit");
                    Log("closed");
                    DestroyWindow(hwnd);
                }
                return 0;
            }
            if (wParam == kClosedTimer) Log("closed");
            DestroyWindow(hwnd);
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

const Kind& MyKind() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    const char* name = std::strrchr(path, '\\');
    gName = name ? name + 1 : path;
    for (const Kind& k : kKinds)
        if (lstrcmpiA(gName.c_str(), k.file) == 0) return *(gKind = &k);
    gClassic = true;
    return kClassic;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCmd) {
    const Kind& kind = MyKind();
    const char* line = GetCommandLineA();
    const std::vector<std::string> args = Arguments();
    LogArguments(args);
    const std::string address = AddressOf(args);
    const bool handsOver = kind.singleInstance || Has(args, "--one-instance");
    if (HWND running = handsOver ? FindWindowA(kind.windowClass, nullptr) : nullptr) {
        COPYDATASTRUCT data{kAddress, static_cast<DWORD>(address.size()),
                            const_cast<char*>(address.data())};
        DWORD_PTR result = 0;
        SendMessageTimeoutA(running, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data),
                            SMTO_ABORTIFHUNG, 5000, &result);
        Log("handed", address);
        SetForegroundWindow(running);
        return 0;
    }
    Log("started", line);
    WNDCLASSA wc{};
    wc.lpfnWndProc = PlayerProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = kind.windowClass;
    if (!RegisterClassA(&wc)) return 1;
    HWND hwnd = CreateWindowExA(0, kind.windowClass, "", WS_OVERLAPPEDWINDOW, 560, 420, 320, 120,
                                nullptr, nullptr, instance, nullptr);
    if (!hwnd) return 1;
    Show(hwnd, address);
    ShowWindow(hwnd, showCmd);
    SetTimer(hwnd, kGiveUpTimer, 120000, nullptr);
    for (const auto& a : args)
        if (a.starts_with(kIpcOption) && gIpc.Open(a.substr(std::strlen(kIpcOption)), address))
            SetTimer(hwnd, kChannelTimer, 50, nullptr);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
