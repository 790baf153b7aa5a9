#ifndef BATCHRULES_H
#define BATCHRULES_H

#include "core/program.h"

#include <string>

// One settings prompt: its texts and the range it accepts.
struct SettingRow
{
    std::string prompt;
    std::string title;
    std::string defaultText;
    int lowest;
    int highest;
};

// What sets Taluno2's and Taluno3's runs apart: their prompts and their bins.
struct BatchRules
{
    ProgramNumber program;
    SettingRow guests;
    SettingRow experiments;
    int lowestBin; // the lowest single-value bin of the tally
};

// Taluno2's or Taluno3's rules.
const BatchRules &batchRules(ProgramNumber program);

#endif
