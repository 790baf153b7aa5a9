#include "core/texts.h"
#include "core/tosswalk.h"
#include "core/walkgraph.h"
#include "recordingview.h"
#include "scriptedrandom.h"

#include <QTest>

#include <set>


using Segment = std::tuple<double, double, double, double>;

// Taluno1 behind its face: the walk toss by toss on its timers, and the walk as a line with its lowest point.
class TestTossWalk : public QObject
{
    Q_OBJECT

private slots:
    // A run as the window drives it, with what it allows at each step: the buttons 終了, HELP, 初期化,
    // コイン止まる, 自動停止 and 自動開始 enabled or not, then the spin, toss and cycle timers running or not.
    void runsOnItsTimers()
    {
        using namespace TossControls;
        ScriptedRandom random({0.5f, 0.4999f, 0.7f}); // a half is tails, just under it heads: a walk downwards
        FixedClock clock;
        clock.seconds = 3600.25;
        RecordingView view(tossWindowLayout());
        TossWalk walk(view, random, clock);
        const auto state = [&view] {
            std::string shown;
            for (const int button : {quitButton, helpButton, resetButton, tossButton, stopButton, startButton})
                shown += view.enabled[button] ? '1' : '0';
            shown += ' ';
            for (const bool running : view.timers)
                shown += running ? '1' : '0';
            return shown + (view.visible[headsCoin] ? " heads" : " tails");
        };
        const auto cells = [&view](int toss) { return view.texts[resultCell(toss)] + view.texts[balanceCell(toss)]; };
        walk.onActivated();
        QCOMPARE(random.reseeds, std::vector<float>{3600.25f});
        QCOMPARE(state(), "111001 000 heads");
        // 折れ線グラフ on: the line and its lowest beside the table, in a window widened for them.
        walk.setExtraShown(Extra::WalkLine, true);
        const Control &graph = tossWindowLayout().controls[walkGraph];
        QVERIFY(view.visible[walkGraph] && view.visible[lowestSoFarLabel] && view.windowWidth == graph.left + graph.width + panelMargin);
        QCOMPARE(view.texts[lowestSoFarLabel], std::string("ここまでの最低：—"));
        walk.onClicked(startButton);
        QCOMPARE(state(), "000110 111 heads");
        walk.onTick(TossTimers::spin);
        QCOMPARE(state(), "000110 111 tails");
        walk.onTick(TossTimers::toss);
        QCOMPARE(state(), "001011 001 tails");
        QVERIFY(cells(1) == "裏-1" && view.colours[resultCell(1)] == TossWalk::tailsColour);
        walk.onClicked(stopButton);
        QCOMPARE(state(), "111011 000 tails");
        walk.onClicked(startButton);
        walk.onTick(TossTimers::toss);
        QVERIFY(cells(2) == "表0" && view.colours[resultCell(2)] == TossWalk::headsColour);
        for (int toss = 3; toss <= tossCount; ++toss) {
            walk.onTick(TossTimers::nextCycle);
            walk.onTick(TossTimers::toss);
        }
        // The 100th toss ends the run; the line has been drawn afresh and told at each toss.
        QCOMPARE(cells(100), "裏-34");
        QCOMPARE(state(), "101000 000 tails");
        QCOMPARE(view.descriptions[walkGraph], std::string("100 回投げて釣り銭枚数は -34。ここまでの最低：−34（34枚必要）"));
        std::vector<bool> heads(tossCount);
        for (std::size_t toss = 1; toss < heads.size(); toss += 3)
            heads[toss] = true;
        RecordingSurface again;
        drawWalk(again, heads);
        const auto &strokes = view.drawing.strokes;
        QCOMPARE(std::size_t(std::find_if(strokes.rbegin(), strokes.rend(), [](const auto &s) { return s.kind == "clear"; }) - strokes.rbegin()),
                 again.strokes.size());
        walk.setExtraShown(Extra::WalkLine, false);
        QVERIFY(!view.visible[walkGraph] && !view.visible[lowestSoFarLabel] && view.windowWidth == tossWindowLayout().width);
        walk.onClicked(resetButton);
        QCOMPARE(state(), "101001 000 heads");
        QVERIFY(view.cues == std::vector<Cue>{Cue::Pinpon} && cells(1).empty() && cells(100).empty() && walk.copyText().empty());
        walk.onClicked(startButton);
        walk.onTick(TossTimers::toss);
        QCOMPARE(cells(1), "表1"); // from 0 again
        QCOMPARE(QString::fromStdString(walk.copyText()), "回数\t表/裏\t釣り銭枚数\n1\t表\t1\n最低の釣り銭枚数\t1\n");
    }

    // お釣りの要る人の割合 and c枚用意したら？ on the walk: a draw of 0.45 is heads at one half and tails where 60 in 100
    // need change. The coins offered first are the law's mean for 60 %, -21.97 (worked out apart, for the guide).
    void coinsOnTheWalk()
    {
        using namespace TossControls;
        ScriptedRandom random({0.45f});
        FixedClock clock;
        RecordingView view(tossWindowLayout());
        TossWalk walk(view, random, clock);
        walk.chooseExtra(Extra::CoinsShare); // no walk shown: nothing to draw them on
        QVERIFY(view.asked.empty() && !view.visible[changeShareLabel]);
        walk.chooseExtra(Extra::ChangePercent);
        view.answer(walk, {"60"});
        QVERIFY(view.asked.size() == 1 && view.visible[changeShareLabel] && view.texts[changeShareLabel] == "お釣りの要る人：60%");
        walk.onClicked(helpButton); // the help says so too
        QCOMPARE(view.helpPercent, 60);
        walk.setExtraShown(Extra::WalkLine, true);
        walk.chooseExtra(Extra::CoinsShare);
        QCOMPARE(view.asked.back().defaultText, std::string("22"));
        view.answer(walk, {"101", "2"});
        QVERIFY(view.asked.size() == 3 && view.texts[lowestSoFarLabel] == "2枚で足りています\n（最低：—）");
        // The latest green stroke or clearing of the walk: a line two pixels wide at -2 on -10..10, 54 units down.
        const auto green = [&view] {
            const auto &strokes = view.drawing.strokes;
            const auto last = std::find_if(strokes.rbegin(), strokes.rend(), [](const auto &s) { return s.kind == "clear" || s.colour == Rgb{0, 160, 0}; });
            return std::tuple(last->kind, last->x1, last->y1, last->x2, last->y2, last->pixels);
        };
        // The stock runs out at the third guest, the first below -2.
        for (const char *said : {"2枚で足りています\n（最低：−1）", "2枚で足りています\n（最低：−2）", "2枚では足りません\n（3人目）", "2枚では足りません\n（3人目）"}) {
            walk.toss();
            QCOMPARE(view.texts[lowestSoFarLabel], std::string(said));
            QCOMPARE(green(), std::tuple(std::string("line"), 11.0, 54.0, 111.0, 54.0, 2));
        }
        QCOMPARE(view.descriptions[walkGraph], std::string("4 回投げて釣り銭枚数は -4。2枚では足りません（3人目）"));
        QVERIFY(QString::fromStdString(walk.copyText()).startsWith("お釣りの要る人の割合\t60%\n回数\t"));
        // Cancel takes the coins away; 60 % stays through Cancel and 初期化.
        for (const Extra extra : {Extra::CoinsShare, Extra::ChangePercent}) {
            walk.chooseExtra(extra);
            view.answer(walk, {""});
        }
        QVERIFY(std::get<0>(green()) == "clear" && view.texts[lowestSoFarLabel] == "ここまでの最低：−4\n（4枚必要）");
        walk.onClicked(resetButton);
        walk.toss();
        QVERIFY(view.texts[balanceCell(1)] == "-1" && view.visible[changeShareLabel]);
        // A new share starts the walk afresh.
        walk.chooseExtra(Extra::ChangePercent);
        view.answer(walk, {"30"});
        QVERIFY(view.texts[balanceCell(1)].empty() && walk.copyText().empty());
    }

    // 折れ線グラフ: beside the table, in a window that widens for it; drawn afresh and told at each toss.
    void drawsTheWalk()
    {
        // Tails, tails, heads: 0, -1, -2, -1 on an axis from -10 to 10 over 80 units from y 6.
        RecordingSurface surface;
        drawWalk(surface, {false, false, true});
        const auto y = [](int balance) { return 6 + (10 - balance) * 80 / 20.0; };
        std::vector<Segment> blue, red;
        std::set<int> bluePixels;
        std::vector<std::pair<double, std::string>> texts;
        std::set<long> halfDigits; // how far each number under the axis starts left of its line, per digit: all alike
        for (const auto &stroke : surface.strokes) {
            if (stroke.colour == Rgb{0, 0, 255} || stroke.colour == Rgb{255, 0, 0})
                (stroke.colour == Rgb{0, 0, 255} ? blue : red).emplace_back(stroke.x1, stroke.y1, stroke.x2, stroke.y2);
            if (stroke.colour == Rgb{0, 0, 255})
                bluePixels.insert(stroke.pixels);
            if (stroke.kind == "text")
                texts.emplace_back(stroke.y1, stroke.text);
            if (stroke.kind == "text" && stroke.y1 == 87)
                halfDigits.insert(std::lround(1e6 * (walkX(std::stoi(stroke.text)) - stroke.x1) / double(stroke.text.size())));
        }
        // A line the back row can follow: each step once, three pixels wide.
        QCOMPARE(blue, (std::vector<Segment>{{11, y(0), 12, y(-1)}, {12, y(-1), 13, y(-2)}, {13, y(-2), 14, y(-1)}}));
        QCOMPARE(bluePixels, std::set<int>{3});
        // The lowest so far: a red line across at -2, and a square on toss 2.
        QCOMPARE(red, (std::vector<Segment>{{11, y(-2), 111, y(-2)}, {12, y(-2) - 1.5, 14, y(-2) + 1.5}}));
        // The axis numbers: -10, 0 and 10 at their grid lines, then each count of tosses under the axis, centred on its line.
        QVERIFY(halfDigits.size() == 1 && *halfDigits.begin() > 0);
        QCOMPARE(texts, (std::vector<std::pair<double, std::string>>{{y(-10) - 2, "-10"}, {y(0) - 2, "0"}, {y(10) - 2, "10"},
                                                                    {87, "0"}, {87, "20"}, {87, "40"}, {87, "60"}, {87, "80"}, {87, "100"}}));
        // A walk beyond the range widens it by tens.
        QCOMPARE(walkRange(std::vector<bool>(25, false)), std::pair(-30, 10));
        QCOMPARE(walkRange(std::vector<bool>(11, true)), std::pair(-10, 20));
        QCOMPARE(walkRange({}, 25), std::pair(-30, 10)); // c枚用意したら？'s line in sight
    }

    void saysTheLowestSoFar()
    {
        const struct { std::vector<bool> heads; const char *text; } rows[] = {
            {{}, "ここまでの最低：—"},                                    // before a toss
            {{true}, "ここまでの最低：1\n（0枚で足りる）"},                 // heads first: no coin needed
            {{true, false}, "ここまでの最低：0\n（0枚で足りる）"},          // back to 0: none needed
            {{false, false, true}, "ここまでの最低：−2\n（2枚必要）"},      // down to -2 and up: 2 needed
        };
        for (const auto &row : rows)
            QCOMPARE(lowestSoFarText(row.heads), std::string(row.text));
    }
};

QTEST_GUILESS_MAIN(TestTossWalk)
#include "tst_tosswalk.moc"
