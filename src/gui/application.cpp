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

// Owned by the modal form, the box disables that form itself and gives it the
// focus back when it closes, so that the keyboard goes on where it was.
int TApplication::MessageBox(const std::string& text, const std::string& caption,
                             plat::UINT flags) {
    TForm* over = TModalScope::ModalForm();
    plat::HWND owner = over ? over->Handle() : Handle();
    TDisabledForms others(over);
    TModalScope box(nullptr);
    return plat::Current().MessageBoxA(owner, text, caption, flags);
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
    MessageBox(text, Title(), plat::MB_OK | plat::MB_ICONSTOP);
}

void TApplication::HandleException() {
    try {
        throw;
    } catch (const std::exception& e) {
        ShowException(e);
    }
}

TDisabledForms::TDisabledForms(TForm* except) {
    for (int i = 0; Application && i < Application->FormCount(); ++i) {
        TForm* f = Application->Forms(i);
        if (f == except || !f->Visible() || !f->Enabled()) continue;
        f->SetEnabled(false);
        forms_.push_back(f);
    }
}

// Only forms that still exist: a handler may have freed one meanwhile.
TDisabledForms::~TDisabledForms() {
    for (TForm* f : forms_) {
        for (int i = 0; Application && i < Application->FormCount(); ++i)
            if (Application->Forms(i) == f) f->SetEnabled(true);
    }
}

namespace {

// The modal windows open now, innermost last; null for a message box.
std::vector<TForm*>& ModalStack() {
    static std::vector<TForm*> stack;
    return stack;
}

}  // namespace

TModalScope::TModalScope(TForm* form) {
    ModalStack().push_back(form);
}

TModalScope::~TModalScope() {
    ModalStack().pop_back();
}

TForm* TModalScope::ModalForm() {
    auto& stack = ModalStack();
    return stack.empty() ? nullptr : stack.back();
}

bool TModalScope::TakesInput(const TControl* control) {
    auto& stack = ModalStack();
    if (stack.empty()) return true;
    for (const TControl* c = control; c; c = c->Parent())
        if (c == stack.back()) return true;
    return false;  // a message box, or another form
}
