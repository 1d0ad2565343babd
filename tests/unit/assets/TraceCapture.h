#pragma once

#include <string>

// Records the asset layer's trace messages while it lives.
class TraceCapture {
public:
    TraceCapture();
    ~TraceCapture();
    const std::string& last() const;
    int count() const;
};
