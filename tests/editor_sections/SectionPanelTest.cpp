// The section panels and names the controls background carries: no control of the plug-in tab
// draws over a name, on either equaliser page, and the other tabs show nothing of the panels.

#include "graphics/IControl.h"
#include "graphics/PIX_IBitmap.h"
#include "graphics/RasterFillRect.h"
#include "graphics/RasterMode.h"
#include "tests/editor_sections/ControlInk.h"
#include "tests/editor_sections/SectionsRig.h"
#include "tools/artgen/PanelArt.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace
{
constexpr int kEditorWidth = 650;
constexpr int kEditorHeight = 830;
// The editor background and the controls background come first in the control list.
constexpr int kBackgrounds = 2;
// How far in from a panel's edges its pixels are opaque.
constexpr int kRim = 2;

// Which name's letters cover each editor pixel (-1: none).
std::vector<int> LetterOwners(const artgen::Fonts& fonts)
{
    std::vector<int> owners(static_cast<size_t>(kEditorWidth * kEditorHeight), -1);
    const auto headings = artgen::PlugInHeadings();
    for (size_t h = 0; h < headings.size(); ++h)
    {
        artgen::Canvas canvas(kEditorWidth, kEditorHeight);
        artgen::DrawHeading(canvas, fonts, headings[h]);
        const std::vector<uint8_t> rgba = canvas.ToRgba8();
        int letters = 0;
        for (size_t pixel = 0; pixel < owners.size(); ++pixel)
            if (rgba[pixel * 4 + 3] != 0)
            {
                owners[pixel] = static_cast<int>(h);
                ++letters;
            }
        EXPECT_GT(letters, 0) << headings[h].title;
    }
    return owners;
}
}

// Which pixels the shown controls (the two backgrounds left out) paint over whatever lies under
// them: those that come out the same on two different blanks.
std::vector<bool> OpaquelyCovered(SectionsRig& rig)
{
    IGraphics& graphics = *rig.graphics;
    PIX_IBitmap* surface = graphics.GetDrawBitmap();
    const auto paint = [&](uint32_t blank) {
        RasterFillRect(surface, 0, 0, surface->GetWidth(), surface->GetHeight(), blank, 1.0f, RasterModeCopy);
        for (int i = kBackgrounds; i < graphics.GetControlCount(); ++i)
            if (IControl* control = graphics.GetControl(i); !control->IsHidden())
                control->Draw(&graphics);
        std::vector<uint32_t> pixels(static_cast<size_t>(kEditorWidth * kEditorHeight));
        for (int y = 0; y < kEditorHeight; ++y)
        {
            const int row = surface->IsBottomUp() ? kEditorHeight - 1 - y : y;
            for (int x = 0; x < kEditorWidth; ++x)
                pixels[static_cast<size_t>(y * kEditorWidth + x)] =
                    surface->GetPixelData()[static_cast<size_t>(row) * surface->GetRowStride() + x];
        }
        return pixels;
    };
    const std::vector<uint32_t> onBlack = paint(0xFF000000);
    const std::vector<uint32_t> onWhite = paint(0xFFFFFFFF);
    std::vector<bool> covered(onBlack.size());
    for (size_t i = 0; i < covered.size(); ++i)
        covered[i] = onBlack[i] == onWhite[i];
    return covered;
}

TEST(SectionPanel, TheScopeAndAboutTabsShowNothingOfTheSectionPanels)
{
    for (EditorView view : {EditorView::kScope, EditorView::kAbout})
    {
        SectionsRig rig;
        rig.Show(view);
        rig.Settle();
        const std::vector<bool> covered = OpaquelyCovered(rig);
        for (const artgen::Panel& panel : artgen::PlugInPanels())
        {
            // Inside the panel's smoothed rim (and its soft shadow), which blends with the rim of a
            // plate of the same shape laid over it.
            const int left = static_cast<int>(std::floor(panel.left)) + kRim;
            const int top = static_cast<int>(std::floor(panel.top)) + kRim;
            const int right = static_cast<int>(std::ceil(panel.right)) - kRim;
            const int bottom = static_cast<int>(std::ceil(panel.bottom)) - kRim;
            int shown = 0;
            int firstX = 0;
            int firstY = 0;
            for (int y = top; y < bottom; ++y)
                for (int x = left; x < right; ++x)
                    if (!covered[static_cast<size_t>(y * kEditorWidth + x)] && shown++ == 0)
                    {
                        firstX = x;
                        firstY = y;
                    }
            EXPECT_EQ(shown, 0) << "view " << static_cast<int>(view) << ": the " << panel.accent << " panel at "
                                << Describe(Rect{left, top, right, bottom}) << " shows at " << shown
                                << " pixels, first (" << firstX << ", " << firstY << ")";
        }
    }
}

TEST(SectionHeading, NoControlDrawsOverASectionName)
{
    const std::vector<int> owners = LetterOwners(artgen::Fonts::Load());
    const auto headings = artgen::PlugInHeadings();
    for (EditorView view : {EditorView::kPlugInSubBand, EditorView::kPlugInDistoBand})
    {
        SectionsRig rig;
        rig.Show(view);
        rig.Settle();
        for (int i = kBackgrounds; i < rig.graphics->GetControlCount(); ++i)
        {
            IControl* control = rig.graphics->GetControl(i);
            if (control->IsHidden())
                continue;
            const Ink ink = InkOf(*rig.graphics, control, &control->GetDrawRect());
            for (int pixel : ink.pixels)
                if (const int owner = owners[static_cast<size_t>(pixel)]; owner >= 0)
                {
                    ADD_FAILURE() << "view " << static_cast<int>(view) << ": the control at "
                                  << Describe(control->GetDrawRect()) << " draws over \""
                                  << headings[static_cast<size_t>(owner)].title << "\" at ("
                                  << pixel % kEditorWidth << ", " << pixel / kEditorWidth << ")";
                    break;
                }
        }
    }
}
