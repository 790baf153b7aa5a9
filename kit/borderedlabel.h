#ifndef BORDEREDLABEL_H
#define BORDEREDLABEL_H

#include <QLabel>

// A label with a single-line black border whatever colour its text takes: a plain QFrame
// draws its border in the text's colour.
class BorderedLabel : public QLabel
{
    Q_OBJECT

public:
    explicit BorderedLabel(const QString &caption, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};

#endif
