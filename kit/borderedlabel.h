#ifndef BORDEREDLABEL_H
#define BORDEREDLABEL_H

#include <QColor>
#include <QLabel>

// A label of a window's layout: a single-line black border whatever colour its text takes (a plain QFrame
// draws its border in the text's colour), centred plain text, and a note in a colour of its own under it
// or beside it.
class BorderedLabel : public QLabel
{
    Q_OBJECT

public:
    explicit BorderedLabel(QWidget *parent = nullptr);

    // The text and the note, shown at the next showIn(); an empty note: the text alone.
    void setCaption(const QString &text) { m_caption = text; }
    void setNote(const QString &note, const QColor &colour);
    // Shows the text, and its note under it, in `font`, narrowed where it does not fit; with a note `beside`,
    // the note beside the text at the text's size instead of each in half the height.
    void showIn(QFont font, bool beside);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_caption;
    QString m_note;
    QColor m_noteColour;
};

#endif
