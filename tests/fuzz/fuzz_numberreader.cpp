// Any bytes typed or pasted into a settings prompt: an accepted setting must lie in its
// row and be the answer's number rounded down.
#include "core/numberreader.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    const double value = readLeadingNumber(foldFullWidth(text));
    if (std::isnan(value))
        std::abort();
    for (const auto &[lowest, highest] : {std::pair{10, 1000}, std::pair{1, 10000}, std::pair{1, 1000}}) {
        const auto setting = acceptSetting(text, lowest, highest);
        if (!setting)
            continue;
        if (*setting < lowest || *setting > highest || *setting != std::floor(value) || value < lowest
            || value > highest)
            std::abort();
    }
    return 0;
}
