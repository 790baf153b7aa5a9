#include "kit/inplacehelp.h"
#include "kit/talunoapplication.h"

int main(int argc, char *argv[])
{
    TalunoApplication app(argc, argv);
    InPlaceHelp program(ProgramNumber::Taluno3, app.seams());
    program.showMain();
    return app.exec();
}
