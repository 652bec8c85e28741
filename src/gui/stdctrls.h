// The standard controls: static text, one-line edit, push button and check box.
// Changes made by code raise no event, except a check box set to a new value.
#pragma once

#include <string>

#include "gui/controls.h"

enum TAlignment { taLeftJustify, taRightJustify, taCenter };

class TLabel : public TWinControl {
  public:
    explicit TLabel(TComponent* owner) : TWinControl(owner) {}
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment alignment);
    bool CanHaveFocus() const override { return false; }

  protected:
    void CreateParams(plat::WindowSpec& spec) override;

  private:
    TAlignment alignment_ = taLeftJustify;
};

class TEdit : public TWinControl {
  public:
    explicit TEdit(TComponent* owner);
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool readOnly);

    // A person typed: the text is now text (the window shows it already). Runs
    // OnChange through the dispatcher unless the control is read-only or disabled.
    void UserType(const std::string& text);
    bool WndProc(plat::Message& m) override;

    TNotifyEvent OnChange;

  protected:
    void CreateParams(plat::WindowSpec& spec) override;

  private:
    bool readOnly_ = false;
};

class TButton : public TWinControl {
  public:
    explicit TButton(TComponent* owner);

    // The default button is pressed by Enter in its form.
    bool Default() const { return default_; }
    void SetDefault(bool isDefault);
    // Clicking sets the form's ModalResult to this when it is not mrNone.
    int ModalResult() const { return modalResult_; }
    void SetModalResult(int result) { modalResult_ = result; }

    // Sets the form's modal result, then runs OnClick, as code.
    virtual void Click();
    // A person pressed the button: Click through the dispatcher, when enabled.
    void UserClick();
    bool WndProc(plat::Message& m) override;

  protected:
    void CreateParams(plat::WindowSpec& spec) override;

  private:
    bool default_ = false;
    int modalResult_ = 0;
};

class TCheckBox : public TWinControl {
  public:
    explicit TCheckBox(TComponent* owner);

    bool Checked() const { return checked_; }
    // A different value runs OnClick exactly as a user click would, but directly:
    // what it raises reaches the caller. While stored values are read, it runs nothing.
    void SetChecked(bool checked);
    // A person toggled the box: SetChecked(!Checked()) through the dispatcher.
    void UserToggle();
    bool WndProc(plat::Message& m) override;

  protected:
    void CreateParams(plat::WindowSpec& spec) override;
    void HandleCreated() override;

  private:
    bool checked_ = false;
};
