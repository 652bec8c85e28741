// Visual controls. A control keeps all of its state itself; a windowed control has
// a window from the platform, made on first use, into which it mirrors that state.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "gui/component.h"
#include "platform/windowing.h"

class TWinControl;

enum TDragMode { dmManual, dmAutomatic };
enum TDragState { dsDragEnter, dsDragLeave, dsDragMove };
using TDragOverEvent = std::function<void(TObject* sender, TObject* source, int x, int y,
                                          TDragState state, bool& accept)>;
using TDragDropEvent = std::function<void(TObject* sender, TObject* source, int x, int y)>;
using TEndDragEvent = std::function<void(TObject* sender, TObject* target, int x, int y)>;

class TControl : public TComponent {
  public:
    explicit TControl(TComponent* owner);
    ~TControl() override;

    // Bounds: in the parent's client area; a form's are its outer bounds on screen.
    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetLeft(int left) { SetBounds(left, Top(), Width(), Height()); }
    void SetTop(int top) { SetBounds(Left(), top, Width(), Height()); }
    void SetWidth(int width) { SetBounds(Left(), Top(), width, Height()); }
    void SetHeight(int height) { SetBounds(Left(), Top(), Width(), height); }
    void SetBounds(int left, int top, int width, int height);
    // Right and bottom edges beyond the range of a coordinate stop at its end; the
    // position and size themselves are kept as they were set.
    plat::RECT BoundsRect() const;
    // The area in which the control's own coordinates lie, from 0, 0.
    virtual plat::RECT ClientRect() const;

    bool Visible() const { return visible_; }
    virtual void SetVisible(bool visible);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    // Enabled, and so is everything it stands on up to its form, which no modal
    // window covers: what a person can act on. A program can still press a button of
    // a disabled window (BM_CLICK); such a press is refused.
    bool InputEnabled() const;
    const std::string& Caption() const { return text_; }
    void SetCaption(const std::string& caption);
    const std::string& Text() const { return text_; }
    void SetText(const std::string& text) { SetCaption(text); }
    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& hint);
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool show);

    // The parent's font while ParentFont is set; setting a font clears ParentFont.
    const plat::FontSpec& Font() const;
    void SetFont(const plat::FontSpec& font);
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool parentFont);

    TWinControl* Parent() const { return parent_; }
    virtual void SetParent(TWinControl* parent);
    // Position among the parent's controls that can take the focus, in the order
    // their windows are made in; -1 without a parent, or for a control that never
    // takes the focus (a label, a tool button).
    int TabOrder() const;
    // Moves the control to that position among them (nothing when it is there).
    void SetTabOrder(int order);
    virtual bool CanHaveFocus() const { return true; }
    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool tabStop) { tabStop_ = tabStop; }

    TNotifyEvent OnClick;

  protected:
    // Hooks through which a windowed control mirrors a change in its window.
    virtual void BoundsChanged() {}
    virtual void VisibleChanged() {}
    virtual void EnabledChanged() {}
    virtual void TextChanged() {}
    virtual void HintChanged() {}
    virtual void FontChanged() {}
    virtual void ParentChanged() {}
    // Records bounds that the window already has (a user's move), without pushing them.
    void StoreBounds(int left, int top, int width, int height);
    // Records text that the window already shows (a person typed it).
    void StoreText(const std::string& text) { text_ = text; }

  private:
    friend class TWinControl;

    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    bool visible_ = true;
    bool enabled_ = true;
    std::string text_;
    std::string hint_;
    bool showHint_ = false;
    plat::FontSpec font_;
    bool parentFont_ = true;
    bool tabStop_ = false;
    TWinControl* parent_ = nullptr;
};

class TWinControl : public TControl, public plat::WindowSink {
  public:
    explicit TWinControl(TComponent* owner);
    ~TWinControl() override;

    // The window, made now when there is none yet (after the parent's window).
    plat::HWND Handle();
    bool HandleAllocated() const { return handle_ != 0; }
    // Receives every message sent or posted to the window. Overrides handle their
    // own messages and pass the rest on to this one.
    bool WndProc(plat::Message& m) override;

    int ControlCount() const { return static_cast<int>(controls_.size()); }
    TControl* Controls(int index) const { return controls_.at(index); }

    void SetFocus();
    // A person gave the control the focus: runs OnEnter.
    void UserFocus();
    TNotifyEvent OnEnter;

  protected:
    // Fills in what is particular to the control; the base fills in the common state.
    virtual void CreateParams(plat::WindowSpec& spec) = 0;
    // Pushes the state that the window spec cannot carry (items, positions...).
    virtual void HandleCreated() {}
    void DestroyHandle();
    // Makes the window again for a change that only the window spec can carry;
    // on Windows the new window comes last in its parent's tab order.
    void RecreateHandle();

    void BoundsChanged() override;
    void VisibleChanged() override;
    void EnabledChanged() override;
    void TextChanged() override;
    void HintChanged() override;
    void FontChanged() override;
    void ParentChanged() override;

  private:
    friend class TControl;
    void CreateHandle();

    std::vector<TControl*> controls_;
    plat::HWND handle_ = 0;
};

// The control whose window this is, null when none.
TWinControl* FindControl(plat::HWND window);
