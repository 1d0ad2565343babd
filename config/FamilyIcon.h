#pragma once
#include <windows.h>

#include <string>

#include "framework/UniqueHandle.h"

// The 32 x 32 picture of another family program's icon group 128, read from the
// program file as data (nothing of it runs). False when the file cannot be opened;
// icon is empty when it opens but holds no such picture.
bool loadFamilyIcon(const std::string& executablePath, IconHandle& icon);
