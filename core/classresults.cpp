#include "core/classresults.h"

#include <cstdlib>

std::variant<PooledResults, std::string> poolClassResults(std::string_view text)
{
    PooledResults results{100, 0, std::vector<int>(102, 0)};
    const std::string copy(text);
    const char *at = copy.c_str();
    char *end = nullptr;
    for (long value = std::strtol(at, &end, 10); end != at; at = end, value = std::strtol(at, &end, 10)) {
        if (value < -100 || value > 1)
            return std::string("1行目が読めません：「」");
        ++results.lowests[static_cast<std::size_t>(value + 100)];
        ++results.experiments;
    }
    if (results.experiments == 0)
        return std::string("まとめる結果がありません。");
    return results;
}
