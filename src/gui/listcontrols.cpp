#include "gui/listcontrols.h"

#include "gui/application.h"
#include "platform/platform.h"

// ---- TListControl -----------------------------------------------------------------------

TListControl::TListControl(TComponent* owner)
    : TWinControl(owner), items_(std::make_unique<TStringList>()) {
    SetTabStop(true);
    items_->OnEdit = [this](const TStringsEdit& edit) { ItemsEdited(edit); };
}

void TListControl::SetItemIndex(int index) {
    if (index < 0 || index >= items_->Count()) index = -1;
    if (index == itemIndex_) return;
    itemIndex_ = index;
    if (HandleAllocated()) plat::Current().ListSetSelection(Handle(), index);
}

void TListControl::HandleCreated() {
    auto& p = plat::Current();
    for (const auto& s : items_->Items()) p.ListInsert(Handle(), -1, s);
    if (itemIndex_ >= 0) p.ListSetSelection(Handle(), itemIndex_);
}

// The selection follows its item as a native list box's does.
void TListControl::ItemsEdited(const TStringsEdit& edit) {
    int selected = itemIndex_;
    switch (edit.kind) {
        case TStringsEdit::Insert:
            if (selected >= edit.index) ++selected;
            break;
        case TStringsEdit::Delete:
            if (selected == edit.index)
                selected = -1;
            else if (selected > edit.index)
                --selected;
            break;
        case TStringsEdit::Put:
            break;
        case TStringsEdit::Reset:
            selected = -1;
            break;
    }
    itemIndex_ = selected;
    if (!HandleAllocated()) return;
    auto& p = plat::Current();
    plat::HWND h = Handle();
    switch (edit.kind) {
        case TStringsEdit::Insert:
            p.ListInsert(h, edit.index, items_->Strings(edit.index));
            break;
        case TStringsEdit::Delete:
            p.ListDelete(h, edit.index);
            break;
        case TStringsEdit::Put:
            p.ListDelete(h, edit.index);
            p.ListInsert(h, edit.index, items_->Strings(edit.index));
            break;
        case TStringsEdit::Reset:
            p.ListClear(h);
            for (const auto& s : items_->Items()) p.ListInsert(h, -1, s);
            break;
    }
    p.ListSetSelection(h, itemIndex_);
}

void TListControl::UserSelectIndex(int index, const TNotifyEvent& event) {
    if (!Enabled()) return;
    int before = itemIndex_;
    SetItemIndex(index);
    if (itemIndex_ != before) RunUserEvent([this, &event] { Fire(event, this); });
}

// ---- TComboBox ----------------------------------------------------------------------------

TComboBox::TComboBox(TComponent* owner) : TListControl(owner) {}

void TComboBox::CreateParams(plat::WindowSpec& spec) {
    spec.kind = plat::WindowKind::ComboList;
}

void TComboBox::UserSelect(int index) {
    UserSelectIndex(index, OnChange);
}

bool TComboBox::WndProc(plat::Message& m) {
    if (m.msg != plat::ZM_SELECT) return TWinControl::WndProc(m);
    UserSelect(static_cast<int>(static_cast<plat::LPARAM>(m.wParam)));
    return true;
}
