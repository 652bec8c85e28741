#include "gui/stdctrls.h"

#include "gui/application.h"
#include "gui/forms.h"
#include "platform/platform.h"

// ---- TLabel ---------------------------------------------------------------------------

void TLabel::SetAlignment(TAlignment value) {
    if (value == alignment_) return;
    alignment_ = value;
    RecreateHandle();
}

void TLabel::CreateParams(plat::WindowSpec& spec) {
    spec.kind = plat::WindowKind::Label;
    spec.alignment = alignment_ == taRightJustify ? plat::Align::Right
                     : alignment_ == taCenter     ? plat::Align::Center
                                                  : plat::Align::Left;
}

// ---- TEdit ----------------------------------------------------------------------------

TEdit::TEdit(TComponent* owner) : TWinControl(owner) {
    SetTabStop(true);
}

void TEdit::SetReadOnly(bool value) {
    if (value == readOnly_) return;
    readOnly_ = value;
    RecreateHandle();
}

void TEdit::CreateParams(plat::WindowSpec& spec) {
    spec.kind = plat::WindowKind::Edit;
    spec.readOnly = readOnly_;
}

void TEdit::UserType(const std::string& text) {
    if (readOnly_ || !Enabled() || text == Text()) return;
    // Stored without pushing it back: the window already shows what was typed.
    StoreText(text);
    RunUserEvent([this] { Fire(OnChange, this); });
}

bool TEdit::WndProc(plat::Message& m) {
    if (m.msg != plat::ZM_TEXT) return TWinControl::WndProc(m);
    UserType(m.lParam ? reinterpret_cast<const char*>(m.lParam) : "");
    return true;
}

// ---- TButton --------------------------------------------------------------------------

TButton::TButton(TComponent* owner) : TWinControl(owner) {
    SetTabStop(true);
}

void TButton::SetDefault(bool isDefault) {
    if (isDefault == default_) return;
    default_ = isDefault;
    if (HandleAllocated()) plat::Current().ButtonSetDefault(Handle(), isDefault);
}

void TButton::CreateParams(plat::WindowSpec& spec) {
    spec.kind = plat::WindowKind::Button;
    spec.defaultButton = default_;
}

void TButton::Click() {
    if (modalResult_ != 0)
        if (TForm* form = GetParentForm(this)) form->SetModalResult(modalResult_);
    Fire(OnClick, this);
}

void TButton::UserClick() {
    if (!InputEnabled() || !Visible()) return;
    RunUserEvent([this] { Click(); });
}

bool TButton::WndProc(plat::Message& m) {
    if (m.msg != plat::ZM_CLICK) return TWinControl::WndProc(m);
    UserClick();
    return true;
}

// ---- TCheckBox ------------------------------------------------------------------------

TCheckBox::TCheckBox(TComponent* owner) : TWinControl(owner) {
    SetTabStop(true);
}

void TCheckBox::CreateParams(plat::WindowSpec& spec) {
    spec.kind = plat::WindowKind::CheckBox;
}

void TCheckBox::HandleCreated() {
    if (checked_) plat::Current().CheckSet(Handle(), true);
}

void TCheckBox::SetChecked(bool checked) {
    if (checked == checked_) return;
    checked_ = checked;
    if (HandleAllocated()) plat::Current().CheckSet(Handle(), checked);
    if (!Reading()) Fire(OnClick, this);
}

void TCheckBox::UserToggle() {
    if (!InputEnabled()) return;
    RunUserEvent([this] { SetChecked(!checked_); });
}

bool TCheckBox::WndProc(plat::Message& m) {
    if (m.msg != plat::ZM_CHECK) return TWinControl::WndProc(m);
    if ((m.wParam != 0) != checked_) UserToggle();
    // A toggle refused (the box's window is disabled) puts the box back as it was.
    if ((m.wParam != 0) != checked_) plat::Current().CheckSet(Handle(), checked_);
    return true;
}
