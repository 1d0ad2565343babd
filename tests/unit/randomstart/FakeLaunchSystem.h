#pragma once

#include <cctype>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "family/randomstart/LaunchSystem.h"

// An in-memory family registry and file system that records what is started.
class FakeLaunchSystem : public LaunchSystem {
public:
    struct Start {
        std::string applicationName;
        std::string commandLine;
        bool waitForEnd;
    };

    void setValue(const std::string& subkey, const std::string& name, std::uint32_t type, const std::string& bytes)
    {
        values_[{lower(subkey), name}] = RegistryValue{type, bytes};
    }
    void setString(const std::string& subkey, const std::string& name, const std::string& text)
    {
        setValue(subkey, name, RegistryValue::typeString, text + '\0');
    }
    void setStartRandom(std::uint32_t on)
    {
        setValue("", "StartRandom", RegistryValue::typeDword, std::string(reinterpret_cast<const char*>(&on), 4));
    }
    // A listed product; an unreadable entry ends the enumeration where it stands.
    void list(const std::string& identifier, bool readable = true)
    {
        list_.push_back({identifier, readable ? ListValue::Named : ListValue::End});
    }
    // A listed value whose name does not fit the enumeration's buffer.
    void listUnfit() { list_.push_back({"", ListValue::DoesNotFit}); }
    void addProduct(const std::string& identifier, const std::string& path, bool fileExists)
    {
        list(identifier);
        setString(identifier, "ExecutablePath", path);
        if (fileExists)
            files_.insert(path);
    }
    void addFile(const std::string& path) { files_.insert(path); }
    void setOwnProgram(const std::string& path) { setString("Zandor3D", "ExecutablePath", path); }

    bool queryFamilyValue(const std::string& subkey, const std::string& name, std::size_t capacity,
                          RegistryValue& value) override
    {
        const auto found = values_.find({lower(subkey), name});
        if (found == values_.end() || found->second.bytes.size() > capacity)
            return false;
        value = found->second;
        return true;
    }
    ListValue listValueName(unsigned long index, std::string& name) override
    {
        if (index >= list_.size())
            return ListValue::End;
        if (list_[index].second == ListValue::Named)
            name = list_[index].first;
        return list_[index].second;
    }
    bool fileOpens(const std::string& path) override { return files_.count(path) != 0; }
    unsigned long tickCount() override { return ticks; }
    bool startProcess(const std::string& applicationName, const std::string& commandLine, bool waitForEnd,
                      unsigned long& error) override
    {
        starts.push_back({applicationName, commandLine, waitForEnd});
        error = startError;
        return startError == 0;
    }
    void showInstallError() override { ++messages; }

    unsigned long ticks = 0;
    unsigned long startError = 0;
    std::vector<Start> starts;
    int messages = 0;

private:
    // Registry key names do not depend on letter case.
    static std::string lower(std::string text)
    {
        for (char& c : text)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return text;
    }

    std::map<std::pair<std::string, std::string>, RegistryValue> values_;
    std::vector<std::pair<std::string, ListValue>> list_;
    std::set<std::string> files_;
};
