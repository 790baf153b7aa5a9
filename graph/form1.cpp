#include "form1.h"

#include "frequencygraph.h"
#include "picturebox.h"
#include "twips.h"

namespace Taluno3 {

Form1::Form1(const Seams &seams, QWidget *parent)
    : BatchForm(seams, BatchProgram{3, 8325, taluno3Rows(), lowestBin}, parent)
{
    Picture1 = new PictureBox(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setGeometry(twipsRect(120, 600, 8055, 5775));
    Picture1->setScale(graphWidth, graphHeight);
    Picture1->setFont(graphFont(font(), Picture1->contentsRect().width() / graphWidth));
    Picture1->setBackground(palette().color(QPalette::Button));
}

void Form1::showCounts(const std::vector<int> &counts)
{
    drawFrequencyGraph(*Picture1, counts);
}

void Form1::clearResults()
{
    Picture1->clear();
}

} // namespace Taluno3
