#include "graphics/TextFit.h"

#include "graphics/PIX_IFont.h"
#include "graphics/Rect.h"
#include "graphics/Utf8Decoder.h"

#include <cstring>
#include <vector>

namespace TextFit
{
int32_t Width(PIX_IFont* font, const char* text, int32_t length, uint32_t flags)
{
    Rect size;
    font->DrawText(nullptr, text, length, &size, flags | PIX_IFont::kFormatCalcRect);
    return size.Width();
}

bool Shorten(PIX_IFont* font, const char* text, int32_t width, uint32_t flags, std::string* fitted)
{
    const auto length = static_cast<int32_t>(std::strlen(text));
    if (Width(font, text, length, flags) <= width)
        return false;

    // Cut only between characters: byte offsets where each character ends.
    std::vector<int32_t> ends;
    for (int32_t position = 0; position < length;)
    {
        NextUtf8Code(text, length, position);
        ends.push_back(position);
    }
    auto fits = [&](int32_t bytes) {
        std::string candidate(text, static_cast<size_t>(bytes));
        while (!candidate.empty() && candidate.back() == ' ')
            candidate.pop_back();
        candidate += kEllipsis;
        if (Width(font, candidate.c_str(), static_cast<int32_t>(candidate.size()), flags) > width)
            return false;
        *fitted = std::move(candidate);
        return true;
    };
    // Widths grow with every character, so the longest start that fits is found by halving.
    size_t low = 0;
    size_t high = ends.size();
    *fitted = kEllipsis;
    while (low < high)
    {
        const size_t middle = (low + high + 1) / 2;
        if (fits(ends[middle - 1]))
            low = middle;
        else
            high = middle - 1;
    }
    return true;
}
}
