// The computer's sound device as the player's audio output, through Qt
// Multimedia's QAudioSink on the default output device.
#pragma once

#include "audiooutput.h"

namespace crx {

std::unique_ptr<AudioOutput> makeSoundOutput();

} // namespace crx
