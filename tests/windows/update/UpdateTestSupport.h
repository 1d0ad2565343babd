#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "update/ProgressSink.h"

// What the update checker's Wine tests share: the local HTTP server the harness
// runs (reached through the prefix's WinInet proxy), a cache folder of their own,
// message boxes read and closed as they appear, and a sink that records progress.
namespace updatetest {

// Points WinInet's proxy at 127.0.0.1:port for the life of the object, then puts
// back the values the prefix had.
class ProxyOverride {
public:
    explicit ProxyOverride(int port);
    ~ProxyOverride();
    ProxyOverride(const ProxyOverride&) = delete;
    ProxyOverride& operator=(const ProxyOverride&) = delete;
    static void pointAt(int port);

private:
    bool hadEnable_ = false;
    DWORD enable_ = 0;
    bool hadServer_ = false;
    std::string server_;
};

// The harness's server: its port, the files it serves and the requests it saw.
namespace server {
int port();
// A port on which nothing listens.
int deadPort();
void clear();
void put(const std::string& path, const std::string& bytes);
std::vector<std::string> requests();
}

// Every message box this thread shows while the object lives is answered with OK;
// its text is kept.
class MessageBoxes {
public:
    MessageBoxes();
    ~MessageBoxes();
    MessageBoxes(const MessageBoxes&) = delete;
    MessageBoxes& operator=(const MessageBoxes&) = delete;
    const std::vector<std::string>& texts() const;

private:
    UINT_PTR timer_;
};

// Every call of the sink as one line: "location URL", "status TEXT", "percent N",
// "pump" (pumps in a row, as a download's wait makes them, count once). It
// reports Cancel from cancelAt() on, in GetTickCount() time.
class RecordingSink : public ProgressSink {
public:
    void setStatus(const char* text) override { calls.push_back(std::string("status ") + text); }
    void setPercent(int percent) override { calls.push_back("percent " + std::to_string(percent)); }
    void setLocation(const char* text) override { calls.push_back(std::string("location ") + text); }
    bool cancelled() const override { return cancelling_ && GetTickCount() - cancelAt_ < 0x80000000u; }
    void processPendingMessages() override
    {
        if (calls.empty() || calls.back() != "pump")
            calls.push_back("pump");
    }
    void cancelAt(DWORD tick)
    {
        cancelling_ = true;
        cancelAt_ = tick;
    }
    std::vector<std::string> calls;

private:
    bool cancelling_ = false;
    DWORD cancelAt_ = 0;
};

std::string readFile(const std::string& path);
bool writeFile(const std::string& path, const std::string& bytes);
// Every file below folder, as paths relative to it, sorted.
std::vector<std::string> filesBelow(const std::string& folder);
void removeTree(const std::string& folder);

}
