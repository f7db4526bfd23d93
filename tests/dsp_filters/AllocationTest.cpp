#include "DesignCatalogue.h"

#include "dsp/filters/ParamInfo.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <vector>

namespace {

std::atomic<long> allocations{0};

} // namespace

void* operator new(std::size_t size)
{
    ++allocations;
    if (void* block = std::malloc(size == 0 ? 1 : size))
        return block;
    throw std::bad_alloc();
}

void operator delete(void* block) noexcept
{
    std::free(block);
}

void operator delete(void* block, std::size_t) noexcept
{
    std::free(block);
}

namespace {

TEST(Allocation, DesigningGlidingAndProcessingAllocateNothing)
{
    for (const DesignEntry& entry : AllDesigns()) {
        SCOPED_TRACE(entry.label);
        auto filter = entry.make();
        Dsp::FilterParams defaults{};
        for (int i = 0; i < filter->GetNumParams(); ++i)
            defaults[i] = filter->GetParamInfo(i).defaultValue;
        const int frequency = FindParam(*filter, Dsp::kFrequencyId);
        const int order = FindParam(*filter, Dsp::kOrderId);
        std::vector<double> left(512, 0.25);
        std::vector<double> right(512, -0.25);
        std::vector<float> leftFloat(512, 0.25f);
        std::vector<float> rightFloat(512, -0.25f);
        double* channels[] = {left.data(), right.data()};
        float* floatChannels[] = {leftFloat.data(), rightFloat.data()};

        const long before = allocations;
        filter->ProcessDouble(512, channels);
        filter->SetParams(defaults);
        filter->ProcessDouble(512, channels);
        filter->params[frequency] = 5000.0;
        if (order >= 0)
            filter->params[order] = entry.maxOrder;
        filter->SetParams(filter->params);
        filter->ProcessDouble(100, channels);
        filter->SetTransitionLength(1000);
        filter->params[frequency] = 300.0;
        filter->SetParams(filter->params);
        filter->ProcessFloat(512, floatChannels);
        filter->ProcessDouble(512, channels);
        filter->Reset();
        filter->ProcessDouble(512, channels);
        EXPECT_EQ(allocations - before, 0);
    }
}

} // namespace
