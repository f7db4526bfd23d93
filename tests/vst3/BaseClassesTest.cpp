#include "vst3/abi/ResultCodes.h"
#include "vst3/abi/Vst3Constants.h"
#include "vst3/base/ListParameter.h"
#include "vst3/base/PluginViewBase.h"
#include "vst3/base/Utf16Text.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
TEST(Utf16Text, ConversionsCutToTheCapacityAndKeepTheTerminator)
{
    struct Case
    {
        const char* narrow;
        int capacity;
        const char16_t* wide;
    };
    for (const Case& c : {Case{"Output", 128, u"Output"}, Case{"Output", 4, u"Out"}, Case{"", 8, u""},
                          Case{nullptr, 8, u""}, Case{"\xE9t\xE9", 8, u"\u00E9t\u00E9"}})
    {
        char16_t wide[128];
        Vst3::WidenText(c.narrow, wide, c.capacity);
        EXPECT_EQ(std::u16string(wide), c.wide) << c.capacity;
    }
    char narrow[8];
    Vst3::NarrowText(u"A\u20ACB\u00E9", narrow, sizeof narrow);
    EXPECT_STREQ(narrow, "A?B\xE9");
    Vst3::NarrowText(u"Overlong", narrow, 5);
    EXPECT_STREQ(narrow, "Over");
}

class ProbeView : public Vst3::PluginViewBase
{
public:
    using PluginViewBase::Frame;
    using PluginViewBase::SystemWindow;
};

TEST(PluginViewBase, KeepsWhatTheHostGivesAndDeclinesTheRest)
{
    auto* view = new ProbeView;
    int parent = 0;
    EXPECT_EQ(view->isPlatformTypeSupported("HWND"), Vst3::kResultFalse);
    EXPECT_EQ(view->attached(&parent, "HWND"), Vst3::kResultOk);
    EXPECT_EQ(view->SystemWindow(), &parent);
    Vst3::ViewRect rect{1, 2, 3, 4};
    EXPECT_EQ(view->onSize(&rect), Vst3::kResultOk);
    Vst3::ViewRect size{};
    EXPECT_EQ(view->getSize(&size), Vst3::kResultOk);
    EXPECT_EQ(size.right, 3);
    EXPECT_EQ(view->onSize(nullptr), Vst3::kResultOk);
    EXPECT_EQ(view->removed(), Vst3::kResultOk);
    EXPECT_EQ(view->SystemWindow(), nullptr);
    for (Vst3::tresult answer : {view->onWheel(1.0f), view->onKeyDown(u'a', 0, 0), view->onKeyUp(u'a', 0, 0),
                                 view->onFocus(1), view->canResize(), view->checkSizeConstraint(&rect)})
        EXPECT_EQ(answer, Vst3::kResultFalse);
    void* answer = nullptr;
    EXPECT_EQ(view->queryInterface(Vst3::IPlugView::kIid.bytes, &answer), Vst3::kResultOk);
    EXPECT_EQ(answer, static_cast<Vst3::IPlugView*>(view));
    EXPECT_EQ(view->queryInterface(Vst3::IPlugFrame::kIid.bytes, &answer), Vst3::kNoInterface);
    EXPECT_EQ(answer, nullptr);
    EXPECT_EQ(view->release(), 1u);
    EXPECT_EQ(view->release(), 0u);
}

TEST(ListParameter, EntriesSitAtEvenSteps)
{
    Vst3::ParameterInfo info{};
    info.id = 9;
    auto* list = new Vst3::ListParameter(info);
    for (const char* entry : {"low", "mid", "high"})
        list->AppendString(entry);
    EXPECT_EQ(list->Info().stepCount, 2);
    EXPECT_EQ(list->Info().flags & Vst3::kParamIsList, Vst3::kParamIsList);
    struct Case
    {
        double normalized;
        double plain;
        const char16_t* text;
    };
    for (const Case& c : {Case{0.0, 0, u"low"}, Case{0.33, 0, u"low"}, Case{0.34, 1, u"mid"}, Case{0.5, 1, u"mid"},
                          Case{1.0, 2, u"high"}, Case{7.0, 2, u"high"}, Case{-1.0, 0, u"low"}})
    {
        EXPECT_EQ(list->ToPlain(c.normalized), c.plain) << c.normalized;
        Vst3::String128 text;
        list->ToString(c.normalized, text);
        EXPECT_EQ(std::u16string(text), c.text) << c.normalized;
    }
    double normalized = -1.0;
    EXPECT_TRUE(list->FromString(u"mid", normalized));
    EXPECT_EQ(normalized, 0.5);
    EXPECT_FALSE(list->FromString(u"none", normalized));
    EXPECT_EQ(normalized, 0.5);
    list->ReleaseReference();
}
}
