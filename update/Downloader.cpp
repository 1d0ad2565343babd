#include "update/Downloader.h"

#include <windows.h>
#include <wininet.h>

#include <new>

#include "framework/MessageBox.h"
#include "update/UpdateLimits.h"

namespace {
const char kUserAgent[] = "Zandor 3D update checker";
const char kCantInit[] = "Can't init internet connection!";
constexpr int kAttempts = 5;
constexpr DWORD kAttemptPauseMs = 250;
constexpr DWORD kChunkBytes = 20000;

// Owns one WinInet handle; closes it on every path out.
class InternetHandle {
public:
    explicit InternetHandle(HINTERNET handle) : handle_(handle) {}
    ~InternetHandle()
    {
        if (handle_)
            InternetCloseHandle(handle_);
    }
    InternetHandle(const InternetHandle&) = delete;
    InternetHandle& operator=(const InternetHandle&) = delete;
    HINTERNET get() const { return handle_; }

private:
    HINTERNET handle_;
};

HINTERNET openWithRetries(HINTERNET internet, const std::string& url)
{
    for (int attempt = 1;; ++attempt) {
        HINTERNET request = InternetOpenUrlA(internet, url.c_str(), nullptr, 0,
                                             INTERNET_FLAG_TRANSFER_BINARY | INTERNET_FLAG_DONT_CACHE, 1);
        if (request || attempt == kAttempts)
            return request;
        Sleep(kAttemptPauseMs);
    }
}

// Each chunk is read straight onto the end of the growing body.
bool readBody(HINTERNET request, std::size_t maxBytes, std::vector<char>& body)
{
    for (;;) {
        const std::size_t total = body.size();
        body.resize(total + kChunkBytes);
        DWORD got = 0;
        const BOOL read = InternetReadFile(request, body.data() + total, kChunkBytes, &got);
        body.resize(total + got);
        if (!read)
            return false;
        if (got == 0)
            return true;
        if (body.size() > maxBytes)
            return false;
    }
}

long long fetch(const std::string& url, std::size_t maxBytes, std::vector<char>& body)
{
    InternetHandle internet(InternetOpenA(kUserAgent, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    if (!internet.get()) {
        showMessage(nullptr, kCantInit, MB_OK);
        return -1;
    }
    InternetHandle request(openWithRetries(internet.get(), url));
    if (!request.get() || !readBody(request.get(), maxBytes, body))
        return -1;
    return static_cast<long long>(body.size());
}
}

long long downloadUrl(const std::string& url, std::size_t maxBytes, std::vector<char>& body)
{
    body.clear();
    if (!isHttpUrl(url))
        return -1;
    long long length = -1;
    try {
        body.reserve(kChunkBytes);
    } catch (const std::bad_alloc&) {
        showMessage(nullptr, kCantInit, MB_OK);
        return -1;
    }
    try {
        length = fetch(url, maxBytes, body);
    } catch (const std::bad_alloc&) {
        length = -1;
    }
    if (length < 0)
        body.clear();
    return length;
}
