// Keyboard and mouse vocabulary of events and menus: shift states, the mouse-move
// event and menu shortcuts (a virtual key with modifier bits in one word).
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>

#include "gui/component.h"

enum TShiftStateElement { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };

// A set of TShiftStateElement.
class TShiftState {
  public:
    TShiftState() = default;
    TShiftState(std::initializer_list<TShiftStateElement> elements) {
        for (auto e : elements) Include(e);
    }
    bool Contains(TShiftStateElement e) const { return (bits_ >> e) & 1u; }
    void Include(TShiftStateElement e) { bits_ |= 1u << e; }
    void Exclude(TShiftStateElement e) { bits_ &= ~(1u << e); }
    bool Empty() const { return bits_ == 0; }
    bool operator==(const TShiftState&) const = default;

  private:
    unsigned bits_ = 0;
};

// Sender, shift state and a point (client or screen coordinates, as the event says).
using TMouseMoveEvent = std::function<void(TObject* sender, TShiftState shift, int x, int y)>;

using TShortCut = std::uint16_t;
inline constexpr TShortCut scShift = 0x2000;
inline constexpr TShortCut scCtrl = 0x4000;
inline constexpr TShortCut scAlt = 0x8000;
inline constexpr TShortCut scNone = 0;

// The key with the shift, ctrl and alt bits of shift.
TShortCut ShortCut(std::uint16_t key, TShiftState shift = {});
// "F1", "Ctrl+S", "Shift+Alt+Del"; "" for none.
std::string ShortCutToText(TShortCut shortCut);
