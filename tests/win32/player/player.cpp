// A stand-in for the external player in the Wine tests: a top-level window of the
// player's class that writes the command line it was started with, one line per
// start, to the file named by ZEL_PLAYER_LOG, adds "closed" when it is asked to
// close, and gives up by itself after a minute so that no test leaves it behind.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

namespace {

const char* const kClassName = "Progressive Networks RAPlayer";
constexpr UINT_PTR kGiveUpTimer = 1;

void Log(const char* line) {
    const char* path = std::getenv("ZEL_PLAYER_LOG");
    if (!path || !*path) return;
    if (std::FILE* f = std::fopen(path, "ab")) {
        std::fprintf(f, "%s\n", line);
        std::fclose(f);
    }
}

LRESULT CALLBACK PlayerProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_CLOSE:
            Log("closed");
            DestroyWindow(hwnd);
            return 0;
        case WM_TIMER:
            DestroyWindow(hwnd);
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCmd) {
    Log(GetCommandLineA());
    WNDCLASSA wc{};
    wc.lpfnWndProc = PlayerProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = kClassName;
    if (!RegisterClassA(&wc)) return 1;
    HWND hwnd = CreateWindowExA(0, kClassName, "Test player", WS_OVERLAPPEDWINDOW, 500, 300, 300,
                                120, nullptr, nullptr, instance, nullptr);
    if (!hwnd) return 1;
    ShowWindow(hwnd, showCmd);
    SetTimer(hwnd, kGiveUpTimer, 60000, nullptr);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
