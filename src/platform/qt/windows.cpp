// Making widgets from WindowSpecs, and the calls on whole windows.
#include <algorithm>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSlider>
#include <QTextEdit>
#include <QToolButton>

#include "platform/posix/registry.h"
#include "platform/qt/appearance.h"
#include "platform/qt/listview.h"
#include "platform/qt/network.h"
#include "platform/qt/qt_platform.h"
#include "platform/qt/widgets.h"

namespace qtb {

namespace {

using plat::BorderStyle;
using plat::WindowKind;

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

Qt::WindowFlags FormFlags(const plat::WindowSpec& spec) {
    const Qt::WindowFlags caption =
        Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
    switch (spec.border) {
        case BorderStyle::None:
            return Qt::Window | Qt::FramelessWindowHint;
        case BorderStyle::Dialog:  // fixed, and never minimized or maximized
            return Qt::Dialog | caption;
        case BorderStyle::ToolWindow:  // small caption with only the close box
            return Qt::Tool | caption;
        default:
            return Qt::Window | caption |
                   (spec.minimizeBox ? Qt::WindowMinimizeButtonHint : Qt::WindowType(0)) |
                   (spec.maximizeBox ? Qt::WindowMaximizeButtonHint : Qt::WindowType(0));
    }
}

bool FixedSize(BorderStyle border) {
    return border != BorderStyle::Sizeable && border != BorderStyle::None;
}

// Bounds in the layout's pixels, as the widgets have them.
QRect OnScreen(const plat::RECT& b) {
    const int left = ToScreen(b.left), top = ToScreen(b.top);
    return QRect(left, top, ToScreen(b.right) - left, ToScreen(b.bottom) - top);
}

void PlaceForm(QWidget* form, BorderStyle border, const plat::RECT& bounds) {
    const QRect b = OnScreen(bounds);
    form->move(b.left(), b.top());
    if (FixedSize(border))
        form->setFixedSize(b.width(), b.height());
    else
        form->resize(b.width(), b.height());
}

// A form larger than the screen it opens on (a large scale, a small screen) takes
// what the screen has, and comes inside it, so that its caption and buttons can be
// reached; its controls keep their places.
void FitToScreen(QWidget* form, BorderStyle border) {
    QScreen* screen = form->screen();
    if (!screen) return;
    const QRect room = screen->availableGeometry();
    const QSize size = form->size().boundedTo(room.size());
    if (size != form->size()) {
        if (FixedSize(border))
            form->setFixedSize(size);
        else
            form->resize(size);
    }
    const QRect placed(form->pos(), size);
    if (!room.contains(placed))
        form->move(std::clamp(placed.x(), room.left(), room.right() - size.width() + 1),
                   std::clamp(placed.y(), room.top(), room.bottom() - size.height() + 1));
}

QWidget* MakeControl(const plat::WindowSpec& spec, QWidget* parent, WindowTable& windows,
                     HWND hwnd) {
    switch (spec.kind) {
        case WindowKind::Label: {
            auto* label = new QLabel(Q(spec.text), parent);
            label->setTextFormat(Qt::PlainText);
            label->setWordWrap(true);
            const Qt::Alignment h = spec.alignment == plat::Align::Right    ? Qt::AlignRight
                                    : spec.alignment == plat::Align::Center ? Qt::AlignHCenter
                                                                            : Qt::AlignLeft;
            label->setAlignment(h | Qt::AlignTop);
            return label;
        }
        case WindowKind::Edit: {
            auto* edit = new QLineEdit(Q(spec.text), parent);
            edit->setReadOnly(spec.readOnly);
            return edit;
        }
        case WindowKind::Button: {
            auto* button = new QPushButton(Q(spec.text), parent);
            button->setAutoDefault(false);
            button->setDefault(spec.defaultButton);
            return button;
        }
        case WindowKind::GlyphButton: {
            if (spec.flat) {
                auto* tool = new QToolButton(parent);
                tool->setAutoRaise(true);
                tool->setFocusPolicy(Qt::NoFocus);
                tool->setIcon(GlyphIcon(spec.glyph));
                tool->setText(Q(spec.text));
                return tool;
            }
            auto* button = new QPushButton(GlyphIcon(spec.glyph), Q(spec.text), parent);
            button->setAutoDefault(false);
            button->setDefault(spec.defaultButton);
            return button;
        }
        case WindowKind::CheckBox:
            return new QCheckBox(Q(spec.text), parent);
        case WindowKind::ListBox:
            return new ListWidget(windows, hwnd, parent, spec.itemHeight);
        case WindowKind::ComboList:
            return new QComboBox(parent);
        case WindowKind::TrackBar: {
            auto* slider = new QSlider(Qt::Horizontal, parent);
            slider->setRange(spec.rangeMin, spec.rangeMax);
            slider->setTickInterval(spec.frequency);
            slider->setTickPosition(spec.ticksBelow ? QSlider::TicksBelow : QSlider::TicksAbove);
            slider->setPageStep(std::max(1, (spec.rangeMax - spec.rangeMin) / 5));
            return slider;
        }
        case WindowKind::RichEdit: {
            auto* text = new QTextEdit(parent);
            text->setReadOnly(true);
            text->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
            return text;
        }
        case WindowKind::TabControl:
            return new TabsWidget(parent);
        case WindowKind::Panel:
            return new QWidget(parent);
        case WindowKind::ListView:
            return MakeListView(spec, parent);
        default:
            return nullptr;
    }
}

void SetFocusable(QWidget* widget, const plat::WindowSpec& spec) {
    switch (spec.kind) {
        case WindowKind::Label:
        case WindowKind::Panel:
            widget->setFocusPolicy(Qt::NoFocus);
            break;
        case WindowKind::GlyphButton:
            if (spec.flat) break;
            [[fallthrough]];
        default:
            // A control out of the tab order still takes the focus from the mouse.
            if (!spec.tabStop && widget->focusPolicy() != Qt::NoFocus)
                widget->setFocusPolicy(Qt::ClickFocus);
            break;
    }
}

// A label's access key ("&Name:") leads to the control made just after it, as the
// dialog manager of Windows has it.
void LeadLabelTo(WindowTable& windows, const Window& control) {
    Window* before = windows.Find(control.hwnd - 1);
    auto* label = before ? qobject_cast<QLabel*>(before->widget.data()) : nullptr;
    if (!label || !control.widget || control.kind == WindowKind::Label ||
        label->parentWidget() != control.widget->parentWidget() ||
        !QString(label->text()).remove("&&").contains('&'))
        return;
    label->setBuddy(control.widget);
}

}  // namespace

HWND QtPlatform::CreateWindowA(const plat::WindowSpec& spec) {
    auto w = std::make_unique<Window>();
    w->hwnd = windows_.NextHandle();
    w->kind = spec.kind;
    w->sink = spec.sink;
    w->className = spec.className;
    w->text = spec.text;
    w->border = spec.border;
    w->flat = spec.flat;
    w->control.SetPosition(spec.rangeMin);
    w->control.Hush();  // what creation itself gives is not the user's doing
    if (spec.kind == WindowKind::Form) {
        auto* form = new FormWidget(windows_, w->hwnd, FormFlags(spec));
        form->setWindowTitle(Q(spec.text));
        form->setWindowRole(Q(spec.className));
        form->setEnabled(spec.enabled);
        PlaceForm(form, spec.border, spec.bounds);
        w->widget = form;
    } else if (spec.kind != WindowKind::Utility) {
        Window* parent = windows_.Find(spec.parent);
        QWidget* host = nullptr;
        if (parent && parent->widget) {
            auto* form = dynamic_cast<FormWidget*>(parent->widget.data());
            host = form ? form->Client() : parent->widget.data();
        }
        if (!host) return 0;
        QWidget* control = MakeControl(spec, host, windows_, w->hwnd);
        if (!control) return 0;
        control->setGeometry(OnScreen(spec.bounds));
        control->setEnabled(spec.enabled);
        SetFocusable(control, spec);
        control->setVisible(spec.visible);
        w->widget = control;
    }
    Window& added = windows_.Add(std::move(w));
    LeadLabelTo(windows_, added);
    ConnectControl(added);
    added.control.Unhush();
    return added.hwnd;
}

BOOL QtPlatform::DestroyWindow(HWND window) {
    Window* w = windows_.Find(window);
    if (!w) return 0;
    if (network_) network_->CloseAllOf(window);  // nothing it waited for comes any more
    std::erase_if(timers_, [window](const auto& t) { return t.first.first == window; });
    QPointer<QWidget> widget = w->widget;
    windows_.Remove(window);
    if (widget) {
        // Later, not now: the widget may be in the middle of telling us something.
        widget->hide();
        widget->setProperty(kHandleProperty, QVariant());
        widget->deleteLater();
    }
    return 1;
}

// Windows of this program by their class: the widgets carry no class another program
// could look up, so the program's own windows are all there is to find.
HWND QtPlatform::FindWindowA(const char* className, const char* title) {
    for (const auto& [hwnd, w] : windows_.All()) {
        if (w->kind != WindowKind::Form && w->kind != WindowKind::Utility) continue;
        if (className && !plat::posix::EqualsIgnoreCase(w->className, className)) continue;
        const std::string text = w->widget ? w->widget->windowTitle().toStdString() : w->text;
        if (title && text != title) continue;
        return hwnd;
    }
    return 0;
}

// A modal form belongs to the window that was active when it opened: the desktop keeps
// it above that one, centres it there and gives it no taskbar entry of its own, and
// Qt keeps input from that one while it shows (modality is taken when a window shows).
// One opened from the tray belongs to none. The program's own windows stay their own.
void QtPlatform::SetModal(HWND window, bool modal) {
    Window* w = windows_.Find(window);
    if (!w || !w->widget || !w->widget->isWindow() || w->widget->isVisible()) return;
    QWidget* form = w->widget;
    QWidget* owner = modal ? QApplication::activeWindow() : nullptr;
    if (owner == form || (owner && !owner->windowHandle())) owner = nullptr;
    form->setWindowModality(owner ? Qt::WindowModal : Qt::NonModal);
    SetOwner(*form, owner);
}

BOOL QtPlatform::ShowWindow(HWND window, int showCmd) {
    Window* w = windows_.Find(window);
    if (!w || !w->widget) return 0;
    const bool wasVisible = w->widget->isVisible();
    Quiet quiet(w);
    QWidget* widget = w->widget;
    switch (showCmd) {
        case plat::SW_HIDE:
            widget->hide();
            break;
        case plat::SW_SHOWMINIMIZED:
        case plat::SW_MINIMIZE:
        case plat::SW_SHOWMINNOACTIVE:
            widget->showMinimized();
            break;
        case plat::SW_SHOWMAXIMIZED:
            widget->showMaximized();
            break;
        case plat::SW_RESTORE:
        case plat::SW_SHOWNORMAL:
            if (widget->isWindow()) FitToScreen(widget, w->border);
            widget->isWindow() ? widget->showNormal() : widget->show();
            break;
        default:
            if (widget->isWindow()) FitToScreen(widget, w->border);
            widget->show();
            break;
    }
    return wasVisible ? 1 : 0;
}

BOOL QtPlatform::SetForegroundWindow(HWND window) {
    Window* w = windows_.Find(window);
    if (!w || !w->widget) return w ? 1 : 0;
    w->widget->window()->raise();
    w->widget->window()->activateWindow();
    return 1;
}

BOOL QtPlatform::BringWindowToTop(HWND window) {
    Window* w = windows_.Find(window);
    if (!w) return 0;
    if (w->widget) w->widget->window()->raise();
    return 1;
}

BOOL QtPlatform::EnableWindow(HWND window, BOOL enable) {
    Window* w = windows_.Find(window);
    if (!w) return 0;
    const bool wasDisabled = w->widget && !w->widget->isEnabled();
    if (w->widget) w->widget->setEnabled(enable != 0);
    return wasDisabled ? 1 : 0;
}

HWND QtPlatform::SetFocus(HWND window) {
    Window* before = windows_.Of(QApplication::focusWidget());
    const HWND previous = before ? before->hwnd : 0;
    Window* w = windows_.Find(window);
    if (w && w->widget) w->widget->setFocus(Qt::OtherFocusReason);
    return previous;
}

BOOL QtPlatform::SetWindowTextA(HWND window, const std::string& text) {
    Window* w = windows_.Find(window);
    if (!w) return 0;
    w->text = text;
    Quiet quiet(w);
    QWidget* widget = w->widget;
    if (!widget) return 1;
    if (widget->isWindow()) {
        widget->setWindowTitle(Q(text));
    } else if (auto* label = qobject_cast<QLabel*>(widget)) {
        label->setText(Q(text));
        FitLabel(w->widget.data());
    } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        edit->setText(Q(text));
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        button->setText(Q(text));
    } else if (auto* rich = qobject_cast<QTextEdit*>(widget)) {
        rich->setPlainText(Q(text));
    }
    return 1;
}

BOOL QtPlatform::MoveWindow(HWND window, const plat::RECT& bounds) {
    Window* w = windows_.Find(window);
    if (!w || !w->widget) return w ? 1 : 0;
    Quiet quiet(w);
    if (w->widget->isWindow())
        PlaceForm(w->widget, w->border, bounds);
    else
        w->widget->setGeometry(OnScreen(bounds));
    FitLabel(w->widget.data());
    return 1;
}

// The window manager draws the frame and caption outside the widget; only the menu bar
// is part of it.
plat::POINT QtPlatform::FrameSize(plat::BorderStyle, bool hasMenu) {
    return {0, hasMenu ? FromScreen(FormWidget::MenuBarHeight()) : 0};
}

void QtPlatform::SetFont(HWND window, const plat::FontSpec& font) {
    Window* w = windows_.Find(window);
    if (!w || !w->widget) return;
    w->widget->setFont(FontFor(font));
    FitLabel(w->widget.data());
}

void QtPlatform::SetHint(HWND window, const std::string& hint) {
    Window* w = windows_.Find(window);
    if (w && w->widget) w->widget->setToolTip(PlainTip(Q(hint)));
}

HWND QtPlatform::SetCapture(HWND window) {
    HWND previous = 0;
    for (const auto& [hwnd, w] : windows_.All())
        if (w->guiCapture) previous = hwnd, w->guiCapture = false;
    // The widget under a pressed button gets the mouse until it is released anyway.
    if (Window* w = windows_.Find(window)) w->guiCapture = true;
    return previous;
}

BOOL QtPlatform::ReleaseCapture() {
    for (const auto& [hwnd, w] : windows_.All()) w->guiCapture = false;
    return 1;
}

void QtPlatform::SetDragCursor(bool dragging, bool accepted) {
    if (!dragging) {
        if (dragCursor_) QApplication::restoreOverrideCursor();
        dragCursor_ = false;
        return;
    }
    const QCursor shape(accepted ? Qt::DragMoveCursor : Qt::ForbiddenCursor);
    if (dragCursor_)
        QApplication::changeOverrideCursor(shape);
    else
        QApplication::setOverrideCursor(shape);
    dragCursor_ = true;
}

}  // namespace qtb
