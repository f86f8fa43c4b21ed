// A gate for repeated refreshes: the first passes at once, then at most one per interval.
#pragma once

#include <chrono>
#include <optional>

namespace vorpel {

class RefreshGate {
public:
    using Clock = std::chrono::steady_clock;

    explicit RefreshGate(Clock::duration interval) : interval_(interval) {}

    // True when a refresh may happen at `now`, which then counts as the last one.
    bool Due(Clock::time_point now) {
        if (last_ && now - *last_ < interval_) return false;
        last_ = now;
        return true;
    }

private:
    Clock::duration interval_;
    std::optional<Clock::time_point> last_;
};

} // namespace vorpel
