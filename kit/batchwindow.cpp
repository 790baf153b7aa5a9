#include "kit/batchwindow.h"

#include "core/frequencygraph.h"
#include "kit/graphfont.h"

BatchWindow::BatchWindow(ProgramNumber program, const Seams &seams, QWidget *parent)
    : ProgramWindow(batchWindowLayout(program), seams, parent)
    , m_flow(*this, batchRules(program), seams.random, seams.clock)
{
    setFlow(m_flow);
    setAttribute(Qt::WA_DeleteOnClose);
    if (program == ProgramNumber::Taluno3) {
        QWidget *graph = control(BatchControls::graphSurface);
        graph->setFont(graphFont(font(), graph->contentsRect().width() / graphWidth));
    }
}

void BatchWindow::openHelp()
{
    emit helpRequested();
}
