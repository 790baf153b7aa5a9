#include "kit/sidepanels.h"

#include "kit/fonts.h"
#include "kit/qtconvert.h"

#include <QLabel>

#include <algorithm>

int SidePanels::place(double scale, QPoint origin)
{
    qDeleteAll(m_labels);
    m_labels.clear();
    if (!m_place)
        return 0;
    const int margin = pixelsFromTwips(panelMargin, scale);
    QPoint at(pixelsFromTwips(m_place->left, scale), pixelsFromTwips(m_place->top, scale));
    int width = 0;
    for (const Panel &panel : m_shown) {
        auto *label = new QLabel(&m_window);
        label->setObjectName(QStringLiteral("sidePanel"));
        label->setFont(msPGothic(panel.points, panel.bold, scale));
        label->setTextFormat(Qt::RichText);
        label->setAutoFillBackground(true);
        label->setFrameStyle(QFrame::Box);
        label->setMargin(qRound(4 * scale));
        QString table = QStringLiteral("<b>%1</b><table cellspacing=0 cellpadding=%2>")
                            .arg(qtText(panel.table.heading).toHtmlEscaped())
                            .arg(qRound(4 * scale));
        for (const std::vector<std::string> &row : panel.table.rows) {
            table += QStringLiteral("<tr>");
            for (const std::string &cell : row)
                table += QStringLiteral("<td align=right>%1</td>").arg(qtText(cell).toHtmlEscaped());
            table += QStringLiteral("</tr>");
        }
        label->setText(table + QStringLiteral("</table>"));
        label->adjustSize();
        label->move(origin + at);
        label->show();
        at.ry() += label->height() + margin;
        width = std::max(width, at.x() + label->width() + margin);
        m_labels.push_back(label);
    }
    return width;
}
