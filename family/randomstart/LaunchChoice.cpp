#include "family/randomstart/LaunchChoice.h"

#include <cstdint>
#include <new>
#include <random>

#include "family/randomstart/LaunchCommand.h"
#include "family/randomstart/LaunchSystem.h"
#include "resources/ProductStrings.h"

namespace {

// Paths and registry strings are read into 1024-byte buffers.
constexpr std::size_t pathCapacity = 1024;
constexpr std::size_t dwordSize = 4;

std::uint32_t littleEndian(const std::string& bytes)
{
    std::uint32_t value = 0;
    for (std::size_t i = bytes.size(); i-- > 0;)
        value = value << 8 | static_cast<unsigned char>(bytes[i]);
    return value;
}

}  // namespace

bool LaunchChoice::choose(const std::string& arguments, std::string& path)
{
    if (isFullScreenRun(arguments) && startRandomOn() && pickListed(path))
        return true;
    return ownProgram(path);
}

bool LaunchChoice::startRandomOn()
{
    RegistryValue value;
    return system_.queryFamilyValue("", STR_START_RANDOM, dwordSize, value) && !value.bytes.empty() &&
           value.type == RegistryValue::typeDword && littleEndian(value.bytes) != 0;
}

bool LaunchChoice::pickListed(std::string& path)
{
    std::vector<std::string> pool;
    try {
        collectListed(pool);
    } catch (const std::bad_alloc&) {
        return false;
    }
    if (pool.empty())
        return false;
    std::mt19937 generator(static_cast<std::mt19937::result_type>(system_.tickCount()));
    std::uniform_int_distribution<std::size_t> index(0, pool.size() - 1);
    const std::string& picked = pool[index(generator)];
    if (picked.size() >= pathCapacity)
        return false;
    path = picked;
    return true;
}

void LaunchChoice::collectListed(std::vector<std::string>& pool)
{
    std::string identifier;
    for (unsigned long index = 0;; ++index) {
        const LaunchSystem::ListValue found = system_.listValueName(index, identifier);
        if (found == LaunchSystem::ListValue::End)
            return;
        RegistryValue value;
        if (found == LaunchSystem::ListValue::DoesNotFit ||
            !system_.queryFamilyValue(identifier, STR_EXECUTABLE_PATH, pathCapacity, value))
            continue;
        std::string executable = value.text();
        if (system_.fileOpens(executable))
            pool.push_back(std::move(executable));
    }
}

// This product's program counts without a file test: starting it reports a missing file.
bool LaunchChoice::ownProgram(std::string& path)
{
    RegistryValue value;
    if (!system_.queryFamilyValue(STR_PRODUCT_KEY, STR_EXECUTABLE_PATH, pathCapacity, value) || value.bytes.empty() ||
        value.type != RegistryValue::typeString) {
        return false;
    }
    path = value.text();
    return true;
}
