// What the texts of the editor put on screen: each stays inside its own rectangle, a text too
// long for it ends in an ellipsis there, no two visible texts share a pixel, and no read-out
// shows a signed zero.

#include "graphics/IBitmapControl.h"
#include "graphics/ITextControl.h"
#include "graphics/PIX_CachedFont.h"
#include "graphics/TextFit.h"
#include "plugin/ParamIndex.h"
#include "tests/editor_sections/ControlInk.h"
#include "tests/editor_sections/SectionsRig.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

namespace
{
// Long texts of the kinds a user or a program file brings: plain, wide, with UTF-8.
const char* const kLongTexts[] = {
    "A fifty-character program name that runs on and on",
    "WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW",
    "Verz\xC3\xB6gerung \xC3\xBC" "ber alles: Gr\xC3\xB6\xC3\x9F" "e und Wei\xC3\x9F" "e im Klang",
};

std::vector<ITextControl*> VisibleTexts(SectionsRig& rig)
{
    std::vector<ITextControl*> texts;
    for (int i = 0; i < rig.graphics->GetControlCount(); ++i)
        if (auto* text = dynamic_cast<ITextControl*>(rig.graphics->GetControl(i)); text && !text->IsHidden())
            texts.push_back(text);
    return texts;
}

std::string TextOf(const ITextControl* control)
{
    char text[256];
    control->GetText(text, sizeof text);
    return text;
}
}

// Every text style the editor's texts use, with every long text, in a box far too narrow.
TEST(TextInk, ALongTextStaysInItsRectangleInEveryStyle)
{
    SectionsRig rig;
    IGraphics& graphics = *rig.graphics;
    const Rect box{100, 100, 160, 116};
    for (ITextControl* owner : VisibleTexts(rig))
    {
        for (const char* text : kLongTexts)
        {
            TextStyle style = *owner->GetTextStyle();
            ITextControl probe(&rig.plugin(), box, &style, text);
            const Ink ink = InkOf(graphics, &probe);
            SCOPED_TRACE(testing::Message() << "style of the text at " << Describe(owner->GetDrawRect()) << ", \""
                                            << text << "\"");
            ASSERT_FALSE(ink.pixels.empty());
            EXPECT_TRUE(Inside(ink.bounds, box)) << "ink " << Describe(ink.bounds);
            PIX_IFont* font = probe.GetTextStyle()->cachedFont;
            ASSERT_NE(font, nullptr);
            std::string fitted;
            ASSERT_TRUE(TextFit::Shorten(font, text, box.Width(), 0, &fitted));
            EXPECT_EQ(fitted.substr(fitted.size() - 3), TextFit::kEllipsis);
            EXPECT_LE(TextFit::Width(font, fitted.c_str(), -1, 0), box.Width());
        }
    }
}

TEST(TextInk, AShortenedTextKeepsWholeCharactersAndDropsTrailingBlanks)
{
    SectionsRig rig;
    TextStyle style = *VisibleTexts(rig).front()->GetTextStyle();
    ITextControl probe(&rig.plugin(), Rect{0, 0, 10, 16}, &style, "x");
    InkOf(*rig.graphics, &probe);
    PIX_IFont* font = probe.GetTextStyle()->cachedFont;
    ASSERT_NE(font, nullptr);
    std::string fitted;
    EXPECT_FALSE(TextFit::Shorten(font, "Short", 200, 0, &fitted));

    const std::string umlauts = "\xC3\xB6\xC3\xB6\xC3\xB6\xC3\xB6\xC3\xB6\xC3\xB6\xC3\xB6\xC3\xB6";
    const int32_t width = TextFit::Width(font, "\xC3\xB6\xC3\xB6...", -1, 0);
    ASSERT_TRUE(TextFit::Shorten(font, umlauts.c_str(), width, 0, &fitted));
    EXPECT_EQ(fitted, "\xC3\xB6\xC3\xB6...");

    const int32_t wordWidth = TextFit::Width(font, "Word ...", -1, 0);
    ASSERT_TRUE(TextFit::Shorten(font, "Word and more words", wordWidth, 0, &fitted));
    EXPECT_EQ(fitted, "Word...");

    ASSERT_TRUE(TextFit::Shorten(font, "Nothing fits", 1, 0, &fitted));
    EXPECT_EQ(fitted, TextFit::kEllipsis);
}

// A renamed program's name ends in an ellipsis inside the program display, clear of the
// arrows and the load button beside it.
TEST(TextInk, ALongProgramNameStaysInsideTheProgramDisplay)
{
    SectionsRig rig;
    rig.plugin().ModifyCurrentPreset(kLongTexts[0]);
    rig.plugin().OnPresetChanged();
    IControl* menu = rig.HitAt(163, 592);
    ASSERT_NE(menu, nullptr);
    const Ink ink = InkOf(*rig.graphics, menu);
    EXPECT_TRUE(Inside(ink.bounds, menu->GetDrawRect())) << "ink " << Describe(ink.bounds);
}

// Every text filled with a long text (so it uses all the room it has) draws where no other
// visible text does, on every tab.
TEST(TextInk, NoTwoVisibleTextsShareAPixel)
{
    for (EditorView view : kEveryView)
    {
        SectionsRig rig;
        rig.Show(view);
        rig.Settle();
        const std::vector<ITextControl*> texts = VisibleTexts(rig);
        std::vector<int> owner(static_cast<size_t>(rig.graphics->GetWidth() * rig.graphics->GetHeight()), -1);
        for (size_t i = 0; i < texts.size(); ++i)
        {
            texts[i]->SetTextFromPlug(kLongTexts[1]);
            const Ink ink = InkOf(*rig.graphics, texts[i]);
            const Rect& rect = texts[i]->GetDrawRect();
            EXPECT_TRUE(Inside(ink.bounds, rect))
                << "view " << static_cast<int>(view) << ": text at " << Describe(rect) << " inks " << Describe(ink.bounds);
            for (int pixel : ink.pixels)
            {
                int& first = owner[static_cast<size_t>(pixel)];
                if (first >= 0 && first != static_cast<int>(i))
                {
                    ADD_FAILURE() << "view " << static_cast<int>(view) << ": texts at "
                                  << Describe(texts[static_cast<size_t>(first)]->GetDrawRect()) << " and "
                                  << Describe(rect) << " meet";
                    break;
                }
                first = static_cast<int>(i);
            }
        }
    }
}

// What the editor shows as it opens, captions and read-outs alike, fits whole: nothing a user
// has not renamed ends in an ellipsis. Under Wine this measures the system's own fonts.
TEST(TextInk, EveryTextOfAFreshEditorFitsItsRectangle)
{
    for (EditorView view : kEveryView)
    {
        SectionsRig rig;
        rig.Show(view);
        rig.Settle();
        for (ITextControl* text : VisibleTexts(rig))
        {
            InkOf(*rig.graphics, text);
            PIX_IFont* font = text->GetTextStyle()->cachedFont;
            const std::string shown = TextOf(text);
            if (!font || shown.empty())
                continue;
            std::string fitted;
            EXPECT_FALSE(TextFit::Shorten(font, shown.c_str(), text->GetDrawRect().Width(), 0, &fitted))
                << "view " << static_cast<int>(view) << ": \"" << shown << "\" shows as \"" << fitted << "\" in "
                << Describe(text->GetDrawRect());
        }
    }
}

// Values that round to zero show as "0.00 dB", "0.000", never with a sign: every parameter at
// every value next to the zero points of its read-outs, on every text of the editor and in the
// host's parameter text.
TEST(TextInk, NoTextShowsASignedZero)
{
    const std::regex signedZero("(^|[^0-9.])[-+]0(\\.0+)?($|[^0-9.])");
    const double kValues[] = {0.0, 1e-4, 0.4999, 0.49999, 0.5, 0.50001, 0.5001, 0.9999, 1.0};
    SectionsRig rig;
    for (int param = 0; param < kTotalParamCount; ++param)
    {
        const double original = rig.plugin().GetParam(param)->GetNormalized();
        for (double value : kValues)
        {
            rig.rig.Set(param, value);
            rig.graphics->Tick();
            char hostText[256];
            rig.plugin().GetParam(param)->GetDisplayText(value, true, hostText, true, sizeof hostText);
            EXPECT_FALSE(std::regex_search(hostText, signedZero))
                << "parameter " << param << " at " << value << ": \"" << hostText << "\"";
            for (ITextControl* text : VisibleTexts(rig))
            {
                const std::string shown = TextOf(text);
                EXPECT_FALSE(std::regex_search(shown, signedZero))
                    << "parameter " << param << " at " << value << ": \"" << shown << "\" at "
                    << Describe(text->GetDrawRect());
            }
        }
        rig.rig.Set(param, original);
    }
}
