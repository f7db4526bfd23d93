#include "editor/ControlLine.h"

#include "graphics/IGraphics.h"
#include "graphics/RasterLine.h"

void DrawControlLine(IGraphics* graphics, int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint32_t colour,
                     float weight, uint32_t mode)
{
    RasterLine(graphics->GetDrawBitmap(), x1, y1, x2, y2, colour, weight, mode, false);
}
