#include "form1.h"
#include "inplacehelp.h"
#include "talunoapplication.h"

int main(int argc, char *argv[])
{
    TalunoApplication app(argc, argv);
    InPlaceHelp program(3, [&app] { return new Taluno3::Form1(app.seams()); });
    program.showMain();
    return app.exec();
}
