#include "graphics/win32/IGraphicsWin.h"
#include "vst3/abi/IComponent.h"
#include "vst3/abi/IEditController.h"
#include "vst3/abi/IPlugView.h"
#include "vst3/abi/ModuleEntryPoints.h"
#include "vst3/abi/ResultCodes.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
using FactoryEntry = Vst3::IClassFactory*(PLUGIN_API*)();

constexpr char kHostClass[] = "Vst3ViewTestHost";
constexpr int kHostSize = 900;

std::vector<HWND> Children(HWND parent)
{
    std::vector<HWND> children;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    return children;
}

std::string ClassName(HWND window)
{
    char name[128] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

// The editor test module loaded as a host loads it, its effect created and initialised, and
// two top-level host windows the editor can be a child of.
class Vst3ViewWindowTest : public ::testing::Test
{
protected:
    Vst3ViewWindowTest() : module_(LoadLibraryA(ZV_EDITOR_TEST_MODULE))
    {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = &DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = kHostClass;
        RegisterClassA(&windowClass);
        for (HWND& host : hosts_)
            host = CreateWindowExA(0, kHostClass, "host", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0, kHostSize,
                                   kHostSize, nullptr, nullptr, windowClass.hInstance, nullptr);
        if (!module_)
            return;
        auto entry = reinterpret_cast<FactoryEntry>(reinterpret_cast<void*>(GetProcAddress(module_, "GetPluginFactory")));
        factory_ = entry ? entry() : nullptr;
        Vst3::PClassInfo info{};
        void* answer = nullptr;
        if (!factory_ || factory_->getClassInfo(0, &info) != Vst3::kResultOk ||
            factory_->createInstance(reinterpret_cast<Vst3::FIDString>(info.cid),
                                     reinterpret_cast<Vst3::FIDString>(Vst3::IComponent::kIid.bytes),
                                     &answer) != Vst3::kResultOk)
            return;
        component_ = static_cast<Vst3::IComponent*>(answer);
        component_->initialize(nullptr);
        component_->queryInterface(Vst3::IEditController::kIid.bytes, &answer);
        controller_ = static_cast<Vst3::IEditController*>(answer);
    }

    ~Vst3ViewWindowTest() override
    {
        if (controller_)
            controller_->release();
        if (component_)
        {
            component_->terminate();
            component_->release();
        }
        if (factory_)
            factory_->release();
        for (HWND host : hosts_)
            DestroyWindow(host);
        UnregisterClassA(kHostClass, GetModuleHandleA(nullptr));
        if (module_)
            FreeLibrary(module_);
    }

    void SetUp() override { ASSERT_NE(controller_, nullptr) << "the test module gave no effect"; }

    Vst3::IPlugView* CreateView() { return controller_->createView("editor"); }

    HMODULE module_;
    Vst3::IClassFactory* factory_ = nullptr;
    Vst3::IComponent* component_ = nullptr;
    Vst3::IEditController* controller_ = nullptr;
    HWND hosts_[2] = {};
};

TEST_F(Vst3ViewWindowTest, AttachMakesOneEditorChildAndRemovedDestroysIt)
{
    Vst3::IPlugView* view = CreateView();
    Vst3::IPlugView* other = CreateView();
    ASSERT_NE(view, nullptr);
    ASSERT_NE(other, nullptr);
    EXPECT_NE(view, other);

    Vst3::ViewRect size{};
    ASSERT_EQ(view->getSize(&size), Vst3::kResultOk);
    EXPECT_EQ(size.right - size.left, 650);
    EXPECT_EQ(size.bottom - size.top, 830);
    for (const char* type : {"NSView", "X11EmbedWindowID"})
    {
        EXPECT_EQ(view->isPlatformTypeSupported(type), Vst3::kResultFalse) << type;
        EXPECT_EQ(view->attached(hosts_[0], type), Vst3::kResultFalse) << type;
        EXPECT_TRUE(Children(hosts_[0]).empty()) << type;
    }

    ASSERT_EQ(view->isPlatformTypeSupported("HWND"), Vst3::kResultOk);
    ASSERT_EQ(view->attached(hosts_[0], "HWND"), Vst3::kResultOk);
    std::vector<HWND> children = Children(hosts_[0]);
    ASSERT_EQ(children.size(), 1u);
    EXPECT_EQ(ClassName(children[0]), IGraphicsWin::kWindowClassName);

    // A second view does not take the window from the first.
    EXPECT_EQ(other->attached(hosts_[1], "HWND"), Vst3::kResultFalse);
    EXPECT_TRUE(Children(hosts_[1]).empty());
    EXPECT_EQ(Children(hosts_[0]), children);
    other->removed();
    other->release();
    EXPECT_TRUE(IsWindow(children[0]));

    EXPECT_EQ(view->removed(), Vst3::kResultOk);
    EXPECT_FALSE(IsWindow(children[0]));
    EXPECT_TRUE(Children(hosts_[0]).empty());
    view->release();
}

TEST_F(Vst3ViewWindowTest, ReleaseOrdersLeaveNoWindowBehind)
{
    struct Case
    {
        const char* name;
        bool removeFirst;
        bool releaseEffectFirst;
    };
    const Case cases[] = {
        {"removed, then released", true, false},
        {"released without removed", false, false},
        {"effect released before its view", false, true},
    };
    for (const Case& c : cases)
    {
        Vst3::IPlugView* view = CreateView();
        ASSERT_EQ(view->attached(hosts_[0], "HWND"), Vst3::kResultOk) << c.name;
        const std::vector<HWND> children = Children(hosts_[0]);
        ASSERT_EQ(children.size(), 1u) << c.name;
        if (c.removeFirst)
            view->removed();
        if (c.releaseEffectFirst)
        {
            // The host lets go of the effect; the view still holds it.
            controller_->release();
            controller_ = nullptr;
            component_->terminate();
            component_->release();
            component_ = nullptr;
            EXPECT_TRUE(IsWindow(children[0])) << c.name;
        }
        EXPECT_EQ(view->release(), 0u) << c.name;
        EXPECT_FALSE(IsWindow(children[0])) << c.name;
    }
}

TEST_F(Vst3ViewWindowTest, AViewReleasedBeforeTheOneShowingTheEditorLeavesItOpen)
{
    Vst3::IPlugView* older = CreateView();
    Vst3::IPlugView* newer = CreateView();
    ASSERT_EQ(newer->attached(hosts_[1], "HWND"), Vst3::kResultOk);
    older->release();
    const std::vector<HWND> children = Children(hosts_[1]);
    ASSERT_EQ(children.size(), 1u);
    newer->removed();
    EXPECT_FALSE(IsWindow(children[0]));
    newer->release();
}
}
