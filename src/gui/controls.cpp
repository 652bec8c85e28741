#include "gui/controls.h"

#include <algorithm>
#include <map>

#include "gui/application.h"
#include "gui/exceptions.h"
#include "platform/platform.h"

namespace {

// Every live window of a control, so that a handle leads back to its object.
std::map<plat::HWND, TWinControl*>& Windows() {
    static std::map<plat::HWND, TWinControl*> table;
    return table;
}

}  // namespace

TWinControl* FindControl(plat::HWND window) {
    auto it = Windows().find(window);
    return it == Windows().end() ? nullptr : it->second;
}

// ---- TControl -------------------------------------------------------------------

TControl::TControl(TComponent* owner) : TComponent(owner) {}

TControl::~TControl() {
    SetParent(nullptr);
}

void TControl::SetBounds(int left, int top, int width, int height) {
    if (left == left_ && top == top_ && width == width_ && height == height_) return;
    StoreBounds(left, top, width, height);
    BoundsChanged();
}

void TControl::StoreBounds(int left, int top, int width, int height) {
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
}

plat::RECT TControl::BoundsRect() const {
    return plat::RECT{left_, top_, plat::SaturatingAdd(left_, width_),
                      plat::SaturatingAdd(top_, height_)};
}

plat::RECT TControl::ClientRect() const {
    return plat::RECT{0, 0, Width(), Height()};
}

void TControl::SetVisible(bool visible) {
    if (visible == visible_) return;
    visible_ = visible;
    VisibleChanged();
}

void TControl::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    EnabledChanged();
}

bool TControl::InputEnabled() const {
    for (const TControl* c = this; c; c = c->parent_)
        if (!c->enabled_) return false;
    return TModalScope::TakesInput(this);
}

void TControl::SetCaption(const std::string& caption) {
    if (caption == text_) return;
    text_ = caption;
    TextChanged();
}

void TControl::SetHint(const std::string& hint) {
    if (hint == hint_) return;
    hint_ = hint;
    HintChanged();
}

void TControl::SetShowHint(bool show) {
    if (show == showHint_) return;
    showHint_ = show;
    HintChanged();
}

const plat::FontSpec& TControl::Font() const {
    return parentFont_ && parent_ ? parent_->Font() : font_;
}

void TControl::SetFont(const plat::FontSpec& font) {
    font_ = font;
    parentFont_ = false;
    FontChanged();
}

void TControl::SetParentFont(bool parentFont) {
    if (parentFont == parentFont_) return;
    if (!parentFont) font_ = Font();
    parentFont_ = parentFont;
    FontChanged();
}

void TControl::SetParent(TWinControl* parent) {
    if (parent == parent_) return;
    if (parent_) {
        auto& list = parent_->controls_;
        list.erase(std::remove(list.begin(), list.end(), this), list.end());
    }
    parent_ = parent;
    if (parent_) parent_->controls_.push_back(this);
    if (!Destroying()) ParentChanged();
}

int TControl::TabOrder() const {
    if (!parent_ || !CanHaveFocus()) return -1;
    int order = 0;
    for (const TControl* c : parent_->controls_) {
        if (c == this) return order;
        if (c->CanHaveFocus()) ++order;
    }
    return -1;
}

// The labels and tool buttons between the focusable controls stay where they are.
void TControl::SetTabOrder(int order) {
    if (!parent_ || !CanHaveFocus() || order == TabOrder()) return;
    auto& list = parent_->controls_;
    list.erase(std::find(list.begin(), list.end(), this));
    auto at = list.begin();
    for (int seen = 0; at != list.end(); ++at) {
        if (!(*at)->CanHaveFocus()) continue;
        if (seen++ == std::max(order, 0)) break;
    }
    list.insert(at, this);
}

// ---- TWinControl ----------------------------------------------------------------

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl() {
    // Children outlive this object when they are owned elsewhere (or by the same
    // owner, which frees them later); they must not point back at it.
    DestroyHandle();
    for (auto* c : controls_) c->parent_ = nullptr;
    controls_.clear();
}

plat::HWND TWinControl::Handle() {
    if (handle_) return handle_;
    // Making the parent's window makes this one too, in its place among the children.
    if (Parent()) Parent()->Handle();
    if (!handle_) CreateHandle();
    return handle_;
}

void TWinControl::CreateHandle() {
    plat::WindowSpec spec;
    spec.text = Text();
    spec.parent = Parent() ? Parent()->handle_ : 0;
    spec.bounds = BoundsRect();
    spec.visible = Visible();
    spec.enabled = Enabled();
    spec.tabStop = TabStop();
    spec.sink = this;
    CreateParams(spec);
    auto& p = plat::Current();
    handle_ = p.CreateWindowA(spec);
    if (!handle_) throw EOutOfResources(SWindowCreate);
    Windows()[handle_] = this;
    p.SetFont(handle_, Font());
    if (ShowHint() && !Hint().empty()) p.SetHint(handle_, Hint());
    HandleCreated();
    for (auto* c : controls_) {
        auto* w = dynamic_cast<TWinControl*>(c);
        if (w && !w->handle_) w->CreateHandle();
    }
}

void TWinControl::DestroyHandle() {
    if (!handle_) return;
    for (auto* c : controls_)
        if (auto* w = dynamic_cast<TWinControl*>(c)) w->DestroyHandle();
    Windows().erase(handle_);
    plat::HWND h = handle_;
    handle_ = 0;
    plat::Current().DestroyWindow(h);
}

void TWinControl::RecreateHandle() {
    if (!handle_) return;
    DestroyHandle();
    CreateHandle();
}

bool TWinControl::WndProc(plat::Message& m) {
    if (m.msg == plat::ZM_FOCUS) {
        UserFocus();
        return true;
    }
    return false;
}

void TWinControl::SetFocus() {
    plat::Current().SetFocus(Handle());
}

void TWinControl::UserFocus() {
    RunUserEvent([this] { Fire(OnEnter, this); });
}

void TWinControl::BoundsChanged() {
    if (handle_) plat::Current().MoveWindow(handle_, BoundsRect());
}

void TWinControl::VisibleChanged() {
    if (handle_) plat::Current().ShowWindow(handle_, Visible() ? plat::SW_SHOW : plat::SW_HIDE);
}

void TWinControl::EnabledChanged() {
    if (handle_) plat::Current().EnableWindow(handle_, Enabled());
}

void TWinControl::TextChanged() {
    if (handle_) plat::Current().SetWindowTextA(handle_, Text());
}

void TWinControl::HintChanged() {
    if (handle_) plat::Current().SetHint(handle_, ShowHint() ? Hint() : std::string());
}

void TWinControl::FontChanged() {
    if (handle_) plat::Current().SetFont(handle_, Font());
    for (auto* c : controls_)
        if (c->ParentFont()) c->FontChanged();
}

void TWinControl::ParentChanged() {
    // A window cannot move to another parent here: it is made again under the new one.
    DestroyHandle();
    if (Parent() && Parent()->HandleAllocated()) CreateHandle();
}
