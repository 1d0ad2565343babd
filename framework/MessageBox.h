#pragma once
#include <windows.h>

// A message box captioned with the application title.
int showMessage(HWND owner, const char* text, UINT type);
