// Every smoothed design that the processing units create, compiled once here.
#include "dsp/filters/Bessel/Designs.h"
#include "dsp/filters/Butterworth/Designs.h"
#include "dsp/filters/Butterworth/BandShelf.h"
#include "dsp/filters/Butterworth/HighShelf.h"
#include "dsp/filters/Butterworth/LowShelf.h"
#include "dsp/filters/ChebyshevI/Designs.h"
#include "dsp/filters/DirectFormI.h"
#include "dsp/filters/DirectFormII.h"
#include "dsp/filters/Elliptic/Designs.h"
#include "dsp/filters/RBJ/BandPass1.h"
#include "dsp/filters/RBJ/BandPass2.h"
#include "dsp/filters/RBJ/BandStop.h"
#include "dsp/filters/RBJ/HighPass.h"
#include "dsp/filters/RBJ/LowPass.h"
#include "dsp/filters/SmoothedFilterDesign.h"

namespace Dsp {

template class SmoothedFilterDesign<Butterworth::Design::LowShelf<2>, 2, DirectFormI>;
template class SmoothedFilterDesign<Butterworth::Design::HighShelf<2>, 2, DirectFormI>;
template class SmoothedFilterDesign<Butterworth::Design::BandShelf<2>, 2, DirectFormI>;

template class SmoothedFilterDesign<Butterworth::Design::LowPass<1>, 2, DirectFormII>;
template class SmoothedFilterDesign<Butterworth::Design::LowPass<2>, 2, DirectFormII>;
template class SmoothedFilterDesign<Butterworth::Design::LowPass<4>, 2, DirectFormII>;
template class SmoothedFilterDesign<Butterworth::Design::LowPass<8>, 2, DirectFormII>;
template class SmoothedFilterDesign<Butterworth::Design::HighPass<1>, 2, DirectFormII>;
template class SmoothedFilterDesign<Butterworth::Design::HighPass<2>, 2, DirectFormII>;
template class SmoothedFilterDesign<Butterworth::Design::HighPass<4>, 2, DirectFormII>;
template class SmoothedFilterDesign<Butterworth::Design::HighPass<8>, 2, DirectFormII>;
template class SmoothedFilterDesign<Butterworth::Design::BandPass<2>, 2, DirectFormII>;
template class SmoothedFilterDesign<Butterworth::Design::BandStop<2>, 2, DirectFormII>;

template class SmoothedFilterDesign<ChebyshevI::Design::LowPass<4>, 2, DirectFormI>;
template class SmoothedFilterDesign<ChebyshevI::Design::HighPass<4>, 2, DirectFormI>;
template class SmoothedFilterDesign<ChebyshevI::Design::LowPass<4>, 2, DirectFormII>;
template class SmoothedFilterDesign<ChebyshevI::Design::HighPass<4>, 2, DirectFormII>;
template class SmoothedFilterDesign<ChebyshevI::Design::LowPass<8>, 2, DirectFormII>;
template class SmoothedFilterDesign<ChebyshevI::Design::HighPass<8>, 2, DirectFormII>;

template class SmoothedFilterDesign<Elliptic::Design::LowPass<4>, 2, DirectFormII>;
template class SmoothedFilterDesign<Elliptic::Design::HighPass<4>, 2, DirectFormII>;
template class SmoothedFilterDesign<Elliptic::Design::BandPass<4>, 2, DirectFormII>;
template class SmoothedFilterDesign<Elliptic::Design::BandStop<4>, 2, DirectFormII>;

template class SmoothedFilterDesign<Bessel::Design::LowPass<4>, 2, DirectFormII>;
template class SmoothedFilterDesign<Bessel::Design::HighPass<4>, 2, DirectFormII>;
template class SmoothedFilterDesign<Bessel::Design::BandPass<4>, 2, DirectFormII>;
template class SmoothedFilterDesign<Bessel::Design::BandStop<4>, 2, DirectFormII>;

template class SmoothedFilterDesign<RBJ::Design::LowPass, 2, DirectFormII>;
template class SmoothedFilterDesign<RBJ::Design::HighPass, 2, DirectFormII>;
template class SmoothedFilterDesign<RBJ::Design::BandPass1, 2, DirectFormII>;
template class SmoothedFilterDesign<RBJ::Design::BandPass2, 2, DirectFormII>;
template class SmoothedFilterDesign<RBJ::Design::BandStop, 2, DirectFormII>;

} // namespace Dsp
