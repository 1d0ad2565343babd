#include "scene/HelperThreads.h"

#include <algorithm>
#include <exception>

void HelperThreads::start(bool (*work)(void* context), void* context)
{
    join();
    const unsigned cores = std::thread::hardware_concurrency();
    const unsigned wanted = cores > 1 ? std::min(cores - 1, kMostHelpers) : 0;
    try {
        helpers_.reserve(wanted);
        while (helpers_.size() < wanted)
            helpers_.emplace_back([work, context] {
                while (work(context)) {}
            });
    } catch (const std::exception&) {
        // Fewer helpers: the caller decodes what they leave.
    }
}

void HelperThreads::join()
{
    for (std::thread& helper : helpers_)
        helper.join();
    helpers_.clear();
}
