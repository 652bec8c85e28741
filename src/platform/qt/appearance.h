// How Windows fonts and the library's glyphs look on this desktop.
#pragma once

#include <QFont>
#include <QIcon>
#include <QString>
#include <string>

#include "platform/windowing.h"

namespace qtb {

// The layouts are in the pixels of a 96 DPI screen with a 9 point desktop font; they
// grow with the user's font (its size and the font DPI) so that text keeps its room.
// A screen's scale (QT_SCALE_FACTOR, a HiDPI screen) is Qt's, on top of this.
double LayoutScale();
int ToScreen(int layout);    // a layout length in the widgets' pixels
int FromScreen(int screen);  // and back
// The desktop's sans font for the Windows sans faces ("MS Sans Serif", Arial...); any
// other face by its own name, which the font configuration maps to a close one.
QString FamilyFor(const std::string& windowsName);
QFont FontFor(const plat::FontSpec& spec);

// The desktop theme's icon for the glyph when it has one, else our own drawing; looked
// up when it is first drawn.
QIcon GlyphIcon(plat::Glyph glyph);

}  // namespace qtb
