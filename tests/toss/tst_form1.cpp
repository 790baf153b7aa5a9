#include "coinimage.h"
#include "coinpicture.h"
#include "fonts.h"
#include "form1.h"
#include "form2.h"
#include "testseams.h"
#include "twips.h"

#include <QAccessible>
#include <QApplication>
#include <QFontMetricsF>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

using Taluno1::Form1;

namespace {

// The test seams with scripted tosses, by default heads, tails, tails, heads, over and over.
struct ScriptedSeams
{
    TestSeams test;
    ScriptedRandom random{{0.1f, 0.6f, 0.9f, 0.3f}};
    Seams seams{test.boxes, test.cue, random, test.clock, test.seams.endProgram};
};

// A tick of one of the window's timers; exactly one coin picture shows after it.
void tick(Form1 &form, QTimer *timer)
{
    QVERIFY(QMetaObject::invokeMethod(timer, "timeout"));
    QVERIFY(form.coin(1)->isVisible() != form.coin(2)->isVisible());
}

// One cycle of the run as the timers give it: the spin, the toss, then the next start.
void cycle(Form1 &form)
{
    for (int frame = 0; frame < 50 && form.Timer1->isActive(); ++frame)
        tick(form, form.Timer1);
    tick(form, form.Timer2);
    if (form.Timer3->isActive())
        tick(form, form.Timer3);
}

QString enabledButtons(const Form1 &form)
{
    QString states;
    for (const QPushButton *button : {form.Command1, form.Command2, form.Command3, form.Command4, form.Command5, form.Command6})
        states += button->isEnabled() ? '1' : '0';
    return states;
}

// A run that looks like a class's: heads, tails, tails, then a seeded walk.
std::vector<float> classroomRun()
{
    std::vector<float> values = {0.1f, 0.6f, 0.9f};
    PseudoRandom walk(2024);
    while (values.size() < 100)
        values.push_back(walk.next());
    return values;
}

bool timersStopped(const Form1 &form)
{
    return !form.Timer1->isActive() && !form.Timer2->isActive() && !form.Timer3->isActive();
}

QList<Form2 *> helpWindows()
{
    QList<Form2 *> found;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (auto *help = qobject_cast<Form2 *>(widget); help && help->isVisible())
            found << help;
    }
    return found;
}

} // namespace

// Taluno1's main window, offscreen.
class TestForm1 : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { setUpTalunoTest(); }
    void cleanup();
    void controls_data();
    void controls();
    void resultCells_data();
    void resultCells();
    void designState();
    void autoRunThroughTheTimers();
    void stopAndHelp();
    void quitAsks_data();
    void quitAsks();
};

void TestForm1::cleanup()
{
    for (QWidget *widget : QApplication::topLevelWidgets())
        widget->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(visibleTopLevels(), 0);
}

void TestForm1::controls_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<double>("points");
    QTest::addColumn<bool>("bold");
    const auto row = [](const char *name, const char *caption, QRect geometry, double points, bool bold) {
        QTest::newRow(name) << QString::fromUtf8(caption) << geometry << points << bold;
    };
    row("Command3", "終了", twipsRect(0, 0, 975, 375), 9, false);
    row("Label1", "Talunoの実験（その１）", twipsRect(2640, 0, 5175, 375), 15.75, true);
    row("Command6", "HELP", twipsRect(8520, 0, 975, 375), 9, false);
    row("Command2", "初期化", twipsRect(9480, 0, 975, 375), 9, false);
    row("Command1", "コイン止まる", twipsRect(240, 7800, 855, 495), 12, true);
    row("Command5", "自動停止", twipsRect(3000, 7920, 1335, 495), 12, true);
    row("Command4", "自動開始", twipsRect(4680, 7920, 1335, 495), 12, true);
    const char *const titles[6][3][2] = {
        {{"Label2", "回　　 数"}, {"Label4", "表 or　裏"}, {"Label12", "釣り銭枚数"}},
        {{"Label3", "回　　 数"}, {"Label5", "表 or　裏"}, {"Label13", "釣り銭枚数"}},
        {{"Label6", "回　　 数"}, {"Label7", "表 or　裏"}, {"Label14", "釣り銭枚数"}},
        {{"Label8", "回　　 数 "}, {"Label9", "表 or　裏"}, {"Label15", "釣り銭枚数"}},
        {{"Label16", "回　　 数 "}, {"Label11", "表 or　裏"}, {"Label10", "釣り銭枚数"}},
        {{"Label19", "回　　 数 "}, {"Label18", "表 or　裏"}, {"Label17", "釣り銭枚数"}},
    };
    for (int band = 0; band < 6; ++band) {
        for (int r = 0; r < 3; ++r)
            row(titles[band][r][0], titles[band][r][1], twipsRect(240, 600 + 1200 * band + 360 * r, 1815, 375), 15, true);
    }
}

void TestForm1::controls()
{
    QFETCH(QString, caption);
    QFETCH(QRect, geometry);
    QFETCH(double, points);
    QFETCH(bool, bold);
    ScriptedSeams s;
    Form1 form(s.seams);
    auto *control = form.findChild<QWidget *>(QTest::currentDataTag());
    QVERIFY(control);
    QCOMPARE(QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name), caption);
    QCOMPARE(control->geometry(), geometry);
    QCOMPARE(control->font().pixelSize(), msPGothic(points).pixelSize());
    QCOMPARE(control->font().bold(), bold);
    if (auto *label = qobject_cast<QLabel *>(control))
        QCOMPARE(label->text(), caption);
}

void TestForm1::resultCells_data()
{
    QTest::addColumn<int>("toss");
    for (const int toss : {1, 2, 17, 18, 34, 35, 51, 52, 68, 69, 85, 86, 99, 100})
        QTest::addRow("toss %d", toss) << toss;
}

void TestForm1::resultCells()
{
    QFETCH(int, toss);
    ScriptedSeams s;
    Form1 form(s.seams);
    const QString n = QString::number(toss);
    const int band = (toss - 1) / 17, left = 2040 + 480 * ((toss - 1) % 17);
    QLabel *heading = form.findChild<QLabel *>("Lab_" + n);
    QLabel *result = form.findChild<QLabel *>("Labme_" + n);
    QLabel *balance = form.findChild<QLabel *>("tm_" + n);
    QVERIFY(heading && result == form.Labme(toss) && balance == form.tm(toss));
    QCOMPARE(heading->text(), n);
    QVERIFY(QFontMetricsF(heading->font()).horizontalAdvance(n) < heading->contentsRect().width());
    QCOMPARE(heading->font().pixelSize(), msPGothic(15).pixelSize());
    QCOMPARE(heading->geometry(), twipsRect(left, 600 + 1200 * band, 495, 375));
    QCOMPARE(result->geometry(), twipsRect(left, 960 + 1200 * band, 495, 375));
    QCOMPARE(balance->geometry(), twipsRect(left, 1320 + 1200 * band, 495, 375));
    for (QLabel *cell : {result, balance}) {
        QCOMPARE(cell->text(), QString());
        QVERIFY(cell->autoFillBackground());
        QCOMPARE(cell->palette().color(QPalette::Window), QColor(255, 255, 255));
    }
    QCOMPARE(form.findChildren<QLabel *>(QRegularExpression("^Labme_\\d+$")).size(), 100);
    QVERIFY(!form.findChild<QLabel *>("tm_101"));
}

void TestForm1::designState()
{
    ScriptedSeams s;
    Form1 form(s.seams);
    QCOMPARE(form.objectName(), QStringLiteral("Form1"));
    QCOMPARE(form.windowTitle(), QStringLiteral(" Talunoの実験１（コインストによるシミュレーション）"));
    QCOMPARE(form.size(), QSize(twips(10470), twips(8685)));
    QCOMPARE(form.font().pixelSize(), msPGothic(11.25).pixelSize());
    QCOMPARE(form.Label1->palette().color(QPalette::Window), QColor(0, 255, 255));
    QCOMPARE(form.Label1->palette().color(form.Label1->foregroundRole()), QColor(0, 0, 0));
    QCOMPARE(form.Command4->palette().color(QPalette::Button), QColor(192, 192, 192));
    QCOMPARE(form.Command5->palette().color(QPalette::Button), QColor(192, 192, 192));
    QCOMPARE(form.findChild<QWidget *>("Line1")->geometry(), QRect(twipsPoint(0, 360), twipsPoint(10440, 360)));
    QCOMPARE(QList<int>({form.Timer1->interval(), form.Timer2->interval(), form.Timer3->interval()}),
             QList<int>({10, 500, 750}));
    for (int k = 1; k <= 2; ++k)
        QCOMPARE(form.findChild<QWidget *>(QStringLiteral("coin_%1").arg(k))->geometry(), twipsRect(6840, 7920, 480, 480));

    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QCOMPARE(enabledButtons(form), QStringLiteral("011101"));
    QVERIFY(!form.Command1->isVisible());
    QVERIFY(form.coin(1)->isVisible() && !form.coin(2)->isVisible());
    QVERIFY(timersStopped(form));
    QCOMPARE(s.random.reseeds().size(), std::size_t(1));
    QCOMPARE(QApplication::focusWidget(), form.Command4);
    QList<QWidget *> tabOrder;
    for (QWidget *w = form.Command4; tabOrder.size() < 7; w = w->nextInFocusChain()) {
        if (w->focusPolicy() & Qt::TabFocus)
            tabOrder << w;
    }
    QCOMPARE(tabOrder, (QList<QWidget *>{form.Command4, form.Command3, form.Command2, form.Command1, form.Command5,
                                         form.Command6, form.Command4}));

    // Round coins with their faces' marks, in twice the pixels at 2x.
    const QImage heads = coinPicture(CoinFace::Heads, 32, 2.0).toImage();
    QCOMPARE(heads.size(), QSize(64, 64));
    QCOMPARE(heads.devicePixelRatio(), 2.0);
    QCOMPARE(qAlpha(heads.pixel(1, 1)), 0);
    QCOMPARE(qAlpha(heads.pixel(32, 2)), 255);
    QVERIFY(heads != coinPicture(CoinFace::Tails, 32, 2.0).toImage());
}

void TestForm1::autoRunThroughTheTimers()
{
    ScriptedSeams s;
    const std::vector<float> tosses = classroomRun();
    s.random.setValues(tosses);
    Form1 form(s.seams);
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QTest::mouseClick(form.Command4, Qt::LeftButton);
    QCOMPARE(enabledButtons(form), QStringLiteral("100010"));
    for (QTimer *timer : {form.Timer1, form.Timer2, form.Timer3})
        QVERIFY(timer->isActive() && timer->timerType() == Qt::PreciseTimer);

    for (int toss = 1; toss <= 100 && !QTest::currentTestFailed(); ++toss)
        cycle(form);
    QCOMPARE(form.Labme(1)->text(), QStringLiteral("表"));
    QCOMPARE(form.Labme(1)->palette().color(form.Labme(1)->foregroundRole()), QColor(0, 0, 255));
    QCOMPARE(form.Labme(2)->text(), QStringLiteral("裏"));
    QCOMPARE(form.Labme(2)->palette().color(form.Labme(2)->foregroundRole()), QColor(255, 0, 0));
    const QImage tailsCell = form.Labme(2)->grab().toImage();
    QCOMPARE(tailsCell.pixelColor(0, tailsCell.height() / 2), QColor(0, 0, 0));
    QCOMPARE(form.tm(3)->text(), QStringLiteral("-1"));
    int balance = 0;
    for (float r : tosses)
        balance += r < 0.5f ? 1 : -1;
    QCOMPARE(form.Labme(100)->text(), tosses[99] < 0.5f ? QStringLiteral("表") : QStringLiteral("裏"));
    QCOMPARE(form.tm(100)->text(), QString::number(balance));
    QCOMPARE(form.experiment().tossIndex, 100);
    QCOMPARE(enabledButtons(form), QStringLiteral("011000"));
    QVERIFY(timersStopped(form));
    QVERIFY(!form.Command1->isVisible());
    QCOMPARE(captionsCutOff(&form), QStringList());
    QVERIFY(!saveScreenshot(&form, QStringLiteral("taluno1-run")).isEmpty());

    QTest::mouseClick(form.Command2, Qt::LeftButton);
    QCOMPARE(s.test.cues, QStringList{QStringLiteral("pinpon.wav")});
    for (int k = 1; k <= 100; ++k) {
        QVERIFY(form.Labme(k)->text().isEmpty() && form.tm(k)->text().isEmpty());
        QCOMPARE(form.Lab(k)->text(), QString::number(k));
    }
    QVERIFY(form.coin(1)->isVisible() && !form.coin(2)->isVisible());
    QCOMPARE(enabledButtons(form), QStringLiteral("011100"));
    QVERIFY(!saveScreenshot(&form, QStringLiteral("taluno1-reset")).isEmpty());
}

void TestForm1::stopAndHelp()
{
    ScriptedSeams s;
    s.random.setValues({0.9f});
    Form1 form(s.seams);
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QTest::mouseClick(form.Command4, Qt::LeftButton);
    for (int toss = 1; toss <= 12; ++toss)
        cycle(form);
    tick(form, form.Timer1);
    QTest::mouseClick(form.Command5, Qt::LeftButton);
    QVERIFY(timersStopped(form));
    QCOMPARE(enabledButtons(form), QStringLiteral("111111"));
    QCOMPARE(form.tm(12)->text(), QStringLiteral("-12"));
    QVERIFY(QFontMetricsF(form.tm(12)->font()).horizontalAdvance("-12") < form.tm(12)->contentsRect().width());

    const std::size_t reseeds = s.random.reseeds().size();
    QTest::mouseClick(form.Command6, Qt::LeftButton);
    QCOMPARE(helpWindows().size(), 1);
    Form2 *help = helpWindows().first();
    QVERIFY(QTest::qWaitForWindowActive(help));
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QTest::mouseClick(form.Command6, Qt::LeftButton);
    QVERIFY(QTest::qWaitForWindowActive(help));
    QCOMPARE(helpWindows(), QList<Form2 *>{help});
    QCOMPARE(s.test.cues, (QStringList{QStringLiteral("pinpon.wav"), QStringLiteral("pinpon.wav")}));

    // Back from the help window, twice: each time the tosses are reseeded.
    QTest::mouseClick(help->Command1, Qt::LeftButton);
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QCOMPARE(s.random.reseeds().size(), reseeds + 2);
}

void TestForm1::quitAsks_data()
{
    QTest::addColumn<bool>("yes");
    QTest::newRow("No leaves the window as it was") << false;
    QTest::newRow("Yes ends the program") << true;
}

void TestForm1::quitAsks()
{
    QFETCH(bool, yes);
    ScriptedSeams s;
    s.test.boxes.answerYesNo({yes});
    Form1 form(s.seams);
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QTest::mouseClick(form.Command3, Qt::LeftButton);
    QCOMPARE(s.test.cues, QStringList{QStringLiteral("endpinpon.wav")});
    QCOMPARE(s.test.boxes.asked().size(), 1);
    QCOMPARE(s.test.boxes.asked().at(0).text, QStringLiteral("終了していいですか？"));
    QCOMPARE(s.test.ends, yes ? 1 : 0);
    QCOMPARE(enabledButtons(form), QStringLiteral("011101"));
}

QTEST_MAIN(TestForm1)
#include "tst_form1.moc"
