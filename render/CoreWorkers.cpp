#include "render/CoreWorkers.h"

#include <algorithm>

void CoreWorkers::start(bool (*work)(void* context), void* context)
{
    join();
    work_ = work;
    context_ = context;
    SYSTEM_INFO info;
    GetSystemInfo(&info);
    const int wanted = std::min(static_cast<int>(info.dwNumberOfProcessors) - 1, kMostHelpers);
    for (; started_ < wanted; ++started_) {
        helpers_[started_].reset(CreateThread(nullptr, 0, run, this, 0, nullptr));
        if (!helpers_[started_])
            break;
    }
}

void CoreWorkers::join()
{
    HANDLE running[kMostHelpers];
    for (int i = 0; i < started_; ++i)
        running[i] = helpers_[i].get();
    if (started_ > 0)
        WaitForMultipleObjects(static_cast<DWORD>(started_), running, TRUE, INFINITE);
    for (int i = 0; i < started_; ++i)
        helpers_[i].reset();
    started_ = 0;
}

DWORD WINAPI CoreWorkers::run(LPVOID self)
{
    CoreWorkers& workers = *static_cast<CoreWorkers*>(self);
    while (workers.work_(workers.context_)) {}
    return 0;
}
