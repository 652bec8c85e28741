// A window of the library's own that the user never sees: the application's window
// and each timer's window. Made on first use, destroyed with its object.
#pragma once

#include <functional>
#include <string>

#include "platform/windowing.h"

class THiddenWindow final : public plat::WindowSink {
  public:
    using Handler = std::function<bool(plat::Message&)>;

    THiddenWindow(plat::WindowKind kind, std::string className, Handler handler);
    ~THiddenWindow();
    THiddenWindow(const THiddenWindow&) = delete;
    THiddenWindow& operator=(const THiddenWindow&) = delete;

    plat::HWND Handle();
    bool HandleAllocated() const { return handle_ != 0; }
    void SetText(const std::string& text);

    bool WndProc(plat::Message& m) override;

  private:
    plat::WindowKind kind_;
    std::string className_;
    std::string text_;
    Handler handler_;
    plat::HWND handle_ = 0;
};
