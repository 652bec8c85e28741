// Page controls with their sheets, glyph buttons, and the open-file dialog.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gui/application.h"
#include "gui/buttons.h"
#include "gui/comctrls.h"
#include "gui/dialogs.h"
#include "gui/forms.h"
#include "gui/listcontrols.h"
#include "support/gui_fixture.h"

namespace {

class GuiPages : public GuiTest {};

TEST_F(GuiPages, SheetsBecomeTabsAndFillTheDisplayArea) {
    auto* form = new TForm(Application);
    auto* pages = new TPageControl(form);
    pages->SetParent(form);
    pages->SetBounds(8, 40, 538, 269);
    auto* sheet = new TTabSheet(form);
    sheet->SetCaption("About Zelvora!");
    sheet->SetPageControl(pages);
    auto* rich = new TRichEdit(form);
    rich->SetParent(sheet);
    EXPECT_EQ(sheet->Parent(), pages);
    EXPECT_EQ(pages->PageCount(), 1);
    plat::RECT area = pages->DisplayRect();
    EXPECT_EQ(sheet->Width(), area.Width());
    EXPECT_EQ(sheet->Height(), area.Height());
    auto& h = harness();
    EXPECT_EQ(h.Window(pages->Handle())->items, std::vector<std::string>{"About Zelvora!"});
    EXPECT_EQ(h.Window(sheet->Handle())->spec.kind, plat::WindowKind::Panel);
    EXPECT_EQ(h.Window(rich->Handle())->spec.parent, sheet->Handle());
    delete sheet;
    EXPECT_EQ(pages->PageCount(), 0);
}

TEST_F(GuiPages, SpeedButtonIsAFlatGlyphButtonOutOfTheTabOrder) {
    auto* form = new TForm(Application);
    auto* play = new TSpeedButton(form);
    play->SetParent(form);
    play->SetGlyph(TGlyph::Play);
    auto* add = new TBitBtn(form);
    add->SetParent(form);
    add->SetGlyph(TGlyph::Add);
    add->SetCaption("Add");
    int clicks = 0;
    play->OnClick = [&](TObject*) { ++clicks; };
    harness().SendMessageA(play->Handle(), plat::ZM_CLICK, 0, 0);
    EXPECT_EQ(clicks, 1);
    const auto& spec = harness().Window(play->Handle())->spec;
    EXPECT_EQ(spec.kind, plat::WindowKind::GlyphButton);
    EXPECT_TRUE(spec.flat);
    EXPECT_FALSE(spec.tabStop);
    const auto& bit = harness().Window(add->Handle())->spec;
    EXPECT_EQ(bit.glyph, plat::Glyph::Add);
    EXPECT_FALSE(bit.flat);
    EXPECT_TRUE(bit.tabStop);
    EXPECT_EQ(bit.text, "Add");
}

TEST_F(GuiPages, WindowOnlyPropertiesSetLaterMakeTheWindowAgainWithItsState) {
    auto* form = new TForm(Application);
    auto* list = new TListBox(form);
    list->SetParent(form);
    list->Items()->SetText("a\nb\n");
    list->SetItemIndex(1);
    plat::HWND before = list->Handle();
    list->SetItemHeight(16);
    plat::HWND after = list->Handle();
    EXPECT_NE(after, before);
    EXPECT_TRUE(harness().Window(before)->destroyed);
    EXPECT_EQ(FindControl(before), nullptr);
    EXPECT_EQ(FindControl(after), list);
    const auto* rec = harness().Window(after);
    EXPECT_EQ(rec->spec.itemHeight, 16);
    EXPECT_EQ(rec->spec.parent, form->Handle());
    EXPECT_EQ(rec->items, (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(rec->selection, 1);
}

TEST_F(GuiPages, OpenDialogAsksTheUserAndKeepsTheChoice) {
    TOpenDialog dialog(nullptr);
    dialog.SetFilter("Applications|*.exe|All Files|*.*");
    dialog.SetTitle("Choose RealAudio application.");
    dialog.SetInitialDir("C:\\raplayer");
    dialog.SetFileName("C:\\raplayer\\raplayer.exe");
    harness().openDialogAnswers.push_back(std::nullopt);
    harness().openDialogAnswers.push_back("C:\\Real\\realplay.exe");
    EXPECT_FALSE(dialog.Execute());
    EXPECT_EQ(dialog.FileName(), "C:\\raplayer\\raplayer.exe");
    EXPECT_TRUE(dialog.Execute());
    EXPECT_EQ(dialog.FileName(), "C:\\Real\\realplay.exe");
    ASSERT_EQ(harness().openDialogs.size(), 2u);
    const auto& asked = harness().openDialogs[0];
    EXPECT_EQ(asked.filter, "Applications|*.exe|All Files|*.*");
    EXPECT_EQ(asked.title, "Choose RealAudio application.");
    EXPECT_EQ(asked.initialDir, "C:\\raplayer");
    EXPECT_EQ(asked.fileName, "C:\\raplayer\\raplayer.exe");
    EXPECT_EQ(asked.owner, Application->Handle());
}

}  // namespace
