// How Windows fonts and the library's glyphs look on this desktop.
#pragma once

#include <QFont>
#include <QIcon>
#include <QString>
#include <string>

#include "platform/windowing.h"

namespace qtb {

// The point sizes are those of a 96 DPI screen; a desktop scale above that is Qt's.
int PixelsOfPoints(double points);
// The desktop's sans font for the Windows sans faces ("MS Sans Serif", Arial...); any
// other face by its own name, which the font configuration maps to a close one.
QString FamilyFor(const std::string& windowsName);
QFont FontFor(const plat::FontSpec& spec);

// The desktop theme's icon for the glyph when it has one, else our own drawing; looked
// up when it is first drawn.
QIcon GlyphIcon(plat::Glyph glyph);

}  // namespace qtb
