#include "family/randomstart/RandomStart.h"

#include <new>

#include "family/randomstart/LaunchChoice.h"
#include "family/randomstart/LaunchCommand.h"
#include "family/randomstart/LaunchSystem.h"

namespace {

constexpr int failed = -1;

}  // namespace

int RandomStart::run(const std::string& arguments)
{
    try {
        return launch(arguments);
    } catch (const std::bad_alloc&) {
        return failed;
    }
}

int RandomStart::launch(const std::string& arguments)
{
    std::string path;
    if (!LaunchChoice(system_).choose(arguments, path)) {
        system_.showInstallError();
        return failed;
    }
    std::string commandLine;
    if (!formatLaunchCommand(path, arguments, commandLine))
        return failed;
    unsigned long error = 0;
    if (system_.startProcess(path, commandLine, isFullScreenRun(arguments), error))
        return 0;
    if (error == LaunchSystem::errorFileNotFound || error == LaunchSystem::errorPathNotFound) {
        system_.showInstallError();
        return failed;
    }
    return 0;
}
