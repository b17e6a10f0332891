#include "ui/window_timer.h"

void WindowTimer::SetEnabled(bool enabled) {
    if (enabled == enabled_ || owner_ == nullptr) {
        return;
    }
    enabled_ = enabled ? SetTimer(owner_, id_, interval_, nullptr) != 0 : false;
    if (!enabled) {
        KillTimer(owner_, id_);
    }
}
