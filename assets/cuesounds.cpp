// Writes the two cue sounds: "pinpon.wav", a two-tone door chime, and "endpinpon.wav",
// a lower chime that falls. 16-bit mono PCM, under a second, peaks well below full scale.
//   cuesounds <folder>...   writes both files into every folder given
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
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

void put(std::ofstream &out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.put(static_cast<char>((value >> (8 * i)) & 0xFF));
}

bool writeWav(const std::string &path, const std::vector<std::int16_t> &samples)
{
    std::ofstream out(path, std::ios::binary);
    const auto dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
    out.write("RIFF", 4);
    put(out, 36 + dataBytes, 4);
    out.write("WAVEfmt ", 8);
    put(out, 16, 4);             // format chunk size
    put(out, 1, 2);              // PCM
    put(out, 1, 2);              // mono
    put(out, sampleRate, 4);
    put(out, sampleRate * 2, 4); // bytes per second
    put(out, 2, 2);              // block align
    put(out, 16, 2);             // bits per sample
    out.write("data", 4);
    put(out, dataBytes, 4);
    for (std::int16_t s : samples)
        put(out, static_cast<std::uint16_t>(s), 2);
    return bool(out);
}

} // namespace

int main(int argc, char *argv[])
{
    // E5 then C5, as a door chime rings.
    const auto pinpon = chime({{0.0, 659.26, 0.45}, {0.28, 523.25, 0.6}}, 0.9);
    // G4, E4, C4: lower, and falling.
    const auto endpinpon = chime({{0.0, 392.00, 0.35}, {0.2, 329.63, 0.35}, {0.4, 261.63, 0.5}}, 0.92);
    for (int i = 1; i < argc; ++i) {
        const std::string folder = argv[i];
        if (!writeWav(folder + "/pinpon.wav", pinpon) || !writeWav(folder + "/endpinpon.wav", endpinpon)) {
            std::fprintf(stderr, "cuesounds: cannot write into %s\n", folder.c_str());
            return 1;
        }
    }
    return 0;
}
