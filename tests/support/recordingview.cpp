#include "recordingview.h"

void RecordingSurface::clear()
{
    strokes.push_back({"clear", 0, 0, 0, 0, {}, {}});
    x = y = 0;
}

void RecordingSurface::line(double x1, double y1, double x2, double y2, Rgb colour)
{
    strokes.push_back({"line", x1, y1, x2, y2, colour, {}});
    x = x2;
    y = y2;
}

void RecordingSurface::box(double x1, double y1, double x2, double y2, Rgb colour)
{
    strokes.push_back({"box", x1, y1, x2, y2, colour, {}});
    x = x2;
    y = y2;
}

void RecordingSurface::setTextPosition(double newX, double newY)
{
    x = newX;
    y = newY;
}

void RecordingSurface::printLine(std::string_view text)
{
    if (!text.empty())
        strokes.push_back({"text", x, y, x, y, {}, std::string(text)});
    x = 0;
    y += 10;
}

RecordingView::RecordingView(const WindowLayout &layout)
    : timers(layout.timers.size(), false)
{
    for (const Control &control : layout.controls) {
        texts.push_back(control.kind == ControlKind::Label ? control.caption : std::string());
        colours.push_back(control.foreground);
        enabled.push_back(control.enabled);
        visible.push_back(control.visible);
        descriptions.push_back(control.description);
    }
}

void RecordingView::answer(ProgramFlow &flow, QStringList answers)
{
    while (flow.waiting() && !answers.isEmpty()) {
        const QString answer = answers.takeFirst();
        if (asked.back().input)
            flow.answerInput(answer.toStdString());
        else
            flow.answerYesNo(answer == QLatin1String("yes"));
    }
}

void RecordingView::setControlEnabled(int control, bool on)
{
    enabled.at(control) = on;
    enabledOrder.push_back(control);
}
