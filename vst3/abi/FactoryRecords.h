#pragma once

#include "vst3/abi/Vst3Types.h"

#include <cstddef>

namespace Vst3
{
// The records a class factory fills for the host. Texts are zero-padded to their width.
struct PFactoryInfo
{
    char vendor[64];
    char url[256];
    char email[128];
    int32 flags;
};

struct PClassInfo
{
    TUID cid;
    int32 cardinality;
    char category[32];
    char name[64];
};

struct PClassInfo2
{
    TUID cid;
    int32 cardinality;
    char category[32];
    char name[64];
    uint32 classFlags;
    char subCategories[128];
    char vendor[64];
    char version[64];
    char sdkVersion[64];
};

// PClassInfo2 with its display texts in UTF-16.
struct PClassInfoW
{
    TUID cid;
    int32 cardinality;
    char category[32];
    char16 name[64];
    uint32 classFlags;
    char subCategories[128];
    char16 vendor[64];
    char16 version[64];
    char16 sdkVersion[64];
};

static_assert(sizeof(PFactoryInfo) == 452);
static_assert(sizeof(PClassInfo) == 116);
static_assert(sizeof(PClassInfo2) == 440);
static_assert(offsetof(PClassInfo2, classFlags) == 116);
static_assert(offsetof(PClassInfo2, sdkVersion) == 376);
static_assert(sizeof(PClassInfoW) == 696);
static_assert(offsetof(PClassInfoW, classFlags) == 180);
static_assert(offsetof(PClassInfoW, sdkVersion) == 568);
}
