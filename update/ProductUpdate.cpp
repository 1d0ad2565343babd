#include "update/ProductUpdate.h"

#include <new>

#include "config/SettingsStore.h"
#include "framework/MessageBox.h"
#include "resources/ProductStrings.h"
#include "update/CacheFiles.h"
#include "update/Downloader.h"
#include "update/ProductCache.h"
#include "update/ProductDocument.h"
#include "update/ProductMerge.h"
#include "update/UpdateLimits.h"

namespace {
const char kNoInstallPath[] = "Can't find program's installation path.\nPlease reinstall this software!";
const char kCantSave[] = "Can't save temporary data! \n\t\t\tPlease check free disk space or access rights "
                         "\n\t\t\tfor program's installation path, or reinstall the program.";
const char kUpdateFailed[] = "Failed to update products list Online!";
const char kDownloadingList[] = "Downloading available products list...";
const char kDownloadingImages[] = "Downloading screenshots && icons";

// The sink is optional: without one the update runs silently.
class Progress {
public:
    explicit Progress(ProgressSink* sink) : sink_(sink) {}
    void show(const std::string& location, const char* status = nullptr)
    {
        if (!sink_)
            return;
        sink_->setLocation(location.c_str());
        if (status)
            sink_->setStatus(status);
    }
    void percent(int value)
    {
        if (sink_)
            sink_->setPercent(value);
    }
    void pump()
    {
        if (sink_)
            sink_->processPendingMessages();
    }

private:
    ProgressSink* sink_;
};

bool readInstallPath(std::string& installPath)
{
    installPath = SettingsStore().readInstallPath();
    if (!installPath.empty())
        return true;
    showMessage(nullptr, kNoInstallPath, MB_OK);
    return false;
}

bool readCachedDocument(const std::string& installPath, std::vector<ProductRecord>& records)
{
    XmlReader reader;
    return reader.loadFile(cachedDocumentPath(installPath).c_str()) && readProductDocument(reader, records);
}

bool downloadDocument(const std::string& url, const std::string& installPath)
{
    std::vector<char> body;
    if (downloadUrl(url, maxDocumentBytes, body) <= 0)
        return false;
    if (writeWholeFile(cachedDocumentPath(installPath), body.data(), body.size()))
        return true;
    showMessage(nullptr, kCantSave, MB_OK);
    return false;
}

// A file already in the cache is kept, whatever its URL says now.
bool cacheFile(const std::string& url, const std::string& path, std::size_t maxBytes)
{
    if (fileExists(path))
        return true;
    std::vector<char> body;
    return downloadUrl(url, maxBytes, body) > 0 && writeWholeFile(path, body.data(), body.size());
}

bool cacheImages(const std::string& installPath, std::vector<ProductRecord>& records, Progress& progress)
{
    const int count = static_cast<int>(records.size());
    for (int i = 0; i < count; ++i) {
        ProductRecord& record = records[i];
        progress.show(record.screenshot);
        progress.percent(i * 100 / count);
        progress.pump();
        const std::string screenshot = cachedScreenshotPath(installPath, record.identifier);
        if (!cacheFile(record.screenshot, screenshot, maxScreenshotBytes))
            return false;
        record.screenshot = screenshot;

        progress.show(record.icon);
        progress.percent((i * 100 + 50) / count);
        progress.pump();
        const std::string icon = cachedIconPath(installPath, record.identifier);
        if (!cacheFile(record.icon, icon, maxIconBytes))
            return false;
        record.icon = icon;
    }
    return true;
}

bool updateOnline(const std::string& url, Progress& progress, std::vector<ProductRecord>& records)
{
    std::string installPath;
    if (!readInstallPath(installPath))
        return false;
    progress.show(url, kDownloadingList);
    progress.pump();
    // The new document replaces the cached one before it is read, readable or not.
    if (!downloadDocument(url, installPath) || !readCachedDocument(installPath, records))
        return false;
    progress.show(url, kDownloadingImages);
    progress.percent(0);
    progress.pump();
    return cacheImages(installPath, records, progress);
}

bool loadCached(std::vector<ProductRecord>& records)
{
    std::string installPath;
    if (!readInstallPath(installPath) || !readCachedDocument(installPath, records))
        return false;
    for (ProductRecord& record : records) {
        record.screenshot = cachedScreenshotPath(installPath, record.identifier);
        record.icon = cachedIconPath(installPath, record.identifier);
    }
    return true;
}

// Runs one fill of the records; on failure, or when memory runs out, they end empty.
template <class Fill> bool fillRecords(std::vector<ProductRecord>& records, Fill fill)
{
    records.clear();
    bool filled = false;
    try {
        filled = fill();
    } catch (const std::bad_alloc&) {
        filled = false;
    }
    if (!filled)
        records.clear();
    return filled;
}
}

bool updateProductsOnline(const std::string& url, ProgressSink* sink, std::vector<ProductRecord>& records)
{
    Progress progress(sink);
    return fillRecords(records, [&] { return updateOnline(url, progress, records); });
}

bool loadCachedProducts(std::vector<ProductRecord>& records)
{
    return fillRecords(records, [&] { return loadCached(records); });
}

bool rebuildProductList(ProductList& list, bool online, ProgressSink* sink)
{
    list.clear();
    Settings settings;
    SettingsStore().load(settings);
    std::vector<ProductRecord> records;
    if (online) {
        if (!updateProductsOnline(STR_UPDATE_URL, sink, records))
            showMessage(nullptr, kUpdateFailed, MB_OK);
    } else {
        loadCachedProducts(records);
    }
    try {
        mergeProductList(settings.familyList, records, list);
    } catch (const std::bad_alloc&) {
        list.clear();
    }
    return true;
}
