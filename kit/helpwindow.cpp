#include "kit/helpwindow.h"

#include "core/texts.h"
#include "kit/fonts.h"
#include "kit/picturebox.h"
#include "kit/qtconvert.h"

#include <QFontMetricsF>

HelpWindow::HelpWindow(ProgramNumber program, const Seams &seams, QWidget *parent)
    : ProgramWindow(helpWindowLayout(program), seams, parent)
    , m_flow(*this, program)
{
    setFlow(m_flow);
    setAttribute(Qt::WA_DeleteOnClose);
    scaleChanged();
}

void HelpWindow::scaleChanged()
{
    // No line may be cut off at the right edge, however wide the substitute face runs.
    QWidget *text = control(HelpControls::textSurface);
    const QFontMetricsF metrics(text->font());
    double widest = 0;
    QString widestLine;
    for (const std::string &line : helpLines(layout().program)) {
        const QString shown = qtText(line);
        if (metrics.horizontalAdvance(shown) > widest) {
            widest = metrics.horizontalAdvance(shown);
            widestLine = shown;
        }
    }
    text->setFont(narrowedToFit(text->font(), widestLine, text->contentsRect().width()));
}

void HelpWindow::closeHelp()
{
    close();
    emit closeClicked();
}
