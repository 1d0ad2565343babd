#pragma once
#include <windows.h>

#include <string>

// The 32 x 32 picture of another family program's icon group 128, read from the
// program file as data (nothing of it runs). False when the file cannot be opened;
// icon is null when it opens but holds no such picture. The caller destroys the icon.
bool loadFamilyIcon(const std::string& executablePath, HICON& icon);
