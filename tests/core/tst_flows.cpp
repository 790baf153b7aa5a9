#include "core/batchflow.h"
#include "core/batchengine.h"
#include "core/frequencygraph.h"
#include "core/lesson.h"
#include "core/numberreader.h"
#include "core/texts.h"
#include "core/tosswalk.h"
#include "core/walkgraph.h"
#include "recordingview.h"
#include "scriptedrandom.h"

#include <QTest>

#include <random>


// The flows behind the main windows. Taluno1's toss walk, driven as the window drives it, against a
// model of its button and timer table; Taluno2's and Taluno3's settings prompts, run, results and 初期化.
class TestFlows : public QObject
{
    Q_OBJECT

private slots:
    void walksAgainstItsModel();
    void prompts_data();
    void prompts();
    void runAndReset_data();
    void runAndReset();
    void extras_data();
    void extras();
    void walkLine();
};

namespace {

// A window of Taluno2 or Taluno3 with its flow; every draw is tails.
struct Window
{
    explicit Window(ProgramNumber program)
        : view(batchWindowLayout(program))
        , random({0.9f})
        , flow(view, batchRules(program), random, clock)
    {
    }
    RecordingView view;
    ScriptedRandom random;
    FixedClock clock;
    BatchFlow flow;
};

enum Event { Start, Stop, Reset, SpinTick, TossTick, CycleTick, Count };

struct Model
{
    // Enabled: 終了, HELP, 初期化, コイン止まる, 自動停止, 自動開始; then the three timers.
    std::vector<std::pair<int, bool>> buttons{
        {TossControls::quitButton, true}, {TossControls::helpButton, true},  {TossControls::resetButton, true},
        {TossControls::tossButton, false}, {TossControls::stopButton, false}, {TossControls::startButton, true}};
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

void TestFlows::walksAgainstItsModel()
{
    using namespace TossControls;
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
    }
    QVERIFY(reached100);
}

void TestFlows::prompts_data()
{
    QTest::addColumn<ProgramNumber>("program");
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<int>("guests");      // 0: not set
    QTest::addColumn<int>("experiments"); // 0: not set
    QTest::addColumn<int>("ends");
    const auto two = ProgramNumber::Taluno2;
    const auto three = ProgramNumber::Taluno3;
    QTest::newRow("refused answers ask again") << two << QStringList{"9.99", "abc", "10", "0.5", "1.5"} << 10 << 1 << 0;
    QTest::newRow("guest count 1001 refused, 1000 accepted") << two << QStringList{"1001", "1000", "10000"} << 1000
                                                             << 10000 << 0;
    QTest::newRow("Taluno2 takes 5000 experiments") << two << QStringList{"100", "5000"} << 100 << 5000 << 0;
    QTest::newRow("Taluno3 refuses 5000 experiments") << three << QStringList{"100", "5000", "1000"} << 100 << 1000 << 0;
    QTest::newRow("Cancel, いいえ: the same prompt again") << two << QStringList{"", "no", "50", "5"} << 50 << 5 << 0;
    QTest::newRow("Cancel, はい: the program ends") << two << QStringList{"", "yes"} << 0 << 0 << 1;
    QTest::newRow("Cancel on the second prompt, はい: ends, guests kept") << three << QStringList{"50", "", "yes"} << 50
                                                                          << 0 << 1;
    QTest::newRow("Cancel on the second prompt, いいえ: the second prompt again")
        << three << QStringList{"50", "", "no", "7"} << 50 << 7 << 0;
}

void TestFlows::prompts()
{
    using namespace BatchControls;
    QFETCH(ProgramNumber, program);
    QFETCH(QStringList, answers);
    QFETCH(int, guests);
    QFETCH(int, experiments);
    QFETCH(int, ends);
    Window window(program);
    window.flow.onActivated();
    window.view.answer(window.flow, answers);

    QVERIFY(!window.flow.waiting());
    QCOMPARE(window.view.asked.size(), std::size_t(answers.size()));
    QCOMPARE(window.flow.guestCount(), guests);
    QCOMPARE(window.flow.experimentCount(), experiments);
    QCOMPARE(window.view.texts[guestCountValue], guests ? std::to_string(guests) : std::string());
    QCOMPARE(window.view.texts[experimentCountValue], experiments ? std::to_string(experiments) : std::string());
    QCOMPARE(window.view.ends, ends);
    QVERIFY(window.view.cues.empty());
    // Each prompt with its texts and its default, never with what was typed before; an empty
    // answer's question under its own title.
    const BatchRules &rules = batchRules(program);
    bool guestsDone = false;
    for (std::size_t i = 0; i < window.view.asked.size(); ++i) {
        const Question &asked = window.view.asked[i];
        const SettingRow &row = guestsDone ? rules.experiments : rules.guests;
        const Question expected = asked.input ? Question{true, row.prompt, row.title, row.defaultText}
                                              : Question{false, quitQuestion, confirmEndTitle, {}};
        QVERIFY(std::tie(asked.text, asked.title, asked.defaultText) == std::tie(expected.text, expected.title, expected.defaultText));
        guestsDone = guestsDone || (asked.input && acceptSetting(answers[int(i)].toStdString(), row.lowest, row.highest));
    }
}

void TestFlows::runAndReset_data()
{
    QTest::addColumn<ProgramNumber>("program");
    QTest::newRow("Taluno2: the frequency table") << ProgramNumber::Taluno2;
    QTest::newRow("Taluno3: the frequency graph") << ProgramNumber::Taluno3;
}

void TestFlows::runAndReset()
{
    using namespace BatchControls;
    QFETCH(ProgramNumber, program);
    Window window(program);
    RecordingView &view = window.view;
    window.flow.onClicked(startButton); // before the settings are accepted: nothing runs
    QCOMPARE(view.yields, 0);
    QCOMPARE(window.flow.copyText(), std::string());

    window.flow.onActivated();
    view.answer(window.flow, {"10", "3"});
    window.flow.onClicked(startButton);
    // Ten tails: every experiment bottoms out at -10.
    const int lowestBin = batchRules(program).lowestBin;
    std::vector<int> expected(static_cast<std::size_t>(binCountFor(lowestBin)), 0);
    expected[static_cast<std::size_t>(binOf(-10, lowestBin) - 1)] = 3;
    QCOMPARE(window.flow.counts(), expected);
    QCOMPARE(view.texts[meanValue], std::string("-10.0"));
    QCOMPARE(view.yields, 1);
    QVERIFY(!view.busy);
    const bool table = program == ProgramNumber::Taluno2;
    for (int bin = 1; table && bin <= binCountFor(lowestBin); ++bin)
        QCOMPARE(view.texts[countCell(bin)], std::to_string(expected[static_cast<std::size_t>(bin - 1)]));
    if (!table)
        QCOMPARE(view.descriptions[graphSurface], describeGraph(expected, lowestBin));
    // 終了 and 初期化 come back before 実験開始 goes, so that the focus moves on to 終了.
    QCOMPARE(view.enabledOrder, (std::vector<int>{quitButton, resetButton, quitButton, resetButton, startButton}));
    window.flow.setExtraShown(Extra::CoinsPanel, true);

    window.flow.onClicked(resetButton);
    QCOMPARE(view.cues, std::vector<Cue>{Cue::Pinpon});
    QVERIFY(view.panels.empty()); // the panel of the run goes with it
    QVERIFY(view.enabled[startButton]);
    for (int value : {guestCountValue, experimentCountValue, meanValue})
        QCOMPARE(view.texts[value], std::string());
    for (int bin = 1; table && bin <= binCountFor(lowestBin); ++bin)
        QCOMPARE(view.texts[countCell(bin)], std::string());
    if (!table) {
        QCOMPARE(view.drawing.strokes.back().kind, std::string("clear"));
        QCOMPARE(view.descriptions[graphSurface], std::string(noGraphDescription));
    }
    QCOMPARE(window.flow.copyText(), std::string());
    QCOMPARE(view.asked.back().text, batchRules(program).guests.prompt);
    // Cancel and いいえ on each prompt after 初期化 ask it again.
    view.answer(window.flow, {"", "no", "20", "", "no", "2"});
    std::vector<std::string> titles;
    for (std::size_t k = 2; k < view.asked.size(); ++k)
        titles.push_back(view.asked[k].title);
    const std::string guests = batchRules(program).guests.title, experiments = batchRules(program).experiments.title;
    QCOMPARE(titles, (std::vector<std::string>{guests, confirmEndTitle, guests, experiments, confirmEndTitle, experiments}));
    window.flow.onClicked(startButton);
    QCOMPARE(view.texts[meanValue], std::string("-20.0"));
}

void TestFlows::extras_data()
{
    runAndReset_data();
}

void TestFlows::extras()
{
    using namespace BatchControls;
    QFETCH(ProgramNumber, program);
    Window window(program);
    RecordingView &view = window.view;
    window.flow.onActivated();
    view.answer(window.flow, {"10", "3"});
    window.flow.onClicked(startButton);
    // Ten tails, three times: every experiment bottoms out at -10.
    std::vector<int> lowests(12, 0);
    lowests[0] = 3;
    const LessonRun run{10, 3, "-10.0", lowests};
    const int lowestBin = batchRules(program).lowestBin;
    const std::vector<long double> expected = expectedCounts(10, 3, lowestBin);
    const bool table = program == ProgramNumber::Taluno2;

    // The law: Taluno2's table shows the expected counts in red under their own titles, Taluno3 a red
    // mark at each bin's expected height; off again, the run comes back.
    for (const bool law : {true, false}) {
        window.flow.setExtraShown(Extra::ExactLaw, law);
        for (int bin = 1; table && bin <= binCountFor(lowestBin); ++bin) {
            const auto k = static_cast<std::size_t>(bin - 1);
            QCOMPARE(view.texts[countCell(bin)], std::to_string(law ? std::lround(expected[k]) : window.flow.counts()[k]));
            QVERIFY(view.colours[countCell(bin)] == (law ? lawColour : Rgb{}));
        }
        for (int pair = 0; table && pair < tablePairs; ++pair)
            QCOMPARE(view.texts[countTitle(pair)], std::string(law ? lawCountTitle : countTitleText));
        std::vector<double> marks;
        for (const auto &stroke : view.drawing.strokes) {
            if (stroke.colour == lawColour)
                marks.push_back(280 - (stroke.y1 + stroke.y2) / 2);
        }
        std::vector<double> wanted;
        for (std::size_t k = 0; !table && law && k < expected.size(); ++k) {
            if (expected[k] >= 0.5)
                wanted.push_back(double(expected[k]));
        }
        QCOMPARE(marks, wanted);
        if (!table)
            view.drawing.strokes.clear();
    }

    // The panel of coins, and c枚用意したら？: the mean's magnitude offered, a refusal asked again, Cancel
    // taking the share away. The copy and Taluno3's picture say what is on.
    window.flow.setExtraShown(Extra::CoinsPanel, true);
    window.flow.chooseExtra(Extra::CoinsShare);
    QCOMPARE(view.asked.back().defaultText, std::string("10"));
    view.answer(window.flow, {"11", "9"});
    QCOMPARE(view.asked.back().title, std::string(shareCoinsTitle));
    QCOMPARE(view.panels.size(), std::size_t(2));
    QCOMPARE(view.panels[0].lines, coinsPanel(run));
    QCOMPARE(view.panels[1].lines, sharePanel(run, 9));
    QVERIFY(view.panels[0].points == panelPoints && view.panels[1].points == sharePoints && view.panels[1].bold);
    QCOMPARE(window.flow.copyText(), resultTable(run, false, true, 9));
    const std::vector<std::string> caption{"お客人数 10　実験回数 3　不足枚数の平均 -10.0",
                                           "何枚用意すればよいか（実験／理論）",
                                           "50 %：10枚／2枚　90 %：10枚／5枚　95 %：10枚／6枚　99 %：10枚／8枚",
                                           "9枚用意したら足りた実験：0.0%（理論 99.9%）"};
    QCOMPARE(window.flow.pictureCaption(), table ? std::vector<std::string>{} : caption);
    window.flow.chooseExtra(Extra::CoinsShare);
    QCOMPARE(view.asked.back().defaultText, std::string("9"));
    view.answer(window.flow, {""});
    QCOMPARE(view.panels.size(), std::size_t(1));
    QCOMPARE(window.flow.copyText(), resultTable(run, false, true));
    // No coins at all is a question too, asked once.
    const std::size_t asked = view.asked.size();
    window.flow.chooseExtra(Extra::CoinsShare);
    view.answer(window.flow, {"0"});
    QCOMPARE(view.asked.size(), asked + 1);
    QCOMPARE(view.panels.back().lines, sharePanel(run, 0));

    // 初期化 forgets the share: the next run shows, copies and saves none.
    window.flow.onClicked(resetButton);
    view.answer(window.flow, {"10", "3"});
    window.flow.onClicked(startButton);
    QCOMPARE(view.panels.size(), std::size_t(1));
    QCOMPARE(window.flow.copyText(), resultTable(run, false, true));
    QCOMPARE(window.flow.pictureCaption(), table ? std::vector<std::string>{} : std::vector<std::string>(caption.begin(), caption.end() - 1));
}

void TestFlows::walkLine()
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
    // Drawn afresh at each toss: the last drawing is of all three.
    QCOMPARE(view.texts[lowestSoFarLabel], std::string("ここまでの最低：−2（2枚必要）"));
    QCOMPARE(view.descriptions[walkGraph], std::string("3 回投げて釣り銭枚数は -1。ここまでの最低：−2（2枚必要）"));
    const auto &strokes = view.drawing.strokes;
    const auto last = std::find_if(strokes.rbegin(), strokes.rend(), [](const auto &s) { return s.kind == "clear"; });
    QVERIFY(last != strokes.rend());
    RecordingSurface again;
    drawWalk(again, {false, false, true});
    QCOMPARE(std::size_t(last - strokes.rbegin()), again.strokes.size());
    walk.setExtraShown(Extra::WalkLine, false);
    QVERIFY(!view.visible[walkGraph] && !view.visible[lowestSoFarLabel]);
    QCOMPARE(view.windowWidth, tossWindowLayout().width);
}

QTEST_GUILESS_MAIN(TestFlows)
#include "tst_flows.moc"
