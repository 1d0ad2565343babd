#pragma once

// SIGTERM and SIGINT end the program with status 0: before the frame loop at once,
// during it through a pipe the loop waits on, so the scene is shut down; if the
// loop has not ended 150 ms later, at once after all.
class SignalPipe {
public:
    SignalPipe();
    ~SignalPipe();
    SignalPipe(const SignalPipe&) = delete;
    SignalPipe& operator=(const SignalPipe&) = delete;

    bool ready() const { return readEnd_ >= 0; }
    // From now on a signal asks the loop to end instead of ending the program.
    void enterLoop();
    // The descriptor that becomes readable on a signal.
    int descriptor() const { return readEnd_; }
    bool signalled() const;

private:
    int readEnd_ = -1;
};

// Ends the process with status at once, without exit handlers (async-signal-safe).
// Not through _exit, which the sanitizers hook for a leak check that takes seconds.
[[noreturn]] void endProcessNow(int status);
