// zandor_starcat <catalogue> <stars.dat>: derives the scene's star list.
#include "tools/starcatalogue/CatalogueConverter.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: zandor_starcat <catalogue> <stars.dat>\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "zandor_starcat: cannot read %s\n", argv[1]);
        return 1;
    }
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    CatalogueConverter catalogue;
    if (!catalogue.parse(text)) {
        std::fprintf(stderr, "zandor_starcat: %s is not a catalogue\n", argv[1]);
        return 1;
    }
    std::ofstream out(argv[2], std::ios::binary);
    out << catalogue.render();
    if (!out.good()) {
        std::fprintf(stderr, "zandor_starcat: cannot write %s\n", argv[2]);
        return 1;
    }
    std::printf("%zu stars\n", catalogue.stars().size());
    return 0;
}
