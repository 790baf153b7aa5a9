#include "core/texts.h"
#include "core/tosswalk.h"
#include "core/walkgraph.h"
#include "recordingview.h"
#include "scriptedrandom.h"

#include <QTest>

#include <map>
#include <random>

namespace {

enum Event { Start, Stop, Reset, SpinTick, TossTick, CycleTick, Count };
using Segment = std::tuple<double, double, double, double>;

} // namespace

// Taluno1 behind its face: the walk toss by toss against a model of its buttons and timers, and the walk
// as a line with its lowest point so far.
class TestTossWalk : public QObject
{
    Q_OBJECT

private slots:
    // Events at random, each only where the window allows it, after a whole run without a stop.
    void walksAgainstItsModel()
    {
        using namespace TossControls;
        std::mt19937 generator(20261207);
        std::vector<float> draws{0.5f, 0.0f, 0.4999999f}; // exactly one half is tails
        for (int i = 0; i < 997; ++i)
            draws.push_back(std::uniform_real_distribution<float>(0.0f, 1.0f)(generator));
        ScriptedRandom random(draws);
        FixedClock clock;
        clock.seconds = 3600.25;
        RecordingView view(tossWindowLayout());
        TossWalk walk(view, random, clock);
        walk.onActivated();
        QCOMPARE(random.reseeds, std::vector<float>{3600.25f});
        // The model: the buttons enabled, the timers running and the faces tossed since the reset.
        std::map<int, bool> enabled{{quitButton, true}, {helpButton, true}, {resetButton, true},
                                    {tossButton, false}, {stopButton, false}, {startButton, true}};
        const auto set = [&enabled](std::initializer_list<int> on, std::initializer_list<int> off) {
            for (const int button : on)
                enabled[button] = true;
            for (const int button : off)
                enabled[button] = false;
        };
        std::vector<bool> timers(3, false), heads;
        bool reached100 = false;
        for (int step = 0; step < 6000; ++step) {
            const int event = step < 201 ? (step == 0 ? Start : step % 2 ? TossTick : CycleTick)
                                         : std::uniform_int_distribution<int>(0, Count * 3)(generator) % Count;
            const bool allowed[Count] = {view.enabled[startButton], view.enabled[stopButton] && step % 5 == 0,
                                         view.enabled[resetButton] && step % 7 == 0, view.timers[TossTimers::spin],
                                         view.timers[TossTimers::toss], view.timers[TossTimers::nextCycle]};
            if (event >= Count || !allowed[event])
                continue;
            if (event == Start || event == CycleTick) {
                event == Start ? walk.onClicked(startButton) : walk.onTick(TossTimers::nextCycle);
                set({tossButton, stopButton}, {quitButton, helpButton, resetButton, startButton});
                timers.assign(3, true);
            } else if (event == Stop) {
                walk.onClicked(stopButton);
                set({quitButton, helpButton, resetButton, stopButton, startButton}, {});
                timers.assign(3, false);
            } else if (event == Reset) {
                walk.onClicked(resetButton);
                QCOMPARE(view.cues.back(), Cue::Pinpon);
                heads.clear();
                set({quitButton, startButton}, {tossButton});
                timers.assign(3, false);
            } else if (event == SpinTick) {
                walk.onTick(TossTimers::spin);
            } else {
                heads.push_back(draws[random.drawn % draws.size()] < 0.5f);
                walk.onTick(TossTimers::toss);
                set({resetButton, startButton}, {tossButton});
                timers[TossTimers::spin] = timers[TossTimers::toss] = false;
                if (heads.size() == tossCount) {
                    set({quitButton}, {startButton, stopButton});
                    timers.assign(3, false);
                    reached100 = true;
                }
            }

            const QByteArray where = "step " + QByteArray::number(step);
            for (const auto &[button, on] : enabled)
                QVERIFY2(view.enabled[button] == on, where + " button row " + QByteArray::number(button));
            QVERIFY2(view.timers == timers && !view.visible[tossButton] && view.visible[headsCoin] != view.visible[tailsCoin], where);
            // After a toss the coin shows the face tossed; after a reset, heads.
            if (event == TossTick || event == Reset)
                QCOMPARE(bool(view.visible[headsCoin]), heads.empty() || heads.back());
            int balance = 0;
            for (std::size_t k = 0; k < tossCount; ++k) {
                const bool tossed = k < heads.size();
                balance += tossed ? (heads[k] ? 1 : -1) : 0;
                QCOMPARE(view.texts[resultCell(int(k) + 1)], std::string(!tossed ? "" : heads[k] ? headsText : tailsText));
                QCOMPARE(view.texts[balanceCell(int(k) + 1)], tossed ? std::to_string(balance) : std::string());
                QVERIFY(!tossed || view.colours[resultCell(int(k) + 1)] == (heads[k] ? TossWalk::headsColour : TossWalk::tailsColour));
            }
        }
        QVERIFY(reached100);
    }

    // 折れ線グラフ: beside the table, in a window that widens for it; drawn afresh and told at each toss.
    void walkLine()
    {
        using namespace TossControls;
        ScriptedRandom random({0.7f, 0.7f, 0.2f}); // tails, tails, heads
        FixedClock clock;
        RecordingView view(tossWindowLayout());
        TossWalk walk(view, random, clock);
        QVERIFY(!view.visible[walkGraph] && !view.visible[lowestSoFarLabel]);
        walk.setExtraShown(Extra::WalkLine, true);
        const Control &graph = tossWindowLayout().controls[walkGraph];
        QVERIFY(view.visible[walkGraph] && view.visible[lowestSoFarLabel]);
        QCOMPARE(view.windowWidth, graph.left + graph.width + panelMargin);
        QCOMPARE(view.texts[lowestSoFarLabel], std::string("ここまでの最低：—"));
        for (int toss = 0; toss < 3; ++toss)
            walk.toss();
        QCOMPARE(view.texts[lowestSoFarLabel], std::string("ここまでの最低：−2（2枚必要）"));
        QCOMPARE(view.descriptions[walkGraph], std::string("3 回投げて釣り銭枚数は -1。ここまでの最低：−2（2枚必要）"));
        const auto &strokes = view.drawing.strokes;
        const auto last = std::find_if(strokes.rbegin(), strokes.rend(), [](const auto &s) { return s.kind == "clear"; });
        RecordingSurface again;
        drawWalk(again, {false, false, true});
        QCOMPARE(std::size_t(last - strokes.rbegin()), again.strokes.size());
        walk.setExtraShown(Extra::WalkLine, false);
        QVERIFY(!view.visible[walkGraph] && !view.visible[lowestSoFarLabel]);
        QCOMPARE(view.windowWidth, tossWindowLayout().width);
    }

    void drawsTheWalk()
    {
        // Tails, tails, heads: 0, -1, -2, -1 on an axis from -10 to 10 over 80 units from y 6.
        RecordingSurface surface;
        drawWalk(surface, {false, false, true});
        const auto y = [](int balance) { return 6 + (10 - balance) * 80 / 20.0; };
        std::vector<Segment> blue, red;
        std::vector<std::pair<double, std::string>> texts;
        std::vector<double> halfDigit; // how far each number starts left of its line, per digit: all alike
        for (const auto &stroke : surface.strokes) {
            const auto ends = std::tuple(stroke.x1, stroke.y1, stroke.x2, stroke.y2);
            if (stroke.colour == Rgb{0, 0, 255})
                blue.push_back(ends);
            if (stroke.colour == Rgb{255, 0, 0})
                red.push_back(ends);
            if (stroke.kind == "text")
                texts.emplace_back(stroke.y1, stroke.text);
            if (stroke.kind == "text" && stroke.y1 == 87)
                halfDigit.push_back((walkX(std::stoi(stroke.text)) - stroke.x1) / static_cast<double>(stroke.text.size()));
        }
        // A thick line: each step drawn twice, a screen pixel apart.
        const double pixel = 100.0 / 360;
        QCOMPARE(blue, (std::vector<Segment>{{8, y(0), 9, y(-1)}, {8, y(0) + pixel, 9, y(-1) + pixel}, {9, y(-1), 10, y(-2)},
                                             {9, y(-1) + pixel, 10, y(-2) + pixel}, {10, y(-2), 11, y(-1)},
                                             {10, y(-2) + pixel, 11, y(-1) + pixel}}));
        // The lowest so far: a red line across at -2, and a square on toss 2.
        QCOMPARE(red, (std::vector<Segment>{{8, y(-2), 108, y(-2)}, {9, y(-2) - 1.5, 11, y(-2) + 1.5}}));
        // The axis numbers: -10, 0 and 10 at their grid lines, then each count of tosses under the axis,
        // centred on its grid line.
        QCOMPARE(halfDigit.size(), 6u);
        for (const double each : halfDigit)
            QVERIFY(std::abs(each - halfDigit.front()) < 1e-9 && each > 0);
        QCOMPARE(texts, (std::vector<std::pair<double, std::string>>{{y(-10) - 2, "-10"}, {y(0) - 2, "0"}, {y(10) - 2, "10"},
                                                                    {87, "0"}, {87, "20"}, {87, "40"}, {87, "60"}, {87, "80"}, {87, "100"}}));
        // A walk beyond the range widens it by tens.
        QCOMPARE(walkRange(std::vector<bool>(25, false)), std::pair(-30, 10));
        QCOMPARE(walkRange(std::vector<bool>(11, true)), std::pair(-10, 20));
    }

    void saysTheLowestSoFar_data()
    {
        QTest::addColumn<std::vector<bool>>("heads");
        QTest::addColumn<QString>("text");
        QTest::newRow("before a toss") << std::vector<bool>{} << "ここまでの最低：—";
        QTest::newRow("heads first: 1, no coin needed") << std::vector<bool>{true} << "ここまでの最低：1（0枚で足りる）";
        QTest::newRow("back to 0: none needed") << std::vector<bool>{true, false} << "ここまでの最低：0（0枚で足りる）";
        QTest::newRow("down to -2 and up: 2 needed") << std::vector<bool>{false, false, true} << "ここまでの最低：−2（2枚必要）";
    }

    void saysTheLowestSoFar()
    {
        QFETCH(std::vector<bool>, heads);
        QFETCH(QString, text);
        QCOMPARE(QString::fromStdString(lowestSoFarText(heads)), text);
    }
};

QTEST_GUILESS_MAIN(TestTossWalk)
#include "tst_tosswalk.moc"
