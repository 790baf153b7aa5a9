#ifndef TALUNO3_FORM1_H
#define TALUNO3_FORM1_H

#include "batchform.h"

class PictureBox;

namespace Taluno3 {

// Taluno3's main window: the tally of a run as a bar graph in `Picture1`.
class Form1 : public BatchForm
{
    Q_OBJECT

public:
    static constexpr int lowestBin = -114;

    explicit Form1(const Seams &seams, QWidget *parent = nullptr);

    PictureBox *Picture1;

protected:
    // Draws over what the surface holds; only "初期化" clears it.
    void showCounts(const std::vector<int> &counts) override;
    void clearResults() override;
};

} // namespace Taluno3

#endif
