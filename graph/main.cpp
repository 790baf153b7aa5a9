#include "kit/desktopprogram.h"
#include "kit/talunoapplication.h"

int main(int argc, char *argv[])
{
    TalunoApplication app(argc, argv);
    DesktopProgram program(ProgramNumber::Taluno3, app.seams());
    program.showMain();
    return app.exec();
}
