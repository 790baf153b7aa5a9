#include "scriptedrandom.h"
#include "tossexperiment.h"
#include "tossview.h"

#include <QColor>
#include <QTest>

#include <functional>

using namespace Taluno1;

namespace {

const float heads = 0.25f;
const float tails = 0.75f;

// Keeps what the logic last set, and plays the timers on a simulated clock: a started timer
// ticks every period from its start until stopped; due at the same moment, Timer1 ticks first.
class RecordingView : public TossView
{
public:
    QString result[101], balance[101];
    QColor colour[101];
    bool coinShown[3] = {false, true, false};
    bool enabled[7] = {};
    bool running[4] = {};
    int startedAt[4] = {};
    int now = 0;
    QStringList cues;
    std::function<void()> afterTick;

    void setResultText(int cell, const QString &text) override { result[cell] = text; }
    void setResultColour(int cell, const QColor &c) override { colour[cell] = c; }
    void setBalanceText(int cell, const QString &text) override { balance[cell] = text; }
    void setCoinVisible(int picture, bool visible) override { coinShown[picture] = visible; }
    void setButtonEnabled(Button button, bool on) override { enabled[int(button)] = on; }
    void setTimerRunning(Timer timer, bool on) override
    {
        if (on && !running[int(timer)])
            startedAt[int(timer)] = now;
        running[int(timer)] = on;
    }
    void playCue(const QString &fileName) override { cues << fileName; }

    // 1 or 2 when exactly that picture shows, else 0.
    int visibleCoin() const { return coinShown[1] == coinShown[2] ? 0 : (coinShown[1] ? 1 : 2); }

    void advance(TossExperiment &e, int ms)
    {
        static const int period[4] = {0, 10, 500, 750};
        void (TossExperiment::*const tick[4])() = {nullptr, &TossExperiment::Timer1_Timer,
                                                   &TossExperiment::Timer2_Timer, &TossExperiment::Timer3_Timer};
        for (const int end = now + ms; now < end;) {
            ++now;
            for (int t = 1; t <= 3; ++t) {
                if (running[t] && now > startedAt[t] && (now - startedAt[t]) % period[t] == 0) {
                    (e.*tick[t])();
                    if (afterTick)
                        afterTick();
                }
            }
        }
    }
};

struct Rig
{
    explicit Rig(std::vector<float> values) : random(std::move(values)) { experiment.Form_Load(); }
    RecordingView view;
    ScriptedRandom random;
    FixedClock clock;
    TossExperiment experiment{view, random, clock};

    // Clicks "自動開始" and lets `count` tosses happen; stops in the 250 ms after the last.
    void runTosses(int count)
    {
        experiment.Command4_Click();
        view.advance(experiment, 500 + 750 * (count - 1));
    }
    // Command1 to Command6, then Timer1 to Timer3.
    QString states() const
    {
        QString s;
        for (int b = 1; b <= 6; ++b)
            s += view.enabled[b] ? '1' : '0';
        for (int t = 1; t <= 3; ++t)
            s += view.running[t] ? '1' : '0';
        return s;
    }
};

} // namespace

// The toss walk and its automatic run, against a recording view and scripted tosses.
class TestTossExperiment : public QObject
{
    Q_OBJECT

private slots:
    void loadAndActivation();
    void firstTossAfterInitialisation_data();
    void firstTossAfterInitialisation();
    void balanceTexts_data();
    void balanceTexts();
    void buttonAndTimerTable_data();
    void buttonAndTimerTable();
    void fullRun();
    void stopAndRestartContinue();
    void initialisationMidRun();
};

void TestTossExperiment::loadAndActivation()
{
    Rig rig({heads});
    QCOMPARE(QList<int>({rig.experiment.face, rig.experiment.tossIndex, rig.experiment.coinBalance,
                         rig.experiment.spinFrame}), QList<int>({1, 1, 0, 1}));
    QCOMPARE(rig.experiment.faceText[1] + rig.experiment.faceText[2], QStringLiteral("表裏"));
    for (double seconds : {45296.75, 45300.5}) {
        rig.clock.set(seconds);
        rig.experiment.Form_Activate();
    }
    QCOMPARE(rig.random.reseeds(), (std::vector<float>{45296.75f, 45300.5f}));
}

void TestTossExperiment::firstTossAfterInitialisation_data()
{
    QTest::addColumn<float>("r");
    QTest::addColumn<QString>("face");
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<QString>("balance");
    const QColor blue(0, 0, 255), red(255, 0, 0);
    QTest::newRow("r 0 is heads") << 0.0f << "表" << blue << "1";
    QTest::newRow("r just under 0.5 is heads") << 0.49999997f << "表" << blue << "1";
    QTest::newRow("r 0.5 is tails") << 0.5f << "裏" << red << "-1";
    QTest::newRow("r just under 1 is tails") << 0.99999994f << "裏" << red << "-1";
    QTest::newRow("r 1 from a faulty source is still a face") << 1.0f << "裏" << red << "-1";
}

void TestTossExperiment::firstTossAfterInitialisation()
{
    QFETCH(float, r);
    QFETCH(QString, face);
    QFETCH(QColor, colour);
    QFETCH(QString, balance);
    // Cell 1 first gets the other face, so its colour must be set anew.
    const float other = r < 0.5f ? tails : heads;
    Rig rig({other, other, r});
    rig.runTosses(2);
    rig.experiment.Command2_Click();
    rig.runTosses(1);
    QCOMPARE(rig.view.result[1], face);
    QCOMPARE(rig.view.colour[1], colour);
    QCOMPARE(rig.view.balance[1], balance);
    QCOMPARE(rig.view.result[2], QString());
    QCOMPARE(rig.experiment.tossIndex, 2);
    QCOMPARE(rig.view.visibleCoin(), rig.experiment.face);
}

void TestTossExperiment::balanceTexts_data()
{
    QTest::addColumn<std::vector<float>>("tosses");
    QTest::addColumn<QString>("lastBalance");
    QTest::newRow("two tails") << std::vector<float>{tails, tails} << "-2";
    QTest::newRow("heads then tails") << std::vector<float>{heads, tails} << "0";
    QTest::newRow("three heads") << std::vector<float>{heads, heads, heads} << "3";
    QTest::newRow("twelve tails") << std::vector<float>(12, tails) << "-12";
}

void TestTossExperiment::balanceTexts()
{
    QFETCH(std::vector<float>, tosses);
    QFETCH(QString, lastBalance);
    Rig rig(tosses);
    rig.runTosses(int(tosses.size()));
    QCOMPARE(rig.view.balance[tosses.size()], lastBalance);
}

void TestTossExperiment::buttonAndTimerTable_data()
{
    QTest::addColumn<int>("tossesBefore");
    QTest::addColumn<bool>("spinning");
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QString>("after"); // Command1 to Command6, Timer1 to Timer3: 1 on, 0 off, - as before
    QTest::newRow("toss, cell 1") << 0 << true << "Command1_Click" << "01-1--0--";
    QTest::newRow("toss, cell 99") << 98 << true << "Command1_Click" << "01-1--0--";
    QTest::newRow("toss, cell 100") << 99 << true << "Command1_Click" << "01100-000";
    QTest::newRow("Timer2_Timer, cell 1") << 0 << true << "Timer2_Timer" << "01-1--00-";
    QTest::newRow("Timer2_Timer, cell 100") << 99 << true << "Timer2_Timer" << "01100-000";
    QTest::newRow("Command4_Click") << 5 << false << "Command4_Click" << "100010111";
    QTest::newRow("Timer3_Timer") << 5 << false << "Timer3_Timer" << "100010111";
    QTest::newRow("Command5_Click mid-spin") << 5 << true << "Command5_Click" << "-11111000";
    QTest::newRow("Command2_Click mid-spin") << 5 << true << "Command2_Click" << "0-11--000";
    QTest::newRow("Command2_Click after a full run") << 100 << false << "Command2_Click" << "0-11--000";
}

void TestTossExperiment::buttonAndTimerTable()
{
    QFETCH(int, tossesBefore);
    QFETCH(bool, spinning);
    QFETCH(QString, operation);
    QFETCH(QString, after);
    const QHash<QString, void (TossExperiment::*)()> handlers = {
        {"Command1_Click", &TossExperiment::Command1_Click}, {"Command2_Click", &TossExperiment::Command2_Click},
        {"Command4_Click", &TossExperiment::Command4_Click}, {"Command5_Click", &TossExperiment::Command5_Click},
        {"Timer2_Timer", &TossExperiment::Timer2_Timer}, {"Timer3_Timer", &TossExperiment::Timer3_Timer}};
    // Once from all on and once from all off, so that "-" shows whatever was there.
    for (const bool before : {true, false}) {
        Rig rig({heads, tails});
        if (tossesBefore > 0)
            rig.runTosses(tossesBefore);
        if (spinning)
            rig.experiment.Command4_Click();
        std::fill(std::begin(rig.view.enabled), std::end(rig.view.enabled), before);
        std::fill(std::begin(rig.view.running), std::end(rig.view.running), before);
        (rig.experiment.*handlers.value(operation))();
        QCOMPARE(rig.states(), QString(after).replace('-', before ? '1' : '0'));
    }
}

void TestTossExperiment::fullRun()
{
    const std::vector<float> script = {heads, heads, tails, heads, tails, tails, tails};
    Rig rig(script);
    int hundredthAt = -1, changes = 0, shown = rig.view.visibleCoin();
    rig.view.afterTick = [&] {
        QVERIFY(rig.view.visibleCoin() != 0);
        changes += rig.view.visibleCoin() != shown;
        shown = rig.view.visibleCoin();
        if (hundredthAt < 0 && !rig.view.result[100].isEmpty())
            hundredthAt = rig.view.now;
    };
    rig.experiment.Command4_Click();
    rig.view.advance(rig.experiment, 80'000);
    QCOMPARE(hundredthAt, 74'750);
    // Fifty frames a spin; only the first of a spin may leave the picture as it was.
    QVERIFY2(changes >= 100 * 49, qPrintable(QString::number(changes)));
    QCOMPARE(rig.random.drawn(), std::size_t(100));
    QCOMPARE(rig.experiment.tossIndex, 100);
    QCOMPARE(rig.states(), QStringLiteral("011000000"));
    for (int k = 1, balance = 0; k <= 100; ++k) {
        const bool isHeads = script[(k - 1) % script.size()] < 0.5f;
        balance += isHeads ? 1 : -1;
        QCOMPARE(rig.view.result[k], isHeads ? QStringLiteral("表") : QStringLiteral("裏"));
        QCOMPARE(rig.view.balance[k], QString::number(balance));
    }
}

void TestTossExperiment::stopAndRestartContinue()
{
    Rig rig({tails, tails, heads});
    rig.runTosses(10);
    rig.view.advance(rig.experiment, 350); // into the spin of the 11th
    rig.experiment.Command5_Click();
    QVERIFY(rig.view.visibleCoin() != 0);
    rig.view.advance(rig.experiment, 5000);
    QVERIFY(rig.view.result[11].isEmpty());

    rig.runTosses(1);
    QCOMPARE(rig.view.balance[10], QStringLiteral("-4"));
    QCOMPARE(rig.view.result[11], QStringLiteral("裏"));
    QCOMPARE(rig.view.balance[11], QStringLiteral("-5"));
    QCOMPARE(rig.experiment.tossIndex, 12);
}

void TestTossExperiment::initialisationMidRun()
{
    Rig rig({heads, tails, tails});
    rig.runTosses(40);
    rig.view.advance(rig.experiment, 300);
    rig.experiment.Command2_Click();
    QCOMPARE(rig.view.cues, QStringList{QStringLiteral("pinpon.wav")});
    for (int k = 1; k <= 100; ++k)
        QVERIFY(rig.view.result[k].isEmpty() && rig.view.balance[k].isEmpty());
    QCOMPARE(rig.view.visibleCoin(), 1);
    rig.view.advance(rig.experiment, 5000);
    QVERIFY(rig.view.result[1].isEmpty());

    rig.runTosses(2);
    QCOMPARE(rig.view.balance[1], QStringLiteral("-1")); // the script's 41st and 42nd values are tails
    QCOMPARE(rig.view.balance[2], QStringLiteral("-2"));
    QVERIFY(rig.view.result[3].isEmpty());
}

QTEST_GUILESS_MAIN(TestTossExperiment)
#include "tst_tossexperiment.moc"
