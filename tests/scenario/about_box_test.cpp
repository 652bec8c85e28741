// The about box and help: the introduction it shows, its buttons, and the way help
// opens at a topic from the floating window.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/AboutUNIT.h"
#include "app/radiotoolbar.h"
#include "app/radiowin.h"
#include "gui/application.h"
#include "platform/paths.h"
#include "support/app_fixture.h"

namespace {

class About : public AppTest {
  protected:
    void StartQuietly() {
        WriteSettings("[MainForm]\r\nShowWinAtStartCB=0\r\n");
        Start();
        RadioForm->AboutShown = true;
    }
    void WriteIntro(const std::string& text) {
        WriteText(plat::JoinPath(ProgramDir(), "intro.rtf"), text);
    }
    const std::string& IntroShown() {
        return harness().Window(AboutBox->RichEdit1->Handle())->text;
    }
    std::string Macro(size_t i) { return harness().helpCalls.at(i).text; }
};

TEST_F(About, IntroRtfIsShownAsRichTextWhenValidAndAsPlainTextOtherwise) {
    WriteIntro("{\\rtf1\\ansi {\\b Zelvora} plays the radio.}");
    StartQuietly();
    EXPECT_TRUE(AboutBox->RichEdit1->IsRichText());
    EXPECT_EQ(IntroShown(), "{\\rtf1\\ansi {\\b Zelvora} plays the radio.}");

    WriteIntro("Just a few words, no markup.\r\n");
    Restart();
    EXPECT_FALSE(AboutBox->RichEdit1->IsRichText());
    EXPECT_EQ(IntroShown(), "Just a few words, no markup.\r\n");
}

TEST_F(About, WithoutIntroRtfTheBuiltInIntroductionStays) {
    StartQuietly();
    EXPECT_TRUE(
        AboutBox->RichEdit1->Text().starts_with("Zelvora---Great Internet Radio on your PC!\r\n"));
    EXPECT_EQ(IntroShown(), kBuiltInIntroduction);
    EXPECT_TRUE(harness().messageBoxes.empty());
}

TEST_F(About, AboutEntryShowsTheBoxWithoutBlockingAndAgainOnlyRaisesIt) {
    StartQuietly();
    RadioForm->ShowFloatingWindow(false);
    RadioFloatWin->AboutItem1->UserChoose();
    EXPECT_TRUE(AboutBox->Visible());
    EXPECT_FALSE(AboutBox->Modal());
    EXPECT_TRUE(RadioFloatWin->Enabled());
    const auto modalLoops = std::count_if(harness().log.begin(), harness().log.end(),
                                          [](auto& s) { return s.starts_with("RunModalLoop"); });
    EXPECT_EQ(modalLoops, 0);

    const plat::RECT placed = AboutBox->BoundsRect();
    AboutBox->UserMove(10, 20);
    RadioFloatWin->AboutItem1->UserChoose();
    EXPECT_TRUE(AboutBox->Visible());
    EXPECT_EQ(AboutBox->Left(), 10);
    EXPECT_EQ(harness().log.back(), "BringWindowToTop(" + std::to_string(AboutBox->Handle()) + ")");
    AboutBox->Button1->UserClick();
    EXPECT_FALSE(AboutBox->Visible());
    EXPECT_EQ(placed.Width(), 562);
}

TEST_F(About, VisitPublisherOpensTheHomePageOrSaysWhereToGo) {
    StartQuietly();
    AboutBox->VisitPublisherBtn->UserClick();
    ASSERT_EQ(harness().shellExecutes.size(), 1u);
    EXPECT_EQ(harness().shellExecutes[0].file, kPublisherAddress);
    harness().shellExecuteResult = 0;
    AboutBox->VisitPublisherBtn->UserClick();
    EXPECT_EQ(MessageTexts(),
              (std::vector<std::string>{"Could not open web browser.",
                                        std::string("Go to ") + kPublisherAddress}));
}

TEST_F(About, HelpAndF1AskForTheContentsThenJumpToTheTopic) {
    StartQuietly();
    RadioForm->ShowFloatingWindow(false);
    RadioFloatWin->Help2->UserChoose();
    ASSERT_EQ(harness().helpCalls.size(), 2u);
    const auto& contents = harness().helpCalls[0];
    EXPECT_EQ(contents.command, plat::HELP_CONTENTS);
    EXPECT_EQ(contents.data, 0u);
    EXPECT_EQ(contents.file, plat::JoinPath(ProgramDir(), "zelvora.HLP"));
    EXPECT_EQ(contents.owner, RadioForm->Handle());
    EXPECT_EQ(harness().helpCalls[1].command, plat::HELP_COMMAND);
    EXPECT_EQ(Macro(1), "JumpID(\"\",\"Table_Of_Contents\")");

    // F1 reaches the window as the command of the item that carries the shortcut.
    const plat::HWND form = RadioFloatWin->Handle();
    plat::UINT f1 = 0;
    for (const auto& menu : harness().Window(form)->menuBar)
        for (const auto& item : menu.items)
            if (item.shortCut == plat::VK_F1) f1 = item.id;
    ASSERT_NE(f1, 0u);
    platform().SendMessageA(form, plat::ZM_COMMAND, f1, 0);
    ASSERT_EQ(harness().helpCalls.size(), 4u);
    EXPECT_EQ(Macro(3), "JumpID(\"\",\"Table_Of_Contents\")");

    RadioFloatWin->AboutPublisher1->UserChoose();
    EXPECT_EQ(Macro(5), std::string("JumpID(\"\",\"") + kPublisherHelpTopic + "\")");
}

TEST_F(About, HelpSendsNoTopicWhenTheContentsFailAndCutsLongMacros) {
    StartQuietly();
    harness().winHelpResult = 0;
    ShowHelpTopic("Table_Of_Contents");
    EXPECT_EQ(harness().helpCalls.size(), 1u);

    harness().winHelpResult = 1;
    ShowHelpTopic(std::string(300, 'x'));
    ASSERT_EQ(harness().helpCalls.size(), 3u);
    EXPECT_EQ(Macro(2).size(), 255u);
    EXPECT_TRUE(Macro(2).starts_with("JumpID(\"\",\"xxx"));

    Application->SetHelpFile("");
    ShowHelpTopic("Table_Of_Contents");
    EXPECT_EQ(harness().helpCalls.size(), 3u);
}

}  // namespace
