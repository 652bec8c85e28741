// Menus: a tree of items under a form's menu bar or a popup menu. The platform gets
// the whole tree as MenuItemSpecs, with ids numbered per menu each time it is built.
#pragma once

#include <string>
#include <vector>

#include "gui/component.h"
#include "gui/keys.h"
#include "platform/windowing.h"

class TMenu;
class TForm;

class TMenuItem : public TComponent {
  public:
    explicit TMenuItem(TComponent* owner);
    ~TMenuItem() override;  // frees its sub-items and leaves its parent

    // "-" makes a separator; "&" marks the mnemonic and stays in the caption.
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    bool IsLine() const { return caption_ == "-"; }
    TShortCut ShortCut() const { return shortCut_; }
    void SetShortCut(TShortCut shortCut);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    bool Checked() const { return checked_; }
    void SetChecked(bool checked);
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);

    int Count() const { return static_cast<int>(items_.size()); }
    TMenuItem* Items(int index) const;
    int IndexOf(const TMenuItem* item) const;  // -1 when not a sub-item
    // Raises EMenuError when item already has a parent.
    void Add(TMenuItem* item);
    void Insert(int index, TMenuItem* item);
    // Take a sub-item out without freeing it (its owner still frees it).
    void Delete(int index);
    void Remove(TMenuItem* item);
    void Clear();  // frees every sub-item
    TMenuItem* Parent() const { return parent_; }
    TMenu* Menu() const;  // the menu of the tree, null when in none

    // Runs OnClick, as code.
    virtual void Click();
    // A person chose the item: runs its click through the dispatcher when enabled.
    void UserChoose();

    TNotifyEvent OnClick;

  private:
    friend class TMenu;
    void Changed();

    std::string caption_;
    TShortCut shortCut_ = 0;
    bool enabled_ = true;
    bool checked_ = false;
    bool visible_ = true;
    std::vector<TMenuItem*> items_;
    TMenuItem* parent_ = nullptr;
    TMenu* menu_ = nullptr;  // set on a menu's root item only
};

class TMenu : public TComponent {
  public:
    explicit TMenu(TComponent* owner);
    ~TMenu() override;

    // The root item; its sub-items are the menu's entries.
    TMenuItem* Items() const { return items_; }
    // The visible items as the platform builds them, numbering the ids from 1;
    // remembers which item each id stands for.
    std::vector<plat::MenuItemSpec> BuildSpecs();
    // The item of an id of the last build, null when none.
    TMenuItem* FindItem(plat::UINT id) const;
    // A command of the last build, chosen where the platform showed the menu: the
    // item's click through the dispatcher; an id no longer shown does nothing.
    void DispatchCommand(plat::UINT id);

  protected:
    friend class TMenuItem;
    virtual void ItemsChanged() {}

  private:
    void AddSpecs(const TMenuItem* parent, std::vector<plat::MenuItemSpec>& out);

    TMenuItem* items_;
    std::vector<TMenuItem*> ids_;  // id - 1 -> item
};

// A form's menu bar; attached with TForm::SetMenu. Every change reaches the window.
class TMainMenu : public TMenu {
  public:
    explicit TMainMenu(TComponent* owner) : TMenu(owner) {}
    ~TMainMenu() override;

    TForm* Form() const { return form_; }

  protected:
    void ItemsChanged() override;

  private:
    friend class TForm;
    void Push();

    TForm* form_ = nullptr;
};

class TPopupMenu : public TMenu {
  public:
    explicit TPopupMenu(TComponent* owner) : TMenu(owner) {}

    bool AutoPopup() const { return autoPopup_; }
    void SetAutoPopup(bool autoPopup) { autoPopup_ = autoPopup; }
    // Runs OnPopup, shows the menu with its top-left corner at the screen point,
    // owned by the given window (by default the application window), and when the
    // user chose an item runs its click through the dispatcher. Returns when the
    // menu has closed.
    void Popup(int x, int y, plat::HWND owner = 0);

    TNotifyEvent OnPopup;

  private:
    bool autoPopup_ = true;
};
