#ifndef TOSSWALK_H
#define TOSSWALK_H

#include "core/batchengine.h"
#include "core/programflow.h"

#include <optional>
#include <vector>

class Clock;
class RandomSource;

enum class CoinFace { Heads, Tails };

// Taluno1: one experiment of 100 tosses, toss by toss, and the three-timer automatic run that
// makes them. A run spins the coin, tosses it at the toss timer and starts the next cycle at
// the cycle timer, until 自動停止 or the 100th toss.
class TossWalk : public ProgramFlow
{
public:
    static constexpr int tossCount = TossControls::tossCount;
    static constexpr Rgb headsColour{0, 0, 255}; // palette colour 9
    static constexpr Rgb tailsColour{255, 0, 0}; // palette colour 12

    // The window starts as its layout gives it: heads up, the table empty, every timer stopped.
    TossWalk(ProgramView &view, RandomSource &random, Clock &clock);

    // Reseeds the random source from the time of day.
    void onActivated() override;
    void onClicked(int control) override;
    void onTick(int timer) override;

    // One toss, written into cell nextCell(); the 100th ends the run.
    void toss();
    // Starts a cycle: the coin spins until the toss timer, the next cycle comes with the cycle timer.
    void start();
    // Stops the run; the next start goes on at the next cell.
    void stop();
    // Back to an empty table and heads, ready to start at cell 1.
    void reset();
    // One frame of the spin: the other picture.
    void spin();

    CoinFace face() const { return m_face; }         // the latest toss
    int nextCell() const { return m_nextCell; }       // 1 to 100; stays 100 after the last toss
    int coinBalance() const { return m_coinBalance; } // heads minus tails since the reset
    std::string copyText() const override;
    // 折れ線グラフ: the walk as a line beside the table, growing with each toss, and its lowest point.
    void setExtraShown(Extra extra, bool shown) override;
    // c枚用意したら？ (while the walk shows): asks for a number of coins c and draws them on the walk, saying
    // whether they were enough so far; Cancel takes them away. お釣りの要る人の割合: asks for the share of
    // guests who need change; a new one starts the walk afresh. Both stay until changed.
    void chooseExtra(Extra extra) override;
    CoinFace spinFrame() const { return m_spinFrame; } // the picture the spin showed last
    Lesson lesson() const override;

protected:
    void applyLesson(const Lesson &lesson) override;

private:
    void setTimers(bool running);
    // c枚用意したら？: asks for the coins to draw on the walk.
    void askWalkCoins();
    void showWalk();

    RandomSource &m_random;
    Clock &m_clock;
    CoinFace m_face = CoinFace::Heads;
    int m_nextCell = 1;
    std::vector<bool> m_heads; // the faces tossed since the reset
    int m_coinBalance = 0;
    CoinFace m_spinFrame = CoinFace::Heads;
    bool m_walkShown = false;
    std::optional<int> m_walkCoins; // c枚用意したら？, drawn while set
    int m_changePercent = fairChangePercent;
};

#endif
