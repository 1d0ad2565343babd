#pragma once

// Window messages a settings dialog sends its current page, whether that page is
// ours or another family program's page shown inside the dialog.
enum PageCommand : unsigned {
    PageCommandRestoreDefaults = 0x0400 + 3,  // WM_USER + 3
    PageCommandPreview = 0x0400 + 4,  // WM_USER + 4
    // Sent by some family hosts; accepted and ignored.
    PageCommandIgnored = 0x0400 + 5,
};
