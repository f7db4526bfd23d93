#include "editor/IWzFileSelector.h"

#include "framework/IEffectBase.h"
#include "graphics/IGraphics.h"
#include "plugin/IDistoFileController.h"

#include <cmath>
#include <cstring>
#include <string>

namespace Wezmark
{
#ifdef ZV_VST3_BINDING
const char* const IWzFileSelector::kExtensions = "wz xjq";
#else
const char* const IWzFileSelector::kExtensions = "wz xjq fxp";
#endif

namespace
{
constexpr const char* kFxpMark = ".fxp";
}

IWzFileSelector::IWzFileSelector(IEffectBase* plug, IDistoFileController* files, const Rect& rect,
                                 const BitmapStrip* strip, int action)
    : IFileSelectorControl(plug, rect, -1, strip, action, "", kExtensions), mFiles(files)
{
}

// The mark may stand anywhere in the path, and only in lower case.
bool IWzFileSelector::IsFxpPath(const char* path)
{
    return path && std::strlen(path) >= std::strlen(kFxpMark) && std::strstr(path, kFxpMark) != nullptr;
}

// Only a path that a dialog has just returned is loaded or saved: without an editor, or when
// the dialog was cancelled, no file is touched.
void IWzFileSelector::OnMouseDown(int x, int y, const MouseModifiers* mods)
{
    if (!mFiles || !mPlug || !mPlug->GetGraphics())
        return;
    if (const std::string last = mFiles->GetProgramFilePath(); !last.empty())
        mPath.Set(last.c_str());
    IFileSelectorControl::OnMouseDown(x, y, mods);

    const std::string path = mPath.Get();
    if (path.empty())
        return;
    const bool fxp = IsFxpPath(path.c_str());
    if (mAction == kSave)
    {
        if (fxp)
            mFiles->SaveFxpFile(path);
        else
            mFiles->SaveProgramFile(path);
    }
    else if (mAction == kOpen)
    {
        if (fxp)
            mFiles->LoadFxpFile(path);
        else
            mFiles->LoadProgramFile(path);
    }
}

bool IWzFileSelector::Draw(IGraphics* graphics)
{
    int srcX = 0;
    int srcY = 0;
    if (mState == State::DialogOpen && mBitmap.frames > 1)
    {
        const double frameSize = mBitmap.sideBySide ? static_cast<double>(mBitmap.width) / mBitmap.frames
                                                    : static_cast<double>(mBitmap.height) / mBitmap.frames;
        (mBitmap.sideBySide ? srcX : srcY) = static_cast<int>(std::lround(frameSize));
    }
    return graphics->DrawBitmap(&mBitmap, &mDrawRect, srcX, srcY, nullptr);
}
} // namespace Wezmark
