#pragma once

// Where the pointer was when mouse movement started to count.
struct MouseReference {
    int x = -1;
    int y = -1;
    bool initialised = false;
};

// When input and focus changes end the full-screen run. DemoMode keeps the
// pointer and focus changes from closing; inDialog does the same while a modal
// message is up.
class CloseRules {
public:
    CloseRules(bool demoMode, bool inDialog) : demoMode_(demoMode), inDialog_(inDialog) {}

    // The first move (and every move behind a modal message) only sets the
    // reference; after that, more than 10 pixels on either axis closes.
    bool mouseMoveCloses(MouseReference& reference, int x, int y) const;
    bool hidesCursor() const { return quiet(); }
    bool deactivationCloses(bool activating) const { return !activating && quiet(); }
    bool cancelModeCloses() const { return quiet(); }

private:
    bool quiet() const { return !demoMode_ && !inDialog_; }

    bool demoMode_;
    bool inDialog_;
};
