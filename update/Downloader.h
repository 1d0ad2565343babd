#pragma once
#include <cstddef>
#include <string>
#include <vector>

#include "update/ProgressSink.h"

// How one download ended.
enum class DownloadResult {
    ok,
    cannotConnect,  // no Internet session could be opened
    failed,  // not plain HTTP, unreachable, an error status, a cut or oversize body, 15 s without a byte
    cancelled,  // the sink's Cancel was pressed
};

// Fetches an http:// URL through WinInet with the system's proxy settings. The
// transfer runs on a thread of its own while this thread keeps the sink's windows
// answering and watches for Cancel; a transfer abandoned by Cancel or by its
// silence ends in the background and touches nothing of the caller's. The body
// counts only when the final status (after redirects) is 2xx, it is as long as
// the server announced, and no longer than maxBytes.
DownloadResult downloadUrl(const std::string& url, std::size_t maxBytes, std::vector<char>& body, ProgressSink* sink);
