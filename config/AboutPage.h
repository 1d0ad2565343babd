#pragma once
#include "framework/Dialog.h"

// The "About" panel under the settings page's second tab: title, version, the
// collection, contact addresses and the picture. No behaviour of its own.
class AboutPage : public Dialog {
public:
    bool create(HWND parent);
};
