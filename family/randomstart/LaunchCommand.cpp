#include "family/randomstart/LaunchCommand.h"

namespace {

// Command buffer of 2048 bytes, its terminator included.
constexpr std::size_t maxCommandLength = 2047;

}  // namespace

bool isFullScreenRun(const std::string& arguments)
{
    return arguments == "/s" || arguments == "-s";
}

bool formatLaunchCommand(const std::string& path, const std::string& arguments, std::string& commandLine)
{
    // Two quotes and a blank join the path and the arguments.
    const std::size_t room = maxCommandLength - 3;
    if (path.size() > room || arguments.size() > room - path.size())
        return false;
    commandLine = "\"" + path + "\" " + arguments;
    return true;
}
