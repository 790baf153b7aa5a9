#ifndef CUESOUND_H
#define CUESOUND_H

#include "core/program.h"

#include <string>

// The cue as the bytes of a WAV file: 16-bit mono PCM, under a second, peaks well below full scale.
// The desktop programs play it from a file made at build time; the pages make it when they load.
std::string cueWav(Cue cue);

#endif
