#include "gui/stringlist.h"

#include "gui/exceptions.h"

void TStringList::CheckIndex(int index, int limit) const {
    if (index < 0 || index > limit) throw EStringListError(ListIndexErrorText(index));
}

const std::string& TStringList::Strings(int index) const {
    CheckIndex(index, Count() - 1);
    return items_[index];
}

void TStringList::SetStrings(int index, const std::string& text) {
    CheckIndex(index, Count() - 1);
    items_[index] = text;
    Changed(TStringsEdit::Put, index);
}

int TStringList::Add(const std::string& text) {
    Insert(Count(), text);
    return Count() - 1;
}

void TStringList::Insert(int index, const std::string& text) {
    CheckIndex(index, Count());
    items_.insert(items_.begin() + index, text);
    Changed(TStringsEdit::Insert, index);
}

void TStringList::Delete(int index) {
    CheckIndex(index, Count() - 1);
    items_.erase(items_.begin() + index);
    Changed(TStringsEdit::Delete, index);
}

void TStringList::Clear() {
    if (items_.empty()) return;
    items_.clear();
    Changed(TStringsEdit::Reset, -1);
}

int TStringList::IndexOf(const std::string& text) const {
    for (int i = 0; i < Count(); ++i)
        if (items_[i] == text) return i;
    return -1;
}

void TStringList::Assign(const TPersistent& source) {
    auto* other = dynamic_cast<const TStringList*>(&source);
    if (!other) return TPersistent::Assign(source);
    if (other == this) return;
    items_ = other->items_;
    Changed(TStringsEdit::Reset, -1);
}

std::string TStringList::Text() const {
    std::string text;
    for (const auto& s : items_) text += s + "\r\n";
    return text;
}

void TStringList::SetText(const std::string& text) {
    items_.clear();
    std::string line;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c != '\r' && c != '\n') {
            line += c;
            continue;
        }
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        items_.push_back(line);
        line.clear();
    }
    if (!line.empty()) items_.push_back(line);
    Changed(TStringsEdit::Reset, -1);
}

void TStringList::Changed(TStringsEdit::Kind kind, int index) {
    if (OnEdit) OnEdit(TStringsEdit{kind, index});
    Fire(OnChange, this);
}
