#include "gui/buttons.h"

#include "gui/application.h"

void TBitBtn::CreateParams(plat::WindowSpec& spec) {
    TButton::CreateParams(spec);
    spec.kind = plat::WindowKind::GlyphButton;
    spec.glyph = glyph_;
}

void TBitBtn::SetGlyph(TGlyph value) {
    if (value == glyph_) return;
    glyph_ = value;
    RecreateHandle();
}

void TSpeedButton::SetGlyph(TGlyph value) {
    if (value == glyph_) return;
    glyph_ = value;
    RecreateHandle();
}

void TSpeedButton::CreateParams(plat::WindowSpec& spec) {
    spec.kind = plat::WindowKind::GlyphButton;
    spec.glyph = glyph_;
    spec.flat = true;
    spec.tabStop = false;
}

void TSpeedButton::UserClick() {
    if (!InputEnabled() || !Visible()) return;
    RunUserEvent([this] { Click(); });
}

bool TSpeedButton::WndProc(plat::Message& m) {
    if (m.msg != plat::ZM_CLICK) return TWinControl::WndProc(m);
    UserClick();
    return true;
}
