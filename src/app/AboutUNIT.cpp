#include "app/AboutUNIT.h"

TAboutBox* AboutBox = nullptr;

TAboutBox::TAboutBox(TComponent* owner) : TForm(owner, "TAboutBox") {
    SetName("AboutBox");
    SetCaption("About Zelvora --- Great Internet Radio on your PC!");
    SetBorderStyle(bsSizeable);
    SetBorderIcons(biSystemMenu);
    SetPosition(poScreenCenter);
    SetBounds(0, 0, 562, 408);
    SetFont(plat::FontSpec{"Arial", 8, false, false});
    SetVisible(false);

    Button1 = new TButton(this);
    Button1->SetName("Button1");
    Button1->SetParent(this);
    Button1->SetBounds(12, ClientHeight() - 37, 270, 25);
    Button1->SetCaption("Go To Main Window");
    Button1->OnClick = [this](TObject* s) { Button1Click(s); };
}

TAboutBox::~TAboutBox() {
    if (AboutBox == this) AboutBox = nullptr;
}

void TAboutBox::Button1Click(TObject*) { Close(); }
