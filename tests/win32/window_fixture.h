// Real windows under Wine, heard through recording sinks. The tests send real
// messages to the real controls and check which ZM_ messages reach the sinks.
#pragma once

#include <string>
#include <vector>

#include "shared/recorder.h"
#include "support/platform_fixture.h"

// Native values the tests send; this side of the seam has no <windows.h>.
namespace native {
inline constexpr plat::UINT WM_KEYDOWN = 0x0100, WM_CHAR = 0x0102, WM_COMMAND = 0x0111,
                            WM_QUIT = 0x0012, BM_CLICK = 0x00F5, EM_SETSEL = 0x00B1,
                            LB_GETITEMRECT = 0x0198, TBM_GETPOS = 0x0400, TCM_GETITEMCOUNT = 0x1304,
                            MK_LBUTTON = 0x0001, VK_RIGHT = 0x27, VK_DOWN = 0x28;
// The backend numbers menu items from here, in the order the menu lists them.
inline constexpr plat::UINT kFirstMenuId = 0x100;
}  // namespace native

class WindowTest : public PlatformTest {
  protected:
    void TearDown() override;

    plat::HWND MakeForm(Recorder& sink, plat::BorderStyle border = plat::BorderStyle::Dialog);
    plat::HWND MakeUtility(Recorder& sink, const std::string& className);
    plat::HWND Add(plat::HWND parent, plat::WindowSpec spec, Recorder& sink);
    // Handles what is waiting, a few times over, for the effects of posted messages.
    void Pump(int rounds = 5);
    void Click(plat::HWND control) { platform().SendMessageA(control, native::BM_CLICK, 0, 0); }

    static plat::WindowSpec Spec(plat::WindowKind kind, const std::string& text, plat::RECT at);

  private:
    std::vector<plat::HWND> topLevel_;
};
