#include "platform/qt/listview.h"

#include <QHeaderView>

namespace qtb {

namespace {

constexpr char kAlignments[] = "zelvoraAlignments";  // a right-aligned column's number

}  // namespace

QTreeWidget* MakeListView(const plat::WindowSpec& spec, QWidget* parent) {
    auto* view = new QTreeWidget(parent);
    view->setRootIsDecorated(false);
    view->setUniformRowHeights(true);
    view->setItemsExpandable(false);
    view->setAllColumnsShowFocus(true);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setColumnCount(static_cast<int>(spec.columns.size()));
    QStringList captions;
    QList<QVariant> right;
    for (std::size_t i = 0; i < spec.columns.size(); ++i) {
        captions << QString::fromStdString(spec.columns[i].caption);
        right << (spec.columns[i].alignment == plat::Align::Right);
    }
    view->setHeaderLabels(captions);
    view->setProperty(kAlignments, right);
    for (std::size_t i = 0; i < spec.columns.size(); ++i) {
        view->setColumnWidth(static_cast<int>(i), spec.columns[i].width);
        if (right[static_cast<int>(i)].toBool())
            view->headerItem()->setTextAlignment(static_cast<int>(i), Qt::AlignRight);
    }
    view->header()->setStretchLastSection(false);
    view->header()->setSectionsMovable(false);
    return view;
}

void ListViewInsert(QTreeWidget* view, int index, const std::string& row) {
    const QStringList cells = QString::fromStdString(row).split('\t');
    auto* item = new QTreeWidgetItem(cells);
    const QList<QVariant> right = view->property(kAlignments).toList();
    for (int i = 0; i < cells.size() && i < right.size(); ++i)
        if (right[i].toBool()) item->setTextAlignment(i, Qt::AlignRight | Qt::AlignVCenter);
    const int count = view->topLevelItemCount();
    view->insertTopLevelItem(index < 0 || index > count ? count : index, item);
}

void ListViewSelect(QTreeWidget* view, int index) {
    QTreeWidgetItem* item = index >= 0 ? view->topLevelItem(index) : nullptr;
    if (!item) {
        view->clearSelection();
        view->setCurrentItem(nullptr, 0, QItemSelectionModel::NoUpdate);
        return;
    }
    view->setCurrentItem(item, 0, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    view->scrollToItem(item);
}

int ListViewSelection(const QTreeWidget* view) {
    const auto items = view->selectedItems();
    return items.isEmpty() ? -1 : view->indexOfTopLevelItem(items.first());
}

}  // namespace qtb
