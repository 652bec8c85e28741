// The tray icon's message window: what the shell reports of the mouse becomes a
// click, a double click, a mouse move or the popup menu.
#include "components/PGTray95.h"

#include "gui/application.h"
#include "gui/menus.h"
#include "platform/platform.h"

TPGTrayIconMsgWindow::TPGTrayIconMsgWindow(TPGTrayIcon95* owner)
    : TWinControl(owner), trayIcon_(owner) {
    SetVisible(false);
    clickTimer_ = new TTimer(this);
    clickTimer_->SetEnabled(false);
    clickTimer_->OnTimer = [this](TObject* s) { ClickTimerTick(s); };
    // Explorer announces a restart to every top-level window under this name.
    taskbarCreated_ = plat::Current().RegisterWindowMessageA("TaskbarCreated");
}

TPGTrayIconMsgWindow::~TPGTrayIconMsgWindow() {
    delete clickTimer_;
    DestroyHandle();
}

// A top-level window, owned by no other: the shell's restart broadcast reaches only
// top-level windows, and the window must outlive its owner's until the icon is gone.
void TPGTrayIconMsgWindow::CreateParams(plat::WindowSpec& spec) {
    spec.kind = plat::WindowKind::Utility;
    spec.className = "TPGTrayIconMsgWindow";
    spec.parent = 0;
    spec.visible = false;
}

bool TPGTrayIconMsgWindow::WndProc(plat::Message& m) {
    if (m.msg == WM_TRAYNOTIFY) {
        WMTrayNotify(m.lParam);
        return true;
    }
    if (m.msg == plat::ZM_COMMAND) {
        const auto id = static_cast<plat::UINT>(m.wParam);
        RunUserEvent([this, id] {
            if (TPopupMenu* menu = trayIcon_->PopupMenu()) menu->DispatchCommand(id);
        });
        return true;
    }
    if (taskbarCreated_ != 0 && m.msg == taskbarCreated_) {
        RunUserEvent([this] { trayIcon_->TaskbarCreated(); });
        return true;
    }
    return TWinControl::WndProc(m);
}

void TPGTrayIconMsgWindow::WMTrayNotify(plat::LPARAM mouseMessage) {
    switch (static_cast<plat::UINT>(mouseMessage)) {
        case plat::WM_MOUSEMOVE:
            if (trayIcon_->OnMouseMove && !Timing()) {
                RunUserEvent([this] {
                    plat::POINT at;
                    plat::Current().GetCursorPos(&at);
                    trayIcon_->OnMouseMove(this, CurrentShiftState(), at.x, at.y);
                });
            }
            break;
        case plat::WM_CONTEXTMENU:
            RunUserEvent([this] { trayIcon_->HandOverMenu(); });
            break;
        case plat::WM_LBUTTONDOWN:
            RunUserEvent([this] { StartClickTimer(TButton::Left); });
            break;
        case plat::WM_RBUTTONDOWN:
            RunUserEvent([this] { StartClickTimer(TButton::Right); });
            break;
        case plat::WM_LBUTTONDBLCLK:
        case plat::WM_RBUTTONDBLCLK:
            dblClick_ = true;
            break;
        default:
            break;
    }
}

void TPGTrayIconMsgWindow::StartClickTimer(TButton button) {
    lastButton_ = button;
    dblClick_ = false;
    // A running timer starts over: the click is reported one double-click time
    // after its last button-down. A timer the system refuses is reported, and the
    // icon is idle again for the next click.
    clickTimer_->SetEnabled(false);
    clickTimer_->SetInterval(plat::Current().GetDoubleClickTime());
    try {
        clickTimer_->SetEnabled(true);
    } catch (...) {
        clickTimer_->SetEnabled(false);
        throw;
    }
}

void TPGTrayIconMsgWindow::ClickTimerTick(TObject*) {
    clickTimer_->SetEnabled(false);
    if (dblClick_) {
        Fire(trayIcon_->OnDblClick, trayIcon_);
    } else if (lastButton_ == TButton::Right && trayIcon_->CanPopup()) {
        trayIcon_->PopupAtCursor();
    } else {
        Fire(trayIcon_->OnClick, trayIcon_);
    }
}

TShiftState TPGTrayIconMsgWindow::CurrentShiftState() const {
    auto& p = plat::Current();
    auto down = [&p](int key) { return (p.GetKeyState(key) & 0x8000) != 0; };
    TShiftState shift;
    if (down(plat::VK_SHIFT)) shift.Include(ssShift);
    if (down(plat::VK_MENU)) shift.Include(ssAlt);
    if (down(plat::VK_CONTROL)) shift.Include(ssCtrl);
    if (down(plat::VK_LBUTTON)) shift.Include(ssLeft);
    if (down(plat::VK_RBUTTON)) shift.Include(ssRight);
    if (down(plat::VK_MBUTTON)) shift.Include(ssMiddle);
    return shift;
}
