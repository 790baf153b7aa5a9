#ifndef COINPICTURE_H
#define COINPICTURE_H

#include <QIcon>
#include <QPixmap>

enum class CoinFace { Yen500, Heads, Tails };

// A coin painted at `size` logical pixels for the given device pixel ratio, crisp at any scale.
QPixmap coinPicture(CoinFace face, int size, qreal devicePixelRatio = 1.0);

// The program icon: the 500-yen coin, at the usual icon sizes.
QIcon coinIcon();

#endif
