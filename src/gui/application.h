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

    // A plain message box owned by the application window; returns the button's ID.
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

// Created and destroyed by the program (and by the test fixture for each test).
extern TApplication* Application;

// Runs an event raised by a person, a timer or a menu through the application's
// dispatcher, or directly when there is no application.
void RunUserEvent(const std::function<void()>& handler);
