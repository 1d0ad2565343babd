#include "x11/EmbeddedPack.h"

// The generated pack file, byte for byte, in the program's read-only data.
asm(".section .rodata\n"
    ".balign 16\n"
    "zandor3dPackStart:\n"
    ".incbin \"" ZANDOR3D_PACK_FILE "\"\n"
    "zandor3dPackEnd:\n"
    ".previous\n");

extern "C" const unsigned char zandor3dPackStart[];
extern "C" const unsigned char zandor3dPackEnd[];

PackBytes embeddedPack()
{
    PackBytes bytes;
    bytes.data = zandor3dPackStart;
    bytes.size = static_cast<size_t>(zandor3dPackEnd - zandor3dPackStart);
    return bytes;
}
