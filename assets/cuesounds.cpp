// Writes the two cue sounds, "pinpon.wav" and "endpinpon.wav", into every folder given.
//   cuesounds <folder>...
#include "core/cuesound.h"

#include <cstdio>
#include <fstream>
#include <string>

int main(int argc, char *argv[])
{
    for (int i = 1; i < argc; ++i) {
        for (const Cue cue : {Cue::Pinpon, Cue::EndPinpon}) {
            const std::string path = std::string(argv[i]) + '/' + std::string(cueFile(cue));
            const std::string bytes = cueWav(cue);
            std::ofstream out(path, std::ios::binary);
            if (!out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()))) {
                std::fprintf(stderr, "cuesounds: cannot write %s\n", path.c_str());
                return 1;
            }
        }
    }
    return 0;
}
