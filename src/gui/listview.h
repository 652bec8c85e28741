// A list of rows under column headings, at most one selected: each item of Items is a
// row, its cells separated by tabs. Like the other lists, a selection made by code
// raises nothing.
#pragma once

#include <string>
#include <vector>

#include "gui/listcontrols.h"

struct TListColumn {
    std::string caption;
    int width = 80;
    bool rightAligned = false;  // for numbers
};

class TListView : public TListControl {
  public:
    explicit TListView(TComponent* owner);

    const std::vector<TListColumn>& Columns() const { return columns_; }
    // The columns are fixed once the window exists: set them before.
    void SetColumns(std::vector<TListColumn> columns);

    // A person selected a row (arrow keys, a click): OnClick when it changed.
    void UserSelect(int index);
    bool WndProc(plat::Message& m) override;

  protected:
    void CreateParams(plat::WindowSpec& spec) override;

  private:
    std::vector<TListColumn> columns_;
};
