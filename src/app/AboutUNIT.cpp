#include "app/AboutUNIT.h"

#include "app/radiowin.h"
#include "gui/application.h"
#include "gui/fileutil.h"
#include "platform/paths.h"
#include "platform/platform.h"

TAboutBox* AboutBox = nullptr;

const char* const kBuiltInIntroduction =
    "Zelvora---Great Internet Radio on your PC!\r\n"
    "\r\n"
    "Zelvora brings internet radio stations from around the world to your PC, and "
    "keeps playing while you work.\r\n"
    "\r\n"
    "It comes with stations already entered, and takes as many more as you like: "
    "give each one a name and the address of its stream.\r\n"
    "\r\n"
    "Its small window changes the station, stops the music and sets the volume. "
    "Zelvora can start playing when your computer starts, and it is always at hand "
    "from its icon in the tray.";

TAboutBox::TAboutBox(TComponent* owner) : TForm(owner, "TAboutBox") {
    SetName("AboutBox");
    SetCaption("About Zelvora --- Great Internet Radio on your PC!");
    // Its controls keep their places whatever its size; a Linux desktop that tiles
    // windows would stretch one that may be resized, so there it keeps its size.
    SetBorderStyle(plat::Current().Desktop() == plat::DesktopKind::Linux ? bsDialog : bsSizeable);
    SetBorderIcons(biSystemMenu);
    SetPosition(poScreenCenter);
    SetBounds(0, 0, 562, 408);
    SetFont(plat::FontSpec{"Arial", 8, false, false});
    SetVisible(false);
    CreateControls();
    OnCreate = [this](TObject* s) { FormCreate(s); };
}

TAboutBox::~TAboutBox() {
    if (AboutBox == this) AboutBox = nullptr;
}

// Tab order: the publisher's button, "Go To Main Window", then the pages.
void TAboutBox::CreateControls() {
    Label1 = new TLabel(this);
    Label1->SetName("Label1");
    Label1->SetParent(this);
    Label1->SetBounds(8, 8, 538, 24);
    Label1->SetAlignment(taCenter);
    Label1->SetFont(plat::FontSpec{"Times New Roman", 13, true, true});
    Label1->SetCaption("Zelvora: Great Internet Radio on your PC");

    VisitPublisherBtn = new TBitBtn(this);
    VisitPublisherBtn->SetName("VisitPublisherBtn");
    VisitPublisherBtn->SetParent(this);
    VisitPublisherBtn->SetBounds(8, 315, 270, 25);
    VisitPublisherBtn->SetGlyph(TGlyph::Web);
    VisitPublisherBtn->SetCaption("Visit the Zelvora Project Home Page");
    VisitPublisherBtn->SetHint("Click here to learn more about all our products!");
    VisitPublisherBtn->SetShowHint(true);
    VisitPublisherBtn->OnClick = [this](TObject* s) { VisitPublisherClick(s); };

    Button1 = new TButton(this);
    Button1->SetName("Button1");
    Button1->SetParent(this);
    Button1->SetBounds(8, 345, 270, 25);
    Button1->SetCaption("Go To Main Window");
    Button1->OnClick = [this](TObject* s) { Button1Click(s); };

    PageControl1 = new TPageControl(this);
    PageControl1->SetName("PageControl1");
    PageControl1->SetParent(this);
    PageControl1->SetBounds(8, 38, 538, 269);
    TabSheet1 = new TTabSheet(this);
    TabSheet1->SetName("TabSheet1");
    TabSheet1->SetCaption("About Zelvora!");
    TabSheet1->SetPageControl(PageControl1);
    RichEdit1 = new TRichEdit(this);
    RichEdit1->SetName("RichEdit1");
    RichEdit1->SetParent(TabSheet1);
    RichEdit1->SetBounds(0, 0, TabSheet1->Width(), TabSheet1->Height());
    RichEdit1->SetReadOnly(true);
    RichEdit1->SetText(kBuiltInIntroduction);
}

void TAboutBox::FormCreate(TObject*) {
    const std::string intro = plat::JoinPath(plat::Current().ProgramDataDirectory(), "intro.rtf");
    if (FileExists(intro)) RichEdit1->LoadFromFile(intro);
}

void TAboutBox::Button1Click(TObject*) {
    Close();
}

void TAboutBox::VisitPublisherClick(TObject*) {
    if (RadioForm->LaunchURL(kPublisherAddress)) return;
    const std::string title = Application->Title();
    Application->MessageBox("Could not open web browser.", title, plat::MB_OK);
    Application->MessageBox(std::string("Go to ") + kPublisherAddress, title, plat::MB_OK);
}

void ShowHelpTopic(const std::string& topic) {
    const std::string& helpFile = Application->HelpFile();
    if (helpFile.empty()) return;
    auto& p = plat::Current();
    TForm* main = Application->MainForm();
    const plat::HWND owner = main ? main->Handle() : 0;
    if (!p.WinHelpA(owner, helpFile, plat::HELP_CONTENTS, 0)) return;
    std::string macro = "JumpID(\"\",\"" + topic + "\")";
    if (macro.size() > 255) macro.resize(255);
    p.WinHelpA(owner, helpFile, plat::HELP_COMMAND,
               reinterpret_cast<std::uintptr_t>(macro.c_str()));
}
