#ifndef COINIMAGE_H
#define COINIMAGE_H

#include "kit/coinpicture.h"

#include <QPixmap>
#include <QWidget>

// One face of the coin, painted for the screen it is on so that it stays crisp when scaled.
class CoinImage : public QWidget
{
    Q_OBJECT

public:
    explicit CoinImage(CoinFace face, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    CoinFace m_face;
    QPixmap m_picture;
};

#endif
