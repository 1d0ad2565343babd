#pragma once
#include <cstdio>

// The members of the scene's pack, as the generator writes them and the scene reads
// them. Numbered members are printf patterns of their number.
namespace PackMembers {

constexpr const char* flare = "Flare%d.jpg";
constexpr int firstFlare = 1;
constexpr int lastFlare = 10;
constexpr const char* moon = "moon%d.jpg";
constexpr int moonCount = 4;
constexpr const char* rings = "rings.jpg";
constexpr const char* ringsMask = "rings_mask.jpg";
constexpr const char* surface = "surface0.jpg";
constexpr const char* night = "zandor_night.jpg";
constexpr const char* starGlow = "star128.jpg";
constexpr const char* shape = "dispher.dat";
constexpr const char* stars = "stars.dat";
// One each for the cloud layers 0 to 11.
constexpr const char* layer = "layer_tex%d.jpg";
constexpr const char* layerMask = "layer_mask%d.jpg";

// Room for every numbered name.
constexpr int nameSize = 32;

// The name of member number n of a pattern.
inline void numbered(char (&name)[nameSize], const char* pattern, int n)
{
    std::snprintf(name, sizeof name, pattern, n);
}

}  // namespace PackMembers
