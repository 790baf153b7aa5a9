#include "coinimage.h"
#include "form1.h"
#include "form2.h"
#include "pseudorandom.h"
#include "testseams.h"
#include "tossexperiment.h"
#include "tossview.h"

#include <QApplication>
#include <QColor>
#include <QDeadlineTimer>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>
#include <random>

using namespace Taluno1;

namespace {

// What a pupil, the timers or the window frame can do next.
enum Event {
    Click1, Click2, Click3, Click4, Click5, Click6,
    Tick1, Tick2, Tick3,
    ActivateMain, ActivateHelp, CloseHelp,
    eventKinds
};
const char *const eventNames[eventKinds] = {
    "click コイン止まる", "click 初期化", "click 終了, answered No", "click 自動開始", "click 自動停止", "click HELP",
    "tick Timer1", "tick Timer2", "tick Timer3",
    "main window activated", "help window activated", "help window closed by its frame"};
// How often each comes up when it can. 初期化 is rare so that walks reach the 100th toss.
const int eventWeights[eventKinds] = {20, 1, 10, 20, 10, 10, 40, 40, 40, 10, 10, 10};

bool isClick(Event event)
{
    return event <= Click6;
}

// The button and timer states each handler leaves: Command1 to Command6, then Timer1 to Timer3;
// 1 on, 0 off, - unchanged. These rows, not the code, are what the walk holds the program to.
const QString designRow = QStringLiteral("011101000");
const QString tossRow = QStringLiteral("01-1--0--");
const QString lastTossRow = QStringLiteral("01100-000");
const QString afterTimer2Row = QStringLiteral("------00-");
const QString startRow = QStringLiteral("100010111");
const QString stopRow = QStringLiteral("-11111000");
const QString initialiseRow = QStringLiteral("0-11--000");

const QString headsText = QStringLiteral("表");
const QString tailsText = QStringLiteral("裏");
const QColor headsColour(0, 0, 255);
const QColor tailsColour(255, 0, 0);

// What the window shows, in the same terms whether recorded from the logic or read off widgets.
struct Shown
{
    std::array<QString, 101> result;
    std::array<QColor, 101> colour;
    std::array<QString, 101> balance;
    std::array<bool, 3> coin = {false, true, false};
    QString states = designRow;
};

// What the walk expects after each event.
struct Model
{
    QString states = designRow;
    int tosses = 0;
    bool helpOpen = false;
    bool mainActive = true;
    int reseeds = 1; // the window's first showing
    float lastReseed = 0;
    int draws = 0;
    bool tossed = false;

    bool possible(Event event, bool commandOneClickable) const
    {
        switch (event) {
        case Click1:
            return commandOneClickable && states[0] == '1';
        case Click2: case Click3: case Click4: case Click5: case Click6:
            return states[event - Click1] == '1';
        case Tick1: case Tick2: case Tick3:
            return states[6 + event - Tick1] == '1';
        case ActivateMain:
            return !mainActive;
        case ActivateHelp:
            return helpOpen && mainActive;
        case CloseHelp:
            return helpOpen;
        case eventKinds:
            break;
        }
        return false;
    }

    void handle(Event event, float now)
    {
        tossed = false;
        switch (event) {
        case Click1:
            toss();
            break;
        case Click2:
            apply(initialiseRow);
            tosses = 0;
            break;
        case Click3: case Tick1: // a spin frame or a quit answered No may change no state
            break;
        case Click4: case Tick3:
            apply(startRow);
            break;
        case Click5:
            apply(stopRow);
            break;
        case Click6:
            helpOpen = true;
            mainActive = false;
            break;
        case Tick2:
            toss();
            apply(afterTimer2Row);
            break;
        case ActivateMain:
            activateMain(now);
            break;
        case ActivateHelp:
            mainActive = false;
            break;
        case CloseHelp:
            helpOpen = false;
            if (!mainActive)
                activateMain(now);
            break;
        case eventKinds:
            break;
        }
    }

private:
    void apply(const QString &row)
    {
        for (int i = 0; i < row.size(); ++i) {
            if (row[i] != '-')
                states[i] = row[i];
        }
    }
    void toss()
    {
        tosses = std::min(tosses + 1, TossExperiment::tossCount);
        ++draws;
        tossed = true;
        apply(tosses == TossExperiment::tossCount ? lastTossRow : tossRow);
    }
    void activateMain(float now)
    {
        mainActive = true;
        ++reseeds;
        lastReseed = now;
    }
};

// The seeded generator of the tosses, telling what it gave.
class RecordingRandom : public RandomSource
{
public:
    explicit RecordingRandom(std::uint64_t seed) : m_inner(seed) {}
    void reseed(float value) override
    {
        ++reseeds;
        lastReseed = value;
        m_inner.reseed(value);
    }
    float next() override
    {
        ++draws;
        return last = m_inner.next();
    }

    int reseeds = 0;
    float lastReseed = 0;
    int draws = 0;
    float last = 0;

private:
    PseudoRandom m_inner;
};

// Keeps what the logic set, starting from the window's design state.
class RecordingView : public TossView
{
public:
    Shown shown;

    void setResultText(int cell, const QString &text) override { shown.result.at(cell) = text; }
    void setResultColour(int cell, const QColor &colour) override { shown.colour.at(cell) = colour; }
    void setBalanceText(int cell, const QString &text) override { shown.balance.at(cell) = text; }
    void setCoinVisible(int picture, bool visible) override { shown.coin.at(picture) = visible; }
    void setButtonEnabled(Button button, bool on) override { shown.states[int(button) - 1] = on ? '1' : '0'; }
    void setTimerRunning(Timer timer, bool on) override { shown.states[5 + int(timer)] = on ? '1' : '0'; }
    void playCue(const QString &) override {}
};

// The first invariant of the toss walk that does not hold after `event`, or an empty text.
QString brokenInvariant(Event event, const Shown &shown, const TossExperiment &experiment, const Model &model,
                        const RecordingRandom &random)
{
    if (shown.coin[1] == shown.coin[2])
        return shown.coin[1] ? QStringLiteral("both coin pictures show") : QStringLiteral("no coin picture shows");

    int filled = 0, heads = 0, tails = 0;
    for (int k = 1; k <= TossExperiment::tossCount; ++k) {
        if (shown.result[k].isEmpty()) {
            if (!shown.balance[k].isEmpty())
                return QStringLiteral("cell %1 has a balance \"%2\" but no face").arg(k).arg(shown.balance[k]);
            continue;
        }
        if (k != filled + 1)
            return QStringLiteral("cell %1 is written after the empty cell %2").arg(k).arg(filled + 1);
        ++filled;
        if (shown.result[k] == headsText && shown.colour[k] == headsColour)
            ++heads;
        else if (shown.result[k] == tailsText && shown.colour[k] == tailsColour)
            ++tails;
        else
            return QStringLiteral("cell %1 shows \"%2\" in %3").arg(k).arg(shown.result[k], shown.colour[k].name());
        if (shown.balance[k] != QString::number(heads - tails))
            return QStringLiteral("balance cell %1 shows \"%2\", heads minus tails so far is %3")
                .arg(k).arg(shown.balance[k]).arg(heads - tails);
    }
    if (experiment.coinBalance != heads - tails)
        return QStringLiteral("coinBalance %1, the table has %2 heads and %3 tails")
            .arg(experiment.coinBalance).arg(heads).arg(tails);
    if (filled != model.tosses)
        return QStringLiteral("%1 cells filled, %2 tosses made").arg(filled).arg(model.tosses);
    const int nextCell = filled < TossExperiment::tossCount ? filled + 1 : TossExperiment::tossCount;
    if (experiment.tossIndex != nextCell)
        return QStringLiteral("tossIndex %1 with %2 cells filled").arg(experiment.tossIndex).arg(filled);
    if ((experiment.face != 1 && experiment.face != 2) || (experiment.spinFrame != 1 && experiment.spinFrame != 2))
        return QStringLiteral("face %1, spinFrame %2").arg(experiment.face).arg(experiment.spinFrame);

    if (random.draws != model.draws)
        return QStringLiteral("%1 random values drawn for %2 tosses").arg(random.draws).arg(model.draws);
    if (model.tossed) {
        const int face = random.last < 0.5f ? 1 : 2;
        if (shown.result[model.tosses] != (face == 1 ? headsText : tailsText))
            return QStringLiteral("the toss drew %1 but cell %2 shows \"%3\"")
                .arg(random.last).arg(model.tosses).arg(shown.result[model.tosses]);
        if (!shown.coin[face])
            return QStringLiteral("the coin does not stop on the face tossed");
    }
    if (event == Click2 && !shown.coin[1])
        return QStringLiteral("初期化 leaves the tails picture showing");
    if (random.reseeds != model.reseeds || (model.reseeds > 1 && random.lastReseed != model.lastReseed))
        return QStringLiteral("%1 reseeds, the last from %2; expected %3, the last from %4")
            .arg(random.reseeds).arg(random.lastReseed).arg(model.reseeds).arg(model.lastReseed);

    if (shown.states != model.states)
        return QStringLiteral("buttons and timers %1, expected %2").arg(shown.states, model.states);
    return {};
}

// One random walk: the same model and invariants whether it drives the logic or the window.
struct Walk
{
    std::uint32_t seed;
    bool commandOneClickable;
    const TossExperiment &experiment;
    RecordingRandom &random;
    FixedClock &clock;
    std::function<QString(Event, const Model &before)> perform; // an empty text when it could be done
    std::function<Shown()> shown;

    std::array<int, eventKinds> counts = {};
    int finishedRuns = 0;
    int midRunInitialisations = 0;
    int steps = 0;

    // The first broken invariant, with the seed and the events that led to it; empty if none.
    QString run(int events)
    {
        std::mt19937 pick(seed);
        Model model;
        QStringList recent;
        QString broken = brokenInvariant(eventKinds, shown(), experiment, model, random);
        for (int n = 1; n <= events && broken.isEmpty(); ++n) {
            Event event = next(pick, model);
            if (event == eventKinds) {
                broken = QStringLiteral("nothing can happen any more");
                break;
            }
            // A click into the main window while the help window is in front first brings it back.
            if (isClick(event) && !model.mainActive)
                broken = step(ActivateMain, model, recent);
            if (broken.isEmpty())
                broken = step(event, model, recent);
            if (!broken.isEmpty())
                return QStringLiteral("seed %1, after %2 events: %3\n   the last of them: %4")
                    .arg(seed).arg(steps).arg(broken, recent.join(QStringLiteral(", ")));
        }
        return broken;
    }

private:
    Event next(std::mt19937 &pick, const Model &model) const
    {
        // Plain modulo rather than a std distribution, so that a seed replays the same on every library.
        int total = 0;
        for (int e = 0; e < eventKinds; ++e)
            total += model.possible(Event(e), commandOneClickable) ? eventWeights[e] : 0;
        if (total == 0)
            return eventKinds;
        int x = int(pick() % std::uint32_t(total));
        for (int e = 0; e < eventKinds; ++e) {
            if (!model.possible(Event(e), commandOneClickable))
                continue;
            if (x < eventWeights[e])
                return Event(e);
            x -= eventWeights[e];
        }
        return eventKinds;
    }

    QString step(Event event, Model &model, QStringList &recent)
    {
        ++counts[event];
        clock.set(36000.0 + 0.25 * ++steps);
        if (event == Click2 && model.states[8] == '1')
            ++midRunInitialisations;
        recent << QString::fromUtf8(eventNames[event]);
        if (recent.size() > 12)
            recent.removeFirst();

        const Model before = model;
        model.handle(event, float(clock.secondsSinceMidnight()));
        if (model.tossed && model.tosses == TossExperiment::tossCount)
            ++finishedRuns;
        if (QString failed = perform(event, before); !failed.isEmpty())
            return failed;
        return brokenInvariant(event, shown(), experiment, model, random);
    }
};

QString coverageGaps(const Walk &walk, bool commandOneClickable)
{
    QStringList missing;
    for (int e = commandOneClickable ? 0 : 1; e < eventKinds; ++e) {
        if (walk.counts[e] == 0)
            missing << QString::fromUtf8(eventNames[e]);
    }
    return missing.join(QStringLiteral(", "));
}

QPointer<Form2> openHelpWindow()
{
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (auto *help = qobject_cast<Form2 *>(widget); help && help->isVisible())
            return help;
    }
    return nullptr;
}

// Lets activation and deferred deletion through but no timer: the walk alone decides what ticks.
bool settle(const std::function<bool()> &done)
{
    const QDeadlineTimer deadline(5000);
    while (!done() && !deadline.hasExpired()) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents(QEventLoop::X11ExcludeTimers);
    }
    return done();
}

Shown shownBy(const Form1 &form)
{
    Shown shown;
    for (int k = 1; k <= TossExperiment::tossCount; ++k) {
        shown.result[k] = form.Labme(k)->text();
        shown.colour[k] = form.Labme(k)->palette().color(form.Labme(k)->foregroundRole());
        shown.balance[k] = form.tm(k)->text();
    }
    shown.coin = {false, form.coin(1)->isVisible(), form.coin(2)->isVisible()};
    shown.states.clear();
    for (const QPushButton *button : {form.Command1, form.Command2, form.Command3, form.Command4, form.Command5, form.Command6})
        shown.states += button->isEnabled() ? '1' : '0';
    for (const QTimer *timer : {form.Timer1, form.Timer2, form.Timer3})
        shown.states += timer->isActive() ? '1' : '0';
    return shown;
}

} // namespace

// Random walks of clicks, ticks and window changes, with every invariant of the toss walk checked
// after each event; a failure names its seed, which replays the walk.
class TestTossModel : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { setUpTalunoTest(); }
    void cleanup();
    void experimentWalk_data();
    void experimentWalk();
    void windowWalk_data();
    void windowWalk();
};

void TestTossModel::cleanup()
{
    for (QWidget *widget : QApplication::topLevelWidgets())
        widget->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(visibleTopLevels(), 0);
}

void TestTossModel::experimentWalk_data()
{
    QTest::addColumn<std::uint32_t>("seed");
    for (const std::uint32_t seed : {1u, 7u, 42u, 2024u, 65521u})
        QTest::addRow("seed %u", seed) << seed;
}

void TestTossModel::experimentWalk()
{
    QFETCH(std::uint32_t, seed);
    RecordingView view;
    RecordingRandom random(seed);
    FixedClock clock;
    TossExperiment experiment(view, random, clock);
    experiment.Form_Load();
    experiment.Form_Activate();

    const auto perform = [&](Event event, const Model &before) {
        switch (event) {
        case Click1: experiment.Command1_Click(); break;
        case Click2: experiment.Command2_Click(); break;
        case Click4: experiment.Command4_Click(); break;
        case Click5: experiment.Command5_Click(); break;
        case Tick1: experiment.Timer1_Timer(); break;
        case Tick2: experiment.Timer2_Timer(); break;
        case Tick3: experiment.Timer3_Timer(); break;
        case ActivateMain: experiment.Form_Activate(); break;
        case CloseHelp:
            if (!before.mainActive)
                experiment.Form_Activate();
            break;
        default: // 終了 answered No, HELP and the help window's activation are the window's alone
            break;
        }
        return QString();
    };
    Walk walk{seed, true, experiment, random, clock, perform, [&] { return view.shown; }};
    const QString broken = walk.run(10'000);
    QVERIFY2(broken.isEmpty(), qPrintable(broken));

    // A walk that never finished a run or never initialised mid-run would prove little.
    QVERIFY2(coverageGaps(walk, true).isEmpty(), qPrintable(coverageGaps(walk, true)));
    QVERIFY2(walk.finishedRuns > 0, "no walk reached the 100th toss");
    QVERIFY2(walk.midRunInitialisations > 0, "初期化 never came during a run");
}

void TestTossModel::windowWalk_data()
{
    QTest::addColumn<std::uint32_t>("seed");
    QTest::addColumn<int>("events");
    // Long enough to see the 100th toss on the widgets too.
    for (const std::uint32_t seed : {3u, 11u})
        QTest::addRow("seed %u", seed) << seed << 3000;
}

void TestTossModel::windowWalk()
{
    QFETCH(std::uint32_t, seed);
    QFETCH(int, events);
    TestSeams test;
    RecordingRandom random(seed);
    FixedClock clock;
    Form1 form(Seams{test.boxes, test.cue, random, clock, test.seams.endProgram});
    form.show();
    QVERIFY(settle([&] { return form.isActiveWindow(); }));

    QPushButton *const buttons[] = {form.Command1, form.Command2, form.Command3, form.Command4, form.Command5, form.Command6};
    QTimer *const timers[] = {form.Timer1, form.Timer2, form.Timer3};
    int quitClicks = 0;
    const auto perform = [&](Event event, const Model &) -> QString {
        QPointer<Form2> help = openHelpWindow();
        switch (event) {
        case Click1: case Click2: case Click3: case Click4: case Click5: case Click6:
            if (event == Click3) {
                test.boxes.answerYesNo({false});
                ++quitClicks;
            }
            QTest::mouseClick(buttons[event - Click1], Qt::LeftButton);
            if (event == Click6 && !settle([] { return openHelpWindow() && openHelpWindow()->isActiveWindow(); }))
                return QStringLiteral("HELP brings no help window to the front");
            break;
        case Tick1: case Tick2: case Tick3:
            QMetaObject::invokeMethod(timers[event - Tick1], "timeout");
            break;
        case ActivateMain:
            form.activateWindow();
            if (!settle([&] { return form.isActiveWindow(); }))
                return QStringLiteral("the main window does not become active");
            break;
        case ActivateHelp:
            if (!help)
                return QStringLiteral("no help window is open");
            help->activateWindow();
            if (!settle([&] { return help->isActiveWindow(); }))
                return QStringLiteral("the help window does not become active");
            break;
        case CloseHelp:
            if (!help)
                return QStringLiteral("no help window is open");
            help->close();
            if (!settle([&] { return !help && form.isActiveWindow(); }))
                return QStringLiteral("after the help window's close the main window is not the active one");
            break;
        case eventKinds:
            break;
        }
        return form.Command1->isVisible() ? QStringLiteral("コイン止まる shows") : QString();
    };
    Walk walk{seed, false, form.experiment(), random, clock, perform, [&] { return shownBy(form); }};
    const QString broken = walk.run(events);
    QVERIFY2(broken.isEmpty(), qPrintable(broken));
    QVERIFY2(coverageGaps(walk, false).isEmpty(), qPrintable(coverageGaps(walk, false)));
    QVERIFY2(walk.finishedRuns > 0, "no walk reached the 100th toss");
    QCOMPARE(test.boxes.asked().size(), quitClicks);
    QCOMPARE(test.ends, 0);

    if (QPointer<Form2> help = openHelpWindow())
        help->close();
    form.close();
}

QTEST_MAIN(TestTossModel)
#include "tst_tossmodel.moc"
