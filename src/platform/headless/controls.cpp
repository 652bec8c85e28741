// Control contents: what the GUI library pushes into list boxes, check boxes, track
// bars and the rest, kept in the window records for tests to read.
#include <algorithm>

#include "platform/headless/state.h"

namespace plat::headless {

void HeadlessPlatform::ListInsert(HWND list, int index, const std::string& text) {
    Record(log, "ListInsert", list, index, text);
    auto* w = state_->Find(list);
    if (!w || index < -1) return;
    auto& items = w->items;
    if (index == -1 || index >= static_cast<int>(items.size())) {
        items.push_back(text);
        return;
    }
    items.insert(items.begin() + index, text);
    if (w->selection >= index) ++w->selection;  // the selected item moves down with it
}

void HeadlessPlatform::ListDelete(HWND list, int index) {
    Record(log, "ListDelete", list, index);
    auto* w = state_->Find(list);
    if (!w || index < 0 || index >= static_cast<int>(w->items.size())) return;
    w->items.erase(w->items.begin() + index);
    // Deleting the selected item leaves nothing selected; one above it shifts it up.
    if (w->selection == index)
        w->selection = -1;
    else if (w->selection > index)
        --w->selection;
}

void HeadlessPlatform::ListClear(HWND list) {
    Record(log, "ListClear", list);
    if (auto* w = state_->Find(list)) {
        w->items.clear();
        w->selection = -1;
    }
}

void HeadlessPlatform::ListSetSelection(HWND list, int index) {
    Record(log, "ListSetSelection", list, index);
    if (auto* w = state_->Find(list))
        w->selection = index >= 0 && index < static_cast<int>(w->items.size()) ? index : -1;
}

int HeadlessPlatform::ListGetTopIndex(HWND list) {
    Record(log, "ListGetTopIndex", list);
    return 0;  // nothing scrolls without a screen
}

void HeadlessPlatform::CheckSet(HWND checkBox, bool checked) {
    Record(log, "CheckSet", checkBox, checked);
    if (auto* w = state_->Find(checkBox)) w->checked = checked;
}

void HeadlessPlatform::TrackSetRange(HWND trackBar, int min, int max) {
    Record(log, "TrackSetRange", trackBar, min, max);
    if (auto* w = state_->Find(trackBar)) {
        w->spec.rangeMin = min;
        w->spec.rangeMax = max;
        w->position = std::clamp(w->position, min, std::max(min, max));
    }
}

void HeadlessPlatform::TrackSetPosition(HWND trackBar, int position) {
    Record(log, "TrackSetPosition", trackBar, position);
    // A track bar keeps its position inside its range, as the common control does.
    if (auto* w = state_->Find(trackBar))
        w->position =
            std::clamp(position, w->spec.rangeMin, std::max(w->spec.rangeMin, w->spec.rangeMax));
}

void HeadlessPlatform::TrackSetFrequency(HWND trackBar, int frequency) {
    Record(log, "TrackSetFrequency", trackBar, frequency);
    if (auto* w = state_->Find(trackBar)) w->spec.frequency = frequency;
}

bool HeadlessPlatform::RichSetText(HWND richEdit, const std::string& text, bool asRichText) {
    Record(log, "RichSetText", richEdit, text.size(), asRichText);
    auto* w = state_->Find(richEdit);
    if (!w) return false;
    // The rich-edit control takes rich text only when it starts with its header.
    if (asRichText && !text.starts_with("{\\rtf")) return false;
    w->text = text;
    return true;
}

void HeadlessPlatform::TabAdd(HWND tabs, const std::string& caption) {
    Record(log, "TabAdd", tabs, caption);
    if (auto* w = state_->Find(tabs)) w->items.push_back(caption);
}

void HeadlessPlatform::ButtonSetDefault(HWND button, bool isDefault) {
    Record(log, "ButtonSetDefault", button, isDefault);
    if (auto* w = state_->Find(button)) w->spec.defaultButton = isDefault;
}

}  // namespace plat::headless
