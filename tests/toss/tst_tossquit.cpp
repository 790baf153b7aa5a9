#include "cuefiles.h"
#include "form1.h"
#include "form2.h"
#include "programloop.h"
#include "testseams.h"

#include <QApplication>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

using Taluno1::Form1;

namespace {

const QString quitQuestion = QStringLiteral("終了していいですか？");
using Answer = BoxAnswerer::Answer;

// Taluno1 as its main() builds it, on the real boxes; its timers ticking after the end are recorded too.
struct Taluno1Program : RealBoxRun
{
    explicit Taluno1Program(QList<BoxAnswerer::Step> answers = {})
        : RealBoxRun(std::move(answers), std::make_unique<ScriptedRandom>(std::vector<float>{0.1f, 0.6f, 0.9f, 0.3f}))
    {
        for (QTimer *timer : {form.Timer1, form.Timer2, form.Timer3}) {
            QObject::connect(timer, &QTimer::timeout, [this, timer] {
                if (ended)
                    afterEnd << timer->objectName() + QStringLiteral(" ticked");
            });
        }
    }

    QList<Form2 *> helpWindows() const
    {
        QList<Form2 *> open;
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            if (auto *help = qobject_cast<Form2 *>(widget); help && help->isVisible())
                open << help;
        }
        return open;
    }

    // The main window and every help window as a reader sees them, and the toss walk's state.
    const ScriptedRandom &scriptedRandom() const { return static_cast<const ScriptedRandom &>(*random); }

    QStringList state() const override
    {
        QStringList lines = windowState(&form);
        const Taluno1::TossExperiment &walk = form.experiment();
        lines << QStringLiteral("toss %1 balance %2 face %3").arg(walk.tossIndex).arg(walk.coinBalance).arg(walk.face);
        for (const Form2 *help : helpWindows())
            lines += windowState(help);
        return lines;
    }

    // One cycle of the automatic run as its timers give it, without waiting for them.
    void cycle()
    {
        for (int frame = 0; frame < 3; ++frame)
            QMetaObject::invokeMethod(form.Timer1, "timeout");
        QMetaObject::invokeMethod(form.Timer2, "timeout");
        if (form.Timer3->isActive())
            QMetaObject::invokeMethod(form.Timer3, "timeout");
    }

    Form1 form{seams};
};

// The states in which 終了 can be pressed.
enum class Before { Fresh, HelpOpen, RunStopped, RunStoppedHelpOpen, HundredthToss };

void addStateRows()
{
    QTest::addColumn<Before>("before");
    QTest::newRow("fresh window") << Before::Fresh;
    QTest::newRow("help window open") << Before::HelpOpen;
    QTest::newRow("run stopped") << Before::RunStopped;
    QTest::newRow("run stopped, help window open") << Before::RunStoppedHelpOpen;
    QTest::newRow("after the 100th toss") << Before::HundredthToss;
}

// Brings the shown window into the state, the way a pupil would, the timers' ticks given at once.
void bringInto(Taluno1Program &program, Before before)
{
    Form1 &form = program.form;
    if (before == Before::HelpOpen || before == Before::RunStoppedHelpOpen) {
        program.click(form.Command6);
        QVERIFY(QTest::qWaitForWindowActive(program.helpWindows().value(0)));
    }
    if (before == Before::RunStopped || before == Before::RunStoppedHelpOpen) {
        program.click(form.Command4);
        for (int toss = 0; toss < 7; ++toss)
            program.cycle();
        program.click(form.Command5);
        QCOMPARE(form.experiment().tossIndex, 8);
    }
    if (before == Before::HundredthToss) {
        program.click(form.Command4);
        for (int toss = 0; toss < 100; ++toss)
            program.cycle();
        QVERIFY(!form.Timer2->isActive());
        QVERIFY(form.Command3->isEnabled());
    }
}

} // namespace

Q_DECLARE_METATYPE(Before)

// How Taluno1 ends: "終了" and its question on the real message box, the frame's close
// control of either window, and its cue files missing or bad.
class TestTossQuit : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { setUpTalunoTest(); }
    void cleanup();
    void yesEndsAtOnce_data() { addStateRows(); }
    void yesEndsAtOnce();
    void noLeavesEverythingAsItWas_data() { addStateRows(); }
    void noLeavesEverythingAsItWas();
    void frameClose_data();
    void frameClose();
    void cueFilesChangeNothing_data();
    void cueFilesChangeNothing();
};

void TestTossQuit::cleanup()
{
    for (QWidget *widget : QApplication::topLevelWidgets())
        widget->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(visibleTopLevels(), 0);
}

void TestTossQuit::yesEndsAtOnce()
{
    QFETCH(Before, before);
    Taluno1Program program({{Answer::Yes}});
    ProgramLoop loop;
    const std::optional<int> status = loop.run({
        {0, [&] {
             program.form.show();
             QVERIFY(QTest::qWaitForWindowActive(&program.form));
             bringInto(program, before);
             program.cues.clear();
         }},
        {50, [&] { program.click(program.form.Command3); }},
    });

    QCOMPARE(loop.stepsRun(), 2);
    QVERIFY2(status.has_value(), "the program did not end");
    QCOMPARE(*status, 0);
    QCOMPARE(program.ends, 1);
    QCOMPARE(program.cues, QStringList{QStringLiteral("endpinpon.wav")});
    QCOMPARE(program.answerer.seen().size(), 1);
    QCOMPARE(program.answerer.seen().at(0).text, quitQuestion);
    QCOMPARE(program.answerer.seen().at(0).title, QStringLiteral("Talunoの実験"));
    QCOMPARE(program.afterEnd, QStringList());
    QCOMPARE(program.state(), program.stateAtEnd);
}

void TestTossQuit::noLeavesEverythingAsItWas()
{
    QFETCH(Before, before);
    Taluno1Program program({{Answer::No}});
    program.form.show();
    QVERIFY(QTest::qWaitForWindowActive(&program.form));
    bringInto(program, before);
    const QStringList was = program.state();
    const int helpWindows = program.helpWindows().size();
    program.cues.clear();

    program.click(program.form.Command3);
    QCOMPARE(program.answerer.titles(), QStringList{QStringLiteral("Talunoの実験")});
    QVERIFY(!program.answerer.ranOut());
    QCOMPARE(program.ends, 0);
    QCOMPARE(program.cues, QStringList{QStringLiteral("endpinpon.wav")}); // it has sounded all the same
    QCOMPARE(program.state(), was);
    QCOMPARE(program.helpWindows().size(), helpWindows);
}

void TestTossQuit::frameClose_data()
{
    QTest::addColumn<bool>("helpFirst");
    QTest::addColumn<bool>("runGoing");
    QTest::addColumn<QString>("closed");  // the window closed by its frame: main, help, or main then help
    QTest::addColumn<bool>("ends");

    QTest::newRow("main window: the program ends") << false << false << "main" << true;
    QTest::newRow("main window during a run: the program ends") << false << true << "main" << true;
    QTest::newRow("help window: the main window stays") << true << false << "help" << false;
    QTest::newRow("main window with help open: the program goes on") << true << false << "main" << false;
    QTest::newRow("main window, then the help window: the program ends") << true << false << "main help" << true;
    QTest::newRow("main window, then the help window's 閉じる: the program ends")
        << true << false << "main 閉じる" << true;
}

void TestTossQuit::frameClose()
{
    QFETCH(bool, helpFirst);
    QFETCH(bool, runGoing);
    QFETCH(QString, closed);
    QFETCH(bool, ends);
    Taluno1Program program;
    Form1 &form = program.form;
    QPointer<Form2> help;
    QList<ProgramLoop::Step> steps{{0, [&] {
                                        form.show();
                                        QVERIFY(QTest::qWaitForWindowActive(&form));
                                        if (helpFirst) {
                                            program.click(form.Command6);
                                            help = program.helpWindows().value(0);
                                            QVERIFY(QTest::qWaitForWindowActive(help));
                                        }
                                        if (runGoing)
                                            program.click(form.Command4);
                                        program.cues.clear();
                                    }}};
    QStringList stillRunning; // each close after which the loop went on to the next step
    std::size_t reseeds = 0;
    for (const QString &window : closed.split(QLatin1Char(' '))) {
        steps << ProgramLoop::Step{100, [&, window] {
            reseeds = program.scriptedRandom().reseeds().size();
            if (window == QLatin1String("main"))
                form.close();
            else if (window == QLatin1String("help"))
                help->close();
            else
                QTest::mouseClick(help->Command1, Qt::LeftButton);
        }};
        steps << ProgramLoop::Step{100, [&, window] { stillRunning << window; }};
    }
    ProgramLoop loop;
    const std::optional<int> status = loop.run(steps, 300);

    QCOMPARE(status.has_value(), ends);
    if (ends)
        QCOMPARE(*status, 0);
    // Each close but the last leaves the program running; so does the last if it does not end it.
    QStringList windows = closed.split(QLatin1Char(' '));
    if (ends)
        windows.removeLast();
    QCOMPARE(stillRunning, windows);
    QCOMPARE(program.ends, 0); // not through the quit confirmation
    QCOMPARE(program.cues, QStringList());
    QCOMPARE(program.answerer.seen().size(), 0);
    if (closed == QLatin1String("help")) {
        // As after "閉じる": the main window is the one to work in again, and its activation reseeds.
        QVERIFY(form.isVisible());
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QCOMPARE(program.scriptedRandom().reseeds().size(), reseeds + 1);
        QVERIFY(!help);
    }
    if (closed == QLatin1String("main"))
        QCOMPARE(program.helpWindows().size(), helpFirst ? 1 : 0);
}

void TestTossQuit::cueFilesChangeNothing_data()
{
    QTest::addColumn<CueFiles>("cues");
    QTest::newRow("absent") << CueFiles::Absent; // first: what the others are held against
    QTest::newRow("empty") << CueFiles::Empty;
    QTest::newRow("not WAV") << CueFiles::NotAWav;
    QTest::newRow("cut short") << CueFiles::CutShort;
    QTest::newRow("whole, no sound device") << CueFiles::Whole;
}

void TestTossQuit::cueFilesChangeNothing()
{
    QFETCH(CueFiles, cues);
    // Whatever the audio stack has to say must not reach the terminal.
    QTest::failOnWarning(QRegularExpression(QStringLiteral(".")));
    const QDir here(QCoreApplication::applicationDirPath());
    QVERIFY(placeCueFiles(here, cues, QDir(QStringLiteral(CUE_FOLDER))));

    Taluno1Program program({{Answer::No}, {Answer::Yes}});
    Form1 &form = program.form;
    QList<std::pair<QString, QStringList>> states;
    const auto after = [&](const char *what) { states.append({QString::fromUtf8(what), program.state()}); };
    // In the program's own event loop: the last click ends it.
    ProgramLoop loop;
    const std::optional<int> status = loop.run({{0, [&] {
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        after("start");
        program.click(form.Command6);
        QVERIFY(QTest::qWaitForWindowActive(program.helpWindows().value(0)));
        after("HELP");
        program.click(form.Command6);
        after("HELP again");
        QTest::mouseClick(program.helpWindows().value(0)->Command1, Qt::LeftButton);
        QVERIFY(QTest::qWaitForWindowActive(&form));
        after("閉じる");
        program.click(form.Command2);
        after("初期化");
        program.click(form.Command4);
        for (int toss = 0; toss < 5; ++toss)
            program.cycle();
        after("自動開始 and five tosses");
        program.click(form.Command5);
        after("自動停止");
        program.click(form.Command2);
        program.click(form.Command2);
        after("初期化 twice");
        program.click(form.Command3);
        after("終了, No");
        program.click(form.Command3);
        after("終了, Yes");
    }}});
    QCOMPARE(status, std::optional<int>(0));
    QTest::qWait(300); // what the audio stack does afterwards, it does now
    QCOMPARE(program.ends, 1);
    QCOMPARE(program.answerer.titles(), QStringList(2, QStringLiteral("Talunoの実験")));
    QCOMPARE(program.cues.size(), 7);
    QVERIFY(placeCueFiles(here, CueFiles::Absent, QDir()));

    static QList<std::pair<QString, QStringList>> withoutFiles;
    if (cues == CueFiles::Absent) {
        withoutFiles = states;
        return;
    }
    QCOMPARE(states.size(), withoutFiles.size());
    for (qsizetype i = 0; i < states.size(); ++i) {
        QCOMPARE(states.at(i).first, withoutFiles.at(i).first);
        QCOMPARE(states.at(i).second, withoutFiles.at(i).second);
    }
}

QTEST_MAIN(TestTossQuit)
#include "tst_tossquit.moc"
