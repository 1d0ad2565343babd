#pragma once

// Where the page probe leaves what the settings page's combo offered, under HKEY_CURRENT_USER.
const char kPageProbeKey[] = "Software\\ZandorTests\\PageProbe";
const char kEntryCount[] = "Entries";
const char kEightBitEntries[] = "EightBitEntries";
const char kRepeatedEntries[] = "RepeatedEntries";
const char kHas800x600x32[] = "Has800x600x32";
const char kHasScreenSizeAt32[] = "HasScreenSizeAt32";
const char kProbeDone[] = "Done";
