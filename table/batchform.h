#ifndef BATCHFORM_H
#define BATCHFORM_H

#include "form.h"
#include "seams.h"
#include "settingsprompt.h"

#include <vector>

class QLabel;
class QPushButton;

// What sets Taluno2's and Taluno3's main windows apart, besides their results area.
struct BatchProgram
{
    int number;         // 2 or 3
    int clientWidth;    // twips
    SettingRows rows;
    int lowestBin;      // lowest single-value bin of the tally
};

// The main window of Taluno2 and Taluno3 but for its results area: the button row, the
// title, the settings and the mean, and the handlers they share. Subclasses show the counts.
class BatchForm : public Form
{
    Q_OBJECT

public:
    BatchForm(const Seams &seams, const BatchProgram &program, QWidget *parent = nullptr);

    int guestCount() const { return m_guestCount; }
    int experimentCount() const { return m_experimentCount; }

    QPushButton *Command1; // 実験開始
    QPushButton *Command2; // 終了
    QPushButton *Command3; // 初期化
    QPushButton *Command4; // HELP
    QLabel *Label84;       // title
    QLabel *Label83;
    QLabel *Label82;       // guest count
    QLabel *Label1;
    QLabel *Label2;        // experiment count
    QLabel *Label4;
    QLabel *Label3;        // mean shortage

protected:
    void Form_Activate() override;

    // Shows the tally of a run, bin 1 first.
    virtual void showCounts(const std::vector<int> &counts) = 0;
    // Empties the results area; the first thing "初期化" clears.
    virtual void clearResults() = 0;

private:
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void askSettings();

    Seams m_seams;
    BatchProgram m_program;
    int m_guestCount = 0;
    int m_experimentCount = 0;
    bool m_running = false;
};

#endif
