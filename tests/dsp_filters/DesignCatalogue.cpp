#include "DesignCatalogue.h"

#include "dsp/filters/Bessel/Designs.h"
#include "dsp/filters/Butterworth/Designs.h"
#include "dsp/filters/Butterworth/BandShelf.h"
#include "dsp/filters/Butterworth/HighShelf.h"
#include "dsp/filters/Butterworth/LowShelf.h"
#include "dsp/filters/ChebyshevI/Designs.h"
#include "dsp/filters/DirectFormI.h"
#include "dsp/filters/DirectFormII.h"
#include "dsp/filters/Elliptic/Designs.h"
#include "dsp/filters/ParamInfo.h"
#include "dsp/filters/RBJ/BandPass1.h"
#include "dsp/filters/RBJ/BandPass2.h"
#include "dsp/filters/RBJ/BandStop.h"
#include "dsp/filters/RBJ/HighPass.h"
#include "dsp/filters/RBJ/LowPass.h"
#include "dsp/filters/SmoothedFilterDesign.h"

#include <stdexcept>

namespace {

template <class Design, class State = Dsp::DirectFormII>
DesignEntry Entry(const char* label, int maxOrder)
{
    return {label, [] { return std::make_unique<Dsp::SmoothedFilterDesign<Design, 2, State>>(); }, maxOrder};
}

} // namespace

const std::vector<DesignEntry>& AllDesigns()
{
    namespace Bw = Dsp::Butterworth::Design;
    namespace Ch = Dsp::ChebyshevI::Design;
    namespace El = Dsp::Elliptic::Design;
    namespace Be = Dsp::Bessel::Design;
    namespace Rbj = Dsp::RBJ::Design;
    static const std::vector<DesignEntry> designs = {
        Entry<Bw::LowShelf<2>, Dsp::DirectFormI>("ButterworthLowShelf2", 2),
        Entry<Bw::HighShelf<2>, Dsp::DirectFormI>("ButterworthHighShelf2", 2),
        Entry<Bw::BandShelf<2>, Dsp::DirectFormI>("ButterworthBandShelf2", 2),
        Entry<Bw::LowPass<1>>("ButterworthLowPass1", 1),
        Entry<Bw::LowPass<2>>("ButterworthLowPass2", 2),
        Entry<Bw::LowPass<4>>("ButterworthLowPass4", 4),
        Entry<Bw::LowPass<8>>("ButterworthLowPass8", 8),
        Entry<Bw::HighPass<1>>("ButterworthHighPass1", 1),
        Entry<Bw::HighPass<2>>("ButterworthHighPass2", 2),
        Entry<Bw::HighPass<4>>("ButterworthHighPass4", 4),
        Entry<Bw::HighPass<8>>("ButterworthHighPass8", 8),
        Entry<Bw::BandPass<2>>("ButterworthBandPass2", 2),
        Entry<Bw::BandStop<2>>("ButterworthBandStop2", 2),
        Entry<Ch::LowPass<4>, Dsp::DirectFormI>("ChebyshevILowPass4FormI", 4),
        Entry<Ch::HighPass<4>, Dsp::DirectFormI>("ChebyshevIHighPass4FormI", 4),
        Entry<Ch::LowPass<4>>("ChebyshevILowPass4", 4),
        Entry<Ch::HighPass<4>>("ChebyshevIHighPass4", 4),
        Entry<Ch::LowPass<8>>("ChebyshevILowPass8", 8),
        Entry<Ch::HighPass<8>>("ChebyshevIHighPass8", 8),
        Entry<El::LowPass<4>>("EllipticLowPass4", 4),
        Entry<El::HighPass<4>>("EllipticHighPass4", 4),
        Entry<El::BandPass<4>>("EllipticBandPass4", 4),
        Entry<El::BandStop<4>>("EllipticBandStop4", 4),
        Entry<Be::LowPass<4>>("BesselLowPass4", 4),
        Entry<Be::HighPass<4>>("BesselHighPass4", 4),
        Entry<Be::BandPass<4>>("BesselBandPass4", 4),
        Entry<Be::BandStop<4>>("BesselBandStop4", 4),
        Entry<Rbj::LowPass>("RbjLowPass", 0),
        Entry<Rbj::HighPass>("RbjHighPass", 0),
        Entry<Rbj::BandPass1>("RbjBandPass1", 0),
        Entry<Rbj::BandPass2>("RbjBandPass2", 0),
        Entry<Rbj::BandStop>("RbjBandStop", 0),
    };
    return designs;
}

const DesignEntry& FindDesign(const std::string& label)
{
    for (const DesignEntry& entry : AllDesigns()) {
        if (entry.label == label)
            return entry;
    }
    throw std::invalid_argument(label);
}

int FindParam(const Dsp::Filter& filter, int id)
{
    for (int i = filter.GetNumParams() - 1; i >= 0; --i) {
        if (filter.GetParamInfo(i).id == id)
            return i;
    }
    return -1;
}

void SetParam(Dsp::Filter& filter, int id, double value)
{
    const int index = FindParam(filter, id);
    if (index < 0)
        return;
    filter.params[index] = value;
    filter.SetParams(filter.params);
}

void ApplyDefaults(Dsp::Filter& filter)
{
    Dsp::FilterParams values{};
    for (int i = 0; i < filter.GetNumParams(); ++i)
        values[i] = filter.GetParamInfo(i).defaultValue;
    filter.SetParams(values);
}

std::unique_ptr<Dsp::Filter> MakeDesigned(const DesignEntry& entry, double sampleRate)
{
    auto filter = entry.make();
    ApplyDefaults(*filter);
    filter->SetTransitionLength(0);
    SetParam(*filter, Dsp::kSampleRateId, sampleRate);
    SetParam(*filter, Dsp::kOrderId, entry.maxOrder);
    return filter;
}
