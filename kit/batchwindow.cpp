#include "kit/batchwindow.h"

#include "kit/qtconvert.h"

#include <QLabel>

BatchWindow::BatchWindow(ProgramNumber program, const Seams &seams, QWidget *parent)
    : ProgramWindow(batchWindowLayout(program), seams, parent)
    , m_flow(*this, batchRules(program), seams.random, seams.clock)
{
    setFlow(m_flow);
    setAttribute(Qt::WA_DeleteOnClose);
}

void BatchWindow::showCoinsPanel(const std::vector<std::string> &lines)
{
    const PanelPlace &place = *layout().coinsPanel;
    if (lines.empty()) {
        if (m_coinsPanel)
            m_coinsPanel->hide();
        setFixedWidth(pixelsFromTwips(layout().width));
        return;
    }
    if (!m_coinsPanel) {
        m_coinsPanel = new QLabel(this);
        m_coinsPanel->setObjectName(QStringLiteral("coinsPanel"));
        m_coinsPanel->move(pixelsFromTwips(place.left), pixelsFromTwips(place.top));
        m_coinsPanel->setTextFormat(Qt::RichText);
        m_coinsPanel->setAutoFillBackground(true);
        m_coinsPanel->setFrameStyle(QFrame::Box);
        m_coinsPanel->setMargin(4);
    }
    QString table = QStringLiteral("<b>%1</b><table cellspacing=0 cellpadding=2>").arg(qtText(lines.front()).toHtmlEscaped());
    for (std::size_t row = 1; row < lines.size(); ++row) {
        table += QStringLiteral("<tr>");
        for (const QString &cell : qtText(lines[row]).split(QLatin1Char('\t')))
            table += QStringLiteral("<td align=right>%1</td>").arg(cell.toHtmlEscaped());
        table += QStringLiteral("</tr>");
    }
    m_coinsPanel->setText(table + QStringLiteral("</table>"));
    m_coinsPanel->adjustSize();
    m_coinsPanel->show();
    if (place.widensWindow) {
        setFixedWidth(m_coinsPanel->geometry().right() + 1 + pixelsFromTwips(panelMargin));
        keepOnScreen();
    }
}
