#include "editor/IWzFileSelector.h"
#include "tests/editor_controls/ControlTestRig.h"

#include <gtest/gtest.h>

using Wezmark::IWzFileSelector;

namespace
{
using Texts = std::vector<std::string>;

struct RoutingCase
{
    const char* name;
    int action;
    std::string dialogPath;
    Texts expected;
};

class FileSelectorRoutingTest : public testing::TestWithParam<RoutingCase>
{
};

TEST_P(FileSelectorRoutingTest, RoutesThePathByItsType)
{
    const RoutingCase& c = GetParam();
    ControlTestRig rig;
    const BitmapStrip strip{nullptr, 48, 40, 2, false};
    auto* selector = rig.Add(new IWzFileSelector(&rig.plug, &rig.controller, Rect{0, 0, 48, 20}, &strip, c.action));
    rig.graphics->ScriptFileName(c.dialogPath);
    selector->OnMouseDown(1, 1, nullptr);
    EXPECT_EQ(rig.controller.log, c.expected) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Paths, FileSelectorRoutingTest,
    testing::Values(RoutingCase{"program text", IWzFileSelector::kOpen, "/p/a.wz", {"load /p/a.wz"}},
                    RoutingCase{"vst program", IWzFileSelector::kOpen, "/p/a.fxp", {"load-fxp /p/a.fxp"}},
                    RoutingCase{"fxp inside the path", IWzFileSelector::kOpen, "/p/a.fxp.txt", {"load-fxp /p/a.fxp.txt"}},
                    RoutingCase{"upper case is a text file", IWzFileSelector::kOpen, "/p/A.FXP", {"load /p/A.FXP"}},
                    RoutingCase{"save text", IWzFileSelector::kSave, "/p/b.xjq", {"save /p/b.xjq"}},
                    RoutingCase{"save vst program", IWzFileSelector::kSave, "/p/b.fxp", {"save-fxp /p/b.fxp"}},
                    RoutingCase{"bare mark", IWzFileSelector::kSave, ".fxp", {"save-fxp .fxp"}},
                    RoutingCase{"cancelled", IWzFileSelector::kOpen, "", {}},
                    RoutingCase{"another action", 2, "/p/a.wz", {}}),
    [](const testing::TestParamInfo<RoutingCase>& info) { return "case" + std::to_string(info.index); });

// A cancelled dialog leaves the path empty; the last program file is then neither loaded nor
// overwritten.
TEST(FileSelector, CancelledDialogTouchesNoFile)
{
    for (const int action : {IWzFileSelector::kOpen, IWzFileSelector::kSave})
    {
        ControlTestRig rig;
        rig.controller.programFilePath = "/p/last.wz";
        const BitmapStrip strip{nullptr, 48, 40, 2, false};
        auto* selector = rig.Add(new IWzFileSelector(&rig.plug, &rig.controller, Rect{0, 0, 48, 20}, &strip, action));
        rig.graphics->ScriptFileName("");
        selector->OnMouseDown(1, 1, nullptr);
        EXPECT_TRUE(rig.controller.log.empty()) << action;
    }
}

TEST(FileSelector, WithoutAnEditorNothingHappens)
{
    ControlTestPlug plug;
    RecordingController controller;
    controller.programFilePath = "/p/last.wz";
    const BitmapStrip strip{nullptr, 48, 40, 2, false};
    IWzFileSelector selector(&plug, &controller, Rect{0, 0, 48, 20}, &strip, IWzFileSelector::kSave);
    selector.OnMouseDown(1, 1, nullptr);
    EXPECT_TRUE(controller.log.empty());
    EXPECT_STREQ(selector.GetPath(), "");
}

TEST(FileSelector, DialogOpensOnTheLastProgramFileAndToggles)
{
    ControlTestRig rig;
    rig.controller.programFilePath = "/p/last.wz";
    const BitmapStrip strip{nullptr, 48, 40, 2, false};
    auto* selector = rig.Add(new IWzFileSelector(&rig.plug, &rig.controller, Rect{0, 0, 48, 20}, &strip,
                                                 IWzFileSelector::kOpen));
    rig.graphics->ScriptFileName("/p/next.wz");
    selector->OnMouseDown(1, 1, nullptr);
    EXPECT_EQ(selector->GetValue(), 1.0);
    EXPECT_EQ(selector->GetState(), IWzFileSelector::State::DialogDone);
    rig.graphics->ScriptFileName("/p/next.wz");
    selector->OnMouseDown(1, 1, nullptr);
    EXPECT_EQ(selector->GetValue(), 0.0);
    EXPECT_EQ(rig.controller.log, (Texts{"load /p/next.wz", "load /p/next.wz"}));
}

TEST(FileSelector, OffersTheBindingsFileTypes)
{
#ifdef ZV_VST3_BINDING
    EXPECT_STREQ(IWzFileSelector::kExtensions, "wz xjq");
#else
    EXPECT_STREQ(IWzFileSelector::kExtensions, "wz xjq fxp");
#endif
}
} // namespace
