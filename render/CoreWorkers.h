#pragma once
#include <windows.h>

#include "framework/UniqueHandle.h"

// Helper threads, one for each processor core beyond the caller's, that call
// work(context) until it returns false. Without further cores, or threads, there are
// none and the caller does all the work.
class CoreWorkers {
public:
    CoreWorkers() = default;
    CoreWorkers(const CoreWorkers&) = delete;
    CoreWorkers& operator=(const CoreWorkers&) = delete;
    ~CoreWorkers() { join(); }

    // After the helpers of an earlier start have stopped.
    void start(bool (*work)(void* context), void* context);
    // Returns once every helper has stopped.
    void join();

private:
    static DWORD WINAPI run(LPVOID self);
    static const int kMostHelpers = 7;  // start-up decoding gains nothing from more

    bool (*work_)(void*) = nullptr;
    void* context_ = nullptr;
    KernelHandle helpers_[kMostHelpers];
    int started_ = 0;
};
