#include "update/XmlEncodings.h"

#include <cstring>

namespace {
// Code points of bytes 0x80 … 0x9F in code page 1252; -1 where it has none.
const int cp1252High[32] = {
    0x20AC, -1,     0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, -1,     0x017D, -1,     -1,     0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, -1,     0x017E, 0x0178,
};

const char* const cp1252Names[] = {"windows-1252", "cp1252", "x-cp1252"};

bool equalIgnoringAsciiCase(const char* a, const char* b)
{
    for (; *a && *b; ++a, ++b) {
        const char x = (*a >= 'A' && *a <= 'Z') ? static_cast<char>(*a - 'A' + 'a') : *a;
        if (x != *b)
            return false;
    }
    return *a == *b;
}
}

int XMLCALL encodingHandler(void*, const XML_Char* name, XML_Encoding* info)
{
    bool known = false;
    for (const char* cp1252 : cp1252Names)
        known = known || equalIgnoringAsciiCase(name, cp1252);
    if (!known)
        return XML_STATUS_ERROR;
    for (int byte = 0; byte < 256; ++byte)
        info->map[byte] = byte >= 0x80 && byte < 0xA0 ? cp1252High[byte - 0x80] : byte;
    info->data = nullptr;
    info->convert = nullptr;
    info->release = nullptr;
    return XML_STATUS_OK;
}
