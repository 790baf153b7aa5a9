#include "form1.h"
#include "form2.h"
#include "inplacehelp.h"
#include "meanformatter.h"
#include "picturebox.h"
#include "testseams.h"
#include "twips.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include <functional>
#include <memory>
#include <numeric>

using Taluno3::Form1;

namespace {

const QString guestTitle = QStringLiteral(" お客人数の設定");
const QString experimentTitle = QStringLiteral(" 実験回数の設定");
const QString confirmTitle = QStringLiteral("確認");
const QColor lightBlue(0, 0, 255);

// Taluno3's window, keeping what each run hands to the graph and letting the test look at the
// window at that moment.
class WatchedForm1 : public Form1
{
public:
    using Form1::Form1;

    std::vector<int> counts;
    std::function<void()> onDraw;

protected:
    void showCounts(const std::vector<int> &runCounts) override
    {
        counts = runCounts;
        if (onDraw)
            onDraw();
        Form1::showCounts(runCounts);
    }
};

// Answers from a script, but lets the test look at the window as each input box comes up.
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

struct Session
{
    explicit Session(RandomSource *random = nullptr)
        : seams{watching, test.cue, random ? *random : test.random, test.clock, test.seams.endProgram}
    {
    }

    // Shows the window and waits until its start-up prompts have taken `answers`.
    WatchedForm1 *start(const QStringList &answers)
    {
        test.boxes.answerInputs(answers);
        form.reset(new WatchedForm1(seams));
        form->show();
        form->activateWindow();
        if (!QTest::qWaitForWindowActive(form.get()))
            return nullptr;
        settle();
        return form.get();
    }
    void settle() const
    {
        QTRY_VERIFY(test.boxes.scriptUsedUp());
        QCoreApplication::processEvents();
    }

    TestSeams test;
    WatchingBoxes watching{test.boxes};
    Seams seams;
    std::unique_ptr<WatchedForm1> form;
};

QString buttonStates(const Form1 *form)
{
    QStringList states;
    for (const QPushButton *button : {form->Command1, form->Command2, form->Command3, form->Command4})
        states << button->text() + (button->isEnabled() ? QStringLiteral(" on") : QStringLiteral(" off"));
    return states.join(QStringLiteral(", "));
}

const QString allEnabled = QStringLiteral("実験開始 on, 終了 on, 初期化 on, HELP on");
const QString duringRun = QStringLiteral("実験開始 on, 終了 off, 初期化 off, HELP on");
const QString afterRun = QStringLiteral("実験開始 off, 終了 on, 初期化 on, HELP on");

QString settings(const Form1 *form)
{
    return QStringLiteral("'%1' '%2' '%3'").arg(form->Label82->text(), form->Label2->text(), form->Label3->text());
}

bool surfaceIsEmpty(const Form1 *form)
{
    const QImage image = form->Picture1->image();
    const QRgb background = form->Picture1->background().rgb();
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != background)
                return false;
        }
    }
    return true;
}

// The colour in the middle of layout pixel (x, y) of the drawing, whatever the screen's scale.
QColor at(const QImage &image, int x, int y)
{
    const qreal ratio = image.devicePixelRatio();
    return image.pixelColor(int((x + 0.5) * ratio), int((y + 0.5) * ratio));
}

// Device rows of light blue counted up from just above the axis, in the middle of bin `bin`'s bar.
int barRows(const QImage &image, int bin)
{
    const int x = int((bin + 4.5) * image.width() / 130);
    int y = int(280.0 * image.height() / 300);
    while (y >= 0 && image.pixelColor(x, y) != lightBlue && y > int(278.0 * image.height() / 300))
        --y; // past the axis line, however many device rows it takes
    int rows = 0;
    for (; y >= 0 && image.pixelColor(x, y) == lightBlue; --y)
        ++rows;
    return rows;
}

// The counts read back off the drawing agree with the run's: the inner height stands for 300 counts.
QString barsDisagreeing(const Form1 *form, const std::vector<int> &counts)
{
    QStringList wrong;
    const QImage image = form->Picture1->image();
    for (int bin = 1; bin <= 120; ++bin) {
        const int count = counts.at(std::size_t(bin - 1));
        const double expected = std::min(count, 280) * image.height() / 300.0;
        const int rows = barRows(image, bin);
        if (std::abs(rows - expected) > image.devicePixelRatio() + 1 || (count > 0) != (rows > 0))
            wrong << QStringLiteral("bin %1: count %2, %3 rows").arg(bin).arg(count).arg(rows);
    }
    return wrong.join(QStringLiteral("; "));
}

QList<float> draws(int tails, int heads)
{
    return QList<float>(tails, 0.75f) + QList<float>(heads, 0.25f);
}

} // namespace

// Taluno3's main window on scripted boxes: its layout, the run, reset, help and quitting.
class TestTaluno3 : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { setUpTalunoTest(); }
    void cleanup();
    void layout_data();
    void layout();
    void startUpAsksBothSettings();
    void runsOfEverySize_data();
    void runsOfEverySize();
    void binEdges_data();
    void binEdges();
    void stateDuringARun();
    void resetInItsOrder();
    void resetRightAfterStartUp();
    void promptCancelled_data();
    void promptCancelled();
    void helpVisitBuildsAFreshWindow();
    void screenshotAtDefaultSettings();
};

void TestTaluno3::cleanup()
{
    for (QWidget *widget : QApplication::topLevelWidgets())
        widget->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(visibleTopLevels(), 0);
}

void TestTaluno3::layout_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("twipsGeometry");
    QTest::addColumn<QString>("caption");

    const auto row = [](const char *name, int l, int t, int w, int h, const QString &caption) {
        QTest::newRow(name) << QString::fromLatin1(name) << QRect(l, t, w, h) << caption;
    };
    row("Command2", 0, 0, 855, 375, QStringLiteral("終了"));
    row("Label84", 1920, 0, 4455, 375, QStringLiteral("Talunoの実験（その３）"));
    row("Command4", 6600, 0, 855, 375, QStringLiteral("HELP"));
    row("Command3", 7440, 0, 855, 375, QStringLiteral("初期化"));
    row("Picture1", 120, 600, 8055, 5775, QString());
    row("Label83", 240, 6600, 1455, 375, QStringLiteral("お客人数"));
    row("Label82", 1680, 6600, 1095, 375, QString());
    row("Label4", 3000, 6840, 2295, 375, QStringLiteral("不足枚数の平均"));
    row("Label3", 5280, 6840, 1095, 375, QString());
    row("Label1", 240, 7080, 1455, 375, QStringLiteral("実験回数"));
    row("Label2", 1680, 7080, 1095, 375, QString());
    row("Command1", 6720, 6720, 1335, 615, QStringLiteral("実験開始"));
}

void TestTaluno3::layout()
{
    QFETCH(QString, name);
    QFETCH(QRect, twipsGeometry);
    QFETCH(QString, caption);
    TestSeams test;
    Form1 form(test.seams);
    QCOMPARE(form.objectName(), QStringLiteral("Form1"));
    QCOMPARE(form.windowTitle(), QStringLiteral(" Talunoの実験３"));
    QCOMPARE(form.size(), QSize(555, 512));

    auto *control = form.findChild<QWidget *>(name);
    QVERIFY(control);
    QCOMPARE(control->geometry(), twipsRect(twipsGeometry.x(), twipsGeometry.y(), twipsGeometry.width(),
                                            twipsGeometry.height()));
    if (auto *label = qobject_cast<QLabel *>(control))
        QCOMPARE(label->text(), caption);
    else if (auto *button = qobject_cast<QPushButton *>(control))
        QCOMPARE(button->text(), caption);
    else
        QCOMPARE(control->focusPolicy(), Qt::NoFocus); // the surface is out of the buttons' focus order
}

void TestTaluno3::startUpAsksBothSettings()
{
    Session session;
    WatchedForm1 *form = session.start({QStringLiteral("250"), QStringLiteral("1001"), QStringLiteral("1000")});
    QVERIFY(form);
    const auto &asked = session.test.boxes.asked();
    QCOMPARE(asked.size(), 3);
    QCOMPARE(asked.at(0).text, QStringLiteral("10以上1000以下の整数を入力してください．．．"));
    QCOMPARE(asked.at(0).title, guestTitle);
    QCOMPARE(asked.at(0).defaultText, QStringLiteral("100"));
    for (int i : {1, 2}) { // 1001 experiments are refused
        QCOMPARE(asked.at(i).text, QStringLiteral("1以上1000以下の整数を入力してください．．．"));
        QCOMPARE(asked.at(i).title, experimentTitle);
        QCOMPARE(asked.at(i).defaultText, QStringLiteral("100"));
    }
    QCOMPARE(settings(form), QStringLiteral("'250' '1000' ''"));
    QVERIFY(surfaceIsEmpty(form));
    QCOMPARE(buttonStates(form), allEnabled);
    QCOMPARE(QApplication::focusWidget(), form->Command1);
    QStringList focusOrder;
    for (int i = 0; i < 4; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        focusOrder << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(focusOrder, (QStringList{QStringLiteral("Command2"), QStringLiteral("Command3"),
                                      QStringLiteral("Command4"), QStringLiteral("Command1")}));
    QVERIFY(session.test.cues.isEmpty());
}

void TestTaluno3::runsOfEverySize_data()
{
    QTest::addColumn<int>("guests");
    QTest::addColumn<int>("experiments");
    QTest::newRow("10 guests, once") << 10 << 1;
    QTest::newRow("10 guests, 1000 times") << 10 << 1000;
    QTest::newRow("100 guests, 100 times (the defaults)") << 100 << 100;
    QTest::newRow("114 guests, 1000 times") << 114 << 1000;
    QTest::newRow("1000 guests, 1000 times") << 1000 << 1000;
}

void TestTaluno3::runsOfEverySize()
{
    QFETCH(int, guests);
    QFETCH(int, experiments);
    Session session;
    WatchedForm1 *form = session.start({QString::number(guests), QString::number(experiments)});
    QVERIFY(form);
    QTest::mouseClick(form->Command1, Qt::LeftButton);

    const std::vector<int> &counts = form->counts;
    QCOMPARE(counts.size(), std::size_t(120));
    QCOMPARE(std::accumulate(counts.begin(), counts.end(), 0), experiments);
    QVERIFY(std::all_of(counts.begin(), counts.end(), [](int count) { return count >= 0; }));
    for (int bin = 1; bin <= 120; ++bin) {
        // Lowest balances lie between -guests and 1: bins 118 to 120 never fill, nor bin 1 under 115 guests.
        const bool reachable = bin <= 117 && bin >= 116 - guests && (bin > 1 || guests >= 115);
        if (!reachable)
            QVERIFY2(counts[std::size_t(bin - 1)] == 0, qPrintable(QStringLiteral("bin %1").arg(bin)));
    }
    if (guests < 115) {
        long long sum = 0;
        for (int bin = 2; bin <= 119; ++bin)
            sum += (bin - 116) * counts[std::size_t(bin - 1)];
        QCOMPARE(form->Label3->text(),
                 QString::fromStdString(formatMean(static_cast<float>(double(sum) / experiments))));
    } else {
        const double mean = form->Label3->text().toDouble();
        QVERIFY2(mean >= -guests && mean < 0, qPrintable(form->Label3->text()));
    }
    QCOMPARE(barsDisagreeing(form, counts), QString());
    QCOMPARE(buttonStates(form), afterRun);
    QCOMPARE(form->cursor().shape(), Qt::ArrowCursor);
    QCOMPARE(form->Label82->text(), QString::number(guests));
    QCOMPARE(form->Label2->text(), QString::number(experiments));
}

void TestTaluno3::binEdges_data()
{
    QTest::addColumn<int>("guests");
    QTest::addColumn<QList<float>>("values");
    QTest::addColumn<int>("bin");
    QTest::addColumn<QString>("mean");

    QTest::newRow("-114 has a bar of its own at x 6") << 1000 << draws(114, 886) << 2 << "-114.0";
    QTest::newRow("-115 goes to the lower end bin at x 5") << 1000 << draws(115, 885) << 1 << "-115.0";
    QTest::newRow("back to zero once, at x 120") << 10 << (QList<float>{0.25f} + draws(1, 8)) << 116 << ".0";
    QTest::newRow("a draw of exactly one half is tails") << 10 << (QList<float>{0.5f} + draws(0, 9)) << 115
                                                         << "-1.0";
}

void TestTaluno3::binEdges()
{
    QFETCH(int, guests);
    QFETCH(QList<float>, values);
    QFETCH(int, bin);
    QFETCH(QString, mean);
    ScriptedRandom random({values.begin(), values.end()});
    Session session(&random);
    WatchedForm1 *form = session.start({QString::number(guests), QStringLiteral("1")});
    QVERIFY(form);
    QTest::mouseClick(form->Command1, Qt::LeftButton);

    std::vector<int> expected(120, 0);
    expected[std::size_t(bin - 1)] = 1;
    QCOMPARE(form->counts, expected);
    QCOMPARE(form->Label3->text(), mean);
    QVERIFY(barRows(form->Picture1->image(), bin) > 0); // a single experiment still shows
    QCOMPARE(barsDisagreeing(form, expected), QString());
}

void TestTaluno3::stateDuringARun()
{
    Session session;
    WatchedForm1 *form = session.start({QStringLiteral("100"), QStringLiteral("30")});
    QVERIFY(form);
    // Something already on the surface: the run draws over it and does not clear first.
    const QColor red(255, 0, 0);
    form->Picture1->box(127, 100, 129, 110, red);
    QString seen;
    form->onDraw = [&] {
        seen = buttonStates(form) + (form->cursor().shape() == Qt::WaitCursor ? QStringLiteral(", hourglass")
                                                                              : QStringLiteral(", arrow"))
               + QStringLiteral(", mean '%1'").arg(form->Label3->text());
    };
    QTest::mouseClick(form->Command1, Qt::LeftButton);
    QVERIFY(!form->Label3->text().isEmpty());
    QCOMPARE(seen, duringRun + QStringLiteral(", hourglass, mean '%1'").arg(form->Label3->text()));
    QCOMPARE(buttonStates(form), afterRun);
    QCOMPARE(form->cursor().shape(), Qt::ArrowCursor);
    QCOMPARE(at(form->Picture1->image(), 525, 135), red);

    // Another click on the disabled button runs nothing.
    form->counts.clear();
    QTest::mouseClick(form->Command1, Qt::LeftButton);
    QVERIFY(form->counts.empty());
}

void TestTaluno3::resetInItsOrder()
{
    Session session;
    WatchedForm1 *form = session.start({QStringLiteral("100"), QStringLiteral("50")});
    QVERIFY(form);
    QTest::mouseClick(form->Command1, Qt::LeftButton);
    QVERIFY(!surfaceIsEmpty(form));

    QStringList seen;
    const auto look = [&](const QString &when) {
        seen << QStringLiteral("%1: %2, %3, %4")
                    .arg(when, buttonStates(form), surfaceIsEmpty(form) ? QStringLiteral("empty") : QStringLiteral("drawn"),
                         settings(form));
    };
    connect(&session.test.cue, &SoundCue::played, form, [&] { look(QStringLiteral("cue")); });
    session.watching.onInput = [&] { look(QStringLiteral("prompt")); };
    session.test.boxes.answerInputs({QStringLiteral("500"), QStringLiteral("20")});
    const QString mean = form->Label3->text();
    QTest::mouseClick(form->Command3, Qt::LeftButton);

    QCOMPARE(seen, (QStringList{
                       QStringLiteral("cue: %1, drawn, '100' '50' '%2'").arg(afterRun, mean),
                       QStringLiteral("prompt: %1, empty, '' '' ''").arg(allEnabled),
                       QStringLiteral("prompt: %1, empty, '500' '' ''").arg(allEnabled),
                   }));
    QCOMPARE(session.test.cues, QStringList{QStringLiteral("pinpon.wav")});
    QCOMPARE(settings(form), QStringLiteral("'500' '20' ''"));
    QCOMPARE(form->Picture1->textPosition(), QPointF(0, 0));
    QCOMPARE(buttonStates(form), allEnabled);

    // The next run takes the new settings and draws on the cleared surface.
    QTest::mouseClick(form->Command1, Qt::LeftButton);
    QCOMPARE(std::accumulate(form->counts.begin(), form->counts.end(), 0), 20);
    QCOMPARE(barsDisagreeing(form, form->counts), QString());
    QCOMPARE(buttonStates(form), afterRun);
}

void TestTaluno3::resetRightAfterStartUp()
{
    Session session;
    WatchedForm1 *form = session.start({QStringLiteral("100"), QStringLiteral("100")});
    QVERIFY(form);
    QStringList seen;
    session.watching.onInput = [&] { seen << settings(form); };
    session.test.boxes.answerInputs({QStringLiteral("30"), QStringLiteral("40")});
    QTest::mouseClick(form->Command3, Qt::LeftButton);
    QCOMPARE(seen, (QStringList{QStringLiteral("'' '' ''"), QStringLiteral("'30' '' ''")}));
    QCOMPARE(session.test.cues, QStringList{QStringLiteral("pinpon.wav")});
    QCOMPARE(settings(form), QStringLiteral("'30' '40' ''"));
    QVERIFY(surfaceIsEmpty(form));
    QCOMPARE(buttonStates(form), allEnabled);
}

void TestTaluno3::promptCancelled_data()
{
    QTest::addColumn<bool>("atReset");
    QTest::addColumn<QStringList>("inputs");
    QTest::addColumn<bool>("endIt");
    QTest::addColumn<QStringList>("titles");
    QTest::addColumn<QString>("shown");

    QTest::newRow("start-up, guest count: Cancel, then Yes ends")
        << false << QStringList{QString()} << true << QStringList{guestTitle, confirmTitle} << "'' '' ''";
    QTest::newRow("reset, guest count: Cancel, then No asks again")
        << true << QStringList{QString(), "40", "4"} << false
        << QStringList{guestTitle, confirmTitle, guestTitle, experimentTitle} << "'40' '4' ''";
}

void TestTaluno3::promptCancelled()
{
    QFETCH(bool, atReset);
    QFETCH(QStringList, inputs);
    QFETCH(bool, endIt);
    QFETCH(QStringList, titles);
    QFETCH(QString, shown);
    Session session;
    ScriptedBoxes &boxes = session.test.boxes;
    if (atReset) {
        QVERIFY(session.start({QStringLiteral("100"), QStringLiteral("10")}));
        QTest::mouseClick(session.form->Command1, Qt::LeftButton);
        boxes.clear();
    }
    boxes.answerYesNo({endIt});
    if (atReset) {
        boxes.answerInputs(inputs);
        QTest::mouseClick(session.form->Command3, Qt::LeftButton);
    } else {
        QVERIFY(session.start(inputs));
    }
    QTRY_VERIFY(boxes.scriptUsedUp());
    QVERIFY(!boxes.ranOut());
    QCOMPARE(session.test.ends, endIt ? 1 : 0);
    QStringList askedTitles;
    for (const auto &asked : boxes.asked()) {
        askedTitles << asked.title;
        if (asked.title == confirmTitle)
            QCOMPARE(asked.text, QStringLiteral("終了していいですか？"));
    }
    QCOMPARE(askedTitles, titles);
    QCOMPARE(settings(session.form.get()), shown);
    QVERIFY(surfaceIsEmpty(session.form.get()));
}

void TestTaluno3::helpVisitBuildsAFreshWindow()
{
    TestSeams test;
    test.boxes.answerInputs({QStringLiteral("100"), QStringLiteral("10")});
    int built = 0;
    InPlaceHelp program(3, [&] {
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
    QVERIFY(!first); // discarded with its graph
    QCOMPARE(test.cues, QStringList{QStringLiteral("pinpon.wav")});
    QVERIFY(program.helpWindow());
    QCOMPARE(program.helpWindow()->windowTitle(), QStringLiteral(" Talunoの実験３＿ヘルプ（設問と操作方法）"));
    QCOMPARE(visibleTopLevels(), 1);

    test.boxes.answerInputs({QStringLiteral("700"), QStringLiteral("70")});
    QTest::mouseClick(program.helpWindow()->Command1, Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(built, 2);
    auto *fresh = static_cast<Form1 *>(program.mainWindow());
    QVERIFY(QTest::qWaitForWindowActive(fresh));
    QTRY_COMPARE(fresh->Label2->text(), QStringLiteral("70"));
    QCOMPARE(settings(fresh), QStringLiteral("'700' '70' ''"));
    QCOMPARE(test.boxes.asked().size(), 4);
    QCOMPARE(test.boxes.asked().at(2).title, guestTitle);
    QCOMPARE(test.boxes.asked().at(3).title, experimentTitle);
    QVERIFY(surfaceIsEmpty(fresh));
    QCOMPARE(buttonStates(fresh), allEnabled);
    QCOMPARE(visibleTopLevels(), 1);
    QCOMPARE(test.ends, 0);

    // The fresh window runs again at once.
    QTest::mouseClick(fresh->Command1, Qt::LeftButton);
    QVERIFY(!surfaceIsEmpty(fresh));
    QCOMPARE(buttonStates(fresh), afterRun);
}

void TestTaluno3::screenshotAtDefaultSettings()
{
    Session session;
    WatchedForm1 *form = session.start({QStringLiteral("100"), QStringLiteral("100")});
    QVERIFY(form);
    QCOMPARE(session.test.boxes.asked().at(0).defaultText, QStringLiteral("100"));
    QCOMPARE(session.test.boxes.asked().at(1).defaultText, QStringLiteral("100"));
    QTest::mouseClick(form->Command1, Qt::LeftButton);
    QCOMPARE(barsDisagreeing(form, form->counts), QString());

    QCOMPARE(captionsCutOff(form), QStringList());
    QVERIFY(!saveScreenshot(form, QStringLiteral("taluno3")).isEmpty());
}

QTEST_MAIN(TestTaluno3)
#include "tst_taluno3.moc"
