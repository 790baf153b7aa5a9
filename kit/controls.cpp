#include "controls.h"

#include "borderedlabel.h"
#include "commandbutton.h"

#include <QFont>
#include <QLabel>

QLabel *addLabel(QWidget *parent, const QString &name, const QString &caption, const QRect &geometry,
                 const QFont &font, const QColor &background, const QColor &text)
{
    auto *label = new BorderedLabel(caption, parent);
    label->setObjectName(name);
    label->setGeometry(geometry);
    label->setFont(font);
    label->setAlignment(Qt::AlignCenter);
    label->setTextFormat(Qt::PlainText);
    if (background.isValid()) {
        QPalette palette = label->palette();
        palette.setColor(QPalette::Window, background);
        label->setPalette(palette);
        label->setAutoFillBackground(true);
    }
    if (text.isValid())
        setTextColour(label, text);
    return label;
}

QPushButton *addButton(QWidget *parent, const QString &name, const QString &caption, const QRect &geometry,
                       const QFont &font)
{
    auto *button = new CommandButton(caption, parent);
    button->setObjectName(name);
    button->setGeometry(geometry);
    button->setFont(font);
    button->setAutoDefault(false);
    return button;
}

void setTextColour(QLabel *label, const QColor &colour)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
}
