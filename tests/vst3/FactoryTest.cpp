#include "tests/support/TestThread.h"
#include "tests/vst3/RecordingProduct.h"
#include "tests/vst3/TestModuleProduct.h"
#include "vst3/abi/IAudioProcessor.h"
#include "vst3/abi/IComponent.h"
#include "vst3/abi/IEditController.h"
#include "vst3/abi/ModuleEntryPoints.h"
#include "vst3/abi/ResultCodes.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace
{
const unsigned char kClassId[16] = {0x0D, 0xE7, 0xAE, 0xF2, 0xDE, 0x00, 0x4E, 0x4F,
                                    'W',  'z',  'M',  'k',  'z',  'v',  '1',  '0'};

// Holds one reference to the module's factory for a test.
class FactoryHandle
{
public:
    FactoryHandle() : factory(static_cast<Vst3::IClassFactory3*>(GetPluginFactory())) {}
    ~FactoryHandle()
    {
        if (factory)
            factory->release();
        gProductBehaviour = ProductBehaviour::Recording;
    }
    FactoryHandle(const FactoryHandle&) = delete;
    FactoryHandle& operator=(const FactoryHandle&) = delete;

    Vst3::IClassFactory3* factory;
};

void PutText(char* field, const char* text)
{
    std::memcpy(field, text, std::strlen(text));
}

TEST(Factory, RecordNamesTheVendorAndOffersUnicode)
{
    FactoryHandle handle;
    ASSERT_NE(handle.factory, nullptr);
    Vst3::PFactoryInfo info{};
    ASSERT_EQ(handle.factory->getFactoryInfo(&info), Vst3::kResultOk);
    EXPECT_STREQ(info.vendor, "Wezmark");
    EXPECT_NE(info.url[0], '\0');
    EXPECT_NE(std::strchr(info.email, '@'), nullptr);
    EXPECT_EQ(info.flags, 16);
    EXPECT_EQ(handle.factory->countClasses(), 1);
}

TEST(Factory, ClassRecordMatchesByteForByte)
{
    Vst3::PClassInfo2 expected;
    std::memset(&expected, 0, sizeof expected);
    std::memcpy(expected.cid, kClassId, sizeof kClassId);
    expected.cardinality = 0x7FFFFFFF;
    PutText(expected.category, "Audio Module Class");
    PutText(expected.name, "Zarvotone 1.1");
    expected.classFlags = 2;
    PutText(expected.subCategories, "Fx|Distortion|Filter|EQ|Dynamics");
    PutText(expected.version, "1.1");
    PutText(expected.sdkVersion, "VST 3.6.9");

    FactoryHandle handle;
    Vst3::PClassInfo2 record;
    std::memset(&record, 0xAB, sizeof record);
    ASSERT_EQ(handle.factory->getClassInfo2(0, &record), Vst3::kResultOk);
    EXPECT_EQ(std::memcmp(&record, &expected, sizeof record), 0);

    Vst3::PClassInfo first{};
    ASSERT_EQ(handle.factory->getClassInfo(0, &first), Vst3::kResultOk);
    EXPECT_EQ(std::memcmp(&first, &expected, sizeof first), 0);
}

TEST(Factory, UnicodeRecordCarriesTheSameTexts)
{
    FactoryHandle handle;
    Vst3::PClassInfoW record{};
    ASSERT_EQ(handle.factory->getClassInfoUnicode(0, &record), Vst3::kResultOk);
    EXPECT_EQ(std::memcmp(record.cid, kClassId, sizeof kClassId), 0);
    EXPECT_EQ(record.cardinality, 0x7FFFFFFF);
    EXPECT_STREQ(record.category, "Audio Module Class");
    EXPECT_EQ(std::u16string(record.name), u"Zarvotone 1.1");
    EXPECT_EQ(record.classFlags, 2u);
    EXPECT_STREQ(record.subCategories, "Fx|Distortion|Filter|EQ|Dynamics");
    EXPECT_EQ(std::u16string(record.vendor), u"");
    EXPECT_EQ(std::u16string(record.version), u"1.1");
    EXPECT_EQ(std::u16string(record.sdkVersion), u"VST 3.6.9");
}

TEST(Factory, ClassIndexOutsideTheListIsRefused)
{
    FactoryHandle handle;
    Vst3::PClassInfo info{};
    Vst3::PClassInfo2 info2{};
    Vst3::PClassInfoW infoW{};
    for (Vst3::int32 index : {-1, 1})
    {
        EXPECT_NE(handle.factory->getClassInfo(index, &info), Vst3::kResultOk) << index;
        EXPECT_NE(handle.factory->getClassInfo2(index, &info2), Vst3::kResultOk) << index;
        EXPECT_NE(handle.factory->getClassInfoUnicode(index, &infoW), Vst3::kResultOk) << index;
    }
}

TEST(Factory, CreatesOneObjectForEachInterfaceOfTheEffect)
{
    FactoryHandle handle;
    const int aliveBefore = RecordingProduct::aliveCount;
    for (const Vst3::Uid* id : {&Vst3::FUnknown::kIid, &Vst3::IComponent::kIid, &Vst3::IAudioProcessor::kIid,
                                &Vst3::IEditController::kIid})
    {
        void* object = nullptr;
        ASSERT_EQ(handle.factory->createInstance(reinterpret_cast<const char*>(kClassId), id->bytes, &object),
                  Vst3::kResultOk);
        ASSERT_NE(object, nullptr);
        EXPECT_EQ(RecordingProduct::aliveCount, aliveBefore + 1);
        // The one reference the host received is the last one.
        EXPECT_EQ(static_cast<Vst3::FUnknown*>(object)->release(), 0u);
        EXPECT_EQ(RecordingProduct::aliveCount, aliveBefore);
    }
}

TEST(Factory, FailedCreationGivesNoInterfaceAndNullAndLeaksNothing)
{
    unsigned char otherClass[16];
    std::memcpy(otherClass, kClassId, sizeof otherClass);
    otherClass[15] ^= 1;
    const Vst3::Uid unknownInterface{1, 2, 3, 4};
    struct Case
    {
        const char* name;
        ProductBehaviour behaviour;
        const unsigned char* cid;
        const char* iid;
    };
    const Case cases[] = {
        {"wrong class", ProductBehaviour::Recording, otherClass, Vst3::IComponent::kIid.bytes},
        {"unknown interface", ProductBehaviour::Recording, kClassId, unknownInterface.bytes},
        {"null class", ProductBehaviour::Recording, nullptr, Vst3::IComponent::kIid.bytes},
        {"null interface", ProductBehaviour::Recording, kClassId, nullptr},
        {"product gives nothing", ProductBehaviour::Nothing, kClassId, Vst3::IComponent::kIid.bytes},
        {"product throws", ProductBehaviour::Throwing, kClassId, Vst3::IComponent::kIid.bytes},
    };
    FactoryHandle handle;
    for (const Case& c : cases)
    {
        gProductBehaviour = c.behaviour;
        const int aliveBefore = RecordingProduct::aliveCount;
        void* object = &handle;
        EXPECT_EQ(handle.factory->createInstance(reinterpret_cast<const char*>(c.cid), c.iid, &object),
                  Vst3::kNoInterface)
            << c.name;
        EXPECT_EQ(object, nullptr) << c.name;
        EXPECT_EQ(RecordingProduct::aliveCount, aliveBefore) << c.name;
    }
}

TEST(Factory, AnswersItsOwnInterfacesOnly)
{
    FactoryHandle handle;
    for (const Vst3::Uid* id : {&Vst3::FUnknown::kIid, &Vst3::IClassFactory::kIid, &Vst3::IClassFactory2::kIid,
                                &Vst3::IClassFactory3::kIid})
    {
        void* object = nullptr;
        ASSERT_EQ(handle.factory->queryInterface(id->bytes, &object), Vst3::kResultOk);
        EXPECT_EQ(object, static_cast<Vst3::IClassFactory3*>(handle.factory));
        handle.factory->release();
    }
    void* object = &handle;
    EXPECT_EQ(handle.factory->queryInterface(Vst3::IComponent::kIid.bytes, &object), Vst3::kNoInterface);
    EXPECT_EQ(object, nullptr);
}

TEST(ModuleEntry, SecondRequestSharesTheFactory)
{
    FactoryHandle first;
    FactoryHandle second;
    EXPECT_EQ(first.factory, second.factory);
    EXPECT_EQ(second.factory->countClasses(), 1);
    // Our two references, plus the one this call adds.
    EXPECT_EQ(first.factory->addRef(), 3u);
    first.factory->release();
}

TEST(ModuleEntry, FactoryReleasedByTheHostIsBuiltAgain)
{
    Vst3::IClassFactory* factory = GetPluginFactory();
    ASSERT_NE(factory, nullptr);
    EXPECT_EQ(factory->release(), 0u);
    FactoryHandle again;
    ASSERT_NE(again.factory, nullptr);
    EXPECT_EQ(again.factory->countClasses(), 1);
    EXPECT_EQ(again.factory->addRef(), 2u);
    again.factory->release();
}

// Threads that ask for the factory while others release the last reference must never get a
// factory that is being destroyed (the address sanitizer would see its use after freeing).
TEST(ModuleEntry, ConcurrentRequestsAndReleasesShareOneLivingFactory)
{
    constexpr int kThreads = 4;
    constexpr int kRounds = 500;
    std::vector<std::unique_ptr<TestThread>> threads;
    for (int t = 0; t < kThreads; ++t)
    {
        threads.push_back(std::make_unique<TestThread>("a factory requester", [] {
            for (int round = 0; round < kRounds; ++round)
            {
                Vst3::IClassFactory* factory = GetPluginFactory();
                ASSERT_NE(factory, nullptr);
                EXPECT_EQ(factory->countClasses(), 1);
                factory->release();
            }
        }));
    }
    for (const std::unique_ptr<TestThread>& thread : threads)
        thread->Join();
}
}
