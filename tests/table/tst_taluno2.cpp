#include "form1.h"
#include "form2.h"
#include "inplacehelp.h"
#include "meanformatter.h"
#include "testseams.h"
#include "twips.h"

#include <QCoreApplication>
#include <QFontInfo>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

using Taluno2::Form1;

namespace {

const QString guestTitle = QStringLiteral(" お客人数の設定");
const QString experimentTitle = QStringLiteral(" 実験回数の設定");
const QString confirmTitle = QStringLiteral("確認");

// Answers from a script, but lets the test look at the window the moment an input box comes up.
class WatchingBoxes : public ModalBoxes
{
public:
    explicit WatchingBoxes(ModalBoxes &answers) : m_answers(answers) {}
    std::function<void()> onInput;

    QString inputBox(const QString &prompt, const QString &title, const QString &defaultText) override
    {
        if (onInput)
            onInput();
        return m_answers.inputBox(prompt, title, defaultText);
    }
    bool askYesNo(const QString &text, const QString &title) override { return m_answers.askYesNo(text, title); }

private:
    ModalBoxes &m_answers;
};

// Hands on another source's values, and lets the test look at the window as each experiment starts.
class WatchingRandom : public RandomSource
{
public:
    explicit WatchingRandom(RandomSource &values) : m_values(values) {}
    std::function<void()> onReseed;

    void reseed(float value) override
    {
        if (onReseed)
            onReseed();
        m_values.reseed(value);
    }
    float next() override { return m_values.next(); }

private:
    RandomSource &m_values;
};

// One Taluno2 session on test seams, its boxes watched, optionally with a random source of the test's own.
struct Session
{
    explicit Session(RandomSource *random = nullptr)
        : seams{boxes, test.cue, random ? *random : test.random, test.clock, test.seams.endProgram}
    {
    }

    // Shows the window and waits until its start-up prompts have taken `answers`.
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
    WatchingBoxes boxes{test.boxes};
    Seams seams;
    std::unique_ptr<Form1> form;
};

// The buttons' enabled flags as a reader of the state table sees them.
QString buttonStates(const Form1 *form)
{
    const auto state = [](const QPushButton *button) {
        return button->text() + (button->isEnabled() ? QStringLiteral(" on") : QStringLiteral(" off"));
    };
    return QStringList{state(form->Command1), state(form->Command2), state(form->Command3), state(form->Command4)}
        .join(QStringLiteral(", "));
}

const QString allEnabled = QStringLiteral("実験開始 on, 終了 on, 初期化 on, HELP on");
const QString afterRun = QStringLiteral("実験開始 off, 終了 on, 初期化 on, HELP on");

QStringList cellTexts(const Form1 *form)
{
    QStringList texts;
    for (int i = 1; i <= Form1::cellCount; ++i)
        texts << form->dosu(i)->text();
    return texts;
}

bool tableIsEmpty(const Form1 *form)
{
    return cellTexts(form).join(QString()).isEmpty() && form->Label3->text().isEmpty();
}

// The heading that stands right over a count cell.
QLabel *headingOver(const QLabel *cell)
{
    const QRect above = cell->geometry().translated(0, -twips(360));
    for (QLabel *label : cell->parentWidget()->findChildren<QLabel *>()) {
        if (label->geometry() == above)
            return label;
    }
    return nullptr;
}

QLabel *cellUnder(const Form1 *form, const QString &heading)
{
    for (int i = 1; i <= Form1::cellCount; ++i) {
        if (headingOver(form->dosu(i))->text() == heading)
            return form->dosu(i);
    }
    return nullptr;
}

// The heading label that opens each row pair, as the layout numbers them.
constexpr int firstHeadingOfPair[] = {7, 28, 37, 46, 55, 64, 73};

QList<float> draws(int tails, int heads)
{
    return QList<float>(tails, 0.75f) + QList<float>(heads, 0.25f);
}

} // namespace

class TestTaluno2 : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { setUpTalunoTest(); }
    void cleanup();
    void layout_data();
    void layout();
    void headingCaptions();
    void tableFontsAndColours();
    void startUpAsksBothSettings();
    void oneExperiment_data();
    void oneExperiment();
    void countsOfARun_data();
    void countsOfARun();
    void stateDuringARun();
    void resetBlanksBeforeAsking();
    void promptCancelledDuringReset_data();
    void promptCancelledDuringReset();
    void helpVisitBuildsAFreshWindow();
    void screenshotAtDefaultSettings();
};

void TestTaluno2::cleanup()
{
    for (QWidget *widget : QApplication::topLevelWidgets())
        widget->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(visibleTopLevels(), 0);
}

void TestTaluno2::layout_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("twipsGeometry");
    QTest::addColumn<QString>("caption");

    const auto row = [](const QString &name, int l, int t, int w, int h, const QString &caption) {
        QTest::newRow(qPrintable(name)) << name << QRect(l, t, w, h) << caption;
    };
    row(QStringLiteral("Command2"), 0, 0, 855, 375, QStringLiteral("終了"));
    row(QStringLiteral("Command4"), 6600, 0, 855, 375, QStringLiteral("HELP"));
    row(QStringLiteral("Command3"), 7440, 0, 855, 375, QStringLiteral("初期化"));
    row(QStringLiteral("Command1"), 6720, 6720, 1335, 615, QStringLiteral("実験開始"));
    row(QStringLiteral("Label84"), 1920, 0, 4455, 375, QStringLiteral("Talunoの実験（その２）"));
    row(QStringLiteral("Label83"), 240, 6600, 1455, 375, QStringLiteral("お客人数"));
    row(QStringLiteral("Label82"), 1680, 6600, 1095, 375, QString());
    row(QStringLiteral("Label1"), 240, 7080, 1455, 375, QStringLiteral("実験回数"));
    row(QStringLiteral("Label2"), 1680, 7080, 1095, 375, QString());
    row(QStringLiteral("Label4"), 3000, 6840, 2295, 375, QStringLiteral("不足枚数の平均"));
    row(QStringLiteral("Label3"), 5280, 6840, 1095, 375, QString());

    const int rowTitles[] = {5, 16, 18, 20, 22, 24, 26};
    for (int pair = 1; pair <= 7; ++pair) {
        const int y = 600 + 840 * (pair - 1);
        row(QStringLiteral("Label%1").arg(rowTitles[pair - 1]), 240, y, 1335, 375, QStringLiteral("不足枚数"));
        row(QStringLiteral("Label%1").arg(rowTitles[pair - 1] + 1), 240, y + 360, 1335, 375,
            QStringLiteral("度　　数"));
    }
    // Count cells at both ends of every pair, and a few inside.
    for (int i : {1, 5, 9, 10, 18, 19, 27, 28, 32, 36, 37, 45, 46, 54, 55, 60, 63}) {
        const int pair = (i - 1) / 9 + 1;
        const int column = (i - 1) % 9 + 1;
        const int left = 1560 + 720 * (column - 1);
        const int y = 600 + 840 * (pair - 1);
        row(QStringLiteral("dosu_%1").arg(i), left, y + 360, 735, 375, QString());
        const int heading = firstHeadingOfPair[pair - 1] + column - 1;
        const QString caption = i == 1    ? QStringLiteral("～  -57")
                                : i == 63 ? QStringLiteral("3  ～")
                                          : QString::number(i - 59);
        row(QStringLiteral("Label%1").arg(heading), left, y, 735, 375, caption);
    }
}

void TestTaluno2::layout()
{
    QFETCH(QString, name);
    QFETCH(QRect, twipsGeometry);
    QFETCH(QString, caption);
    TestSeams test;
    Form1 form(test.seams);
    QCOMPARE(form.windowTitle(), QStringLiteral(" Talunoの実験２"));
    QCOMPARE(form.size(), QSize(twips(8295), twips(7680)));

    auto *control = form.findChild<QWidget *>(name);
    QVERIFY(control);
    QCOMPARE(control->geometry(), twipsRect(twipsGeometry.x(), twipsGeometry.y(), twipsGeometry.width(),
                                            twipsGeometry.height()));
    if (auto *label = qobject_cast<QLabel *>(control))
        QCOMPARE(label->text(), caption);
    else
        QCOMPARE(qobject_cast<QPushButton *>(control)->text(), caption);
}

void TestTaluno2::headingCaptions()
{
    TestSeams test;
    Form1 form(test.seams);
    QStringList expected{QStringLiteral("～  -57")};
    for (int value = -57; value <= 3; ++value)
        expected << QString::number(value);
    expected << QStringLiteral("3  ～");

    QStringList byName, overCells;
    for (int pair = 0; pair < 7; ++pair) {
        for (int column = 0; column < 9; ++column) {
            const auto *label = form.findChild<QLabel *>(QStringLiteral("Label%1").arg(firstHeadingOfPair[pair] + column));
            byName << (label ? label->text() : QStringLiteral("(missing)"));
        }
    }
    for (int i = 1; i <= Form1::cellCount; ++i) {
        const QLabel *heading = headingOver(form.dosu(i));
        overCells << (heading ? heading->text() : QStringLiteral("(none)"));
        QCOMPARE(form.dosu(i)->objectName(), QStringLiteral("dosu_%1").arg(i));
    }
    QCOMPARE(byName, expected);
    QCOMPARE(overCells, expected);
}

void TestTaluno2::tableFontsAndColours()
{
    TestSeams test;
    Form1 form(test.seams);
    QLabel *numeric = form.findChild<QLabel *>(QStringLiteral("Label8"));
    QLabel *rowTitle = form.findChild<QLabel *>(QStringLiteral("Label27"));
    for (const QLabel *label : {numeric, rowTitle, form.dosu(1), form.dosu(63)}) {
        QCOMPARE(label->font().pixelSize(), 19); // 14.25 pt
        QVERIFY(!label->font().bold());
    }
    for (const char *end : {"Label7", "Label81"}) {
        const QLabel *label = form.findChild<QLabel *>(QLatin1String(end));
        QCOMPARE(label->font(), form.font());
        QVERIFY(!label->autoFillBackground());
    }
    QVERIFY(!numeric->autoFillBackground());
    QVERIFY(form.dosu(40)->autoFillBackground());
    QCOMPARE(form.dosu(40)->palette().color(QPalette::Window), QColor(255, 255, 255));
    QCOMPARE(form.dosu(40)->alignment(), Qt::AlignCenter);
}

void TestTaluno2::startUpAsksBothSettings()
{
    Session session;
    Form1 *form = session.start({QStringLiteral("250"), QStringLiteral("40")});
    QVERIFY(form);
    const auto &asked = session.test.boxes.asked();
    QCOMPARE(asked.size(), 2);
    QCOMPARE(asked.at(0).title, guestTitle);
    QCOMPARE(asked.at(0).defaultText, QStringLiteral("100"));
    QCOMPARE(asked.at(1).title, experimentTitle);
    QCOMPARE(asked.at(1).defaultText, QStringLiteral("1000"));
    QCOMPARE(form->Label82->text(), QStringLiteral("250"));
    QCOMPARE(form->Label2->text(), QStringLiteral("40"));
    QVERIFY(tableIsEmpty(form));
    QCOMPARE(buttonStates(form), allEnabled);
    QCOMPARE(QApplication::focusWidget(), form->Command1);
    QVERIFY(session.test.cues.isEmpty());

    // The focus is on "実験開始", so the space bar runs the experiment.
    QTest::keyClick(static_cast<QWidget *>(nullptr), Qt::Key_Space);
    QCOMPARE(form->Label3->text().isEmpty(), false);
    QCOMPARE(buttonStates(form), afterRun);
}

void TestTaluno2::oneExperiment_data()
{
    QTest::addColumn<int>("guests");
    QTest::addColumn<QList<float>>("values");
    QTest::addColumn<QString>("heading");
    QTest::addColumn<QString>("mean");

    QTest::newRow("first guest needs change, stock down to -3") << 10 << draws(3, 7) << "-3" << "-3.0";
    QTest::newRow("stock never below 1") << 10 << draws(0, 10) << "1" << "1.0";
    QTest::newRow("stock back to zero once") << 10 << (QList<float>{0.25f} + draws(1, 8)) << "0" << ".0";
    QTest::newRow("a draw of exactly one half is tails") << 10 << (QList<float>{0.5f} + draws(0, 9)) << "-1" << "-1.0";
    QTest::newRow("-57 has its own column") << 1000 << draws(57, 943) << "-57" << "-57.0";
    QTest::newRow("-58 falls under ～  -57") << 1000 << draws(58, 942) << "～  -57" << "-58.0";
    QTest::newRow("all 1000 guests need change") << 1000 << draws(1000, 0) << "～  -57" << "-1000.0";
}

void TestTaluno2::oneExperiment()
{
    QFETCH(int, guests);
    QFETCH(QList<float>, values);
    QFETCH(QString, heading);
    QFETCH(QString, mean);
    ScriptedRandom random({values.begin(), values.end()});
    Session session(&random);
    Form1 *form = session.start({QString::number(guests), QStringLiteral("1")});
    QVERIFY(form);
    QTest::mouseClick(form->Command1, Qt::LeftButton);

    QStringList ones;
    for (int i = 1; i <= Form1::cellCount; ++i) {
        const QString count = form->dosu(i)->text();
        if (count == QLatin1String("1"))
            ones << headingOver(form->dosu(i))->text();
        else
            QCOMPARE(count, QStringLiteral("0"));
    }
    QCOMPARE(ones, QStringList{heading});
    QCOMPARE(form->Label3->text(), mean);
    QCOMPARE(random.reseeds().size(), std::size_t(1));
}

void TestTaluno2::countsOfARun_data()
{
    QTest::addColumn<int>("guests");
    QTest::addColumn<int>("experiments");
    QTest::newRow("10 guests, once") << 10 << 1;
    QTest::newRow("30 guests, 500 times") << 30 << 500;
    QTest::newRow("57 guests, 2000 times") << 57 << 2000;
    QTest::newRow("10 guests, 10000 times") << 10 << 10000;
    QTest::newRow("1000 guests, 300 times") << 1000 << 300;
}

void TestTaluno2::countsOfARun()
{
    QFETCH(int, guests);
    QFETCH(int, experiments);
    Session session;
    Form1 *form = session.start({QString::number(guests), QString::number(experiments)});
    QVERIFY(form);
    QTest::mouseClick(form->Command1, Qt::LeftButton);

    static const QRegularExpression plainNumber(QStringLiteral("^(0|[1-9][0-9]*)$"));
    int total = 0;
    double sum = 0;
    for (int i = 1; i <= Form1::cellCount; ++i) {
        const QString count = form->dosu(i)->text();
        QVERIFY2(plainNumber.match(count).hasMatch(), qPrintable(count));
        total += count.toInt();
        sum += count.toInt() * headingOver(form->dosu(i))->text().toDouble();
    }
    QCOMPARE(total, experiments);
    for (const char *heading : {"2", "3", "3  ～"})
        QCOMPARE(cellUnder(form, QString::fromUtf8(heading))->text(), QStringLiteral("0"));
    // With no walk below -57 the cells give back every lowest balance, and so the mean.
    if (guests <= 57)
        QCOMPARE(form->Label3->text(), QString::fromStdString(formatMean(static_cast<float>(sum / experiments))));
    QCOMPARE(buttonStates(form), afterRun);
    QCOMPARE(form->cursor().shape(), Qt::ArrowCursor);
    QCOMPARE(form->Label82->text(), QString::number(guests));
    QCOMPARE(form->Label2->text(), QString::number(experiments));
}

void TestTaluno2::stateDuringARun()
{
    PseudoRandom values;
    WatchingRandom random(values);
    Session session(&random);
    Form1 *form = session.start({QStringLiteral("100"), QStringLiteral("3")});
    QVERIFY(form);
    QStringList seen;
    random.onReseed = [&] {
        seen << buttonStates(form) + (form->cursor().shape() == Qt::WaitCursor ? QStringLiteral(", hourglass")
                                                                               : QStringLiteral(", arrow"))
                    + (tableIsEmpty(form) ? QStringLiteral(", table empty") : QStringLiteral(", table filled"));
    };
    QTest::mouseClick(form->Command1, Qt::LeftButton);
    const QString during = QStringLiteral("実験開始 on, 終了 off, 初期化 off, HELP on, hourglass, table empty");
    QCOMPARE(seen, QStringList(3, during));
    QCOMPARE(buttonStates(form), afterRun);
    QCOMPARE(form->cursor().shape(), Qt::ArrowCursor);
}

void TestTaluno2::resetBlanksBeforeAsking()
{
    Session session;
    Form1 *form = session.start({QStringLiteral("100"), QStringLiteral("50")});
    QVERIFY(form);
    QTest::mouseClick(form->Command1, Qt::LeftButton);
    QVERIFY(!tableIsEmpty(form));

    QStringList seen;
    session.boxes.onInput = [&] {
        seen << QStringLiteral("cues %1, %2, settings '%3' '%4', %5")
                    .arg(session.test.cues.join(QLatin1Char(' ')),
                         tableIsEmpty(form) ? QStringLiteral("table empty") : QStringLiteral("table filled"),
                         form->Label82->text(), form->Label2->text(), buttonStates(form));
    };
    session.test.boxes.answerInputs({QStringLiteral("500"), QStringLiteral("20")});
    QTest::mouseClick(form->Command3, Qt::LeftButton);
    QCOMPARE(seen, (QStringList{
                       QStringLiteral("cues pinpon.wav, table empty, settings '' '', ") + allEnabled,
                       QStringLiteral("cues pinpon.wav, table empty, settings '500' '', ") + allEnabled,
                   }));
    QCOMPARE(form->Label82->text(), QStringLiteral("500"));
    QCOMPARE(form->Label2->text(), QStringLiteral("20"));
    QVERIFY(tableIsEmpty(form));
    QCOMPARE(buttonStates(form), allEnabled);

    // The next run takes the new settings.
    QTest::mouseClick(form->Command1, Qt::LeftButton);
    int total = 0;
    for (const QString &count : cellTexts(form))
        total += count.toInt();
    QCOMPARE(total, 20);
    QCOMPARE(buttonStates(form), afterRun);
}

void TestTaluno2::promptCancelledDuringReset_data()
{
    QTest::addColumn<QStringList>("inputs");
    QTest::addColumn<bool>("endIt");
    QTest::addColumn<QStringList>("titles");
    QTest::addColumn<QString>("guests");
    QTest::addColumn<QString>("experiments");

    QTest::newRow("guest count: Cancel, then Yes ends")
        << QStringList{QString()} << true << QStringList{guestTitle, confirmTitle} << "" << "";
    QTest::newRow("experiment count: Cancel, then Yes ends")
        << QStringList{"200", QString()} << true << QStringList{guestTitle, experimentTitle, confirmTitle} << "200"
        << "";
    QTest::newRow("guest count: Cancel, then No asks again")
        << QStringList{QString(), "300", "30"} << false
        << QStringList{guestTitle, confirmTitle, guestTitle, experimentTitle} << "300" << "30";
    QTest::newRow("experiment count: Cancel, then No asks again")
        << QStringList{"300", QString(), "30"} << false
        << QStringList{guestTitle, experimentTitle, confirmTitle, experimentTitle} << "300" << "30";
}

void TestTaluno2::promptCancelledDuringReset()
{
    QFETCH(QStringList, inputs);
    QFETCH(bool, endIt);
    QFETCH(QStringList, titles);
    QFETCH(QString, guests);
    QFETCH(QString, experiments);
    Session session;
    Form1 *form = session.start({QStringLiteral("100"), QStringLiteral("10")});
    QVERIFY(form);
    QTest::mouseClick(form->Command1, Qt::LeftButton);

    ScriptedBoxes &boxes = session.test.boxes;
    boxes.clear();
    boxes.answerInputs(inputs);
    boxes.answerYesNo({endIt});
    QTest::mouseClick(form->Command3, Qt::LeftButton);

    QCOMPARE(session.test.ends, endIt ? 1 : 0);
    QVERIFY(boxes.scriptUsedUp());
    QVERIFY(!boxes.ranOut());
    QStringList askedTitles;
    for (const auto &asked : boxes.asked()) {
        askedTitles << asked.title;
        if (asked.title == guestTitle)
            QCOMPARE(asked.defaultText, QStringLiteral("100"));
        else if (asked.title == experimentTitle)
            QCOMPARE(asked.defaultText, QStringLiteral("1000"));
        else
            QCOMPARE(asked.text, QStringLiteral("終了していいですか？"));
    }
    QCOMPARE(askedTitles, titles);
    QCOMPARE(form->Label82->text(), guests);
    QCOMPARE(form->Label2->text(), experiments);
    QVERIFY(tableIsEmpty(form));
    QCOMPARE(session.test.cues, QStringList{QStringLiteral("pinpon.wav")}); // no cue of its own
}

void TestTaluno2::helpVisitBuildsAFreshWindow()
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
    QTest::mouseClick(first->Command1, Qt::LeftButton);
    QCOMPARE(buttonStates(first), afterRun);

    QTest::mouseClick(first->Command4, Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!first);
    QCOMPARE(test.cues, QStringList{QStringLiteral("pinpon.wav")});
    QVERIFY(program.helpWindow());
    QCOMPARE(program.helpWindow()->windowTitle(), QStringLiteral(" Talunoの実験２＿ヘルプ（設問と操作方法）"));
    QCOMPARE(visibleTopLevels(), 1);

    test.boxes.answerInputs({QStringLiteral("700"), QStringLiteral("70")});
    QTest::mouseClick(program.helpWindow()->Command1, Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(built, 2);
    auto *fresh = static_cast<Form1 *>(program.mainWindow());
    QVERIFY(QTest::qWaitForWindowActive(fresh));
    QTRY_COMPARE(fresh->Label2->text(), QStringLiteral("70"));
    QCOMPARE(fresh->Label82->text(), QStringLiteral("700"));
    QCOMPARE(test.boxes.asked().size(), 4);
    QCOMPARE(test.boxes.asked().at(2).title, guestTitle);
    QCOMPARE(test.boxes.asked().at(3).title, experimentTitle);
    QVERIFY(tableIsEmpty(fresh));
    QCOMPARE(buttonStates(fresh), allEnabled);
    QCOMPARE(visibleTopLevels(), 1);
    QCOMPARE(test.ends, 0);
}

void TestTaluno2::screenshotAtDefaultSettings()
{
    Session session;
    Form1 *form = session.start({QStringLiteral("100"), QStringLiteral("1000")});
    QVERIFY(form);
    QTest::mouseClick(form->Command1, Qt::LeftButton);
    QCOMPARE(form->Label82->text(), QStringLiteral("100"));
    QCOMPARE(form->Label2->text(), QStringLiteral("1000"));
    QVERIFY(!form->Label3->text().isEmpty());

    QCOMPARE(captionsCutOff(form), QStringList());
    QVERIFY(!saveScreenshot(form, QStringLiteral("taluno2")).isEmpty());
}

QTEST_MAIN(TestTaluno2)
#include "tst_taluno2.moc"
