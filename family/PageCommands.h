#pragma once

// Window messages a family program's settings dialog sends its current page, and a
// family page host passes on to its guest: the one protocol of every family
// member's settings page, ours or another program's shown inside the dialog.
enum PageCommand : unsigned {
    PageCommandRestoreDefaults = 0x0400 + 3,  // WM_USER + 3
    PageCommandPreview = 0x0400 + 4,  // WM_USER + 4
    // Sent by some family hosts; accepted and ignored.
    PageCommandIgnored = 0x0400 + 5,
};
