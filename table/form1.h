#ifndef TALUNO2_FORM1_H
#define TALUNO2_FORM1_H

#include "batchengine.h"
#include "batchform.h"

#include <array>

class QLabel;

namespace Taluno2 {

// Taluno2's main window: the tally of a run as a frequency table of seven row pairs, each a
// row of headings over a row of count cells.
class Form1 : public BatchForm
{
    Q_OBJECT

public:
    static constexpr int lowestBin = -57;
    static constexpr int cellCount = binCountFor(lowestBin);

    explicit Form1(const Seams &seams, QWidget *parent = nullptr);

    // Count cell `dosu`(index), index 1 to cellCount; it shows bin `index` of the tally.
    QLabel *dosu(int index) const { return m_dosu.at(static_cast<std::size_t>(index - 1)); }

protected:
    void showCounts(const std::vector<int> &counts) override;
    void clearResults() override;

private:
    std::array<QLabel *, cellCount> m_dosu{};
};

} // namespace Taluno2

#endif
