#include "update/ProductUpdate.h"

#include <new>

#include "resources/ProductStrings.h"
#include "update/CacheFiles.h"
#include "update/Downloader.h"
#include "update/PictureCheck.h"
#include "update/ProductCache.h"
#include "update/ProductDocument.h"
#include "update/ProductMerge.h"
#include "update/UpdateLimits.h"

namespace {
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
    bool cancelled() const { return sink_ && sink_->cancelled(); }
    ProgressSink* sink() const { return sink_; }

private:
    ProgressSink* sink_;
};

UpdateOutcome outcomeOf(DownloadResult result)
{
    switch (result) {
    case DownloadResult::ok:
        return UpdateOutcome::success;
    case DownloadResult::cannotConnect:
        return UpdateOutcome::cannotConnect;
    case DownloadResult::cancelled:
        return UpdateOutcome::cancelled;
    default:
        return UpdateOutcome::failed;
    }
}

bool readDocument(const std::vector<char>& bytes, std::vector<ProductEntry>& products)
{
    XmlReader reader;
    return reader.parse(bytes.data(), bytes.size()) && readProductDocument(reader, products);
}

bool readCachedDocument(const std::string& installPath, std::vector<ProductEntry>& products)
{
    XmlReader reader;
    return reader.loadFile(cachedDocumentPath(installPath).c_str()) && readProductDocument(reader, products);
}

// A picture already whole in the cache is kept, whatever its URL says now.
UpdateOutcome cachePicture(const std::string& url, const std::string& path, std::size_t maxBytes, Progress& progress)
{
    if (isWholePictureFile(path))
        return UpdateOutcome::success;
    std::vector<char> body;
    const DownloadResult result = downloadUrl(url, maxBytes, body, progress.sink());
    if (result != DownloadResult::ok)
        return outcomeOf(result);
    if (body.empty())
        return UpdateOutcome::failed;
    return writeWholeFile(path, body.data(), body.size()) ? UpdateOutcome::success : UpdateOutcome::cannotSave;
}

UpdateOutcome cachePictures(const std::string& installPath, std::vector<ProductEntry>& products, Progress& progress)
{
    const int count = static_cast<int>(products.size());
    for (int i = 0; i < count; ++i) {
        ProductEntry& product = products[i];
        product.screenshotPath = cachedScreenshotPath(installPath, product.identifier);
        product.iconPath = cachedIconPath(installPath, product.identifier);
        const struct {
            const std::string& url;
            const std::string& path;
            std::size_t maxBytes;
            int percent;
        } pictures[] = {{product.screenshotUrl, product.screenshotPath, maxScreenshotBytes, i * 100 / count},
                        {product.iconUrl, product.iconPath, maxIconBytes, (i * 100 + 50) / count}};
        for (const auto& picture : pictures) {
            progress.show(picture.url);
            progress.percent(picture.percent);
            progress.pump();
            if (progress.cancelled())
                return UpdateOutcome::cancelled;
            const UpdateOutcome outcome = cachePicture(picture.url, picture.path, picture.maxBytes, progress);
            if (outcome != UpdateOutcome::success)
                return outcome;
        }
    }
    return UpdateOutcome::success;
}

UpdateOutcome updateOnline(const std::string& installPath, const std::string& url, Progress& progress,
                           std::vector<ProductEntry>& products)
{
    if (installPath.empty())
        return UpdateOutcome::noInstallPath;
    const std::string documentPath = cachedDocumentPath(installPath);
    progress.show(url, kDownloadingList);
    progress.pump();
    std::vector<char> document;
    const DownloadResult result = downloadUrl(url, maxDocumentBytes, document, progress.sink());
    if (result != DownloadResult::ok)
        return outcomeOf(result);
    // A document that does not read never reaches the cache.
    if (!readDocument(document, products))
        return UpdateOutcome::failed;
    if (!makeDirectoriesFor(documentPath))
        return UpdateOutcome::cannotSave;
    progress.show(url, kDownloadingImages);
    progress.percent(0);
    progress.pump();
    const UpdateOutcome pictures = cachePictures(installPath, products, progress);
    if (pictures != UpdateOutcome::success)
        return pictures;
    return writeWholeFile(documentPath, document.data(), document.size()) ? UpdateOutcome::success
                                                                          : UpdateOutcome::cannotSave;
}

UpdateOutcome loadCached(const std::string& installPath, std::vector<ProductEntry>& products)
{
    if (installPath.empty())
        return UpdateOutcome::noInstallPath;
    if (!readCachedDocument(installPath, products))
        return UpdateOutcome::failed;
    for (ProductEntry& product : products) {
        product.screenshotPath = cachedScreenshotPath(installPath, product.identifier);
        product.iconPath = cachedIconPath(installPath, product.identifier);
    }
    return UpdateOutcome::success;
}

// Runs one fill of the products; unless it succeeds, or when memory runs out, they end empty.
template <class Fill> UpdateOutcome fillProducts(std::vector<ProductEntry>& products, Fill fill)
{
    products.clear();
    UpdateOutcome outcome = UpdateOutcome::failed;
    try {
        outcome = fill();
    } catch (const std::bad_alloc&) {
        outcome = UpdateOutcome::failed;
    }
    if (outcome != UpdateOutcome::success)
        products.clear();
    return outcome;
}
}

UpdateOutcome updateProductsOnline(const std::string& installPath, const std::string& url, ProgressSink* sink,
                                   std::vector<ProductEntry>& products)
{
    Progress progress(sink);
    return fillProducts(products, [&] { return updateOnline(installPath, url, progress, products); });
}

UpdateOutcome loadCachedProducts(const std::string& installPath, std::vector<ProductEntry>& products)
{
    return fillProducts(products, [&] { return loadCached(installPath, products); });
}

UpdateOutcome rebuildProductList(ProductList& list, const std::vector<FamilyEntry>& installed,
                                 const std::string& installPath, bool online, ProgressSink* sink)
{
    list.clear();
    std::vector<ProductEntry> products;
    UpdateOutcome outcome = UpdateOutcome::success;
    if (online) {
        outcome = updateProductsOnline(installPath, STR_UPDATE_URL, sink, products);
        // The products of the last good update stay on show.
        if (outcome != UpdateOutcome::success)
            loadCachedProducts(installPath, products);
    } else {
        outcome = loadCachedProducts(installPath, products);
    }
    try {
        mergeProductList(installed, products, list);
    } catch (const std::bad_alloc&) {
        list.clear();
    }
    return outcome;
}
