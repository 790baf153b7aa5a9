// Renders the program icon into a hicolor icon tree, <tree>/<n>x<n>/apps/taluno.png, and, given a
// second folder, the web app's icons there: icon-192.png and icon-512.png, and apple-touch-icon.png,
// whose corners an iPad would fill with black, on white.
#include "kit/coinpicture.h"

#include <QDir>
#include <QGuiApplication>
#include <QPainter>

#include <cstdio>

namespace {

bool save(const QImage &picture, const QString &path)
{
    if (picture.save(path))
        return true;
    std::fprintf(stderr, "iconrender: cannot write %s\n", qPrintable(path));
    return false;
}

QImage onWhite(int size)
{
    QImage picture(size, size, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    const int margin = size / 12;
    painter.drawPixmap(margin, margin, yenCoinPicture(size - 2 * margin));
    return picture;
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    if (argc < 2)
        return 2;
    const QDir tree(QString::fromLocal8Bit(argv[1]));
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        const QString folder = QStringLiteral("%1x%1/apps").arg(size);
        if (!tree.mkpath(folder) || !save(yenCoinPicture(size).toImage(), tree.filePath(folder + "/taluno.png")))
            return 1;
    }
    if (argc < 3)
        return 0;
    const QDir web(QString::fromLocal8Bit(argv[2]));
    if (!web.mkpath(QStringLiteral(".")))
        return 1;
    for (int size : {192, 512}) {
        if (!save(yenCoinPicture(size).toImage(), web.filePath(QStringLiteral("icon-%1.png").arg(size))))
            return 1;
    }
    return save(onWhite(180), web.filePath(QStringLiteral("apple-touch-icon.png"))) ? 0 : 1;
}
