#include "tools/procedural/ParallelRows.h"

#include <thread>

void parallelRows(int height, const std::function<void(int)>& row)
{
    std::thread odd([&] {
        for (int y = 1; y < height; y += 2)
            row(y);
    });
    for (int y = 0; y < height; y += 2)
        row(y);
    odd.join();
}
