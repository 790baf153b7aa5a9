#include "form1.h"
#include "talunoapplication.h"

int main(int argc, char *argv[])
{
    TalunoApplication app(argc, argv);
    Taluno1::Form1 form(app.seams());
    form.show();
    return app.exec();
}
