// zandor_artgen <out-dir> <stars.dat>: generates the resource pack, the
// program's bitmaps and icons, and a contact sheet of every picture.
#include "tools/artwork/CloudLayers.h"
#include "tools/artwork/FlareArt.h"
#include "tools/artwork/MoonArt.h"
#include "tools/artwork/PlanetView.h"
#include "tools/artwork/ResourceArt.h"
#include "tools/artwork/SkyArt.h"
#include "tools/artwork/SurfaceComposer.h"
#include "tools/image/BmpWriter.h"
#include "tools/image/ContactSheet.h"
#include "tools/image/IcoWriter.h"
#include "tools/image/JpegWriter.h"
#include "tools/image/PalettePicture.h"
#include "tools/image/PngWriter.h"
#include "tools/mesh/GeodesicSphere.h"
#include "tools/pack/PackWriter.h"
#include "scene/PackMembers.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

// JPEG quality per kind of picture: masks and sprites carry smooth gradients.
constexpr int photoQuality = 88, layerQuality = 92, smoothQuality = 95;

struct Output {
    std::string directory;
    bool ok = true;

    void file(const std::string& name, const std::vector<uint8_t>& bytes)
    {
        std::ofstream out(directory + "/" + name, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        if (bytes.empty() || !out.good()) {
            std::fprintf(stderr, "zandor_artgen: cannot write %s/%s\n", directory.c_str(), name.c_str());
            ok = false;
        }
    }
};

std::string numbered(const char* pattern, int n)
{
    char name[PackMembers::nameSize];
    PackMembers::numbered(name, pattern, n);
    return name;
}

struct Members {
    PackWriter pack;
    ContactSheet sheet{2200};
    bool ok = true;

    // Shown on the sheet at most `shown` pixels wide and 256 high.
    void picture(const std::string& name, const Raster& raster, int quality, bool fullChroma, int shown = 256)
    {
        std::vector<uint8_t> jpeg = JpegWriter::encode(raster, quality, fullChroma);
        ok = ok && !jpeg.empty();
        pack.add(name, std::move(jpeg));
        sheet.add(name, raster, shown, raster.width() > 2 * raster.height() ? 256 : shown);
    }
};

// An icon as it shows on the sheet's background.
Raster overSheet(const IconImage& icon)
{
    Raster out(icon.colour.width(), icon.colour.height());
    for (int y = 0; y < out.height(); ++y)
        for (int x = 0; x < out.width(); ++x)
            out.at(x, y) = mix(ContactSheet::background, icon.colour.at(x, y),
                               icon.alpha[static_cast<size_t>(y) * out.width() + x]);
    return out;
}

// Seconds spent per step, printed once at the end for the build log.
class StepTimes {
public:
    void lap(const char* step)
    {
        auto now = std::chrono::steady_clock::now();
        char text[64];
        std::snprintf(text, sizeof text, "%s%s %.1f s", report_.empty() ? "" : ", ", step,
                      std::chrono::duration<double>(now - last_).count());
        report_ += text;
        last_ = now;
    }
    const std::string& report() const { return report_; }

private:
    std::chrono::steady_clock::time_point last_ = std::chrono::steady_clock::now();
    std::string report_;
};

bool readFile(const std::string& path, std::vector<uint8_t>& bytes)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !bytes.empty();
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: zandor_artgen <out-dir> <stars.dat>\n");
        return 2;
    }
    std::vector<uint8_t> stars;
    if (!readFile(argv[2], stars)) {
        std::fprintf(stderr, "zandor_artgen: cannot read %s\n", argv[2]);
        return 1;
    }
    std::error_code error;
    std::filesystem::create_directories(argv[1], error);
    if (error) {
        std::fprintf(stderr, "zandor_artgen: cannot create %s\n", argv[1]);
        return 1;
    }
    StepTimes times;
    Members members;
    members.pack.add(PackMembers::stars, std::move(stars));
    members.pack.add(PackMembers::shape, GeodesicSphere(24, 0.08).shapeFile());

    times.lap("mesh");
    CloudLayers layers;
    times.lap("layers");
    // The composed surface holds the north pole on top; bound directly, the
    // picture's top row must be the south pole.
    const Raster surface = SurfaceComposer::compose(layers.layers(), layers.masks(), 4096, 2048).flippedVertically();
    times.lap("surface");
    const Raster rings = SkyArt::rings(), ringsMask = SkyArt::ringsMask();
    members.picture(PackMembers::surface, surface, photoQuality, false, 1024);
    members.picture(PackMembers::night, SkyArt::night(), photoQuality, false, 1024);
    members.picture(PackMembers::rings, rings, layerQuality, true);
    members.picture(PackMembers::ringsMask, ringsMask, smoothQuality, true);
    // Each layer beside its mask, bands at half their size.
    for (int i = 0; i < layerCount; ++i) {
        const int shown = layers.layer(i).width() > 256 ? 1024 : 256;
        members.picture(numbered(PackMembers::layer, i), layers.layer(i), layerQuality, true, shown);
        members.picture(numbered(PackMembers::layerMask, i), layers.mask(i), smoothQuality, true, i == 0 ? 128 : shown);
    }
    for (int i = 0; i < PackMembers::moonCount; ++i)
        members.picture(numbered(PackMembers::moon, i), MoonArt::moon(i), layerQuality, false, 512);
    for (int i = PackMembers::firstFlare; i <= PackMembers::lastFlare; ++i)
        members.picture(numbered(PackMembers::flare, i), FlareArt::flare(i), smoothQuality, true);
    members.picture(PackMembers::starGlow, SkyArt::starGlow(), smoothQuality, true, 128);

    times.lap("other pictures and coding");
    Output out{argv[1]};
    if (!members.ok || !members.pack.write(out.directory + "/Zandor3D.pack")) {
        std::fprintf(stderr, "zandor_artgen: cannot write the pack\n");
        return 1;
    }

    times.lap("pack");
    PlanetView view(surface, rings, ringsMask);
    const Raster preview = ResourceArt::preview(view), cells = ResourceArt::listCells(view);
    out.file("preview145.bmp", BmpWriter::encode8(PalettePicture::quantise(preview)));
    out.file("cells138.bmp", BmpWriter::encode24(cells));
    const std::vector<IconImage> programIcon = ResourceArt::programIcon(view), decoIcon = ResourceArt::decorativeIcon();
    out.file("zandor128.ico", IcoWriter::encode(programIcon));
    out.file("deco136.ico", IcoWriter::encode(decoIcon));

    times.lap("resources");
    members.sheet.add("planet system", ResourceArt::systemView(view, 512), 512, 512);
    members.sheet.add("bitmap 145", preview, 384, 288);
    members.sheet.add("bitmap 138", cells, 768, 128);
    members.sheet.add("icon 128", overSheet(programIcon[2]), 128, 128);
    members.sheet.add("icon 136", overSheet(decoIcon[1]), 128, 128);
    out.file("contact-sheet.png", PngWriter::encode(members.sheet.render()));
    times.lap("contact sheet");
    std::printf("zandor_artgen: %zu pack members written to %s (%s)\n", members.pack.memberCount(),
                out.directory.c_str(), times.report().c_str());
    return out.ok ? 0 : 1;
}
