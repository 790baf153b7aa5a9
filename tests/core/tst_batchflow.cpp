#include "core/batchflow.h"
#include "core/batchengine.h"
#include "core/decimals.h"
#include "core/frequencygraph.h"
#include "core/lesson.h"
#include "core/texts.h"
#include "recordingview.h"
#include "scriptedrandom.h"

#include <QTest>

namespace {

// A main window of Taluno2 or Taluno3 with its flow; every draw is tails.
struct Window
{
    explicit Window(ProgramNumber program) : view(batchWindowLayout(program)), random({0.9f}), flow(view, batchRules(program), random, clock) {}
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

} // namespace

// The main window of Taluno2 and Taluno3 behind its face: the settings prompts, the run and 初期化, and
// the extras of its menu.
class TestBatchFlow : public QObject
{
    Q_OBJECT

private slots:
    // Each prompt with its texts and its default, never with what was typed before; an empty answer's question
    // under its own title. A letter a box asked: G the guests, E the experiments, Y the end question; then the
    // guests / experiments shown, and whether the program ended.
    void prompts()
    {
        const struct { const char *name; ProgramNumber program; QStringList answers; QString asked, shown; } rows[] = {
            {"refused answers ask again", ProgramNumber::Taluno2, {"9.99", "abc", "10", "0.5", "1.5"}, "GGGEE", "10/1"},
            {"guest count 1001 refused, 1000 accepted", ProgramNumber::Taluno2, {"1001", "1000", "10000"}, "GGE", "1000/10000"},
            {"Taluno2 takes 5000 experiments", ProgramNumber::Taluno2, {"100", "5000"}, "GE", "100/5000"},
            {"Taluno3 refuses 5000 experiments", ProgramNumber::Taluno3, {"100", "5000", "1000"}, "GEE", "100/1000"},
            {"Cancel, いいえ: the window waits, 実験開始 asks", ProgramNumber::Taluno2, {"", "no", "50", "5"}, "GYGE", "50/5"},
            {"Cancel, はい: the program ends", ProgramNumber::Taluno2, {"", "yes"}, "GY", "/ ended"},
            {"Cancel on the second prompt, はい: ends, guests kept", ProgramNumber::Taluno3, {"50", "", "yes"}, "GEY", "50/ ended"},
            {"Cancel on the second prompt, いいえ: 実験開始 asks for the experiments", ProgramNumber::Taluno3, {"50", "", "no", "7"}, "GEYE", "50/7"},
        };
        for (const auto &row : rows) {
            Window window(row.program);
            window.flow.onActivated();
            window.view.answer(window.flow, row.answers);
            const QStringList rest = row.answers.mid(int(window.view.asked.size()));
            if (!window.view.ends) // a waiting window asks on 実験開始; a full one runs
                window.flow.onClicked(BatchControls::startButton);
            window.view.answer(window.flow, rest);
            const BatchRules &rules = batchRules(row.program);
            QString asked;
            for (const Question &question : window.view.asked) {
                const SettingRow &setting = question.title == rules.guests.title ? rules.guests : rules.experiments;
                const bool input = question.kind == QuestionKind::Line;
                const bool asExpected = input ? question.text == setting.prompt && question.title == setting.title && question.defaultText == setting.defaultText
                                                       : question.text == text(Text::quitQuestion) && question.title == text(Text::confirmEndTitle);
                asked += !asExpected ? '?' : !input ? 'Y' : &setting == &rules.guests ? 'G' : 'E';
            }
            const auto &texts = window.view.texts;
            QCOMPARE(row.name + (": " + asked + ' ' + QString::fromStdString(texts[BatchControls::guestCountValue] + '/' + texts[BatchControls::experimentCountValue]))
                         + (window.view.ends ? " ended" : ""), row.name + (": " + row.asked + ' ' + row.shown));
            QVERIFY(!window.flow.waiting() && window.view.cues.empty());
        }
    }

    void runAndReset_data() { programs(); }

    void runAndReset()
    {
        using namespace BatchControls;
        QFETCH(ProgramNumber, program);
        Window window(program);
        RecordingView &view = window.view;
        window.flow.onClicked(startButton); // before the settings are accepted: nothing runs
        QVERIFY(view.yields == 0 && window.flow.copyText().empty());

        window.flow.onActivated();
        window.run("10", "3");
        // Ten tails: every experiment bottoms out at -10, in bin 49 of the table and 106 of the graph.
        const bool table = program == ProgramNumber::Taluno2;
        std::vector<int> counts(table ? 63 : 120, 0);
        counts[table ? 48 : 105] = 3;
        QVERIFY(window.flow.counts() == counts && view.texts[meanValue] == "-10.0" && view.yields == 1 && !view.busy);
        for (int bin = 1; table && bin <= 63; ++bin)
            QCOMPARE(view.texts[countCell(bin)], std::to_string(counts[std::size_t(bin - 1)]));
        QCOMPARE(view.descriptions[graphSurface], table ? std::string() : describeGraph(counts, -114));
        // 終了 and 初期化 come back before 実験開始 goes, so that the focus moves on to 終了.
        QCOMPARE(view.enabledOrder, (std::vector<int>{quitButton, resetButton, quitButton, resetButton, startButton}));
        window.flow.setExtraShown(Extra::CoinsPanel, true);

        window.flow.onClicked(resetButton);
        // The panel of the run goes with it.
        QVERIFY(view.cues == std::vector<Cue>{Cue::Pinpon} && view.enabled[startButton] && view.panels.empty());
        QVERIFY(view.texts[guestCountValue].empty() && view.texts[experimentCountValue].empty() && view.texts[meanValue].empty());
        for (int bin = 1; table && bin <= 63; ++bin)
            QCOMPARE(view.texts[countCell(bin)], std::string());
        if (!table)
            QVERIFY(view.drawing.strokes.back().kind == "clear" && view.descriptions[graphSurface] == text(Text::noGraphDescription));
        QVERIFY(window.flow.copyText().empty() && view.asked.back().text == batchRules(program).guests.prompt);
        window.run("20", "2");
        QCOMPARE(view.texts[meanValue], std::string("-20.0"));
        // 終了: the end cue, then the question; いいえ stays, はい ends.
        for (const char *reply : {"no", "yes"}) {
            window.flow.onClicked(quitButton);
            view.answer(window.flow, {reply});
        }
        QVERIFY(view.cues.back() == Cue::EndPinpon && view.cues.size() == 3 && view.ends == 1);
        QVERIFY(view.asked.back().text == text(Text::quitQuestion) && view.asked.back().title == text(Text::quitTitle));
    }

    void extras_data() { programs(); }

    void extras()
    {
        using namespace BatchControls;
        QFETCH(ProgramNumber, program);
        // Ten tails, then ten heads: half the experiments bottom out at -10, half never fall below 1.
        Window window(program);
        window.random.values = std::vector<float>(10, 0.9f);
        window.random.values.resize(20, 0.1f);
        RecordingView &view = window.view;
        window.flow.onActivated();
        window.run("10", "1000");
        const bool table = program == ProgramNumber::Taluno2;

        // The law (left on from then): Taluno2's table shows the expected counts in red under the counts and their titles, Taluno3 a red mark
        // at each bin's expected height (up from the axis at 280); off again, the run comes back. By hand for 10
        // guests: a lowest of -1 or -2 comes in 210 walks of 1024, -3 in 120, 1 in 126, -10 in 1, 2 never.
        const auto cells = [&] {
            std::string shown;
            for (const int bin : {49, 56, 57, 58, 60, 61})
                shown += view.texts[countCell(bin)] + '/' + view.notes[countCell(bin)].first + ' ';
            return shown;
        };
        const auto marks = [&] { // on the graph as last cleared
            std::vector<double> heights;
            for (const auto &stroke : view.drawing.strokes) {
                if (stroke.kind == "clear")
                    heights.clear();
                if (stroke.colour == lawColour)
                    heights.push_back(280 - (stroke.y1 + stroke.y2) / 2);
            }
            return heights;
        };
        window.flow.setExtraShown(Extra::ExactLaw, true);
        if (table) {
            QCOMPARE(cells(), "500/1 0/117 0/205 0/205 500/123 0/0 "); // the bins of -10, -3, -2, -1, 1 and 2
            QVERIFY(view.notes[countCell(1)] == std::pair(std::string("0"), lawColour) && view.notes[countTitle(6)].first == text(Text::lawCountTitle));
        } else {
            QCOMPARE(marks().size(), std::size_t(12));
            QCOMPARE(marks()[9], 210 * 1000 / 1024.0);
        }
        window.flow.setExtraShown(Extra::ExactLaw, false);
        QVERIFY(marks().empty());
        if (table)
            QVERIFY(cells() == "500/ 0/ 0/ 0/ 500/ 0/ " && view.notes[countTitle(6)].first.empty());
        window.flow.setExtraShown(Extra::ExactLaw, true);
        const LessonRun run{10, 1000, "-4.5", {500, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 500}};
        QCOMPARE(window.flow.copyText(), resultTable(run, true, false));

        // The panel of coins, and c枚用意したら？: the mean's magnitude offered, rounded up, answers without a number
        // or beyond the guests asked again, Cancel taking the share away. The copy and Taluno3's picture say
        // what is on, the coins a share a line.
        window.flow.setExtraShown(Extra::CoinsPanel, true);
        window.flow.chooseExtra(Extra::CoinsShare);
        QCOMPARE(view.asked.back().defaultText, std::string("5"));
        const std::size_t before = view.asked.size();
        view.answer(window.flow, {"abc", "約8", "11", "9"});
        QVERIFY(view.asked.size() == before + 3 && view.asked.back().title == text(Text::shareCoinsTitle));
        QCOMPARE(view.panels.size(), std::size_t(2));
        QVERIFY(view.panels[0].table == coinsPanel(run));
        QVERIFY(view.panels[1].table == (CellTable{"9枚用意したら", {{"足りた実験：50.0%"}, {"（理論 99.9%）"}}}));
        QVERIFY(view.panels[0].points == panelPoints && view.panels[1].points == sharePoints && view.panels[1].bold);
        QCOMPARE(window.flow.copyText(), resultTable(run, true, true, 9));
        const std::vector<std::string> caption{"お客人数 10　実験回数 1000　不足枚数の平均 -4.5", "赤い印：理論度数", "何枚用意すればよいか（実験／理論）",
                                               "50 %：0枚／2枚", "90 %：10枚／5枚", "95 %：10枚／6枚", "99 %：10枚／8枚",
                                               "9枚用意したら足りた実験：50.0%（理論 99.9%）"};
        QCOMPARE(window.flow.pictureCaption(), table ? std::vector<std::string>{} : caption);
        window.flow.chooseExtra(Extra::CoinsShare);
        QCOMPARE(view.asked.back().defaultText, std::string("9"));
        view.answer(window.flow, {""});
        QVERIFY(view.panels.size() == 1 && window.flow.copyText() == resultTable(run, true, true));
        // No coins at all is a number too, taken at once.
        window.flow.chooseExtra(Extra::CoinsShare);
        view.answer(window.flow, {"0"});
        QVERIFY(!window.flow.waiting() && view.panels.back().table.rows[0][0] == "足りた実験：50.0%");

        // 初期化 forgets the share: the next run shows, copies and saves none.
        window.flow.onClicked(resetButton);
        window.run("10", "1000");
        QVERIFY(view.panels.size() == 1 && window.flow.copyText() == resultTable(run, true, true));
        QCOMPARE(window.flow.pictureCaption(), table ? std::vector<std::string>{} : std::vector<std::string>(caption.begin(), caption.end() - 1));
    }

    void changeShareAndClassResults_data() { programs(); }

    // お釣りの要る人の割合, where a draw of 0.45 is heads at one half and tails at 60 %, and クラスの結果をまとめる.
    void changeShareAndClassResults()
    {
        using namespace BatchControls;
        QFETCH(ProgramNumber, program);
        Window window(program);
        window.random.values = {0.45f};
        RecordingView &view = window.view;
        const bool table = program == ProgramNumber::Taluno2;
        window.flow.onActivated();
        window.run("10", "200");
        QVERIFY(view.texts[meanValue] == "1.0" && !view.visible[changeShareLabel]);
        // Answers out of 1 to 99 % asked again; a change clears the run, ready for a run at the new share.
        const std::size_t before = view.asked.size();
        window.flow.chooseExtra(Extra::ChangePercent);
        view.answer(window.flow, {"0", "99.5", "abc", "60"});
        QVERIFY(view.asked.size() == before + 4 && view.asked.back().title == text(Text::changePercentTitle) && view.asked.back().defaultText == "50");
        QVERIFY(view.visible[changeShareLabel] && view.texts[changeShareLabel] == "お釣りの要る人：60%");
        window.flow.onClicked(helpButton); // which says so
        QCOMPARE(view.helpPercent, 60);
        QVERIFY(view.texts[meanValue].empty() && view.enabled[startButton] && window.flow.copyText().empty());
        window.flow.onClicked(startButton);
        std::vector<int> lowests(12, 0);
        lowests[0] = 200;
        QCOMPARE(window.flow.copyText(), resultTable({10, 200, "-10.0", lowests, 60}, false, false));
        const std::vector<std::string> caption{"お客人数 10　実験回数 200　不足枚数の平均 -10.0", "お釣りの要る人：60%"}; // no extra on, no line for one
        QCOMPARE(window.flow.pictureCaption(), table ? std::vector<std::string>{} : caption);
        // The law beside it is the law at 60 %: a lowest of 1, 24.6 walks in 200 at one half, far fewer.
        window.flow.setExtraShown(Extra::ExactLaw, true);
        if (table)
            QCOMPARE(view.notes[countCell(binOf(1, -57))].first, roundedDecimal(200 * lowestBalanceLaw(10, 60).back(), 0));
        window.flow.setExtraShown(Extra::ExactLaw, false);

        // The class's results in a box of many lines: a line it cannot read named, what was given offered again,
        // then read and shown as a run of 100 guests.
        window.flow.chooseExtra(Extra::PoolResults);
        QVERIFY(view.asked.back().kind == QuestionKind::Lines && view.asked.back().text == text(Text::poolPrompt) && view.asked.back().defaultText.empty());
        view.answer(window.flow, {"-3 １\nx"});
        QVERIFY(view.asked.back().text == "2行目が読めません：「x」\n\n" + std::string(text(Text::poolPrompt)) && view.asked.back().defaultText == "-3 １\nx"
                && view.asked.back().shownLine == 2);
        view.answer(window.flow, {QString(1'000'001, '1')}); // too long to read: not offered again
        QVERIFY(view.asked.back().text == text(Text::tooMuchPasted) + ("\n\n" + std::string(text(Text::poolPrompt))) && view.asked.back().defaultText.empty());
        view.answer(window.flow, {"−3, ▲2\n１"});
        lowests.assign(102, 0);
        lowests[97] = lowests[98] = lowests[101] = 1; // -3, -2 and 1: a mean of -4/3
        const std::string pooled = resultTable({100, 3, "-1.3", lowests, 60}, false, false);
        QVERIFY(view.texts[guestCountValue] == "100" && view.texts[experimentCountValue] == "3" && !view.enabled[startButton]);
        QCOMPARE(window.flow.copyText(), pooled);
        const auto &strokes = view.drawing.strokes; // Taluno3's axis fits three results: 1 to 5
        QCOMPARE(std::any_of(strokes.begin(), strokes.end(), [](const auto &s) { return s.kind == "text" && s.text == "5" && s.y1 == 27; }), !table);
        // Cancel changes nothing.
        window.flow.chooseExtra(Extra::PoolResults);
        QCOMPARE(view.asked.back().defaultText, std::string("−3, ▲2\n１"));
        view.answer(window.flow, {""});
        QCOMPARE(window.flow.copyText(), pooled);
        // Lowest balances alone are taken at the window's share, a copy at the share it was made at, which the
        // window then takes: the label says which, even one half, until 初期化.
        const auto label = [&] { return view.visible[changeShareLabel] ? view.texts[changeShareLabel] : std::string(); };
        QCOMPARE(label(), "お釣りの要る人：60%");
        window.flow.chooseExtra(Extra::PoolResults);
        view.answer(window.flow, {QString::fromStdString(tossTable(std::vector<bool>(100)))});
        lowests.assign(102, 0);
        lowests[0] = 1;
        QVERIFY(label() == "お釣りの要る人：50%" && window.flow.copyText() == resultTable({100, 1, "-100.0", lowests, 50}, false, false));
        window.flow.onClicked(resetButton);
        QCOMPARE(label(), "");
    }

private:
    static void programs()
    {
        QTest::addColumn<ProgramNumber>("program");
        QTest::newRow("Taluno2: the frequency table") << ProgramNumber::Taluno2;
        QTest::newRow("Taluno3: the frequency graph") << ProgramNumber::Taluno3;
    }
};

QTEST_GUILESS_MAIN(TestBatchFlow)
#include "tst_batchflow.moc"
