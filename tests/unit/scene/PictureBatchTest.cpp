// Pictures decoded by helper threads and the caller together, handed out in order.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "assets/ImageLoader.h"
#include "scene/PictureBatch.h"
#include "tests/unit/assets/TestJpeg.h"
#include "tests/unit/assets/TestZip.h"

namespace {

// Starts real threads, as many as asked, like the program's hosts.
struct ThreadHost : SceneHost {
    explicit ThreadHost(int helpers) : helpers(helpers) {}
    void showError(const char*, unsigned) override {}
    void requestQuit() override {}
    uint32_t tickCount() override { return 0; }
    PackBytes packBytes() override { return {}; }
    std::unique_ptr<OffscreenTarget> makeSurfaceTarget(SurfaceTargetKind) override { return nullptr; }
    GlProcLoader glProcLoader() override { return nullptr; }
    void startHelpers(bool (*work)(void*), void* context) override
    {
        for (int i = 0; i < helpers; ++i)
            threads.emplace_back([=] {
                while (work(context)) {}
            });
    }
    void joinHelpers() override
    {
        for (std::thread& thread : threads)
            thread.join();
        threads.clear();
    }

    int helpers;
    std::vector<std::thread> threads;
};

std::string jpegOf(int width, int height)
{
    const std::vector<uint8_t> bytes = encodeJpeg(testPicture(width, height), width, height);
    return std::string(bytes.begin(), bytes.end());
}

class PictureBatchTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::vector<TestMember> members;
        for (int n = 0; n < kPictures; ++n)
            if (n != kMissing)
                members.push_back({"pic" + std::to_string(n) + ".jpg", jpegOf(64 << (n % 3), 32)});
        zip = makeZip(members);
        ASSERT_TRUE(pack.openMemory(zip.data(), zip.size()));
    }

    void addAll(PictureBatch& batch)
    {
        for (int n = 0; n < kPictures; ++n)
            batch.add("pic%d.jpg", n);
    }

    // Each picture as the caller gets it, against the one-by-one load of the same member.
    void expectEachAsLoadedAlone(int helpers)
    {
        ThreadHost host(helpers);
        PictureBatch batch;
        addAll(batch);
        batch.start(pack, host);
        for (int n = 0; n < kPictures; ++n) {
            SCOPED_TRACE(n);
            const Image& image = batch.image(n);
            Image alone;
            const std::string name = "pic" + std::to_string(n) + ".jpg";
            if (n == kMissing) {
                EXPECT_EQ(image.pixels, nullptr);
                continue;
            }
            ASSERT_EQ(ImageLoader::load(alone, name.c_str(), pack), 1);
            ASSERT_NE(image.pixels, nullptr);
            EXPECT_EQ(image.width, alone.width);
            EXPECT_EQ(image.height, alone.height);
            EXPECT_EQ(std::memcmp(image.pixels, alone.pixels, size_t(alone.width) * alone.height * 3), 0);
            std::free(alone.pixels);
            batch.release(n);
        }
    }

    static constexpr int kPictures = 12;
    static constexpr int kMissing = 5;
    std::vector<uint8_t> zip;
    ResourcePack pack;
};

}  // namespace

TEST_F(PictureBatchTest, WithoutHelpersTheCallerDecodesEachPictureAsLoadedAlone)
{
    expectEachAsLoadedAlone(0);
}

TEST_F(PictureBatchTest, WithHelpersEachPictureIsTheSameAndAMissingOneStaysEmpty)
{
    for (int helpers : {1, 3})
        expectEachAsLoadedAlone(helpers);
}

// A run that ends while loading: nothing asked for, everything freed, helpers stopped.
TEST_F(PictureBatchTest, ABatchLeftUnusedEndsItsHelpersAndFreesEverything)
{
    ThreadHost host(2);
    {
        PictureBatch batch;
        addAll(batch);
        batch.start(pack, host);
    }
    EXPECT_TRUE(host.threads.empty());
}
