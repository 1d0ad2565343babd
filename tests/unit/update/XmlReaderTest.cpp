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

TEST(XmlReaderParse, DeclarationsAreSkippedWhereverTheyStand)
{
    XmlReader reader;
    ASSERT_TRUE(reader.parse("<a><?pi x?>1<? ?></a><?end?>"));
    ASSERT_EQ(reader.entries().size(), 1u);
    EXPECT_EQ(reader.entries()[0].path, "a");
    EXPECT_EQ(reader.entries()[0].value, "1");
}

TEST(XmlReaderParse, AttributesBecomePartOfTheName)
{
    XmlReader reader;
    ASSERT_TRUE(reader.parse("<item id=\"7\">x</item id=\"7\">"));
    EXPECT_EQ(valueOf(reader, "item id=\"7\""), "x");
    // The closing name is compared with the end of the path only.
    EXPECT_FALSE(reader.parse("<item id=\"7\">x</item>"));
}

TEST(XmlReaderParse, TextKeepsItsBytesExactly)
{
    XmlReader reader;
    ASSERT_TRUE(reader.parse("<a>\n  v\n</a>"));
    EXPECT_EQ(valueOf(reader, "a"), "\n  v\n");
    ASSERT_TRUE(reader.parse("<a> &amp; \xC3\xA9 </a>"));
    EXPECT_EQ(valueOf(reader, "a"), " &amp; \xC3\xA9 ");
}

TEST(XmlReaderParse, EveryTextRunIsItsOwnEntryIncludingTopLevel)
{
    XmlReader reader;
    ASSERT_TRUE(reader.parse("top<a>one<b>inner</b>two</a>"));
    ASSERT_EQ(reader.entries().size(), 4u);
    EXPECT_EQ(reader.entries()[0].path, "");
    EXPECT_EQ(reader.entries()[0].value, "top");
    EXPECT_EQ(reader.entries()[1].path, "a");
    EXPECT_EQ(reader.entries()[2].path, "a.b");
    EXPECT_EQ(reader.entries()[3].path, "a");
    EXPECT_EQ(reader.entries()[3].value, "two");
}

TEST(XmlReaderParse, CloseChecksOnlyTheTrailingCharacters)
{
    XmlReader reader;
    EXPECT_TRUE(reader.parse("<ab>1</b>"));
    EXPECT_TRUE(reader.parse("<a><b>1</a.b>"));
    // "a.bc" less "c" and the character before it leaves "a.", which "a" cannot close.
    EXPECT_FALSE(reader.parse("<a><bc>1</c></a>"));
    EXPECT_FALSE(reader.parse("<a>1</A>"));
    EXPECT_FALSE(reader.parse("</a>"));
}

TEST(XmlReaderParse, MalformedDocumentsFailAndLeaveNoEntries)
{
    const char* documents[] = {
        "<a>1</a><b>2</b>tail",  // text after the last tag
        "<a><b>1</a>",  // closes the outer element first
        "<a><b>1</b>",  // left open at the end
        "<a>1</a",  // unterminated tag
        "<a>1</a><",  // a cut-off tag at the very end
        "<a>1</a>< \n",
        "<!-- note --><a>1</a>",  // comments never close
        "<a><br/>1</a>",  // nor do self-closing elements
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
}

TEST(XmlReaderLimits, TagContentOf1023CharactersParsesAnd1024Fails)
{
    XmlReader reader;
    // A closing tag counts its "/" too, so the 1023-character name is closed by its tail.
    const std::string name1023(1023, 'n');
    EXPECT_TRUE(reader.parse(("<" + name1023 + ">v</" + name1023.substr(1) + ">").c_str()));
    EXPECT_EQ(valueOf(reader, name1023.c_str()), "v");
    EXPECT_FALSE(reader.parse(element(name1023, "v").c_str()));
    const std::string name1024(1024, 'n');
    EXPECT_FALSE(reader.parse(("<" + name1024 + ">v</" + name1023.substr(1) + ">").c_str()));
    EXPECT_TRUE(reader.entries().empty());
    EXPECT_TRUE(reader.parse(("<?" + std::string(1021, 'd') + "?>").c_str()));
    EXPECT_FALSE(reader.parse(("<?" + std::string(1022, 'd') + "?>").c_str()));
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

TEST(XmlReaderLimits, TextRunOf1023CharactersParsesAnd1024Fails)
{
    XmlReader reader;
    EXPECT_TRUE(reader.parse(element("a", std::string(1023, 't')).c_str()));
    EXPECT_EQ(valueOf(reader, "a").size(), 1023u);
    EXPECT_FALSE(reader.parse(element("a", std::string(1024, 't')).c_str()));
    // Leading white space counts towards the run.
    EXPECT_FALSE(reader.parse(element("a", " " + std::string(1023, 't')).c_str()));
}

TEST(XmlReaderLookup, FirstMatchWinsIgnoringCase)
{
    XmlReader reader;
    ASSERT_TRUE(reader.parse("<x>1</x><x>2</x>"));
    EXPECT_EQ(reader.entries().size(), 2u);
    EXPECT_EQ(valueOf(reader, "x"), "1");
    EXPECT_EQ(valueOf(reader, "X"), "1");
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
    ASSERT_TRUE(reader.parse("<a> 42abc</a><b>-17</b><c>+8</c><d>\n\t 5 6</d><e>x9</e>"
                             "<f>99999999999</f><g>-99999999999</g><h>- 3</h>"));
    const struct {
        const char* key;
        int expected;
    } cases[] = {{"a", 42}, {"b", -17}, {"c", 8}, {"d", 5}, {"e", 0}, {"f", INT_MAX}, {"g", INT_MIN}, {"h", 0}};
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

TEST_F(XmlReaderFile, LoadsTheFileByteForByte)
{
    write("<a>\r\n1\r\n</a>");
    XmlReader reader;
    ASSERT_TRUE(reader.loadFile(path_.c_str()));
    EXPECT_EQ(valueOf(reader, "a"), "\r\n1\r\n");
}

TEST_F(XmlReaderFile, MissingFileFailsAndKeepsTheEntries)
{
    XmlReader reader;
    ASSERT_TRUE(reader.parse("<a>1</a>"));
    EXPECT_FALSE(reader.loadFile((path_ + ".missing").c_str()));
    EXPECT_FALSE(reader.loadFile(nullptr));
    EXPECT_EQ(reader.entries().size(), 1u);
}

TEST_F(XmlReaderFile, TextStopsAtAZeroByte)
{
    write(std::string("<a>1</a>\0<b>", 12));
    XmlReader reader;
    EXPECT_TRUE(reader.loadFile(path_.c_str()));
    EXPECT_EQ(reader.entries().size(), 1u);
}

}  // namespace
