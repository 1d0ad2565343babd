#include <gtest/gtest.h>

#include <cstring>

#include "ExtractedText.h"
#include "TestZip.h"
#include "TraceCapture.h"

namespace {

const std::string longName(300, 'n');

std::string repeated(const std::string& text, int times)
{
    std::string result;
    for (int i = 0; i < times; ++i)
        result += text + std::to_string(i);
    return result;
}

std::vector<TestMember> sampleMembers()
{
    return {{"Flare1.jpg", "flare one"},
            {"Same.txt", "earlier"},
            {"SAME.TXT", "later"},
            {"empty.dat", ""},
            {longName, "long"},
            {"stored.bin", repeated("stored", 300), false},
            {"deflated.bin", repeated("deflated", 3000)}};
}

// Offset of the nth occurrence of a ZIP record signature.
size_t record(const std::vector<uint8_t>& zip, uint8_t kind, int nth = 0)
{
    for (size_t i = 0; i + 4 <= zip.size(); ++i) {
        if (zip[i] == 'P' && zip[i + 1] == 'K' && zip[i + 2] == kind && zip[i + 3] == kind + 1 && nth-- == 0)
            return i;
    }
    return std::string::npos;
}

void poke32(std::vector<uint8_t>& zip, size_t offset, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        zip[offset + i] = static_cast<uint8_t>(value >> (8 * i));
}

class ResourcePackTest : public ::testing::Test {
protected:
    std::vector<uint8_t> zip = makeZip(sampleMembers());
    ResourcePack pack;
    TraceCapture trace;
};

}  // namespace

TEST_F(ResourcePackTest, FindsMembersIgnoringCaseFirstMatchWinning)
{
    ASSERT_TRUE(pack.openMemory(zip.data(), zip.size()));
    EXPECT_EQ(extractedText(pack, "flare1.jpg"), "flare one");
    EXPECT_EQ(extractedText(pack, "same.txt"), "earlier");
    EXPECT_EQ(extractedText(pack, "SAME.TXT"), "earlier");
    EXPECT_EQ(extractedText(pack, "stored.bin"), repeated("stored", 300));
    EXPECT_EQ(extractedText(pack, "deflated.bin"), repeated("deflated", 3000));
    EXPECT_EQ(trace.count(), 0);
}

TEST_F(ResourcePackTest, MissingMemberLeavesOutputUntouched)
{
    ASSERT_TRUE(pack.openMemory(zip.data(), zip.size()));
    void* sentinel = &pack;
    void* out = sentinel;
    EXPECT_EQ(pack.extract("missing.txt", &out), 0u);
    EXPECT_EQ(out, sentinel);
    EXPECT_EQ(trace.last(), "File \"_ResourceData:missing.txt\" not found");
}

TEST_F(ResourcePackTest, EmptyMemberGivesZeroAndNoBuffer)
{
    ASSERT_TRUE(pack.openMemory(zip.data(), zip.size()));
    EXPECT_EQ(extractedText(pack, "empty.dat"), "<failed>");
}

TEST_F(ResourcePackTest, OverlongNamesAreNeverMatched)
{
    ASSERT_TRUE(pack.openMemory(zip.data(), zip.size()));
    EXPECT_EQ(extractedText(pack, longName.c_str()), "<failed>");
    EXPECT_EQ(extractedText(pack, longName.substr(0, 255).c_str()), "<failed>");
    EXPECT_EQ(extractedText(pack, longName.substr(0, 256).c_str()), "<failed>");
    EXPECT_EQ(extractedText(pack, "stored.bin"), repeated("stored", 300));
}

TEST_F(ResourcePackTest, TwoExtractionsGiveIndependentBuffers)
{
    ASSERT_TRUE(pack.openMemory(zip.data(), zip.size()));
    void* first = nullptr;
    void* second = nullptr;
    ASSERT_EQ(pack.extract("Flare1.jpg", &first), 9u);
    ASSERT_EQ(pack.extract("Flare1.jpg", &second), 9u);
    EXPECT_NE(first, second);
    std::memset(first, 0, 9);
    pack.close();
    EXPECT_EQ(std::string(static_cast<char*>(second), 9), "flare one");
    free(first);
    free(second);
}

TEST_F(ResourcePackTest, RefusesWhatIsNoArchive)
{
    const uint8_t text[] = "not an archive at all";
    EXPECT_FALSE(pack.openMemory(text, sizeof text));
    EXPECT_EQ(trace.last(), "Can't open file \"_ResourceData\"");
    EXPECT_FALSE(pack.openMemory(nullptr, 0));
    EXPECT_FALSE(pack.openMemory(zip.data(), size_t(UINT32_MAX) + 1));
    EXPECT_EQ(extractedText(pack, "Flare1.jpg"), "<failed>");
    EXPECT_EQ(trace.last(), "File \"_ResourceData:Flare1.jpg\" not found");
}

TEST_F(ResourcePackTest, DamagedCopiesGiveTheTrueBytesOrNothing)
{
    std::vector<TestMember> members = sampleMembers();
    std::vector<std::vector<uint8_t>> copies;
    for (size_t length = 0; length < zip.size(); ++length)
        copies.emplace_back(zip.begin(), zip.begin() + length);
    for (size_t offset = 0; offset < zip.size(); ++offset) {
        copies.push_back(zip);
        copies.back()[offset] ^= 0x5A;
    }
    for (const std::vector<uint8_t>& copy : copies) {
        if (!pack.openMemory(copy.data(), copy.size()))
            continue;
        for (const TestMember& member : {members[0], members[5], members[6]}) {
            std::string bytes = extractedText(pack, member.name.c_str());
            EXPECT_TRUE(bytes == member.bytes || bytes == "<failed>") << copy.size() << " " << member.name;
        }
    }
}

TEST_F(ResourcePackTest, ChecksumMismatchFailsTheExtraction)
{
    size_t local = record(zip, 3), central = record(zip, 1);
    poke32(zip, local + 14, 0x12345678);
    poke32(zip, central + 16, 0x12345678);
    ASSERT_TRUE(pack.openMemory(zip.data(), zip.size()));
    EXPECT_EQ(extractedText(pack, "Flare1.jpg"), "<failed>");
    EXPECT_EQ(trace.last(), "Can't extract file \"_ResourceData:Flare1.jpg\"");
}

TEST_F(ResourcePackTest, ImpossibleSizesFailWithoutHugeAllocations)
{
    size_t deflated = record(zip, 1, 6), stored = record(zip, 1, 5);
    poke32(zip, deflated + 24, 0xFFFFFFF0);
    poke32(zip, stored + 24, 3001);
    ASSERT_TRUE(pack.openMemory(zip.data(), zip.size()));
    EXPECT_EQ(extractedText(pack, "deflated.bin"), "<failed>");
    EXPECT_EQ(extractedText(pack, "stored.bin"), "<failed>");
}

TEST_F(ResourcePackTest, EncryptedMembersAreRefused)
{
    zip[record(zip, 3) + 6] |= 1;
    zip[record(zip, 1) + 8] |= 1;
    ASSERT_TRUE(pack.openMemory(zip.data(), zip.size()));
    EXPECT_EQ(extractedText(pack, "Flare1.jpg"), "<failed>");
}
