// The list view (report view, one row selected at most) behind WindowKind::ListView:
// rows are the seam's list texts, their cells split at tabs.
#pragma once

#include <string>

#include "platform/win32/win.h"
#include "platform/windowing.h"

namespace w32 {

struct WindowInfo;

void InitListView(HWND hwnd, const plat::WindowSpec& spec);
bool IsListView(HWND hwnd);
void ListViewInsert(HWND hwnd, int index, const std::string& row);
void ListViewDelete(HWND hwnd, int index);
void ListViewClear(HWND hwnd);
void ListViewSelect(HWND hwnd, int index);
int ListViewTopIndex(HWND hwnd);
// A change of the selected row that a person made, as ZM_SELECT.
void ListViewNotified(WindowInfo& w, const NMHDR& hdr);

}  // namespace w32
