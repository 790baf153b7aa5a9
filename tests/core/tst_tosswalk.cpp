#include "core/texts.h"
#include "core/tosswalk.h"
#include "recordingview.h"
#include "scriptedrandom.h"

#include <QTest>

#include <map>
#include <random>

using namespace TossControls;

// Taluno1's toss walk, driven as the window drives it, against a model of its button and timer
// table: after every click and tick the states, the coin and all 200 cells must be as the model says.
class TestTossWalk : public QObject
{
    Q_OBJECT

private slots:
    void walksAgainstItsModel();
    void activationReseedsFromTheClock();
    void quitAndHelp_data();
    void quitAndHelp();
};

namespace {

enum Event { Start, Stop, Reset, SpinTick, TossTick, CycleTick, Activate, Count };

// What the state table says: the buttons in the order 終了, HELP, 初期化, コイン止まる, 自動停止,
// 自動開始, then the timers.
struct Model
{
    std::map<int, bool> buttons{{quitButton, true}, {helpButton, true},  {resetButton, true},
                                {tossButton, false}, {stopButton, false}, {startButton, true}};
    bool timers[3] = {false, false, false};
    std::vector<bool> heads; // the faces tossed since the reset

    void start()
    {
        for (auto &[button, on] : buttons)
            on = button == tossButton || button == stopButton;
        timers[0] = timers[1] = timers[2] = true;
    }
    void toss(bool isHeads)
    {
        heads.push_back(isHeads);
        buttons[tossButton] = false;
        buttons[resetButton] = buttons[startButton] = true;
        timers[TossTimers::spin] = timers[TossTimers::toss] = false;
        if (heads.size() == tossCount) {
            buttons[quitButton] = true;
            buttons[startButton] = buttons[stopButton] = false;
            timers[TossTimers::nextCycle] = false;
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
    int tosses = 0;
    bool reached100 = false;

    for (int step = 0; step < 6000; ++step) {
        // First a whole run without a stop, then events at random, each only where the window allows it.
        const int event = step < 201 ? (step == 0 ? Start : step % 2 ? TossTick : CycleTick)
                                     : std::uniform_int_distribution<int>(0, Count * 3)(generator) % Count;
        switch (event) {
        case Start:
            if (!view.enabled[startButton])
                continue;
            walk.onClicked(startButton);
            model.start();
            break;
        case Stop:
            if (!view.enabled[stopButton] || step % 5)
                continue;
            walk.onClicked(stopButton);
            for (auto &[button, on] : model.buttons)
                on = on || button != tossButton;
            model.timers[0] = model.timers[1] = model.timers[2] = false;
            break;
        case Reset:
            if (!view.enabled[resetButton] || step % 7)
                continue;
            walk.onClicked(resetButton);
            model.heads.clear();
            model.buttons[tossButton] = false;
            model.buttons[quitButton] = model.buttons[startButton] = true;
            model.timers[0] = model.timers[1] = model.timers[2] = false;
            QCOMPARE(view.cues.back(), Cue::Pinpon);
            break;
        case SpinTick:
            if (!view.timers[TossTimers::spin])
                continue;
            walk.onTick(TossTimers::spin);
            break;
        case TossTick: {
            if (!view.timers[TossTimers::toss])
                continue;
            const float draw = draws[random.drawn % draws.size()];
            walk.onTick(TossTimers::toss);
            model.toss(draw < 0.5f);
            ++tosses;
            break;
        }
        case CycleTick:
            if (!view.timers[TossTimers::nextCycle])
                continue;
            walk.onTick(TossTimers::nextCycle);
            model.start();
            break;
        default:
            continue;
        }

        for (const auto &[button, on] : model.buttons)
            QVERIFY2(view.enabled[button] == on, qPrintable(QStringLiteral("step %1: button row %2").arg(step).arg(button)));
        for (int timer = 0; timer < 3; ++timer)
            QVERIFY2(view.timers[timer] == model.timers[timer], qPrintable(QStringLiteral("step %1: timer %2").arg(step).arg(timer)));
        QVERIFY(!view.visible[tossButton]);
        QVERIFY(view.visible[headsCoin] != view.visible[tailsCoin]);
        int balance = 0;
        for (int cell = 1; cell <= tossCount; ++cell) {
            const auto k = static_cast<std::size_t>(cell - 1);
            if (k < model.heads.size()) {
                balance += model.heads[k] ? 1 : -1;
                QCOMPARE(view.texts[resultCell(cell)], std::string(model.heads[k] ? headsText : tailsText));
                QVERIFY(view.colours[resultCell(cell)] == (model.heads[k] ? TossWalk::headsColour : TossWalk::tailsColour));
                QCOMPARE(view.texts[balanceCell(cell)], std::to_string(balance));
            } else {
                QCOMPARE(view.texts[resultCell(cell)], std::string());
                QCOMPARE(view.texts[balanceCell(cell)], std::string());
            }
        }
        QCOMPARE(walk.coinBalance(), balance);
        QCOMPARE(walk.nextCell(), std::min(int(model.heads.size()) + 1, tossCount));
        // After a toss the coin shows the face tossed; after a reset, heads.
        if (event == TossTick)
            QCOMPARE(bool(view.visible[headsCoin]), bool(model.heads.back()));
        if (event == Reset)
            QVERIFY(view.visible[headsCoin]);
        reached100 = reached100 || model.heads.size() == tossCount;
    }
    QVERIFY(reached100);
    QVERIFY(tosses > 500);
}

void TestTossWalk::activationReseedsFromTheClock()
{
    ScriptedRandom random;
    FixedClock clock;
    RecordingView view(tossWindowLayout());
    TossWalk walk(view, random, clock);
    clock.seconds = 3600.25;
    walk.onActivated();
    clock.seconds = 7200.5;
    walk.onActivated();
    QCOMPARE(random.reseeds, (std::vector<float>{3600.25f, 7200.5f}));
}

void TestTossWalk::quitAndHelp_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<Cue>("cue");
    QTest::addColumn<int>("ends");
    QTest::addColumn<int>("helpOpened");
    QTest::newRow("終了, はい: the program ends") << quitButton << QStringList{"yes"} << Cue::EndPinpon << 1 << 0;
    QTest::newRow("終了, いいえ: nothing changes") << quitButton << QStringList{"no"} << Cue::EndPinpon << 0 << 0;
    QTest::newRow("HELP opens the help window") << helpButton << QStringList{} << Cue::Pinpon << 0 << 1;
}

void TestTossWalk::quitAndHelp()
{
    QFETCH(int, button);
    QFETCH(QStringList, answers);
    QFETCH(Cue, cue);
    QFETCH(int, ends);
    QFETCH(int, helpOpened);
    ScriptedRandom random;
    FixedClock clock;
    RecordingView view(tossWindowLayout());
    TossWalk walk(view, random, clock);
    walk.onClicked(button);
    QCOMPARE(view.cues, std::vector<Cue>{cue});
    QCOMPARE(view.asked.size(), std::size_t(answers.size()));
    if (!answers.isEmpty()) {
        QCOMPARE(view.asked[0].text, std::string(quitQuestion));
        QCOMPARE(view.asked[0].title, std::string(quitTitle));
        QVERIFY(!view.asked[0].input);
    }
    view.answer(walk, answers);
    QVERIFY(!walk.waiting());
    QCOMPARE(view.ends, ends);
    QCOMPARE(view.helpOpened, helpOpened);
    QCOMPARE(view.enabled, RecordingView(tossWindowLayout()).enabled);
}

QTEST_GUILESS_MAIN(TestTossWalk)
#include "tst_tosswalk.moc"
