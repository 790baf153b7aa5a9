// Any bytes typed or pasted into a prompt: an accepted answer must start with a number, lie in
// its row and be that number rounded down.
#include "core/numberreader.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    const std::optional<double> read = readLeadingNumber(foldFullWidth(text));
    if (read && std::isnan(*read))
        std::abort();
    const double value = read.value_or(-1);
    for (const auto &[lowest, highest] : {std::pair{10, 1000}, std::pair{1, 10000}, std::pair{1, 1000}, std::pair{0, 1000}}) {
        const auto setting = acceptSetting(text, lowest, highest);
        if (!setting)
            continue;
        if (!read || *setting != std::floor(value) || value < lowest || value > highest) // and so the setting too
            std::abort();
    }
    return 0;
}
