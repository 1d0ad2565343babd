#pragma once

// What a long operation on the user-interface thread reports through while it
// runs, and how it lets the window that shows it repaint. The progress dialog
// implements it; the update code holds only this interface.
class ProgressSink {
public:
    virtual ~ProgressSink() = default;
    virtual void setStatus(const char* text) = 0;
    // Any value; the bar clamps it to 0 … 100.
    virtual void setPercent(int percent) = 0;
    virtual void setLocation(const char* text) = 0;
    virtual bool cancelled() const = 0;
    virtual void processPendingMessages() = 0;
};
