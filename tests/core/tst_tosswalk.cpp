#include "core/texts.h"
#include "core/tosswalk.h"
#include "recordingview.h"
#include "scriptedrandom.h"

#include <QTest>

#include <random>

using namespace TossControls;

// Taluno1's toss walk, driven as the window drives it, against a model of its button and timer
// table: after every click and tick the states, the coin and all 200 cells must be as the model says.
class TestTossWalk : public QObject
{
    Q_OBJECT

private slots:
    void walksAgainstItsModel();
};

namespace {

enum Event { Start, Stop, Reset, SpinTick, TossTick, CycleTick, Count };

struct Model
{
    // Enabled: 終了, HELP, 初期化, コイン止まる, 自動停止, 自動開始; then the three timers.
    std::vector<std::pair<int, bool>> buttons{{quitButton, true}, {helpButton, true},  {resetButton, true},
                                              {tossButton, false}, {stopButton, false}, {startButton, true}};
    std::vector<bool> timers = std::vector<bool>(3, false);
    std::vector<bool> heads; // the faces tossed since the reset

    void set(std::initializer_list<int> on, std::initializer_list<int> off)
    {
        for (auto &[button, enabled] : buttons) {
            enabled = std::find(on.begin(), on.end(), button) != on.end()
                || (enabled && std::find(off.begin(), off.end(), button) == off.end());
        }
    }
};

} // namespace

void TestTossWalk::walksAgainstItsModel()
{
    // Exactly one half is tails; the rest of the draws are spread evenly.
    std::mt19937 generator(20261207);
    std::vector<float> draws{0.5f, 0.0f, 0.4999999f};
    for (int i = 0; i < 997; ++i)
        draws.push_back(std::uniform_real_distribution<float>(0.0f, 1.0f)(generator));
    ScriptedRandom random(draws);
    FixedClock clock;
    RecordingView view(tossWindowLayout());
    TossWalk walk(view, random, clock);
    Model model;
    bool reached100 = false;

    clock.seconds = 3600.25;
    walk.onActivated();
    QCOMPARE(random.reseeds, std::vector<float>{3600.25f});

    for (int step = 0; step < 6000; ++step) {
        // First a whole run without a stop, then events at random, each only where the window allows it.
        const int event = step < 201 ? (step == 0 ? Start : step % 2 ? TossTick : CycleTick)
                                     : std::uniform_int_distribution<int>(0, Count * 3)(generator) % Count;
        const bool allowed[Count] = {view.enabled[startButton], view.enabled[stopButton] && step % 5 == 0,
                                     view.enabled[resetButton] && step % 7 == 0, view.timers[TossTimers::spin],
                                     view.timers[TossTimers::toss], view.timers[TossTimers::nextCycle]};
        if (event >= Count || !allowed[event])
            continue;
        if (event == Start || event == CycleTick) {
            event == Start ? walk.onClicked(startButton) : walk.onTick(TossTimers::nextCycle);
            model.set({tossButton, stopButton}, {quitButton, helpButton, resetButton, startButton});
            model.timers.assign(3, true);
        } else if (event == Stop) {
            walk.onClicked(stopButton);
            model.set({quitButton, helpButton, resetButton, stopButton, startButton}, {});
            model.timers.assign(3, false);
        } else if (event == Reset) {
            walk.onClicked(resetButton);
            QCOMPARE(view.cues.back(), Cue::Pinpon);
            model.heads.clear();
            model.set({quitButton, startButton}, {tossButton});
            model.timers.assign(3, false);
        } else if (event == SpinTick) {
            walk.onTick(TossTimers::spin);
        } else {
            model.heads.push_back(draws[random.drawn % draws.size()] < 0.5f);
            walk.onTick(TossTimers::toss);
            model.set({resetButton, startButton}, {tossButton});
            model.timers[TossTimers::spin] = model.timers[TossTimers::toss] = false;
            if (model.heads.size() == tossCount) {
                model.set({quitButton}, {startButton, stopButton});
                model.timers.assign(3, false);
                reached100 = true;
            }
        }

        const QByteArray where = "step " + QByteArray::number(step);
        for (const auto &[button, on] : model.buttons)
            QVERIFY2(view.enabled[button] == on, where + " button row " + QByteArray::number(button));
        QVERIFY2(view.timers == model.timers, where);
        QVERIFY(!view.visible[tossButton]);
        QVERIFY(view.visible[headsCoin] != view.visible[tailsCoin]);
        // After a toss the coin shows the face tossed; after a reset, heads.
        if (event == TossTick || event == Reset)
            QCOMPARE(bool(view.visible[headsCoin]), model.heads.empty() || model.heads.back());
        int balance = 0;
        for (int cell = 1; cell <= tossCount; ++cell) {
            const auto k = static_cast<std::size_t>(cell - 1);
            const bool tossed = k < model.heads.size();
            balance += tossed ? (model.heads[k] ? 1 : -1) : 0;
            QCOMPARE(view.texts[resultCell(cell)], std::string(!tossed ? "" : model.heads[k] ? headsText : tailsText));
            QCOMPARE(view.texts[balanceCell(cell)], tossed ? std::to_string(balance) : std::string());
            if (tossed)
                QVERIFY(view.colours[resultCell(cell)] == (model.heads[k] ? TossWalk::headsColour : TossWalk::tailsColour));
        }
        QCOMPARE(walk.coinBalance(), balance);
    }
    QVERIFY(reached100);
}

QTEST_GUILESS_MAIN(TestTossWalk)
#include "tst_tosswalk.moc"
