#include "kit/borderedlabel.h"

#include "kit/fonts.h"

#include <QPainter>

BorderedLabel::BorderedLabel(QWidget *parent)
    : QLabel(parent)
{
    setContentsMargins(1, 1, 1, 1);
    setAlignment(Qt::AlignCenter);
    setTextFormat(Qt::PlainText);
}

void BorderedLabel::setNote(const QString &note, const QColor &colour)
{
    m_note = note;
    m_noteColour = colour;
}

void BorderedLabel::showIn(QFont font, bool beside)
{
    const int room = contentsRect().width() - 1;
    // A number that would be cut off at the border is narrowed to fit instead.
    if (m_note.isEmpty()) {
        setTextFormat(Qt::PlainText);
        setFont(narrowedToFit(font, m_caption, room));
        setText(m_caption);
        return;
    }
    // As setNote in web/src/window.js: keep the two in step.
    if (!beside)
        font.setPixelSize(height() / 2 - 1);
    setTextFormat(Qt::RichText);
    setFont(narrowedToFit(font, m_caption + (beside ? QLatin1Char(' ') : QLatin1Char('\n')) + m_note, room));
    // Blanks kept as they are, as in a label of plain text: 「度　　数」 keeps its two full-width ones.
    setText(QStringLiteral("<div style=\"white-space:pre\">%1%2<span style=\"color:%3\">%4</span></div>")
                .arg(m_caption.toHtmlEscaped(), beside ? QStringLiteral(" ") : QStringLiteral("<br>"), m_noteColour.name(),
                     m_note.toHtmlEscaped()));
}

void BorderedLabel::paintEvent(QPaintEvent *event)
{
    QLabel::paintEvent(event);
    QPainter painter(this);
    painter.setPen(QPen(Qt::black, 0));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}
