#include "form1.h"

#include "controls.h"
#include "fonts.h"
#include "twips.h"

#include <QLabel>

namespace Taluno2 {

namespace {

constexpr int columns = 9;
constexpr int pairs = (Form1::cellCount + columns - 1) / columns;
// The layout numbers pair 1's labels apart from those of the later pairs.
constexpr int rowTitleNumber[pairs] = {5, 16, 18, 20, 22, 24, 26};
constexpr int firstHeadingNumber[pairs] = {7, 28, 37, 46, 55, 64, 73};

std::array<QString, Form1::cellCount> headingCaptions()
{
    std::array<QString, Form1::cellCount> captions;
    for (int value = Form1::lowestBin; value <= highestSingleValue; ++value)
        captions[static_cast<std::size_t>(binOf(value, Form1::lowestBin) - 1)] = QString::number(value);
    captions.front() = QStringLiteral("～  ") + QString::number(Form1::lowestBin);
    captions.back() = QString::number(highestSingleValue) + QStringLiteral("  ～");
    return captions;
}

QString labelName(int number)
{
    return QStringLiteral("Label%1").arg(number);
}

} // namespace

Form1::Form1(const Seams &seams, QWidget *parent)
    : BatchForm(seams, BatchProgram{2, 8295, taluno2Rows(), lowestBin}, parent)
{
    const QFont tableFont = msPGothic(14.25);
    const QColor white(255, 255, 255);
    const auto captions = headingCaptions();

    for (int pair = 0; pair < pairs; ++pair) {
        const int top = 600 + 840 * pair;
        addLabel(this, labelName(rowTitleNumber[pair]), QStringLiteral("不足枚数"), twipsRect(240, top, 1335, 375),
                 tableFont);
        addLabel(this, labelName(rowTitleNumber[pair] + 1), QStringLiteral("度　　数"),
                 twipsRect(240, top + 360, 1335, 375), tableFont);
        for (int column = 0; column < columns; ++column) {
            const int index = pair * columns + column + 1;
            const int left = 1560 + 720 * column;
            const bool endBin = index == 1 || index == cellCount;
            const QString &heading = captions[static_cast<std::size_t>(index - 1)];
            addLabel(this, labelName(firstHeadingNumber[pair] + column), heading, twipsRect(left, top, 735, 375),
                     endBin ? font() : tableFont);
            QLabel *cell = addLabel(this, QStringLiteral("dosu_%1").arg(index), QString(),
                                    twipsRect(left, top + 360, 735, 375), tableFont, white);
            // A count read out alone does not say which shortage it counts.
            cell->setAccessibleDescription(QStringLiteral("不足枚数 %1 の度数").arg(heading));
            m_dosu[static_cast<std::size_t>(index - 1)] = cell;
        }
    }
}

void Form1::showCounts(const std::vector<int> &counts)
{
    Q_ASSERT(counts.size() == m_dosu.size());
    for (std::size_t i = 0; i < m_dosu.size() && i < counts.size(); ++i)
        m_dosu[i]->setText(QString::number(counts[i]));
}

void Form1::clearResults()
{
    for (QLabel *cell : m_dosu)
        cell->clear();
}

} // namespace Taluno2
