#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "TestJpeg.h"
#include "TestZip.h"
#include "assets/ImageLoader.h"

// Prints how long the loaders take on pictures of the scene's sizes: the
// 4096 x 2048 surface and a pack of thirty 512 x 256 pictures.
namespace {

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

std::string asText(const std::vector<uint8_t>& bytes)
{
    return std::string(bytes.begin(), bytes.end());
}

void loadAll(ResourcePack& pack, const std::vector<TestMember>& members)
{
    for (const TestMember& member : members) {
        Image image;
        if (ImageLoader::load(image, member.name.c_str(), pack))
            free(image.pixels);
    }
}

}  // namespace

int main()
{
    JpegOptions options;
    options.quality = 85;
    std::vector<TestMember> surface = {
        {"surface0.jpg", asText(encodeJpeg(testPicture(4096, 2048), 4096, 2048, options))}};
    std::string moon = asText(encodeJpeg(testPicture(512, 256), 512, 256, options));
    std::vector<TestMember> moons;
    for (int i = 0; i < 30; ++i)
        moons.push_back({"moon" + std::to_string(i) + ".jpg", moon});
    for (const auto& members : {surface, moons}) {
        std::vector<uint8_t> zip = makeZip(members);
        ResourcePack pack;
        Clock::time_point start = Clock::now();
        pack.openMemory(zip.data(), zip.size());
        double opened = millisecondsSince(start);
        start = Clock::now();
        loadAll(pack, members);
        std::printf("%zu member(s), %zu archive bytes: open %.2f ms, extract and decode all %.1f ms\n", members.size(),
                    zip.size(), opened, millisecondsSince(start));
    }
    return 0;
}
