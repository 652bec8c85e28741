#include "gui/application.h"

#include <algorithm>

#include "gui/forms.h"
#include "gui/hiddenwindow.h"
#include "platform/paths.h"
#include "platform/platform.h"

TApplication* Application = nullptr;

void RunUserEvent(const std::function<void()>& handler) {
    if (Application)
        Application->Dispatch(handler);
    else
        handler();
}

TApplication::TApplication() : TComponent(nullptr) {
    window_ = std::make_unique<THiddenWindow>(plat::WindowKind::Form, "TApplication",
                                              THiddenWindow::Handler());
}

TApplication::~TApplication() {
    // Forms go first, while the list they leave and the window they belong to exist.
    while (ComponentCount() > 0) delete Components(ComponentCount() - 1);
    window_.reset();
    if (Application == this) Application = nullptr;
}

std::string TApplication::Title() const {
    if (!title_.empty()) return title_;
    std::string name = plat::ExtractFileName(plat::Current().GetModuleFileNameA());
    return name.substr(0, name.size() - plat::ExtractFileExt(name).size());
}

void TApplication::SetTitle(const std::string& title) {
    title_ = title;
    window_->SetText(title);
}

plat::HWND TApplication::Handle() {
    return window_->Handle();
}

void TApplication::CreateForm(TForm* form) {
    if (!mainForm_) mainForm_ = form;
    Dispatch([form] { Fire(form->OnCreate, form); });
}

void TApplication::AddForm(TForm* form) {
    forms_.push_back(form);
}

void TApplication::RemoveForm(TForm* form) {
    forms_.erase(std::remove(forms_.begin(), forms_.end(), form), forms_.end());
    if (mainForm_ == form) mainForm_ = nullptr;
}

void TApplication::Run() {
    if (showMainForm_ && mainForm_) mainForm_->Show();
    if (!terminated_) plat::Current().RunMessageLoop();
}

void TApplication::ProcessMessages() {
    plat::Current().ProcessMessages();
}

int TApplication::MessageBox(const std::string& text, const std::string& caption,
                             plat::UINT flags) {
    return plat::Current().MessageBoxA(Handle(), text, caption, flags);
}

void TApplication::Dispatch(const std::function<void()>& handler) {
    try {
        handler();
    } catch (const std::exception& e) {
        ShowException(e);
    }
}

void TApplication::ShowException(const std::exception& e) {
    std::string text = e.what();
    if (text.empty() || text.back() != '.') text += '.';
    plat::Current().MessageBoxA(Handle(), text, Title(), plat::MB_OK | plat::MB_ICONSTOP);
}

void TApplication::HandleException() {
    try {
        throw;
    } catch (const std::exception& e) {
        ShowException(e);
    }
}
