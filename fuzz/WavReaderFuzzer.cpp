// WAV files as the curve import reads them: any bytes must be refused or read within the
// bytes given, and whatever frames they hold must become finite curve points within -1..1.
#include "dsp/units/curves/DistortionCurve.h"
#include "dsp/units/files/CurveWavFile.h"
#include "dsp/units/files/WavFile.h"
#include "fuzz/CurveCheck.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    WavFile wav;
    if (!wav.Decode(data, size))
        return 0;
    if (wav.frames.size() > size)
        std::abort();
    static DistortionCurve curve(2048);
    if (CurveWavFile::TakeFrames(curve, wav.frames))
        CheckCurvePoints(curve);
    return 0;
}
