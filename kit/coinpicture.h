#ifndef COINPICTURE_H
#define COINPICTURE_H

#include <QIcon>
#include <QPixmap>

// One face of the coin, marked 表 or 裏, painted at `size` logical pixels for the given device
// pixel ratio: crisp at any scale.
QPixmap coinPicture(const QString &mark, int size, qreal devicePixelRatio = 1.0);

// The 500-yen coin of the program icon at `size` pixels.
QPixmap yenCoinPicture(int size);

// The program icon at the usual icon sizes.
QIcon coinIcon();

#endif
