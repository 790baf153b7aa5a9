#include "quitconfirmation.h"

#include "modalboxes.h"
#include "seams.h"
#include "soundcue.h"

#include <QString>

void confirmQuit(const Seams &seams)
{
    seams.cue.play(QStringLiteral("endpinpon.wav"));
    if (seams.boxes.askYesNo(QStringLiteral("終了していいですか？"), QStringLiteral("Talunoの実験")))
        seams.endProgram();
}
