#ifndef BATCHQUITTEST_H
#define BATCHQUITTEST_H

// How Taluno2 and Taluno3 end: one test, run by each program's test binary on its own main window.

#include "batchform.h"
#include "cuefiles.h"
#include "form2.h"
#include "inplacehelp.h"
#include "pseudorandom.h"
#include "programloop.h"
#include "testseams.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

#include <functional>
#include <memory>

using MakeMain = std::function<BatchForm *(const Seams &)>;

// The program as its main() builds it, on the real boxes.
struct BatchRun : RealBoxRun
{
    BatchRun(int number, const MakeMain &make, QList<BoxAnswerer::Step> answers)
        : RealBoxRun(std::move(answers), std::make_unique<PseudoRandom>(2024))
        , program(number, [this, make] { return make(seams); })
    {
    }

    BatchForm *main() const { return static_cast<BatchForm *>(program.mainWindow()); }

    // Whichever window is shown, as a reader sees it.
    QStringList state() const override { return windowState(main()) + windowState(program.helpWindow()); }

    // Waits until the boxes answered so far number `count`.
    bool answered(int count) const
    {
        return QTest::qWaitFor([this, count] { return answerer.seen().size() >= count && !QApplication::activeModalWidget(); });
    }

    InPlaceHelp program;
};

// What is done after start-up and before the step under test.
enum class Lead { Settings, Run, RunAndReset, HelpVisit };
Q_DECLARE_METATYPE(Lead)

class TestBatchQuit : public QObject
{
    Q_OBJECT

public:
    TestBatchQuit(int number, MakeMain make, QString experimentDefault)
        : m_number(number)
        , m_make(std::move(make))
        , m_experimentDefault(std::move(experimentDefault))
    {
    }

private slots:
    void initTestCase() { setUpTalunoTest(); }

    void cleanup()
    {
        for (QWidget *widget : QApplication::topLevelWidgets())
            widget->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(visibleTopLevels(), 0);
    }

    void cancelThenYesEnds_data()
    {
        QTest::addColumn<Lead>("lead"); // Settings: the prompts at start-up
        QTest::addColumn<QList<BoxAnswerer::Step>>("answers");
        QTest::addColumn<QStringList>("titles");
        QTest::addColumn<QString>("guests");
        const Step ok{Answer::Ok}, cancel{Answer::Cancel}, yes{Answer::Yes}, no{Answer::No};
        QTest::newRow("guest count at start-up")
            << Lead::Settings << Steps{cancel, yes} << QStringList{guestTitle, confirmTitle} << "";
        QTest::newRow("experiment count at start-up")
            << Lead::Settings << Steps{ok, cancel, yes} << QStringList{guestTitle, experimentTitle, confirmTitle}
            << "100";
        QTest::newRow("guest count at start-up, No first")
            << Lead::Settings << Steps{cancel, no, cancel, yes}
            << QStringList{guestTitle, confirmTitle, guestTitle, confirmTitle} << "";
        QTest::newRow("guest count during 初期化")
            << Lead::RunAndReset << Steps{cancel, yes} << QStringList{guestTitle, confirmTitle} << "";
        QTest::newRow("experiment count during 初期化")
            << Lead::RunAndReset << Steps{Step{Answer::Ok, QStringLiteral("250")}, cancel, yes}
            << QStringList{guestTitle, experimentTitle, confirmTitle} << "250";
        QTest::newRow("experiment count during 初期化, No first")
            << Lead::RunAndReset << Steps{ok, cancel, no, cancel, yes}
            << QStringList{guestTitle, experimentTitle, confirmTitle, experimentTitle, confirmTitle} << "100";
        QTest::newRow("guest count after the help window's 閉じる")
            << Lead::HelpVisit << Steps{cancel, yes} << QStringList{guestTitle, confirmTitle} << "";
    }

    void cancelThenYesEnds()
    {
        QFETCH(Lead, lead);
        QFETCH(QList<BoxAnswerer::Step>, answers);
        QFETCH(QStringList, titles);
        QFETCH(QString, guests);
        const Steps startUp = lead == Lead::Settings ? Steps{} : Steps{{Answer::Ok}, {Answer::Ok}};
        BatchRun run(m_number, m_make, startUp + answers);
        ProgramLoop loop;
        QList<ProgramLoop::Step> steps{{0, [&] { run.program.showMain(); }}};
        if (lead != Lead::Settings) {
            steps << ProgramLoop::Step{0, [&] {
                QVERIFY(run.answered(2));
                run.click(run.main()->Command1);
                run.cues.clear();
                if (lead == Lead::RunAndReset) {
                    run.click(run.main()->Command3);
                } else {
                    run.click(run.main()->Command4);
                    QVERIFY(QTest::qWaitForWindowActive(run.program.helpWindow()));
                    run.click(run.program.helpWindow()->Command1);
                }
            }};
        }
        const std::optional<int> status = loop.run(steps);

        QVERIFY2(status.has_value(), "the program did not end");
        QCOMPARE(*status, 0);
        QCOMPARE(run.ends, 1);
        QVERIFY(!run.answerer.ranOut());
        QStringList asked = run.answerer.titles().mid(startUp.size());
        QCOMPARE(asked, titles);
        // A prompt asked again after No shows its default, not what was typed before.
        for (const BoxAnswerer::Seen &box : run.answerer.seen()) {
            if (box.title == guestTitle)
                QCOMPARE(box.shownText, QStringLiteral("100"));
            else if (box.title == experimentTitle)
                QCOMPARE(box.shownText, m_experimentDefault);
            else
                QCOMPARE(box.text, QStringLiteral("終了していいですか？"));
            QVERIFY(!box.afterEnd);
        }
        QCOMPARE(run.cues, lead == Lead::Settings ? QStringList() : QStringList{QStringLiteral("pinpon.wav")});
        QCOMPARE(run.afterEnd, QStringList());
        QCOMPARE(run.state(), run.stateAtEnd);
        QCOMPARE(run.main()->Label82->text(), guests);
        QCOMPARE(run.main()->Label2->text(), QString());
        QCOMPARE(run.main()->Label3->text(), QString()); // the run was cleared before the asking
    }

    void quitAnswered_data()
    {
        QTest::addColumn<Lead>("lead");
        QTest::addColumn<bool>("yes");
        for (const bool yes : {true, false}) {
            const char *answer = yes ? "Yes" : "No";
            QTest::addRow("%s after the settings", answer) << Lead::Settings << yes;
            QTest::addRow("%s after a run", answer) << Lead::Run << yes;
            QTest::addRow("%s after a run and 初期化", answer) << Lead::RunAndReset << yes;
            QTest::addRow("%s after a visit to the help window", answer) << Lead::HelpVisit << yes;
        }
    }

    // Yes ends the program at once and nothing runs after; No leaves every caption as it was.
    void quitAnswered()
    {
        QFETCH(Lead, lead);
        QFETCH(bool, yes);
        const int leadAnswers = lead == Lead::Settings || lead == Lead::Run ? 2 : 4;
        BatchRun run(m_number, m_make, Steps(leadAnswers, Step{Answer::Ok}) + Steps{{yes ? Answer::Yes : Answer::No}});
        QStringList was;
        ProgramLoop loop;
        const std::optional<int> status = loop.run({
            {0, [&] { run.program.showMain(); }},
            {0, [&] {
                 QVERIFY(run.answered(2));
                 if (lead != Lead::Settings && lead != Lead::HelpVisit)
                     run.click(run.main()->Command1);
                 if (lead == Lead::RunAndReset)
                     run.click(run.main()->Command3);
                 if (lead == Lead::HelpVisit) {
                     run.click(run.main()->Command4);
                     QVERIFY(QTest::qWaitForWindowActive(run.program.helpWindow()));
                     run.click(run.program.helpWindow()->Command1);
                 }
                 QVERIFY(run.answered(leadAnswers));
                 was = run.state();
                 run.cues.clear();
             }},
            {0, [&] { run.click(run.main()->Command2); }},
        }, yes ? 2000 : 200);

        QCOMPARE(loop.stepsRun(), 3);
        QCOMPARE(run.cues, QStringList{QStringLiteral("endpinpon.wav")});
        QCOMPARE(run.answerer.seen().constLast().title, QStringLiteral("Talunoの実験"));
        QCOMPARE(run.answerer.seen().size(), leadAnswers + 1);
        QVERIFY(!run.answerer.ranOut());
        QCOMPARE(run.state(), was);
        if (yes) {
            QCOMPARE(status, std::optional<int>(0));
            QCOMPARE(run.ends, 1);
            QCOMPARE(run.afterEnd, QStringList());
        } else {
            QVERIFY2(!status.has_value(), "the program ended after No");
            QCOMPARE(run.ends, 0);
        }
    }

    void frameCloseEnds_data()
    {
        QTest::addColumn<Lead>("lead");
        QTest::addColumn<bool>("help");
        QTest::newRow("main window at start-up") << Lead::Settings << false;
        QTest::newRow("main window after a run") << Lead::Run << false;
        QTest::newRow("main window built again by 閉じる") << Lead::HelpVisit << false;
        QTest::newRow("help window") << Lead::Settings << true;
        QTest::newRow("help window after a run") << Lead::Run << true;
    }

    // Neither a cue nor a question: the window goes, and with it the program.
    void frameCloseEnds()
    {
        QFETCH(Lead, lead);
        QFETCH(bool, help);
        const int answers = lead == Lead::HelpVisit ? 4 : 2;
        BatchRun run(m_number, m_make, Steps(answers, Step{Answer::Ok}));
        ProgramLoop loop;
        const std::optional<int> status = loop.run({
            {0, [&] { run.program.showMain(); }},
            {0, [&] {
                 QVERIFY(run.answered(2));
                 if (lead == Lead::Run)
                     run.click(run.main()->Command1);
                 if (lead == Lead::HelpVisit || help) {
                     run.click(run.main()->Command4);
                     QVERIFY(QTest::qWaitForWindowActive(run.program.helpWindow()));
                 }
                 if (lead == Lead::HelpVisit) {
                     run.click(run.program.helpWindow()->Command1);
                     QVERIFY(run.answered(4));
                 }
                 run.cues.clear();
             }},
            {50, [&] {
                 if (help)
                     run.program.helpWindow()->close();
                 else
                     run.main()->close();
             }},
        });

        QCOMPARE(loop.stepsRun(), 3);
        QCOMPARE(status, std::optional<int>(0));
        QCOMPARE(run.ends, 0);
        QCOMPARE(run.cues, QStringList());
        QCOMPARE(run.answerer.seen().size(), answers);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(visibleTopLevels(), 0);
    }

    void cueFilesChangeNothing_data()
    {
        QTest::addColumn<CueFiles>("cues");
        QTest::newRow("absent") << CueFiles::Absent; // first: what the others are held against
        QTest::newRow("empty") << CueFiles::Empty;
        QTest::newRow("not WAV") << CueFiles::NotAWav;
        QTest::newRow("cut short") << CueFiles::CutShort;
        QTest::newRow("whole, no sound device") << CueFiles::Whole;
    }

    void cueFilesChangeNothing()
    {
        QFETCH(CueFiles, cues);
        // Whatever the audio stack has to say must not reach the terminal.
        QTest::failOnWarning(QRegularExpression(QStringLiteral(".")));
        const QDir here(QCoreApplication::applicationDirPath());
        QVERIFY(placeCueFiles(here, cues, QDir(QStringLiteral(CUE_FOLDER))));

        BatchRun run(m_number, m_make, Steps(8, Step{Answer::Ok}) + Steps{{Answer::No}, {Answer::Yes}});
        QList<std::pair<QString, QStringList>> states;
        const auto after = [&](const char *what) { states.append({QString::fromUtf8(what), run.state()}); };
        ProgramLoop loop;
        const std::optional<int> status = loop.run({{0, [&] { run.program.showMain(); }}, {0, [&] {
            QVERIFY(run.answered(2));
            after("start-up and its settings");
            run.click(run.main()->Command4);
            QVERIFY(QTest::qWaitForWindowActive(run.program.helpWindow()));
            after("HELP");
            run.click(run.program.helpWindow()->Command1);
            QVERIFY(run.answered(4));
            after("閉じる and the settings");
            run.click(run.main()->Command3);
            QVERIFY(run.answered(6));
            after("初期化 and the settings");
            run.click(run.main()->Command1);
            after("実験開始");
            run.click(run.main()->Command3);
            QVERIFY(run.answered(8));
            after("初期化 after the run");
            run.click(run.main()->Command2);
            after("終了, No");
            run.click(run.main()->Command2);
            after("終了, Yes");
        }}});
        QCOMPARE(status, std::optional<int>(0));
        QTest::qWait(300); // what the audio stack does afterwards, it does now
        QCOMPARE(run.ends, 1);
        QCOMPARE(run.cues.size(), 5);
        QVERIFY(!run.answerer.ranOut());
        QVERIFY(placeCueFiles(here, CueFiles::Absent, QDir()));

        if (cues == CueFiles::Absent) {
            m_withoutFiles = states;
            return;
        }
        QCOMPARE(states.size(), m_withoutFiles.size());
        for (qsizetype i = 0; i < states.size(); ++i) {
            QCOMPARE(states.at(i).first, m_withoutFiles.at(i).first);
            QCOMPARE(states.at(i).second, m_withoutFiles.at(i).second);
        }
    }

private:
    using Answer = BoxAnswerer::Answer;
    using Step = BoxAnswerer::Step;
    using Steps = QList<BoxAnswerer::Step>;
    const QString guestTitle = QStringLiteral(" お客人数の設定");
    const QString experimentTitle = QStringLiteral(" 実験回数の設定");
    const QString confirmTitle = QStringLiteral("確認");

    int m_number;
    MakeMain m_make;
    QString m_experimentDefault;
    QList<std::pair<QString, QStringList>> m_withoutFiles;
};

// The test's main(), as QTEST_MAIN would write it, with the program's own main window.
inline int runBatchQuitTest(int argc, char *argv[], int number, MakeMain make, const QString &experimentDefault)
{
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    TestBatchQuit test(number, std::move(make), experimentDefault);
    return QTest::qExec(&test, argc, argv);
}

#endif
