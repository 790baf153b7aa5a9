#ifndef COINIMAGE_H
#define COINIMAGE_H

#include "kit/coinpicture.h"

#include <QPixmap>
#include <QWidget>

// One face of the coin with its mark (表 or 裏), painted for the screen it is on so that it stays crisp when scaled.
class CoinImage : public QWidget
{
    Q_OBJECT

public:
    explicit CoinImage(const QString &mark, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_mark;
    QPixmap m_picture;
};

#endif
