#pragma once

#include <string>

class LaunchSystem;

// The launcher's whole run: choose a program, start it with the launcher's
// own arguments and, for a full-screen run, wait for it. Gives the exit code.
class RandomStart {
public:
    explicit RandomStart(LaunchSystem& system) : system_(system) {}

    int run(const std::string& arguments);

private:
    int launch(const std::string& arguments);

    LaunchSystem& system_;
};
