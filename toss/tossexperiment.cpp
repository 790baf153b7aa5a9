#include "tossexperiment.h"

#include "clock.h"
#include "randomsource.h"
#include "tossview.h"

#include <QColor>

namespace Taluno1 {

namespace {
const QColor headsColour(0, 0, 255); // palette colour 9
const QColor tailsColour(255, 0, 0); // palette colour 12
using Button = TossView::Button;
using Timer = TossView::Timer;
}

TossExperiment::TossExperiment(TossView &view, RandomSource &random, Clock &clock)
    : m_view(view)
    , m_random(random)
    , m_clock(clock)
{
}

void TossExperiment::Form_Load()
{
    tossIndex = 1;
    spinFrame = 1;
    face = 1;
    coinBalance = 0;
    faceText = {QString(), QStringLiteral("表"), QStringLiteral("裏")};
}

void TossExperiment::Form_Activate()
{
    m_random.reseed(static_cast<float>(m_clock.secondsSinceMidnight()));
}

void TossExperiment::Command1_Click()
{
    m_view.setButtonEnabled(Button::Command1, false);
    m_view.setButtonEnabled(Button::Command2, true);
    m_view.setButtonEnabled(Button::Command4, true);
    m_view.setCoinVisible(1, false);
    m_view.setCoinVisible(2, false);

    // floor(2r) + 1 for r in [0, 1), and still a face should a source ever give 1.
    face = m_random.next() < 0.5f ? 1 : 2;
    if (face == 1) {
        m_view.setResultColour(tossIndex, headsColour);
        ++coinBalance;
    } else {
        m_view.setResultColour(tossIndex, tailsColour);
        --coinBalance;
    }
    m_view.setBalanceText(tossIndex, QString::number(coinBalance));
    m_view.setResultText(tossIndex, faceText[face]);
    m_view.setCoinVisible(face, true);

    if (tossIndex < tossCount) {
        ++tossIndex;
    } else {
        m_view.setButtonEnabled(Button::Command3, true);
        m_view.setButtonEnabled(Button::Command4, false);
        m_view.setButtonEnabled(Button::Command5, false);
        m_view.setTimerRunning(Timer::Timer1, false);
        m_view.setTimerRunning(Timer::Timer2, false);
        m_view.setTimerRunning(Timer::Timer3, false);
    }
    m_view.setTimerRunning(Timer::Timer1, false);
}

void TossExperiment::Command2_Click()
{
    m_view.playCue(QStringLiteral("pinpon.wav"));
    coinBalance = 0;
    face = 1;
    spinFrame = 1;
    tossIndex = 1;
    m_view.setCoinVisible(1, false);
    m_view.setCoinVisible(2, false);
    m_view.setCoinVisible(face, true);
    for (int cell = 1; cell <= tossCount; ++cell) {
        // The colours stay: a toss sets its cell's colour before it writes the face.
        m_view.setResultText(cell, QString());
        m_view.setBalanceText(cell, QString());
    }
    m_view.setButtonEnabled(Button::Command1, false);
    m_view.setButtonEnabled(Button::Command3, true);
    m_view.setButtonEnabled(Button::Command4, true);
    m_view.setTimerRunning(Timer::Timer1, false);
    m_view.setTimerRunning(Timer::Timer2, false);
    m_view.setTimerRunning(Timer::Timer3, false);
}

void TossExperiment::Command4_Click()
{
    m_view.setButtonEnabled(Button::Command1, true);
    m_view.setButtonEnabled(Button::Command5, true);
    m_view.setButtonEnabled(Button::Command2, false);
    m_view.setButtonEnabled(Button::Command3, false);
    m_view.setButtonEnabled(Button::Command4, false);
    m_view.setButtonEnabled(Button::Command6, false);
    m_view.setTimerRunning(Timer::Timer1, true);
    m_view.setTimerRunning(Timer::Timer2, true);
    m_view.setTimerRunning(Timer::Timer3, true);
}

void TossExperiment::Command5_Click()
{
    m_view.setTimerRunning(Timer::Timer1, false);
    m_view.setTimerRunning(Timer::Timer2, false);
    m_view.setTimerRunning(Timer::Timer3, false);
    m_view.setButtonEnabled(Button::Command2, true);
    m_view.setButtonEnabled(Button::Command3, true);
    m_view.setButtonEnabled(Button::Command4, true);
    m_view.setButtonEnabled(Button::Command5, true);
    m_view.setButtonEnabled(Button::Command6, true);
}

void TossExperiment::Timer1_Timer()
{
    m_view.setCoinVisible(spinFrame, false);
    spinFrame = spinFrame == 1 ? 2 : 1;
    m_view.setCoinVisible(spinFrame, true);
}

void TossExperiment::Timer2_Timer()
{
    Command1_Click();
    m_view.setTimerRunning(Timer::Timer1, false);
    m_view.setTimerRunning(Timer::Timer2, false);
}

void TossExperiment::Timer3_Timer()
{
    Command4_Click();
}

} // namespace Taluno1
