#include "gui/forms.h"

#include <vector>

#include "gui/application.h"
#include "gui/exceptions.h"
#include "gui/menus.h"
#include "gui/stdctrls.h"
#include "platform/platform.h"

TForm::TForm(TComponent* owner, std::string className)
    : TWinControl(owner), className_(std::move(className)) {
    TControl::SetVisible(false);
    if (Application) Application->AddForm(this);
}

TForm::~TForm() {
    if (menu_) menu_->form_ = nullptr;
    if (Application) Application->RemoveForm(this);
}

void TForm::CreateParams(plat::WindowSpec& spec) {
    spec.kind = plat::WindowKind::Form;
    spec.className = className_;
    spec.parent = Application ? Application->Handle() : 0;
    spec.visible = false;
    spec.border = borderStyle_;
    spec.minimizeBox = (borderIcons_ & biMinimize) != 0;
    spec.maximizeBox = (borderIcons_ & biMaximize) != 0;
}

void TForm::HandleCreated() {
    if (menu_) menu_->Push();
}

// ---- Size and frame -------------------------------------------------------------

plat::POINT TForm::Frame() const {
    return plat::Current().FrameSize(borderStyle_, menu_ != nullptr);
}

int TForm::ClientWidth() const {
    return clientWidth_ >= 0 ? clientWidth_ : Width() - Frame().x;
}

int TForm::ClientHeight() const {
    return clientHeight_ >= 0 ? clientHeight_ : Height() - Frame().y;
}

void TForm::SetClientWidth(int width) {
    clientWidth_ = width;
    KeepClientSize();
}

void TForm::SetClientHeight(int height) {
    clientHeight_ = height;
    KeepClientSize();
}

plat::RECT TForm::ClientRect() const {
    return plat::RECT{0, 0, ClientWidth(), ClientHeight()};
}

// A client size that was set explicitly survives changes of the frame (a menu, a
// border style) by moving the outer size.
void TForm::KeepClientSize() {
    if (clientWidth_ < 0 && clientHeight_ < 0) return;
    plat::POINT f = Frame();
    int w = clientWidth_ >= 0 ? clientWidth_ + f.x : Width();
    int h = clientHeight_ >= 0 ? clientHeight_ + f.y : Height();
    SetBounds(Left(), Top(), w, h);
}

void TForm::BoundsChanged() {
    // An outer size set by code becomes the new client size.
    plat::POINT f = Frame();
    if (clientWidth_ >= 0) clientWidth_ = Width() - f.x;
    if (clientHeight_ >= 0) clientHeight_ = Height() - f.y;
    TWinControl::BoundsChanged();
}

void TForm::SetBorderStyle(TFormBorderStyle style) {
    borderStyle_ = style;
    KeepClientSize();
}

void TForm::SetMenu(TMainMenu* menu) {
    if (menu == menu_) return;
    if (menu_) menu_->form_ = nullptr;
    menu_ = menu;
    if (menu_) {
        if (menu_->form_) menu_->form_->SetMenu(nullptr);
        menu_->form_ = this;
    }
    KeepClientSize();
    if (HandleAllocated()) {
        if (menu_)
            menu_->Push();
        else
            plat::Current().SetMenu(Handle(), {});
    }
}

void TForm::SetWindowState(TWindowState state) {
    if (state == windowState_) return;
    windowState_ = state;
    if (!HandleAllocated() || !Visible()) return;
    int cmd = state == wsMinimized   ? plat::SW_MINIMIZE
              : state == wsMaximized ? plat::SW_SHOWMAXIMIZED
                                     : plat::SW_RESTORE;
    plat::Current().ShowWindow(Handle(), cmd);
}

// ---- Showing ----------------------------------------------------------------------

void TForm::SetVisible(bool visible) {
    if (visible == Visible()) return;
    if (visible) {
        Fire(OnShow, this);
        if (Visible()) return;  // OnShow showed it already
        PlaceAtFirstShowing();
    }
    TControl::SetVisible(visible);
    if (!visible) Fire(OnHide, this);
}

void TForm::PlaceAtFirstShowing() {
    if (placed_) return;
    placed_ = true;
    if (position_ != poScreenCenter) return;
    plat::POINT screen = plat::Current().GetScreenSize();
    SetBounds((screen.x - Width()) / 2, (screen.y - Height()) / 2, Width(), Height());
}

void TForm::VisibleChanged() {
    if (!Visible() && !HandleAllocated()) return;
    int cmd = !Visible()                    ? plat::SW_HIDE
              : windowState_ == wsMinimized ? plat::SW_SHOWMINIMIZED
              : windowState_ == wsMaximized ? plat::SW_SHOWMAXIMIZED
                                            : plat::SW_SHOW;
    plat::Current().ShowWindow(Handle(), cmd);
}

void TForm::Show() {
    SetVisible(true);
    plat::Current().BringWindowToTop(Handle());
}

TModalResult TForm::ShowModal() {
    if (Visible() || modal_) throw EInvalidOperation(SCannotShowModal);
    modalResult_ = mrNone;
    modal_ = true;
    try {
        plat::Current().SetModal(Handle(), true);
        TDisabledForms others(this);
        TModalScope scope(this);
        Show();
        auto done = [this] { return !Visible() || modalResult_ != mrNone; };
        if (!done()) plat::Current().RunModalLoop(Handle(), done);
        Hide();
    } catch (...) {
        modal_ = false;
        plat::Current().SetModal(Handle(), false);
        throw;
    }
    modal_ = false;
    plat::Current().SetModal(Handle(), false);
    if (modalResult_ == mrNone) modalResult_ = mrCancel;
    return modalResult_;
}

void TForm::Close() {
    if (modal_)
        modalResult_ = mrCancel;
    else
        Hide();
}

TForm* GetParentForm(TControl* control) {
    for (TControl* c = control; c; c = c->Parent())
        if (auto* form = dynamic_cast<TForm*>(c)) return form;
    return nullptr;
}

// ---- What a person does ----------------------------------------------------------

void TForm::UserClose() {
    RunUserEvent([this] {
        bool canClose = true;
        if (OnCloseQuery) OnCloseQuery(this, canClose);
        if (canClose) Close();
    });
}

void TForm::UserMove(int left, int top) {
    StoreBounds(left, top, Width(), Height());
}

TButton* TForm::DefaultButton(TWinControl* within) {
    for (int i = 0; i < within->ControlCount(); ++i) {
        auto* w = dynamic_cast<TWinControl*>(within->Controls(i));
        if (!w || !w->Visible() || !w->Enabled()) continue;
        if (auto* b = dynamic_cast<TButton*>(w); b && b->Default()) return b;
        if (auto* inner = DefaultButton(w)) return inner;
    }
    return nullptr;
}

// As on every dialog: Enter presses the push button that has the focus, and the
// default button only when the focus is on a control that is not a push button.
void TForm::UserPressEnter(plat::HWND focused) {
    auto* button = dynamic_cast<TButton*>(FindControl(focused));
    if (button && GetParentForm(button) == this && button->Enabled() && button->Visible())
        return button->UserClick();
    if (TButton* b = DefaultButton(this)) b->UserClick();
}

bool TForm::WndProc(plat::Message& m) {
    switch (m.msg) {
        case plat::ZM_CLOSE:
            UserClose();
            return true;
        case plat::ZM_MOVED:
            UserMove(plat::PointX(m.lParam), plat::PointY(m.lParam));
            return true;
        case plat::ZM_DEFAULT:
            UserPressEnter(static_cast<plat::HWND>(m.lParam));
            return true;
        case plat::ZM_COMMAND:
            if (menu_) menu_->DispatchCommand(static_cast<plat::UINT>(m.wParam));
            return true;
        default:
            return TWinControl::WndProc(m);
    }
}
