#pragma once

#include <string>
#include <vector>

class LaunchSystem;

// Chooses the program randomstart runs: for a full-screen run with the
// family's StartRandom on, any listed product whose program file exists;
// otherwise, or when none qualifies, this product.
class LaunchChoice {
public:
    explicit LaunchChoice(LaunchSystem& system) : system_(system) {}

    // False when there is no program to run.
    bool choose(const std::string& arguments, std::string& path);

private:
    bool startRandomOn();
    bool pickListed(std::string& path);
    void collectListed(std::vector<std::string>& pool);
    bool ownProgram(std::string& path);

    LaunchSystem& system_;
};
