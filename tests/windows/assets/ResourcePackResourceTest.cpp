#include <gtest/gtest.h>

#include <string>
#include <windows.h>

#include "tests/unit/assets/ExtractedText.h"
#include "tests/unit/assets/TraceCapture.h"
#include "resources/ProductStrings.h"

namespace {

std::string expectedLines()
{
    std::string text;
    for (int i = 1; i <= 2000; ++i)
        text += "line " + std::to_string(i) + "\n";
    return text;
}

}  // namespace

TEST(ResourcePackResource, ReadsTheProgramsOwnRfile)
{
    ResourcePack pack;
    ASSERT_TRUE(pack.open(IDR_RESOURCE_PACK));
    EXPECT_EQ(extractedText(pack, "hello.TXT"), "Zandor 3D test pack\n");
    EXPECT_EQ(extractedText(pack, "Lines.txt"), expectedLines());
}

TEST(ResourcePackResource, ReadsTheResourceMemoryInPlace)
{
    HRSRC located = FindResourceA(nullptr, MAKEINTRESOURCEA(IDR_RESOURCE_PACK), "rfile");
    ASSERT_NE(located, nullptr);
    char* data = static_cast<char*>(LockResource(LoadResource(nullptr, located)));
    ASSERT_EQ(std::string(data, 4), "PK\3\4");
    ResourcePack pack;
    ASSERT_TRUE(pack.open(IDR_RESOURCE_PACK));
    // Spoiling the first member's local header in the module's own memory
    // spoils its extraction: no copy of the archive stands in between.
    DWORD protection;
    ASSERT_TRUE(VirtualProtect(data, 4, PAGE_READWRITE, &protection));
    data[0] = 'X';
    EXPECT_EQ(extractedText(pack, "Hello.txt"), "<failed>");
    data[0] = 'P';
    EXPECT_EQ(extractedText(pack, "Hello.txt"), "Zandor 3D test pack\n");
    VirtualProtect(data, 4, protection, &protection);
}

TEST(ResourcePackResource, MissingResourceDoesNotOpen)
{
    TraceCapture trace;
    ResourcePack pack;
    EXPECT_FALSE(pack.open(153));
    EXPECT_EQ(trace.last(), "Can't open file \"_ResourceData\"");
}
