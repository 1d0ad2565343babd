#pragma once
#include <expat.h>

// Declared encodings expat does not know itself: the Windows code page 1252 that
// many publishing tools write ("windows-1252", "cp1252"). Expat reads UTF-8,
// UTF-16, ISO-8859-1 and US-ASCII on its own.
int XMLCALL encodingHandler(void* data, const XML_Char* name, XML_Encoding* info);
