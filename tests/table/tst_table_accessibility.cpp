#include "form1.h"
#include "form2.h"
#include "helptext.h"
#include "inplacehelp.h"
#include "picturebox.h"
#include "keyboard.h"
#include "testseams.h"
#include "twips.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include <memory>

using Taluno2::Form1;

namespace {

// One Taluno2 window on test seams, shown, with its start-up prompts answered.
struct Session
{
    Form1 *start(const QStringList &answers)
    {
        test.boxes.answerInputs(answers);
        form.reset(new Form1(test.seams));
        form->show();
        form->activateWindow();
        const bool answered = QTest::qWaitForWindowActive(form.get())
                              && QTest::qWaitFor([this] { return test.boxes.scriptUsedUp(); });
        return answered ? form.get() : nullptr;
    }

    TestSeams test;
    std::unique_ptr<Form1> form;
};

QLabel *label(const Form1 *form, const char *name)
{
    return form->findChild<QLabel *>(QLatin1String(name));
}

// The heading that stands right over a count cell, as a sighted pupil reads the table.
QLabel *headingOver(const QLabel *cell)
{
    const QRect above = cell->geometry().translated(0, -twips(360));
    for (QLabel *candidate : cell->parentWidget()->findChildren<QLabel *>()) {
        if (candidate->geometry() == above)
            return candidate;
    }
    return nullptr;
}

} // namespace

// Taluno2 from the keyboard and through a screen reader's eyes.
class TestTableAccessibility : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { setUpTalunoTest(); }
    void cleanup();
    void descriptions_data();
    void descriptions();
    void everyCountCellIsDescribedByItsHeading();
    void namesFollowCaptions();
    void focusOrder_data();
    void focusOrder();
    void keysPressTheFocusedButton_data();
    void keysPressTheFocusedButton();
    void helpAndBackByKeyboard();
    void secondEnterAfterARunAsksFirst();
};

void TestTableAccessibility::cleanup()
{
    for (QWidget *widget : QApplication::topLevelWidgets())
        widget->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(visibleTopLevels(), 0);
}

void TestTableAccessibility::descriptions_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("description");

    QTest::newRow("count cell of the lower end") << "dosu_1" << "不足枚数 ～  -57 の度数";
    QTest::newRow("count cell of -57") << "dosu_2" << "不足枚数 -57 の度数";
    QTest::newRow("last cell of pair 1") << "dosu_9" << "不足枚数 -50 の度数";
    QTest::newRow("first cell of pair 2") << "dosu_10" << "不足枚数 -49 の度数";
    QTest::newRow("count cell of 0") << "dosu_59" << "不足枚数 0 の度数";
    QTest::newRow("count cell of the upper end") << "dosu_63" << "不足枚数 3  ～ の度数";
    QTest::newRow("guest count") << "Label82" << "お客人数";
    QTest::newRow("experiment count") << "Label2" << "実験回数";
    QTest::newRow("mean shortage") << "Label3" << "不足枚数の平均";
}

void TestTableAccessibility::descriptions()
{
    QFETCH(QString, name);
    QFETCH(QString, description);
    TestSeams test;
    Form1 form(test.seams);
    auto *value = form.findChild<QLabel *>(name);
    QVERIFY(value);
    QCOMPARE(accessibleDescription(value), description);
    // Empty, it is read as empty: Qt puts nothing of its own in place of the caption.
    QCOMPARE(accessibleName(value), QString());
}

void TestTableAccessibility::everyCountCellIsDescribedByItsHeading()
{
    TestSeams test;
    Form1 form(test.seams);
    for (int i = 1; i <= Form1::cellCount; ++i) {
        const QLabel *heading = headingOver(form.dosu(i));
        QVERIFY(heading);
        QCOMPARE(accessibleDescription(form.dosu(i)), QStringLiteral("不足枚数 %1 の度数").arg(heading->text()));
    }
}

void TestTableAccessibility::namesFollowCaptions()
{
    Session session;
    Form1 *form = session.start({QStringLiteral("30"), QStringLiteral("200")});
    QVERIFY(form);
    for (QPushButton *button : {form->Command1, form->Command2, form->Command3, form->Command4})
        QCOMPARE(accessibleName(button), button->text());
    for (const char *caption : {"Label84", "Label83", "Label1", "Label4", "Label5", "Label6", "Label7", "Label81"})
        QCOMPARE(accessibleName(label(form, caption)), label(form, caption)->text());
    QCOMPARE(accessibleName(label(form, "Label7")), QStringLiteral("～  -57"));
    QCOMPARE(accessibleName(label(form, "Label6")), QStringLiteral("度　　数"));
    QCOMPARE(accessibleName(form->Label82), QStringLiteral("30"));
    QCOMPARE(accessibleName(form->Label2), QStringLiteral("200"));
    QCOMPARE(accessibleName(form->Label3), QString());

    QTest::mouseClick(form->Command1, Qt::LeftButton);
    int total = 0;
    for (int i = 1; i <= Form1::cellCount; ++i) {
        QVERIFY(!form->dosu(i)->text().isEmpty());
        QCOMPARE(accessibleName(form->dosu(i)), form->dosu(i)->text());
        total += accessibleName(form->dosu(i)).toInt();
    }
    QCOMPARE(total, 200);
    QVERIFY(!form->Label3->text().isEmpty());
    QCOMPARE(accessibleName(form->Label3), form->Label3->text());
    QCOMPARE(accessibleDescription(form->dosu(2)), QStringLiteral("不足枚数 -57 の度数"));

    session.test.boxes.answerInputs({QStringLiteral("40"), QStringLiteral("50")});
    QTest::mouseClick(form->Command3, Qt::LeftButton);
    for (int i = 1; i <= Form1::cellCount; ++i)
        QCOMPARE(accessibleName(form->dosu(i)), QString());
    QCOMPARE(accessibleName(form->Label3), QString());
    QCOMPARE(accessibleName(form->Label82), QStringLiteral("40"));
    QCOMPARE(accessibleName(form->Label2), QStringLiteral("50"));
}

void TestTableAccessibility::focusOrder_data()
{
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<QStringList>("announced");
    QTest::newRow("Tab") << Qt::KeyboardModifiers(Qt::NoModifier)
                         << QStringList{"終了", "初期化", "HELP", "実験開始", "終了"};
    QTest::newRow("Shift+Tab") << Qt::KeyboardModifiers(Qt::ShiftModifier)
                               << QStringList{"HELP", "初期化", "終了", "実験開始", "HELP"};
}

void TestTableAccessibility::focusOrder()
{
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(QStringList, announced);
    Session session;
    Form1 *form = session.start({QStringLiteral("100"), QStringLiteral("10")});
    QVERIFY(form);
    QCOMPARE(QApplication::focusWidget(), form->Command1);
    QCOMPARE(focusRound(modifiers, static_cast<int>(announced.size())), announced);
    QVERIFY(session.test.cues.isEmpty());
}

void TestTableAccessibility::keysPressTheFocusedButton_data()
{
    QTest::addColumn<Qt::Key>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::newRow("Return") << Qt::Key_Return << Qt::KeyboardModifiers(Qt::NoModifier);
    QTest::newRow("Enter of the number pad") << Qt::Key_Enter << Qt::KeyboardModifiers(Qt::KeypadModifier);
    QTest::newRow("Space") << Qt::Key_Space << Qt::KeyboardModifiers(Qt::NoModifier);
}

void TestTableAccessibility::keysPressTheFocusedButton()
{
    QFETCH(Qt::Key, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    Session session;
    Form1 *form = session.start({QStringLiteral("100"), QStringLiteral("10")});
    QVERIFY(form);

    // "初期化", reached by the keyboard, plays its cue and asks both settings again.
    QVERIFY(tabTo(QStringLiteral("初期化")));
    session.test.boxes.answerInputs({QStringLiteral("60"), QStringLiteral("30")});
    QVERIFY(press(key, modifiers));
    QCOMPARE(session.test.cues, QStringList{QStringLiteral("pinpon.wav")});
    QCOMPARE(form->Label82->text(), QStringLiteral("60"));
    QCOMPARE(form->Label2->text(), QStringLiteral("30"));
    QCOMPARE(QApplication::focusWidget(), form->Command3);

    // Round to "実験開始", which runs the experiment on the new settings.
    QVERIFY(tabTo(QStringLiteral("実験開始")));
    QVERIFY(press(key, modifiers));
    QVERIFY(!form->Label3->text().isEmpty());
    int total = 0;
    for (int i = 1; i <= Form1::cellCount; ++i)
        total += form->dosu(i)->text().toInt();
    QCOMPARE(total, 30);
    QVERIFY(!form->Command1->isEnabled());

    // "終了" asks first; No leaves the results as they are.
    const QString mean = form->Label3->text();
    QVERIFY(tabTo(QStringLiteral("終了")));
    session.test.boxes.answerYesNo({false});
    QVERIFY(press(key, modifiers));
    QCOMPARE(session.test.boxes.asked().constLast().text, QStringLiteral("終了していいですか？"));
    QCOMPARE(session.test.cues.constLast(), QStringLiteral("endpinpon.wav"));
    QCOMPARE(session.test.ends, 0);
    QCOMPARE(form->Label3->text(), mean);
}

void TestTableAccessibility::helpAndBackByKeyboard()
{
    TestSeams test;
    test.boxes.answerInputs({QStringLiteral("100"), QStringLiteral("10")});
    int built = 0;
    InPlaceHelp program(2, [&] {
        ++built;
        return new Form1(test.seams);
    });
    program.showMain();
    QPointer<Form1> first = static_cast<Form1 *>(program.mainWindow());
    QVERIFY(QTest::qWaitForWindowActive(first));
    QTRY_VERIFY(test.boxes.scriptUsedUp());

    QVERIFY(tabTo(QStringLiteral("HELP")));
    QVERIFY(press(Qt::Key_Return));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!first);
    QPointer<Form2> help = program.helpWindow();
    QVERIFY(help);
    QVERIFY(QTest::qWaitForWindowActive(help));
    QCOMPARE(QApplication::focusWidget(), help->Command1);

    // A held Return repeats; the repeats must not press "閉じる", which stands where "HELP" stood.
    QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"), true);
    QApplication::sendEvent(QApplication::focusWidget(), &repeat);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(help);
    QVERIFY(help->isVisible());
    QCOMPARE(built, 1);

    // The surface after "閉じる" holds the help text for a screen reader.
    QCOMPARE(focusRound(Qt::NoModifier, 2), (QStringList{help->windowTitle().trimmed(), QStringLiteral("閉じる")}));
    QCOMPARE(accessibleName(help->Picture1), QStringLiteral("Talunoの実験２＿ヘルプ（設問と操作方法）"));
    QCOMPARE(accessibleDescription(help->Picture1), helpText(2).join(QLatin1Char('\n')));

    test.boxes.answerInputs({QStringLiteral("300"), QStringLiteral("20")});
    QVERIFY(press(Qt::Key_Return));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(built, 2);
    auto *fresh = static_cast<Form1 *>(program.mainWindow());
    QVERIFY(QTest::qWaitForWindowActive(fresh));
    QTRY_COMPARE(accessibleName(fresh->Label2), QStringLiteral("20"));
    QCOMPARE(QApplication::focusWidget(), fresh->Command1);
    QCOMPARE(test.cues, QStringList{QStringLiteral("pinpon.wav")});
    QCOMPARE(test.ends, 0);
}

void TestTableAccessibility::secondEnterAfterARunAsksFirst()
{
    Session session;
    Form1 *form = session.start({QStringLiteral("10"), QStringLiteral("5")});
    QVERIFY(form);
    QVERIFY(press(Qt::Key_Return)); // 実験開始
    QVERIFY(!form->Command1->isEnabled());
    QCOMPARE(QApplication::focusWidget(), form->Command2);

    // The next Enter asks whether to quit; the results stay.
    session.test.boxes.answerYesNo({false});
    QVERIFY(press(Qt::Key_Return));
    QCOMPARE(session.test.boxes.asked().last().text, QStringLiteral("終了していいですか？"));
    QVERIFY(form->isVisible());
    QVERIFY(!form->Label3->text().isEmpty());
}

QTEST_MAIN(TestTableAccessibility)
#include "tst_table_accessibility.moc"
