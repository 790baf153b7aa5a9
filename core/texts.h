#ifndef TEXTS_H
#define TEXTS_H

#include "core/batchengine.h"
#include "core/catalogue.h"
#include "core/program.h"

#include <optional>
#include <string>
#include <vector>

// A whole number of zero or more in full-width digits: 60 as "６０".
std::string fullWidthNumber(int number);

// The share of guests who need change as the window, the copied text and the captions say it:
// "お釣りの要る人：60%" (Text::changePercentText).
std::string changePercentText(int changePercent);
// The same where a run says it: not at one half, the share of the problem as posed, unless `always`.
std::optional<std::string> changePercentNote(int changePercent, bool always = false);

// The help text of a program, one entry a line, each with its leading full-width blanks; where the share of
// guests who need change is not one half, a line under the problem's says which share is in use.
std::vector<std::string> helpLines(ProgramNumber program, int changePercent = fairChangePercent);

// The most characters the box of the class's results takes: a class's results are far fewer, and a box beyond it
// would take the window for seconds. A paste beyond it is refused with Text::tooMuchPasted.
inline constexpr int pastedCharactersMost = 1'000'000;

// ---- Refusals of the class's pasted results --------------------------------------------------------------

struct PoolFailure;

// What the teacher is told of a refusal, quoting its values; empty for RefusalKind::None.
std::string refusalText(const PoolFailure &refusal);

#endif
