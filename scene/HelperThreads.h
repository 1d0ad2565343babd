#pragma once
#include <thread>
#include <vector>

// Helper threads, one for each processor core beyond the caller's, that call
// work(context) until it returns false. Without further cores, or where a thread
// cannot start, there are fewer or none and the caller does the rest of the work.
class HelperThreads {
public:
    HelperThreads() = default;
    HelperThreads(const HelperThreads&) = delete;
    HelperThreads& operator=(const HelperThreads&) = delete;
    ~HelperThreads() { join(); }

    // After the helpers of an earlier start have stopped.
    void start(bool (*work)(void* context), void* context);
    // Returns once every helper has stopped.
    void join();

private:
    static constexpr unsigned kMostHelpers = 7;  // start-up decoding gains nothing from more

    std::vector<std::thread> helpers_;
};
