#include "components/PGTray95.h"

#include <algorithm>
#include <cstring>
#include <exception>

#include "gui/exceptions.h"
#include "platform/platform.h"

namespace {

// Set while any tray icon's OnStateChanging runs: the process has one.
bool stateChanging = false;

constexpr std::size_t kMaxResourceName = 255;

class StateChangingGuard {
  public:
    StateChangingGuard() { stateChanging = true; }
    ~StateChangingGuard() { stateChanging = false; }
    StateChangingGuard(const StateChangingGuard&) = delete;
    StateChangingGuard& operator=(const StateChangingGuard&) = delete;
};

// Runs step and keeps its failure for later, so that what must follow it still runs.
std::exception_ptr Attempt(const std::function<void()>& step) {
    try {
        step();
    } catch (...) {
        return std::current_exception();
    }
    return nullptr;
}

void RethrowIf(const std::exception_ptr& failure) {
    if (failure) std::rethrow_exception(failure);
}

}  // namespace

TPGTrayIcon95::TPGTrayIcon95(TComponent* owner) : TComponent(owner) {
    auto* ownerWindow = dynamic_cast<TWinControl*>(owner);
    if (!ownerWindow) throw EOutOfResources(SWindowCreate);
    msgWindow_ = new TPGTrayIconMsgWindow(this);
    ownerWindow->Handle();
    record_.uID = kTrayIconId;
    record_.uCallbackMessage = WM_TRAYNOTIFY;
    record_.hWnd = msgWindow_->Handle();

    currentIcon_ = std::make_unique<TIcon>();
    icon_ = std::make_unique<TIcon>();
    disabledIcon_ = std::make_unique<TIcon>();
    animation_ = std::make_unique<TPGTrayIconAnimation>(this);
    icon_->OnChange = [this](TObject* s) { IconChanged(s); };
    disabledIcon_->OnChange = [this](TObject* s) { IconChanged(s); };
}

TPGTrayIcon95::~TPGTrayIcon95() {
    // The icon leaves the notification area before the window it would notify goes.
    Deactivate();
    icon_.reset();
    disabledIcon_.reset();
    SetCurrent(0, false);
    animation_.reset();
}

void TPGTrayIcon95::Loaded() {
    TComponent::Loaded();
    if (!active_ || Designing()) return;
    active_ = false;
    Activate();
}

// ---- The shell ----------------------------------------------------------------------

void TPGTrayIcon95::NotifyShell(plat::DWORD message) {
    // Stored values arrive one by one; the shell hears of the icon once they all have.
    if (Reading() || Designing()) return;
    plat::NOTIFYICONDATA data = record_;
    data.cbSize = kNotifyIconDataSize;
    data.hIcon = currentIcon_->Handle();
    std::memcpy(data.szTip, tip_.data(), tip_.size());
    data.szTip[tip_.size()] = '\0';
    plat::Current().Shell_NotifyIconA(message, data);
}

void TPGTrayIcon95::Activate() {
    if (active_) return;
    active_ = true;
    record_.uFlags = kTrayIconFlags;
    // The picture is chosen without a modification: the shell has no icon to modify yet.
    std::exception_ptr failure = Attempt([this] { ShowStatePicture(); });
    NotifyShell(plat::NIM_ADD);
    if (state_ == tsAnimated) animation_->Start();
    RethrowIf(failure);
}

void TPGTrayIcon95::Deactivate() {
    if (!active_) return;
    active_ = false;
    if (state_ == tsAnimated) animation_->Stop();
    NotifyShell(plat::NIM_DELETE);
}

void TPGTrayIcon95::SetActive(bool active) {
    if (Designing()) {
        active_ = active;
    } else if (active) {
        Activate();
    } else {
        Deactivate();
    }
}

void TPGTrayIcon95::TaskbarCreated() {
    if (active_) NotifyShell(plat::NIM_ADD);
}

// ---- Pictures -----------------------------------------------------------------------

void TPGTrayIcon95::SetIcon(const TIcon& icon) {
    icon_->Assign(icon);
    // While active, IconChanged has already shown the new picture.
    if (!active_) UpdateIcon();
}

void TPGTrayIcon95::SetDisabledIcon(const TIcon& icon) {
    disabledIcon_->Assign(icon);
    if (!active_) UpdateIcon();
}

void TPGTrayIcon95::IconChanged(TObject*) {
    if (!Designing() && active_) UpdateIcon();
}

void TPGTrayIcon95::UpdateIcon() {
    if (Designing()) return;
    ShowStatePicture();
    if (active_) ModifyIcon();
}

void TPGTrayIcon95::ShowStatePicture() {
    if (Designing()) return;
    auto copyOf = [](const TIcon& icon) {
        return icon.Empty() ? plat::HICON{0} : plat::Current().CopyIcon(icon.Handle());
    };
    switch (state_) {
        case tsEnabled:
            SetCurrent(copyOf(*icon_), false);
            break;
        case tsDisabled:
            SetCurrent(copyOf(*disabledIcon_), false);
            break;
        case tsAnimated:
            LoadAnimationFrame(animation_->frameIndex_);
            break;
    }
}

void TPGTrayIcon95::ModifyIcon() {
    record_.uFlags = kTrayIconFlags;
    NotifyShell(plat::NIM_MODIFY);
}

void TPGTrayIcon95::SetCurrent(plat::HICON handle, bool shared) {
    // A resource icon belongs to the module; it is let go, never destroyed.
    if (currentShared_) currentIcon_->ReleaseHandle();
    currentIcon_->SetHandle(handle);
    currentShared_ = shared && handle != 0;
}

void TPGTrayIcon95::LoadAnimationFrame(int index) {
    const TStringList& icons = *animation_->Icons();
    if (index < 0 || index >= icons.Count()) return;
    const std::string& line = icons.Strings(index);
    if (animation_->Options() == aoIconsInExe) {
        std::string name = line.substr(0, std::min(line.find('\0'), kMaxResourceName));
        SetCurrent(plat::Current().LoadIconA(name), true);
        return;
    }
    try {
        // Loaded aside, so that a file that fails leaves the previous picture shown.
        TIcon frame;
        frame.LoadFromFile(line);
        SetCurrent(frame.ReleaseHandle(), false);
    } catch (const EFOpenError&) {
    }
}

// ---- Tip ----------------------------------------------------------------------------

void TPGTrayIcon95::SetHint(const std::string& hint) {
    if (hint == hint_) return;
    hint_ = hint;
    if (showHint_) SetShowHint(true);
}

void TPGTrayIcon95::SetShowHint(bool showHint) {
    showHint_ = showHint;
    // The shell's field holds 64 bytes with the terminating NUL.
    tip_ = showHint ? hint_.substr(0, std::min(hint_.find('\0'), kMaxTip)) : std::string();
    if (active_ && !Designing()) ModifyIcon();
}

// ---- State --------------------------------------------------------------------------

void TPGTrayIcon95::SetState(TPGTrayIconState state) {
    if (stateChanging) throw EInvalidOperation(SStateInStateChanging);
    if (!active_ || Reading()) {
        state_ = state;
        return;
    }
    if (state == state_) return;
    {
        StateChangingGuard guard;
        if (OnStateChanging) OnStateChanging(this, state);
    }
    if (state == state_) return;
    if (state_ == tsAnimated) animation_->Stop();
    state_ = state;
    if (state != tsAnimated) return UpdateIcon();
    // A frame that fails is reported, and the animation runs on to try it again.
    std::exception_ptr failure = Attempt([this] { UpdateIcon(); });
    animation_->Start();
    RethrowIf(failure);
}

// ---- Popup --------------------------------------------------------------------------

void TPGTrayIcon95::PopupAtCursor() {
    auto& p = plat::Current();
    const plat::HWND window = msgWindow_->Handle();
    // With our window in front and owning the menu, a click anywhere outside the
    // menu closes it.
    p.SetForegroundWindow(window);
    plat::POINT at;
    p.GetCursorPos(&at);
    popupMenu_->Popup(at.x, at.y, window);
    // Lets the next click on the icon open the menu again.
    p.PostMessageA(window, plat::WM_USER, 0, 0);
}

// The desktop shows the menu where its tray puts it: it gets the items as they are
// now, and the command chosen there comes back as the window's ZM_COMMAND.
void TPGTrayIcon95::HandOverMenu() {
    if (popupMenu_) popupMenu_->Popup(0, 0, msgWindow_->Handle());
}
