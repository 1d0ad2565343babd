#include <gtest/gtest.h>

#include <string>

#include "update/ProductCache.h"
#include "update/ProductMerge.h"
#include "update/UpdateLimits.h"

namespace {

TEST(UpdateLimits, PlainProductNamesAreSafeIdentifiers)
{
    for (const char* id : {"ALPHA", "Sky Dome 3D", "x", "CONSOLE", "COM10", "LPT", "a.b", "v1.2-beta_3", "caf\xc3\xa9"})
        EXPECT_TRUE(isSafeIdentifier(id)) << id;
    EXPECT_TRUE(isSafeIdentifier(std::string(64, 'A')));
    EXPECT_FALSE(isSafeIdentifier(std::string(65, 'A')));
    EXPECT_FALSE(isSafeIdentifier("com7.dat"));
    EXPECT_FALSE(isSafeIdentifier(""));
    EXPECT_FALSE(isSafeIdentifier("a<b"));
    EXPECT_FALSE(isSafeIdentifier(std::string("a\0b", 3)));
}

TEST(UpdateLimits, OnlyUrlsBeginningWithTheHttpSchemeAreFetched)
{
    for (const char* url : {"http://host/x.xml", "HTTP://host/x", "Http://127.0.0.1:8080/a?b=c"})
        EXPECT_TRUE(isHttpUrl(url)) << url;
    for (const char* url : {"https://host/x", "file:///C:/x?http://", "ftp://host/http://x", " http://host/x",
                            "http://", "", "http://host/a b", "http://host/x\r\nHost: other", "\nhttp://host/"})
        EXPECT_FALSE(isHttpUrl(url)) << url;
}

TEST(ProductCache, PathsLieUnderTheWebFolderOfTheInstallPath)
{
    EXPECT_EQ(cacheFolder("C:\\Zandor\\"), "C:\\Zandor\\web\\");
    EXPECT_EQ(cachedDocumentPath("C:\\Zandor\\"), "C:\\Zandor\\web\\update.xml");
    EXPECT_EQ(cachedScreenshotPath("C:\\Zandor\\", "ALPHA"), "C:\\Zandor\\web\\ALPHA\\screenshot.jpg");
    EXPECT_EQ(cachedIconPath("C:\\Zandor\\", "ALPHA"), "C:\\Zandor\\web\\ALPHA\\icon.bmp");
    // No separator is added: the installer writes the path with its trailing backslash.
    EXPECT_EQ(cachedDocumentPath("D:\\z"), "D:\\zweb\\update.xml");
}

ProductEntry record(const std::string& id)
{
    ProductEntry product;
    product.identifier = id;
    product.title = id + " title";
    product.version = "2.0";
    product.description = "text";
    product.downloadUrl = "http://h/dl";
    product.screenshotPath = "C:\\web\\" + id + "\\screenshot.jpg";
    product.iconPath = "C:\\web\\" + id + "\\icon.bmp";
    return product;
}

TEST(ProductMerge, InstalledMembersFirstThenDocumentProductsNotInstalled)
{
    const std::vector<FamilyEntry> installed = {{"Beta 3D", "BETA", "C:\\beta.scr"},
                                                {"Zandor 3D", "ZANDOR3D", "C:\\z.scr"},
                                                {"Gamma 3D", "GAMMA", "C:\\g.scr"}};
    const std::vector<ProductEntry> records = {record("ALPHA"), record("BETA"), record("DELTA"), record("ALPHA")};
    ProductList list(3);
    mergeProductList(installed, records, list);
    ASSERT_EQ(list.size(), 4u);
    EXPECT_EQ(list[0].identifier, "BETA");
    EXPECT_EQ(list[1].identifier, "GAMMA");
    EXPECT_EQ(list[2].identifier, "ALPHA");
    EXPECT_EQ(list[3].identifier, "DELTA");

    // The installed row wins whole: nothing of the document's BETA is merged into it.
    EXPECT_EQ(list[0].title, "Beta 3D");
    EXPECT_EQ(list[0].executablePath, "C:\\beta.scr");
    EXPECT_EQ(list[0].version, "");
    EXPECT_EQ(list[0].screenshotPath, "");

    const ProductEntry& alpha = list[2];
    EXPECT_EQ(alpha.title, "ALPHA title");
    EXPECT_EQ(alpha.version, "2.0");
    EXPECT_EQ(alpha.description, "text");
    EXPECT_EQ(alpha.downloadUrl, "http://h/dl");
    EXPECT_EQ(alpha.screenshotPath, "C:\\web\\ALPHA\\screenshot.jpg");
    EXPECT_EQ(alpha.iconPath, "C:\\web\\ALPHA\\icon.bmp");
    EXPECT_EQ(alpha.executablePath, "");
}

}
