// Top-level windows. Closing one only hides it; a modal showing ends when the form
// is hidden or gets a modal result.
#pragma once

#include <string>

#include "gui/controls.h"

class TMainMenu;
class TButton;

using TFormBorderStyle = plat::BorderStyle;
inline constexpr TFormBorderStyle bsNone = plat::BorderStyle::None;
inline constexpr TFormBorderStyle bsSingle = plat::BorderStyle::Single;
inline constexpr TFormBorderStyle bsSizeable = plat::BorderStyle::Sizeable;
inline constexpr TFormBorderStyle bsDialog = plat::BorderStyle::Dialog;
inline constexpr TFormBorderStyle bsToolWindow = plat::BorderStyle::ToolWindow;

// A set of the caption-bar buttons besides the close box.
enum TBorderIcon : unsigned { biSystemMenu = 1, biMinimize = 2, biMaximize = 4 };
using TBorderIcons = unsigned;

enum TPosition { poDesigned, poScreenCenter };
enum TWindowState { wsNormal, wsMinimized, wsMaximized };

using TModalResult = int;
inline constexpr TModalResult mrNone = 0;
inline constexpr TModalResult mrOk = 1;
inline constexpr TModalResult mrCancel = 2;
inline constexpr TModalResult mrAbort = 3;
inline constexpr TModalResult mrRetry = 4;
inline constexpr TModalResult mrIgnore = 5;
inline constexpr TModalResult mrYes = 6;
inline constexpr TModalResult mrNo = 7;

// Asked before a person's close goes ahead; canClose comes in true.
using TCloseQueryEvent = std::function<void(TObject* sender, bool& canClose)>;

class TForm : public TWinControl {
  public:
    // className names the window class that other programs can find the form by.
    explicit TForm(TComponent* owner, std::string className = "TForm");
    ~TForm() override;

    const std::string& WindowClassName() const { return className_; }
    TFormBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TFormBorderStyle style);
    TBorderIcons BorderIcons() const { return borderIcons_; }
    void SetBorderIcons(TBorderIcons icons) { borderIcons_ = icons; }
    TPosition Position() const { return position_; }
    void SetPosition(TPosition position) { position_ = position; }
    TWindowState WindowState() const { return windowState_; }
    void SetWindowState(TWindowState state);

    // The client area; the outer Width and Height follow through the frame's size.
    int ClientWidth() const;
    int ClientHeight() const;
    void SetClientWidth(int width);
    void SetClientHeight(int height);
    plat::RECT ClientRect() const override;

    TMainMenu* Menu() const { return menu_; }
    void SetMenu(TMainMenu* menu);

    // Becoming visible runs OnShow first; becoming hidden runs OnHide after.
    void SetVisible(bool visible) override;
    void Show();  // makes it visible and raises it
    void Hide() { SetVisible(false); }
    // Shows the form with the application's other forms disabled until it is hidden
    // or has a modal result; returns that result. Raises EInvalidOperation when the
    // form is already visible.
    TModalResult ShowModal();
    bool Modal() const { return modal_; }
    TModalResult ModalResult() const { return modalResult_; }
    void SetModalResult(TModalResult result) { modalResult_ = result; }
    // Hides the form; a modal one gets mrCancel, which ends its showing.
    void Close();

    // What a person does to the window.
    void UserClose();
    void UserMove(int left, int top);
    // Enter with the focus on that control (0: none): presses it when it is a push
    // button of this form, otherwise the default button.
    void UserPressEnter(plat::HWND focused = 0);

    bool WndProc(plat::Message& m) override;

    TNotifyEvent OnCreate;  // run by Application->CreateForm
    TCloseQueryEvent OnCloseQuery;  // a person closing it; false keeps it open
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;

  protected:
    void CreateParams(plat::WindowSpec& spec) override;
    void HandleCreated() override;
    void VisibleChanged() override;
    void BoundsChanged() override;

  private:
    friend class TMainMenu;
    plat::POINT Frame() const;
    void KeepClientSize();
    void PlaceAtFirstShowing();
    static TButton* DefaultButton(TWinControl* within);

    std::string className_;
    TFormBorderStyle borderStyle_ = bsSizeable;
    TBorderIcons borderIcons_ = biSystemMenu | biMinimize | biMaximize;
    TPosition position_ = poDesigned;
    TWindowState windowState_ = wsNormal;
    TMainMenu* menu_ = nullptr;
    TModalResult modalResult_ = mrNone;
    bool modal_ = false;
    bool placed_ = false;
    int clientWidth_ = -1;  // -1: follows the outer size
    int clientHeight_ = -1;
};

// The form that holds the control (the control itself when it is one), or null.
TForm* GetParentForm(TControl* control);
