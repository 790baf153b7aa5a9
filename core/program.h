#ifndef PROGRAM_H
#define PROGRAM_H

#include <string_view>

// The three programs of the suite.
enum class ProgramNumber {
    Taluno1 = 1, // one experiment, toss by toss
    Taluno2 = 2, // many experiments, as a frequency table
    Taluno3 = 3, // many experiments, as a frequency graph
};

// The two sound cues, played from WAV files beside the program.
enum class Cue {
    Pinpon,    // HELP and 初期化
    EndPinpon, // 終了
};

constexpr std::string_view cueFile(Cue cue)
{
    return cue == Cue::Pinpon ? "pinpon.wav" : "endpinpon.wav";
}

#endif
