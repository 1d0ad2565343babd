#pragma once

#include <functional>

// Runs row(y) for every y in [0, height) on two threads. Rows are independent,
// so the result does not depend on the scheduling.
void parallelRows(int height, const std::function<void(int)>& row);
