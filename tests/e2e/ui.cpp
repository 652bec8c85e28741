#include "e2e/ui.h"

#include <algorithm>
#include <cctype>

namespace e2e {

namespace {

// Reads are sent with a time limit, so that a program stuck elsewhere fails the step
// instead of hanging the drive.
LRESULT Ask(HWND window, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) {
    DWORD_PTR result = 0;
    if (!::SendMessageTimeoutA(window, msg, wParam, lParam, SMTO_ABORTIFHUNG, 5000, &result))
        return -1;
    return static_cast<LRESULT>(result);
}

bool SameText(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

struct TopSearch {
    std::string cls;
    DWORD pid;
    std::vector<HWND> found;
};

BOOL CALLBACK OnTop(HWND window, LPARAM param) {
    auto* s = reinterpret_cast<TopSearch*>(param);
    if (SameText(ClassOf(window), s->cls) && (s->pid == 0 || ProcessOf(window) == s->pid))
        s->found.push_back(window);
    return TRUE;
}

BOOL CALLBACK OnChild(HWND window, LPARAM param) {
    reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
    return TRUE;
}

LPARAM Point(int x, int y) {
    return MAKELPARAM(x, y);
}

// Items are asked for in UTF-16 and converted here: the ANSI forms of these messages
// do not come back whole from a window of another process under Wine.
std::string ItemText(HWND window, UINT lenMsg, UINT textMsg, int i) {
    DWORD_PTR len = 0;
    if (!::SendMessageTimeoutW(window, lenMsg, i, 0, SMTO_ABORTIFHUNG, 5000, &len) ||
        static_cast<LRESULT>(len) < 0)
        return {};
    std::wstring wide(len + 1, L'\0');
    DWORD_PTR got = 0;
    if (!::SendMessageTimeoutW(window, textMsg, i, reinterpret_cast<LPARAM>(wide.data()),
                               SMTO_ABORTIFHUNG, 5000, &got) ||
        static_cast<LRESULT>(got) < 0)
        return {};
    wide.resize(got);
    int n = ::WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                  nullptr, nullptr);
    std::string text(n, '\0');
    ::WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), text.data(), n,
                          nullptr, nullptr);
    return text;
}

}  // namespace

std::string ClassOf(HWND window) {
    char name[256] = {};
    ::GetClassNameA(window, name, sizeof name);
    return name;
}

std::string TextOf(HWND window) {
    LRESULT len = Ask(window, WM_GETTEXTLENGTH);
    if (len <= 0) return {};
    std::string text(static_cast<size_t>(len) + 1, '\0');
    LRESULT got = Ask(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(got < 0 ? 0 : static_cast<size_t>(got));
    return text;
}

bool Shown(HWND window) {
    return window && ::IsWindowVisible(window);
}

DWORD ProcessOf(HWND window) {
    DWORD pid = 0;
    ::GetWindowThreadProcessId(window, &pid);
    return pid;
}

std::vector<HWND> TopWindows(const std::string& cls, DWORD pid) {
    TopSearch s{cls, pid, {}};
    ::EnumWindows(OnTop, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

HWND TopWindow(const std::string& cls, DWORD pid) {
    auto all = TopWindows(cls, pid);
    return all.empty() ? nullptr : all.front();
}

HWND ShownWindow(const std::string& cls, DWORD pid, const std::string& captionPart) {
    for (HWND w : TopWindows(cls, pid)) {
        if (Shown(w) && TextOf(w).find(captionPart) != std::string::npos) return w;
    }
    return nullptr;
}

std::vector<HWND> Descendants(HWND parent) {
    std::vector<HWND> all;
    if (parent) ::EnumChildWindows(parent, OnChild, reinterpret_cast<LPARAM>(&all));
    return all;
}

HWND Child(HWND parent, const std::string& cls, const char* text, int nth) {
    for (HWND w : Descendants(parent)) {
        if (!SameText(ClassOf(w), cls)) continue;
        if (text && TextOf(w) != text) continue;
        if (nth-- == 0) return w;
    }
    return nullptr;
}

bool WaitUntil(const std::function<bool()>& condition, DWORD ms) {
    DWORD start = ::GetTickCount();
    for (;;) {
        if (condition()) return true;
        if (::GetTickCount() - start > ms) return false;
        ::Sleep(100);
    }
}

void Pause(DWORD ms) {
    ::Sleep(ms);
}

void Click(HWND button) {
    ::PostMessageA(button, BM_CLICK, 0, 0);
}

bool Checked(HWND checkBox) {
    return Ask(checkBox, BM_GETCHECK) == BST_CHECKED;
}

void Type(HWND edit, const std::string& text) {
    Ask(edit, EM_SETSEL, 0, -1);
    // Sent, not posted: typing runs no handler that waits for the user, and the step
    // goes on only once every key has arrived.
    if (text.empty()) Ask(edit, WM_CHAR, VK_BACK, 1);
    for (char c : text) Ask(edit, WM_CHAR, static_cast<unsigned char>(c), 1);
}

void PressRow(HWND list, int row) {
    int h = static_cast<int>(Ask(list, LB_GETITEMHEIGHT, 0));
    LPARAM at = Point(8, row * h + h / 2);
    ::PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::PostMessageA(list, WM_LBUTTONUP, 0, at);
    Pause(400);  // posted, as the mouse's messages are: the list may wait for the release
}

void DragRow(HWND list, int from, int to) {
    int h = static_cast<int>(Ask(list, LB_GETITEMHEIGHT, 0));
    int y0 = from * h + h / 2, y1 = to * h + h / 2;
    ::PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, Point(8, y0));
    Pause(200);
    // Several small moves, as a hand makes them: the drag begins past a threshold.
    const int steps = 8;
    for (int i = 1; i <= steps; ++i) {
        ::PostMessageA(list, WM_MOUSEMOVE, MK_LBUTTON, Point(8 + i, y0 + (y1 - y0) * i / steps));
        Pause(50);
    }
    Pause(200);
    ::PostMessageA(list, WM_LBUTTONUP, 0, Point(8 + steps, y1));
    Pause(400);
}

std::vector<std::string> ListItems(HWND list) {
    std::vector<std::string> items;
    LRESULT n = Ask(list, LB_GETCOUNT);
    for (int i = 0; i < n; ++i) items.push_back(ItemText(list, LB_GETTEXTLEN, LB_GETTEXT, i));
    return items;
}

int ListSelection(HWND list) {
    return static_cast<int>(Ask(list, LB_GETCURSEL));
}

std::vector<std::string> ComboItems(HWND combo) {
    std::vector<std::string> items;
    LRESULT n = Ask(combo, CB_GETCOUNT);
    for (int i = 0; i < n; ++i) items.push_back(ItemText(combo, CB_GETLBTEXTLEN, CB_GETLBTEXT, i));
    return items;
}

int ComboSelection(HWND combo) {
    return static_cast<int>(Ask(combo, CB_GETCURSEL));
}

void ChooseInCombo(HWND combo, int index) {
    Ask(combo, CB_SETCURSEL, index);
    WPARAM code = MAKEWPARAM(::GetDlgCtrlID(combo), CBN_SELCHANGE);
    ::PostMessageA(::GetParent(combo), WM_COMMAND, code, reinterpret_cast<LPARAM>(combo));
}

void PostKey(HWND target, UINT vk) {
    ::PostMessageA(target, WM_KEYDOWN, vk, 1);
    ::PostMessageA(target, WM_KEYUP, vk, 0xC0000001);
}

void MouseClick(HWND window) {
    ::SetForegroundWindow(::GetAncestor(window, GA_ROOT));
    Pause(200);
    RECT r{};
    ::GetWindowRect(window, &r);
    const int width = ::GetSystemMetrics(SM_CXSCREEN), height = ::GetSystemMetrics(SM_CYSCREEN);
    INPUT in[3] = {};
    for (INPUT& i : in) i.type = INPUT_MOUSE;
    in[0].mi.dx = ((r.left + r.right) / 2) * 65535 / (width - 1);
    in[0].mi.dy = ((r.top + r.bottom) / 2) * 65535 / (height - 1);
    in[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    in[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    in[2].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ::SendInput(3, in, sizeof(INPUT));
    Pause(400);
}

void TypeText(const std::string& text) {
    std::wstring wide(text.size(), L'\0');
    wide.resize(::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                      wide.data(), static_cast<int>(wide.size())));
    for (wchar_t c : wide) {
        INPUT in[2] = {};
        for (INPUT& i : in) {
            i.type = INPUT_KEYBOARD;
            i.ki.wScan = c;
            i.ki.dwFlags = KEYEVENTF_UNICODE;
        }
        in[1].ki.dwFlags |= KEYEVENTF_KEYUP;
        ::SendInput(2, in, sizeof(INPUT));
        Pause(20);
    }
    Pause(200);
}

void PressKey(WORD vk) {
    INPUT in[2] = {};
    for (INPUT& i : in) {
        i.type = INPUT_KEYBOARD;
        i.ki.wVk = vk;
    }
    in[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(2, in, sizeof(INPUT));
    Pause(300);
}

}  // namespace e2e
