// Any bytes pasted into the class's box: either a refusal whose wording can be shown, or pooled results that
// hold together and read back the same when the class pastes them again: as a list of 100-toss walks,
// as a chat's copy of them, or as the table a program copies.
#include "core/classresults.h"
#include "core/lesson.h"
#include "core/numberreader.h"
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

// Whole UTF-8 sequences: decoded and encoded again, the same bytes.
bool isUtf8(std::string_view text)
{
    std::string again;
    for (std::size_t at = 0; at < text.size();)
        appendUtf8(again, nextCodePoint(text, at));
    return again == text;
}

enum class Form { List, Chat };

// As a list of 100-toss walks ten a line, or as a chat's copy: a line each, after its time and name.
std::string written(const PooledResults &pool, Form form)
{
    std::string text;
    for (std::size_t k = 0; k < pool.lowests.size(); ++k) {
        const std::string lowest = std::to_string(static_cast<int>(k) - pool.guests);
        for (int n = 0; n < pool.lowests[k]; ++n)
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
        readsBackAs(pool, resultTable({pool.guests, pool.experiments, ".0", pool.lowests, pool.changePercent.value_or(fairChangePercent)}, false, false));
    if (pool.guests == 100 && pool.experiments <= 100'000) {
        readsBackAs(pool, written(pool, Form::List));
        readsBackAs(pool, written(pool, Form::Chat));
    }
    return 0;
}
