#include "framework/vst2/Vst2Constants.h"
#include "framework/win32/ModuleInstance.h"
#include "graphics/PIX_MemBitmap.h"
#include "graphics/PngDecoder.h"
#include "graphics/win32/IGraphicsWin.h"
#include "tests/win/EditorTestEffect.h"
#include "tools/vsthost/EditorWindow.h"
#include "tools/vsthost/HostContext.h"
#include "tools/vsthost/PluginInstance.h"
#include "tools/vsthost/PluginLibrary.h"
#include "tools/vsthost/Vst2Editor.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace
{
constexpr double kSampleRate = 44100.0;
constexpr int32_t kBlockSize = 512;
constexpr int32_t kSettleTicks = 3;
constexpr int32_t kTicksPerStep = 2;
constexpr uint32_t kRgbMask = 0x00FFFFFFu;
constexpr int32_t kKnobSize = 50;

HWND Handle(void* window)
{
    return static_cast<HWND>(window);
}

std::string ClassName(HWND window)
{
    char name[128] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

std::vector<HWND> Children(HWND parent)
{
    std::vector<HWND> children;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    return children;
}

RECT RectIn(HWND window, HWND parent)
{
    RECT rect;
    GetWindowRect(window, &rect);
    MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

Rect RectOf(const int32_t (&edges)[4])
{
    return {edges[0], edges[1], edges[2], edges[3]};
}

EditorAction Mouse(EditorAction::Kind kind, int32_t x, int32_t y)
{
    EditorAction action{kind};
    action.x = x;
    action.y = y;
    return action;
}

// Presses and releases the left button in the middle of a rectangle.
void Click(EditorWindow& window, const Rect& rect)
{
    const int32_t x = (rect.left + rect.right) / 2;
    const int32_t y = (rect.top + rect.bottom) / 2;
    window.Play(Mouse(EditorAction::Kind::Press, x, y));
    window.Play(Mouse(EditorAction::Kind::Release, x, y));
    window.WaitForTicks(kTicksPerStep);
}

void Type(EditorWindow& window, const std::string& text)
{
    EditorAction action{EditorAction::Kind::Type};
    action.text = text;
    window.Play(action);
}

void PressKey(EditorWindow& window, int32_t key)
{
    EditorAction action{EditorAction::Kind::Key};
    action.key = key;
    window.Play(action);
    window.WaitForTicks(kTicksPerStep);
}

// Records what one window receives: each message with its wParam, and for a paint its update
// rectangle.
class MessageRecorder
{
public:
    struct Received
    {
        UINT message;
        WPARAM wParam;
        Rect update;
    };

    explicit MessageRecorder(HWND window) : window_(window)
    {
        current_ = this;
        original_ = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RecordingProc)));
    }
    ~MessageRecorder()
    {
        SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_));
        current_ = nullptr;
    }
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;

    std::vector<Received> Of(UINT message) const
    {
        std::vector<Received> found;
        for (const Received& received : received_)
            if (received.message == message)
                found.push_back(received);
        return found;
    }

private:
    static LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        Received received{message, wParam, {}};
        RECT update;
        if (message == WM_PAINT && GetUpdateRect(window, &update, FALSE))
            received.update = {update.left, update.top, update.right, update.bottom};
        current_->received_.push_back(received);
        return CallWindowProcA(current_->original_, window, message, wParam, lParam);
    }

    static MessageRecorder* current_;
    HWND window_;
    WNDPROC original_ = nullptr;
    std::vector<Received> received_;
};

MessageRecorder* MessageRecorder::current_ = nullptr;

class EditorWindowTest : public ::testing::Test
{
protected:
    EditorWindowTest()
        : library_(ZV_EDITOR_TEST_PLUGIN), host_(kSampleRate, kBlockSize),
          plugin_(library_.FindEntry(), &HostContext::Callback)
    {
        plugin_.Open(kSampleRate, kBlockSize);
    }

    AEffect* Effect() const { return plugin_.Effect(); }

    // The begin-edit, automate and end-edit calls the host heard since `first`.
    std::vector<HostContext::Edit> EditsSince(size_t first) const
    {
        const auto& edits = host_.Edits();
        return {edits.begin() + static_cast<std::ptrdiff_t>(first), edits.end()};
    }

    bool ClassRegistered() const
    {
        WNDCLASSA windowClass;
        return GetClassInfoA(GetModuleHandleA("EditorTestPlugin.dll"), IGraphicsWin::kWindowClassName,
                             &windowClass) != 0;
    }

    PluginLibrary library_;
    HostContext host_;
    PluginInstance plugin_;
    Vst2Editor editor_{plugin_};
};

TEST_F(EditorWindowTest, ReportsItsSizeAndOpensOneChildWindowOfItsClass)
{
    ASSERT_TRUE(Effect());
    ERect* rect = nullptr;
    ASSERT_EQ(plugin_.Dispatch(effEditGetRect, 0, 0, &rect), 1);
    ASSERT_TRUE(rect);
    EXPECT_EQ(rect->right - rect->left, EditorTestEffect::kWidth);
    EXPECT_EQ(rect->bottom - rect->top, EditorTestEffect::kHeight);

    EditorWindow window(editor_);
    ASSERT_TRUE(window.IsOpen()) << window.Error();
    const std::vector<HWND> children = Children(Handle(window.HostHandle()));
    ASSERT_EQ(children.size(), 1u);
    EXPECT_EQ(ClassName(children[0]), IGraphicsWin::kWindowClassName);
    char title[32] = "";
    GetWindowTextA(children[0], title, sizeof title);
    EXPECT_STREQ(title, IGraphicsWin::kWindowTitle);
    const RECT placed = RectIn(children[0], Handle(window.HostHandle()));
    EXPECT_EQ(placed.left, 0);
    EXPECT_EQ(placed.top, 0);
    EXPECT_EQ(placed.right - placed.left, EditorTestEffect::kWidth);
    EXPECT_EQ(placed.bottom - placed.top, EditorTestEffect::kHeight);
}

// The screen shows the background image wherever no control lies, and the knob over it.
void ExpectShowsTheEditorBitmaps(EditorWindow& window)
{
    window.WaitForTicks(kSettleTicks);
    const std::vector<uint32_t> shown = window.CapturePixels();
    ASSERT_EQ(shown.size(), static_cast<size_t>(EditorTestEffect::kWidth * EditorTestEffect::kHeight));
    std::unique_ptr<PIX_MemBitmap> background(
        LoadPngFromFile(ZV_SOURCE_DIR "/resources/img/GUI_background.png", nullptr));
    ASSERT_TRUE(background);
    ASSERT_EQ(background->GetWidth(), EditorTestEffect::kWidth);

    const uint32_t* expected = background->GetPixelData();
    const auto at = [&](int32_t x, int32_t y) { return shown[static_cast<size_t>(y * EditorTestEffect::kWidth + x)]; };
    const auto backgroundAt = [&](int32_t x, int32_t y) { return expected[y * background->GetRowStride() + x]; };
    int32_t checked = 0;
    for (int32_t y = 5; y < EditorTestEffect::kHeight; y += 50)
    {
        for (int32_t x = 5; x < 90; x += 20)
        {
            EXPECT_EQ(at(x, y) & kRgbMask, backgroundAt(x, y) & kRgbMask) << x << "," << y;
            ++checked;
        }
    }
    EXPECT_GT(checked, 0);
    int32_t knobPixels = 0;
    for (int32_t y = EditorTestEffect::kKnobY; y < EditorTestEffect::kKnobY + kKnobSize; ++y)
        for (int32_t x = EditorTestEffect::kKnobX; x < EditorTestEffect::kKnobX + kKnobSize; ++x)
            knobPixels += (at(x, y) & kRgbMask) != (backgroundAt(x, y) & kRgbMask);
    EXPECT_GT(knobPixels, kKnobSize * kKnobSize / 10) << "the knob is not drawn over the background";
}

TEST_F(EditorWindowTest, AScreenshotShowsTheDrawnBitmaps)
{
    EditorWindow window(editor_);
    ASSERT_TRUE(window.IsOpen()) << window.Error();
    ExpectShowsTheEditorBitmaps(window);
}

TEST_F(EditorWindowTest, AHostParameterChangeRepaintsItsControlAndNothingElse)
{
    EditorWindow window(editor_);
    ASSERT_TRUE(window.IsOpen()) << window.Error();
    window.WaitForTicks(kSettleTicks);
    MessageRecorder recorder(Handle(window.EditorHandle()));
    Effect()->setParameter(Effect(), EditorTestEffect::kSecondKnobParam, 0.9f);
    window.WaitForTicks(kTicksPerStep);

    const Rect knob{EditorTestEffect::kSecondKnobX, EditorTestEffect::kSecondKnobY,
                    EditorTestEffect::kSecondKnobX + kKnobSize, EditorTestEffect::kSecondKnobY + kKnobSize};
    const std::vector<MessageRecorder::Received> paints = recorder.Of(WM_PAINT);
    ASSERT_FALSE(paints.empty()) << "no repaint within two timer ticks";
    for (const MessageRecorder::Received& paint : paints)
    {
        const Rect& painted = paint.update;
        EXPECT_EQ(painted, knob) << painted.left << "," << painted.top << "," << painted.right << ","
                                 << painted.bottom;
    }
}

// A host may call the editor's idle entry a thousand times a second: with nothing changed,
// neither those calls nor the redraw ticks between them paint.
void ExpectIdleCallsPaintNothing(const PluginInstance& plugin, EditorWindow& window)
{
    constexpr int kRounds = 3;
    constexpr int kIdleCallsPerRound = 200;
    window.WaitForTicks(kSettleTicks);
    MessageRecorder recorder(Handle(window.EditorHandle()));
    for (int round = 0; round < kRounds; ++round)
    {
        for (int call = 0; call < kIdleCallsPerRound; ++call)
            plugin.Dispatch(effEditIdle);
        window.WaitForTicks(1);
    }
    EXPECT_FALSE(recorder.Of(WM_TIMER).empty()) << "the redraw timer never ticked";
    EXPECT_TRUE(recorder.Of(WM_PAINT).empty());
}

TEST_F(EditorWindowTest, IdleCallsWithNothingChangedPaintNothing)
{
    EditorWindow window(editor_);
    ASSERT_TRUE(window.IsOpen()) << window.Error();
    ExpectIdleCallsPaintNothing(plugin_, window);
}

// The product's own editor, with every tab's controls in its list.
TEST(ProductEditorWindow, IdleCallsWithNothingChangedPaintNothing)
{
    PluginLibrary library(ZV_PRODUCT_PLUGIN);
    ASSERT_TRUE(library.IsLoaded()) << library.Error();
    HostContext host(kSampleRate, kBlockSize);
    PluginInstance plugin(library.FindEntry(), &HostContext::Callback);
    ASSERT_TRUE(plugin.Effect()) << plugin.Error();
    plugin.Open(kSampleRate, kBlockSize);
    Vst2Editor editor(plugin);
    {
        EditorWindow window(editor);
        ASSERT_TRUE(window.IsOpen()) << window.Error();
        ExpectIdleCallsPaintNothing(plugin, window);
    }
    plugin.Close();
}

TEST_F(EditorWindowTest, TheWheelTurnsTheKnobUnderTheCursorByHundredthsPerNotch)
{
    EditorWindow window(editor_);
    ASSERT_TRUE(window.IsOpen()) << window.Error();
    window.WaitForTicks(kSettleTicks);
    const struct
    {
        int notches;
        WPARAM keys;
        float expected;
    } cases[] = {{2, 0, 0.52f}, {-1, 0, 0.51f}, {3, MK_SHIFT, 0.513f}};
    // The wheel message carries a screen position.
    POINT centre{EditorTestEffect::kKnobX + kKnobSize / 2, EditorTestEffect::kKnobY + kKnobSize / 2};
    ClientToScreen(Handle(window.EditorHandle()), &centre);
    for (const auto& c : cases)
    {
        const auto delta = static_cast<WORD>(static_cast<short>(c.notches * WHEEL_DELTA));
        SendMessageA(Handle(window.EditorHandle()), WM_MOUSEWHEEL, MAKEWPARAM(c.keys, delta),
                     MAKELPARAM(centre.x, centre.y));
        EXPECT_NEAR(Effect()->getParameter(Effect(), EditorTestEffect::kKnobParam), c.expected, 1e-6)
            << c.notches << " notches";
    }
}

// The tooltip window the editor made; a popup's owner is the top-level window of the child
// it was made for.
HWND FindTooltipWindow(HWND editor)
{
    HWND tooltip = nullptr;
    while ((tooltip = FindWindowExA(nullptr, tooltip, TOOLTIPS_CLASSA, nullptr)))
        if (GetWindow(tooltip, GW_OWNER) == GetAncestor(editor, GA_ROOT))
            return tooltip;
    return nullptr;
}

std::string TooltipText(HWND tooltip, HWND editor)
{
    char text[256] = "";
    TOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.hwnd = editor;
    tool.uId = reinterpret_cast<UINT_PTR>(editor);
    tool.lpszText = text;
    SendMessageA(tooltip, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
    return text;
}

TEST_F(EditorWindowTest, HoveringAControlShowsItsTooltipAndMovingOffHidesIt)
{
    EditorWindow window(editor_);
    ASSERT_TRUE(window.IsOpen()) << window.Error();
    window.WaitForTicks(kSettleTicks);
    HWND editor = Handle(window.EditorHandle());
    HWND tooltip = FindTooltipWindow(editor);
    ASSERT_TRUE(tooltip);

    const int32_t x = EditorTestEffect::kKnobX + kKnobSize / 2;
    const int32_t y = EditorTestEffect::kKnobY + kKnobSize / 2;
    SendMessageA(editor, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
    SendMessageA(editor, WM_MOUSEHOVER, 0, MAKELPARAM(x, y));
    EXPECT_EQ(TooltipText(tooltip, editor), EditorTestEffect::kKnobTooltip);

    // The background control has no tooltip.
    SendMessageA(editor, WM_MOUSEMOVE, 0, MAKELPARAM(20, 600));
    EXPECT_EQ(TooltipText(tooltip, editor), "");
}

TEST_F(EditorWindowTest, KeysNoControlTakesGoToTheHostsTopLevelWindow)
{
    EditorWindow window(editor_);
    ASSERT_TRUE(window.IsOpen()) << window.Error();
    window.WaitForTicks(kSettleTicks);
    MessageRecorder host(Handle(window.HostHandle()));
    // A letter and space are offered to the controls first, F1 to none.
    const WPARAM keys[] = {'A', VK_SPACE, VK_F1};
    for (WPARAM key : keys)
    {
        SendMessageA(Handle(window.EditorHandle()), WM_KEYDOWN, key, 1);
        SendMessageA(Handle(window.EditorHandle()), WM_KEYUP, key, 1);
    }
    const std::vector<MessageRecorder::Received> downs = host.Of(WM_KEYDOWN);
    const std::vector<MessageRecorder::Received> ups = host.Of(WM_KEYUP);
    ASSERT_EQ(downs.size(), 3u);
    ASSERT_EQ(ups.size(), 3u);
    for (size_t i = 0; i < 3; ++i)
    {
        EXPECT_EQ(downs[i].wParam, keys[i]);
        EXPECT_EQ(ups[i].wParam, keys[i]);
    }
}

TEST_F(EditorWindowTest, DraggingAKnobUpTellsTheHostOneGestureOfRisingValues)
{
    EditorWindow window(editor_);
    ASSERT_TRUE(window.IsOpen()) << window.Error();
    window.WaitForTicks(kSettleTicks);
    const size_t first = host_.Edits().size();
    const int32_t x = EditorTestEffect::kKnobX + kKnobSize / 2;
    const int32_t y = EditorTestEffect::kKnobY + kKnobSize / 2;
    for (const EditorAction& step : {Mouse(EditorAction::Kind::Press, x, y), Mouse(EditorAction::Kind::Drag, x, y - 10),
                                     Mouse(EditorAction::Kind::Drag, x, y - 20),
                                     Mouse(EditorAction::Kind::Release, x, y - 20)})
    {
        window.Play(step);
        window.WaitForTicks(1);
    }

    const std::vector<HostContext::Edit> edits = EditsSince(first);
    ASSERT_GE(edits.size(), 4u);
    EXPECT_EQ(edits.front().opcode, audioMasterBeginEdit);
    EXPECT_EQ(edits.back().opcode, audioMasterEndEdit);
    float last = 0.5f;
    for (size_t i = 0; i < edits.size(); ++i)
    {
        EXPECT_EQ(edits[i].index, EditorTestEffect::kKnobParam);
        if (i == 0 || i + 1 == edits.size())
            continue;
        EXPECT_EQ(edits[i].opcode, audioMasterAutomate);
        EXPECT_GT(edits[i].value, last) << "edit " << i;
        last = edits[i].value;
    }
    EXPECT_FLOAT_EQ(Effect()->getParameter(Effect(), EditorTestEffect::kKnobParam), last);
}

TEST_F(EditorWindowTest, TheTextEntryCommitsOnEnterAndCancelsOnEscape)
{
    struct Case
    {
        const char* typed;
        int32_t key;
        float expected;
    };
    // The entry of a continuous parameter refuses letters.
    const Case cases[] = {{"42.5", VK_RETURN, 0.425f}, {"4x2.5", VK_RETURN, 0.425f}, {"77", VK_ESCAPE, 0.5f}};
    for (const Case& c : cases)
    {
        Effect()->setParameter(Effect(), EditorTestEffect::kPromptParam, 0.5f);
        EditorWindow window(editor_);
        ASSERT_TRUE(window.IsOpen()) << window.Error();
        window.WaitForTicks(kSettleTicks);
        const size_t first = host_.Edits().size();
        Click(window, RectOf(EditorTestEffect::kPromptRect));
        HWND entry = FindWindowExA(Handle(window.EditorHandle()), nullptr, "EDIT", nullptr);
        ASSERT_TRUE(entry) << "no text entry opened";
        EXPECT_EQ(GetFocus(), entry);
        // The release of the press that opened the entry still ends the host's gesture.
        const std::vector<HostContext::Edit> gesture = EditsSince(first);
        ASSERT_EQ(gesture.size(), 2u);
        EXPECT_EQ(gesture[0].opcode, audioMasterBeginEdit);
        EXPECT_EQ(gesture[1].opcode, audioMasterEndEdit);

        Type(window, c.typed);
        PressKey(window, c.key);
        EXPECT_FALSE(IsWindow(entry)) << c.typed << ": the entry is still open";
        EXPECT_FLOAT_EQ(Effect()->getParameter(Effect(), EditorTestEffect::kPromptParam), c.expected) << c.typed;
    }
}

TEST_F(EditorWindowTest, ThePopupMenuReturnsTheChosenItem)
{
    struct Case
    {
        std::vector<int32_t> keyPath;
        float expected;
    };
    // Arrow keys skip the separator, so the fourth reachable item is Epsilon at index 4.
    const Case cases[] = {{{1}, 0.1f}, {{2, 1}, 0.6f}, {{2, 0}, 0.5f}, {{3}, 0.4f}};
    EditorWindow window(editor_);
    ASSERT_TRUE(window.IsOpen()) << window.Error();
    window.WaitForTicks(kSettleTicks);
    for (const Case& c : cases)
    {
        EditorAction choice{EditorAction::Kind::ChooseMenuItem};
        choice.menuPath = c.keyPath;
        window.Play(choice);
        Click(window, RectOf(EditorTestEffect::kMenuRect));
        EXPECT_FLOAT_EQ(Effect()->getParameter(Effect(), EditorTestEffect::kMenuParam), c.expected)
            << "path of " << c.keyPath.size() << " ending in " << c.keyPath.back();
    }
}

TEST_F(EditorWindowTest, ARenameReadsTheWholeEnteredNameUpToTheEntryLimit)
{
    EditorWindow window(editor_);
    ASSERT_TRUE(window.IsOpen()) << window.Error();
    window.WaitForTicks(kSettleTicks);
    Click(window, RectOf(EditorTestEffect::kNameRect));
    const std::string name = "A program name of forty characters, long";
    ASSERT_EQ(name.size(), 40u);
    Type(window, name + "and more than the entry takes");
    PressKey(window, VK_RETURN);
    EXPECT_EQ(plugin_.Text(effGetProgramName), (name + "and more").substr(0, EditorTestEffect::kNameEntryLength));
}

TEST_F(EditorWindowTest, CloseDestroysTheWindowAndASecondOpenUnderAnotherParentPaints)
{
    HWND firstEditor = nullptr;
    {
        EditorWindow first(editor_);
        ASSERT_TRUE(first.IsOpen()) << first.Error();
        firstEditor = Handle(first.EditorHandle());
        first.WaitForTicks(kSettleTicks);
    }
    EXPECT_FALSE(IsWindow(firstEditor));
    EXPECT_FALSE(ClassRegistered());

    EditorWindow second(editor_);
    ASSERT_TRUE(second.IsOpen()) << second.Error();
    ExpectShowsTheEditorBitmaps(second);
}

TEST_F(EditorWindowTest, AWindowDestroyedByItsHostLeavesNoDanglingHandle)
{
    HWND parent = CreateWindowExA(0, "STATIC", "host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 700, 900, nullptr,
                                  nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_TRUE(parent);
    ASSERT_EQ(plugin_.Dispatch(effEditOpen, 0, 0, parent), 1);
    HWND editor = GetWindow(parent, GW_CHILD);
    ASSERT_TRUE(editor);
    // The host throws its window away without closing the editor first.
    DestroyWindow(parent);
    EXPECT_FALSE(IsWindow(editor));

    {
        EditorWindow reopened(editor_);
        ASSERT_TRUE(reopened.IsOpen()) << reopened.Error();
        const RECT placed = RectIn(Handle(reopened.EditorHandle()), Handle(reopened.HostHandle()));
        EXPECT_EQ(placed.left, 0);
        EXPECT_EQ(placed.top, 0);
        EXPECT_EQ(placed.right - placed.left, EditorTestEffect::kWidth);
        ExpectShowsTheEditorBitmaps(reopened);
    }
    // The editor counted the destroyed window out: closing the last one removes the class.
    EXPECT_FALSE(ClassRegistered());
}

TEST_F(EditorWindowTest, OpeningAgainUnderANewParentMovesTheOpenWindowThere)
{
    EditorWindow window(editor_);
    ASSERT_TRUE(window.IsOpen()) << window.Error();
    window.WaitForTicks(kSettleTicks);
    HWND parent = CreateWindowExA(0, "STATIC", "second host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 700, 900,
                                  nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_TRUE(parent);
    ASSERT_EQ(plugin_.Dispatch(effEditOpen, 0, 0, parent), 1);

    EXPECT_TRUE(Children(Handle(window.HostHandle())).empty());
    const std::vector<HWND> children = Children(parent);
    ASSERT_EQ(children.size(), 1u);
    const RECT placed = RectIn(children[0], parent);
    EXPECT_EQ(placed.left, 0);
    EXPECT_EQ(placed.top, 0);
    EXPECT_EQ(placed.right - placed.left, EditorTestEffect::kWidth);
    EXPECT_EQ(placed.bottom - placed.top, EditorTestEffect::kHeight);
    plugin_.Dispatch(effEditClose);
    EXPECT_TRUE(Children(parent).empty());
    DestroyWindow(parent);
}

// An editor without controls draws nothing, but the region it was asked to paint is still
// validated, or Windows would ask again for ever.
TEST(EditorWindowPaint, AnEditorWithoutControlsValidatesWhatItWasAskedToPaint)
{
    SetModuleInstance(GetModuleHandleA(nullptr));
    HWND parent = CreateWindowExA(0, "STATIC", "host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 200, nullptr,
                                  nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_TRUE(parent);
    {
        IGraphicsWin graphics(nullptr, 64, 48, EditorTestEffect::kFrameRate);
        graphics.CreateDrawBitmap();
        HWND editor = Handle(graphics.OpenEditorWindow(parent));
        ASSERT_TRUE(editor);
        InvalidateRect(editor, nullptr, FALSE);
        constexpr int kMessagesToPump = 200;
        MSG message;
        for (int i = 0; i < kMessagesToPump && PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE); ++i)
            DispatchMessageA(&message);
        RECT update;
        EXPECT_FALSE(GetUpdateRect(editor, &update, FALSE));
    }
    DestroyWindow(parent);
}

// PNG resources come from the plug-in module by id, under a name that ends in ".png".
TEST(EditorWindowResources, LoadsPngResourcesOfTheModuleByIdAndName)
{
    PluginLibrary library(ZV_EDITOR_TEST_PLUGIN);
    ASSERT_TRUE(library.IsLoaded()) << library.Error();
    SetModuleInstance(GetModuleHandleA("EditorTestPlugin.dll"));
    IGraphicsWin graphics(nullptr, EditorTestEffect::kWidth, EditorTestEffect::kHeight, EditorTestEffect::kFrameRate);
    constexpr int kMissingId = 4242;
    const struct
    {
        int id;
        const char* name;
        int32_t width;
        int32_t height;
    } cases[] = {
        {EditorTestEffect::kBackgroundId, "resources/img/GUI_background.png", EditorTestEffect::kWidth,
         EditorTestEffect::kHeight},
        {EditorTestEffect::kKnobId, "KNOB.PNG", kKnobSize, kKnobSize * EditorTestEffect::kKnobFrames},
        {EditorTestEffect::kBackgroundId, "background.bmp", 0, 0},
        {EditorTestEffect::kBackgroundId, "png", 0, 0},
        {EditorTestEffect::kBackgroundId, nullptr, 0, 0},
        {kMissingId, "missing.png", 0, 0},
    };
    for (const auto& c : cases)
    {
        std::unique_ptr<PIX_IBitmap> bitmap(graphics.LoadPngResource(c.id, c.name));
        const char* name = c.name ? c.name : "null";
        if (c.width == 0)
        {
            EXPECT_FALSE(bitmap) << c.id << " " << name;
            continue;
        }
        ASSERT_TRUE(bitmap) << c.id << " " << name;
        EXPECT_EQ(bitmap->GetWidth(), c.width) << name;
        EXPECT_EQ(bitmap->GetHeight(), c.height) << name;
    }
    SetModuleInstance(nullptr);
}
}
