#include "update/XmlReader.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <string>

namespace {

std::string valueOf(const XmlReader& reader, const char* key)
{
    std::string value = "<none>";
    reader.getString(key, value);
    return value;
}

std::string element(const std::string& name, const std::string& text)
{
    return "<" + name + ">" + text + "</" + name + ">";
}

TEST(XmlReaderParse, EmptyOrWhiteSpaceOnlyTextSucceedsWithoutEntries)
{
    XmlReader reader;
    EXPECT_TRUE(reader.parse(""));
    EXPECT_TRUE(reader.entries().empty());
    EXPECT_TRUE(reader.parse(" \t\r\n\v\f "));
    EXPECT_TRUE(reader.entries().empty());
}

TEST(XmlReaderParse, DeclarationThenNestedElementsGiveDottedPaths)
{
    XmlReader reader;
    ASSERT_TRUE(
        reader.parse("<?xml version=\"1.0\"?>\n<English>\n  <ProductsList>\n    <Count>3</Count>\n"
                     "    <Product1><ID>ALPHA</ID><Title>Alpha</Title></Product1>\n  </ProductsList>\n</English>\n"));
    ASSERT_EQ(reader.entries().size(), 3u);
    EXPECT_EQ(reader.entries()[0].path, "English.ProductsList.Count");
    EXPECT_EQ(reader.entries()[0].value, "3");
    EXPECT_EQ(reader.entries()[1].path, "English.ProductsList.Product1.ID");
    EXPECT_EQ(reader.entries()[2].path, "English.ProductsList.Product1.Title");
    EXPECT_EQ(reader.entries()[2].value, "Alpha");
}

TEST(XmlReaderParse, MarkupBesidesElementsAndTextIsSkipped)
{
    XmlReader reader;
    ASSERT_TRUE(reader.parse("<?xml version=\"1.0\"?>\n<!DOCTYPE r [<!ELEMENT r ANY>]>\n<!-- made by hand -->"
                             "<r lang=\"en\"><?pi x?><a id=\"7\" b='2'>1<!-- mid -->2</a><c/><d></d>"
                             "<e><![CDATA[<b>&amp;</b>]]></e></r><?end?>"));
    ASSERT_EQ(reader.entries().size(), 4u);
    EXPECT_EQ(valueOf(reader, "r.a"), "12");
    EXPECT_EQ(valueOf(reader, "r.c"), "");
    EXPECT_EQ(valueOf(reader, "r.d"), "");
    EXPECT_EQ(valueOf(reader, "r.e"), "<b>&amp;</b>");
}

TEST(XmlReaderParse, ReferencesAreDecodedToUtf8)
{
    XmlReader reader;
    ASSERT_TRUE(reader.parse("<r><a>Rock &amp; Roll &#39;n&#39; &#x20AC;5 &lt;&gt;&quot;&apos;</a>"
                             "<b>http://h/get?id=7&amp;lang=en</b></r>"));
    EXPECT_EQ(valueOf(reader, "r.a"), "Rock & Roll 'n' \xE2\x82\xAC"
                                      "5 <>\"'");
    EXPECT_EQ(valueOf(reader, "r.b"), "http://h/get?id=7&lang=en");
}

TEST(XmlReaderParse, NamespacesLeaveTheLocalNames)
{
    XmlReader reader;
    ASSERT_TRUE(reader.parse("<English xmlns=\"urn:o\" xmlns:p=\"urn:p\"><p:Count>2</p:Count></English>"));
    EXPECT_EQ(valueOf(reader, "English.Count"), "2");
}

TEST(XmlReaderParse, EncodingsBecomeUtf8)
{
    XmlReader reader;
    ASSERT_TRUE(reader.parse("\xEF\xBB\xBF<a>\xCE\xB1\xE6\x97\xA5</a>"));
    EXPECT_EQ(valueOf(reader, "a"), "\xCE\xB1\xE6\x97\xA5");
    ASSERT_TRUE(reader.parse("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><a>caf\xE9</a>"));
    EXPECT_EQ(valueOf(reader, "a"), "caf\xC3\xA9");
    ASSERT_TRUE(reader.parse("<?xml version=\"1.0\" encoding=\"windows-1252\"?><a>\x80\xE9</a>"));
    EXPECT_EQ(valueOf(reader, "a"), "\xE2\x82\xAC\xC3\xA9");
    EXPECT_FALSE(reader.parse("<?xml version=\"1.0\" encoding=\"x-unknown\"?><a>1</a>"));
    // UTF-16, little-endian with its byte order mark: "<a>é</a>".
    const char utf16[] = "\xFF\xFE<\0a\0>\0\xE9\0<\0/\0a\0>\0";
    ASSERT_TRUE(reader.parse(utf16, sizeof utf16 - 1));
    EXPECT_EQ(valueOf(reader, "a"), "\xC3\xA9");
}

TEST(XmlReaderParse, TextKeepsItsWhiteSpaceAndLineBreaksBecomeLineFeeds)
{
    XmlReader reader;
    ASSERT_TRUE(reader.parse("<a>\n  v\n</a>"));
    EXPECT_EQ(valueOf(reader, "a"), "\n  v\n");
    ASSERT_TRUE(reader.parse("<r><a>\r\n1\r\n</a><b>  </b></r>"));
    EXPECT_EQ(valueOf(reader, "r.a"), "\n1\n");
    EXPECT_EQ(valueOf(reader, "r.b"), "  ");
}

TEST(XmlReaderParse, MixedContentGivesOneEntryPerTextThatIsNotBlank)
{
    XmlReader reader;
    ASSERT_TRUE(reader.parse("<a>one<b>inner</b>\n  <c/>two</a>"));
    ASSERT_EQ(reader.entries().size(), 4u);
    EXPECT_EQ(reader.entries()[0].path, "a");
    EXPECT_EQ(reader.entries()[0].value, "one");
    EXPECT_EQ(reader.entries()[1].path, "a.b");
    EXPECT_EQ(reader.entries()[2].path, "a.c");
    EXPECT_EQ(reader.entries()[3].path, "a");
    EXPECT_EQ(reader.entries()[3].value, "two");
}

TEST(XmlReaderParse, MalformedDocumentsFailAndLeaveNoEntries)
{
    const char* documents[] = {
        "<a>1</a><b>2</b>",  // two root elements
        "<a>1</a>tail",  // text after the root
        "<a><b>1</a></b>",  // closes the outer element first
        "<a><b>1</b>",  // left open at the end
        "<a>1</a",  // unterminated tag
        "<a>1</A>",  // names are case-sensitive
        "<a>&nope;</a>",  // an entity nobody declared
        "<a>&#0;</a>",  // no such character
        "<a>\xC3</a>",  // cut UTF-8
        "<a x=\"1\" x=\"2\">1</a>",
    };
    for (const char* document : documents) {
        XmlReader reader;
        ASSERT_TRUE(reader.parse("<keep>me</keep>"));
        EXPECT_FALSE(reader.parse(document)) << document;
        EXPECT_TRUE(reader.entries().empty()) << document;
    }
    XmlReader reader;
    ASSERT_TRUE(reader.parse("<a>1</a>"));
    EXPECT_FALSE(reader.parse(nullptr));
    EXPECT_TRUE(reader.entries().empty());
    EXPECT_FALSE(reader.parse(std::string("<a>1</a>\0", 9).c_str(), 9));
}

TEST(XmlReaderSafety, EntityExpansionIsRefused)
{
    std::string laughs = "<?xml version=\"1.0\"?><!DOCTYPE l [<!ENTITY l0 \"ha\">";
    for (int level = 1; level <= 9; ++level) {
        laughs += "<!ENTITY l" + std::to_string(level) + " \"";
        for (int i = 0; i < 10; ++i)
            laughs += "&l" + std::to_string(level - 1) + ";";
        laughs += "\">";
    }
    laughs += "]><l>&l9;</l>";
    XmlReader reader;
    EXPECT_FALSE(reader.parse(laughs.c_str()));
    EXPECT_TRUE(reader.entries().empty());
    // A small internal entity is fine.
    EXPECT_TRUE(reader.parse("<!DOCTYPE a [<!ENTITY n \"Zandor\">]><a>&n; 3D</a>"));
    EXPECT_EQ(valueOf(reader, "a"), "Zandor 3D");
}

TEST(XmlReaderSafety, ExternalEntitiesAreNeverRead)
{
    const std::string path = testing::TempDir() + "xml_reader_secret.txt";
    std::FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    std::fputs("secret", file);
    std::fclose(file);
    const std::string document = "<!DOCTYPE a [<!ENTITY s SYSTEM \"file://" + path + "\">]><a>x&s;y</a>";
    XmlReader reader;
    reader.parse(document.c_str());
    EXPECT_EQ(valueOf(reader, "a").find("secret"), std::string::npos);
    std::remove(path.c_str());
}

TEST(XmlReaderLimits, LongTextsReadWhole)
{
    XmlReader reader;
    ASSERT_TRUE(reader.parse(element("a", std::string(300000, 't')).c_str()));
    EXPECT_EQ(valueOf(reader, "a").size(), 300000u);
}

TEST(XmlReaderLimits, PathOf1023CharactersParsesAndLongerFails)
{
    XmlReader reader;
    const std::string outer(511, 'o');
    const std::string inner(511, 'i');
    const std::string nested = "<" + outer + ">" + element(inner, "v") + "</" + outer + ">";
    EXPECT_TRUE(reader.parse(nested.c_str()));
    EXPECT_EQ(valueOf(reader, (outer + "." + inner).c_str()), "v");
    const std::string deeper = "<" + outer + "o>" + element(inner, "v") + "</" + outer + "o>";
    EXPECT_FALSE(reader.parse(deeper.c_str()));
    std::string deep = "x";
    for (int depth = 0; depth < 600; ++depth)
        deep = element("a", deep);
    EXPECT_FALSE(reader.parse(deep.c_str()));
}

TEST(XmlReaderLookup, FirstMatchWinsIgnoringCase)
{
    XmlReader reader;
    ASSERT_TRUE(reader.parse("<r><x>1</x><x>2</x></r>"));
    EXPECT_EQ(reader.entries().size(), 2u);
    EXPECT_EQ(valueOf(reader, "r.x"), "1");
    EXPECT_EQ(valueOf(reader, "R.X"), "1");
}

TEST(XmlReaderLookup, KeyMustMatchTheWholePath)
{
    XmlReader reader;
    ASSERT_TRUE(reader.parse("<ab><c>1</c></ab>"));
    std::string out = "unchanged";
    EXPECT_FALSE(reader.getString("ab", out));
    EXPECT_FALSE(reader.getString("ab.c.", out));
    EXPECT_FALSE(reader.getString("b.c", out));
    EXPECT_FALSE(reader.getString(nullptr, out));
    EXPECT_EQ(out, "unchanged");
    EXPECT_TRUE(reader.getString("AB.C", out));
    EXPECT_EQ(out, "1");
}

TEST(XmlReaderLookup, GetIntFollowsDecimalConversionRules)
{
    XmlReader reader;
    ASSERT_TRUE(reader.parse("<r><a> 42abc</a><b>-17</b><c>+8</c><d>\n\t 5 6</d><e>x9</e>"
                             "<f>99999999999</f><g>-99999999999</g><h>- 3</h></r>"));
    const struct {
        const char* key;
        int expected;
    } cases[] = {{"r.a", 42}, {"r.b", -17},     {"r.c", 8},       {"r.d", 5},
                 {"r.e", 0},  {"r.f", INT_MAX}, {"r.g", INT_MIN}, {"r.h", 0}};
    for (const auto& c : cases) {
        int value = 12345;
        EXPECT_TRUE(reader.getInt(c.key, value)) << c.key;
        EXPECT_EQ(value, c.expected) << c.key;
    }
    int untouched = 12345;
    EXPECT_FALSE(reader.getInt("missing", untouched));
    EXPECT_EQ(untouched, 12345);
}

class XmlReaderFile : public ::testing::Test {
protected:
    void TearDown() override { std::remove(path_.c_str()); }

    void write(const std::string& bytes)
    {
        std::FILE* file = std::fopen(path_.c_str(), "wb");
        ASSERT_NE(file, nullptr);
        std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
    }

    std::string path_ = testing::TempDir() + "xml_reader_test.xml";
};

TEST_F(XmlReaderFile, LoadsTheWholeFileEvenWithZeroBytesInIt)
{
    write(std::string("\xFF\xFE<\0a\0>\0"
                      "1\0<\0/\0a\0>\0",
                      18));
    XmlReader reader;
    ASSERT_TRUE(reader.loadFile(path_.c_str()));
    EXPECT_EQ(valueOf(reader, "a"), "1");
}

TEST_F(XmlReaderFile, MissingFileFailsAndKeepsTheEntries)
{
    XmlReader reader;
    ASSERT_TRUE(reader.parse("<a>1</a>"));
    EXPECT_FALSE(reader.loadFile((path_ + ".missing").c_str()));
    EXPECT_FALSE(reader.loadFile(nullptr));
    EXPECT_EQ(reader.entries().size(), 1u);
}

TEST_F(XmlReaderFile, AZeroByteInAnUtf8FileFailsTheParse)
{
    write(std::string("<a>1</a>\0<b>", 12));
    XmlReader reader;
    EXPECT_FALSE(reader.loadFile(path_.c_str()));
    EXPECT_TRUE(reader.entries().empty());
}

}  // namespace
