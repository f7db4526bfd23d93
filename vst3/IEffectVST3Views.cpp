#include "graphics/IGraphics.h"
#include "vst3/IEffectVST3.h"
#include "vst3/IEffectVST3View.h"
#include "vst3/abi/IComponentHandler3.h"
#include "vst3/abi/ResultCodes.h"

#include <algorithm>
#include <cstring>

namespace
{
constexpr char kEditorViewName[] = "editor";
}

Vst3::IPlugView* PLUGIN_API IEffectVST3::createView(Vst3::FIDString name)
{
    if (!name || std::strcmp(name, kEditorViewName) != 0 || !mGraphics)
        return nullptr;
    try
    {
        mViews.reserve(mViews.size() + 1);
        auto* view = new IEffectVST3View(*this);
        mViews.push_back(view);
        return view;
    }
    catch (...)
    {
        return nullptr;
    }
}

bool IEffectVST3::OpenEditorForView(IEffectVST3View* view, void* parentWindow)
{
    if (!mGraphics)
        return false;
    if (mEditorView && mEditorView != view && mGraphics->IsWindowOpen())
        return false;
    // Opening again for the same view moves its window to the new parent.
    mEditorView = nullptr;
    if (!mGraphics->OpenEditorWindow(parentWindow))
        return false;
    mEditorView = view;
    return true;
}

bool IEffectVST3::HasEditorWindowFor(const IEffectVST3View* view) const
{
    return mGraphics && view && mEditorView == view && mGraphics->IsWindowOpen();
}

void IEffectVST3::CloseEditorForView(const IEffectVST3View* view)
{
    if (!mGraphics || mEditorView != view)
        return;
    mEditorView = nullptr;
    mGraphics->CloseEditorWindow();
}

void IEffectVST3::ForgetView(const IEffectVST3View* view)
{
    mViews.erase(std::remove(mViews.begin(), mViews.end(), view), mViews.end());
    if (mEditorView == view)
        mEditorView = nullptr;
}

void IEffectVST3::ResizeEditor(int width, int height)
{
    if (mGraphics && !mViews.empty())
        mViews.front()->RequestSize(width, height);
}

void IEffectVST3::ShowHostContextMenu(int index, int x, int y)
{
    Vst3::IComponentHandler* handler = ComponentHandler();
    if (!handler || mViews.empty())
        return;
    void* answer = nullptr;
    if (handler->queryInterface(Vst3::IComponentHandler3::kIid.bytes, &answer) != Vst3::kResultOk || !answer)
        return;
    auto* menus = static_cast<Vst3::IComponentHandler3*>(answer);
    const auto id = static_cast<Vst3::ParamID>(index);
    if (Vst3::IContextMenu* menu = menus->createContextMenu(mViews.front(), &id))
    {
        menu->popup(x, y);
        menu->release();
    }
    menus->release();
}
