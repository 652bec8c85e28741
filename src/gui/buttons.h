// Buttons with a small drawn picture: a push button with a glyph and a caption,
// and a flat tool button that takes no focus and is not in the tab order.
#pragma once

#include "gui/stdctrls.h"

using TGlyph = plat::Glyph;

class TBitBtn : public TButton {
  public:
    explicit TBitBtn(TComponent* owner) : TButton(owner) {}
    TGlyph Glyph() const { return glyph_; }
    void SetGlyph(TGlyph glyph);

  protected:
    void CreateParams(plat::WindowSpec& spec) override;

  private:
    TGlyph glyph_ = TGlyph::None;
};

class TSpeedButton : public TWinControl {
  public:
    explicit TSpeedButton(TComponent* owner) : TWinControl(owner) {}
    TGlyph Glyph() const { return glyph_; }
    void SetGlyph(TGlyph glyph);

    bool CanHaveFocus() const override { return false; }
    void Click() { Fire(OnClick, this); }
    // A person pressed the button: OnClick through the dispatcher, when enabled.
    void UserClick();
    bool WndProc(plat::Message& m) override;

  protected:
    void CreateParams(plat::WindowSpec& spec) override;

  private:
    TGlyph glyph_ = TGlyph::None;
};
