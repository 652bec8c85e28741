// Making a window's controls from a name, a place and a caption, so that a form's
// layout reads as a table of its controls.
#pragma once

#include <string>

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
