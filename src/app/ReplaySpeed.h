// The automatic replay's speed: steps a second as the options keep it, the timer interval it
// asks for and the words the options window shows for it.
#pragma once

#include <algorithm>
#include <cmath>

#include <QString>

namespace vorpel {

// Steps a second from 1 to kReplaySpeedMaximum, or kReplayAsFastAsPaint: one step for every
// frame the screen paints. The options' default, 4, is what the tick timer always gave.
inline constexpr int kReplayAsFastAsPaint = 0;
inline constexpr int kReplaySpeedMaximum = 60;
inline constexpr int kTickInterval = 250; // ms: the main window's timer

constexpr bool ValidReplaySpeed(int speed) {
    return speed >= kReplayAsFastAsPaint && speed <= kReplaySpeedMaximum;
}

// The options window's slider runs from slow to fast: its last notch is "as fast as the screen
// paints".
constexpr int ReplaySliderPosition(int speed) {
    return speed == kReplayAsFastAsPaint ? kReplaySpeedMaximum + 1 : speed;
}
constexpr int ReplaySpeedOfSlider(int position) {
    return position > kReplaySpeedMaximum ? kReplayAsFastAsPaint : std::max(position, 1);
}

// The replay timer's interval in milliseconds; `refreshRate` is the screen's frames a second.
inline int ReplayInterval(int speed, double refreshRate) {
    if (speed != kReplayAsFastAsPaint)
        return static_cast<int>(std::lround(1000.0 / std::clamp(speed, 1, kReplaySpeedMaximum)));
    // A screen that reports no rate is taken as 60 frames a second.
    const double rate = refreshRate >= 1.0 ? refreshRate : 60.0;
    return std::max(1, static_cast<int>(1000.0 / rate));
}

inline QString ReplaySpeedText(int speed) {
    if (speed == kReplayAsFastAsPaint) return QStringLiteral("as fast as the screen paints");
    return speed == 1 ? QStringLiteral("1 step a second")
                      : QStringLiteral("%1 steps a second").arg(speed);
}

} // namespace vorpel
