#include "vst3/ProductRecords.h"

#include "framework/BoundedCopy.h"
#include "vst3/abi/Vst3Constants.h"

#include <cstring>

namespace
{
constexpr char kVendor[] = "Wezmark";
constexpr char kVendorUrl[] = "https://www.wezmark.com";
constexpr char kVendorEmail[] = "support@wezmark.com";

// The class id: eight fixed bytes, then the manufacturer and plug-in codes that the VST2
// build reports as its ids, each written first character first.
constexpr unsigned char kClassIdPrefix[] = {0x0D, 0xE7, 0xAE, 0xF2, 0xDE, 0x00, 0x4E, 0x4F};
constexpr uint32_t kManufacturerCode = 0x577A4D6B;  // 'WzMk'
constexpr uint32_t kPluginCode = 0x7A763130;        // 'zv10'

constexpr char kClassName[] = "Zarvotone 1.1";
// The component offers the simple mode.
constexpr uint32_t kSimpleModeSupported = 2;
constexpr char kSubCategories[] = "Fx|Distortion|Filter|EQ|Dynamics";
constexpr char kClassVersion[] = "1.1";
constexpr char kSdkVersion[] = "VST 3.6.9";

void PutCode(char* bytes, uint32_t code)
{
    for (int i = 0; i < 4; ++i)
        bytes[i] = static_cast<char>((code >> (8 * (3 - i))) & 0xFFu);
}

Vst3::PFactoryInfo BuildFactoryInfo()
{
    Vst3::PFactoryInfo info{};
    BoundedCopy(info.vendor, kVendor, sizeof info.vendor);
    BoundedCopy(info.url, kVendorUrl, sizeof info.url);
    BoundedCopy(info.email, kVendorEmail, sizeof info.email);
    info.flags = Vst3::kFactoryUnicode;
    return info;
}

Vst3::PClassInfo2 BuildClassInfo()
{
    Vst3::PClassInfo2 info{};
    std::memcpy(info.cid, kClassIdPrefix, sizeof kClassIdPrefix);
    PutCode(info.cid + 8, kManufacturerCode);
    PutCode(info.cid + 12, kPluginCode);
    info.cardinality = Vst3::kManyInstances;
    BoundedCopy(info.category, Vst3::kAudioEffectClass, sizeof info.category);
    BoundedCopy(info.name, kClassName, sizeof info.name);
    info.classFlags = kSimpleModeSupported;
    BoundedCopy(info.subCategories, kSubCategories, sizeof info.subCategories);
    BoundedCopy(info.version, kClassVersion, sizeof info.version);
    BoundedCopy(info.sdkVersion, kSdkVersion, sizeof info.sdkVersion);
    return info;
}
}

const Vst3::PFactoryInfo& ProductFactoryInfo()
{
    static const Vst3::PFactoryInfo info = BuildFactoryInfo();
    return info;
}

const Vst3::PClassInfo2& ProductClassInfo()
{
    static const Vst3::PClassInfo2 info = BuildClassInfo();
    return info;
}
