#include "core/batchflow.h"
#include "core/lessonlink.h"
#include "core/mainflow.h"
#include "core/texts.h"
#include "recordingview.h"
#include "scriptedrandom.h"

#include <QTest>

#include <algorithm>

namespace {

// What a reading comes to: the settings it keeps, as a link writes them, then each line of what it left out.
QString outcome(const LessonReading &reading, const std::vector<std::string> &alsoUnused = {})
{
    std::string shown = lessonSettings(reading.lesson);
    for (const auto *lines : {&alsoUnused, &reading.unused}) {
        for (const std::string &line : *lines)
            shown += " | " + line;
    }
    return QString::fromStdString(shown);
}

} // namespace

// The lesson link: the settings a teacher hands out, read as the prompts read a typed answer, written back, and
// what a program opened with them does.
class TestLessonLink : public QObject
{
    Q_OBJECT

private slots:
    // By hand: what each link keeps and what it leaves out, and why.
    void readsALink_data()
    {
        QTest::addColumn<ProgramNumber>("program");
        QTest::addColumn<QString>("link");
        QTest::addColumn<QString>("kept");
        const auto row = [](const char *name, ProgramNumber program, const char *link, const char *kept) {
            QTest::newRow(name) << program << QString::fromUtf8(link) << QString::fromUtf8(kept);
        };
        const auto t1 = ProgramNumber::Taluno1, t2 = ProgramNumber::Taluno2, t3 = ProgramNumber::Taluno3;
        row("every setting of Taluno3", t3, "https://s.jp/t/taluno3.html#guests=35&experiments=1000&share=60&show=law,coins&prepare=5",
            "guests=35&experiments=1000&share=60&show=law,coins&prepare=5");
        row("settings alone, in any order, as typed in full width", t2, "prepare=５&show=coins,law&guests=３５人",
            "guests=35&show=law,coins&prepare=5");
        row("full width, percent-encoded", t2, "#guests=%EF%BC%93%EF%BC%95&share=%2060", "guests=35&share=60");
        row("no settings", t3, "https://s.jp/taluno3.html", "");
        row("the ends of each range", t2, "guests=1000&experiments=10000&share=99&prepare=1000", "guests=1000&experiments=10000&share=99&prepare=1000");
        row("just outside them", t2, "guests=9&experiments=0&share=100&prepare=-1",
            " | お客人数「9」：10以上1000以下の整数ではありません | 実験回数「0」：1以上10000以下の整数ではありません"
            " | お釣りの要る人の割合「100」：1以上99以下の整数ではありません | c枚用意したら？「-1」：0以上1000以下の整数ではありません");
        row("Taluno3 runs at most 1000 experiments", t3, "experiments=1001", " | 実験回数「1001」：1以上1000以下の整数ではありません");
        row("c at most the guests, wherever they stand", t3, "prepare=36&guests=35", "guests=35 | c枚用意したら？「36」：0以上35以下の整数ではありません");
        row("Taluno1: 100 tosses, a walk line and nothing of a batch", t1, "guests=35&experiments=9&show=line,law&prepare=100&share=1",
            "share=1&show=line&prepare=100 | 「お客人数」：Talunoの実験１では使いません | 「実験回数」：Talunoの実験１では使いません"
            " | 表示「law」：Talunoの実験１にない表示です");
        row("Taluno1's c at most 100", t1, "prepare=101", " | c枚用意したら？「101」：0以上100以下の整数ではありません");
        row("a setting given twice: the first", t2, "share=60&share=70", "share=60 | お釣りの要る人の割合「70」：2度目の指定です");
        row("unknown settings, empty pieces, no value", t2, "foo=bar&&=x&guests&show=", " | 「foo=bar」：知らない設定です | 「=x」：知らない設定です"
            " | お客人数「」：10以上1000以下の整数ではありません | 表示「」：Talunoの実験２にない表示です");
        row("markup is quoted, cut at 20 characters", t2, "guests=<img src=x onerror=alert(1)>",
            " | お客人数「<img src=x onerror=a…」：10以上1000以下の整数ではありません");
        row("control characters are not quoted", t2, "%0Ax=%1B%7F", " | 「\uFFFDx=\uFFFD\uFFFD」：知らない設定です");
        row("a language that has a catalogue", t2, "lang=en&share=60", "share=60&lang=en");
        row("a language without a catalogue", t2, "lang=fr", " | 言語「fr」：ない言語です");
        row("another program's page", t3, "https://s.jp/taluno2.html?v=1#share=60", "share=60 | このリンクはTalunoの実験２のものです（Talunoの実験３で開きました）");
    }

    void readsALink()
    {
        QFETCH(ProgramNumber, program);
        QFETCH(QString, link);
        QFETCH(QString, kept);
        QCOMPARE(outcome(readLesson(program, link.toStdString())), kept);
    }

    // Over every program and a spread of every setting: a set-up written as a link reads back as itself.
    void writesWhatItReads()
    {
        const std::string site = *::siteFolder("https://school.example/taluno/");
        int tried = 0;
        for (const ProgramRow &row : programTable()) {
            const bool batch = row.kind != ProgramKind::Walk;
            std::vector<Extra> toggles;
            for (const ExtraRow &extra : row.extras) {
                if (extra.toggle)
                    toggles.push_back(extra.extra);
            }
            const std::vector<std::optional<int>> guests = batch ? std::vector<std::optional<int>>{{}, 10, 1000} : std::vector<std::optional<int>>{{}};
            const std::vector<std::optional<int>> experiments = batch ? std::vector<std::optional<int>>{{}, 1, batchRules(row.number).experiments.highest}
                                                                      : std::vector<std::optional<int>>{{}};
            for (unsigned subset = 0; subset < 1u << toggles.size(); ++subset) {
                for (const auto &g : guests) {
                    for (const auto &e : experiments) {
                        for (const std::optional<int> share : {std::optional<int>(), std::optional(1), std::optional(60), std::optional(99)}) {
                            for (const std::optional<int> prepare : {std::optional<int>(), std::optional(0), std::optional(g.value_or(batch ? 1000 : 100))}) {
                                const std::vector<std::string> &languages = catalogueLanguages();
                                Lesson lesson{g, e, share, prepare, {}, languages[std::size_t(tried) % languages.size()]};
                                for (std::size_t i = 0; i < toggles.size(); ++i) {
                                    if (subset >> i & 1)
                                        lesson.shown.push_back(toggles[i]);
                                }
                                const std::string link = lessonLink(site, row.number, lesson);
                                const LessonReading reading = readLesson(row.number, link);
                                QVERIFY2(reading.lesson == lesson && reading.unused.empty(), link.c_str());
                                ++tried;
                            }
                        }
                    }
                }
            }
        }
        QCOMPARE(lessonLink("https://s.jp/", ProgramNumber::Taluno2, {35, {}, {}, {}, {}, {}}), "https://s.jp/taluno2.html#guests=35&lang=ja");
        QCOMPARE(tried, 24 + 2 * 4 * 9 * 12);
    }

    void siteFolder_data()
    {
        QTest::addColumn<QString>("given");
        QTest::addColumn<QString>("folder");
        const auto row = [](const char *given, const char *folder) { QTest::newRow(given) << QString(given) << QString(folder); };
        row("https://school.example/taluno/", "https://school.example/taluno/");
        row("  HTTPS://x.jp/a.b/taluno \n", "HTTPS://x.jp/a.b/taluno/");
        row("https://x.jp", "https://x.jp/");
        row("http://127.0.0.1:8080/site/index.html?x=1#guests=3", "http://127.0.0.1:8080/site/");
        row("https://x.jp/t/taluno3.html#share=60", "https://x.jp/t/");
        for (const char *refused : {"javascript:alert(1)", "file:///home/t/site/", "https://", "https:///x", "https://x.jp/a b/", "https://x.jp/\"><b>",
                                    "ftp://x.jp/", "x.jp/taluno/", ""})
            row(refused, "");
        // The longest a link's QR code holds, with the page's name and every setting.
        QTest::newRow("2000 characters") << "https://x.jp/" + QString(1986, 'a') << "https://x.jp/" + QString(1986, 'a') + '/';
        QTest::newRow("2001 characters") << "https://x.jp/" + QString(1987, 'a') + '/' << QString();
    }

    void siteFolder()
    {
        QFETCH(QString, given);
        QFETCH(QString, folder);
        QCOMPARE(QString::fromStdString(::siteFolder(given.toStdString()).value_or("")), folder);
    }

    // The command line comes to the settings of a link, each value one value whatever it holds.
    void commandLine_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("kept");
        QTest::newRow("options") << QStringList{"--guests", "35", "--share=60", "--show", "law,coins", "--experiments", "1000", "--prepare", "5"}
                                 << "guests=35&experiments=1000&share=60&show=law,coins&prepare=5";
        QTest::newRow("a link, and an option besides") << QStringList{"https://s.jp/taluno3.html#guests=35", "--share", "60"} << "guests=35&share=60";
        QTest::newRow("a link to another page") << QStringList{"https://s.jp/taluno2.html"} << " | このリンクはTalunoの実験２のものです（Talunoの実験３で開きました）";
        QTest::newRow("a value holds no other setting") << QStringList{"--guests", "35&share=1", "--show=law&x=1"} << "guests=35 | 表示「law&x=1」：Talunoの実験３にない表示です";
        QTest::newRow("what is not known") << QStringList{"--bogus", "stray", "--guests"}
                                           << " | 「--bogus」：知らないオプションです | 「stray」：授業のリンクではありません | 「--guests」：値がありません";
    }

    void commandLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, kept);
        std::vector<std::string> given;
        for (const QString &argument : arguments)
            given.push_back(argument.toStdString());
        const CommandLine line = readCommandLine(given);
        QVERIFY(!line.help);
        QCOMPARE(outcome(readLesson(ProgramNumber::Taluno3, line.settings), line.unused), kept);
        QVERIFY(readCommandLine({"--share", "1", "-h"}).help && readCommandLine({"--help"}).help);
    }

    // The help names each program's own options with their ranges.
    void commandLineHelp()
    {
        const std::string walk = ::commandLineHelp(ProgramNumber::Taluno1), table = ::commandLineHelp(ProgramNumber::Taluno2),
                          graph = ::commandLineHelp(ProgramNumber::Taluno3);
        QVERIFY(walk.starts_with("使い方: Taluno1 ") && walk.find("--guests") == std::string::npos && walk.find("line（折れ線グラフ）") != std::string::npos);
        QVERIFY(table.find("実験回数（1～10000）") != std::string::npos && graph.find("実験回数（1～1000）") != std::string::npos);
        QVERIFY(graph.find("お客人数（10～1000）") != std::string::npos && graph.find("law（理論値）、coins（何枚用意すればよいか）") != std::string::npos);
    }

    // However many parts a link leaves out, the notice lists eight and counts the rest; a link of a megabyte is read.
    void notice()
    {
        QCOMPARE(unusedNotice({}), "");
        const std::string first = "授業のリンクの設定のうち、次のものは使いませんでした。";
        QCOMPARE(unusedNotice({"a", "b"}), first + "\n・a\n・b");
        std::string link;
        for (int i = 0; i < 100'000; ++i)
            link += "x" + std::to_string(i) + "=1&";
        const std::string notice = unusedNotice(readLesson(ProgramNumber::Taluno2, link).unused);
        QCOMPARE(notice.substr(notice.rfind('\n')), "\n・ほか99992件");
        QCOMPARE(std::count(notice.begin(), notice.end(), '\n'), 9);
    }

    void batchWindow_data()
    {
        QTest::addColumn<ProgramNumber>("program");
        QTest::newRow("Taluno2") << ProgramNumber::Taluno2;
        QTest::newRow("Taluno3") << ProgramNumber::Taluno3;
    }

    // Opened with a lesson: the notice first, then the prompts offering the link's settings, every run at its share
    // with its toggles and c; the set-up handed on is the one in use.
    void batchWindow()
    {
        QFETCH(ProgramNumber, program);
        RecordingView view(batchWindowLayout(program));
        ScriptedRandom random;
        FixedClock clock;
        BatchFlow flow(view, batchRules(program), random, clock);
        const std::string settings = "guests=35&experiments=1000&share=60&show=law,coins&prepare=5";
        flow.openLesson(readLesson(program, settings + "&zzz"));
        QCOMPARE(view.texts[BatchControls::changeShareLabel], "お釣りの要る人：60%");
        flow.onActivated();
        QVERIFY(view.asked.size() == 1 && view.asked[0].kind == QuestionKind::Message && view.asked[0].title == text(Text::unusedNoticeTitle));
        QCOMPARE(view.asked[0].text, unusedNotice({"「zzz」：知らない設定です"}));
        QCOMPARE(lessonSettings(flow.lesson()), settings); // offered, not yet taken
        view.answer(flow, {"ok", "35", "1000"});
        QVERIFY(view.asked[1].defaultText == "35" && view.asked[2].defaultText == "1000");
        flow.onClicked(BatchControls::startButton);
        QVERIFY(view.panels.size() == 2 && view.panels[1].table.heading == "5枚用意したら");
        QVERIFY(flow.copyText().find(text(Text::lawCountTitle)) != std::string::npos);
        // The pupil's own settings are handed on, and c whatever it was changed to; 初期化 offers the link's again.
        flow.chooseExtra(Extra::CoinsShare);
        view.answer(flow, {"7"});
        flow.onClicked(BatchControls::resetButton);
        view.answer(flow, {"50", "20"});
        QCOMPARE(view.asked.size(), std::size_t(6));
        QVERIFY(view.asked[4].defaultText == "35" && view.asked[5].defaultText == "1000");
        QCOMPARE(lessonSettings(flow.lesson()), "guests=50&experiments=20&share=60&show=law,coins&prepare=5");
        flow.onClicked(BatchControls::startButton);
        flow.chooseExtra(Extra::CoinsShare);
        view.answer(flow, {"7"});
        flow.setExtraShown(Extra::ExactLaw, false);
        QCOMPARE(lessonSettings(flow.lesson()), "guests=50&experiments=20&share=60&show=coins&prepare=7");
    }

    // Taluno1 opened with a lesson: the walk at its share, wide, with its coins; nothing asked.
    void walkWindow()
    {
        RecordingView view(tossWindowLayout());
        ScriptedRandom random;
        FixedClock clock;
        const auto flow = makeMainFlow(ProgramNumber::Taluno1, view, random, clock);
        const std::string settings = "share=40&show=line&prepare=4";
        flow->openLesson(readLesson(ProgramNumber::Taluno1, settings));
        flow->onActivated();
        QVERIFY(view.asked.empty() && random.reseeds.size() == 1);
        QVERIFY(view.windowWidth == tossWindowLayout().widestWidth && view.visible[TossControls::walkGraph]);
        QCOMPARE(view.texts[TossControls::changeShareLabel], "お釣りの要る人：40%");
        QCOMPARE(lessonSettings(flow->lesson()), settings);
        flow->setExtraShown(Extra::WalkLine, false);
        QCOMPARE(lessonSettings(flow->lesson()), "share=40&prepare=4");
    }
};

QTEST_GUILESS_MAIN(TestLessonLink)
#include "tst_lessonlink.moc"
