#include <cstdio>
#include <cstring>

#include "e2e/steps.h"
#include "e2e/ui.h"

namespace e2e {

namespace {

const char* const kPlaylists = "C:\\playlists";

std::vector<std::string> FinalList() {
    return {kNews.name, kJazz.name, kRenamedRock};
}

// A text of the system's code page in UTF-8; *exact is false when a UTF-8 text
// has a character the code page lacks.
std::string Convert(const std::string& text, UINT from, UINT to, bool* exact = nullptr) {
    std::wstring wide(text.size(), L'\0');
    wide.resize(::MultiByteToWideChar(from, 0, text.data(), static_cast<int>(text.size()),
                                      wide.data(), static_cast<int>(wide.size())));
    std::string out(wide.size() * 4, '\0');
    BOOL used = FALSE;
    out.resize(::WideCharToMultiByte(to, 0, wide.data(), static_cast<int>(wide.size()), out.data(),
                                     static_cast<int>(out.size()), nullptr,
                                     exact ? &used : nullptr));
    if (exact) *exact = !used;
    return out;
}

// As the program names a station's file: blanks, full stops, slashes and what Windows
// refuses in file names become underscores.
std::string StationFileName(std::string name) {
    for (char& c : name)
        if (static_cast<unsigned char>(c) < 32 || std::strchr(" ./\\<>:\"|?*", c)) c = '_';
    return name;
}

// The file dialog with that caption: the path typed into its name field, then Enter.
void AnswerFileDialog(Day& day, const std::string& caption, const std::string& path) {
    HWND dialog = nullptr;
    WaitUntil([&] { return (dialog = day.app.ShownWindow("#32770", caption)) != nullptr; }, 10000);
    Expect(dialog != nullptr, "no file dialog " + Quoted(caption));
    Pause(500);
    HWND field = ::GetDlgItem(dialog, 0x480);  // the file name field (edt1, or cmb13)
    if (!field) field = ::GetDlgItem(dialog, 0x47c);
    Expect(field != nullptr, "the file dialog has no file name field");
    ::SetForegroundWindow(dialog);
    ::SendMessageA(field, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
    ::SendMessageA(field, EM_SETSEL, 0, -1);
    TypeText(path);
    day.Shot(caption == "Import Stations" ? "import-dialog" : "export-dialog");
    PressKey(VK_RETURN);
    Expect(WaitUntil([&] { return !Shown(dialog); }, 5000), "the file dialog stayed open");
}

// The message box the program shows next: its text, pictured, then closed with Enter.
std::string ReadAndCloseBox(Day& day, const std::string& label) {
    HWND box = WaitShown(day.app, "#32770", "the message box after " + label);
    std::string text;
    for (HWND w : Descendants(box))
        if (ClassOf(w) == "Static" && !TextOf(w).empty()) text = TextOf(w);
    day.Shot(label);
    ::SetForegroundWindow(box);
    PressKey(VK_RETURN);
    Expect(WaitUntil([&] { return !Shown(box); }, 5000), "Enter left the message box open");
    return text;
}

bool Holds(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

HWND ShowFloatingWindow(Day& day) {
    PressTrayIcon(day.app, WM_LBUTTONDOWN);
    if (WaitUntil([&] { return day.app.ShownWindow("TAboutBox") != nullptr; }, 3000))
        GoToMainWindow(day, day.app);
    return WaitShown(day.app, "TRadioFloatWin", "the floating window");
}

}  // namespace

void ImportStations(Day& day) {
    size_t before = PlayerStarts(day).size();
    Expect(day.app.Start(day.exe), "could not start the program again");
    // "Play Selected Station" is still set: the test player comes up, and goes again.
    WaitPlayerStart(day, before, 15000);
    WaitUntil([] { return PlayerWindow() != nullptr; }, 5000);
    CloseTestPlayers();
    Expect(WaitUntil([&] { return day.app.TrayWindow() != nullptr; }, 10000), "no tray icon");
    HWND floating = ShowFloatingWindow(day);
    HWND combo = Child(floating, "ComboBox");
    Expect(ComboItems(combo) == FinalList(),
           "after the new release the list holds " + Join(ComboItems(combo)));

    // A playlist as other programs write them, in UTF-8.
    const std::string cafe = "Caf\xC3\xA9 Classique";
    ::CreateDirectoryA(kPlaylists, nullptr);
    const std::string path = std::string(kPlaylists) + "\\import.m3u8";
    std::FILE* f = std::fopen(path.c_str(), "wb");
    Expect(f != nullptr, "could not write " + path);
    std::fprintf(f,
                 "#EXTM3U\n#EXTINF:-1,Groove Salad\nhttps://somafm.com/groovesalad.pls\n"
                 "#EXTINF:-1,JAZZ CAFE\nhttp://radio.example.net/other.ram\n"
                 "#EXTINF:-1,%s\nhttp://radio.example.net/cafe.ram\n"
                 "#EXTINF:-1,What?\nhttp://radio.example.net/what.ram\n"
                 "ftp://radio.example.net/old.ram\n",
                 cafe.c_str());
    std::fclose(f);
    bool shown = false;
    const std::string cafeHere = Convert(cafe, CP_UTF8, CP_ACP, &shown);

    ChooseFromMenuBar(day.app, floating, 'c', {VK_HOME, VK_DOWN, VK_DOWN, VK_RETURN});
    AnswerFileDialog(day, "Import Stations", path);
    std::string summary = ReadAndCloseBox(day, "import-summary");
    // "What?" is a name like any other: its file is What_.
    const int added = shown ? 3 : 2;
    Expect(Holds(summary, std::to_string(added) + " stations were added from import.m3u8.") &&
               Holds(summary, "already in the list: \"JAZZ CAFE\"") &&
               !Holds(summary, "\"What?\"") && Holds(summary, "ftp://radio.example.net/old.ram"),
           "the summary says " + Quoted(summary));
    auto want = FinalList();
    want.push_back("Groove Salad");
    if (shown) want.push_back(cafeHere);
    want.push_back("What?");
    Expect(ComboItems(combo) == want, "after the import the list holds " + Join(ComboItems(combo)));
    auto groove = ReadFile(day.StationFile("Groove_Salad"));
    Expect(groove == "https://somafm.com/groovesalad.pls\r\n",
           "the imported station's file holds " + Quoted(groove.value_or("nothing")));
}

void ExportStations(Day& day) {
    HWND floating = WaitShown(day.app, "TRadioFloatWin", "the floating window");
    HWND combo = Child(floating, "ComboBox");
    const auto names = ComboItems(combo);
    std::string want = "#EXTM3U\r\n";
    for (const auto& name : names) {
        auto url = ReadFile(day.StationFile(StationFileName(name))).value_or("");
        want += "#EXTINF:-1," + Convert(name, CP_ACP, CP_UTF8) + "\r\n" +
                url.substr(0, url.find('\r')) + "\r\n";
    }
    ChooseFromMenuBar(day.app, floating, 'c', {VK_HOME, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN});
    const std::string typed = std::string(kPlaylists) + "\\export";
    AnswerFileDialog(day, "Export Stations", typed);
    std::string summary = ReadAndCloseBox(day, "export-summary");
    // The dialog adds the default extension to a name typed without one.
    std::string written = typed + ".m3u8";
    if (!FileExists(written) && FileExists(typed + ".m3u")) written = typed + ".m3u";
    Expect(Holds(summary, std::to_string(names.size()) + " stations were written to " + written),
           "the box after the export says " + Quoted(summary));
    auto text = ReadFile(written);
    Expect(text == want,
           written + " holds " + Quoted(text.value_or("nothing")) + ", not " + Quoted(want));
}

}  // namespace e2e
