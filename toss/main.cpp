#include "kit/talunoapplication.h"
#include "toss/tosswindow.h"

int main(int argc, char *argv[])
{
    TalunoApplication app(argc, argv);
    TossWindow window(app.seams());
    window.show();
    return app.exec();
}
