// The list view of the Linux backend (WindowKind::ListView): a QTreeWidget of top-level
// rows under a header, the seam's list texts split at tabs into its columns.
#pragma once

#include <QTreeWidget>
#include <string>

#include "platform/windowing.h"

namespace qtb {

QTreeWidget* MakeListView(const plat::WindowSpec& spec, QWidget* parent);
void ListViewInsert(QTreeWidget* view, int index, const std::string& row);
void ListViewSelect(QTreeWidget* view, int index);
// The selected row, -1 for none.
int ListViewSelection(const QTreeWidget* view);

}  // namespace qtb
