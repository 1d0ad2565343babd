// The documents an ordinary publisher or content system writes, read by our
// reader and by Python's xml.etree: both give the same products, field for field.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "update/ProductDocument.h"

namespace {

std::string product(int number, const std::string& inner)
{
    const std::string name = "Product" + std::to_string(number);
    return "<" + name + ">" + inner + "</" + name + ">";
}

std::string fields(const std::string& id, const std::string& title, const std::string& text = "About it",
                   const std::string& link = "http://h/get")
{
    return "<ID>" + id + "</ID><Title>" + title + "</Title><Version>1.0</Version><Description><Text>" + text +
           "</Text><ScreenshotURL>http://h/s.jpg</ScreenshotURL><IconURL>http://h/i.bmp</IconURL></Description>"
           "<DownloadURL>" +
           link + "</DownloadURL>";
}

std::string list(const std::string& products, int count = 2, const std::string& root = "<English>")
{
    return root + "<ProductsList><Count>" + std::to_string(count) + "</Count>" + products + "</ProductsList></English>";
}

std::string utf16(const std::string& ascii)
{
    std::string wide = "\xFF\xFE";
    for (char c : ascii) {
        wide += c;
        wide += '\0';
    }
    return wide;
}

struct Feed {
    const char* kind;
    std::string bytes;
};

std::vector<Feed> feeds()
{
    const std::string two = product(1, fields("ALPHA", "Alpha")) + product(2, fields("BETA", "Beta"));
    return {
        {"comment", "<!-- made by the CMS -->" + list("<!-- one -->" + two)},
        {"CDATA", list(product(1, fields("ALPHA", "<![CDATA[A <b>bold</b> one]]>")) + product(2, fields("BETA", "B")))},
        {"attributes",
         list(product(1, fields("ALPHA", "Alpha")) + "<Product2 id=\"2\">" + fields("BETA", "Beta") + "</Product2>", 2,
              "<English lang=\"en\">")},
        {"self-closing", list(product(1, "<ID>ALPHA</ID><Title/><Version/><Description><Text/><ScreenshotURL/>"
                                         "<IconURL/></Description><DownloadURL/>") +
                              product(2, fields("BETA", "Beta")))},
        {"doctype", "<?xml version=\"1.0\"?>\n<!DOCTYPE English [<!ENTITY co \"Orbicade\">]>\n" +
                        list(product(1, fields("ALPHA", "&co; Alpha")) + product(2, fields("BETA", "Beta")))},
        {"namespace", list(two, 2, "<English xmlns=\"urn:orbicade:products\">")},
        {"long text",
         list(product(1, fields("ALPHA", "Alpha", std::string(3000, 'x'))) + product(2, fields("BETA", "Beta")))},
        {"references", list(product(1, fields("ALPHA", "Rock &amp; Roll &#39;n&#39; &#x20AC;5", "a &lt; b",
                                              "http://h/get?id=7&amp;lang=en")) +
                            product(2, fields("BETA", "Beta")))},
        {"CRLF", "<?xml version=\"1.0\"?>\r\n" + list(product(1, fields("ALPHA", "Alpha", "one\r\ntwo\r\n")) + "\r\n" +
                                                      product(2, fields("BETA", "Beta")))},
        {"UTF-8 with BOM", "\xEF\xBB\xBF" + list(product(1, fields("ALPHA", "\xCE\x91\xCE\xBB\xCF\x86\xCE\xB1")) +
                                                 product(2, fields("BETA", "\xE3\x83\x99\xE3\x83\xBC\xE3\x82\xBF")))},
        {"UTF-16", utf16("<?xml version=\"1.0\" encoding=\"UTF-16\"?>" + list(two))},
        {"ISO-8859-1", "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>" +
                           list(product(1, fields("ALPHA", "Caf\xE9")) + product(2, fields("BETA", "Beta")))},
        {"processing instruction", list("<?cms page=\"1\"?>" + two)},
    };
}

std::string hex(const std::string& bytes)
{
    static const char digits[] = "0123456789abcdef";
    std::string out;
    for (unsigned char c : bytes) {
        out += digits[c >> 4];
        out += digits[c & 15];
    }
    return out;
}

// One line per field, as the script prints them.
std::vector<std::string> etreeFields(const std::string& document)
{
    const std::string path = testing::TempDir() + "etree_feed.xml";
    std::FILE* file = std::fopen(path.c_str(), "wb");
    std::fwrite(document.data(), 1, document.size(), file);
    std::fclose(file);
    std::vector<std::string> lines;
    std::FILE* pipe = popen(("/usr/bin/python3 " ETREE_SCRIPT " '" + path + "'").c_str(), "r");
    if (!pipe)
        return lines;
    std::string line;
    for (int c; (c = std::fgetc(pipe)) != EOF;) {
        if (c == '\n') {
            lines.push_back(line);
            line.clear();
        } else {
            line += static_cast<char>(c);
        }
    }
    pclose(pipe);
    std::remove(path.c_str());
    return lines;
}

std::vector<std::string> ourFields(const std::string& document)
{
    XmlReader reader;
    std::vector<ProductEntry> products;
    if (!reader.parse(document.data(), document.size()) || !readProductDocument(reader, products))
        return {"unreadable"};
    std::vector<std::string> lines;
    for (const ProductEntry& p : products) {
        for (const std::string* field :
             {&p.identifier, &p.title, &p.version, &p.description, &p.screenshotUrl, &p.iconUrl, &p.downloadUrl})
            lines.push_back(hex(*field));
    }
    return lines;
}

TEST(EtreeComparison, EveryFeedAPublisherWritesGivesTheProductsEtreeReads)
{
    for (const Feed& feed : feeds()) {
        const std::vector<std::string> expected = etreeFields(feed.bytes);
        ASSERT_EQ(expected.size(), 14u) << feed.kind << ": etree did not read two products";
        EXPECT_EQ(ourFields(feed.bytes), expected) << feed.kind;
    }
}

}  // namespace
