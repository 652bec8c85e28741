// What a backend keeps of each control it made to tell its own changes from the
// user's: both window backends turn native notifications into ZM_ messages by it.
#pragma once

namespace plat {

class ControlState {
  public:
    // While the backend itself changes the control, what the control tells is not the
    // user's doing. Nested: quiet until each Hush has had its Unhush.
    bool Quiet() const { return quiet_ > 0; }
    void Hush() { ++quiet_; }
    void Unhush() { --quiet_; }

    // List boxes may tell of one change more than once (on button-down and up): the
    // row now selected; true when it is not the row last reported, which it becomes.
    bool TakeSelection(int row);
    // The next row is reported whatever it is: a click always tells its row.
    void ForgetSelection() { lastSelection_ = kForgotten; }
    bool SelectionForgotten() const { return lastSelection_ == kForgotten; }
    // A row the backend selected itself: not news when the control tells of it.
    void SetSelection(int row) { lastSelection_ = row; }

    // A track bar tells several times of a drag to one position: true when the
    // position is the user's and new, and then it is the one known.
    bool TakePosition(int position);
    void SetPosition(int position) { lastPosition_ = position; }

  private:
    static constexpr int kForgotten = -2;  // -1 is a list with no row selected
    int quiet_ = 0;
    int lastSelection_ = kForgotten;
    int lastPosition_ = 0;
};

// Quiet for one scope; nothing when there is no control.
class QuietScope {
  public:
    explicit QuietScope(ControlState* control) : control_(control) {
        if (control_) control_->Hush();
    }
    ~QuietScope() {
        if (control_) control_->Unhush();
    }
    QuietScope(const QuietScope&) = delete;
    QuietScope& operator=(const QuietScope&) = delete;

  private:
    ControlState* control_;
};

}  // namespace plat
