#include "platform/qt/input_filter.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTextEdit>

namespace qtb {

using plat::WindowKind;

bool InputFilter::eventFilter(QObject* watched, QEvent* event) {
    try {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (!widget) return false;
        if (event->type() == QEvent::FocusIn) {
            Window* w = windows_.Of(widget);
            if (w && w->widget == widget && w->kind != WindowKind::Form)
                Notify(windows_, w->hwnd, plat::ZM_FOCUS);
            return false;
        }
        if (event->type() == QEvent::KeyPress) {
            auto* key = static_cast<QKeyEvent*>(event);
            const auto mods = key->modifiers() & ~Qt::KeypadModifier;
            if (mods != Qt::NoModifier) return false;
            return DialogKey(widget, key->key());
        }
    } catch (...) {
        // Nothing may unwind through Qt's event delivery.
    }
    return false;
}

// As a dialog box takes them: Enter goes to the form with the control that has the
// focus, and the GUI library presses that control when it is a push button, or else
// the form's default button; Escape closes a dialog. Keys for a control that wants
// them itself (a multi-line text) are left to it.
bool InputFilter::DialogKey(QWidget* target, int key) {
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    if (!enter && key != Qt::Key_Escape) return false;
    Window* form = windows_.FormOf(target);
    if (!form || QApplication::activePopupWidget()) return false;
    if (qobject_cast<QTextEdit*>(target) && !static_cast<QTextEdit*>(target)->isReadOnly())
        return false;
    if (!enter) {
        if (form->border != plat::BorderStyle::Dialog) return false;
        Notify(windows_, form->hwnd, plat::ZM_CLOSE);
        return true;
    }
    Window* focused = windows_.Of(target);
    const plat::HWND control = focused && focused->widget == target ? focused->hwnd : 0;
    Notify(windows_, form->hwnd, plat::ZM_DEFAULT, 0, static_cast<plat::LPARAM>(control));
    return true;
}

QEvent::Type PostedMessage::Kind() {
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

bool Poster::event(QEvent* event) {
    if (event->type() != PostedMessage::Kind()) return QObject::event(event);
    auto* posted = static_cast<PostedMessage*>(event);
    Notify(windows_, posted->hwnd, posted->m);
    return true;
}

}  // namespace qtb
