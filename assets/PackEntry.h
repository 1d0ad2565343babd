#pragma once

#include <cstdint>

// One row of the pack's directory table: enough to return to a member's
// central-directory record without walking the directory again.
struct PackEntry {
    char name[256];
    uint32_t uncompressedSize;
    uint32_t directoryPosition;
    // False when the member's info could not be read or its name does not
    // fit the buffer: such rows never match a lookup.
    bool usable;
};
