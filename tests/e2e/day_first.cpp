#include <algorithm>

#include "e2e/steps.h"
#include "e2e/ui.h"

namespace e2e {

namespace {

struct ConfigWindow {
    HWND form, list, name, url, add, change, play, playAtStart, showWin, ok;
};

// The glyph buttons have no caption: they are told apart by where a person sees them.
// The one below the edit fields at the left stores the fields into the selection.
HWND StoreButton(HWND form, HWND list) {
    RECT lr{};
    ::GetWindowRect(list, &lr);
    HWND best = nullptr;
    LONG bestLeft = 0;
    for (HWND b : Descendants(form)) {
        if (ClassOf(b) != "Button" || !TextOf(b).empty()) continue;
        RECT r{};
        ::GetWindowRect(b, &r);
        if (r.left < lr.right + 40) continue;  // the move buttons stand beside the list
        if (!best || r.left < bestLeft) best = b, bestLeft = r.left;
    }
    return best;
}

ConfigWindow FindConfigWindow(const Day& day) {
    ConfigWindow c{};
    c.form = WaitShown(day.app, "TRadioForm", "the configuration window");
    c.list = Child(c.form, "ListBox");
    c.name = Child(c.form, "Edit", nullptr, 0);
    c.url = Child(c.form, "Edit", nullptr, 1);
    c.add = Child(c.form, "Button", "Add");
    c.play = Child(c.form, "Button", "Play");
    c.playAtStart = Child(c.form, "Button", "Play Selected Station");
    c.showWin = Child(c.form, "Button", "Show Floating Window");
    c.ok = Child(c.form, "Button", "OK");
    Expect(c.list && c.name && c.url && c.add && c.ok && c.playAtStart && c.showWin,
           "the configuration window lacks the station list, the two fields, Add, OK or "
           "the start-up options");
    c.change = StoreButton(c.form, c.list);
    Expect(c.change != nullptr, "no store button below the edit fields");
    return c;
}

void AddStation(const ConfigWindow& c, const Station& s) {
    Type(c.name, s.name);
    Type(c.url, s.url);
    Click(c.add);
    Expect(WaitUntil([&] { return TextOf(c.name).empty(); }, 5000),
           "Add left the name field filled for " + s.name);
}

}  // namespace

void FirstStart(Day& day) {
    Expect(!FileExists(SettingsFile()), "the settings file exists before the first start");
    Expect(!DirExists(day.ProgramDir() + "\\settings"), "the settings folder exists already");
    Expect(day.app.Start(day.exe), "could not start " + day.exe);
    HWND about = WaitShown(day.app, "TAboutBox", "the about box");
    HWND floating = day.app.Window("TRadioFloatWin");
    Expect(!Shown(floating), "the floating window showed before the about box was closed");
    GoToMainWindow(day, day.app);
    floating = WaitShown(day.app, "TRadioFloatWin", "the floating window");
    Expect(!Shown(about), "the about box is still shown");
    RECT r{};
    ::GetWindowRect(floating, &r);
    Expect(r.left == 0 && r.top == 0, "the floating window stands at " + std::to_string(r.left) +
                                          ", " + std::to_string(r.top) + ", not at 0, 0");
    Expect(TextOf(floating) == "Zelvora",
           "the floating window's caption is " + Quoted(TextOf(floating)));
    Expect(DirExists(day.ProgramDir() + "\\settings"), "no settings folder beside the program");
    Expect(day.app.TrayWindow() != nullptr, "no tray icon window");
    // The package's starter stations fill the first list.
    const auto starters = StarterNames(day);
    Expect(starters.size() == 12, "the release package's starter-stations.m3u holds " +
                                      std::to_string(starters.size()) + " stations, not 12");
    HWND combo = Child(floating, "ComboBox");
    Expect(ComboItems(combo) == starters,
           "the first list holds " + Join(ComboItems(combo)) + ", not the starter stations");
}

void ChoosePlayerLocation(Day& day) {
    ChoosePlayer(day, day.player, "location");
}

void ChoosePlayer(Day& day, const std::string& program, const std::string& shotPrefix) {
    HWND floating = WaitShown(day.app, "TRadioFloatWin", "the floating window");
    ChooseFromMenuBar(day.app, floating, 'c', {VK_HOME, VK_DOWN, VK_RETURN});
    HWND note = WaitShown(day.app, "#32770", "the note before the file dialog");
    Expect(Child(note, "Static",
                 "Click OK to find the RealAudio Player application. It is "
                 "usually called raplayer.exe in the raplayer directory or "
                 "the windows directory.") != nullptr,
           "the note before the file dialog does not say how to find the player");
    if (!shotPrefix.empty()) day.Shot(shotPrefix + "-note");
    Click(Child(note, "Button", "OK"));
    HWND dialog = nullptr;
    WaitUntil(
        [&] { return (dialog = day.app.ShownWindow("#32770", "Choose RealAudio")) != nullptr; },
        10000);
    Expect(dialog != nullptr, "no file dialog \"Choose RealAudio application.\"");
    Pause(500);
    HWND field = ::GetDlgItem(dialog, 0x480);  // the file name field (edt1, or cmb13)
    if (!field) field = ::GetDlgItem(dialog, 0x47c);
    Expect(field != nullptr, "the file dialog has no file name field");
    ::SendMessageA(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(program.c_str()));
    if (!shotPrefix.empty()) day.Shot(shotPrefix + "-dialog");
    Click(::GetDlgItem(dialog, IDOK));
    Expect(WaitUntil([&] { return !Shown(dialog); }, 5000), "the file dialog stayed open");
}

void EditStations(Day& day) {
    HWND floating = WaitShown(day.app, "TRadioFloatWin", "the floating window");
    ChooseFromMenuBar(day.app, floating, 'c', {VK_HOME, VK_RETURN});
    ConfigWindow c = FindConfigWindow(day);
    Expect(ListItems(c.list) == StarterNames(day),
           "the first station list holds " + Join(ListItems(c.list)) + ", not the starters");
    // The person makes the list their own: the starters go, one by one.
    HWND remove = Child(c.form, "Button", "Delete");
    Expect(remove != nullptr, "the configuration window has no Delete button");
    for (size_t n = ListItems(c.list).size(); n > 0; --n) {
        PressRow(c.list, 0);
        Click(remove);
        Expect(WaitUntil([&] { return ListItems(c.list).size() == n - 1; }, 3000),
               "Delete did not remove the first station of " + std::to_string(n));
    }
    for (const Station& s : {kJazz, kRock, kNews}) AddStation(c, s);
    auto items = ListItems(c.list);
    Expect(items == std::vector<std::string>{kJazz.name, kRock.name, kNews.name},
           "after three adds the list holds " + Join(items));
    day.Shot("three-stations");

    // Rename: choose Rock FM, which fills the fields, and store a new name.
    PressRow(c.list, 1);
    Expect(WaitUntil([&] { return TextOf(c.name) == kRock.name; }, 3000),
           "choosing Rock FM did not put its name into the name field");
    Expect(TextOf(c.url) == kRock.url, "choosing Rock FM showed the URL " + TextOf(c.url));
    Type(c.name, kRenamedRock);
    Click(c.change);
    Expect(WaitUntil([&] { return ListItems(c.list).at(1) == kRenamedRock; }, 3000),
           "the rename did not reach the list: " + Join(ListItems(c.list)));

    // Move: News 24 is dragged from the last row to the first.
    DragRow(c.list, 2, 0);
    items = ListItems(c.list);
    Expect(items == std::vector<std::string>{kNews.name, kJazz.name, kRenamedRock},
           "after dragging News 24 to the top the list holds " + Join(items));

    Click(c.playAtStart);
    Expect(WaitUntil([&] { return Checked(c.playAtStart); }, 3000),
           "\"Play Selected Station\" did not become checked");
    Expect(Checked(c.showWin), "\"Show Floating Window\" is not checked at the first start");
    day.Shot("renamed-and-moved");

    for (auto [file, url] : {std::pair{"Jazz_Cafe", kJazz.url},
                             {"Rock_FM", kRock.url},
                             {"Classic_Rock", kRock.url},
                             {"News_24", kNews.url}}) {
        auto text = ReadFile(day.StationFile(file));
        Expect(text.has_value(), std::string("no station file settings\\") + file);
        Expect(*text == url + "\r\n", std::string("settings\\") + file + " holds " + Quoted(*text) +
                                          ", not the URL and CR LF");
    }
}

void CloseConfiguration(Day& day) {
    HWND form = WaitShown(day.app, "TRadioForm", "the configuration window");
    Click(Child(form, "Button", "OK"));
    Expect(WaitUntil([&] { return !Shown(form); }, 5000), "OK did not close the window");
    HWND floating = WaitShown(day.app, "TRadioFloatWin", "the floating window");
    HWND combo = Child(floating, "ComboBox");
    Expect(combo != nullptr, "the floating window has no drop-down list");
    auto items = ComboItems(combo);
    Expect(items == std::vector<std::string>{kNews.name, kJazz.name, kRenamedRock},
           "the drop-down list holds " + Join(items));
}

}  // namespace e2e
