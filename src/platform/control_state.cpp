#include "platform/control_state.h"

namespace plat {

bool ControlState::TakeSelection(int row) {
    if (row == lastSelection_) return false;
    lastSelection_ = row;
    return true;
}

bool ControlState::TakePosition(int position) {
    if (Quiet() || position == lastPosition_) return false;
    lastPosition_ = position;
    return true;
}

}  // namespace plat
