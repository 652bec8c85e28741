#include "e2e/day.h"

#include <algorithm>
#include <cstdio>

#include "e2e/ui.h"

namespace e2e {

namespace {

constexpr UINT kTrayCallback = 1124;  // the message the tray icon asked the shell for
constexpr UINT kTrayIconId = 42;

// A popup menu of the process, open on the screen.
HWND OpenMenu(const Program& p) {
    return p.ShownWindow("#32768");
}

void PressKeys(HWND menu, const std::vector<UINT>& keys) {
    for (UINT vk : keys) {
        PostKey(menu, vk);
        Pause(150);
    }
}

}  // namespace

const Station kJazz{"Jazz Cafe", "http://radio.example.net/jazz.ram"};
const Station kRock{"Rock FM", "http://radio.example.net/rock.ram"};
const Station kNews{"News 24", "http://radio.example.net/news.ram"};
const char* const kRenamedRock = "Classic Rock";

void Expect(bool ok, const std::string& reason) {
    if (!ok) throw StepFailure{reason};
}

void Day::Shot(const std::string& label) {
    char name[32];
    std::snprintf(name, sizeof name, "%02d-", ++shots);
    Pause(300);  // let the last paint reach the screen
    Screenshot(out + "\\" + name + label + ".bmp");
}

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

std::string Join(const std::vector<std::string>& items) {
    std::string s;
    for (const auto& i : items) s += (s.empty() ? "" : ", ") + Quoted(i);
    return "[" + s + "]";
}

HWND WaitShown(const Program& p, const std::string& cls, const std::string& what, DWORD ms) {
    HWND found = nullptr;
    WaitUntil([&] { return (found = p.ShownWindow(cls)) != nullptr; }, ms);
    Expect(found != nullptr, what + " (a window of class " + cls + ") did not show");
    return found;
}

void ChooseFromMenuBar(const Program& p, HWND window, char mnemonic,
                       const std::vector<UINT>& keys) {
    Expect(::GetMenu(window) != nullptr, "the window has no menu bar");
    // What Alt and the underlined letter do: the system opens that menu.
    ::PostMessageA(window, WM_SYSCOMMAND, SC_KEYMENU, static_cast<unsigned char>(mnemonic));
    HWND menu = nullptr;
    WaitUntil([&] { return (menu = OpenMenu(p)) != nullptr; }, 5000);
    Expect(menu != nullptr, std::string("the menu '&") + mnemonic + "' did not open");
    Pause(300);
    PressKeys(menu, keys);
}

void PressTrayIcon(const Program& p, UINT buttonDown) {
    HWND tray = p.TrayWindow();
    Expect(tray != nullptr, "no tray icon window (class TPGTrayIconMsgWindow) in the program");
    ::PostMessageA(tray, kTrayCallback, kTrayIconId, buttonDown);
}

void ChooseFromTrayMenu(Day& day, const Program& p, const std::vector<UINT>& keys,
                        const std::string& shotLabel) {
    PressTrayIcon(p, WM_RBUTTONDOWN);
    HWND menu = nullptr;
    WaitUntil([&] { return (menu = OpenMenu(p)) != nullptr; }, 5000);
    Expect(menu != nullptr, "the right button on the tray icon opened no menu");
    Pause(300);
    PressKeys(menu, {VK_HOME});
    day.Shot(shotLabel);
    PressKeys(menu, keys);
    Expect(WaitUntil([&] { return OpenMenu(p) == nullptr; }, 5000),
           "the tray menu stayed open after a choice");
}

void GoToMainWindow(Day& day, const Program& p) {
    HWND about = WaitShown(p, "TAboutBox", "the about box");
    day.Shot("about-box");
    HWND go = Child(about, "Button", "Go To Main Window");
    Expect(go != nullptr, "the about box has no button \"Go To Main Window\"");
    Click(go);
    Expect(WaitUntil([&] { return !Shown(about); }, 5000),
           "\"Go To Main Window\" left the about box open");
}

std::vector<std::string> StarterNames(const Day& day) {
    std::vector<std::string> names;
    auto text = ReadFile(day.ProgramDir() + "\\starter-stations.m3u");
    if (!text) return names;
    const std::string tag = "#EXTINF:-1,";
    for (size_t at = text->find(tag); at != std::string::npos; at = text->find(tag, at)) {
        at += tag.size();
        names.push_back(text->substr(at, text->find_first_of("\r\n", at) - at));
    }
    return names;
}

std::vector<std::string> PlayerStarts(const Day& day) {
    std::vector<std::string> lines;
    auto text = ReadFile(day.record);
    if (!text) return lines;
    std::string line;
    for (char c : *text) {
        if (c == '\r') continue;
        if (c == '\n') {
            // The player also notes when it was asked to close; that is no start.
            if (line != "closed") lines.push_back(line);
            line.clear();
        } else {
            line += c;
        }
    }
    if (!line.empty() && line != "closed") lines.push_back(line);
    return lines;
}

std::string WaitPlayerStart(const Day& day, size_t before, DWORD ms) {
    std::vector<std::string> starts;
    WaitUntil([&] { return (starts = PlayerStarts(day)).size() > before; }, ms);
    return starts.size() > before ? starts.back() : std::string();
}

HWND PlayerWindow() {
    return TopWindow("Progressive Networks RAPlayer");
}

void CloseTestPlayers() {
    for (HWND player : TopWindows("Progressive Networks RAPlayer"))
        ::PostMessageA(player, WM_CLOSE, 0, 0);
    WaitUntil([] { return PlayerWindow() == nullptr; }, 5000);
}

// The tool buttons show glyphs, no caption: play stands left of stop.
FloatingWindow FindFloatingWindow(const Day& day) {
    HWND floating = WaitShown(day.app, "TRadioFloatWin", "the floating window");
    std::vector<HWND> buttons;
    for (HWND b : Descendants(floating)) {
        if (ClassOf(b) == "Button" && TextOf(b).empty()) buttons.push_back(b);
    }
    std::sort(buttons.begin(), buttons.end(), [](HWND a, HWND b) {
        RECT ra{}, rb{};
        ::GetWindowRect(a, &ra);
        ::GetWindowRect(b, &rb);
        return ra.left < rb.left;
    });
    HWND combo = Child(floating, "ComboBox");
    Expect(combo && buttons.size() == 2, "the floating window lacks its list or its buttons");
    return {floating, combo, buttons[0], buttons[1]};
}

}  // namespace e2e
