#include "update/Downloader.h"

#include <windows.h>
#include <wininet.h>

#include <new>

#include "framework/UniqueHandle.h"
#include "update/UpdateLimits.h"

namespace {
const char kUserAgent[] = "Zandor 3D update checker";
constexpr int kAttempts = 5;
constexpr DWORD kAttemptPauseMs = 250;
constexpr DWORD kChunkBytes = 20000;
// A transfer that brings no byte for this long fails.
constexpr DWORD kSilenceMs = 15000;
// How often the waiting thread looks at Cancel and the silence.
constexpr DWORD kWatchMs = 50;

using InternetHandle = UniqueHandle<HINTERNET, InternetCloseHandle>;

// What the transfer thread and the waiting thread share. Each holds a reference;
// the last to let go deletes it, so an abandoned transfer cleans up after itself.
struct Transfer {
    std::string url;
    std::size_t maxBytes = 0;
    std::vector<char> body;
    DownloadResult result = DownloadResult::failed;
    volatile LONG lastActivity = 0;
    volatile LONG abandoned = 0;
    volatile LONG references = 2;

    void touch() { InterlockedExchange(&lastActivity, static_cast<LONG>(GetTickCount())); }
    bool isAbandoned() const { return abandoned != 0; }
    void release()
    {
        if (InterlockedDecrement(&references) == 0)
            delete this;
    }
};

HINTERNET openWithRetries(HINTERNET internet, Transfer& transfer)
{
    for (int attempt = 1;; ++attempt) {
        HINTERNET request = InternetOpenUrlA(internet, transfer.url.c_str(), nullptr, 0,
                                             INTERNET_FLAG_TRANSFER_BINARY | INTERNET_FLAG_DONT_CACHE, 1);
        if (request || attempt == kAttempts || transfer.isAbandoned())
            return request;
        Sleep(kAttemptPauseMs);
        transfer.touch();
    }
}

bool queryNumber(HINTERNET request, DWORD query, DWORD& value)
{
    DWORD size = sizeof value;
    return HttpQueryInfoA(request, query | HTTP_QUERY_FLAG_NUMBER, &value, &size, nullptr) != FALSE;
}

// Reads what has arrived, a chunk at most at a time, so each read returns as soon
// as bytes come and the silence can be measured between them.
bool readBody(HINTERNET request, Transfer& transfer)
{
    std::vector<char>& body = transfer.body;
    for (;;) {
        DWORD available = 0;
        if (!InternetQueryDataAvailable(request, &available, 0, 0))
            return false;
        if (available == 0)
            return true;
        const DWORD wanted = available < kChunkBytes ? available : kChunkBytes;
        const std::size_t total = body.size();
        if (total + wanted > transfer.maxBytes || transfer.isAbandoned())
            return false;
        body.resize(total + wanted);
        DWORD got = 0;
        const BOOL read = InternetReadFile(request, body.data() + total, wanted, &got);
        body.resize(total + got);
        if (!read)
            return false;
        if (got == 0)
            return true;
        transfer.touch();
    }
}

DownloadResult fetch(Transfer& transfer)
{
    InternetHandle internet(InternetOpenA(kUserAgent, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    if (!internet)
        return DownloadResult::cannotConnect;
    InternetHandle request(openWithRetries(internet.get(), transfer));
    if (!request)
        return DownloadResult::failed;
    transfer.touch();
    DWORD status = 0;
    if (!queryNumber(request.get(), HTTP_QUERY_STATUS_CODE, status) || status < 200 || status > 299)
        return DownloadResult::failed;
    if (!readBody(request.get(), transfer))
        return DownloadResult::failed;
    DWORD announced = 0;
    if (queryNumber(request.get(), HTTP_QUERY_CONTENT_LENGTH, announced) && transfer.body.size() != announced)
        return DownloadResult::failed;
    return DownloadResult::ok;
}

DWORD WINAPI transferThread(void* parameter)
{
    Transfer& transfer = *static_cast<Transfer*>(parameter);
    try {
        transfer.result = fetch(transfer);
    } catch (const std::bad_alloc&) {
        transfer.result = DownloadResult::failed;
    }
    transfer.release();
    return 0;
}

bool silentTooLong(const Transfer& transfer)
{
    return GetTickCount() - static_cast<DWORD>(transfer.lastActivity) > kSilenceMs;
}

// Waits for the transfer thread while the sink's windows stay answering.
DownloadResult waitFor(HANDLE thread, Transfer& transfer, ProgressSink* sink)
{
    for (;;) {
        const DWORD woke = sink ? MsgWaitForMultipleObjects(1, &thread, FALSE, kWatchMs, QS_ALLINPUT)
                                : WaitForSingleObject(thread, kWatchMs);
        if (woke == WAIT_OBJECT_0)
            return transfer.result;
        if (sink) {
            sink->processPendingMessages();
            if (sink->cancelled())
                return DownloadResult::cancelled;
        }
        if (silentTooLong(transfer))
            return DownloadResult::failed;
    }
}

DownloadResult download(const std::string& url, std::size_t maxBytes, std::vector<char>& body, ProgressSink* sink)
{
    Transfer* transfer = new Transfer;
    transfer->url = url;
    transfer->maxBytes = maxBytes;
    transfer->touch();
    KernelHandle thread(CreateThread(nullptr, 0, transferThread, transfer, 0, nullptr));
    if (!thread) {
        delete transfer;
        return DownloadResult::failed;
    }
    const DownloadResult result = waitFor(thread.get(), *transfer, sink);
    if (result == DownloadResult::ok)
        body.swap(transfer->body);
    InterlockedExchange(&transfer->abandoned, 1);
    transfer->release();
    return result;
}
}

DownloadResult downloadUrl(const std::string& url, std::size_t maxBytes, std::vector<char>& body, ProgressSink* sink)
{
    body.clear();
    if (!isHttpUrl(url))
        return DownloadResult::failed;
    try {
        return download(url, maxBytes, body, sink);
    } catch (const std::bad_alloc&) {
        body.clear();
        return DownloadResult::failed;
    }
}
