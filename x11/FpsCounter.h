#pragma once
#include <cstddef>

// Frames drawn per second, counted over windows of at least one second.
class FpsCounter {
public:
    // Called after each frame with a monotonic time in seconds; true when the rate
    // shown has just changed.
    bool frame(double now);
    // 0 until the first whole second has passed.
    double rate() const { return rate_; }
    // "FPS: 12.3" into text.
    void format(char* text, size_t size) const;

private:
    double windowStart_ = 0.0;
    bool started_ = false;
    int frames_ = 0;
    double rate_ = 0.0;
};
