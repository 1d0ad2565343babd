#pragma once

#include <string>

// Whether the launcher's arguments ask for a full-screen run: exactly "/s" or "-s".
bool isFullScreenRun(const std::string& arguments);

// The command line a chosen program gets: its quoted path, a blank and the
// launcher's arguments as received. False when it would not fit the
// 2048-byte command buffer, so that nothing is ever started cut short.
bool formatLaunchCommand(const std::string& path, const std::string& arguments, std::string& commandLine);
