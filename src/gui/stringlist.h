// An ordered list of strings. Controls that show items keep one and mirror every
// edit in their window through OnEdit; programs watch it through OnChange.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "gui/component.h"

// One edit of a string list, as a control needs to know it to mirror the change.
struct TStringsEdit {
    enum Kind { Insert, Delete, Put, Reset };
    Kind kind = Reset;
    int index = -1;  // Insert, Delete, Put
};

class TStringList : public TPersistent {
  public:
    int Count() const { return static_cast<int>(items_.size()); }
    // Raise EStringListError "List index out of bounds (<index>)" outside 0..Count-1.
    const std::string& Strings(int index) const;
    void SetStrings(int index, const std::string& text);

    int Add(const std::string& text);                 // returns the new item's index
    void Insert(int index, const std::string& text);  // index may be Count
    void Delete(int index);
    void Clear();
    // Index of the first item equal to text (case counts), -1 when none.
    int IndexOf(const std::string& text) const;

    void Assign(const TPersistent& source) override;
    // The items, each followed by CR LF.
    std::string Text() const;
    // Splits at CR LF, LF or CR; a last line without a break is an item too.
    void SetText(const std::string& text);

    const std::vector<std::string>& Items() const { return items_; }

    TNotifyEvent OnChange;
    // For the control that shows the list: told of each edit before OnChange.
    std::function<void(const TStringsEdit&)> OnEdit;

  private:
    void CheckIndex(int index, int limit) const;
    void Changed(TStringsEdit::Kind kind, int index);

    std::vector<std::string> items_;
};
