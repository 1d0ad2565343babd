#pragma once
#include "framework/Dialog.h"
#include "update/ProgressSink.h"

// The modeless window of a long operation on the user-interface thread: status
// and location lines and a percent bar. Cancel marks the operation cancelled; the
// operation reads the mark and stops.
class ProgressDialog : public Dialog, public ProgressSink {
public:
    // Made hidden; show() brings it up.
    bool create(HWND owner);
    void show();
    // Ends with IDCANCEL when cancelled, else IDOK; the owner then destroys it.
    INT_PTR end();
    ProgressSink& sink() { return *this; }
    // What the Cancel button does: marks the operation cancelled, once.
    void cancel();

    void setStatus(const char* text) override;
    void setPercent(int percent) override;
    void setLocation(const char* text) override;
    bool cancelled() const override { return cancelled_ != 0; }
    void processPendingMessages() override;

protected:
    BOOL onInitDialog() override;
    void onCancel() override;

private:
    int cancelled_ = 0;
};
