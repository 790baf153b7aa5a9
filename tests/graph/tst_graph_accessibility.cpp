#include "form1.h"
#include "picturebox.h"
#include "keyboard.h"
#include "testseams.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <memory>

using Taluno3::Form1;

namespace {

// Draws for walks of `tails` tails and then `heads` heads: their lowest balance is -tails, or 1 without tails.
QList<float> walk(int tails, int heads)
{
    return QList<float>(tails, 0.75f) + QList<float>(heads, 0.25f);
}

const QString noGraph = QStringLiteral("グラフなし");

// One Taluno3 window on test seams whose experiments walk as scripted, shown, its prompts answered.
struct Session
{
    explicit Session(const QList<float> &draws = walk(3, 7)) : random({draws.begin(), draws.end()}) {}

    Form1 *start(const QStringList &answers)
    {
        test.boxes.answerInputs(answers);
        form.reset(new Form1(seams));
        form->show();
        form->activateWindow();
        const bool answered = QTest::qWaitForWindowActive(form.get())
                              && QTest::qWaitFor([this] { return test.boxes.scriptUsedUp(); });
        return answered ? form.get() : nullptr;
    }

    TestSeams test;
    ScriptedRandom random;
    Seams seams{test.boxes, test.cue, random, test.clock, test.seams.endProgram};
    std::unique_ptr<Form1> form;
};

} // namespace

// Taluno3's graph and values through a screen reader's eyes, and its buttons from the keyboard.
class TestGraphAccessibility : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { setUpTalunoTest(); }
    void cleanup();
    void graphSummary_data();
    void graphSummary();
    void valueLabels();
    void runAndResetByKeyboard();
};

void TestGraphAccessibility::cleanup()
{
    for (QWidget *widget : QApplication::topLevelWidgets())
        widget->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(visibleTopLevels(), 0);
}

void TestGraphAccessibility::graphSummary_data()
{
    QTest::addColumn<int>("guests");
    QTest::addColumn<int>("experiments");
    QTest::addColumn<QList<float>>("draws"); // taken in turn by the walks, over and over
    QTest::addColumn<QString>("summary");

    QTest::newRow("every walk down to -3")
        << 10 << 4 << walk(3, 7) << "4 回の実験の度数分布。最も多い不足枚数は -3 で 4 回。不足枚数はすべて -3。";
    QTest::newRow("-3, -1, -3: most often -3")
        << 10 << 3 << (walk(3, 7) + walk(1, 9))
        << "3 回の実験の度数分布。最も多い不足枚数は -3 で 2 回。不足枚数は -3 から -1 まで。";
    QTest::newRow("-3 and -1 once each")
        << 10 << 2 << (walk(1, 9) + walk(3, 7))
        << "2 回の実験の度数分布。最も多い不足枚数は -3 と -1 で、各 1 回。不足枚数は -3 から -1 まで。";
    QTest::newRow("never below 1") << 10 << 5 << walk(0, 10)
                                   << "5 回の実験の度数分布。最も多い不足枚数は 1 で 5 回。不足枚数はすべて 1。";
    QTest::newRow("-114, the lowest bar of its own")
        << 200 << 1 << walk(114, 86) << "1 回の実験の度数分布。最も多い不足枚数は -114 で 1 回。不足枚数はすべて -114。";
    QTest::newRow("-115 and below share the end bar")
        << 200 << 3 << (walk(115, 85) + walk(200, 0) + walk(2, 198))
        << "3 回の実験の度数分布。最も多い不足枚数は -115 以下 で 2 回。不足枚数は -115 以下 から -2 まで。";
}

void TestGraphAccessibility::graphSummary()
{
    QFETCH(int, guests);
    QFETCH(int, experiments);
    QFETCH(QList<float>, draws);
    QFETCH(QString, summary);
    Session session(draws);
    Form1 *form = session.start({QString::number(guests), QString::number(experiments)});
    QVERIFY(form);
    QCOMPARE(accessibleName(form->Picture1), QStringLiteral("度数分布グラフ"));
    QCOMPARE(accessibleDescription(form->Picture1), noGraph);

    QTest::mouseClick(form->Command1, Qt::LeftButton);
    QCOMPARE(accessibleDescription(form->Picture1), summary);
    QCOMPARE(accessibleName(form->Picture1), QStringLiteral("度数分布グラフ"));

    session.test.boxes.answerInputs({QStringLiteral("100"), QStringLiteral("100")});
    QTest::mouseClick(form->Command3, Qt::LeftButton);
    QCOMPARE(accessibleDescription(form->Picture1), noGraph);
}

void TestGraphAccessibility::valueLabels()
{
    Session session;
    Form1 *form = session.start({QStringLiteral("10"), QStringLiteral("4")});
    QVERIFY(form);
    const QList<QPair<QLabel *, QString>> values = {
        {form->Label82, QStringLiteral("お客人数")},
        {form->Label2, QStringLiteral("実験回数")},
        {form->Label3, QStringLiteral("不足枚数の平均")}};
    for (const auto &[value, caption] : values)
        QCOMPARE(accessibleDescription(value), caption);
    QCOMPARE(accessibleName(form->Label82), QStringLiteral("10"));
    QCOMPARE(accessibleName(form->Label2), QStringLiteral("4"));
    QCOMPARE(accessibleName(form->Label3), QString());

    QTest::mouseClick(form->Command1, Qt::LeftButton);
    QCOMPARE(accessibleName(form->Label3), QStringLiteral("-3.0"));
}

void TestGraphAccessibility::runAndResetByKeyboard()
{
    Session session;
    Form1 *form = session.start({QStringLiteral("10"), QStringLiteral("4")});
    QVERIFY(form);
    QCOMPARE(QApplication::focusWidget(), form->Command1);
    const QImage empty = form->Picture1->image();

    QVERIFY(press(Qt::Key_Return));
    QVERIFY(form->Picture1->image() != empty);
    QVERIFY(accessibleDescription(form->Picture1).startsWith(QStringLiteral("4 回の実験の度数分布。")));
    QVERIFY(!form->Command1->hasFocus());

    QVERIFY(tabTo(QStringLiteral("初期化")));
    session.test.boxes.answerInputs({QStringLiteral("20"), QStringLiteral("5")});
    QVERIFY(press(Qt::Key_Enter, Qt::KeypadModifier));
    QCOMPARE(session.test.cues, QStringList{QStringLiteral("pinpon.wav")});
    QCOMPARE(form->Picture1->image(), empty);
    QCOMPARE(accessibleDescription(form->Picture1), noGraph);
    QCOMPARE(accessibleName(form->Label2), QStringLiteral("5"));
    QVERIFY(form->Command1->isEnabled());
}

QTEST_MAIN(TestGraphAccessibility)
#include "tst_graph_accessibility.moc"
