// The contents of controls, and the signals through which a person's doing reaches
// the library as ZM_ messages. A change made here by the backend is quiet: Qt tells of
// it through the same signals, and it is not the user's doing.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTextEdit>
#include <QToolButton>

#include "platform/qt/appearance.h"
#include "platform/qt/listview.h"
#include "platform/qt/qt_platform.h"
#include "platform/qt/rtf_reader.h"
#include "platform/qt/widgets.h"

namespace qtb {

namespace {

using plat::WindowKind;

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

int SelectedRow(const QListWidget* list) {
    const auto rows = list->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

// A list box may tell of a click twice (selection and current row); one ZM_SELECT per
// change is what a person did.
void ReportListSelection(WindowTable& windows, HWND hwnd) {
    Window* w = windows.Find(hwnd);
    auto* list = w ? qobject_cast<QListWidget*>(w->widget.data()) : nullptr;
    if (!list || w->control.Quiet()) return;
    const int row = SelectedRow(list);
    if (!w->control.TakeSelection(row)) return;
    Notify(windows, hwnd, plat::ZM_SELECT, static_cast<WPARAM>(row));
}

void ReportViewSelection(WindowTable& windows, HWND hwnd) {
    Window* w = windows.Find(hwnd);
    auto* view = w ? qobject_cast<QTreeWidget*>(w->widget.data()) : nullptr;
    if (!view || w->control.Quiet()) return;
    const int row = ListViewSelection(view);
    if (!w->control.TakeSelection(row)) return;
    Notify(windows, hwnd, plat::ZM_SELECT, static_cast<WPARAM>(row));
}

void ReportPosition(WindowTable& windows, HWND hwnd, int position) {
    Window* w = windows.Find(hwnd);
    if (!w || !w->control.TakePosition(position)) return;
    Notify(windows, hwnd, plat::ZM_SCROLL, static_cast<WPARAM>(position));
}

template <class T>
T* As(WindowTable& windows, HWND hwnd) {
    Window* w = windows.Find(hwnd);
    return w ? dynamic_cast<T*>(w->widget.data()) : nullptr;
}

}  // namespace

void QtPlatform::ConnectControl(Window& w) {
    WindowTable& windows = windows_;
    const HWND h = w.hwnd;
    QWidget* widget = w.widget;
    // Deleted with the window's entry, and so are these connections, and only these.
    QObject* context = w.link.get();
    auto quietOf = [&windows, h] {
        Window* x = windows.Find(h);
        return !x || x->control.Quiet();
    };
    switch (w.kind) {
        case WindowKind::Button:
        case WindowKind::GlyphButton:
            QObject::connect(static_cast<QAbstractButton*>(widget), &QAbstractButton::clicked,
                             context, [&windows, h] { Notify(windows, h, plat::ZM_CLICK); });
            break;
        case WindowKind::CheckBox:
            QObject::connect(static_cast<QCheckBox*>(widget), &QCheckBox::clicked, context,
                             [&windows, h](bool on) { Notify(windows, h, plat::ZM_CHECK, on); });
            break;
        case WindowKind::Edit:
            QObject::connect(static_cast<QLineEdit*>(widget), &QLineEdit::textEdited, context,
                             [&windows, h](const QString& text) {
                                 const std::string typed = text.toStdString();
                                 Notify(windows, h, plat::ZM_TEXT, 0,
                                        reinterpret_cast<LPARAM>(typed.c_str()));
                             });
            break;
        case WindowKind::ListBox:
            QObject::connect(static_cast<QListWidget*>(widget), &QListWidget::itemSelectionChanged,
                             context, [&windows, h] { ReportListSelection(windows, h); });
            break;
        case WindowKind::ListView:
            QObject::connect(static_cast<QTreeWidget*>(widget),
                             &QTreeWidget::itemSelectionChanged, context,
                             [&windows, h] { ReportViewSelection(windows, h); });
            break;
        case WindowKind::ComboList:
            QObject::connect(static_cast<QComboBox*>(widget), &QComboBox::activated, context,
                             [&windows, h, quietOf](int index) {
                                 if (!quietOf())
                                     Notify(windows, h, plat::ZM_SELECT,
                                            static_cast<WPARAM>(index));
                             });
            break;
        case WindowKind::TrackBar:
            QObject::connect(static_cast<QSlider*>(widget), &QSlider::valueChanged, context,
                             [&windows, h](int v) { ReportPosition(windows, h, v); });
            break;
        case WindowKind::TabControl:
            QObject::connect(static_cast<TabsWidget*>(widget)->Bar(), &QTabBar::currentChanged,
                             context, [&windows, h, quietOf](int index) {
                                 if (!quietOf())
                                     Notify(windows, h, plat::ZM_SELECT,
                                            static_cast<WPARAM>(index));
                             });
            break;
        default:
            break;
    }
}

// ---- Lists ----------------------------------------------------------------------------------

void QtPlatform::ListInsert(HWND list, int index, const std::string& text) {
    Window* w = windows_.Find(list);
    Quiet quiet(w);
    if (auto* l = As<QListWidget>(windows_, list)) {
        l->insertItem(index < 0 ? l->count() : index, Q(text));
        w->control.SetSelection(SelectedRow(l));
    } else if (auto* c = As<QComboBox>(windows_, list)) {
        c->insertItem(index < 0 ? c->count() : index, Q(text));
    } else if (auto* v = As<QTreeWidget>(windows_, list)) {
        ListViewInsert(v, index, text);
        w->control.SetSelection(ListViewSelection(v));
    }
}

void QtPlatform::ListDelete(HWND list, int index) {
    Window* w = windows_.Find(list);
    Quiet quiet(w);
    if (auto* l = As<QListWidget>(windows_, list)) {
        delete l->takeItem(index);
        w->control.SetSelection(SelectedRow(l));
    } else if (auto* c = As<QComboBox>(windows_, list)) {
        c->removeItem(index);
    } else if (auto* v = As<QTreeWidget>(windows_, list)) {
        delete v->takeTopLevelItem(index);
        w->control.SetSelection(ListViewSelection(v));
    }
}

void QtPlatform::ListClear(HWND list) {
    Window* w = windows_.Find(list);
    Quiet quiet(w);
    if (auto* l = As<QListWidget>(windows_, list)) {
        l->clear();
        w->control.SetSelection(-1);
    } else if (auto* c = As<QComboBox>(windows_, list)) {
        c->clear();
    } else if (auto* v = As<QTreeWidget>(windows_, list)) {
        v->clear();
        w->control.SetSelection(-1);
    }
}

void QtPlatform::ListSetSelection(HWND list, int index) {
    Window* w = windows_.Find(list);
    Quiet quiet(w);
    if (auto* l = As<QListWidget>(windows_, list)) {
        if (index < 0 || index >= l->count()) {
            l->clearSelection();
            l->setCurrentRow(-1, QItemSelectionModel::NoUpdate);
        } else {
            l->setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
        }
        w->control.SetSelection(SelectedRow(l));
    } else if (auto* c = As<QComboBox>(windows_, list)) {
        c->setCurrentIndex(index < c->count() ? index : -1);
    } else if (auto* v = As<QTreeWidget>(windows_, list)) {
        ListViewSelect(v, index);
        w->control.SetSelection(ListViewSelection(v));
    }
}

int QtPlatform::ListGetTopIndex(HWND list) {
    auto* l = As<QListWidget>(windows_, list);
    if (!l) return 0;
    const QModelIndex top = l->indexAt(QPoint(1, 1));
    return top.isValid() ? top.row() : 0;
}

// ---- Buttons, track bars, rich text, tabs ------------------------------------------------

void QtPlatform::CheckSet(HWND checkBox, bool checked) {
    Quiet quiet(windows_.Find(checkBox));
    if (auto* c = As<QCheckBox>(windows_, checkBox)) c->setChecked(checked);
}

void QtPlatform::TrackSetRange(HWND trackBar, int min, int max) {
    Window* w = windows_.Find(trackBar);
    Quiet quiet(w);
    if (auto* s = As<QSlider>(windows_, trackBar)) {
        s->setRange(min, max);
        s->setPageStep(std::max(1, (max - min) / 5));
        w->control.SetPosition(s->value());  // the range may have moved the thumb
    }
}

void QtPlatform::TrackSetPosition(HWND trackBar, int position) {
    Window* w = windows_.Find(trackBar);
    Quiet quiet(w);
    if (auto* s = As<QSlider>(windows_, trackBar)) {
        s->setValue(position);
        w->control.SetPosition(s->value());
    }
}

void QtPlatform::TrackSetFrequency(HWND trackBar, int frequency) {
    if (auto* s = As<QSlider>(windows_, trackBar)) s->setTickInterval(frequency);
}

bool QtPlatform::RichSetText(HWND richEdit, const std::string& text, bool asRichText) {
    auto* edit = As<QTextEdit>(windows_, richEdit);
    if (!edit) return false;
    Quiet quiet(windows_.Find(richEdit));
    if (!asRichText) {
        edit->setPlainText(Q(text));
        return true;
    }
    const auto html =
        RtfToHtml(text, [](const std::string& face) { return FamilyFor(face).toStdString(); });
    if (!html) return false;
    edit->setHtml(Q(*html));
    return true;
}

void QtPlatform::TabAdd(HWND tabs, const std::string& caption) {
    Quiet quiet(windows_.Find(tabs));
    if (auto* t = As<TabsWidget>(windows_, tabs)) t->Bar()->addTab(Q(caption));
}

// Only the look: Enter reaches the form as ZM_DEFAULT and the library picks the button.
void QtPlatform::ButtonSetDefault(HWND button, bool isDefault) {
    if (auto* b = As<QPushButton>(windows_, button)) b->setDefault(isDefault);
}

}  // namespace qtb
