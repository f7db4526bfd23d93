#pragma once
// Audio while a script shows the editor: the host's signal, repeated as needed, runs through
// the plug-in one editor tick's worth at a time, so its scope and meters move as they do in a
// host that plays.

#include "tools/vsthost/AudioRenderer.h"

class EditorWindow;
struct AudioBuffer;

namespace ScriptedAudio
{
void Play(AudioRenderer& renderer, const AudioBuffer& signal, AudioEntry entry, int32_t blockSize, double sampleRate,
          EditorWindow& window, double seconds);
}
