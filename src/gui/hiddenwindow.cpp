#include "gui/hiddenwindow.h"

#include "gui/exceptions.h"
#include "platform/platform.h"

THiddenWindow::THiddenWindow(plat::WindowKind kind, std::string className, Handler handler)
    : kind_(kind), className_(std::move(className)), handler_(std::move(handler)) {}

THiddenWindow::~THiddenWindow() {
    if (handle_) plat::Current().DestroyWindow(handle_);
}

plat::HWND THiddenWindow::Handle() {
    if (handle_) return handle_;
    plat::WindowSpec spec;
    spec.kind = kind_;
    spec.className = className_;
    spec.text = text_;
    spec.visible = false;
    spec.border = plat::BorderStyle::None;
    spec.sink = this;
    handle_ = plat::Current().CreateWindowA(spec);
    if (!handle_) throw EOutOfResources(SWindowCreate);
    return handle_;
}

void THiddenWindow::SetText(const std::string& text) {
    text_ = text;
    if (handle_) plat::Current().SetWindowTextA(handle_, text);
}

bool THiddenWindow::WndProc(plat::Message& m) {
    return handler_ && handler_(m);
}
