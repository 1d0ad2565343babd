#pragma once
#include "framework/Dialog.h"

#include <string>

#include "framework/UniqueHandle.h"

// The empty page another family program's own settings page runs in. The host
// starts that program as its guest, passes the dialog's page commands on to the
// guest's page (its first child) and, as it goes, closes the guest first.
class FamilyPageHost : public Dialog {
public:
    // A child of parent, moved to rect, with the guest started from executablePath.
    // False when the guest cannot be started; the empty host stays then.
    bool create(const RECT& rect, const std::string& executablePath, HWND parent);

    // How long the host waits for the guest's answer to a command or to closing.
    // A guest that does not answer its closing in time is ended, so that a hung
    // guest can never freeze the dialog around the host.
    static const UINT answerTimeoutMs = 5000;

protected:
    INT_PTR dialogProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void onDestroy() override;

private:
    bool startGuest(const std::string& executablePath);
    // Sends to the guest's page, if there is one; false when it did not answer in time.
    bool sendToGuest(UINT message) const;
    LRESULT onPreview(WPARAM wParam, LPARAM lParam);
    LRESULT onRestoreDefaults(WPARAM wParam, LPARAM lParam);
    static const Handler<FamilyPageHost> handlers[];

    KernelHandle guest_;
};
