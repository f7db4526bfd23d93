#pragma once
// Reads PCM (8 to 32 bits) and floating-point WAV files; writes 32-bit floating-point ones.

#include "tools/vsthost/AudioBuffer.h"

#include <string>

class WavFile
{
public:
    static bool Read(const std::string& path, AudioBuffer& audio, double& sampleRate, std::string& error);
    static bool Write(const std::string& path, const AudioBuffer& audio, double sampleRate, std::string& error);
};
