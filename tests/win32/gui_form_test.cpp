// A form of the class library with one control of every kind, made by the Windows
// backend: real input sent to the real controls must reach the library's events,
// and a picture of the form is written for a person to look at.
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/layout.h"
#include "gui/application.h"
#include "gui/buttons.h"
#include "gui/comctrls.h"
#include "gui/forms.h"
#include "gui/listcontrols.h"
#include "gui/stdctrls.h"
#include "platform/win32/win32.h"
#include "support/platform_fixture.h"

#include "win32/native_windows.h"

namespace {

HWND H(TWinControl* control) { return reinterpret_cast<HWND>(control->Handle()); }

class GuiForm : public PlatformTest {
protected:
    void SetUp() override {
        PlatformTest::SetUp();
        Application = new TApplication();
        Application->SetTitle("Zelvora");
        form = new TForm(Application, "TZelvoraTestForm");
        form->SetCaption("Every control");
        form->SetBorderStyle(bsDialog);
        form->SetBounds(40, 40, 0, 0);
        form->SetClientWidth(460);
        form->SetClientHeight(300);
        form->SetVisible(false);
        Build();
    }
    void TearDown() override {
        delete Application;
        Application = nullptr;
        PlatformTest::TearDown();
    }

    void Build() {
        MakeControl<TLabel>(form, "Label", {12, 12, 120, 13}, "A label:");
        edit = MakeControl<TEdit>(form, "Edit", {12, 30, 140, 21});
        list = MakeControl<TListBox>(form, "List", {12, 60, 140, 80});
        for (const char* s : {"Alpha", "Beta", "Gamma"}) list->Items()->Add(s);
        combo = MakeControl<TComboBox>(form, "Combo", {12, 150, 140, 21});
        for (const char* s : {"One", "Two"}) combo->Items()->Add(s);
        check = MakeControl<TCheckBox>(form, "Check", {12, 180, 140, 17}, "A check box");
        button = MakeControl<TButton>(form, "Button", {12, 205, 88, 25}, "Button");
        bitBtn = MakeControl<TBitBtn>(form, "BitBtn", {110, 205, 88, 25}, "Play");
        bitBtn->SetGlyph(TGlyph::Play);
        speed = MakeControl<TSpeedButton>(form, "Speed", {208, 205, 25, 25});
        speed->SetGlyph(TGlyph::Stop);
        track = MakeControl<TTrackBar>(form, "Track", {12, 240, 220, 30});
        track->SetMax(10);
        auto* pages = MakeControl<TPageControl>(form, "Pages", {170, 12, 278, 180});
        auto* sheet = new TTabSheet(form);
        sheet->SetCaption("A page");
        sheet->SetPageControl(pages);
        rich = new TRichEdit(form);
        rich->SetParent(sheet);
        rich->SetBounds(4, 4, 260, 140);
        rich->SetText("{\\rtf1 Some {\\b bold} text.}", true);

        check->OnClick = [this](TObject*) { events.push_back("check"); };
        list->OnClick = [this](TObject*) { events.push_back("list " + std::to_string(list->ItemIndex())); };
        button->OnClick = [this](TObject*) { events.push_back("button"); };
        speed->OnClick = [this](TObject*) { events.push_back("speed"); };
        edit->OnChange = [this](TObject*) { events.push_back("edit " + edit->Text()); };
        track->OnChange = [this](TObject*) { events.push_back("track"); };
    }

    void Pump(int rounds = 10) {
        for (int i = 0; i < rounds; ++i) {
            Application->ProcessMessages();
            ::Sleep(10);
        }
    }

    TForm* form = nullptr;
    TEdit* edit = nullptr;
    TListBox* list = nullptr;
    TComboBox* combo = nullptr;
    TCheckBox* check = nullptr;
    TButton* button = nullptr;
    TBitBtn* bitBtn = nullptr;
    TSpeedButton* speed = nullptr;
    TTrackBar* track = nullptr;
    TRichEdit* rich = nullptr;
    std::vector<std::string> events;
};

TEST_F(GuiForm, RealInputReachesTheLibrarysEventsAndCodeChangesRaiseNone) {
    form->Show();
    Pump(20);

    // Changes made by code: nothing is raised.
    list->SetItemIndex(0);
    track->SetPosition(3);
    edit->SetText("typed by code");
    Pump();
    EXPECT_TRUE(events.empty());

    ::SendMessageA(H(check), BM_CLICK, 0, 0);
    ::SendMessageA(H(button), BM_CLICK, 0, 0);
    ::SendMessageA(H(speed), BM_CLICK, 0, 0);
    RECT row{};
    ::SendMessageA(H(list), LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&row));
    LPARAM at = MAKELPARAM((row.left + row.right) / 2, (row.top + row.bottom) / 2);
    ::PostMessageA(H(list), WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::PostMessageA(H(list), WM_LBUTTONUP, 0, at);
    Pump();
    ::SetWindowTextA(H(edit), "");
    events.erase(std::remove_if(events.begin(), events.end(),
                                [](const std::string& e) { return e.rfind("edit", 0) == 0; }),
                 events.end());
    ::SetFocus(H(edit));
    ::SendMessageA(H(edit), WM_CHAR, 'x', 1);
    ::SetFocus(H(track));
    ::SendMessageA(H(track), WM_KEYDOWN, VK_RIGHT, 1);
    Pump();

    EXPECT_TRUE(check->Checked());
    EXPECT_EQ(list->ItemIndex(), 2);
    EXPECT_EQ(edit->Text(), "x");
    EXPECT_EQ(track->Position(), 4);
    EXPECT_EQ(events, (std::vector<std::string>{"check", "button", "speed", "list 2", "edit x",
                                                "track"}));

    if (const char* out = std::getenv("ZEL_TEST_OUTPUT"); out && *out) {
        std::filesystem::create_directories(out);
        auto path = (std::filesystem::path(out) / "gui_every_control.bmp").string();
        EXPECT_TRUE(plat::win32::SaveWindowImage(form->Handle(), path)) << path;
    }
}

}  // namespace
