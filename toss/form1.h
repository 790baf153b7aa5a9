#ifndef TALUNO1_FORM1_H
#define TALUNO1_FORM1_H

#include "form.h"
#include "seams.h"
#include "tossexperiment.h"
#include "tossview.h"

#include <QPointer>

#include <array>

class Form2;
class QLabel;
class QPushButton;
class QTimer;

namespace Taluno1 {

class CoinImage;

// Taluno1's main window: the buttons, the 100-toss result table in six bands and the coin,
// driven by its three timers.
class Form1 : public Form, private TossView
{
    Q_OBJECT

public:
    explicit Form1(const Seams &seams, QWidget *parent = nullptr);

    // Cells of toss n (1 to 100): its heading, its face and the balance after it.
    QLabel *Lab(int n) const { return m_lab.at(n - 1); }
    QLabel *Labme(int n) const { return m_labme.at(n - 1); }
    QLabel *tm(int n) const { return m_tm.at(n - 1); }
    // Coin picture k: 1 heads, 2 tails.
    CoinImage *coin(int k) const { return m_coin.at(k - 1); }
    const TossExperiment &experiment() const { return m_experiment; }

    QPushButton *Command1; // コイン止まる, never shown
    QPushButton *Command2; // 初期化
    QPushButton *Command3; // 終了
    QPushButton *Command4; // 自動開始
    QPushButton *Command5; // 自動停止
    QPushButton *Command6; // HELP
    QLabel *Label1;
    QTimer *Timer1;        // spin
    QTimer *Timer2;        // the toss
    QTimer *Timer3;        // next cycle

protected:
    void Form_Activate() override;

private:
    void Command3_Click();
    void Command6_Click();

    void setResultText(int cell, const QString &text) override;
    void setResultColour(int cell, const QColor &colour) override;
    void setBalanceText(int cell, const QString &text) override;
    void setCoinVisible(int picture, bool visible) override;
    void setButtonEnabled(Button button, bool enabled) override;
    void setTimerRunning(Timer timer, bool running) override;
    void playCue(const QString &fileName) override;

    Seams m_seams;
    std::array<QLabel *, TossExperiment::tossCount> m_lab;
    std::array<QLabel *, TossExperiment::tossCount> m_labme;
    std::array<QLabel *, TossExperiment::tossCount> m_tm;
    std::array<CoinImage *, 2> m_coin;
    TossExperiment m_experiment;
    QPointer<Form2> m_help;
};

} // namespace Taluno1

#endif
