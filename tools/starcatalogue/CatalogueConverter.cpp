#include "tools/starcatalogue/CatalogueConverter.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

// Byte ranges of the catalogue, 0-based start and length.
struct Field {
    size_t start;
    size_t length;
};
constexpr Field raHours{75, 2}, raMinutes{77, 2}, raSeconds{79, 4};
constexpr Field decSign{83, 1}, decDegrees{84, 2}, decMinutes{86, 2}, decSeconds{88, 2};
constexpr Field magnitude{102, 5}, colourIndex{109, 5}, spectralType{127, 20};

std::string_view field(std::string_view line, Field f)
{
    if (f.start >= line.size())
        return {};
    return line.substr(f.start, f.length);
}

bool isBlank(std::string_view text)
{
    for (char c : text)
        if (c != ' ')
            return false;
    return true;
}

// A decimal number filling the field, blanks around it allowed.
bool number(std::string_view text, double& value)
{
    std::string copy(text);
    const char* begin = copy.c_str();
    char* end = nullptr;
    value = std::strtod(begin, &end);
    if (end == begin)
        return false;
    for (; *end; ++end)
        if (*end != ' ')
            return false;
    return std::isfinite(value);
}

char classFromColour(double bv)
{
    struct Step {
        double upTo;
        char letter;
    };
    static const Step steps[] = {{-0.30, 'O'}, {-0.02, 'B'}, {0.30, 'A'}, {0.58, 'F'}, {0.81, 'G'}, {1.40, 'K'}};
    for (const Step& step : steps)
        if (bv < step.upTo)
            return step.letter;
    return 'M';
}

char mkLetter(char letter)
{
    switch (letter) {
    case 'O':
    case 'B':
    case 'A':
    case 'F':
    case 'G':
    case 'K':
    case 'M':
        return letter;
    case 'W':
        return 'O';
    case 'C':
    case 'N':
    case 'R':
    case 'S':
        return 'M';
    default:
        return 0;
    }
}

// Two decimals, never "-0.00".
void appendFixed(std::string& out, double value)
{
    double rounded = std::round(value * 100.0) / 100.0;
    if (rounded == 0.0)
        rounded = 0.0;
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", rounded);
    out += text;
}

}  // namespace

char CatalogueConverter::spectralClass(std::string_view type, std::string_view colour)
{
    size_t i = 0;
    while (i < type.size() && type[i] == ' ')
        ++i;
    while (i < type.size() && std::islower(static_cast<unsigned char>(type[i])))
        ++i;
    for (; i < type.size(); ++i) {
        if (std::isupper(static_cast<unsigned char>(type[i]))) {
            if (char letter = mkLetter(type[i]))
                return letter;
            break;
        }
    }
    double bv = 0.0;
    return number(colour, bv) ? classFromColour(bv) : 'A';
}

bool CatalogueConverter::parseLine(std::string_view line, Star& star)
{
    double h, m, s, dd, dm, ds;
    if (!number(field(line, raHours), h) || !number(field(line, raMinutes), m) || !number(field(line, raSeconds), s) ||
        !number(field(line, decDegrees), dd) || !number(field(line, decMinutes), dm) ||
        !number(field(line, decSeconds), ds) || !number(field(line, magnitude), star.magnitude))
        return false;
    std::string_view sign = field(line, decSign);
    if (sign != "+" && sign != "-")
        return false;
    star.rightAscension = (h + m / 60.0 + s / 3600.0) / 24.0 * 100.0;
    star.declination = (dd + dm / 60.0 + ds / 3600.0) / 180.0 * 100.0 * (sign == "-" ? -1.0 : 1.0);
    std::string_view colour = field(line, colourIndex);
    star.spectralClass = spectralClass(field(line, spectralType), isBlank(colour) ? std::string_view{} : colour);
    return true;
}

bool CatalogueConverter::parse(std::string_view catalogue)
{
    stars_.clear();
    while (!catalogue.empty()) {
        size_t end = catalogue.find('\n');
        std::string_view line = catalogue.substr(0, end);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        Star star{};
        if (!parseLine(line, star)) {
            stars_.clear();
            return false;
        }
        stars_.push_back(star);
        catalogue.remove_prefix(end == std::string_view::npos ? catalogue.size() : end + 1);
    }
    return !stars_.empty();
}

std::string CatalogueConverter::render() const
{
    std::string out;
    out.reserve(stars_.size() * 22);
    for (const Star& star : stars_) {
        appendFixed(out, star.magnitude);
        out += ';';
        appendFixed(out, star.rightAscension);
        out += ';';
        appendFixed(out, star.declination);
        out += ';';
        out += star.spectralClass;
        out += "\r\n";
    }
    return out;
}
