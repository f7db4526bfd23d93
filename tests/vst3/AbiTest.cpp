#include "vst3/abi/IAudioProcessor.h"
#include "vst3/abi/IComponent.h"
#include "vst3/abi/IComponentHandler.h"
#include "vst3/abi/IComponentHandler3.h"
#include "vst3/abi/IConnectionPoint.h"
#include "vst3/abi/IContextMenu.h"
#include "vst3/abi/IEditController.h"
#include "vst3/abi/IEventList.h"
#include "vst3/abi/IHostApplication.h"
#include "vst3/abi/IParameterChanges.h"
#include "vst3/abi/IClassFactory.h"
#include "vst3/abi/IUnitInfo.h"
#include "vst3/abi/ResultCodes.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstring>

namespace
{
using Bytes = std::array<uint8_t, 16>;

Bytes BytesOf(const Vst3::Uid& id)
{
    Bytes bytes;
    std::memcpy(bytes.data(), id.bytes, bytes.size());
    return bytes;
}

// The published byte order, spelled out once more: COM order on Windows, big-endian words elsewhere.
Bytes ExpectedBytes(uint32_t a, uint32_t b, uint32_t c, uint32_t d)
{
#if defined(_WIN32)
    return {uint8_t(a), uint8_t(a >> 8), uint8_t(a >> 16), uint8_t(a >> 24), uint8_t(b >> 16), uint8_t(b >> 24),
            uint8_t(b), uint8_t(b >> 8), uint8_t(c >> 24), uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c),
            uint8_t(d >> 24), uint8_t(d >> 16), uint8_t(d >> 8), uint8_t(d)};
#else
    return {uint8_t(a >> 24), uint8_t(a >> 16), uint8_t(a >> 8), uint8_t(a), uint8_t(b >> 24), uint8_t(b >> 16),
            uint8_t(b >> 8), uint8_t(b), uint8_t(c >> 24), uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c),
            uint8_t(d >> 24), uint8_t(d >> 16), uint8_t(d >> 8), uint8_t(d)};
#endif
}

TEST(InterfaceIds, MatchThePublishedWordsInThisPlatformsByteOrder)
{
    struct Case
    {
        const char* name;
        const Vst3::Uid& id;
        uint32_t words[4];
    };
    const Case cases[] = {
        {"FUnknown", Vst3::FUnknown::kIid, {0x00000000, 0x00000000, 0xC0000000, 0x00000046}},
        {"IClassFactory", Vst3::IClassFactory::kIid, {0x7A4D811C, 0x52114A1F, 0xAED9D2EE, 0x0B43BF9F}},
        {"IClassFactory2", Vst3::IClassFactory2::kIid, {0x0007B650, 0xF24B4C0B, 0xA464EDB9, 0xF00B2ABB}},
        {"IClassFactory3", Vst3::IClassFactory3::kIid, {0x4555A2AB, 0xC1234E57, 0x9B122910, 0x36878931}},
        {"ILifecycle", Vst3::ILifecycle::kIid, {0x22888DDB, 0x156E45AE, 0x8358B348, 0x08190625}},
        {"IComponent", Vst3::IComponent::kIid, {0xE831FF31, 0xF2D54301, 0x928EBBEE, 0x25697802}},
        {"IAudioProcessor", Vst3::IAudioProcessor::kIid, {0x42043F99, 0xB7DA453C, 0xA569E79D, 0x9AAEC33D}},
        {"IEditController", Vst3::IEditController::kIid, {0xDCD7BBE3, 0x7742448D, 0xA874AACC, 0x979C759E}},
        {"IEditController2", Vst3::IEditController2::kIid, {0x7F4EFE59, 0xF3204967, 0xAC27A3AE, 0xAFB63038}},
        {"IUnitInfo", Vst3::IUnitInfo::kIid, {0x3D4BD6B5, 0x913A4FD2, 0xA886E768, 0xA5EB92C1}},
        {"IConnectionPoint", Vst3::IConnectionPoint::kIid, {0x70A4156F, 0x6E6E4026, 0x989148BF, 0xAA60D8D1}},
        {"IMessage", Vst3::IMessage::kIid, {0x936F033B, 0xC6C047DB, 0xBB0882F8, 0x13C1E613}},
        {"IComponentHandler", Vst3::IComponentHandler::kIid, {0x93A0BEA3, 0x0BD045DB, 0x8E890B0C, 0xC1E46AC6}},
        {"IComponentHandler3", Vst3::IComponentHandler3::kIid, {0x69F11617, 0xD26B400D, 0xA4B6B964, 0x7B6EBBAB}},
        {"IContextMenu", Vst3::IContextMenu::kIid, {0x2E93C863, 0x0C9C4588, 0x97DBECF5, 0xAD17817D}},
        {"IPlugView", Vst3::IPlugView::kIid, {0x5BC32507, 0xD06049EA, 0xA6151B52, 0x2B755B29}},
        {"IPlugFrame", Vst3::IPlugFrame::kIid, {0x367FAF01, 0xAFA94693, 0x8D4DA2A0, 0xED0882A3}},
        {"IBStream", Vst3::IBStream::kIid, {0xC3BF6EA2, 0x30994752, 0x9B6BF990, 0x1EE33E9B}},
        {"IHostApplication", Vst3::IHostApplication::kIid, {0x58E595CC, 0xDB2D4969, 0x8B6AAF8C, 0x36A664E5}},
        {"IParameterChanges", Vst3::IParameterChanges::kIid, {0xA4779663, 0x0BB64A56, 0xB44384A8, 0x466FEB9D}},
        {"IParamValueQueue", Vst3::IParamValueQueue::kIid, {0x01263A18, 0xED074F6F, 0x98C9D356, 0x4686F9BA}},
        {"IEventList", Vst3::IEventList::kIid, {0x3A2C4214, 0x346349FE, 0xB2C4F397, 0xB9695A44}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(BytesOf(c.id), ExpectedBytes(c.words[0], c.words[1], c.words[2], c.words[3])) << c.name;
}

TEST(InterfaceIds, ComponentIdHasThePublishedBytes)
{
#if defined(_WIN32)
    const Bytes expected = {0x31, 0xFF, 0x31, 0xE8, 0xD5, 0xF2, 0x01, 0x43,
                            0x92, 0x8E, 0xBB, 0xEE, 0x25, 0x69, 0x78, 0x02};
#else
    const Bytes expected = {0xE8, 0x31, 0xFF, 0x31, 0xF2, 0xD5, 0x43, 0x01,
                            0x92, 0x8E, 0xBB, 0xEE, 0x25, 0x69, 0x78, 0x02};
#endif
    EXPECT_EQ(BytesOf(Vst3::IComponent::kIid), expected);
}

TEST(InterfaceIds, MatchOnlyTheSameBytes)
{
    EXPECT_TRUE(Vst3::IComponent::kIid.Matches(Vst3::IComponent::kIid.bytes));
    EXPECT_FALSE(Vst3::IComponent::kIid.Matches(Vst3::IEditController::kIid.bytes));
    EXPECT_FALSE(Vst3::IComponent::kIid.Matches(nullptr));
}

// A virtual member's pointer holds 1 + its byte offset in the table (the Itanium C++ ABI,
// which both compilers of the project follow); that gives the slot a host calls.
template <class Member>
std::ptrdiff_t Slot(Member member)
{
    static_assert(sizeof(member) == 2 * sizeof(std::ptrdiff_t));
    std::ptrdiff_t words[2];
    std::memcpy(words, &member, sizeof member);
    return (words[0] - 1) / static_cast<std::ptrdiff_t>(sizeof(void*));
}

TEST(InterfaceTables, EveryMethodSitsInItsPublishedSlot)
{
    using namespace Vst3;
    struct Case
    {
        const char* name;
        std::ptrdiff_t slot;
        std::ptrdiff_t expected;
    };
    const Case cases[] = {
        {"FUnknown::release", Slot(&FUnknown::release), 2},
        {"IClassFactory::createInstance", Slot(&IClassFactory::createInstance), 6},
        {"IClassFactory2::getClassInfo2", Slot(&IClassFactory2::getClassInfo2), 7},
        {"IClassFactory3::getClassInfoUnicode", Slot(&IClassFactory3::getClassInfoUnicode), 8},
        {"IClassFactory3::setHostContext", Slot(&IClassFactory3::setHostContext), 9},
        {"ILifecycle::terminate", Slot(&ILifecycle::terminate), 4},
        {"IComponent::getControllerClassId", Slot(&IComponent::getControllerClassId), 5},
        {"IComponent::activateBus", Slot(&IComponent::activateBus), 10},
        {"IComponent::getState", Slot(&IComponent::getState), 13},
        {"IAudioProcessor::setBusArrangements", Slot(&IAudioProcessor::setBusArrangements), 3},
        {"IAudioProcessor::process", Slot(&IAudioProcessor::process), 9},
        {"IAudioProcessor::getTailSamples", Slot(&IAudioProcessor::getTailSamples), 10},
        {"IEditController::setComponentState", Slot(&IEditController::setComponentState), 5},
        {"IEditController::getParamNormalized", Slot(&IEditController::getParamNormalized), 14},
        {"IEditController::createView", Slot(&IEditController::createView), 17},
        {"IEditController2::openAboutBox", Slot(&IEditController2::openAboutBox), 5},
        {"IUnitInfo::getProgramName", Slot(&IUnitInfo::getProgramName), 7},
        {"IUnitInfo::setUnitProgramData", Slot(&IUnitInfo::setUnitProgramData), 14},
        {"IConnectionPoint::notify", Slot(&IConnectionPoint::notify), 5},
        {"IComponentHandler::restartComponent", Slot(&IComponentHandler::restartComponent), 6},
        {"IComponentHandler3::createContextMenu", Slot(&IComponentHandler3::createContextMenu), 3},
        {"IContextMenu::popup", Slot(&IContextMenu::popup), 7},
        {"IPlugView::getSize", Slot(&IPlugView::getSize), 9},
        {"IPlugView::checkSizeConstraint", Slot(&IPlugView::checkSizeConstraint), 14},
        {"IPlugFrame::resizeView", Slot(&IPlugFrame::resizeView), 3},
        {"IBStream::tell", Slot(&IBStream::tell), 6},
        {"IHostApplication::createInstance", Slot(&IHostApplication::createInstance), 4},
        {"IParameterChanges::addParameterData", Slot(&IParameterChanges::addParameterData), 5},
        {"IParamValueQueue::addPoint", Slot(&IParamValueQueue::addPoint), 6},
        {"IEventList::addEvent", Slot(&IEventList::addEvent), 5},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.slot, c.expected) << c.name;
}

TEST(ResultCodes, FollowThePlatform)
{
#if defined(_WIN32)
    EXPECT_EQ(static_cast<uint32_t>(Vst3::kNoInterface), 0x80004002u);
    EXPECT_EQ(static_cast<uint32_t>(Vst3::kNotImplemented), 0x80004001u);
    EXPECT_EQ(static_cast<uint32_t>(Vst3::kInvalidArgument), 0x80070057u);
#else
    EXPECT_EQ(Vst3::kNoInterface, -1);
    EXPECT_EQ(Vst3::kNotImplemented, 3);
    EXPECT_EQ(Vst3::kInvalidArgument, 2);
#endif
    EXPECT_EQ(Vst3::kResultOk, 0);
    EXPECT_EQ(Vst3::kResultFalse, 1);
}
}
