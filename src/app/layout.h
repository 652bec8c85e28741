// Making a window's controls from a name, a place and a caption, so that a form's
// layout reads as a table of its controls.
#pragma once

#include <string>

#include "gui/buttons.h"
#include "gui/controls.h"

struct Place {
    int left, top, width, height;
};

// A control owned by the form and shown on it.
template <class T>
T* MakeControl(TWinControl* form, const char* name, Place p, const std::string& caption = {}) {
    auto* control = new T(form);
    control->SetName(name);
    control->SetParent(form);
    control->SetBounds(p.left, p.top, p.width, p.height);
    if (!caption.empty()) control->SetCaption(caption);
    return control;
}

// A flat tool button with a glyph and a tip that says what it does.
inline TSpeedButton* MakeToolButton(TWinControl* form, const char* name, Place p, TGlyph glyph,
                                    const char* hint) {
    auto* button = MakeControl<TSpeedButton>(form, name, p);
    button->SetGlyph(glyph);
    button->SetHint(hint);
    button->SetShowHint(true);
    return button;
}
