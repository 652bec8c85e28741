// The modal windows driven from outside while they are shown: keys from the real
// keyboard queue, and buttons pressed the way automation and accessibility tools
// press them (BM_CLICK), by a second thread, since the test's own sits in the loop.
#include <functional>
#include <string>
#include <vector>

#include "app/AboutUNIT.h"
#include "app/radiowin.h"
#include "app/stationorder.h"
#include "gui/application.h"
#include "platform/paths.h"
#include "support/platform_fixture.h"

#include "win32/native_windows.h"

namespace {

HWND H(TWinControl* control) {
    return reinterpret_cast<HWND>(control->Handle());
}

// Runs a script on a thread of its own; the destructor waits for it to end.
class Driver {
  public:
    explicit Driver(std::function<void()> script) : script_(std::move(script)) {
        thread_ = ::CreateThread(nullptr, 0, &Driver::Run, this, 0, nullptr);
    }
    // Handles what the script sends meanwhile, so that a script still asking the
    // windows about themselves can end.
    ~Driver() {
        while (::MsgWaitForMultipleObjects(1, &thread_, FALSE, INFINITE, QS_ALLINPUT) !=
               WAIT_OBJECT_0) {
            MSG msg;
            while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&msg);
        }
        ::CloseHandle(thread_);
    }
    Driver(const Driver&) = delete;
    Driver& operator=(const Driver&) = delete;

  private:
    static DWORD WINAPI Run(void* self) {
        static_cast<Driver*>(self)->script_();
        return 0;
    }
    std::function<void()> script_;
    HANDLE thread_;
};

bool WaitUntil(const std::function<bool()>& condition, DWORD ms = 5000) {
    for (DWORD waited = 0; waited < ms; waited += 20) {
        if (condition()) return true;
        ::Sleep(20);
    }
    return condition();
}

BOOL CALLBACK CollectBox(HWND window, LPARAM boxes) {
    char cls[16] = {};
    ::GetClassNameA(window, cls, sizeof cls);
    if (std::string(cls) == "#32770" && ::IsWindowVisible(window))
        reinterpret_cast<std::vector<HWND>*>(boxes)->push_back(window);
    return TRUE;
}

// The message boxes a thread shows.
std::vector<HWND> BoxesOf(DWORD thread) {
    std::vector<HWND> boxes;
    ::EnumThreadWindows(thread, CollectBox, reinterpret_cast<LPARAM>(&boxes));
    return boxes;
}

std::string TextOf(HWND hwnd) {
    char buffer[256] = {};
    ::GetWindowTextA(hwnd, buffer, sizeof buffer);
    return buffer;
}

int ListCount(HWND list) {
    return static_cast<int>(::SendMessageA(list, LB_GETCOUNT, 0, 0));
}

HWND FocusOf(DWORD thread) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return ::GetGUIThreadInfo(thread, &info) ? info.hwndFocus : nullptr;
}

// A key pressed and released on the keyboard, into the focused window.
void Key(WORD vk) {
    ::keybd_event(static_cast<BYTE>(vk), 0, 0, 0);
    ::keybd_event(static_cast<BYTE>(vk), 0, KEYEVENTF_KEYUP, 0);
    ::Sleep(150);
}

void Press(HWND button) {
    ::PostMessageA(button, BM_CLICK, 0, 0);
}

void SetText(HWND edit, const char* text) {
    ::SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

class ModalInput : public PlatformTest {
  protected:
    void SetUp() override {
        PlatformTest::SetUp();
        settingsDir =
            plat::JoinPath(plat::ExtractFileDir(plat::Current().GetModuleFileNameA()), "settings");
        Application = new TApplication();
        Application->SetTitle("Zelvora");
        RegisterStationListClass();
        RadioForm = Application->CreateForm<TRadioForm>();
        AboutBox = Application->CreateForm<TAboutBox>();
        w = RadioForm;
        w->AboutShown = true;
        w->StationLB->Items()->Clear();
        for (const char* name : {"Alpha", "Beta"}) w->StationLB->Items()->Add(name);
        // The windows are made here, on the thread that owns them, not by the driver.
        w->Handle();
        AboutBox->Handle();
        gui = ::GetCurrentThreadId();
    }
    void TearDown() override {
        delete Application;
        Application = nullptr;
        ::DeleteFileA(plat::JoinPath(settingsDir, "Wine_Key").c_str());
        PlatformTest::TearDown();
    }

    // Whatever the driver left open is closed, so that a failing test ends.
    void Rescue(TForm* form) {
        for (HWND box : BoxesOf(gui)) ::PostMessageA(box, WM_COMMAND, IDOK, 0);
        if (::IsWindowVisible(H(form))) ::PostMessageA(H(form), WM_CLOSE, 0, 0);
        ::PostThreadMessageA(gui, WM_NULL, 0, 0);
    }
    bool WaitShown(TForm* form) {
        if (!WaitUntil([&] { return ::IsWindowVisible(H(form)) != 0; })) return false;
        ::SetForegroundWindow(H(form));
        ::Sleep(300);
        return true;
    }

    std::string settingsDir;
    TRadioForm* w = nullptr;
    DWORD gui = 0;
};

// Tab to a button and Enter presses that button; Enter on a control that is not a
// push button presses the default button, OK.
TEST_F(ModalInput, EnterPressesTheFocusedButtonElseTheDefaultOne) {
    std::vector<std::string> seen;
    auto note = [&](bool ok, const char* what) {
        if (!ok) seen.push_back(what);
    };
    Driver driver([&] {
        if (!WaitShown(w)) return seen.push_back("the window did not show");
        SetText(H(w->NameEdit), "Wine Key");
        SetText(H(w->URLEdit), "http://key.invalid/");
        for (int i = 0; i < 3; ++i) Key(VK_TAB);  // from the list to Add
        note(FocusOf(gui) == H(w->AddButton), "Tab did not reach Add");
        Key(VK_RETURN);
        note(WaitUntil([&] { return ListCount(H(w->StationLB)) == 3; }),
             "Enter on Add added nothing");
        note(::IsWindowVisible(H(w)), "Enter on Add closed the window");

        Key(VK_TAB);
        note(FocusOf(gui) == H(w->FindButton), "Tab did not reach Find Stations");
        Key(VK_TAB);
        note(FocusOf(gui) == H(w->DeleteButton), "Tab did not reach Delete");
        Key(VK_RETURN);  // nothing is selected: Delete says so
        std::vector<HWND> boxes;
        note(WaitUntil([&] { return !(boxes = BoxesOf(gui)).empty(); }),
             "Enter on Delete showed no box");
        Key(VK_RETURN);  // the box's own OK
        note(boxes.empty() || WaitUntil([&] { return !::IsWindow(boxes[0]); }),
             "Enter left the box open");
        note(::IsWindowVisible(H(w)), "Enter on Delete closed the window");

        Key(VK_TAB);
        note(FocusOf(gui) == H(w->PlayButton), "Tab did not reach Play");
        Key(VK_RETURN);  // nothing selected: plays nothing
        ::Sleep(300);
        note(::IsWindowVisible(H(w)), "Enter on Play closed the window");

        Key(VK_TAB);
        note(FocusOf(gui) == H(w->PlayAtStartCB), "Tab did not reach the first check box");
        Key(VK_RETURN);
        note(WaitUntil([&] { return !::IsWindowVisible(H(w)); }),
             "Enter on a check box kept the window open");
        Rescue(w);
    });
    EXPECT_EQ(w->ShowModal(), mrOk);
    EXPECT_EQ(seen, std::vector<std::string>{});
    EXPECT_EQ(w->StationLB->Items()->Items(),
              (std::vector<std::string>{"Alpha", "Beta", "Wine Key"}));
    EXPECT_FALSE(w->PlayAtStartCB->Checked());
}

TEST_F(ModalInput, EnterOnGoToMainWindowClosesTheAboutBox) {
    bool reached = false;
    Driver driver([&] {
        if (!WaitShown(AboutBox)) return;
        Key(VK_TAB);  // from the publisher's button
        reached = FocusOf(gui) == H(AboutBox->Button1);
        Key(VK_RETURN);
        if (!WaitUntil([&] { return !::IsWindowVisible(H(AboutBox)); })) Rescue(AboutBox);
    });
    EXPECT_EQ(AboutBox->ShowModal(), mrCancel);
    EXPECT_TRUE(reached);
}

// Each of the four station messages comes up in its box; a click on the window under
// the box does nothing; OK closes the box; after the last one OK closes the window.
TEST_F(ModalInput, ButtonsPressedByAutomationCloseEveryBoxAndThenTheWindow) {
    struct Case {
        const char* name;
        const char* url;
        TWinControl* button;
        TWinControl* under;  // pressed while the box is open
    };
    const std::vector<Case> cases{{"alpha", "x", w->AddButton, w->DeleteButton},
                                  {"", "", w->AddButton, w->OKButton},
                                  {"Wine Key", "", w->AddButton, w->AddButton},
                                  {nullptr, nullptr, w->DeleteButton, w->PlayAtStartCB}};
    std::vector<std::string> seen;
    Driver driver([&] {
        if (!WaitShown(w)) return seen.push_back("the window did not show");
        for (const Case& c : cases) {
            if (c.name) {
                SetText(H(w->NameEdit), c.name);
                SetText(H(w->URLEdit), c.url);
            }
            Press(H(c.button));
            std::vector<HWND> boxes;
            WaitUntil([&] { return !(boxes = BoxesOf(gui)).empty(); });
            if (boxes.empty()) {
                seen.push_back("no box");
                continue;
            }
            HWND box = boxes.front();
            seen.push_back(TextOf(::GetDlgItem(box, 0xFFFF)));  // the message's text
            Press(H(c.under));
            ::Sleep(500);
            if (BoxesOf(gui).size() > 1) seen.push_back("a click under the box opened another");
            Press(::GetDlgItem(box, IDOK));
            if (!WaitUntil([&] { return !::IsWindow(box); })) seen.push_back("the box stays");
        }
        // Pressed after the boxes, a button acts at once, not when some later message
        // happens to wake the loop.
        const DWORD pressed = ::GetTickCount();
        Press(H(w->OKButton));
        if (!WaitUntil([&] { return !::IsWindowVisible(H(w)); })) {
            seen.push_back("OK left the window open");
            Rescue(w);
        } else if (::GetTickCount() - pressed > 500) {
            seen.push_back("OK took " + std::to_string(::GetTickCount() - pressed) + " ms");
        }
    });
    EXPECT_EQ(w->ShowModal(), mrOk);
    EXPECT_EQ(seen, (std::vector<std::string>{
                        "Please change the name as that name already exists.",
                        "You must first enter a name",
                        "You must first enter the URL (the web location of the radio station)",
                        "You need to first select a station to delete."}));
    EXPECT_EQ(w->StationLB->Items()->Count(), 2);
    EXPECT_FALSE(w->PlayAtStartCB->Checked());
    EXPECT_TRUE(w->Enabled());  // the boxes gave the window back
}

// A close sent (not posted) by another program while the loop sleeps ends the showing
// at once, without waiting for some other message to wake the loop.
TEST_F(ModalInput, ACloseSentByAnotherThreadEndsTheShowingAtOnce) {
    bool neededWaking = false;
    Driver driver([&] {
        if (!WaitShown(w)) return;
        DWORD_PTR result = 0;
        ::SendMessageTimeoutA(H(w), WM_CLOSE, 0, 0, SMTO_NORMAL, 2000, &result);
        if (!WaitUntil([&] { return !::IsWindowVisible(H(w)); }, 3000)) {
            neededWaking = true;
            Rescue(w);
        }
    });
    EXPECT_EQ(w->ShowModal(), mrCancel);
    EXPECT_FALSE(neededWaking);
}

}  // namespace
