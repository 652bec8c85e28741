// The message loops, messages sent and posted to windows, and the timers.
#include <QEventLoop>

#include "platform/posix/registry.h"
#include "platform/qt/input_filter.h"
#include "platform/qt/qt_platform.h"
#include "platform/qt/startup_trace.h"

namespace qtb {

void QtPlatform::RunMessageLoop() {
    StartupMark("event loop");
    if (StartupTraced()) QTimer::singleShot(0, [] { StartupMark("event loop runs"); });
    QApplication::exec();
}

// Runs until done() holds; it is asked again after every batch of events.
void QtPlatform::RunModalLoop(HWND, const std::function<bool()>& done) {
    QEventLoop loop;
    while (!done()) loop.processEvents(QEventLoop::WaitForMoreEvents);
}

void QtPlatform::ProcessMessages() {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

LRESULT QtPlatform::SendMessageA(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    Window* w = windows_.Find(window);
    if (!w) return 0;
    // A form asked to close decides as when its close box is pressed.
    if (msg == plat::WM_CLOSE && w->kind == plat::WindowKind::Form) msg = plat::ZM_CLOSE;
    plat::Message m{msg, wParam, lParam, 0};
    Notify(windows_, window, m);
    return m.result;
}

BOOL QtPlatform::PostMessageA(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!windows_.Find(window)) return 0;
    QCoreApplication::postEvent(poster_.get(),
                                new PostedMessage(window, plat::Message{msg, wParam, lParam, 0}));
    return 1;
}

UINT QtPlatform::RegisterWindowMessageA(const std::string& name) {
    return registeredMessages_.Register(name);
}

// A timer set again starts over with its new interval, as SetTimer does.
BOOL QtPlatform::SetTimer(HWND window, UINT id, UINT milliseconds) {
    if (!windows_.Find(window)) return 0;
    auto& timer = timers_[{window, id}];
    if (!timer) {
        timer = std::make_unique<QTimer>();
        WindowTable& windows = windows_;
        QObject::connect(timer.get(), &QTimer::timeout, timer.get(),
                         [&windows, window, id] { Notify(windows, window, plat::ZM_TIMER, id); });
    }
    // Windows' shortest interval; a zero one would spin the loop.
    timer->start(static_cast<int>(std::max<UINT>(milliseconds, 10)));
    return 1;
}

BOOL QtPlatform::KillTimer(HWND window, UINT id) {
    auto it = timers_.find({window, id});
    if (it == timers_.end()) return 0;
    // The timer may be the one whose tick is running now.
    it->second->stop();
    it->second.release()->deleteLater();
    timers_.erase(it);
    return 1;
}

}  // namespace qtb
