#include <algorithm>
#include <cstdlib>

#include "gui/application.h"
#include "gui/listcontrols.h"
#include "platform/platform.h"

namespace {

// How far the mouse must move with the button down before a drag begins.
constexpr int kDragThreshold = 5;
// The sunken edge around a list box's client area.
constexpr int kBorder = 2;

bool Inside(const plat::RECT& r, int x, int y) {
    return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

}  // namespace

TListBox::TListBox(TComponent* owner) : TListControl(owner) {}

void TListBox::CreateParams(plat::WindowSpec& spec) {
    spec.kind = plat::WindowKind::ListBox;
    spec.itemHeight = itemHeight_;
}

void TListBox::SetItemHeight(int value) {
    if (value == itemHeight_) return;
    itemHeight_ = value;
    RecreateHandle();
}

int TListBox::TopIndex() const {
    auto* self = const_cast<TListBox*>(this);
    return HandleAllocated() ? plat::Current().ListGetTopIndex(self->Handle()) : 0;
}

plat::RECT TListBox::ClientRect() const {
    return plat::RECT{0, 0, std::max(0, plat::SaturatingSub(Width(), 2 * kBorder)),
                      std::max(0, plat::SaturatingSub(Height(), 2 * kBorder))};
}

plat::RECT TListBox::ItemRect(int index) const {
    // A row height read from a file may be huge: rows far down stop at the range's end.
    auto top = plat::ClampToLong((std::int64_t{index} - TopIndex()) * itemHeight_);
    return plat::RECT{0, top, ClientRect().right, plat::SaturatingAdd(top, itemHeight_)};
}

int TListBox::ItemAtPos(plat::POINT point, bool existing) const {
    if (!Inside(ClientRect(), point.x, point.y)) return -1;
    int count = Items()->Count();
    for (int i = TopIndex(); i < count; ++i)
        if (Inside(ItemRect(i), point.x, point.y)) return i;
    return existing ? -1 : count;
}

void TListBox::UserSelect(int index) {
    UserSelectIndex(index, OnClick);
}

// ---- Pressing and dragging ------------------------------------------------------------
// Only the list itself can be a drop target: a point inside its client area is over
// it, anything else is over a control that accepts nothing.

void TListBox::UserPress(int x, int y) {
    if (!Enabled()) return;
    plat::Current().SetCapture(Handle());
    pressed_ = true;
    dragging_ = false;
    overTarget_ = false;
    accepted_ = false;
    pressAt_ = plat::POINT{x, y};
    // The row under the mouse is selected at once, before any drag begins.
    int index = ItemAtPos(pressAt_, true);
    if (index >= 0) UserSelect(index);
}

void TListBox::UserMoveMouse(int x, int y) {
    if (!pressed_ || dragMode_ != dmAutomatic) return;
    if (!dragging_) {
        if (std::abs(x - pressAt_.x) < kDragThreshold && std::abs(y - pressAt_.y) < kDragThreshold)
            return;
        dragging_ = true;
    }
    DragTo(x, y);
}

void TListBox::DragTo(int x, int y) {
    dragAt_ = plat::POINT{x, y};
    if (Inside(ClientRect(), x, y)) {
        TDragState state = overTarget_ ? dsDragMove : dsDragEnter;
        overTarget_ = true;
        accepted_ = AskDragOver(x, y, state);
    } else {
        if (overTarget_) AskDragOver(x, y, dsDragLeave);
        overTarget_ = false;
        accepted_ = false;
    }
    plat::Current().SetDragCursor(true, accepted_);
}

bool TListBox::AskDragOver(int x, int y, TDragState state) {
    if (!OnDragOver) return false;
    bool accept = true;
    RunUserEvent([&] { OnDragOver(this, this, x, y, state, accept); });
    return accept;
}

void TListBox::UserRelease(int x, int y) {
    if (!pressed_) return;
    pressed_ = false;
    plat::Current().ReleaseCapture();
    if (dragMode_ == dmAutomatic) EndDrag(x, y);
}

// An automatic drag that never passed the threshold still ends, with no target.
void TListBox::EndDrag(int x, int y) {
    bool wasDragging = dragging_;
    if (wasDragging && (x != dragAt_.x || y != dragAt_.y)) DragTo(x, y);
    bool dropped = wasDragging && accepted_;
    dragging_ = false;
    overTarget_ = false;
    accepted_ = false;
    if (wasDragging) plat::Current().SetDragCursor(false, false);
    if (dropped)
        RunUserEvent([&] {
            if (OnDragDrop) OnDragDrop(this, this, x, y);
        });
    TObject* target = dropped ? this : nullptr;
    int tx = dropped ? x : 0, ty = dropped ? y : 0;
    RunUserEvent([&] {
        if (OnEndDrag) OnEndDrag(this, target, tx, ty);
    });
}

bool TListBox::WndProc(plat::Message& m) {
    switch (m.msg) {
        case plat::ZM_SELECT:
            UserSelect(static_cast<int>(static_cast<plat::LPARAM>(m.wParam)));
            return true;
        case plat::ZM_MOUSEDOWN:
            UserPress(plat::PointX(m.lParam), plat::PointY(m.lParam));
            return true;
        case plat::ZM_MOUSEMOVE:
            UserMoveMouse(plat::PointX(m.lParam), plat::PointY(m.lParam));
            return true;
        case plat::ZM_MOUSEUP:
            UserRelease(plat::PointX(m.lParam), plat::PointY(m.lParam));
            return true;
        default:
            return TWinControl::WndProc(m);
    }
}
