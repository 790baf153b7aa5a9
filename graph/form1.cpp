#include "form1.h"

#include "batchengine.h"
#include "frequencygraph.h"
#include "picturebox.h"
#include "twips.h"

#include <QStringList>

#include <algorithm>
#include <numeric>

namespace Taluno3 {

namespace {

const QString noGraph = QStringLiteral("グラフなし");

// The shortage that bin `bin` (0-based) of `bins` counts, as a pupil would say it.
QString shortageOfBin(std::size_t bin, std::size_t bins)
{
    if (bin == 0)
        return QStringLiteral("%1 以下").arg(Form1::lowestBin - 1);
    if (bin + 1 == bins)
        return QStringLiteral("%1 以上").arg(highestSingleValue + 1);
    return QString::number(Form1::lowestBin + static_cast<int>(bin) - 1);
}

// What the bars show, for those who cannot see them.
QString summary(const std::vector<int> &counts)
{
    const int total = std::accumulate(counts.begin(), counts.end(), 0);
    QString text = QStringLiteral("%1 回の実験の度数分布。").arg(total);
    if (total == 0)
        return text;
    const int most = *std::max_element(counts.begin(), counts.end());
    QStringList modes;
    std::size_t first = counts.size();
    std::size_t last = 0;
    for (std::size_t bin = 0; bin < counts.size(); ++bin) {
        if (counts[bin] == 0)
            continue;
        first = std::min(first, bin);
        last = bin;
        if (counts[bin] == most)
            modes << shortageOfBin(bin, counts.size());
    }
    text += (modes.size() == 1 ? QStringLiteral("最も多い不足枚数は %1 で %2 回。")
                               : QStringLiteral("最も多い不足枚数は %1 で、各 %2 回。"))
                .arg(modes.join(QStringLiteral(" と ")), QString::number(most));
    text += first == last ? QStringLiteral("不足枚数はすべて %1。").arg(shortageOfBin(first, counts.size()))
                          : QStringLiteral("不足枚数は %1 から %2 まで。")
                                .arg(shortageOfBin(first, counts.size()), shortageOfBin(last, counts.size()));
    return text;
}

} // namespace

Form1::Form1(const Seams &seams, QWidget *parent)
    : BatchForm(seams, BatchProgram{3, 8325, taluno3Rows(), lowestBin}, parent)
{
    Picture1 = new PictureBox(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setGeometry(twipsRect(120, 600, 8055, 5775));
    Picture1->setScale(graphWidth, graphHeight);
    Picture1->setFont(graphFont(font(), Picture1->contentsRect().width() / graphWidth));
    Picture1->setBackground(palette().color(QPalette::Button));
    // The bars are only painted: a screen reader reads them from here.
    Picture1->setAccessibleName(QStringLiteral("度数分布グラフ"));
    Picture1->setAccessibleDescription(noGraph);
}

void Form1::showCounts(const std::vector<int> &counts)
{
    drawFrequencyGraph(*Picture1, counts);
    Picture1->setAccessibleDescription(summary(counts));
}

void Form1::clearResults()
{
    Picture1->clear();
    Picture1->setAccessibleDescription(noGraph);
}

} // namespace Taluno3
