#pragma once
#include "framework/Dialog.h"

// Stands in for the configuration dialog until that exists: a modal box with OK.
class PlaceholderSettingsDialog : public Dialog {
public:
    static const UINT templateId = 102;
};
