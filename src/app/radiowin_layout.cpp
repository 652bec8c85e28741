// The configuration window's controls and where they stand. They are made in tab
// order; the glyph-only buttons take no focus.
#include "app/layout.h"
#include "app/radiowin.h"
#include "app/words.h"

#include "gui/application.h"

namespace {

TBitBtn* MakeButton(TRadioForm* form, const char* name, Place p, const char* caption,
                    TGlyph glyph) {
    auto* button = MakeControl<TBitBtn>(form, name, p, caption);
    button->SetGlyph(glyph);
    return button;
}

TLabel* MakeHeading(TRadioForm* form, const char* name, Place p, const char* caption) {
    auto* label = MakeControl<TLabel>(form, name, p, caption);
    label->SetFont(plat::FontSpec{"MS Sans Serif", 8, true, false});
    return label;
}

}  // namespace

void TRadioForm::CreateControls() {
    CreateStationControls();
    CreateOptionControls();

    TrayMenu = new TPopupMenu(this);
    TrayMenu->SetName("TrayMenu");
    TrayMenu1 = new TMenuItem(this);
    TrayMenu1->SetName("TrayMenu1");
    TrayMenu1->SetCaption("Zelvora...");
    N7 = new TMenuItem(this);
    N7->SetName("N7");
    N7->SetCaption("-");
    TrayMenu->Items()->Add(TrayMenu1);
    CreateSongItems();
    TrayMenu->Items()->Add(N7);

    Timer3 = new TTimer(this);
    Timer3->SetName("Timer3");
    Timer3->SetEnabled(false);
}

void TRadioForm::CreateStationControls() {
    Label1 = MakeControl<TLabel>(this, "Label1", {16, 14, 120, 13}, "Station:");
    StationLB = MakeControl<TListBox>(this, "StationLB", {16, 32, 185, 121});
    StationLB->SetItemHeight(13);
    StationLB->SetDragMode(dmAutomatic);
    Label2 = MakeControl<TLabel>(this, "Label2", {248, 36, 36, 13}, "Name:");
    NameEdit = MakeControl<TEdit>(this, "NameEdit", {288, 32, 193, 21});
    Label3 = MakeControl<TLabel>(this, "Label3", {248, 64, 36, 13}, "URL:");
    URLEdit = MakeControl<TEdit>(this, "URLEdit", {288, 60, 193, 21});
    AddButton = MakeButton(this, "AddButton", {393, 92, 88, 25}, "Add", TGlyph::Add);
    DeleteButton = MakeButton(this, "DeleteButton", {16, 162, 88, 25}, "Delete", TGlyph::Delete);
    PlayButton = MakeButton(this, "PlayButton", {113, 162, 88, 25}, "Play", TGlyph::Play);
}

void TRadioForm::CreateOptionControls() {
    Label4 = MakeHeading(this, "Label4", {16, 204, 200, 13}, "When Zelvora starts...");
    PlayAtStartCB =
        MakeControl<TCheckBox>(this, "PlayAtStartCB", {32, 224, 150, 17}, "Play Selected Station");
    ShowWinAtStartCB = MakeControl<TCheckBox>(this, "ShowWinAtStartCB", {200, 224, 150, 17},
                                              "Show Floating Window");
    Label5 = MakeHeading(this, "Label5", {16, 254, 200, 13}, "Add icon to...");
    const TDesktopWords& words = DesktopWords();
    auto row = [](TDesktopWords::Room room) { return Place{room.left, 274, room.width, 17}; };
    StartMenuCB =
        MakeControl<TCheckBox>(this, "StartMenuCB", row(words.startMenuBox), words.startMenu);
    DesktopCB = MakeControl<TCheckBox>(this, "DesktopCB", row(words.desktopBox), "Desktop");
    LaunchAtStartCB = MakeControl<TCheckBox>(this, "LaunchAtStartCB", row(words.startupItemsBox),
                                             words.startupItems);
    OKButton = MakeControl<TButton>(this, "OKButton", {393, 292, 88, 25}, "OK");
    OKButton->SetDefault(true);
    OKButton->SetModalResult(mrOk);

    // Not in the tab order: they come after every focusable control.
    ChangeSubject = MakeToolButton(this, "ChangeSubject", {288, 92, 25, 25}, TGlyph::Apply,
                                   "Store the name and URL into the selected station");
    RevertSubject = MakeToolButton(this, "RevertSubject", {318, 92, 25, 25}, TGlyph::Revert,
                                   "Show the selected station's name and URL again");
    ChangeSubject->SetEnabled(false);
    RevertSubject->SetEnabled(false);
    SpeedButton1 = MakeToolButton(this, "SpeedButton1", {207, 60, 25, 25}, TGlyph::Up,
                                  "Move the selected station up");
    SpeedButton2 = MakeToolButton(this, "SpeedButton2", {207, 92, 25, 25}, TGlyph::Down,
                                  "Move the selected station down");
}
