#include <gtest/gtest.h>

#include <vector>

#include "ArtworkFixture.h"

namespace {

// The editor places several controls from the frame sizes of the images; where the sizes are
// the artwork's choice they must leave the controls that the layout puts side by side apart.
struct Placed {
    const char* name;
    int left, top, width, height;
    int Right() const { return left + width; }
    int Bottom() const { return top + height; }
};

constexpr int kEditorWidth = 650;
constexpr int kEditorHeight = 830;

int W(int id) { return EntryById(id).frameWidth; }
int H(int id) { return EntryById(id).frameHeight; }

Placed Image(const char* name, int id, int left, int top) { return {name, left, top, W(id), H(id)}; }

// A 60-pixel caption centred on a knob.
Placed Caption(const char* name, const Placed& knob, int top) { return {name, knob.left + knob.width / 2 - 30, top, 60, 16}; }

// A switch centred under a knob, at a top the section gives.
Placed Under(const char* name, int id, const Placed& knob, int top) {
    return Image(name, id, knob.left + (knob.width - W(id)) / 2, top);
}

void ExpectApartAndInside(const std::vector<Placed>& controls) {
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const Placed& a = controls[i];
        EXPECT_GE(a.left, 0) << a.name;
        EXPECT_LE(a.Right(), kEditorWidth) << a.name;
        EXPECT_LE(a.Bottom(), kEditorHeight) << a.name;
        for (std::size_t j = i + 1; j < controls.size(); ++j) {
            const Placed& b = controls[j];
            const bool apart = a.Right() <= b.left || b.Right() <= a.left || a.Bottom() <= b.top || b.Bottom() <= a.top;
            EXPECT_TRUE(apart) << a.name << " overlaps " << b.name;
        }
    }
}

TEST(ArtworkLayoutFit, BandSplitRowDisplayAndLinkSwitch) {
    const int g = W(3017), f = W(3000), l = W(1013);
    const Placed gain = Image("gain knob", 3017, 55, 488);
    const Placed saturation = Image("saturation knob", 3022, g + 70, 488);
    const Placed distortion = Image("distortion knob", 3004, 2 * g + 85, 488);
    const int x1 = 3 * g + 100, x2 = x1 + f + 14 + l + 14;
    const Placed lowCut = Image("sub-band cutoff", 3000, x1, 488);
    const Placed highCut = Image("disto-band cutoff", 3000, x2, 488);
    const Placed bandGain = Image("disto-band gain", 3017, x2 + g + 15, 488);
    const int captionTop = 488 + H(3017);
    ExpectApartAndInside({
        gain, saturation, distortion, lowCut, highCut, bandGain,
        Image("band display", 2001, x1 + f + 14, 480),
        Image("link switch", 1013, x1 + f + 14, 485 + H(1013)),
        Under("channel mode", 1002, gain, 504 + gain.height),
        Under("saturation mode", 1023, saturation, 504 + saturation.height),
        Under("low slope", 1000, lowCut, 504 + lowCut.height),
        Under("high slope", 1000, highCut, 504 + highCut.height),
        Caption("gain value", gain, captionTop), Caption("saturation value", saturation, captionTop),
        Caption("distortion value", distortion, captionTop),
    });
    // The program row starts at y 577.
    EXPECT_LE(504 + lowCut.height + H(1000), 577);
}

TEST(ArtworkLayoutFit, OutputRowSpacedFromTheSaturationKnobWidth) {
    const int k = W(3021);
    const int x1 = 503 - k, x2 = x1 - k - 20, x3 = x2 - k - 20, x4 = x3 - k - 20, x5 = x4 - k - 20;
    const Placed limiter = Image("limiter", 3018, x1, 642), dryWet = Image("dry/wet", 3007, x2, 642);
    const Placed filter = Image("filter", 3008, x3, 642), saturation = Image("saturation", 3021, x4, 642);
    const Placed pan = Image("pan", 3019, x5, 642);
    const Placed volume = Image("volume", 3023, 547, 627);
    const int switchTop = 659 + H(3018);
    ExpectApartAndInside({
        limiter, dryWet, filter, saturation, pan, volume,
        Under("limiter mode", 1012, limiter, switchTop), Under("filter slope", 1005, filter, switchTop),
        Under("saturation mode", 1023, saturation, 659 + H(3021)), Under("hq filter", 1008, dryWet, switchTop),
        Image("make-up", 5000, 525 - W(5000) / 2, 675),
        Image("oversampling", 1018, (W(3023) - W(1018)) / 2 + 547, 644 + H(3023)),
        {"auto label", 513, 640, 24, 16}, {"mu label", 513, 656, 24, 16},
        Caption("pan value", pan, 642 + H(3021)), Caption("input saturation caption", {"", 180, 642, 35, 35}, 627),
    });
}

TEST(ArtworkLayoutFit, InfoRowHoldsItsTextsAndClearsTheSwitchRow) {
    const int i = W(2008);
    const Placed display = Image("info display", 2008, 325 - i / 2, 708);
    const std::vector<Placed> inside = {{"host info", 375 - i / 2, 733, 260, 16},
                                        Image("reset", 1021, 675 - i / 2, 730),
                                        {"max level", 730 - i / 2, 733, 120, 16}};
    ExpectApartAndInside(inside);
    for (const Placed& p : inside) {
        EXPECT_GE(p.left, display.left) << p.name;
        EXPECT_LE(p.Right(), display.Right()) << p.name;
        EXPECT_LE(p.Bottom(), display.Bottom()) << p.name;
    }
    // The switch row above ends at 659 + 35 + 20; the display's rows above that are clear, and
    // it ends above the tab buttons.
    EXPECT_LE(display.Bottom(), 782);
}

TEST(ArtworkLayoutFit, ProgramRowFitsBesideTheBypassSwitch) {
    const int d = W(2009), p = W(1020);
    ExpectApartAndInside({
        Image("previous", 1020, 63 - p, 582), Image("menu", 2009, 63, 582), Image("next", 1016, d + 63, 582),
        Image("load", 1014, d + 93, 582), Image("save", 1024, d + 143, 582), Image("bypass", 1001, d + 298, 577),
    });
    EXPECT_LE(577 + H(1001), 612) << "the input captions start at 612";
}

TEST(ArtworkLayoutFit, ScopeButtonRowUnderTheWaveDisplay) {
    const int d = W(2010), h = H(2010), r = 325 + d / 2, y = h + 105;
    const int freezeLeft = 335 - d / 2;
    const int inputLeft = freezeLeft + W(1006) + W(1007);
    ExpectApartAndInside({
        Image("wave display", 2010, 325 - d / 2, 100), Image("freeze", 1006, freezeLeft, h + 100),
        Image("draw mode", 1007, freezeLeft + W(1006), y), Image("input", 1009, inputLeft, y),
        Image("output", 1017, inputLeft + W(1009), y), Image("minus", 5002, r - 165, y),
        {"zoom text", r - 139, y + 6, W(2011) - 10, 16}, Image("plus", 5003, r - 40, y),
    });
    // The scope draws 601 columns inside a 5-pixel margin.
    EXPECT_EQ(d, 611);
}

TEST(ArtworkLayoutFit, TabButtonsSitSideBySide) {
    ExpectApartAndInside({Image("plug-in tab", 1026, 205, 782), Image("scope tab", 1027, 285, 782),
                          Image("about tab", 1025, 365, 782)});
}

}  // namespace
