#include "platform/win32/listview.h"

#include <vector>

#include "platform/win32/window_table.h"

namespace w32 {

namespace {

std::vector<std::string> Cells(const std::string& row) {
    std::vector<std::string> cells;
    std::size_t at = 0;
    for (;;) {
        const std::size_t tab = row.find('\t', at);
        cells.push_back(row.substr(at, tab == std::string::npos ? std::string::npos : tab - at));
        if (tab == std::string::npos) return cells;
        at = tab + 1;
    }
}

void SetState(HWND hwnd, int index, UINT state) {
    LVITEMA item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = state;
    ::SendMessageA(hwnd, LVM_SETITEMSTATE, static_cast<WPARAM>(index),
                   reinterpret_cast<LPARAM>(&item));
}

int SelectedRow(HWND hwnd) {
    return static_cast<int>(
        ::SendMessageA(hwnd, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void Remember(HWND hwnd) {
    if (WindowInfo* w = Find(hwnd)) w->control.SetSelection(SelectedRow(hwnd));
}

}  // namespace

void InitListView(HWND hwnd, const plat::WindowSpec& spec) {
    ::SendMessageA(hwnd, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    int i = 0;
    for (const auto& c : spec.columns) {
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
        column.fmt = c.alignment == plat::Align::Right ? LVCFMT_RIGHT : LVCFMT_LEFT;
        column.cx = c.width;
        column.pszText = const_cast<char*>(c.caption.c_str());
        ::SendMessageA(hwnd, LVM_INSERTCOLUMNA, static_cast<WPARAM>(i++),
                       reinterpret_cast<LPARAM>(&column));
    }
}

bool IsListView(HWND hwnd) {
    WindowInfo* w = Find(hwnd);
    return w && w->kind == plat::WindowKind::ListView;
}

void ListViewInsert(HWND hwnd, int index, const std::string& row) {
    Quiet quiet(hwnd);
    const std::vector<std::string> cells = Cells(row);
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = index < 0 ? INT_MAX : index;
    item.pszText = const_cast<char*>(cells[0].c_str());
    const int at =
        static_cast<int>(::SendMessageA(hwnd, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    for (std::size_t i = 1; i < cells.size(); ++i) {
        LVITEMA cell{};
        cell.iSubItem = static_cast<int>(i);
        cell.pszText = const_cast<char*>(cells[i].c_str());
        ::SendMessageA(hwnd, LVM_SETITEMTEXTA, static_cast<WPARAM>(at),
                       reinterpret_cast<LPARAM>(&cell));
    }
    Remember(hwnd);
}

void ListViewDelete(HWND hwnd, int index) {
    Quiet quiet(hwnd);
    ::SendMessageA(hwnd, LVM_DELETEITEM, static_cast<WPARAM>(index), 0);
    Remember(hwnd);
}

void ListViewClear(HWND hwnd) {
    Quiet quiet(hwnd);
    ::SendMessageA(hwnd, LVM_DELETEALLITEMS, 0, 0);
    Remember(hwnd);
}

void ListViewSelect(HWND hwnd, int index) {
    Quiet quiet(hwnd);
    SetState(hwnd, -1, 0);  // -1: every row
    if (index >= 0) {
        SetState(hwnd, index, LVIS_SELECTED | LVIS_FOCUSED);
        ::SendMessageA(hwnd, LVM_ENSUREVISIBLE, static_cast<WPARAM>(index), FALSE);
    }
    Remember(hwnd);
}

int ListViewTopIndex(HWND hwnd) {
    return static_cast<int>(::SendMessageA(hwnd, LVM_GETTOPINDEX, 0, 0));
}

// Moving the selection tells of the row left and of the row reached: only the state
// after the change counts, once.
void ListViewNotified(WindowInfo& w, const NMHDR& hdr) {
    if (hdr.code != LVN_ITEMCHANGED || w.control.Quiet()) return;
    const auto& change = reinterpret_cast<const NMLISTVIEW&>(hdr);
    if (!(change.uChanged & LVIF_STATE) ||
        ((change.uOldState ^ change.uNewState) & LVIS_SELECTED) == 0)
        return;
    const int sel = SelectedRow(w.hwnd);
    if (!w.control.TakeSelection(sel)) return;
    Notify(w, plat::ZM_SELECT, static_cast<WPARAM>(sel));
}

}  // namespace w32
