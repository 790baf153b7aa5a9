#include "core/cuesound.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace {

constexpr int sampleRate = 22050;
constexpr double pi = 3.14159265358979323846;

struct Tone
{
    double start;     // seconds
    double frequency; // Hz
    double length;    // seconds until it has died away
};

// A struck bar: the fundamental with a soft octave partial, a quick attack and an exponential decay.
std::vector<std::int16_t> chime(const std::vector<Tone> &tones, double total)
{
    std::vector<double> mix(static_cast<std::size_t>(total * sampleRate), 0.0);
    for (const Tone &tone : tones) {
        const auto first = static_cast<std::size_t>(tone.start * sampleRate);
        for (std::size_t i = first; i < mix.size(); ++i) {
            const double t = double(i - first) / sampleRate;
            if (t > tone.length)
                break;
            const double attack = std::min(1.0, t / 0.004);
            const double decay = std::exp(-5.0 * t / tone.length);
            const double fade = std::min(1.0, (tone.length - t) / 0.02); // no click at the end
            mix[i] += attack * decay * fade
                      * (std::sin(2 * pi * tone.frequency * t) + 0.25 * std::sin(4 * pi * tone.frequency * t));
        }
    }
    double peak = 0;
    for (double v : mix)
        peak = std::max(peak, std::abs(v));
    std::vector<std::int16_t> samples(mix.size());
    const double gain = peak > 0 ? 0.7 * 32767 / peak : 0;
    for (std::size_t i = 0; i < mix.size(); ++i)
        samples[i] = static_cast<std::int16_t>(std::lround(mix[i] * gain));
    return samples;
}

void put(std::string &out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

std::string wav(const std::vector<std::int16_t> &samples)
{
    const auto dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
    std::string out = "RIFF";
    put(out, 36 + dataBytes, 4);
    out += "WAVEfmt ";
    put(out, 16, 4);             // format chunk size
    put(out, 1, 2);              // PCM
    put(out, 1, 2);              // mono
    put(out, sampleRate, 4);
    put(out, sampleRate * 2, 4); // bytes per second
    put(out, 2, 2);              // block align
    put(out, 16, 2);             // bits per sample
    out += "data";
    put(out, dataBytes, 4);
    for (const std::int16_t s : samples)
        put(out, static_cast<std::uint16_t>(s), 2);
    return out;
}

} // namespace

std::string cueWav(Cue cue)
{
    switch (cue) {
    case Cue::Pinpon: // E5 then C5, as a door chime rings
        return wav(chime({{0.0, 659.26, 0.45}, {0.28, 523.25, 0.6}}, 0.9));
    case Cue::EndPinpon: // G4, E4, C4: lower, and falling
        return wav(chime({{0.0, 392.00, 0.35}, {0.2, 329.63, 0.35}, {0.4, 261.63, 0.5}}, 0.92));
    }
    unknownChoice("cueWav", "cue " + std::to_string(static_cast<int>(cue)));
}
