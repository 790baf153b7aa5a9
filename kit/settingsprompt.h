#ifndef SETTINGSPROMPT_H
#define SETTINGSPROMPT_H

#include <QString>

#include <optional>

struct Seams;

// One settings prompt: its texts and the range it accepts.
struct SettingRow
{
    QString prompt;
    QString title;
    QString defaultText;
    int lowest;
    int highest;
};

struct SettingRows
{
    SettingRow guests;
    SettingRow experiments;
};

// The two prompts of Taluno2 and of Taluno3.
SettingRows taluno2Rows();
SettingRows taluno3Rows();

// Asks until an answer lies in the row's range (the setting, rounded down) or the user
// confirms the end after an empty answer (std::nullopt; the program has been ended).
std::optional<int> askSetting(const Seams &seams, const SettingRow &row);

#endif
