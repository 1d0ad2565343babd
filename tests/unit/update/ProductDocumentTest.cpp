#include "update/ProductDocument.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const char* const productKeys[] = {
    "ID", "Title", "Version", "Description.Text", "DownloadURL", "Description.ScreenshotURL", "Description.IconURL"};

// A product element with every key; skipKey leaves one out.
std::string product(int number, const std::string& id, const std::string& skipKey = "")
{
    const std::string name = "Product" + std::to_string(number);
    std::string xml = "<" + name + ">";
    if (skipKey != "ID")
        xml += "<ID>" + id + "</ID>";
    if (skipKey != "Title")
        xml += "<Title>" + id + " title</Title>";
    if (skipKey != "Version")
        xml += "<Version>1." + std::to_string(number) + "</Version>";
    xml += "<Description>";
    if (skipKey != "Description.Text")
        xml += "<Text>About " + id + "\nline two</Text>";
    if (skipKey != "Description.ScreenshotURL")
        xml += "<ScreenshotURL>http://h/" + id + ".jpg</ScreenshotURL>";
    if (skipKey != "Description.IconURL")
        xml += "<IconURL>http://h/" + id + ".bmp</IconURL>";
    xml += "</Description>";
    if (skipKey != "DownloadURL")
        xml += "<DownloadURL>http://h/" + id + ".exe</DownloadURL>";
    return xml + "</" + name + ">";
}

std::string document(const std::string& count, const std::string& products)
{
    return "<?xml version=\"1.0\"?><English><ProductsList><Count>" + count + "</Count>" + products +
           "</ProductsList></English>";
}

std::vector<ProductEntry> read(const std::string& xml, bool* ok = nullptr)
{
    XmlReader reader;
    EXPECT_TRUE(reader.parse(xml.c_str()));
    std::vector<ProductEntry> records;
    const bool result = readProductDocument(reader, records);
    if (ok)
        *ok = result;
    return records;
}

std::vector<std::string> identifiers(const std::vector<ProductEntry>& records)
{
    std::vector<std::string> ids;
    for (const ProductEntry& record : records)
        ids.push_back(record.identifier);
    return ids;
}

TEST(ProductDocument, ReadsEveryFieldOfEveryProductInOrder)
{
    bool ok = false;
    const auto records = read(document("2", product(1, "ALPHA") + product(2, "BETA")), &ok);
    ASSERT_TRUE(ok);
    ASSERT_EQ(records.size(), 2u);
    const ProductEntry& beta = records[1];
    EXPECT_EQ(beta.identifier, "BETA");
    EXPECT_EQ(beta.title, "BETA title");
    EXPECT_EQ(beta.version, "1.2");
    EXPECT_EQ(beta.description, "About BETA\nline two");
    EXPECT_EQ(beta.downloadUrl, "http://h/BETA.exe");
    EXPECT_EQ(beta.screenshotUrl, "http://h/BETA.jpg");
    EXPECT_EQ(beta.iconUrl, "http://h/BETA.bmp");
    EXPECT_EQ(records[0].identifier, "ALPHA");
}

TEST(ProductDocument, CountDecidesHowManyProductsAreRead)
{
    bool ok = false;
    EXPECT_TRUE(read(document("0", product(1, "ALPHA")), &ok).empty());
    EXPECT_TRUE(ok);
    EXPECT_TRUE(read(document("-3", ""), &ok).empty());
    EXPECT_TRUE(ok);
    EXPECT_EQ(identifiers(read(document("1", product(1, "ALPHA") + product(2, "BETA")))),
              std::vector<std::string>{"ALPHA"});
    // More products announced than written: the first missing ID rejects the document.
    EXPECT_TRUE(read(document("3", product(1, "ALPHA") + product(2, "BETA")), &ok).empty());
    EXPECT_FALSE(ok);
    EXPECT_TRUE(read(document("2147483647", product(1, "ALPHA")), &ok).empty());
    EXPECT_FALSE(ok);
}

TEST(ProductDocument, MissingCountRejectsTheDocument)
{
    XmlReader reader;
    ASSERT_TRUE(reader.parse("<English><ProductsList></ProductsList></English>"));
    std::vector<ProductEntry> records(1);
    EXPECT_FALSE(readProductDocument(reader, records));
    EXPECT_TRUE(records.empty());
}

TEST(ProductDocument, AnyMissingKeyRejectsTheWholeDocument)
{
    for (const char* key : productKeys) {
        bool ok = true;
        const auto records = read(document("2", product(1, "ALPHA") + product(2, "BETA", key)), &ok);
        EXPECT_FALSE(ok) << key;
        EXPECT_TRUE(records.empty()) << key;
    }
}

TEST(ProductDocument, OurOwnProductIsSkippedByExactComparison)
{
    bool ok = false;
    // Our own entry need not be complete: it is skipped before its other keys are read.
    const auto records =
        read(document("3", product(1, "ZANDOR3D", "Title") + product(2, "zandor3d") + product(3, "BETA")), &ok);
    EXPECT_TRUE(ok);
    EXPECT_EQ(identifiers(records), (std::vector<std::string>{"zandor3d", "BETA"}));
}

TEST(ProductDocument, ProductsAreAppendedToWhatTheListHolds)
{
    XmlReader reader;
    ASSERT_TRUE(reader.parse(document("1", product(1, "BETA")).c_str()));
    std::vector<ProductEntry> records(1);
    records[0].identifier = "EARLIER";
    ASSERT_TRUE(readProductDocument(reader, records));
    EXPECT_EQ(identifiers(records), (std::vector<std::string>{"EARLIER", "BETA"}));
}

TEST(ProductDocument, HostileIdentifiersAreSkippedAndTheOthersStay)
{
    const std::vector<std::string> hostile = {"..",           ".",
                                              "..\\..\\evil", "a/b",
                                              "C:",           "x:y",
                                              "a*",           "a?",
                                              "a\"b",         "a>b",
                                              "a|b",          "tab\tx",
                                              "name.",        "name ",
                                              "CON",          "con",
                                              "Nul.txt",      "aux .x",
                                              "COM1",         "lpt9",
                                              "PRN",          std::string(65, 'A'),
                                              "line\nx",      "del\x7f"};
    std::string products;
    int number = 1;
    for (const std::string& id : hostile)
        products += product(number++, id);
    products += product(number, "GOOD");
    bool ok = false;
    const auto records = read(document(std::to_string(number), products), &ok);
    EXPECT_TRUE(ok);
    EXPECT_EQ(identifiers(records), std::vector<std::string>{"GOOD"});
}

}
