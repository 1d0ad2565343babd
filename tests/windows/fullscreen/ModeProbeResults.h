#pragma once

// Where the mode probe leaves its figures, under HKEY_CURRENT_USER.
const char kModeProbeKey[] = "Software\\ZandorTests\\ModeProbe";
const char kDesktopWidth[] = "DesktopWidth";
const char kRunWidth[] = "RunWidth";
const char kRunHeight[] = "RunHeight";
const char kExitCode[] = "ExitCode";
const char kRestoredWidth[] = "RestoredWidth";
const char kRestoredHeight[] = "RestoredHeight";
const char kDone[] = "Done";
