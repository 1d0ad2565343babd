#pragma once

#include "tools/image/Raster.h"

#include <string>
#include <vector>

// One review picture of many: each item scaled to fit its box, labelled below,
// laid out in rows on a dark background.
class ContactSheet {
public:
    static constexpr Colour background{0.16f, 0.16f, 0.18f};

    explicit ContactSheet(int width) : width_(width) {}

    void add(const std::string& label, const Raster& picture, int boxWidth, int boxHeight);
    Raster render() const;

private:
    struct Item {
        std::string label;
        Raster thumbnail;
        int boxWidth, boxHeight;
    };
    std::vector<Item> items_;
    int width_;
};
