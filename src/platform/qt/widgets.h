// The widgets that stand for the GUI library's windows where a plain Qt widget does
// not do: a form with its menu bar above its client area, a list box that reports the
// mouse of a drag, and a tab control whose pages are placed by the library.
#pragma once

#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QTabBar>
#include <QWidget>

#include "platform/qt/window_table.h"

namespace qtb {

// A tooltip's text shown as the text it is: Qt takes a tooltip that starts with a tag
// for rich text, and a station's name or a stream's title could then make it load
// pictures or files. Such a text is escaped into rich text that shows it as it is.
QString PlainTip(const QString& text);

// A one-line label whose text is wider than its box (the desktop's font is wider than
// the one the layout was made for) grows to its text, away from the side it is aligned
// to, as far as its window allows: its text keeps the user's size. A label of a window
// not shown yet is fitted when the window is shown.
// A check box's text grows its box in the same way.
void FitLabel(QWidget* label);
// The window's transient parent: owner's window, none for null or a window not made yet.
void SetOwner(QWidget& window, QWidget* owner);

class FormWidget final : public QWidget {
  public:
    FormWidget(WindowTable& windows, plat::HWND hwnd, Qt::WindowFlags flags);

    // Controls go here, below the menu bar.
    QWidget* Client() const { return client_; }
    // Made on first use; removed when the form has no menu any more.
    QMenuBar* MenuBar();
    void RemoveMenuBar();
    // The height a menu bar takes, measured once.
    static int MenuBarHeight();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void Arrange();

    WindowTable& windows_;
    plat::HWND hwnd_;
    QMenuBar* menuBar_ = nullptr;
    QWidget* client_;
};

class ListWidget final : public QListWidget {
  public:
    ListWidget(WindowTable& windows, plat::HWND hwnd, QWidget* parent, int itemHeight);

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    void Report(plat::UINT msg, const QMouseEvent* event);
    WindowTable& windows_;
    plat::HWND hwnd_;
    QPointF pressAt_;
};

class TabsWidget final : public QWidget {
  public:
    explicit TabsWidget(QWidget* parent);
    QTabBar* Bar() const { return bar_; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    QTabBar* bar_;
};

}  // namespace qtb
