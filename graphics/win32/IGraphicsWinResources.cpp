#include "graphics/PIX_MemBitmap.h"
#include "graphics/PngDecoder.h"
#include "graphics/win32/IGraphicsWin.h"

#include <cstring>

namespace
{
constexpr char kResourceType[] = "PNG";
constexpr char kPngExtension[] = "png";
constexpr DWORD kPngSignatureSize = 8;
}

PIX_IBitmap* IGraphicsWin::LoadPngResource(int id, const char* name)
{
    const char* dot = name ? std::strrchr(name, '.') : nullptr;
    if (!dot || lstrcmpiA(dot + 1, kPngExtension) != 0)
        return nullptr;
    HRSRC resource = FindResourceA(mModule, MAKEINTRESOURCEA(id), kResourceType);
    if (!resource)
        return nullptr;
    const DWORD size = SizeofResource(mModule, resource);
    HGLOBAL loaded = size >= kPngSignatureSize ? LoadResource(mModule, resource) : nullptr;
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes)
        return nullptr;
    return LoadPngFromMemory(bytes, static_cast<int32_t>(size));
}
