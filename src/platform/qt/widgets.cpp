#include "platform/qt/widgets.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionTabWidgetFrame>
#include <QStyledItemDelegate>
#include <QTextDocument>
#include <QWindow>

#include "platform/qt/appearance.h"

namespace qtb {

QString PlainTip(const QString& text) {
    return Qt::mightBeRichText(text) ? Qt::convertFromPlainText(text, Qt::WhiteSpaceNormal)
                                     : text;
}


namespace {

// Rows of the height the library lays the list out with.
class RowHeight final : public QStyledItemDelegate {
  public:
    RowHeight(int height, QObject* parent) : QStyledItemDelegate(parent), height_(height) {}
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return {QStyledItemDelegate::sizeHint(option, index).width(), height_};
    }

  private:
    int height_;
};

// The tab control's tabs take this much of its height in the layout; the library
// places its pages below them.
int TabHeight() {
    return ToScreen(24);
}

// A control on the label's row that the grown label now reaches gives way: its left edge
// moves right, its right edge stays, so long as it keeps half its width.
void MakeRoom(QWidget* label, const QRect& before, const QRect& after) {
    const int left = after.right() + 1 + ToScreen(3);
    for (QObject* child : label->parentWidget()->children()) {
        auto* control = qobject_cast<QWidget*>(child);
        if (!control || control == label || qobject_cast<QLabel*>(control) ||
            !control->isVisibleTo(label->window()))
            continue;
        QRect g = control->geometry();
        const bool sameRow = g.top() <= after.bottom() && g.bottom() >= after.top();
        if (!sameRow || g.left() <= before.left() || g.left() >= left) continue;
        if (g.right() - left < g.width() / 2) continue;
        g.setLeft(left);
        control->setGeometry(g);
    }
}

}  // namespace

// Measuring text loads the font configuration and the fonts: a window made at start-up
// and not shown waits with it until it is shown.
void FitLabel(QWidget* label) {
    if (!label || !label->parentWidget() || !label->window()->isVisible()) return;
    const QFontMetrics metrics(label->font());
    const auto* text = qobject_cast<QLabel*>(label);
    const auto* box = qobject_cast<QCheckBox*>(label);
    if (!text && !box) return;
    const int needed =
        text ? metrics.horizontalAdvance(text->text()) + 1 : label->sizeHint().width();
    if (label->height() >= 2 * metrics.lineSpacing() || needed <= label->width()) return;
    const Qt::Alignment alignment = text ? text->alignment() : Qt::AlignLeft;
    const int room = label->parentWidget()->width();
    const int width = std::min(needed, room);
    QRect r = label->geometry();
    if (alignment & Qt::AlignRight)
        r.setLeft(r.right() + 1 - width);
    else if (alignment & Qt::AlignHCenter)
        r.setLeft(r.left() - (width - r.width()) / 2);
    r.setWidth(width);
    r.moveLeft(std::clamp(r.left(), 0, std::max(0, room - width)));
    const QRect before = label->geometry();
    label->setGeometry(r);
    MakeRoom(label, before, r);
}

void SetOwner(QWidget& window, QWidget* owner) {
    window.winId();  // makes its window
    QWindow* parent = owner ? owner->windowHandle() : nullptr;
    if (QWindow* handle = window.windowHandle()) handle->setTransientParent(parent);
}

// ---- FormWidget --------------------------------------------------------------------------

FormWidget::FormWidget(WindowTable& windows, plat::HWND hwnd, Qt::WindowFlags flags)
    : QWidget(nullptr, flags), windows_(windows), hwnd_(hwnd), client_(new QWidget(this)) {
    Arrange();
}

QMenuBar* FormWidget::MenuBar() {
    if (!menuBar_) {
        menuBar_ = new QMenuBar(this);
        menuBar_->setNativeMenuBar(false);
        menuBar_->show();
        Arrange();
    }
    return menuBar_;
}

void FormWidget::RemoveMenuBar() {
    delete menuBar_;
    menuBar_ = nullptr;
    Arrange();
}

// One row of menus at the program's font, measured once per font: the desktop's font
// can change while the program runs.
int FormWidget::MenuBarHeight() {
    static QFont measured;
    static int height = -1;
    const QFont font = QApplication::font();
    if (height < 0 || font != measured) {
        QMenuBar bar;
        bar.addMenu("&File");
        measured = font;
        height = bar.sizeHint().height();
    }
    return height;
}

void FormWidget::Arrange() {
    const int top = menuBar_ ? MenuBarHeight() : 0;
    if (menuBar_) menuBar_->setGeometry(0, 0, width(), top);
    client_->setGeometry(0, top, width(), height() - top);
}

// The library decides what closing means; the window itself never closes here.
void FormWidget::closeEvent(QCloseEvent* event) {
    event->ignore();
    Notify(windows_, hwnd_, plat::ZM_CLOSE);
}

void FormWidget::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    Window* w = windows_.Find(hwnd_);
    if (!w || w->control.Quiet() || !isVisible()) return;
    const QPoint at = frameGeometry().topLeft();
    Notify(windows_, hwnd_, plat::ZM_MOVED, 0,
           plat::MakePoint(FromScreen(at.x()), FromScreen(at.y())));
}

void FormWidget::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    for (QLabel* label : client_->findChildren<QLabel*>()) FitLabel(label);
    for (QCheckBox* box : client_->findChildren<QCheckBox*>()) FitLabel(box);
}

void FormWidget::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Arrange();
}

// ---- ListWidget --------------------------------------------------------------------------

ListWidget::ListWidget(WindowTable& windows, plat::HWND hwnd, QWidget* parent, int itemHeight)
    : QListWidget(parent), windows_(windows), hwnd_(hwnd) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setItemDelegate(new RowHeight(itemHeight > 0 ? ToScreen(itemHeight) : itemHeight, this));
}

void ListWidget::Report(plat::UINT msg, const QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    Notify(windows_, hwnd_, msg, 0, plat::MakePoint(FromScreen(p.x()), FromScreen(p.y())));
}

// The row under the mouse is selected, and reported, before the press itself.
void ListWidget::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QListWidget::mousePressEvent(event);
    if (Window* w = windows_.Find(hwnd_)) w->control.ForgetSelection();
    pressAt_ = event->position();
    QListWidget::mousePressEvent(event);
    Report(plat::ZM_MOUSEDOWN, event);
}

void ListWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    mousePressEvent(event);
}

// While the library drags an item, the list must not drag its selection along.
void ListWidget::mouseMoveEvent(QMouseEvent* event) {
    Window* w = windows_.Find(hwnd_);
    if (!w || !w->guiCapture) QListWidget::mouseMoveEvent(event);
    Report(plat::ZM_MOUSEMOVE, event);
}

// After the library's drag the press ends, for the list, where it began: a release on
// another row would select that row (a press on the selected row selects on release).
void ListWidget::mouseReleaseEvent(QMouseEvent* event) {
    Window* w = windows_.Find(hwnd_);
    if (w && w->guiCapture && event->button() == Qt::LeftButton) {
        QMouseEvent atPress(event->type(), pressAt_, mapToGlobal(pressAt_.toPoint()),
                            event->button(), event->buttons(), event->modifiers());
        QListWidget::mouseReleaseEvent(&atPress);
    } else {
        QListWidget::mouseReleaseEvent(event);
    }
    if (event->button() == Qt::LeftButton) Report(plat::ZM_MOUSEUP, event);
}

// ---- TabsWidget --------------------------------------------------------------------------

TabsWidget::TabsWidget(QWidget* parent) : QWidget(parent), bar_(new QTabBar(this)) {
    bar_->setDrawBase(false);
    bar_->setExpanding(false);
    bar_->setFocusPolicy(Qt::TabFocus);
}

void TabsWidget::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    bar_->setGeometry(0, 0, width(), TabHeight());
}

// The frame of a tab widget around the pages' area, joined to the tabs.
void TabsWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QStyleOptionTabWidgetFrame option;
    option.initFrom(this);
    const int overlap = style()->pixelMetric(QStyle::PM_TabBarBaseOverlap, nullptr, this);
    const int tabs = TabHeight();
    option.rect = QRect(0, tabs - overlap, width(), height() - tabs + overlap);
    option.shape = QTabBar::RoundedNorth;
    option.tabBarSize = bar_->sizeHint();
    option.tabBarRect = QRect(0, 0, bar_->sizeHint().width(), tabs);
    option.lineWidth = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
    style()->drawPrimitive(QStyle::PE_FrameTabWidget, &option, &painter, this);
}

}  // namespace qtb
