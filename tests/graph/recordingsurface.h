#ifndef RECORDINGSURFACE_H
#define RECORDINGSURFACE_H

#include "surface.h"

#include <QColor>
#include <QList>
#include <QPointF>
#include <QString>

// Records what is drawn on it in its own units, and moves the text position as a picture box
// does, with a line height the test chooses.
class RecordingSurface : public Surface
{
public:
    enum Kind { Clear, Line, Box, Text };
    struct Stroke
    {
        Kind kind;
        QPointF from; // a text's top-left corner
        QPointF to;
        QColor colour;
        QString text;
    };

    explicit RecordingSurface(double lineHeight = 10) : m_lineHeight(lineHeight) {}

    void clear() override
    {
        strokes.append({Clear, {}, {}, {}, {}});
        position = {0, 0};
    }
    void line(double x1, double y1, double x2, double y2, const QColor &colour) override
    {
        strokes.append({Line, {x1, y1}, {x2, y2}, colour, {}});
        position = {x2, y2};
    }
    void box(double x1, double y1, double x2, double y2, const QColor &colour) override
    {
        strokes.append({Box, {x1, y1}, {x2, y2}, colour, {}});
        position = {x2, y2};
    }
    void setTextPosition(double x, double y) override { position = {x, y}; }
    void printLine(const QString &text) override
    {
        strokes.append({Text, position, position, {}, text});
        position = {0, position.y() + m_lineHeight};
    }

    QList<Stroke> ofKind(Kind kind) const
    {
        QList<Stroke> found;
        for (const Stroke &stroke : strokes) {
            if (stroke.kind == kind)
                found.append(stroke);
        }
        return found;
    }

    QList<Stroke> strokes;
    QPointF position;

private:
    double m_lineHeight;
};

#endif
