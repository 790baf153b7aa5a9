#include "core/batchrules.h"

#include "core/catalogue.h"

namespace {

SettingRow settingRow(Text title, const char *defaultText, int lowest, int highest)
{
    return {text(Text::rangePrompt, {{"lowest", std::to_string(lowest)}, {"highest", std::to_string(highest)}}),
            text(title), defaultText, lowest, highest};
}

} // namespace

const BatchRules &batchRules(ProgramNumber program)
{
    const auto &rules = madeInLanguage([] {
        const SettingRow guests = settingRow(Text::guestsTitle, "100", 10, 1000);
        return std::pair<BatchRules, BatchRules>{{ProgramNumber::Taluno2, guests, settingRow(Text::experimentsTitle, "1000", 1, 10000), -57},
                                                 {ProgramNumber::Taluno3, guests, settingRow(Text::experimentsTitle, "100", 1, 1000), -114}};
    });
    switch (program) {
    case ProgramNumber::Taluno2: return rules.first;
    case ProgramNumber::Taluno3: return rules.second;
    case ProgramNumber::Taluno1: break; // one walk, no batches
    }
    unknownProgram("batchRules");
}
