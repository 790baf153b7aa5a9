#include "fonts.h"
#include "form2.h"
#include "helptext.h"
#include "inplacehelp.h"
#include "picturebox.h"
#include "qtmodalboxes.h"
#include "soundcue.h"
#include "testseams.h"
#include "twips.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

// Runs `answer` on the modal box once it is up.
void whenModal(std::function<void(QWidget *)> answer)
{
    QTimer::singleShot(0, [answer] {
        QTRY_VERIFY(QApplication::activeModalWidget());
        answer(QApplication::activeModalWidget());
    });
}

// A stand-in main window that asks for help the way Taluno2's does.
class StubMain : public Form
{
public:
    void askForHelp() { emit helpRequested(); }
};

} // namespace

// The help window, the real modal boxes, fonts and cues.
class TestKitWindows : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { setUpTalunoTest(); }
    void cleanup();
    void fontsAreSubstituted();
    void twipsAreFifteenToAPixel();
    void yesNoBoxInJapanese();
    void inputBoxGivesTextOrEmpty();
    void helpWindowLayout_data();
    void helpWindowLayout();
    void helpTextLines();
    void helpPrintedAlikeOnEveryActivation();
    void helpBesideIsOneWindow();
    void helpInPlaceSwapsWindows();
    void programLivesThroughTheSwap();
    void helpFrameCloseEndsProgram();
    void cueIsSilentWithoutGoodFiles();
};

void TestKitWindows::cleanup()
{
    for (QWidget *widget : QApplication::topLevelWidgets())
        widget->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(visibleTopLevels(), 0);
}

void TestKitWindows::fontsAreSubstituted()
{
    const QFontInfo info(msPGothic(11.25));
    QVERIFY2(info.family() == QLatin1String("IPAPGothic") || info.family() == QLatin1String("Noto Sans CJK JP"),
             qPrintable(info.family()));
    QCOMPARE(msPGothic(11.25).pixelSize(), 15);
    QCOMPARE(msPGothic(9).pixelSize(), 12);
    QCOMPARE(msPGothic(15.75, true).pixelSize(), 21);
    QVERIFY(msPGothic(15.75, true).bold());
}

void TestKitWindows::twipsAreFifteenToAPixel()
{
    QCOMPARE(twipsRect(8400, 0, 735, 375), QRect(560, 0, 49, 25));
    QCOMPARE(twips(10470), 698);
}

void TestKitWindows::yesNoBoxInJapanese()
{
    QString yesText, noText, title, text;
    bool hadIcon = true, yesDefault = false;
    whenModal([&](QWidget *modal) {
        auto *box = qobject_cast<QMessageBox *>(modal);
        QVERIFY(box);
        title = box->windowTitle();
        text = box->text();
        hadIcon = box->icon() != QMessageBox::NoIcon;
        yesText = box->button(QMessageBox::Yes)->text();
        noText = box->button(QMessageBox::No)->text();
        yesDefault = box->defaultButton() == box->button(QMessageBox::Yes);
        box->button(QMessageBox::No)->click();
    });
    QtModalBoxes boxes;
    QVERIFY(!boxes.askYesNo(QStringLiteral("終了していいですか？"), QStringLiteral("確認")));
    QCOMPARE(title, QStringLiteral("確認"));
    QCOMPARE(text, QStringLiteral("終了していいですか？"));
    QVERIFY(!hadIcon);
    QVERIFY(yesDefault);
    QVERIFY2(yesText.contains(QStringLiteral("はい")), qPrintable(yesText));
    QVERIFY2(noText.contains(QStringLiteral("いいえ")), qPrintable(noText));

    whenModal([](QWidget *modal) { QTest::keyClick(modal, Qt::Key_Return); }); // Enter takes the default
    QVERIFY(boxes.askYesNo(QStringLiteral("q"), QStringLiteral("t")));
}

void TestKitWindows::inputBoxGivesTextOrEmpty()
{
    QtModalBoxes boxes;
    QString shownDefault, title, label;
    whenModal([&](QWidget *modal) {
        auto *dialog = qobject_cast<QInputDialog *>(modal);
        QVERIFY(dialog);
        shownDefault = dialog->textValue();
        title = dialog->windowTitle();
        label = dialog->labelText();
        auto *edit = dialog->findChild<QLineEdit *>();
        edit->selectAll();
        QTest::keyClicks(edit, QStringLiteral("350"));
        QTest::keyClick(edit, Qt::Key_Return);
    });
    QCOMPARE(boxes.inputBox(QStringLiteral("prompt"), QStringLiteral(" お客人数の設定"), QStringLiteral("100")),
             QStringLiteral("350"));
    QCOMPARE(shownDefault, QStringLiteral("100"));
    QCOMPARE(title, QStringLiteral(" お客人数の設定"));
    QCOMPARE(label, QStringLiteral("prompt"));

    QString cancelText;
    whenModal([&](QWidget *modal) {
        for (auto *button : modal->findChildren<QPushButton *>()) {
            if (button->text() != QLatin1String("OK")) {
                cancelText = button->text();
                button->click();
            }
        }
    });
    QCOMPARE(boxes.inputBox(QStringLiteral("p"), QStringLiteral("t"), QStringLiteral("100")), QString());
    QCOMPARE(cancelText, QStringLiteral("キャンセル"));
}

void TestKitWindows::helpWindowLayout_data()
{
    QTest::addColumn<int>("program");
    QTest::addColumn<QString>("title");
    QTest::newRow("Taluno1") << 1 << QStringLiteral(" Talunoの実験１＿ヘルプ（設問と操作方法）");
    QTest::newRow("Taluno2") << 2 << QStringLiteral(" Talunoの実験２＿ヘルプ（設問と操作方法）");
    QTest::newRow("Taluno3") << 3 << QStringLiteral(" Talunoの実験３＿ヘルプ（設問と操作方法）");
}

void TestKitWindows::helpWindowLayout()
{
    QFETCH(int, program);
    QFETCH(QString, title);
    Form2 help(program);
    QCOMPARE(help.windowTitle(), title);
    QCOMPARE(help.size(), QSize(617, 496));
    QCOMPARE(help.Command1->geometry(), QRect(560, 0, 49, 25));
    QCOMPARE(help.Command1->text(), QStringLiteral("閉じる"));
    QCOMPARE(help.Picture1->geometry(), QRect(8, 32, 601, 457));
    QCOMPARE(help.Picture1->contentsRect().size(), QSize(597, 453));
    QWidget *line = help.findChild<QWidget *>(QStringLiteral("Line1"));
    QVERIFY(line);
    QCOMPARE(line->geometry(), QRect(8, 24, 601, 1));
    QCOMPARE(help.Command1->nextInFocusChain(), help.Picture1);

    // Every line fits across the surface, at the given size.
    const QFontMetricsF metrics(help.Picture1->font());
    QCOMPARE(QFontInfo(help.Picture1->font()).pixelSize(), 15);
    for (const QString &line : helpText(program))
        QVERIFY2(metrics.horizontalAdvance(line) <= help.Picture1->contentsRect().width(), qPrintable(line));
}

void TestKitWindows::helpTextLines()
{
    QCOMPARE(helpText(1).size(), 26);
    QCOMPARE(helpText(2).size(), 28);
    QCOMPARE(helpText(3).size(), 29);
    const QStringList one = helpText(1);
    QCOMPARE(one.at(0), QString());
    QCOMPARE(one.at(1), QStringLiteral("　【問　　題】"));
    QCOMPARE(one.at(6), QString(7, QChar(0x3000)) + QStringLiteral("５００円玉１枚でお釣りの要らない人の２通りだけであるとします。"));
    QCOMPARE(one.at(25), QString(9, QChar(0x3000)) + QStringLiteral("［初期化］ボタンをクリックすると表がクリアーされ、最初から実験をやり直せます。"));
    QCOMPARE(helpText(2).at(24), QString(9, QChar(0x3000)) + QStringLiteral("お客人数の設定と実験回数の設定のウィンドウでは、整数を入力して［ＯＫ］ボ"));
    QCOMPARE(helpText(3).at(28), QString(8, QChar(0x3000)) + QStringLiteral("せます。"));
    for (int program : {1, 2, 3})
        QCOMPARE(helpText(program).mid(0, 21), one.mid(0, 21));
}

void TestKitWindows::helpPrintedAlikeOnEveryActivation()
{
    StubMain main;
    main.show();
    QVERIFY(QTest::qWaitForWindowActive(&main));
    QPointer<Form2> help;
    openHelpBeside(&main, help, 2);
    QVERIFY(QTest::qWaitForWindowActive(help));
    const QImage first = help->Picture1->image();
    const QPointF position = help->Picture1->textPosition();
    QVERIFY(position.y() > 0);

    main.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&main));
    help->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(help));
    QCOMPARE(help->Picture1->textPosition(), position);
    QCOMPARE(help->Picture1->image(), first);

    // Text was drawn, black on white, below the first (empty) line.
    const QImage image = help->Picture1->image();
    const int lineHeight = QFontMetrics(help->Picture1->font()).height();
    bool inked = false, inkInFirstLine = false;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qGray(image.pixel(x, y)) < 128) {
                inked = true;
                inkInFirstLine = inkInFirstLine || y < lineHeight;
            }
        }
    }
    QVERIFY(inked);
    QVERIFY(!inkInFirstLine);
}

void TestKitWindows::helpBesideIsOneWindow()
{
    StubMain main;
    main.show();
    QVERIFY(QTest::qWaitForWindowActive(&main));
    QPointer<Form2> help;
    Form2 *first = openHelpBeside(&main, help, 1);
    QVERIFY(QTest::qWaitForWindowActive(first));
    main.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&main));
    QCOMPARE(openHelpBeside(&main, help, 1), first);
    QVERIFY(QTest::qWaitForWindowActive(first));
    QCOMPARE(visibleTopLevels(), 2);

    // "閉じる" discards the help window; the main window stays and becomes active again.
    QTest::mouseClick(first->Command1, Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!help);
    QVERIFY(main.isVisible());
    QVERIFY(QTest::qWaitForWindowActive(&main));
    QVERIFY(openHelpBeside(&main, help, 1) != nullptr); // created again
}

void TestKitWindows::helpInPlaceSwapsWindows()
{
    int built = 0;
    InPlaceHelp program(2, [&built] {
        ++built;
        return new StubMain;
    });
    program.showMain();
    QPointer<Form> firstMain = program.mainWindow();
    QVERIFY(QTest::qWaitForWindowActive(firstMain));

    static_cast<StubMain *>(firstMain.data())->askForHelp();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!firstMain); // discarded, not hidden
    QVERIFY(program.helpWindow());
    QCOMPARE(visibleTopLevels(), 1);

    QTest::mouseClick(program.helpWindow()->Command1, Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!program.helpWindow());
    QCOMPARE(built, 2);
    QVERIFY(program.mainWindow()->isVisible());
    QCOMPARE(visibleTopLevels(), 1);
}

void TestKitWindows::programLivesThroughTheSwap()
{
    InPlaceHelp program(3, [] { return new StubMain; });
    bool endedByTest = false;
    QTimer::singleShot(0, [&] {
        program.showMain();
        QTimer::singleShot(50, [&] {
            static_cast<StubMain *>(program.mainWindow())->askForHelp();
            QTimer::singleShot(50, [&] {
                QTest::mouseClick(program.helpWindow()->Command1, Qt::LeftButton);
                QTimer::singleShot(100, [&] {
                    endedByTest = true;
                    QCoreApplication::exit(0);
                });
            });
        });
    });
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY2(endedByTest, "the program ended while it swapped its windows");
    QVERIFY(program.mainWindow()->isVisible());
}

void TestKitWindows::helpFrameCloseEndsProgram()
{
    InPlaceHelp program(2, [] { return new StubMain; });
    bool endedByTest = false;
    QTimer::singleShot(0, [&] {
        program.showMain();
        static_cast<StubMain *>(program.mainWindow())->askForHelp();
        QTimer::singleShot(50, [&] { program.helpWindow()->close(); }); // the frame's close control
        QTimer::singleShot(5000, [&] {
            endedByTest = true;
            QCoreApplication::exit(0);
        });
    });
    QApplication::exec();
    QVERIFY2(!endedByTest, "closing the help window by its frame did not end the program");
    QVERIFY(!program.mainWindow());
    QCOMPARE(visibleTopLevels(), 0);
}

void TestKitWindows::cueIsSilentWithoutGoodFiles()
{
    // Whatever the audio stack says must not reach the terminal (nor the test log).
    QTest::failOnWarning(QRegularExpression(QStringLiteral(".")));

    const QDir dir(QCoreApplication::applicationDirPath());
    const auto write = [&dir](const QString &name, const QByteArray &bytes) {
        QFile file(dir.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    };
    write(QStringLiteral("taluno-test-bad.wav"), QByteArray("RIFF\x10\0\0\0WAVEjunkjunk", 20));
    write(QStringLiteral("taluno-test-empty.wav"), QByteArray());
    // A good 16-bit mono WAV: with no sound device here, playing it is what would complain.
    QByteArray wav("RIFF", 4);
    const auto le = [&wav](quint32 v, int bytes) {
        for (int i = 0; i < bytes; ++i)
            wav.append(char((v >> (8 * i)) & 0xFF));
    };
    const quint32 samples = 2205;
    le(36 + samples * 2, 4);
    wav.append("WAVEfmt ", 8);
    le(16, 4); le(1, 2); le(1, 2); le(22050, 4); le(44100, 4); le(2, 2); le(16, 2);
    wav.append("data", 4);
    le(samples * 2, 4);
    for (quint32 i = 0; i < samples; ++i)
        le(quint16(qint16((i % 50) * 200 - 5000)), 2);
    write(QStringLiteral("taluno-test-good.wav"), wav);

    SoundCue cue;
    QSignalSpy played(&cue, &SoundCue::played);
    for (const char *file : {"missing.wav", "taluno-test-bad.wav", "taluno-test-empty.wav", "taluno-test-good.wav",
                             "taluno-test-good.wav"})
        cue.play(QString::fromLatin1(file));
    QTest::qWait(500);
    QCOMPARE(played.count(), 5);
    QCOMPARE(played.at(1).at(0).toString(), QStringLiteral("taluno-test-bad.wav"));
    for (const char *file : {"taluno-test-bad.wav", "taluno-test-empty.wav", "taluno-test-good.wav"})
        QFile::remove(dir.filePath(QString::fromLatin1(file)));
}

QTEST_MAIN(TestKitWindows)
#include "tst_kitwindows.moc"
