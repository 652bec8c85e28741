// The notification-area icon: one icon with a tip, the shell's mouse notifications
// turned into click, double-click and mouse-move events, an automatic popup menu for
// the right button, and three pictures chosen by State (normal, disabled, animated).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "gui/controls.h"
#include "gui/icon.h"
#include "gui/keys.h"
#include "gui/menus.h"
#include "gui/stringlist.h"
#include "gui/timer.h"
#include "platform/types.h"

class TPGTrayIcon95;

enum TPGTrayIconState : std::uint8_t { tsEnabled, tsDisabled, tsAnimated };
enum TPGTrayIconAnimationOptions : std::uint8_t { aoIconsInExe, aoIconsAreFiles };

using TPGTrayIconStateChangingEvent =
    std::function<void(TObject* sender, TPGTrayIconState& newState)>;

// The callback message that the shell sends to the message window.
inline constexpr plat::UINT WM_TRAYNOTIFY = plat::WM_USER + 100;
// What the icon is to the shell: its identifier and the parts every call carries.
inline constexpr plat::UINT kTrayIconId = 42;
inline constexpr plat::UINT kTrayIconFlags = plat::NIF_MESSAGE | plat::NIF_ICON | plat::NIF_TIP;
inline constexpr plat::DWORD kNotifyIconDataSize = 88;
// The second shell version's record, the first with a balloon.
inline constexpr plat::DWORD kNotifyIconDataV2Size = 488;
// The longest tip the shell shows, in bytes.
inline constexpr std::size_t kMaxTip = 63;

inline constexpr const char* SStateInStateChanging =
    "You cannot modify the state property in the OnStateChanging event !!!";

// The hidden window that the shell notifies. It times clicks so that a double click
// is never also reported as a click.
class TPGTrayIconMsgWindow : public TWinControl {
  public:
    explicit TPGTrayIconMsgWindow(TPGTrayIcon95* owner);
    ~TPGTrayIconMsgWindow() override;

    bool WndProc(plat::Message& m) override;
    // A button went down and its click is not reported yet.
    bool Timing() const { return clickTimer_->Running(); }

  protected:
    void CreateParams(plat::WindowSpec& spec) override;

  private:
    enum class TButton { Left, Right };

    void WMTrayNotify(plat::LPARAM mouseMessage);
    void StartClickTimer(TButton button);
    void ClickTimerTick(TObject* sender);
    TShiftState CurrentShiftState() const;

    TPGTrayIcon95* trayIcon_;
    TButton lastButton_ = TButton::Left;
    bool dblClick_ = false;
    TTimer* clickTimer_;
    plat::UINT taskbarCreated_ = 0;
};

// The frames of the animated state: icon files or icon resources of the program,
// shown one after another while the tray icon is active and animated.
class TPGTrayIconAnimation : public TPersistent {
  public:
    explicit TPGTrayIconAnimation(TPGTrayIcon95* owner);
    ~TPGTrayIconAnimation() override;
    TPGTrayIconAnimation(const TPGTrayIconAnimation&) = delete;
    TPGTrayIconAnimation& operator=(const TPGTrayIconAnimation&) = delete;

    int Interval() const { return interval_; }
    void SetInterval(int milliseconds);
    TStringList* Icons() const { return icons_.get(); }
    void SetIcons(const TStringList& icons);
    TPGTrayIconAnimationOptions Options() const { return options_; }
    void SetOptions(TPGTrayIconAnimationOptions options) { options_ = options; }

    bool Running() const { return running_; }
    int FrameIndex() const { return frameIndex_; }

  private:
    friend class TPGTrayIcon95;
    bool OwnerAnimating() const;
    void Start();
    void Stop();
    void NextFrame();

    TPGTrayIcon95* owner_;
    int interval_ = 1000;
    std::unique_ptr<TStringList> icons_;
    TPGTrayIconAnimationOptions options_ = aoIconsAreFiles;
    int frameIndex_ = 0;
    bool running_ = false;
    // Made at the first start and kept: a tick may stop the animation (OnAnimation
    // changing the state), and the timer must not go while its own tick runs.
    TTimer* timer_ = nullptr;
};

class TPGTrayIcon95 : public TComponent {
  public:
    // The owner must be a window: making the message window makes the owner's too.
    explicit TPGTrayIcon95(TComponent* owner);
    ~TPGTrayIcon95() override;

    TIcon* Icon() const { return icon_.get(); }
    void SetIcon(const TIcon& icon);
    TIcon* DisabledIcon() const { return disabledIcon_.get(); }
    void SetDisabledIcon(const TIcon& icon);
    TPGTrayIconAnimation* Animation() const { return animation_.get(); }
    bool Active() const { return active_; }
    void SetActive(bool active);
    bool AutoPopup() const { return autoPopup_; }
    void SetAutoPopup(bool autoPopup) { autoPopup_ = autoPopup; }
    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& hint);
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool showHint);
    // Not owned: the menu must outlive every click on the icon.
    TPopupMenu* PopupMenu() const { return popupMenu_; }
    void SetPopupMenu(TPopupMenu* menu) { popupMenu_ = menu; }
    TPGTrayIconState State() const { return state_; }
    void SetState(TPGTrayIconState state);

    void Activate();
    void Deactivate();

    TPGTrayIconMsgWindow* MsgWindow() const { return msgWindow_; }
    // The tip the shell shows: at most 63 bytes of Hint, empty while ShowHint is off.
    std::string Tip() const { return tip_; }

    // A balloon over the icon (NIF_INFO, no sound) with a title and a text, each cut to
    // its field; a later one replaces it. Nothing while the icon is not active.
    // Returns the shell's answer.
    bool ShowBalloon(const std::string& title, const std::string& text);
    // The last balloon the shell was asked for, and whether it took it.
    struct TBalloon {
        std::string title, text;
        bool shown = false;
    };
    const TBalloon& LastBalloon() const { return balloon_; }

    TNotifyEvent OnAnimation;
    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseMoveEvent OnMouseMove;  // Sender is the message window
    TPGTrayIconStateChangingEvent OnStateChanging;

  protected:
    void Loaded() override;

  private:
    friend class TPGTrayIconMsgWindow;
    friend class TPGTrayIconAnimation;

    void NotifyShell(plat::DWORD message);
    void UpdateIcon();
    void ShowStatePicture();
    void ModifyIcon();
    void IconChanged(TObject* sender);
    void LoadAnimationFrame(int index);
    void SetCurrent(plat::HICON handle, bool shared);
    bool CanPopup() const { return autoPopup_ && popupMenu_; }
    void PopupAtCursor();
    void HandOverMenu();
    // The shell came back (Explorer restarted) without the icons it had.
    void TaskbarCreated();

    std::unique_ptr<TIcon> icon_;
    std::unique_ptr<TIcon> disabledIcon_;
    std::unique_ptr<TIcon> currentIcon_;
    bool currentShared_ = false;  // a resource icon: never destroyed by us
    std::unique_ptr<TPGTrayIconAnimation> animation_;
    TPGTrayIconMsgWindow* msgWindow_ = nullptr;
    plat::NOTIFYICONDATA record_;
    std::string tip_;
    bool active_ = false;
    bool autoPopup_ = false;
    std::string hint_;
    bool showHint_ = true;
    TPopupMenu* popupMenu_ = nullptr;
    TPGTrayIconState state_ = tsEnabled;
    TBalloon balloon_;
};
