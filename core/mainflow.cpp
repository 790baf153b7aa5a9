#include "core/mainflow.h"

#include "core/batchflow.h"
#include "core/batchrules.h"
#include "core/tosswalk.h"

std::unique_ptr<ProgramFlow> makeMainFlow(ProgramNumber program, ProgramView &view, RandomSource &random, Clock &clock)
{
    switch (program) {
    case ProgramNumber::Taluno1:
        return std::make_unique<TossWalk>(view, random, clock);
    case ProgramNumber::Taluno2:
    case ProgramNumber::Taluno3:
        return std::make_unique<BatchFlow>(view, batchRules(program), random, clock);
    }
    unknownProgram("makeMainFlow");
}
