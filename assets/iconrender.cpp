// Renders the program icon into a hicolor icon tree: <folder>/<n>x<n>/apps/taluno.png.
#include "kit/coinpicture.h"

#include <QDir>
#include <QGuiApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    if (argc < 2)
        return 2;
    const QDir root(QString::fromLocal8Bit(argv[1]));
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        const QString folder = QStringLiteral("%1x%1/apps").arg(size);
        if (!root.mkpath(folder) || !yenCoinPicture(size).save(root.filePath(folder + "/taluno.png"))) {
            std::fprintf(stderr, "iconrender: cannot write %s\n", qPrintable(root.filePath(folder)));
            return 1;
        }
    }
    return 0;
}
