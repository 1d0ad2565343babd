#include <gtest/gtest.h>

#include <array>
#include <string>

#include "config/ProductInfoText.h"

namespace {
using Lines = std::array<std::string, 3>;
}

TEST(ProductInfoText, DescriptionSplitsIntoThreeLinesSkipsBlankRunsAndNeverReadsPastTheText)
{
    EXPECT_EQ(splitDescription("one\ntwo\nthree\nfour\n"), (Lines{"one", "two", "three"}));
    EXPECT_EQ(splitDescription("only"), (Lines{"only", "", ""}));
    EXPECT_EQ(splitDescription("one\n\n  two\n"), (Lines{"one", "two", ""}));
    EXPECT_EQ(splitDescription(""), (Lines{"", "", ""}));
    EXPECT_EQ(splitDescription("\nlate"), (Lines{"", "", ""}));
    EXPECT_EQ(splitDescription("a\nb"), (Lines{"a", "b", ""}));
    // A terminator inside the text does not end what the string holds.
    EXPECT_EQ(splitDescription(std::string("x\0y\nz", 5)), (Lines{std::string("x\0y", 3), "z", ""}));
}

TEST(ProductInfoText, LinesLongerThan255CharactersAreCutThere)
{
    const std::string longLine(1000, 'q');
    const Lines lines = splitDescription("short\n" + longLine + "\n" + std::string(255, 'r'));
    EXPECT_EQ(lines[0], "short");
    EXPECT_EQ(lines[1], std::string(255, 'q'));
    EXPECT_EQ(lines[2], std::string(255, 'r'));
}

TEST(ProductInfoText, OnlyHttpAndHttpsLinksMayReachTheShell)
{
    for (const char* link : {"http://get.test/a.exe", "https://get.test/", "HTTP://X", "Https://y"})
        EXPECT_TRUE(isWebLink(link)) << link;
    for (const char* link :
         {"", "http:/x", "http", "ftp://get.test/", "file:///c:/windows/notepad.exe", "C:\\windows\\notepad.exe",
          " http://x", "javascript:alert(1)", "httpx://y", "\\\\server\\share\\setup.exe"})
        EXPECT_FALSE(isWebLink(link)) << link;
}
