#include "render/CoreWorkers.h"

#include <windows.h>

#include <algorithm>
#include <atomic>

namespace {
// Start-up decoding gains nothing from more.
const int kMostHelpers = 7;

struct Share {
    void (*work)(void*, int);
    void* context;
    int count;
    std::atomic<int> next{0};
};

void drain(Share& share)
{
    for (int i = share.next++; i < share.count; i = share.next++)
        share.work(share.context, i);
}

DWORD WINAPI helperThread(LPVOID share)
{
    drain(*static_cast<Share*>(share));
    return 0;
}

int helpersWanted(int count)
{
    SYSTEM_INFO info;
    GetSystemInfo(&info);
    return std::max(0, std::min({static_cast<int>(info.dwNumberOfProcessors) - 1, count - 1, kMostHelpers}));
}
}

void runOnEveryCore(int count, void (*work)(void* context, int index), void* context)
{
    Share share{work, context, count};
    HANDLE helpers[kMostHelpers];
    int started = 0;
    for (const int wanted = helpersWanted(count); started < wanted; ++started) {
        helpers[started] = CreateThread(nullptr, 0, helperThread, &share, 0, nullptr);
        if (!helpers[started])
            break;
    }
    drain(share);
    if (started > 0)
        WaitForMultipleObjects(static_cast<DWORD>(started), helpers, TRUE, INFINITE);
    for (int i = 0; i < started; ++i)
        CloseHandle(helpers[i]);
}
