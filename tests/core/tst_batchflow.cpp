#include "core/batchflow.h"
#include "core/batchengine.h"
#include "core/frequencygraph.h"
#include "core/texts.h"
#include "recordingview.h"
#include "scriptedrandom.h"

#include <QTest>

namespace {

// A main window of Taluno2 or Taluno3 with its flow; every draw is tails.
struct Window
{
    explicit Window(ProgramNumber program)
        : view(batchWindowLayout(program))
        , random({0.9f})
        , flow(view, batchRules(program), random, clock)
    {
    }
    // Answers both settings prompts and runs.
    void run(const QString &guests, const QString &experiments)
    {
        view.answer(flow, {guests, experiments});
        flow.onClicked(BatchControls::startButton);
    }
    RecordingView view;
    ScriptedRandom random;
    FixedClock clock;
    BatchFlow flow;
};

// The red marks of the law on the graph: the count each stands for, bin by bin.
std::vector<double> marksOf(const RecordingSurface &graph)
{
    std::vector<double> marks;
    for (const auto &stroke : graph.strokes) {
        if (stroke.colour == lawColour)
            marks.push_back(280 - (stroke.y1 + stroke.y2) / 2); // up from the axis
    }
    return marks;
}

} // namespace

// The main window of Taluno2 and Taluno3 behind its face: the settings prompts, the run and 初期化, and
// the extras of its menu.
class TestBatchFlow : public QObject
{
    Q_OBJECT

private slots:
    void prompts_data()
    {
        QTest::addColumn<ProgramNumber>("program");
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<int>("guests");      // 0: not set
        QTest::addColumn<int>("experiments"); // 0: not set
        QTest::addColumn<int>("ends");
        const auto two = ProgramNumber::Taluno2;
        const auto three = ProgramNumber::Taluno3;
        QTest::newRow("refused answers ask again") << two << QStringList{"9.99", "abc", "10", "0.5", "1.5"} << 10 << 1 << 0;
        QTest::newRow("guest count 1001 refused, 1000 accepted") << two << QStringList{"1001", "1000", "10000"} << 1000 << 10000 << 0;
        QTest::newRow("Taluno2 takes 5000 experiments") << two << QStringList{"100", "5000"} << 100 << 5000 << 0;
        QTest::newRow("Taluno3 refuses 5000 experiments") << three << QStringList{"100", "5000", "1000"} << 100 << 1000 << 0;
        QTest::newRow("Cancel, いいえ: the same prompt again") << two << QStringList{"", "no", "50", "5"} << 50 << 5 << 0;
        QTest::newRow("Cancel, はい: the program ends") << two << QStringList{"", "yes"} << 0 << 0 << 1;
        QTest::newRow("Cancel on the second prompt, はい: ends, guests kept") << three << QStringList{"50", "", "yes"} << 50 << 0 << 1;
        QTest::newRow("Cancel on the second prompt, いいえ: the second prompt again")
            << three << QStringList{"50", "", "no", "7"} << 50 << 7 << 0;
    }

    void prompts()
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
        QCOMPARE(window.view.texts[guestCountValue], guests ? std::to_string(guests) : std::string());
        QCOMPARE(window.view.texts[experimentCountValue], experiments ? std::to_string(experiments) : std::string());
        QCOMPARE(window.view.ends, ends);
        QVERIFY(window.view.cues.empty());
        // Each prompt with its texts and its default, never with what was typed before; an empty answer's
        // question under its own title. The guests are asked until an answer is taken.
        const BatchRules &rules = batchRules(program);
        bool guestsDone = false;
        for (std::size_t i = 0; i < window.view.asked.size(); ++i) {
            const Question &asked = window.view.asked[i];
            const SettingRow &row = guestsDone ? rules.experiments : rules.guests;
            const Question expected = asked.input ? Question{true, row.prompt, row.title, row.defaultText}
                                                  : Question{false, quitQuestion, confirmEndTitle, {}};
            QVERIFY(std::tie(asked.text, asked.title, asked.defaultText) == std::tie(expected.text, expected.title, expected.defaultText));
            guestsDone = guestsDone || (asked.input && answers[int(i)].toInt() >= 10 && answers[int(i)].toInt() <= 1000);
        }
    }

    void runAndReset_data()
    {
        QTest::addColumn<ProgramNumber>("program");
        QTest::newRow("Taluno2: the frequency table") << ProgramNumber::Taluno2;
        QTest::newRow("Taluno3: the frequency graph") << ProgramNumber::Taluno3;
    }

    void runAndReset()
    {
        using namespace BatchControls;
        QFETCH(ProgramNumber, program);
        Window window(program);
        RecordingView &view = window.view;
        window.flow.onClicked(startButton); // before the settings are accepted: nothing runs
        QCOMPARE(view.yields, 0);
        QCOMPARE(window.flow.copyText(), std::string());

        window.flow.onActivated();
        window.run("10", "3");
        // Ten tails: every experiment bottoms out at -10.
        const int lowestBin = batchRules(program).lowestBin;
        std::vector<int> expected(static_cast<std::size_t>(binCountFor(lowestBin)), 0);
        expected[static_cast<std::size_t>(binOf(-10, lowestBin) - 1)] = 3;
        QCOMPARE(window.flow.counts(), expected);
        QCOMPARE(view.texts[meanValue], std::string("-10.0"));
        QVERIFY(view.yields == 1 && !view.busy);
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
        window.run("20", "2");
        QCOMPARE(view.texts[meanValue], std::string("-20.0"));
    }

    void extras_data() { runAndReset_data(); }

    void extras()
    {
        using namespace BatchControls;
        QFETCH(ProgramNumber, program);
        Window window(program);
        RecordingView &view = window.view;
        window.flow.onActivated();
        window.run("10", "1000");
        const bool table = program == ProgramNumber::Taluno2;

        // The law: Taluno2's table shows the expected counts in red under their own titles, Taluno3 a red
        // mark at each bin's expected height; off again, the run comes back. By hand for 10 guests: a lowest
        // of -1 or -2 comes in 210 walks of 1024, -3 in 120, 1 in 126 of 1024, -10 in 1.
        window.flow.setExtraShown(Extra::ExactLaw, true);
        const auto cell = [&](int lowest) { return view.texts[countCell(binOf(lowest, -57))]; };
        if (table) {
            QCOMPARE((std::vector<std::string>{cell(-10), cell(-3), cell(-2), cell(-1), cell(1), cell(2)}),
                     (std::vector<std::string>{"1", "117", "205", "205", "123", "0"}));
            QVERIFY(view.colours[countCell(1)] == lawColour && view.texts[countTitle(6)] == lawCountTitle);
        } else {
            const std::vector<double> marks = marksOf(view.drawing);
            QCOMPARE(marks.size(), std::size_t(12));
            QCOMPARE(marks[9], 210 * 1000 / 1024.0);
        }
        view.drawing.strokes.clear();
        window.flow.setExtraShown(Extra::ExactLaw, false);
        QVERIFY(marksOf(view.drawing).empty());
        if (table) {
            QVERIFY(cell(-10) == "1000" && cell(-1) == "0" && view.colours[countCell(1)] == Rgb{});
            QCOMPARE(view.texts[countTitle(6)], std::string(countTitleText));
        }

        // The panel of coins, and c枚用意したら？: the mean's magnitude offered, answers without a number or
        // beyond the guests asked again, Cancel taking the share away. The copy and Taluno3's picture say
        // what is on, a line a share.
        const LessonRun run{10, 1000, "-10.0", {1000, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}};
        window.flow.setExtraShown(Extra::CoinsPanel, true);
        window.flow.chooseExtra(Extra::CoinsShare);
        QCOMPARE(view.asked.back().defaultText, std::string("10"));
        const std::size_t before = view.asked.size();
        view.answer(window.flow, {"abc", "約8", "11", "9"});
        QCOMPARE(view.asked.size(), before + 3);
        QCOMPARE(view.asked.back().title, std::string(shareCoinsTitle));
        QCOMPARE(view.panels.size(), std::size_t(2));
        QCOMPARE(view.panels[0].lines, coinsPanel(run));
        QCOMPARE(view.panels[1].lines, (std::vector<std::string>{"9枚用意したら", "足りた実験：0.0%", "（理論 99.9%）"}));
        QVERIFY(view.panels[0].points == panelPoints && view.panels[1].points == sharePoints && view.panels[1].bold);
        QCOMPARE(window.flow.copyText(), resultTable(run, false, true, 9));
        const std::vector<std::string> caption{"お客人数 10　実験回数 1000　不足枚数の平均 -10.0",
                                               "何枚用意すればよいか（実験／理論）", "50 %：10枚／2枚", "90 %：10枚／5枚",
                                               "95 %：10枚／6枚", "99 %：10枚／8枚", "9枚用意したら足りた実験：0.0%（理論 99.9%）"};
        QCOMPARE(window.flow.pictureCaption(), table ? std::vector<std::string>{} : caption);
        window.flow.chooseExtra(Extra::CoinsShare);
        QCOMPARE(view.asked.back().defaultText, std::string("9"));
        view.answer(window.flow, {""});
        QCOMPARE(view.panels.size(), std::size_t(1));
        QCOMPARE(window.flow.copyText(), resultTable(run, false, true));
        // No coins at all is a number too, taken at once.
        window.flow.chooseExtra(Extra::CoinsShare);
        view.answer(window.flow, {"0"});
        QVERIFY(!window.flow.waiting());
        QCOMPARE(view.panels.back().lines[1], std::string("足りた実験：0.0%"));

        // 初期化 forgets the share: the next run shows, copies and saves none.
        window.flow.onClicked(resetButton);
        window.run("10", "1000");
        QCOMPARE(view.panels.size(), std::size_t(1));
        QCOMPARE(window.flow.copyText(), resultTable(run, false, true));
        QCOMPARE(window.flow.pictureCaption(), table ? std::vector<std::string>{} : std::vector<std::string>(caption.begin(), caption.end() - 1));
    }
};

QTEST_GUILESS_MAIN(TestBatchFlow)
#include "tst_batchflow.moc"
