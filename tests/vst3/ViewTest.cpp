#include "tests/graphics_support/HeadlessGraphics.h"
#include "tests/vst3/CountedHostObject.h"
#include "tests/vst3/HostedEffect.h"
#include "tests/vst3/RecordingComponentHandler.h"
#include "vst3/IEffectVST3View.h"
#include "vst3/abi/IComponentHandler3.h"
#include "vst3/abi/ResultCodes.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
// A host frame that records the sizes asked of it and answers at once, as hosts do, with the
// view's onSize.
class AnsweringFrame : public CountedHostObject<Vst3::IPlugFrame>
{
public:
    Vst3::tresult PLUGIN_API resizeView(Vst3::IPlugView* view, Vst3::ViewRect* newSize) override
    {
        requests.push_back(*newSize);
        views.push_back(view);
        return view->onSize(newSize);
    }

    std::vector<Vst3::ViewRect> requests;
    std::vector<Vst3::IPlugView*> views;
};

class RecordingContextMenu : public CountedHostObject<Vst3::IContextMenu>
{
public:
    Vst3::int32 PLUGIN_API getItemCount() override { return 0; }
    Vst3::tresult PLUGIN_API getItem(Vst3::int32, Vst3::ContextMenuItem&, Vst3::IContextMenuTarget**) override
    {
        return Vst3::kResultFalse;
    }
    Vst3::tresult PLUGIN_API addItem(const Vst3::ContextMenuItem&, Vst3::IContextMenuTarget*) override
    {
        return Vst3::kResultFalse;
    }
    Vst3::tresult PLUGIN_API removeItem(const Vst3::ContextMenuItem&, Vst3::IContextMenuTarget*) override
    {
        return Vst3::kResultFalse;
    }
    Vst3::tresult PLUGIN_API popup(Vst3::int32 x, Vst3::int32 y) override
    {
        popups.push_back({x, y});
        return Vst3::kResultOk;
    }

    std::vector<std::pair<Vst3::int32, Vst3::int32>> popups;
};

class ContextMenuFactory : public CountedHostObject<Vst3::IComponentHandler3>
{
public:
    Vst3::IContextMenu* PLUGIN_API createContextMenu(Vst3::IPlugView* view, const Vst3::ParamID* id) override
    {
        views.push_back(view);
        ids.push_back(*id);
        menu.addRef();
        return &menu;
    }

    RecordingContextMenu menu;
    std::vector<Vst3::IPlugView*> views;
    std::vector<Vst3::ParamID> ids;
};

// A component handler that also builds the host's context menus.
class MenuComponentHandler : public RecordingComponentHandler
{
public:
    Vst3::tresult PLUGIN_API queryInterface(const Vst3::TUID interfaceId, void** object) override
    {
        if (Vst3::IComponentHandler3::kIid.Matches(interfaceId))
            return menus.queryInterface(interfaceId, object);
        return RecordingComponentHandler::queryInterface(interfaceId, object);
    }

    ContextMenuFactory menus;
};

// Two host windows the editor can be a child of; the headless editor's window is its parent.
int gHostWindowA = 0;
int gHostWindowB = 0;

// The recording product with a headless editor of the test's own.
class ViewTest : public ::testing::Test
{
protected:
    ViewTest() : graphics(new HeadlessGraphics(&effect.Product())) { effect.Product().AttachEditor(graphics); }

    Vst3::IPlugView* CreateView() { return effect.Controller()->createView("editor"); }
    const std::vector<IEffectVST3View*>& Views() { return effect.Product().Views(); }

    HostedEffect effect;
    HeadlessGraphics* graphics;
};

TEST(ViewWithoutEditor, NoViewIsCreated)
{
    HostedEffect effect;
    EXPECT_EQ(effect.Controller()->createView("editor"), nullptr);
    EXPECT_TRUE(effect.Product().Views().empty());
}

TEST_F(ViewTest, EditorNameGivesANewViewEachTime)
{
    for (const char* name : {"Editor", "editor ", "", static_cast<const char*>(nullptr)})
        EXPECT_EQ(effect.Controller()->createView(name), nullptr) << (name ? name : "null");
    Vst3::IPlugView* first = CreateView();
    Vst3::IPlugView* second = CreateView();
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_NE(first, second);
    ASSERT_EQ(Views().size(), 2u);
    EXPECT_EQ(static_cast<Vst3::IPlugView*>(Views()[0]), first);

    void* answer = nullptr;
    ASSERT_EQ(first->queryInterface(Vst3::IPlugView::kIid.bytes, &answer), Vst3::kResultOk);
    EXPECT_EQ(answer, first);
    EXPECT_EQ(first->release(), 1u);
    EXPECT_STREQ(Views()[0]->ClassName(), "CPluginView");
    EXPECT_TRUE(Views()[0]->IsTypeOf("FObject"));
    first->release();
    second->release();
}

TEST_F(ViewTest, SizeIsTheEditorsBeforeAttach)
{
    Vst3::IPlugView* view = CreateView();
    Vst3::ViewRect size{-1, -1, -1, -1};
    EXPECT_EQ(view->getSize(&size), Vst3::kResultOk);
    EXPECT_EQ(size.left, 0);
    EXPECT_EQ(size.top, 0);
    EXPECT_EQ(size.right, 650);
    EXPECT_EQ(size.bottom, 830);
    EXPECT_EQ(view->getSize(nullptr), Vst3::kInvalidArgument);
    view->release();
}

TEST_F(ViewTest, OnlyHwndOpensAWindow)
{
    struct Case
    {
        const char* type;
        Vst3::tresult expected;
    };
    const Case cases[] = {
        {"HWND", Vst3::kResultOk},
        {"hwnd", Vst3::kResultFalse},
        {"NSView", Vst3::kResultFalse},
        {"X11EmbedWindowID", Vst3::kResultFalse},
        {nullptr, Vst3::kResultFalse},
    };
    for (const Case& c : cases)
    {
        const char* label = c.type ? c.type : "null";
        Vst3::IPlugView* view = CreateView();
        EXPECT_EQ(view->isPlatformTypeSupported(c.type), c.expected) << label;
        const int openedBefore = effect.Product().editorOpenedCount;
        EXPECT_EQ(view->attached(&gHostWindowA, c.type), c.expected) << label;
        const bool opens = c.expected == Vst3::kResultOk;
        EXPECT_EQ(graphics->GetWindowHandle(), opens ? &gHostWindowA : nullptr) << label;
        EXPECT_EQ(effect.Product().editorOpenedCount, openedBefore + (opens ? 1 : 0)) << label;
        view->removed();
        view->release();
    }
}

TEST_F(ViewTest, AttachWithoutParentIsRefused)
{
    Vst3::IPlugView* view = CreateView();
    EXPECT_EQ(view->attached(nullptr, "HWND"), Vst3::kResultFalse);
    EXPECT_EQ(graphics->GetWindowHandle(), nullptr);
    EXPECT_EQ(effect.Product().editorOpenedCount, 0);
    view->release();
}

TEST_F(ViewTest, RemovedClosesTheWindowAfterTheClosedStep)
{
    Vst3::IPlugView* view = CreateView();
    ASSERT_EQ(view->attached(&gHostWindowA, "HWND"), Vst3::kResultOk);
    EXPECT_EQ(graphics->GetWindowHandle(), &gHostWindowA);
    EXPECT_EQ(view->removed(), Vst3::kResultOk);
    EXPECT_EQ(graphics->GetWindowHandle(), nullptr);
    EXPECT_EQ(effect.Product().editorClosedCount, 1);
    // A second removed has nothing left to close.
    EXPECT_EQ(view->removed(), Vst3::kResultOk);
    EXPECT_EQ(effect.Product().editorClosedCount, 1);
    view->release();
    EXPECT_TRUE(Views().empty());
}

TEST_F(ViewTest, ViewReleasedWithoutRemovedClosesItsWindow)
{
    Vst3::IPlugView* view = CreateView();
    ASSERT_EQ(view->attached(&gHostWindowA, "HWND"), Vst3::kResultOk);
    view->release();
    EXPECT_EQ(graphics->GetWindowHandle(), nullptr);
    EXPECT_EQ(effect.Product().editorClosedCount, 1);
    EXPECT_TRUE(Views().empty());
}

TEST_F(ViewTest, SecondViewCannotTakeTheOpenWindow)
{
    Vst3::IPlugView* first = CreateView();
    Vst3::IPlugView* second = CreateView();
    ASSERT_EQ(first->attached(&gHostWindowA, "HWND"), Vst3::kResultOk);
    EXPECT_EQ(second->attached(&gHostWindowB, "HWND"), Vst3::kResultFalse);
    EXPECT_EQ(graphics->GetWindowHandle(), &gHostWindowA);
    EXPECT_EQ(effect.Product().editorOpenedCount, 1);
    // The refused view's removed and release leave the first view's window alone.
    EXPECT_EQ(second->removed(), Vst3::kResultOk);
    second->release();
    EXPECT_EQ(graphics->GetWindowHandle(), &gHostWindowA);
    EXPECT_EQ(effect.Product().editorClosedCount, 0);

    // Once the first view is removed another view opens the editor.
    first->removed();
    Vst3::IPlugView* third = CreateView();
    EXPECT_EQ(third->attached(&gHostWindowB, "HWND"), Vst3::kResultOk);
    EXPECT_EQ(graphics->GetWindowHandle(), &gHostWindowB);
    first->release();
    EXPECT_EQ(graphics->GetWindowHandle(), &gHostWindowB);
    third->removed();
    third->release();
}

TEST_F(ViewTest, WindowClosedElsewhereFreesTheEditorForAnotherView)
{
    Vst3::IPlugView* first = CreateView();
    Vst3::IPlugView* second = CreateView();
    ASSERT_EQ(first->attached(&gHostWindowA, "HWND"), Vst3::kResultOk);
    // The host destroyed its window and the editor's child with it.
    graphics->CloseEditorWindow();
    EXPECT_EQ(second->attached(&gHostWindowB, "HWND"), Vst3::kResultOk);
    first->removed();
    first->release();
    EXPECT_EQ(graphics->GetWindowHandle(), &gHostWindowB);
    second->removed();
    second->release();
}

TEST_F(ViewTest, ReleasingOneViewKeepsTheOthersInTheList)
{
    for (bool releaseOldestFirst : {true, false})
    {
        Vst3::IPlugView* older = CreateView();
        Vst3::IPlugView* newer = CreateView();
        (releaseOldestFirst ? older : newer)->release();
        ASSERT_EQ(Views().size(), 1u);
        EXPECT_EQ(static_cast<Vst3::IPlugView*>(Views()[0]), releaseOldestFirst ? newer : older);
        (releaseOldestFirst ? newer : older)->release();
        EXPECT_TRUE(Views().empty());
    }
}

TEST_F(ViewTest, PluginResizeGoesThroughTheFrameOfTheFirstView)
{
    AnsweringFrame frame;
    Vst3::IPlugView* view = CreateView();
    // Without a frame the request goes nowhere.
    effect.Product().ResizeEditor(700, 900);
    EXPECT_EQ(effect.Product().editorResizedCount, 0);

    ASSERT_EQ(view->setFrame(&frame), Vst3::kResultOk);
    effect.Product().ResizeEditor(700, 900);
    ASSERT_EQ(frame.requests.size(), 1u);
    EXPECT_EQ(frame.views[0], view);
    EXPECT_EQ(frame.requests[0].left, 0);
    EXPECT_EQ(frame.requests[0].top, 0);
    EXPECT_EQ(frame.requests[0].right, 700);
    EXPECT_EQ(frame.requests[0].bottom, 900);
    EXPECT_EQ(effect.Product().editorResizedCount, 1);

    // The host's own resizing is only stored.
    Vst3::ViewRect hostSize{0, 0, 640, 480};
    EXPECT_EQ(view->onSize(&hostSize), Vst3::kResultOk);
    EXPECT_EQ(view->onSize(nullptr), Vst3::kResultOk);
    EXPECT_EQ(effect.Product().editorResizedCount, 1);
    view->setFrame(nullptr);
    view->release();
    EXPECT_EQ(frame.references, 1u);
}

TEST_F(ViewTest, ResizeReachesTheRemainingViewAfterTheOlderOneIsReleased)
{
    AnsweringFrame olderFrame;
    AnsweringFrame newerFrame;
    Vst3::IPlugView* older = CreateView();
    Vst3::IPlugView* newer = CreateView();
    older->setFrame(&olderFrame);
    newer->setFrame(&newerFrame);
    older->release();
    effect.Product().ResizeEditor(650, 830);
    EXPECT_TRUE(olderFrame.requests.empty());
    ASSERT_EQ(newerFrame.views.size(), 1u);
    EXPECT_EQ(newerFrame.views[0], newer);
    newer->release();
}

TEST_F(ViewTest, ContextMenuIsTheHostsForTheViewAndParameter)
{
    MenuComponentHandler handler;
    effect.Controller()->setComponentHandler(&handler);
    // No view yet: nothing is asked.
    effect.Product().ShowHostContextMenu(RecordingProduct::kTrim, 10, 20);
    EXPECT_TRUE(handler.menus.ids.empty());

    Vst3::IPlugView* view = CreateView();
    effect.Product().ShowHostContextMenu(RecordingProduct::kTrim, 10, 20);
    ASSERT_EQ(handler.menus.ids.size(), 1u);
    EXPECT_EQ(handler.menus.ids[0], static_cast<Vst3::ParamID>(RecordingProduct::kTrim));
    EXPECT_EQ(handler.menus.views[0], view);
    ASSERT_EQ(handler.menus.menu.popups.size(), 1u);
    EXPECT_EQ(handler.menus.menu.popups[0], std::make_pair(10, 20));
    EXPECT_EQ(handler.menus.references, 1u);
    EXPECT_EQ(handler.menus.menu.references, 1u);

    effect.Controller()->setComponentHandler(nullptr);
    view->release();
}

TEST_F(ViewTest, ContextMenuNeedsAHandlerThatBuildsMenus)
{
    RecordingComponentHandler handler;
    effect.Controller()->setComponentHandler(&handler);
    Vst3::IPlugView* view = CreateView();
    effect.Product().ShowHostContextMenu(RecordingProduct::kGain, 1, 2);
    EXPECT_TRUE(handler.calls.empty());
    effect.Controller()->setComponentHandler(nullptr);
    EXPECT_EQ(handler.references, 1u);
    view->release();
}
}
