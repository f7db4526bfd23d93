// The section names the controls background carries: no control of the plug-in tab draws over
// their letters, on either equaliser page.

#include "graphics/IControl.h"
#include "tests/editor_sections/ControlInk.h"
#include "tests/editor_sections/SectionsRig.h"
#include "tools/artgen/PanelArt.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
constexpr int kEditorWidth = 650;
constexpr int kEditorHeight = 830;
// The editor background and the controls background come first in the control list.
constexpr int kBackgrounds = 2;

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
