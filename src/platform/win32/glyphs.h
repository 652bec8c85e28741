// Painting of the owner-drawn glyph buttons.
#pragma once

#include "platform/win32/window_table.h"

namespace w32 {

// Draws the button's face, its glyph and its caption as WM_DRAWITEM asks.
void PaintGlyphButton(const DRAWITEMSTRUCT& item, const WindowInfo& button);

}  // namespace w32
