#ifndef TOSSEXPERIMENT_H
#define TOSSEXPERIMENT_H

#include <QString>
#include <QtGlobal>

#include <array>

class Clock;
class RandomSource;

namespace Taluno1 {

class TossView;

// One experiment of 100 tosses, toss by toss, and the three-timer automatic run that makes
// them. Its handlers are the main window's; what they change on screen goes through the view.
class TossExperiment
{
public:
    static constexpr int tossCount = 100;

    TossExperiment(TossView &view, RandomSource &random, Clock &clock);

    void Form_Load();
    // Reseeds the random source from the time of day.
    void Form_Activate();
    // One toss, written into cell tossIndex; the 100th ends the run.
    void Command1_Click();
    // Back to an empty table and heads, ready to start at cell 1.
    void Command2_Click();
    // Starts a cycle: the coin spins until Timer2, the next cycle comes with Timer3.
    void Command4_Click();
    // Stops the run; the next start goes on at the next cell.
    void Command5_Click();
    void Timer1_Timer();
    void Timer2_Timer();
    void Timer3_Timer();

    // The experiment state, as the handlers leave it.
    qint16 face = 0;          // latest toss: 1 heads, 2 tails
    qint16 tossIndex = 0;     // the cell the next toss writes
    qint16 coinBalance = 0;   // heads minus tails so far
    qint16 spinFrame = 0;     // the picture the spin showed last
    std::array<QString, 3> faceText;

private:
    TossView &m_view;
    RandomSource &m_random;
    Clock &m_clock;
};

} // namespace Taluno1

#endif
