// The application: its hidden top-level window (the owner of every form), its forms,
// the message loop, and the dispatcher through which every event that a person, a
// timer or a menu raises runs, with the error report for what escapes a handler.
#pragma once

#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "gui/component.h"
#include "platform/types.h"

class TControl;
class TForm;
class THiddenWindow;

class TApplication : public TComponent {
  public:
    TApplication();
    ~TApplication() override;

    // Caption of message boxes and of the error report; by default the program's
    // file name without its extension.
    std::string Title() const;
    void SetTitle(const std::string& title);
    const std::string& HelpFile() const { return helpFile_; }
    void SetHelpFile(const std::string& helpFile) { helpFile_ = helpFile; }

    // The hidden application window, class "TApplication", owner of every form.
    plat::HWND Handle();

    // Registers a form built by the caller (owned by the application, as the
    // template below makes them): the first one becomes MainForm; its OnCreate runs
    // at once through the dispatcher, so a failure in it is reported and creation
    // goes on.
    void CreateForm(TForm* form);
    template <class T>
    T* CreateForm() {
        T* form = new T(this);
        CreateForm(form);
        return form;
    }
    TForm* MainForm() const { return mainForm_; }
    int FormCount() const { return static_cast<int>(forms_.size()); }
    TForm* Forms(int index) const { return forms_.at(index); }

    // Run shows the main form first only while this is set (the default).
    bool ShowMainForm() const { return showMainForm_; }
    void SetShowMainForm(bool show) { showMainForm_ = show; }
    // Runs the platform's message loop unless Terminate was called.
    void Run();
    void Terminate() { terminated_ = true; }
    bool Terminated() const { return terminated_; }
    void ProcessMessages();

    // A plain message box, modal over every form, owned by the form shown modally
    // (the application window when there is none); returns the button's ID.
    int MessageBox(const std::string& text, const std::string& caption, plat::UINT flags);

    // Runs an event handler: an std::exception that escapes it goes to the error
    // report and the program runs on. Anything else passes through.
    void Dispatch(const std::function<void()>& handler);
    // The error report: the message followed by a full stop (none added when it ends
    // in one), titled with Title(), a stop icon and OK.
    void ShowException(const std::exception& e);
    // Reports the exception being handled; call from a catch block.
    void HandleException();

  private:
    friend class TForm;
    void AddForm(TForm* form);
    void RemoveForm(TForm* form);

    std::string title_;
    std::string helpFile_;
    std::unique_ptr<THiddenWindow> window_;
    std::vector<TForm*> forms_;
    TForm* mainForm_ = nullptr;
    bool showMainForm_ = true;
    bool terminated_ = false;
};

// While a modal window is open, the application's other forms take no input: this
// disables every visible, enabled form but one for its own life, and enables them
// again when it ends.
class TDisabledForms {
  public:
    explicit TDisabledForms(TForm* except = nullptr);
    ~TDisabledForms();
    TDisabledForms(const TDisabledForms&) = delete;
    TDisabledForms& operator=(const TDisabledForms&) = delete;

  private:
    std::vector<TForm*> forms_;
};

// A modal window for its own life: a form shown modally, or a message box (no form).
// Modal windows nest, each one's loop inside the handler that opened it, and can
// only end innermost first; so while any is open, a person's input counts only for
// the innermost one. A program pressing a button under it (BM_CLICK reaches a button
// of a disabled window) would otherwise open a second modal window inside the
// first one's loop, and closing the first would leave it hidden and stuck.
class TModalScope {
  public:
    explicit TModalScope(TForm* form);
    ~TModalScope();
    TModalScope(const TModalScope&) = delete;
    TModalScope& operator=(const TModalScope&) = delete;

    // The innermost form shown modally, null when none is.
    static TForm* ModalForm();
    // False while a modal window is open that is not the control's form.
    static bool TakesInput(const TControl* control);
};

// Created and destroyed by the program (and by the test fixture for each test).
extern TApplication* Application;

// Runs an event raised by a person, a timer or a menu through the application's
// dispatcher, or directly when there is no application.
void RunUserEvent(const std::function<void()>& handler);
