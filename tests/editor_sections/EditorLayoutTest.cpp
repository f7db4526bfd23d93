#include "editor/IWzCaptionControl.h"
#include "editor/IWzHostInfoText.h"
#include "editor/IWzMaxLevelText.h"
#include "editor/IWzVuEyeDrawer.h"
#include "graphics/IBitmapControl.h"
#include "graphics/ITextControl.h"
#include "tests/editor_sections/SectionsRig.h"

#include <gtest/gtest.h>

#include <typeinfo>
#include <vector>

namespace
{
constexpr int kNone = -1;

struct Placed
{
    int param;
    Rect rect;
    const char* text;
};

// Where the controls stand, from the section layouts and the shipped frame sizes (knobs of
// the output row and the band split as the artwork chose them).
const std::vector<Placed> kLayout = {
    // Tabs.
    {kNone, {205, 782, 281, 808}, nullptr},
    {kNone, {285, 782, 361, 808}, nullptr},
    {kNone, {365, 782, 441, 808}, nullptr},
    // Input.
    {3, {174, 694, 222, 714}, nullptr},
    {kNone, {50, 612, 110, 628}, "In-Vol"},
    {0, {55, 627, 105, 677}, nullptr},
    {0, {50, 677, 110, 693}, nullptr},
    {kNone, {115, 627, 170, 643}, "DC-Offset"},
    {1, {125, 642, 160, 677}, nullptr},
    {1, {115, 677, 170, 693}, nullptr},
    {kNone, {170, 627, 225, 643}, "In-Sat"},
    {2, {180, 642, 215, 677}, nullptr},
    {2, {170, 677, 225, 693}, nullptr},
    {4, {56, 694, 104, 714}, nullptr},
    // Distortion.
    {kNone, {253, 123, 398, 268}, nullptr},
    {kNone, {57, 123, 188, 170}, nullptr},
    {kNone, {253, 271, 398, 287}, "Distortion Curve"},
    {kNone, {58, 173, 187, 189}, "Curve Preview"},
    {kNone, {58, 188, 187, 204}, "interpolation"},
    {kNone, {240, 99, 411, 119}, nullptr},
    {kNone, {192, 206, 252, 222}, "Amount"},
    {9, {192, 271, 252, 287}, nullptr},
    {kNone, {42, 221, 95, 237}, "BitCrash"},
    {kNone, {42, 271, 95, 287}, "64 bit"},
    {kNone, {95, 221, 150, 237}, "SmpRate"},
    {kNone, {95, 271, 150, 287}, "44100 Hz"},
    {kNone, {150, 221, 197, 237}, "Gate"},
    {kNone, {150, 271, 197, 287}, "-oo dB"},
    {8, {45, 81, 65, 101}, nullptr},
    {9, {197, 221, 247, 271}, nullptr},
    {kNone, {220, 99, 240, 119}, nullptr},
    {kNone, {411, 99, 431, 119}, nullptr},
    {kNone, {197, 144, 245, 164}, nullptr},
    {11, {197, 123, 245, 143}, nullptr},
    {13, {197, 165, 245, 185}, nullptr},
    {14, {66, 101, 114, 121}, nullptr},
    {15, {131, 101, 179, 121}, nullptr},
    {kNone, {197, 186, 245, 206}, nullptr},
    {5, {55, 236, 90, 271}, nullptr},
    {6, {105, 236, 140, 271}, nullptr},
    {7, {155, 236, 190, 271}, nullptr},
    {kNone, {407, 206, 457, 222}, "Amount"},
    {16, {407, 221, 457, 271}, nullptr},
    {16, {407, 271, 457, 287}, nullptr},
    {18, {406, 144, 454, 164}, nullptr},
    {kNone, {406, 123, 454, 143}, nullptr},
    {21, {406, 165, 454, 185}, nullptr},
    {kNone, {464, 221, 514, 237}, "Width"},
    {17, {472, 236, 507, 271}, nullptr},
    {17, {464, 271, 514, 287}, nullptr},
    {kNone, {514, 221, 564, 237}, "Shape"},
    {19, {522, 236, 557, 271}, nullptr},
    {kNone, {514, 271, 564, 287}, "shape"},
    {kNone, {253, 246, 382, 262}, "shaper mode"},
    // Filter.
    {kNone, {57, 335, 117, 351}, "In-Drive"},
    {kNone, {120, 323, 180, 339}, "Cutoff"},
    {kNone, {185, 323, 245, 339}, "Reso/BW"},
    {kNone, {247, 335, 307, 351}, "Transition"},
    {23, {57, 385, 117, 401}, nullptr},
    {kNone, {120, 388, 180, 404}, "cutoff"},
    {26, {185, 388, 245, 404}, nullptr},
    {kNone, {247, 385, 307, 401}, "transition"},
    {kNone, {126, 421, 237, 437}, "filter balance text"},
    {23, {70, 350, 105, 385}, nullptr},
    {25, {125, 338, 175, 388}, nullptr},
    {26, {190, 338, 240, 388}, nullptr},
    {29, {260, 350, 295, 385}, nullptr},
    {22, {45, 296, 65, 316}, nullptr},
    {kNone, {134, 406, 228, 416}, nullptr},
    {24, {134, 405, 228, 418}, nullptr},
    {kNone, {49, 412, 125, 432}, nullptr},
    {kNone, {237, 412, 313, 432}, nullptr},
    // Equalisers: tab buttons, switches, and a band of each page.
    {kNone, {328, 294, 470, 320}, nullptr},
    {kNone, {467, 294, 609, 320}, nullptr},
    {41, {333, 296, 353, 316}, nullptr},
    {30, {472, 296, 492, 316}, nullptr},
    {kNone, {341, 412, 596, 432}, nullptr},
    {42, {347, 340, 397, 390}, nullptr},
    {43, {412, 340, 462, 390}, nullptr},
    {44, {477, 340, 527, 390}, nullptr},
    {45, {542, 340, 592, 390}, nullptr},
    {31, {347, 340, 397, 390}, nullptr},
    {34, {542, 340, 592, 390}, nullptr},
    {kNone, {342, 325, 402, 341}, "Bass"},
    {kNone, {407, 325, 467, 341}, "Lo-Mid"},
    {kNone, {472, 325, 532, 341}, "Hi-Mid"},
    {kNone, {537, 325, 597, 341}, "High"},
    {kNone, {342, 390, 402, 406}, "0.0 dB"},
    {kNone, {342, 416, 402, 432}, "150 Hz"},
    {kNone, {407, 416, 467, 432}, "350 Hz"},
    {kNone, {472, 416, 532, 432}, "1600 Hz"},
    {kNone, {537, 416, 597, 432}, "4000 Hz"},
    // Band split.
    {kNone, {314, 480, 454, 518}, nullptr},
    {kNone, {305, 464, 463, 480}, "Sub-/Disto-Band Frequency"},
    {35, {45, 446, 65, 466}, nullptr},
    {37, {55, 488, 105, 538}, nullptr},
    {37, {50, 538, 110, 554}, nullptr},
    {38, {120, 488, 170, 538}, nullptr},
    {38, {115, 538, 175, 554}, nullptr},
    {40, {185, 488, 235, 538}, nullptr},
    {40, {180, 538, 240, 554}, nullptr},
    {47, {250, 488, 300, 538}, nullptr},
    {kNone, {245, 538, 305, 554}, "LP Freq."},
    {49, {468, 488, 518, 538}, nullptr},
    {kNone, {463, 538, 523, 554}, "HP Freq."},
    {51, {533, 488, 583, 538}, nullptr},
    {51, {528, 538, 588, 554}, nullptr},
    {kNone, {528, 472, 588, 488}, "Gain"},
    {46, {314, 519, 454, 553}, nullptr},
    {36, {56, 554, 104, 574}, nullptr},
    {39, {121, 554, 169, 574}, nullptr},
    {48, {251, 554, 299, 574}, nullptr},
    {50, {469, 554, 517, 574}, nullptr},
    // Program row.
    {kNone, {293, 582, 341, 602}, nullptr},
    {kNone, {343, 582, 391, 602}, nullptr},
    {kNone, {43, 582, 63, 602}, nullptr},
    {kNone, {263, 582, 283, 602}, nullptr},
    {52, {498, 577, 582, 607}, nullptr},
    {kNone, {63, 582, 263, 602}, nullptr},
    // Output.
    {53, {248, 642, 283, 677}, nullptr},
    {kNone, {238, 627, 293, 643}, "Pan"},
    {53, {238, 677, 293, 693}, nullptr},
    {57, {358, 642, 393, 677}, nullptr},
    {kNone, {348, 677, 403, 693}, "freq."},
    {54, {303, 642, 338, 677}, nullptr},
    {62, {413, 642, 448, 677}, nullptr},
    {59, {468, 642, 503, 677}, nullptr},
    {59, {458, 677, 513, 693}, nullptr},
    {kNone, {505, 640, 545, 656}, "Auto"},
    {kNone, {505, 656, 545, 672}, "MU"},
    {64, {515, 675, 535, 695}, nullptr},
    {63, {547, 627, 597, 677}, nullptr},
    {kNone, {542, 612, 602, 628}, "Out-Vol"},
    {63, {542, 677, 602, 693}, nullptr},
    {61, {548, 694, 596, 714}, nullptr},
    {60, {462, 694, 510, 714}, nullptr},
    {58, {352, 694, 400, 714}, nullptr},
    {55, {297, 694, 345, 714}, nullptr},
    {56, {407, 694, 455, 714}, nullptr},
    // Info row.
    {kNone, {40, 708, 610, 758}, nullptr},
    {kNone, {90, 733, 385, 749}, nullptr},
    {kNone, {445, 733, 565, 749}, nullptr},
    {kNone, {390, 730, 438, 750}, nullptr},
    // Scope tab.
    {kNone, {485, 692, 585, 722}, nullptr},
    {kNone, {20, 100, 631, 690}, nullptr},
    {kNone, {30, 695, 100, 720}, nullptr},
    {kNone, {465, 695, 490, 720}, nullptr},
    {kNone, {590, 695, 615, 720}, nullptr},
    {kNone, {491, 701, 581, 717}, "100 %"},
    {kNone, {190, 695, 260, 720}, nullptr},
    {kNone, {260, 695, 330, 720}, nullptr},
    {kNone, {100, 695, 190, 720}, nullptr},
    // About tab: the version panel centred.
    {kNone, {40, 410, 610, 575}, nullptr},
};

std::string Describe(const Placed& placed)
{
    const Rect& r = placed.rect;
    return "param " + std::to_string(placed.param) + " at (" + std::to_string(r.left) + ", " + std::to_string(r.top) +
           ", " + std::to_string(r.right) + ", " + std::to_string(r.bottom) + ")" +
           (placed.text ? std::string(" \"") + placed.text + "\"" : "");
}

// Controls a press does something on; static images, plain texts and meters only show.
bool IsInteractive(IControl* control)
{
    const std::type_info& type = typeid(*control);
    return !control->GetTargetRect().IsEmpty() && type != typeid(ITextControl) && type != typeid(IBitmapControl) &&
           type != typeid(IWzHostInfoText) && type != typeid(IWzMaxLevelText) && type != typeid(IWzVuEyeDrawer);
}

// Overlaps the layout makes on purpose: the two EQ page buttons meet and each EQ on/off switch
// sits on its page button.
bool IsAllowedOverlap(const Rect& a, const Rect& b)
{
    const std::vector<std::pair<Rect, Rect>> kAllowed = {
        {{328, 294, 470, 320}, {467, 294, 609, 320}},
        {{328, 294, 470, 320}, {333, 296, 353, 316}},
        {{467, 294, 609, 320}, {472, 296, 492, 316}},
    };
    for (const auto& [first, second] : kAllowed)
        if ((a == first && b == second) || (a == second && b == first))
            return true;
    return false;
}

bool Intersect(const Rect& a, const Rect& b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// The first point of the control whose press lands elsewhere, if any.
bool FindMissedPoint(const SectionsRig& rig, IControl* control, int* missX, int* missY)
{
    constexpr int kStep = 3;
    const Rect& r = control->GetTargetRect();
    for (int y = r.top; y < r.bottom; y += kStep)
        for (int x = r.left; x < r.right; x += kStep)
        {
            IControl* hit = rig.HitAt(x, y);
            if (hit != control && !(hit && IsAllowedOverlap(r, hit->GetTargetRect())))
            {
                *missX = x;
                *missY = y;
                return true;
            }
        }
    return false;
}


std::vector<IControl*> VisibleInteractive(const SectionsRig& rig)
{
    std::vector<IControl*> found;
    for (int i = 0; i < rig.graphics->GetControlCount(); ++i)
    {
        IControl* control = rig.graphics->GetControl(i);
        if (!control->IsHidden() && !control->IsGrayed() && IsInteractive(control))
            found.push_back(control);
    }
    return found;
}
}

TEST(EditorLayout, EveryControlStandsWhereTheLayoutPutsIt)
{
    SectionsRig rig;
    for (const Placed& placed : kLayout)
    {
        SCOPED_TRACE(Describe(placed));
        IControl* control = rig.FindControl(placed.rect, placed.param);
        ASSERT_NE(control, nullptr);
        if (placed.text)
        {
            auto* text = dynamic_cast<ITextControl*>(control);
            ASSERT_NE(text, nullptr);
            char shown[256];
            text->GetText(shown, sizeof shown);
            EXPECT_STREQ(shown, placed.text);
        }
    }
}

TEST(EditorLayout, BackgroundsComeFirstAndEveryControlBelongsToOneList)
{
    SectionsRig rig;
    IGraphics& graphics = *rig.graphics;
    EXPECT_EQ(graphics.GetControl(0)->GetDrawRect(), (Rect{0, 0, 650, 830}));
    EXPECT_EQ(graphics.GetControl(1)->GetDrawRect(), (Rect{15, 35, 635, 775}));
    std::vector<int> owners(static_cast<size_t>(graphics.GetControlCount()), 0);
    const ZarvotoneControls& controls = rig.plugin().Controls();
    for (const auto& list : controls.tabLists)
        for (int32_t index : list)
            ++owners[static_cast<size_t>(index)];
    for (const ZarvotoneControls::EqPage& page : controls.eqPages)
        for (int32_t index : *page.controls)
            ++owners[static_cast<size_t>(index)];
    // The two backgrounds and the three tab buttons are always shown.
    constexpr int kAlwaysShown = 5;
    for (int i = 0; i < graphics.GetControlCount(); ++i)
        EXPECT_EQ(owners[static_cast<size_t>(i)], i < kAlwaysShown ? 0 : 1) << "control " << i;
}

TEST(EditorLayout, NoTwoVisibleInteractiveControlsOverlap)
{
    for (EditorView view : kEveryView)
    {
        SectionsRig rig;
        rig.Show(view);
        const std::vector<IControl*> controls = VisibleInteractive(rig);
        EXPECT_FALSE(controls.empty());
        for (size_t i = 0; i < controls.size(); ++i)
            for (size_t j = i + 1; j < controls.size(); ++j)
            {
                const Rect& a = controls[i]->GetTargetRect();
                const Rect& b = controls[j]->GetTargetRect();
                if (Intersect(a, b) && !IsAllowedOverlap(a, b))
                    ADD_FAILURE() << "view " << static_cast<int>(view) << ": (" << a.left << ", " << a.top << ", "
                                  << a.right << ", " << a.bottom << ") meets (" << b.left << ", " << b.top << ", "
                                  << b.right << ", " << b.bottom << ")";
            }
    }
}

// Nothing drawn on top (a read-out, a display plate) takes a press meant for a control.
TEST(EditorLayout, EveryPointOfAnInteractiveControlReachesIt)
{
    for (EditorView view : kEveryView)
    {
        SectionsRig rig;
        rig.Show(view);
        for (IControl* control : VisibleInteractive(rig))
        {
            int x = 0;
            int y = 0;
            if (FindMissedPoint(rig, control, &x, &y))
                ADD_FAILURE() << "view " << static_cast<int>(view) << ": (" << x << ", " << y
                              << ") misses the control at (" << control->GetTargetRect().left << ", "
                              << control->GetTargetRect().top << ")";
        }
    }
}

// Read-outs whose format the layout leaves open take the format of their kind: decibels for
// gains and levels, percent for amounts and mixes, the pan format for panning.
TEST(EditorLayout, OpenReadOutsShowTheFormatOfTheirKind)
{
    const struct
    {
        int param;
        Rect rect;
        double value;
        const char* text;
    } cases[] = {
        {37, {50, 538, 110, 554}, 1.0, "0.00 dB"},
        {37, {50, 538, 110, 554}, 0.9999, "0.00 dB"},
        {38, {115, 538, 175, 554}, 0.5, "50.0%"},
        {51, {528, 538, 588, 554}, 0.5, "-6.02 dB"},
        {53, {238, 677, 293, 693}, 0.5, "0.000"},
        {53, {238, 677, 293, 693}, 0.0, "-1.000"},
        {54, {293, 677, 348, 693}, 0.25, "25.0%"},
        {62, {403, 677, 458, 693}, 1.0, "100.0%"},
        {59, {458, 677, 513, 693}, 1.0, "0.00 dB"},
        {63, {542, 677, 602, 693}, 0.0, "-inf dB"},
    };
    SectionsRig rig;
    for (const auto& c : cases)
    {
        auto* readOut = dynamic_cast<IWzCaptionControl*>(rig.FindControl(c.rect, c.param));
        ASSERT_NE(readOut, nullptr) << "parameter " << c.param;
        char text[64];
        ASSERT_TRUE(readOut->FormatNumber(c.value, text, sizeof text));
        EXPECT_STREQ(text, c.text) << "parameter " << c.param;
    }
}
