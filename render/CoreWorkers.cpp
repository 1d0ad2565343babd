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
        helpers_[started_] = CreateThread(nullptr, 0, run, this, 0, nullptr);
        if (!helpers_[started_])
            break;
    }
}

void CoreWorkers::join()
{
    if (started_ > 0)
        WaitForMultipleObjects(static_cast<DWORD>(started_), helpers_, TRUE, INFINITE);
    for (int i = 0; i < started_; ++i)
        CloseHandle(helpers_[i]);
    started_ = 0;
}

DWORD WINAPI CoreWorkers::run(LPVOID self)
{
    CoreWorkers& workers = *static_cast<CoreWorkers*>(self);
    while (workers.work_(workers.context_)) {}
    return 0;
}
