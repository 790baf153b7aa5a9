// Any bytes pasted into the class's box: either a message that can be shown, or pooled results that
// hold together and read back the same when the class pastes them again: as a list of 100-toss walks,
// as copies of Taluno1's walks, or as a table.
#include "core/classresults.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

void check(bool holds)
{
    if (!holds)
        std::abort();
}

bool isUtf8(std::string_view text)
{
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xC2 ? 0 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : lead < 0xF5 ? 4 : 0;
        if (length == 0 || i + length > text.size())
            return false;
        unsigned code = lead & (0xFFu >> (length + 1));
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80)
                return false;
            code = code << 6 | (next & 0x3Fu);
        }
        if ((length == 3 && code < 0x800) || (length == 4 && code < 0x10000) || (code >= 0xD800 && code <= 0xDFFF)
            || code > 0x10FFFF)
            return false;
        i += length;
    }
    return true;
}

std::string lowestText(const PooledResults &pool, std::size_t k)
{
    return std::to_string(static_cast<int>(k) - pool.guests);
}

std::string asTable(const PooledResults &pool)
{
    std::string text = "お客人数\t" + std::to_string(pool.guests) + "\n実験回数\t" + std::to_string(pool.experiments)
        + "\n\n不足枚数\t度数\n";
    for (std::size_t k = 0; k < pool.lowests.size(); ++k)
        text += lowestText(pool, k) + '\t' + std::to_string(pool.lowests[k]) + '\n';
    return text;
}

std::string asList(const PooledResults &pool)
{
    std::string text;
    for (std::size_t k = 0; k < pool.lowests.size(); ++k) {
        for (int n = 0; n < pool.lowests[k]; ++n)
            text += lowestText(pool, k) + (n % 10 == 9 ? "\n" : "、");
    }
    return text;
}

// Each walk's toss rows say nothing of its lowest balance but their number.
std::string asCopies(const PooledResults &pool)
{
    std::string text;
    for (std::size_t k = 0; k < pool.lowests.size(); ++k) {
        for (int n = 0; n < pool.lowests[k]; ++n) {
            text += "回数\t表/裏\t釣り銭枚数\n";
            for (int toss = 1; toss <= pool.guests; ++toss)
                text += std::to_string(toss) + "\t表\t" + std::to_string(toss) + '\n';
            text += "最低の釣り銭枚数\t" + lowestText(pool, k) + '\n';
        }
    }
    return text;
}

void readsBackAs(const PooledResults &pool, const std::string &text)
{
    const auto again = poolClassResults(text);
    const auto *read = std::get_if<PooledResults>(&again);
    check(read && read->guests == pool.guests && read->experiments == pool.experiments && read->lowests == pool.lowests);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const auto result = poolClassResults(std::string_view(reinterpret_cast<const char *>(data), size));
    if (const auto *message = std::get_if<std::string>(&result)) {
        check(!message->empty() && isUtf8(*message));
        return 0;
    }
    const PooledResults &pool = std::get<PooledResults>(result);
    check(pool.guests >= 1 && pool.guests <= 1000 && pool.lowests.size() == static_cast<std::size_t>(pool.guests) + 2
          && pool.experiments > 0 && pool.experiments <= 10'000'000);
    long long sum = 0;
    for (const int count : pool.lowests) {
        check(count >= 0);
        sum += count;
    }
    check(sum == pool.experiments);

    if (pool.guests >= 10)
        readsBackAs(pool, asTable(pool));
    else // only Taluno1's walks can be this short
        readsBackAs(pool, asCopies(pool));
    if (pool.guests == 100 && pool.experiments <= 100'000)
        readsBackAs(pool, asList(pool));
    return 0;
}
