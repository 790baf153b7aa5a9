#include "coinimage.h"
#include "form1.h"
#include "form2.h"
#include "helptext.h"
#include "picturebox.h"
#include "keyboard.h"
#include "testseams.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using Taluno1::Form1;
using Taluno1::TossExperiment;

namespace {

// The test seams with scripted tosses: heads, tails, tails, heads, over and over.
struct ScriptedSeams
{
    TestSeams test;
    ScriptedRandom random{{0.1f, 0.6f, 0.9f, 0.3f}};
    Seams seams{test.boxes, test.cue, random, test.clock, test.seams.endProgram};
};

// The names a screen reader gives the result and balance rows, toss by toss.
QStringList rowNames(const Form1 &form, QLabel *(Form1::*row)(int) const)
{
    QStringList names;
    for (int k = 1; k <= TossExperiment::tossCount; ++k)
        names << accessibleName((form.*row)(k));
    return names;
}

} // namespace

// Taluno1 from the keyboard and through a screen reader's eyes.
class TestTossAccessibility : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { setUpTalunoTest(); }
    void cleanup();
    void cellDescriptions_data();
    void cellDescriptions();
    void namesFollowCaptions();
    void focusOrder_data();
    void focusOrder();
    void runAndStopByKeyboard();
    void helpByKeyboard();
};

void TestTossAccessibility::cleanup()
{
    for (QWidget *widget : QApplication::topLevelWidgets())
        widget->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(visibleTopLevels(), 0);
}

void TestTossAccessibility::cellDescriptions_data()
{
    QTest::addColumn<int>("toss");
    QTest::addColumn<QString>("result");
    QTest::addColumn<QString>("balance");
    QTest::newRow("toss 1") << 1 << "1回目の表 or 裏" << "1回目の釣り銭枚数";
    QTest::newRow("toss 17, end of band 0") << 17 << "17回目の表 or 裏" << "17回目の釣り銭枚数";
    QTest::newRow("toss 18, start of band 1") << 18 << "18回目の表 or 裏" << "18回目の釣り銭枚数";
    QTest::newRow("toss 100") << 100 << "100回目の表 or 裏" << "100回目の釣り銭枚数";
}

void TestTossAccessibility::cellDescriptions()
{
    QFETCH(int, toss);
    QFETCH(QString, result);
    QFETCH(QString, balance);
    ScriptedSeams s;
    Form1 form(s.seams);
    QCOMPARE(accessibleDescription(form.Labme(toss)), result);
    QCOMPARE(accessibleDescription(form.tm(toss)), balance);
    // The number the description gives is the one in the heading cell over the column.
    QCOMPARE(accessibleName(form.Lab(toss)), QString::number(toss));
    QVERIFY(result.startsWith(form.Lab(toss)->text() + QStringLiteral("回目")));
}

void TestTossAccessibility::namesFollowCaptions()
{
    ScriptedSeams s;
    Form1 form(s.seams);
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    const QStringList empty(TossExperiment::tossCount, QString());
    // Empty cells are read as empty: Qt puts nothing of its own in place of the caption.
    QCOMPARE(rowNames(form, &Form1::Labme), empty);
    QCOMPARE(rowNames(form, &Form1::tm), empty);
    for (QPushButton *button : {form.Command1, form.Command2, form.Command3, form.Command4, form.Command5, form.Command6})
        QCOMPARE(accessibleName(button), button->text());
    const QList<QPair<const char *, QString>> rowTitles = {
        {"Label2", QStringLiteral("回　　 数")}, {"Label4", QStringLiteral("表 or　裏")},
        {"Label12", QStringLiteral("釣り銭枚数")}, {"Label19", QStringLiteral("回　　 数 ")},
        {"Label1", QStringLiteral("Talunoの実験（その１）")}};
    for (const auto &[name, caption] : rowTitles)
        QCOMPARE(accessibleName(form.findChild<QLabel *>(QLatin1String(name))), caption);
    QCOMPARE(accessibleName(form.coin(1)), QStringLiteral("表"));
    QCOMPARE(accessibleName(form.coin(2)), QStringLiteral("裏"));

    QTest::mouseClick(form.Command4, Qt::LeftButton);
    for (int toss = 0; toss < 4; ++toss) {
        QVERIFY(QMetaObject::invokeMethod(form.Timer2, "timeout"));
        QVERIFY(QMetaObject::invokeMethod(form.Timer3, "timeout"));
    }
    QTest::mouseClick(form.Command5, Qt::LeftButton);
    QCOMPARE(rowNames(form, &Form1::Labme).mid(0, 5), (QStringList{"表", "裏", "裏", "表", ""}));
    QCOMPARE(rowNames(form, &Form1::tm).mid(0, 5), (QStringList{"1", "0", "-1", "0", ""}));
    for (int k = 1; k <= TossExperiment::tossCount; ++k) {
        QCOMPARE(accessibleName(form.Labme(k)), form.Labme(k)->text());
        QCOMPARE(accessibleName(form.tm(k)), form.tm(k)->text());
    }
    QCOMPARE(accessibleDescription(form.tm(3)), QStringLiteral("3回目の釣り銭枚数"));

    QTest::mouseClick(form.Command2, Qt::LeftButton);
    QCOMPARE(rowNames(form, &Form1::Labme), empty);
    QCOMPARE(rowNames(form, &Form1::tm), empty);
}

void TestTossAccessibility::focusOrder_data()
{
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<QStringList>("atStart");
    QTest::addColumn<QStringList>("afterAStop");
    // "自動停止" is disabled until a run, "コイン止まる" never shows; both are passed over.
    QTest::newRow("Tab") << Qt::KeyboardModifiers(Qt::NoModifier)
                         << QStringList{"終了", "初期化", "HELP", "自動開始"}
                         << QStringList{"HELP", "自動開始", "終了", "初期化", "自動停止"};
    QTest::newRow("Shift+Tab") << Qt::KeyboardModifiers(Qt::ShiftModifier)
                               << QStringList{"HELP", "初期化", "終了", "自動開始"}
                               << QStringList{"初期化", "終了", "自動開始", "HELP", "自動停止"};
}

void TestTossAccessibility::focusOrder()
{
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(QStringList, atStart);
    QFETCH(QStringList, afterAStop);
    ScriptedSeams s;
    Form1 form(s.seams);
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QCOMPARE(QApplication::focusWidget(), form.Command4);
    QCOMPARE(focusRound(modifiers, static_cast<int>(atStart.size())), atStart);

    // With "自動停止" enabled, and "コイン止まる" enabled too but hidden.
    QTest::mouseClick(form.Command4, Qt::LeftButton);
    QTest::mouseClick(form.Command5, Qt::LeftButton);
    QVERIFY(form.Command1->isEnabled());
    form.Command5->setFocus();
    QCOMPARE(focusRound(modifiers, static_cast<int>(afterAStop.size())), afterAStop);
}

void TestTossAccessibility::runAndStopByKeyboard()
{
    ScriptedSeams s;
    Form1 form(s.seams);
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));

    QVERIFY(press(Qt::Key_Space));
    QVERIFY(form.Timer1->isActive() && form.Timer2->isActive() && form.Timer3->isActive());
    // "自動開始" disabled itself; the focus went on to the one button that can act now.
    QCOMPARE(accessibleName(QApplication::focusWidget()), QStringLiteral("自動停止"));
    QVERIFY(press(Qt::Key_Return));
    QVERIFY(!form.Timer1->isActive() && !form.Timer2->isActive() && !form.Timer3->isActive());
    QCOMPARE(QApplication::focusWidget(), form.Command5);

    QVERIFY(tabTo(QStringLiteral("自動開始")));
    QVERIFY(press(Qt::Key_Return));
    QVERIFY(form.Timer3->isActive());
    QCOMPARE(QApplication::focusWidget(), form.Command5);
    QVERIFY(press(Qt::Key_Enter, Qt::KeypadModifier));
    QVERIFY(!form.Timer3->isActive());
    QVERIFY(form.Command4->isEnabled());
    QVERIFY(s.test.cues.isEmpty());
}

void TestTossAccessibility::helpByKeyboard()
{
    ScriptedSeams s;
    Form1 form(s.seams);
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));

    QVERIFY(tabTo(QStringLiteral("HELP")));
    QVERIFY(press(Qt::Key_Return));
    QCOMPARE(s.test.cues, QStringList{QStringLiteral("pinpon.wav")});
    Form2 *help = nullptr;
    QTRY_VERIFY((help = qobject_cast<Form2 *>(QApplication::activeWindow())));
    QCOMPARE(QApplication::focusWidget(), help->Command1);

    // The help text is painted; the surface after "閉じる" gives it to a screen reader.
    QCOMPARE(focusRound(Qt::NoModifier, 2),
             (QStringList{QStringLiteral("Talunoの実験１＿ヘルプ（設問と操作方法）"), QStringLiteral("閉じる")}));
    QCOMPARE(accessibleDescription(help->Picture1), helpText(1).join(QLatin1Char('\n')));
    QVERIFY(accessibleDescription(help->Picture1).contains(QStringLiteral("［自動開始］ボタンをクリックすると")));

    QVERIFY(press(Qt::Key_Return));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QCOMPARE(visibleTopLevels(), 1);
    QCOMPARE(QApplication::focusWidget(), form.Command6);
    QCOMPARE(s.test.cues, QStringList{QStringLiteral("pinpon.wav")});
}

QTEST_MAIN(TestTossAccessibility)
#include "tst_toss_accessibility.moc"
