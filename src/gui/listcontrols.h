// Controls that show a list of strings with at most one selected: the list box
// (with item dragging) and the drop-down list. Selections made by code raise nothing.
#pragma once

#include <memory>

#include "gui/controls.h"
#include "gui/stringlist.h"

class TListControl : public TWinControl {
  public:
    explicit TListControl(TComponent* owner);

    // Edits of the items reach the window at once. Deleting the selected item leaves
    // no selection; inserting or deleting before it moves it with its item.
    TStringList* Items() const { return items_.get(); }
    void SetItems(const TStringList& items) { items_->Assign(items); }
    int ItemIndex() const { return itemIndex_; }
    // -1, or an index outside the items, selects nothing.
    void SetItemIndex(int index);

  protected:
    void HandleCreated() override;
    // A person selected index: the selection changes and, when it did, the event
    // runs through the dispatcher.
    void UserSelectIndex(int index, const TNotifyEvent& event);

  private:
    void ItemsEdited(const TStringsEdit& edit);

    std::unique_ptr<TStringList> items_;
    int itemIndex_ = -1;
};

class TListBox : public TListControl {
  public:
    explicit TListBox(TComponent* owner);

    int ItemHeight() const { return itemHeight_; }
    void SetItemHeight(int height);
    int TopIndex() const;                    // first visible row, from the window
    plat::RECT ClientRect() const override;  // inside the sunken border
    // The row of index in client coordinates (rows above TopIndex lie above 0).
    plat::RECT ItemRect(int index) const;
    // The row under point: -1 outside the client area; below the last row, -1 when
    // existing is set and Count otherwise.
    int ItemAtPos(plat::POINT point, bool existing) const;

    TDragMode DragMode() const { return dragMode_; }
    void SetDragMode(TDragMode mode) { dragMode_ = mode; }
    bool Dragging() const { return dragging_; }

    // What a person does, in client coordinates.
    void UserSelect(int index);  // keyboard or mouse selection: OnClick when it changed
    void UserPress(int x, int y);
    void UserMoveMouse(int x, int y);
    void UserRelease(int x, int y);
    bool WndProc(plat::Message& m) override;

    TDragOverEvent OnDragOver;
    TDragDropEvent OnDragDrop;
    TEndDragEvent OnEndDrag;

  protected:
    void CreateParams(plat::WindowSpec& spec) override;

  private:
    void DragTo(int x, int y);
    bool AskDragOver(int x, int y, TDragState state);
    void EndDrag(int x, int y);

    int itemHeight_ = 13;
    TDragMode dragMode_ = dmManual;
    bool pressed_ = false;
    bool dragging_ = false;
    bool overTarget_ = false;
    bool accepted_ = false;
    plat::POINT pressAt_;
    plat::POINT dragAt_;
};

class TComboBox : public TListControl {
  public:
    explicit TComboBox(TComponent* owner);

    // A person chose index in the drop-down: OnChange when the selection changed.
    void UserSelect(int index);
    bool WndProc(plat::Message& m) override;

    TNotifyEvent OnChange;

  protected:
    void CreateParams(plat::WindowSpec& spec) override;
};
