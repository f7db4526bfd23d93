#include "tools/artgen/ContactSheet.h"

#include <algorithm>
#include <vector>

#include "tools/artgen/ArtGenerator.h"

namespace artgen {

namespace {
constexpr int kSheetWidth = 1500;
constexpr int kMargin = 12;
constexpr int kFrameGap = 4;
constexpr int kLabelHeight = 16;
constexpr int kMostFramesShown = 16;

struct Cell {
    const ImageEntry* entry;
    std::string label;
    Canvas image;
    std::vector<int> frames;
    int columns, rows, width, height;
};

std::vector<int> ShownFrames(int frames) {
    std::vector<int> shown;
    const int step = frames > kMostFramesShown ? 8 : 1;
    for (int i = 0; i < frames; i += step) shown.push_back(i);
    if (shown.back() != frames - 1) shown.push_back(frames - 1);
    return shown;
}

void Checker(Canvas& sheet, int x, int y, int width, int height) {
    for (int row = 0; row < height; ++row)
        for (int column = 0; column < width; ++column)
            sheet.BlendPixel(x + column, y + row, ((column / 6 + row / 6) % 2) ? Hex(0x2A2E34) : Hex(0x24272C), 1.0);
}
}  // namespace

Canvas RenderContactSheet(const Manifest& manifest, const Fonts& fonts) {
    std::vector<Cell> cells;
    for (const ImageEntry& e : manifest.Entries()) {
        const std::string label = std::to_string(e.id) + "  " + e.path.substr(e.path.rfind('/') + 1);
        Cell cell{&e, label, RenderImage(e, fonts), ShownFrames(e.frames), 0, 0, 0, 0};
        const int perRow = std::max(1, (kSheetWidth - 2 * kMargin) / (e.frameWidth + kFrameGap));
        cell.columns = std::min<int>(perRow, int(cell.frames.size()));
        cell.rows = (int(cell.frames.size()) + cell.columns - 1) / cell.columns;
        const int labelWidth = int(fonts.text.Measure(label, 10.0)) + 8;
        cell.width = std::max(labelWidth, cell.columns * (e.frameWidth + kFrameGap));
        cell.height = kLabelHeight + cell.rows * (e.frameHeight + kFrameGap);
        cells.push_back(std::move(cell));
    }
    // Shelf packing in manifest order.
    struct Placed { int x, y; };
    std::vector<Placed> places;
    int x = kMargin, y = kMargin, shelf = 0;
    for (const Cell& cell : cells) {
        if (x + cell.width > kSheetWidth - kMargin && x > kMargin) {
            x = kMargin;
            y += shelf + kMargin;
            shelf = 0;
        }
        places.push_back({x, y});
        x += cell.width + kMargin * 2;
        shelf = std::max(shelf, cell.height);
    }
    Canvas sheet(kSheetWidth, y + shelf + kMargin);
    for (int row = 0; row < sheet.Height(); ++row)
        for (int column = 0; column < sheet.Width(); ++column) sheet.BlendPixel(column, row, Hex(0x0C0D10), 1.0);
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const Cell& cell = cells[i];
        const ImageEntry& e = *cell.entry;
        fonts.text.Draw(sheet, cell.label, 10.0, places[i].x, places[i].y + 11, Hex(0xC8CED8), Align::Left);
        for (std::size_t k = 0; k < cell.frames.size(); ++k) {
            const int fx = places[i].x + int(k % cell.columns) * (e.frameWidth + kFrameGap);
            const int fy = places[i].y + kLabelHeight + int(k / cell.columns) * (e.frameHeight + kFrameGap);
            Checker(sheet, fx, fy, e.frameWidth, e.frameHeight);
            sheet.Draw(cell.image.Crop(0, cell.frames[k] * e.frameHeight, e.frameWidth, e.frameHeight), fx, fy);
        }
    }
    return sheet;
}

}  // namespace artgen
