#pragma once

// Looks up a GL entry point by name in the current context (wglGetProcAddress on
// Windows); null when the driver does not have it.
using GlProcLoader = void* (*)(const char* name);
