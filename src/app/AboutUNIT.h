// The about box: the product's introduction, shown modally once per run at the
// first showing of a window, and on demand.
#pragma once

#include "gui/forms.h"
#include "gui/stdctrls.h"

class TAboutBox : public TForm {
public:
    explicit TAboutBox(TComponent* owner);
    ~TAboutBox() override;

    TButton* Button1;  // "Go To Main Window"

    void Button1Click(TObject* sender);
};

extern TAboutBox* AboutBox;
