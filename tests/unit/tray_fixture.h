// A tray icon on a form of its own, and the shell's side of it: what the shell was
// told, and the mouse reports it sends to the icon's window.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "components/PGTray95.h"
#include "gui/application.h"
#include "gui/forms.h"
#include "support/gui_fixture.h"

class TrayTest : public GuiTest {
  protected:
    void SetUp() override {
        GuiTest::SetUp();
        form = new TForm(Application);
        tray = new TPGTrayIcon95(form);
    }

    plat::HWND Window() { return tray->MsgWindow()->Handle(); }
    // What the shell reports of the mouse over the icon.
    void Mouse(plat::UINT mouseMessage) {
        platform().SendMessageA(Window(), WM_TRAYNOTIFY, 0, mouseMessage);
    }
    void Advance(std::uint32_t ms) { harness().Advance(ms); }
    const std::vector<plat::headless::NotifyCall>& Shell() { return harness().notifications; }
    std::vector<plat::DWORD> ShellMessages() {
        std::vector<plat::DWORD> out;
        for (const auto& n : Shell()) out.push_back(n.message);
        return out;
    }
    std::string LastTip() { return Shell().empty() ? "(none)" : Shell().back().data.szTip; }
    plat::HICON LastIcon() { return Shell().empty() ? ~plat::HICON{0} : Shell().back().data.hIcon; }
    // An icon made from a file, as the form's stored icon would be.
    void LoadPicture(TIcon& icon) { icon.LoadFromFile(IconFile("picture.ico")); }
    std::string IconFile(const std::string& name) {
        // Header, one directory entry, four bytes of image.
        return WriteFile(name, {0, 0, 1, 0, 1, 0,  32, 32, 16, 0, 1, 0, 4,
                                0, 4, 0, 0, 0, 22, 0,  0,  0,  1, 2, 3, 4});
    }
    int Count(const std::string& call) {
        auto& log = harness().log;
        return static_cast<int>(std::count_if(
            log.begin(), log.end(), [&](auto& l) { return l.rfind(call + "(", 0) == 0; }));
    }

    TForm* form = nullptr;
    TPGTrayIcon95* tray = nullptr;
};
