#include "gui/menus.h"

#include <algorithm>

#include "gui/application.h"
#include "gui/exceptions.h"
#include "gui/forms.h"
#include "platform/platform.h"

// ---- TMenuItem ----------------------------------------------------------------------

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner) {}

TMenuItem::~TMenuItem() {
    while (!items_.empty()) delete items_.back();
    if (parent_) parent_->Remove(this);
}

void TMenuItem::SetCaption(const std::string& caption) {
    if (caption == caption_) return;
    caption_ = caption;
    Changed();
}

void TMenuItem::SetShortCut(TShortCut shortCut) {
    if (shortCut == shortCut_) return;
    shortCut_ = shortCut;
    Changed();
}

void TMenuItem::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    Changed();
}

void TMenuItem::SetChecked(bool checked) {
    if (checked == checked_) return;
    checked_ = checked;
    Changed();
}

void TMenuItem::SetVisible(bool visible) {
    if (visible == visible_) return;
    visible_ = visible;
    Changed();
}

TMenuItem* TMenuItem::Items(int index) const {
    if (index < 0 || index >= Count()) throw EMenuError(SMenuIndexError);
    return items_[index];
}

int TMenuItem::IndexOf(const TMenuItem* item) const {
    auto it = std::find(items_.begin(), items_.end(), item);
    return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

void TMenuItem::Add(TMenuItem* item) {
    Insert(Count(), item);
}

void TMenuItem::Insert(int index, TMenuItem* item) {
    if (item->parent_) throw EMenuError(SMenuReinserted);
    if (index < 0 || index > Count()) throw EMenuError(SMenuIndexError);
    items_.insert(items_.begin() + index, item);
    item->parent_ = this;
    Changed();
}

void TMenuItem::Delete(int index) {
    TMenuItem* item = Items(index);
    items_.erase(items_.begin() + index);
    item->parent_ = nullptr;
    Changed();
}

void TMenuItem::Remove(TMenuItem* item) {
    int index = IndexOf(item);
    if (index >= 0) Delete(index);
}

void TMenuItem::Clear() {
    if (items_.empty()) return;
    while (!items_.empty()) delete items_.back();
}

TMenu* TMenuItem::Menu() const {
    const TMenuItem* root = this;
    while (root->parent_) root = root->parent_;
    return root->menu_;
}

void TMenuItem::Click() {
    Fire(OnClick, this);
}

void TMenuItem::UserChoose() {
    if (!enabled_) return;
    RunUserEvent([this] { Click(); });
}

void TMenuItem::Changed() {
    if (TMenu* menu = Menu(); menu && !menu->Destroying()) menu->ItemsChanged();
}

// ---- TMenu --------------------------------------------------------------------------

TMenu::TMenu(TComponent* owner) : TComponent(owner), items_(new TMenuItem(this)) {
    items_->menu_ = this;
}

TMenu::~TMenu() {
    // The root item is freed by the component tree, after this object is gone.
    items_->menu_ = nullptr;
}

std::vector<plat::MenuItemSpec> TMenu::BuildSpecs() {
    ids_.clear();
    std::vector<plat::MenuItemSpec> specs;
    AddSpecs(items_, specs);
    return specs;
}

void TMenu::AddSpecs(const TMenuItem* parent, std::vector<plat::MenuItemSpec>& out) {
    for (TMenuItem* item : parent->items_) {
        if (!item->visible_) continue;
        ids_.push_back(item);
        plat::MenuItemSpec spec;
        spec.id = static_cast<plat::UINT>(ids_.size());
        spec.caption = item->caption_;
        spec.shortCut = item->shortCut_;
        spec.enabled = item->enabled_;
        spec.checked = item->checked_;
        AddSpecs(item, spec.items);
        out.push_back(std::move(spec));
    }
}

TMenuItem* TMenu::FindItem(plat::UINT id) const {
    return id >= 1 && id <= ids_.size() ? ids_[id - 1] : nullptr;
}

// ---- TMainMenu ------------------------------------------------------------------------

TMainMenu::~TMainMenu() {
    if (form_) form_->SetMenu(nullptr);
}

void TMainMenu::ItemsChanged() {
    if (form_ && form_->HandleAllocated()) Push();
}

void TMainMenu::Push() {
    // Built even without a window, so that ids always match the last tree shown.
    std::vector<plat::MenuItemSpec> specs = BuildSpecs();
    if (form_ && form_->HandleAllocated()) plat::Current().SetMenu(form_->Handle(), specs);
}

void TMenu::DispatchCommand(plat::UINT id) {
    if (TMenuItem* item = FindItem(id)) item->UserChoose();
}

// ---- TPopupMenu -----------------------------------------------------------------------

void TPopupMenu::Popup(int x, int y, plat::HWND owner) {
    Fire(OnPopup, this);
    std::vector<plat::MenuItemSpec> specs = BuildSpecs();
    if (!owner && Application) owner = Application->Handle();
    DispatchCommand(plat::Current().TrackPopupMenu(specs, plat::POINT{x, y}, owner));
}
