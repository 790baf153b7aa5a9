#include "core/batchflow.h"
#include "core/batchengine.h"
#include "core/frequencygraph.h"
#include "core/numberreader.h"
#include "core/texts.h"
#include "recordingview.h"
#include "scriptedrandom.h"

#include <QTest>

using namespace BatchControls;

// Taluno2's and Taluno3's main window flow: the settings prompts, the run and its results, and 初期化.
class TestBatchFlow : public QObject
{
    Q_OBJECT

private slots:
    void prompts_data();
    void prompts();
    void runAndReset_data();
    void runAndReset();
};

namespace {

// A window of either program with its flow; every draw is tails unless told otherwise.
struct Window
{
    explicit Window(ProgramNumber program, std::vector<float> draws = {0.9f})
        : view(batchWindowLayout(program))
        , random(std::move(draws))
        , flow(view, batchRules(program), random, clock)
    {
    }
    RecordingView view;
    ScriptedRandom random;
    FixedClock clock;
    BatchFlow flow;
};

} // namespace

void TestBatchFlow::prompts_data()
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
}

void TestBatchFlow::prompts()
{
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
        const Question &question = window.view.asked[i];
        if (!question.input) {
            QCOMPARE(question.text, std::string(quitQuestion));
            QCOMPARE(question.title, std::string(confirmEndTitle));
            continue;
        }
        const SettingRow &row = guestsDone ? rules.experiments : rules.guests;
        QCOMPARE(question.text, row.prompt);
        QCOMPARE(question.title, row.title);
        QCOMPARE(question.defaultText, row.defaultText);
        guestsDone = guestsDone || acceptSetting(answers[int(i)].toStdString(), row.lowest, row.highest).has_value();
    }
}

void TestBatchFlow::runAndReset_data()
{
    QTest::addColumn<ProgramNumber>("program");
    QTest::newRow("Taluno2: the frequency table") << ProgramNumber::Taluno2;
    QTest::newRow("Taluno3: the frequency graph") << ProgramNumber::Taluno3;
}

void TestBatchFlow::runAndReset()
{
    QFETCH(ProgramNumber, program);
    Window window(program);
    RecordingView &view = window.view;
    window.flow.onClicked(startButton); // before the settings are accepted: nothing runs
    QCOMPARE(view.yields, 0);

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

    window.flow.onClicked(resetButton);
    QCOMPARE(view.cues, std::vector<Cue>{Cue::Pinpon});
    QVERIFY(view.enabled[startButton]);
    for (int value : {guestCountValue, experimentCountValue, meanValue})
        QCOMPARE(view.texts[value], std::string());
    for (int bin = 1; table && bin <= binCountFor(lowestBin); ++bin)
        QCOMPARE(view.texts[countCell(bin)], std::string());
    if (!table) {
        QCOMPARE(view.drawing.strokes.back().kind, std::string("clear"));
        QCOMPARE(view.descriptions[graphSurface], std::string(noGraphDescription));
    }
    QCOMPARE(view.asked.back().text, batchRules(program).guests.prompt);
    view.answer(window.flow, {"20", "2"});
    window.flow.onClicked(startButton);
    QCOMPARE(view.texts[meanValue], std::string("-20.0"));
}

QTEST_GUILESS_MAIN(TestBatchFlow)
#include "tst_batchflow.moc"
