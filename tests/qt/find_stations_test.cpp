// The Find Stations window on the Linux desktop, driven by real keys (xdotool) against
// the tests' own station directory: a name typed, Enter, the results reached by their
// access key and the arrows, Enter to play, Alt+A to add, and the directory out of reach.
#include <QLabel>
#include <QLineEdit>
#include <QTreeWidget>
#include <cstdlib>

#include "app/findstations.h"
#include "app/radiowin.h"
#include "gui/application.h"
#include "live/test_directory.h"
#include "qt/program_fixture.h"

namespace {

class QtFindStations : public QtProgram {
  protected:
    void TearDown() override {
        unsetenv(kDirectoryVariable);
        QtProgram::TearDown();
    }
    void StartWith(const std::string& base) {
        setenv(kDirectoryVariable, base.c_str(), 1);
        WriteSettings("[MainForm]\r\nShowWinAtStartCB=0\r\n");
        Start();
    }
    bool Focused(TWinControl* c) { return Widget(c->Handle())->hasFocus(); }
    std::vector<std::string> Names() { return RadioForm->StationLB->Items()->Items(); }
};

TEST_F(QtFindStations, ANameTypedThenEnterArrowsEnterAndAltAPlayAndAddAFoundStation) {
    TestDirectory server(dir());
    ASSERT_TRUE(server.Running());
    StartWith(server.Base());
    TFindStationsForm form(nullptr, *RadioForm);
    form.Show();
    ASSERT_TRUE(ShowAndWait(form.Handle()));
    form.NameEdit->SetFocus();
    Pump(100);
    Keys({"Tab"});
    EXPECT_TRUE(Focused(form.TagEdit)) << "the tab order follows the layout";
    Keys({"alt+n"});
    EXPECT_TRUE(Focused(form.NameEdit)) << "a label's access key leads to its field";
    EXPECT_EQ(static_cast<QLabel*>(Widget(form.NameLabel->Handle()))->buddy(),
              Widget(form.NameEdit->Handle()));

    Type("jazz");
    Keys({"Return"});
    ASSERT_TRUE(WaitFor([&] { return form.ResultList->Items()->Count() > 0; }, 10000))
        << form.StatusLabel->Caption();
    auto* view = static_cast<QTreeWidget*>(Widget(form.ResultList->Handle()));
    EXPECT_EQ(view->topLevelItem(0)->text(0).toStdString(), "Jazz \xC3\xA0 Paris");
    EXPECT_EQ(view->headerItem()->text(5).toStdString(), "Votes");
    EXPECT_EQ(form.StatusLabel->Caption(), "12 stations found.");

    Keys({"alt+e"});
    EXPECT_TRUE(Focused(form.ResultList));
    ASSERT_TRUE(WaitFor([&] { return form.ResultList->ItemIndex() == 0; }))
        << "reached from the keyboard, the first result is chosen";
    EXPECT_TRUE(form.PlayButton->Enabled());
    Keys({"Return"});
    EXPECT_TRUE(WaitFor([&] { return Record("player").find("/a.ogg") != std::string::npos; }))
        << "Enter on a result plays it: " << Record("player");
    EXPECT_TRUE(WaitFor([&] {
        return server.Log().find("/json/url/59065b21-3993-507e-bb25-4695c2a0f29e") !=
               std::string::npos;
    })) << "and counts the click";

    Keys({"Down"});
    ASSERT_TRUE(WaitFor([&] { return form.ResultList->ItemIndex() == 1; }));
    Keys({"alt+a"});
    ASSERT_TRUE(WaitFor([&] { return Names().size() == 1; }));
    EXPECT_EQ(Names()[0], "Jazz Station 25");
    EXPECT_EQ(RadioForm->DirectoryIds().IdOf("Jazz Station 25"),
              "6cdabcc1-9609-56ac-a1fc-00ac18f0558a");
    Shot(form.Handle(), "find-stations");
}

TEST_F(QtFindStations, ADirectoryOutOfReachIsSaidInTheWindowWhichStaysUsable) {
    StartWith("http://127.0.0.1:" + std::to_string(DeadPort()));
    TFindStationsForm form(nullptr, *RadioForm);
    form.Show();
    ASSERT_TRUE(ShowAndWait(form.Handle()));
    form.NameEdit->SetFocus();
    Pump(100);
    Type("jazz");
    Keys({"Return"});
    ASSERT_TRUE(WaitFor([&] {
        return form.StatusLabel->Caption() == "The station directory cannot be reached right now.";
    })) << form.StatusLabel->Caption();
    Keys({"Tab"});
    EXPECT_TRUE(Focused(form.TagEdit));
    EXPECT_EQ(static_cast<QLineEdit*>(Widget(form.NameEdit->Handle()))->text(), "jazz");
    Shot(form.Handle(), "find-stations-offline");
}

}  // namespace
