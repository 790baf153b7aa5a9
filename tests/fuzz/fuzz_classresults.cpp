// Any bytes pasted into the class's box: either a refusal whose wording can be shown, or pooled results that
// hold together and read back the same when the class pastes them again: as a list of 100-toss walks,
// as a chat's copy of them, or as a table.
#include "core/classresults.h"
#include "core/texts.h"

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

// Whole UTF-8 sequences: each lead byte followed by as many continuation bytes as it says.
bool isUtf8(std::string_view text)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const int more = lead < 0x80 ? 0 : lead >= 0xF8 ? -1 : lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC2 ? 1 : -1;
        for (int k = 0; k < more; ++k) {
            if (++i >= text.size() || (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80)
                return false;
        }
        if (more < 0)
            return false;
    }
    return true;
}

enum class Form { Table, List, Chat };

// As a table, as a list of 100-toss walks ten a line, or as a chat's copy: a line each, after its time and name.
std::string written(const PooledResults &pool, Form form)
{
    std::string text = form != Form::Table ? "" : "お客人数\t" + std::to_string(pool.guests) + "\n実験回数\t" + std::to_string(pool.experiments) + "\n\n不足枚数\t度数\n";
    for (std::size_t k = 0; k < pool.lowests.size(); ++k) {
        const std::string lowest = std::to_string(static_cast<int>(k) - pool.guests);
        text += form != Form::Table ? "" : lowest + '\t' + std::to_string(pool.lowests[k]) + '\n';
        for (int n = 0; form != Form::Table && n < pool.lowests[k]; ++n)
            text += form == Form::List ? lowest + (n % 10 == 9 ? "\n" : "、") : "[10:3" + std::to_string(n % 10) + "]\tたなか\t" + lowest + '\n';
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
    if (const auto *failure = std::get_if<PoolFailure>(&result)) {
        check(failure->kind != RefusalKind::None && isUtf8(refusalText(*failure)) && failure->line >= 0);
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

    if (pool.guests >= 10) // fewer: only Taluno1's copies of a walk stopped early
        readsBackAs(pool, written(pool, Form::Table));
    if (pool.guests == 100 && pool.experiments <= 100'000) {
        readsBackAs(pool, written(pool, Form::List));
        readsBackAs(pool, written(pool, Form::Chat));
    }
    return 0;
}
