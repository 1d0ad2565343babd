#include "tools/image/ContactSheet.h"

#include "tools/image/GlyphFont.h"

#include <algorithm>

namespace {

constexpr int margin = 12, labelHeight = 28;
constexpr double labelScale = 2.0;
const Colour labelColour{0.92f, 0.90f, 0.85f};

}  // namespace

void ContactSheet::add(const std::string& label, const Raster& picture, int boxWidth, int boxHeight)
{
    double fit =
        std::min(static_cast<double>(boxWidth) / picture.width(), static_cast<double>(boxHeight) / picture.height());
    int w = std::max(1, static_cast<int>(picture.width() * fit)),
        h = std::max(1, static_cast<int>(picture.height() * fit));
    // The cell is as large as the thumbnail, and wide enough for its label.
    int labelWidth = GlyphFont::textWidth(label, labelScale);
    items_.push_back({label, picture.resized(w, h), std::max(w, labelWidth), h});
}

Raster ContactSheet::render() const
{
    struct Place {
        int x, y;
    };
    std::vector<Place> places;
    int x = margin, y = margin, rowHeight = 0;
    for (const Item& item : items_) {
        if (x + item.boxWidth + margin > width_ && x > margin) {
            x = margin;
            y += rowHeight + labelHeight + margin;
            rowHeight = 0;
        }
        places.push_back({x, y});
        x += item.boxWidth + margin;
        rowHeight = std::max(rowHeight, item.boxHeight);
    }
    Raster sheet(width_, y + rowHeight + labelHeight + margin, background);
    for (size_t i = 0; i < items_.size(); ++i) {
        const Item& item = items_[i];
        const Raster& thumb = item.thumbnail;
        for (int ty = 0; ty < thumb.height(); ++ty)
            for (int tx = 0; tx < thumb.width(); ++tx)
                sheet.at(places[i].x + tx, places[i].y + ty) = thumb.at(tx, ty);
        GlyphFont::draw(sheet, item.label, places[i].x, places[i].y + item.boxHeight + 6, labelScale, labelColour);
    }
    return sheet;
}
