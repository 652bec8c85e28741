#include "gui/listview.h"

TListView::TListView(TComponent* owner) : TListControl(owner) {}

void TListView::SetColumns(std::vector<TListColumn> columns) {
    columns_ = std::move(columns);
    RecreateHandle();
}

void TListView::CreateParams(plat::WindowSpec& spec) {
    spec.kind = plat::WindowKind::ListView;
    for (const auto& c : columns_)
        spec.columns.push_back(
            {c.caption, c.width, c.rightAligned ? plat::Align::Right : plat::Align::Left});
}

void TListView::UserSelect(int index) {
    UserSelectIndex(index, OnClick);
}

bool TListView::WndProc(plat::Message& m) {
    if (m.msg == plat::ZM_SELECT) {
        UserSelect(static_cast<int>(static_cast<plat::LPARAM>(m.wParam)));
        return true;
    }
    return TWinControl::WndProc(m);
}
