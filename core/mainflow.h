#ifndef MAINFLOW_H
#define MAINFLOW_H

#include "core/program.h"

#include <memory>

class Clock;
class ProgramFlow;
class ProgramView;
class RandomSource;

// The logic of the program's main window, drawing from `random` and reseeding it from `clock`.
std::unique_ptr<ProgramFlow> makeMainFlow(ProgramNumber program, ProgramView &view, RandomSource &random, Clock &clock);

#endif
