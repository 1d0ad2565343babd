#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/SettingsStore.h"
#include "tests/driver/Driver.h"
#include "tests/windows/update/UpdateTestSupport.h"
#include "update/CacheFiles.h"
#include "update/ProductDocument.h"
#include "update/ProductUpdate.h"

using namespace updatetest;

namespace {
const std::string kProduct = "Software\\Quarnel\\Orbicade\\Zandor3D";
const std::string kFamily = "Software\\Quarnel\\Orbicade";
const std::string kDocumentUrl = "http://www.orbicade.com/update/orbicade.xml";
const std::string kImages = "http://www.orbicade.com/img/";

struct Product {
    std::string id;
    std::string screenshotUrl;
    std::string iconUrl;
};

Product listed(const std::string& id)
{
    return {id, kImages + id + ".jpg", kImages + id + ".bmp"};
}

std::string productXml(int number, const Product& product)
{
    const std::string name = "Product" + std::to_string(number);
    return "<" + name + "><ID>" + product.id + "</ID><Title>" + product.id + " 3D</Title><Version>2." +
           std::to_string(number) + "</Version><Description><Text>All about " + product.id + "</Text><ScreenshotURL>" +
           product.screenshotUrl + "</ScreenshotURL><IconURL>" + product.iconUrl +
           "</IconURL></Description><DownloadURL>http://www.orbicade.com/get/" + product.id + ".exe</DownloadURL></" +
           name + ">\r\n";
}

std::string documentOf(const std::vector<Product>& products)
{
    std::string xml =
        "<?xml version=\"1.0\"?>\r\n<English><ProductsList><Count>" + std::to_string(products.size()) + "</Count>\r\n";
    for (std::size_t i = 0; i < products.size(); ++i)
        xml += productXml(static_cast<int>(i + 1), products[i]);
    return xml + "</ProductsList></English>\r\n";
}

// Whole pictures, as the cache tells them: a JPEG of one comment segment between its
// start and end markers, and a 1 x 1 bitmap (with the product's name after its one row).
std::string screenshotBytes(const std::string& id)
{
    const std::string comment = "screenshot of " + id;
    return std::string("\xFF\xD8\xFF\xFE\0", 5) + static_cast<char>(comment.size() + 2) + comment + "\xFF\xD9";
}
std::string iconBytes(const std::string& id)
{
    std::string header("BM\0\0\0\0\0\0\0\0\x36\0\0\0\x28\0\0\0\x01\0\0\0\x01\0\0\0\x01\0\x18\0", 30);
    return header + std::string(24, '\0') + "\xFF\0\xFF\0" + id;
}

// Serves the document and the images of every product.
void serve(const std::vector<Product>& products)
{
    server::put("/update/orbicade.xml", documentOf(products));
    for (const Product& product : products) {
        server::put("/img/" + product.id + ".jpg", screenshotBytes(product.id));
        server::put("/img/" + product.id + ".bmp", iconBytes(product.id));
    }
}

std::vector<std::string> identifiers(const ProductList& list)
{
    std::vector<std::string> ids;
    for (const ProductEntry& row : list)
        ids.push_back(row.identifier);
    return ids;
}

class ProductUpdate : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(driver::deleteTree("Software\\Quarnel"));
        server::clear();
        removeTree(area_);
        CreateDirectoryA(area_.substr(0, area_.size() - 1).c_str(), nullptr);
        CreateDirectoryA(install_.substr(0, install_.size() - 1).c_str(), nullptr);
        ASSERT_TRUE(driver::setString(kProduct, "InstallPath", install_));
    }
    void TearDown() override { driver::deleteTree("Software\\Quarnel"); }

    // An installed family member whose program file exists.
    void install(const std::string& id, const std::string& title)
    {
        const std::string exe = area_ + id + ".scr";
        writeFile(exe, "MZ");
        driver::setString(kFamily + "\\List", id, title);
        driver::setString(kFamily + "\\" + id, "ExecutablePath", exe);
    }

    // As the dialog does: the installed members and the installation folder from the store.
    ProductList rebuild(bool online)
    {
        Settings settings;
        SettingsStore().load(settings);
        ProductList list;
        outcome_ = rebuildProductList(list, settings.familyList, settings.installPath, online, &sink_);
        return list;
    }

    std::string cached(const std::string& relative) const { return readFile(install_ + "web\\" + relative); }

    const std::string area_ = driver::windowsPath(UPDATE_TEST_DIR) + "\\";
    const std::string install_ = area_ + "install\\";
    ProxyOverride proxy_{server::port()};
    MessageBoxes boxes_;
    RecordingSink sink_;
    UpdateOutcome outcome_ = UpdateOutcome::failed;
};

TEST_F(ProductUpdate, FullUpdateCachesTheDocumentAndEveryImageAndReportsEachStep)
{
    const std::vector<Product> products = {listed("ALPHA"), listed("BETA")};
    serve(products);
    const ProductList list = rebuild(true);
    EXPECT_EQ(outcome_, UpdateOutcome::success);
    EXPECT_TRUE(boxes_.texts().empty());
    ASSERT_EQ(identifiers(list), (std::vector<std::string>{"ALPHA", "BETA"}));
    const ProductEntry& beta = list[1];
    EXPECT_EQ(beta.title, "BETA 3D");
    EXPECT_EQ(beta.version, "2.2");
    EXPECT_EQ(beta.description, "All about BETA");
    EXPECT_EQ(beta.downloadUrl, "http://www.orbicade.com/get/BETA.exe");
    EXPECT_EQ(beta.screenshotPath, install_ + "web\\BETA\\screenshot.jpg");
    EXPECT_EQ(beta.iconPath, install_ + "web\\BETA\\icon.bmp");
    EXPECT_EQ(beta.executablePath, "");

    EXPECT_EQ(cached("update.xml"), documentOf(products));
    for (const char* id : {"ALPHA", "BETA"}) {
        EXPECT_EQ(cached(std::string(id) + "\\screenshot.jpg"), screenshotBytes(id));
        EXPECT_EQ(cached(std::string(id) + "\\icon.bmp"), iconBytes(id));
    }
    EXPECT_EQ(filesBelow(install_).size(), 5u);

    const std::vector<std::string> expected = {"location " + kDocumentUrl,
                                               "status Downloading available products list...",
                                               "pump",
                                               "location " + kDocumentUrl,
                                               "status Downloading screenshots && icons",
                                               "percent 0",
                                               "pump",
                                               "location " + kImages + "ALPHA.jpg",
                                               "percent 0",
                                               "pump",
                                               "location " + kImages + "ALPHA.bmp",
                                               "percent 25",
                                               "pump",
                                               "location " + kImages + "BETA.jpg",
                                               "percent 50",
                                               "pump",
                                               "location " + kImages + "BETA.bmp",
                                               "percent 75",
                                               "pump"};
    EXPECT_EQ(sink_.calls, expected);
    EXPECT_EQ(server::requests().size(), 5u);

    // The offline list, read from the cache alone, is the same.
    const ProductList offline = rebuild(false);
    ASSERT_EQ(identifiers(offline), identifiers(list));
    EXPECT_EQ(offline[1].screenshotPath, beta.screenshotPath);
    EXPECT_EQ(offline[1].description, beta.description);
    EXPECT_EQ(server::requests().size(), 5u);
}

// Well-formed documents as publishing tools write them read as their products,
// texts decoded to UTF-8.
TEST_F(ProductUpdate, FeedsInEveryEncodingAndMarkupAPublisherUsesGiveTheirProducts)
{
    serve({listed("ALPHA"), listed("BETA")});
    const std::string plain = documentOf({listed("ALPHA"), listed("BETA")});
    const std::string declaration = "<?xml version=\"1.0\"?>";
    auto declared = [&](const std::string& encoding, const std::string& body) {
        return "<?xml version=\"1.0\" encoding=\"" + encoding + "\"?>" + body.substr(declaration.size());
    };
    auto utf16 = [](const std::string& text) {
        std::wstring wide(text.size(), L'\0');
        wide.resize(static_cast<std::size_t>(MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                                                 &wide[0], static_cast<int>(wide.size()))));
        return std::string("\xFF\xFE", 2) + std::string(reinterpret_cast<const char*>(wide.data()), wide.size() * 2);
    };
    std::string marked = plain;
    marked.replace(marked.find("<English>"), 9,
                   "<!DOCTYPE English [<!ENTITY co \"Orbicade\">]>\r\n<!-- exported -->\r\n"
                   "<English xmlns=\"urn:orbicade\" lang=\"en\"><?cms page=\"7\"?>");
    marked.replace(marked.find("<Title>ALPHA 3D</Title>"), 23, "<Title a=\"1\"><![CDATA[ALPHA]]> &amp; &co;</Title>");
    marked.replace(marked.find("All about ALPHA"), 15, std::string(5000, 'x'));
    marked.replace(marked.find("<Version>2.2</Version>"), 22, "<Version/>");
    std::string latin = plain;
    latin.replace(latin.find("BETA 3D"), 7, "B\xE9ta 3D");
    const struct {
        const char* kind;
        std::string document;
        const char* alphaTitle;
        const char* betaTitle;
        std::size_t alphaText;
    } feeds[] = {
        {"markup", marked, "ALPHA & Orbicade", "BETA 3D", 5000},
        {"UTF-16", utf16(declared("UTF-16", plain)), "ALPHA 3D", "BETA 3D", 15},
        {"ISO-8859-1", declared("ISO-8859-1", latin), "ALPHA 3D", "B\xC3\xA9ta 3D", 15},
    };
    for (const auto& feed : feeds) {
        server::put("/update/orbicade.xml", feed.document);
        std::vector<ProductEntry> products;
        ASSERT_EQ(updateProductsOnline(install_, kDocumentUrl, nullptr, products), UpdateOutcome::success) << feed.kind;
        ASSERT_EQ(products.size(), 2u) << feed.kind;
        EXPECT_EQ(products[0].title, feed.alphaTitle) << feed.kind;
        EXPECT_EQ(products[1].title, feed.betaTitle) << feed.kind;
        EXPECT_EQ(products[0].description.size(), feed.alphaText) << feed.kind;
        EXPECT_EQ(products[1].screenshotUrl, kImages + "BETA.jpg") << feed.kind;
        EXPECT_EQ(cached("update.xml"), feed.document) << feed.kind;
    }
}

TEST_F(ProductUpdate, SecondUpdateFetchesOnlyTheDocument)
{
    serve({listed("ALPHA"), listed("BETA")});
    rebuild(true);
    // New image URLs do not matter: what the cache holds is kept.
    serve({{"ALPHA", kImages + "new.jpg", kImages + "new.bmp"}, listed("BETA")});
    const std::size_t before = server::requests().size();
    const ProductList list = rebuild(true);
    EXPECT_EQ(list.size(), 2u);
    const std::vector<std::string> all = server::requests();
    ASSERT_EQ(all.size(), before + 1);
    EXPECT_NE(all.back().find("/update/orbicade.xml"), std::string::npos);
    EXPECT_EQ(cached("ALPHA\\screenshot.jpg"), screenshotBytes("ALPHA"));
    EXPECT_EQ(outcome_, UpdateOutcome::success);
}

TEST_F(ProductUpdate, CachedPicturesCutShortAreFetchedAgain)
{
    serve({listed("ALPHA")});
    rebuild(true);
    const std::string shot = screenshotBytes("ALPHA");
    writeFile(install_ + "web\\ALPHA\\screenshot.jpg", shot.substr(0, shot.size() / 2));
    writeFile(install_ + "web\\ALPHA\\icon.bmp", iconBytes("ALPHA").substr(0, 40));
    rebuild(true);
    EXPECT_EQ(outcome_, UpdateOutcome::success);
    EXPECT_EQ(cached("ALPHA\\screenshot.jpg"), shot);
    EXPECT_EQ(cached("ALPHA\\icon.bmp"), iconBytes("ALPHA"));
    EXPECT_EQ(server::requests().size(), 3u + 3u);
}

TEST_F(ProductUpdate, CountZeroSucceedsWithNoProducts)
{
    serve({});
    std::vector<ProductEntry> records(1);
    EXPECT_EQ(updateProductsOnline(install_, kDocumentUrl, nullptr, records), UpdateOutcome::success);
    EXPECT_TRUE(records.empty());
    EXPECT_EQ(server::requests().size(), 1u);
    EXPECT_TRUE(boxes_.texts().empty());
}

TEST_F(ProductUpdate, OwnProductIsNeverListedAndAnInstalledOneOnlyAsItsInstalledRow)
{
    install("BETA", "Beta Installed");
    install("ZANDOR3D", "Zandor 3D");
    serve({listed("ZANDOR3D"), listed("BETA"), listed("ALPHA")});
    const ProductList list = rebuild(true);
    ASSERT_EQ(identifiers(list), (std::vector<std::string>{"BETA", "ALPHA"}));
    EXPECT_EQ(list[0].title, "Beta Installed");
    EXPECT_EQ(list[0].executablePath, area_ + "BETA.scr");
    EXPECT_EQ(list[0].version, "");
    for (const std::string& request : server::requests())
        EXPECT_EQ(request.find("ZANDOR3D"), std::string::npos) << request;
    EXPECT_FALSE(fileExists(install_ + "web\\ZANDOR3D\\icon.bmp"));
}

TEST_F(ProductUpdate, ADocumentThatDoesNotReadFailsTheUpdateAndTheLastGoodListStays)
{
    install("GAMMA", "Gamma 3D");
    serve({listed("ALPHA")});
    rebuild(true);
    const std::string good = cached("update.xml");
    std::string broken = documentOf({listed("ALPHA"), listed("BETA")});
    const std::string version = "<Version>2.2</Version>";
    broken.erase(broken.find(version), version.size());
    for (const std::string& document :
         {broken, std::string("<html><body>Maintenance</body></html>"), documentOf({listed("ALPHA")}).substr(0, 100)}) {
        server::put("/update/orbicade.xml", document);
        const ProductList list = rebuild(true);
        EXPECT_EQ(outcome_, UpdateOutcome::failed);
        EXPECT_EQ(identifiers(list), (std::vector<std::string>{"GAMMA", "ALPHA"}));
        EXPECT_EQ(cached("update.xml"), good);
    }
    EXPECT_EQ(identifiers(rebuild(false)), (std::vector<std::string>{"GAMMA", "ALPHA"}));
    EXPECT_TRUE(boxes_.texts().empty());
}

TEST_F(ProductUpdate, ErrorStatusesFailTheDownloadAndNothingOfTheirPagesIsStored)
{
    serve({listed("ALPHA")});
    rebuild(true);
    const std::string good = cached("update.xml");
    for (const char* url : {"http://www.orbicade.com/status/500/orbicade.xml",
                            "http://www.orbicade.com/status/404/orbicade.xml", "http://www.orbicade.com/nothing.xml"}) {
        std::vector<ProductEntry> records;
        EXPECT_EQ(updateProductsOnline(install_, url, nullptr, records), UpdateOutcome::failed) << url;
        EXPECT_EQ(cached("update.xml"), good) << url;
    }
    // A picture the server does not have fails the update; the document stays the last good one.
    serve({listed("ALPHA"), listed("BETA")});
    DeleteFileA((driver::windowsPath(UPDATE_SERVER_DIR) + "\\root\\img\\BETA.bmp").c_str());
    const ProductList list = rebuild(true);
    EXPECT_EQ(outcome_, UpdateOutcome::failed);
    EXPECT_EQ(identifiers(list), std::vector<std::string>{"ALPHA"});
    EXPECT_FALSE(fileExists(install_ + "web\\BETA\\icon.bmp"));
    EXPECT_EQ(cached("update.xml"), good);
}

TEST_F(ProductUpdate, ABodyCutShortOfItsLengthFailsAndTheCacheStaysWhole)
{
    serve({listed("ALPHA")});
    rebuild(true);
    const std::string good = cached("update.xml");
    std::vector<ProductEntry> records;
    EXPECT_EQ(updateProductsOnline(install_, "http://www.orbicade.com/cut/update/orbicade.xml", nullptr, records),
              UpdateOutcome::failed);
    EXPECT_EQ(cached("update.xml"), good);
    EXPECT_TRUE(records.empty());

    serve({listed("BETA")});
    server::put("/update/orbicade.xml",
                documentOf({{"BETA", "http://www.orbicade.com/cut/img/BETA.jpg", kImages + "BETA.bmp"}}));
    const ProductList list = rebuild(true);
    EXPECT_EQ(outcome_, UpdateOutcome::failed);
    EXPECT_EQ(identifiers(list), std::vector<std::string>{"ALPHA"});
    EXPECT_FALSE(fileExists(install_ + "web\\BETA\\screenshot.jpg"));
}

TEST_F(ProductUpdate, ARedirectIsFollowedToTheDocument)
{
    serve({listed("ALPHA")});
    std::vector<ProductEntry> records;
    EXPECT_EQ(updateProductsOnline(install_, "http://www.orbicade.com/moved/update/orbicade.xml", nullptr, records),
              UpdateOutcome::success);
    EXPECT_EQ(identifiers(records), std::vector<std::string>{"ALPHA"});
    EXPECT_EQ(cached("update.xml"), documentOf({listed("ALPHA")}));
}

TEST_F(ProductUpdate, NoServerMeansFiveAttemptsAQuarterSecondApart)
{
    install("GAMMA", "Gamma 3D");
    ProxyOverride::pointAt(server::deadPort());
    const DWORD started = GetTickCount();
    const ProductList list = rebuild(true);
    const DWORD elapsed = GetTickCount() - started;
    EXPECT_EQ(outcome_, UpdateOutcome::failed);
    EXPECT_EQ(identifiers(list), std::vector<std::string>{"GAMMA"});
    // Four pauses of 250 ms lie between the five attempts.
    EXPECT_GE(elapsed, 950u);
    EXPECT_FALSE(fileExists(install_ + "web\\update.xml"));
}

TEST_F(ProductUpdate, AServerThatClosesWithoutAnswerFailsTheUpdate)
{
    std::vector<ProductEntry> records;
    EXPECT_EQ(updateProductsOnline(install_, "http://www.orbicade.com/drop/orbicade.xml", nullptr, records),
              UpdateOutcome::failed);
    EXPECT_FALSE(server::requests().empty());
    EXPECT_FALSE(fileExists(install_ + "web\\update.xml"));
    EXPECT_TRUE(boxes_.texts().empty());
}

TEST_F(ProductUpdate, UrlsThatAreNotPlainHttpFailAtOnce)
{
    std::vector<ProductEntry> records;
    for (const char* url :
         {"https://www.orbicade.com/update/orbicade.xml", "file:///C:/x?http://", "ftp://www.orbicade.com/http://x"}) {
        const DWORD started = GetTickCount();
        EXPECT_EQ(updateProductsOnline(install_, url, nullptr, records), UpdateOutcome::failed) << url;
        EXPECT_LT(GetTickCount() - started, 250u) << url;
    }
    EXPECT_TRUE(server::requests().empty());
    EXPECT_TRUE(boxes_.texts().empty());

    // A product whose icon is not plain HTTP aborts the update: the pictures fetched
    // so far stay, the document is not taken.
    serve({listed("ALPHA"), {"BETA", kImages + "BETA.jpg", "file:///C:/x?http://"}});
    const ProductList list = rebuild(true);
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(outcome_, UpdateOutcome::failed);
    EXPECT_EQ(filesBelow(install_), (std::vector<std::string>{"web\\ALPHA\\icon.bmp", "web\\ALPHA\\screenshot.jpg",
                                                              "web\\BETA\\screenshot.jpg"}));
}

TEST_F(ProductUpdate, HostileIdentifiersWriteNothingAndTheOtherProductsStay)
{
    const std::vector<std::string> hostile = {
        "..",    "..\\..\\escaped", "../up",  "C:\\evil",          "x:y", "CON", "nul.txt",
        "star*", "trail.",          "trail ", std::string(65, 'L')};
    std::vector<Product> products;
    for (const std::string& id : hostile)
        products.push_back({id, kImages + "GOOD.jpg", kImages + "GOOD.bmp"});
    products.push_back(listed("GOOD"));
    serve({listed("GOOD")});
    server::put("/update/orbicade.xml", documentOf(products));
    const ProductList list = rebuild(true);
    EXPECT_EQ(outcome_, UpdateOutcome::success);
    EXPECT_EQ(identifiers(list), std::vector<std::string>{"GOOD"});
    EXPECT_EQ(filesBelow(area_),
              (std::vector<std::string>{"install\\web\\GOOD\\icon.bmp", "install\\web\\GOOD\\screenshot.jpg",
                                        "install\\web\\update.xml"}));
    EXPECT_EQ(server::requests().size(), 3u);
}

TEST_F(ProductUpdate, OversizeBodiesFailTheirDownloadWithNothingWritten)
{
    serve({listed("ALPHA")});
    rebuild(true);
    const std::string oldDocument = cached("update.xml");
    server::put("/update/orbicade.xml", documentOf({listed("ALPHA")}) + std::string((1 << 20), ' '));
    EXPECT_EQ(identifiers(rebuild(true)), std::vector<std::string>{"ALPHA"});
    EXPECT_EQ(outcome_, UpdateOutcome::failed);
    EXPECT_EQ(cached("update.xml"), oldDocument);

    serve({listed("BETA"), listed("GAMMA")});
    server::put("/img/BETA.jpg", "\xFF\xD8" + std::string((8 << 20) - 1, 'j') + "\xFF\xD9");
    server::put("/img/GAMMA.bmp", std::string((1 << 20) + 1, 'b'));
    EXPECT_EQ(identifiers(rebuild(true)), std::vector<std::string>{"ALPHA"});
    EXPECT_FALSE(fileExists(install_ + "web\\BETA\\screenshot.jpg"));
    server::put("/img/BETA.jpg", "\xFF\xD8" + std::string((8 << 20) - 4, 'j') + "\xFF\xD9");
    EXPECT_EQ(identifiers(rebuild(true)), std::vector<std::string>{"ALPHA"});
    EXPECT_EQ(outcome_, UpdateOutcome::failed);
    EXPECT_EQ(cached("BETA\\screenshot.jpg").size(), 8u << 20);
    EXPECT_TRUE(fileExists(install_ + "web\\GAMMA\\screenshot.jpg"));
    EXPECT_FALSE(fileExists(install_ + "web\\GAMMA\\icon.bmp"));
    EXPECT_EQ(cached("update.xml"), oldDocument);
}

TEST_F(ProductUpdate, UnwritableCacheIsReportedAsSuch)
{
    // A file where the cache folder should be: nothing can be written below it.
    writeFile(install_ + "web", "not a folder");
    serve({listed("ALPHA")});
    EXPECT_TRUE(rebuild(true).empty());
    EXPECT_EQ(outcome_, UpdateOutcome::cannotSave);
}

TEST_F(ProductUpdate, EmptyInstallPathIsReportedOnlineAndOffline)
{
    ASSERT_TRUE(driver::setString(kProduct, "InstallPath", ""));
    install("GAMMA", "Gamma 3D");
    serve({listed("ALPHA")});
    EXPECT_EQ(identifiers(rebuild(true)), std::vector<std::string>{"GAMMA"});
    EXPECT_EQ(outcome_, UpdateOutcome::noInstallPath);
    EXPECT_EQ(identifiers(rebuild(false)), std::vector<std::string>{"GAMMA"});
    EXPECT_EQ(outcome_, UpdateOutcome::noInstallPath);
    EXPECT_TRUE(server::requests().empty());
    EXPECT_TRUE(boxes_.texts().empty());
}

TEST_F(ProductUpdate, CancelEndsAStalledDownloadWithinASecondAndKeepsTheList)
{
    serve({listed("ALPHA")});
    rebuild(true);
    for (const char* url : {"http://www.orbicade.com/stall/orbicade.xml", "http://www.orbicade.com/trickle/o.xml"}) {
        std::vector<ProductEntry> records;
        const DWORD cancelAt = GetTickCount() + 1500;
        sink_.cancelAt(cancelAt);
        EXPECT_EQ(updateProductsOnline(install_, url, &sink_, records), UpdateOutcome::cancelled) << url;
        const DWORD late = GetTickCount() - cancelAt;
        std::printf("%s: ended %lu ms after Cancel\n", url, static_cast<unsigned long>(late));
        EXPECT_LT(late, 1000u) << url;
        EXPECT_TRUE(records.empty());
    }
    RecordingSink cancelling;
    cancelling.cancelAt(GetTickCount() + 1000);
    server::put("/update/orbicade.xml",
                documentOf({listed("ALPHA"), {"BETA", "http://www.orbicade.com/stall/b.jpg", ""}}));
    ProductList list;
    EXPECT_EQ(rebuildProductList(list, {}, install_, true, &cancelling), UpdateOutcome::cancelled);
    EXPECT_EQ(identifiers(list), std::vector<std::string>{"ALPHA"});
}

TEST_F(ProductUpdate, FifteenSecondsWithoutAByteFailTheDownload)
{
    for (const char* url : {"http://www.orbicade.com/stall/orbicade.xml", "http://www.orbicade.com/trickle/o.xml"}) {
        std::vector<ProductEntry> records;
        const DWORD started = GetTickCount();
        EXPECT_EQ(updateProductsOnline(install_, url, &sink_, records), UpdateOutcome::failed) << url;
        const DWORD elapsed = GetTickCount() - started;
        std::printf("%s: failed after %lu ms\n", url, static_cast<unsigned long>(elapsed));
        EXPECT_GE(elapsed, 15000u) << url;
        EXPECT_LT(elapsed, 17000u) << url;
    }
}

// A list near the document limit: it reads at once, its pictures come one
// after another with the sink pumped between them, and Cancel still ends it.
TEST_F(ProductUpdate, ThousandsOfProductsReadQuicklyAndCancelStillEndsTheirPictures)
{
    std::vector<Product> products;
    for (int i = 1; i <= 3000; ++i)
        products.push_back({"P" + std::to_string(i), kImages + "one.jpg", kImages + "one.bmp"});
    const std::string document = documentOf(products);
    ASSERT_LT(document.size(), 1u << 20);
    server::put("/update/orbicade.xml", document);
    server::put("/img/one.jpg", screenshotBytes("one"));
    server::put("/img/one.bmp", iconBytes("one"));
    const DWORD started = GetTickCount();
    sink_.cancelAt(started + 4000);
    std::vector<ProductEntry> records;
    EXPECT_EQ(updateProductsOnline(install_, kDocumentUrl, &sink_, records), UpdateOutcome::cancelled);
    const DWORD took = GetTickCount() - started;
    const std::size_t pictures = server::requests().size() - 1;
    std::printf("[ figures ] %zu-byte document of 3000 products; %zu pictures fetched before Cancel at 4 s; "
                "ended after %lu ms\n",
                document.size(), pictures, static_cast<unsigned long>(took));
    EXPECT_LT(took, 5000u);
    EXPECT_GT(pictures, 0u);
    EXPECT_FALSE(fileExists(install_ + "web\\update.xml"));

    XmlReader reader;
    const DWORD parsing = GetTickCount();
    ASSERT_TRUE(reader.parse(document.data(), document.size()));
    ASSERT_TRUE(readProductDocument(reader, records));
    std::printf("[ figures ] reading the 3000 products took %lu ms\n",
                static_cast<unsigned long>(GetTickCount() - parsing));
    EXPECT_EQ(records.size(), 3000u);
}

// The names of the files created in the folder while the action runs, as the
// file system reports them (a file renamed into place is not created). The watch
// ends after 2 s without news, which leaves a loaded machine time to report.
template <typename Action> std::vector<std::string> filesCreatedDuring(const std::string& folder, Action action)
{
    std::vector<std::string> names;
    HANDLE watched =
        CreateFileA(folder.c_str(), FILE_LIST_DIRECTORY, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OVERLAPPED, nullptr);
    if (watched == INVALID_HANDLE_VALUE)
        return {"(the folder cannot be watched)"};
    alignas(DWORD) char buffer[16384];
    OVERLAPPED overlapped = {};
    overlapped.hEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    const auto watch = [&] {
        ResetEvent(overlapped.hEvent);
        return ReadDirectoryChangesW(watched, buffer, sizeof buffer, FALSE, FILE_NOTIFY_CHANGE_FILE_NAME, nullptr,
                                     &overlapped, nullptr);
    };
    bool watching = watch();
    action();
    DWORD length = 0;
    while (watching && WaitForSingleObject(overlapped.hEvent, 2000) == WAIT_OBJECT_0 &&
           GetOverlappedResult(watched, &overlapped, &length, FALSE) && length > 0) {
        for (DWORD at = 0;;) {
            const auto* entry = reinterpret_cast<const FILE_NOTIFY_INFORMATION*>(buffer + at);
            if (entry->Action == FILE_ACTION_ADDED) {
                const std::wstring wide(entry->FileName, entry->FileNameLength / sizeof(WCHAR));
                names.emplace_back(wide.begin(), wide.end());
            }
            if (entry->NextEntryOffset == 0)
                break;
            at += entry->NextEntryOffset;
        }
        watching = watch();
    }
    CancelIo(watched);
    CloseHandle(overlapped.hEvent);
    CloseHandle(watched);
    return names;
}

TEST(CacheFiles, WritingCreatesTheFoldersAndProbesLeaveNothingBehind)
{
    const std::string area = driver::windowsPath(UPDATE_TEST_DIR) + "\\files\\";
    removeTree(area);
    EXPECT_FALSE(fileExists(""));
    EXPECT_FALSE(fileExists(area + "a\\b\\c.bin"));
    ASSERT_TRUE(writeWholeFile(area + "a\\b\\c.bin", "x\0y", 3));
    EXPECT_EQ(readFile(area + "a\\b\\c.bin"), std::string("x\0y", 3));
    EXPECT_TRUE(canWriteFile(area + "a\\"));
    EXPECT_EQ(filesBelow(area), std::vector<std::string>{"a\\b\\c.bin"});
    // Below a file no folder can be made.
    EXPECT_FALSE(makeDirectoriesFor(area + "a\\b\\c.bin\\d.bin"));
    EXPECT_FALSE(writeWholeFile(area + "a\\b\\c.bin\\d.bin", "z", 1));
    EXPECT_EQ(filesBelow(area), std::vector<std::string>{"a\\b\\c.bin"});
    removeTree(area);
}

// A program killed at any moment of a write leaves at most a side file, never a
// file of the target's name that is not whole: the target is only ever renamed into place.
TEST(CacheFiles, NoFileOfTheTargetsNameIsEverCreatedInPlace)
{
    const std::string area = driver::windowsPath(UPDATE_TEST_DIR) + "\\files\\";
    removeTree(area);
    ASSERT_TRUE(writeWholeFile(area + "first.bin", "1", 1));
    const std::vector<std::string> created = filesCreatedDuring(area, [&] {
        EXPECT_TRUE(makeDirectoriesFor(area + "probed.bin"));
        EXPECT_TRUE(writeWholeFile(area + "new.bin", "22", 2));
        EXPECT_TRUE(writeWholeFile(area + "first.bin", "333", 3));
    });
    EXPECT_FALSE(created.empty()) << "the watch saw nothing";
    for (const std::string& name : created)
        EXPECT_TRUE(name.find(".partial") != std::string::npos) << name << " was created in place";
    EXPECT_EQ(filesBelow(area), (std::vector<std::string>{"first.bin", "new.bin"}));
    EXPECT_EQ(readFile(area + "first.bin"), "333");
    removeTree(area);
}

}
