#pragma once

#include <string>
#include <string_view>
#include <vector>

// Turns the fixed-width bright-star catalogue into the scene's "stars.dat":
// "magnitude;RA;Dec;class" with RA in hundredths of a turn and Dec in
// hundredths of a half turn, two decimals, CRLF after every line.
class CatalogueConverter {
public:
    struct Star {
        double magnitude;
        double rightAscension;
        double declination;
        char spectralClass;
    };

    // Reads every line; false (and no stars kept) when any line is malformed.
    bool parse(std::string_view catalogue);
    std::string render() const;
    const std::vector<Star>& stars() const { return stars_; }

    static bool parseLine(std::string_view line, Star& star);
    static char spectralClass(std::string_view type, std::string_view colourIndex);

private:
    std::vector<Star> stars_;
};
