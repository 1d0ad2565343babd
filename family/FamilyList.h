#pragma once
#include <windows.h>

#include <vector>

#include "family/FamilyEntry.h"

// Fills the list from the family key's "List" subkey, in enumeration order, keeping
// only products whose program file opens. The list is emptied first.
void readFamilyList(HKEY familyKey, std::vector<FamilyEntry>& list);
