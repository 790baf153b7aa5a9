#include "core/layout.h"
#include "kit/batchwindow.h"
#include "kit/helpwindow.h"
#include "kit/inplacehelp.h"
#include "kit/picturebox.h"
#include "kit/qtmodalboxes.h"
#include "kit/talunoapplication.h"
#include "testseams.h"
#include "toss/tosswindow.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <memory>

// The Qt windows as a pupil and a screen reader meet them: built from the tables, wired to the
// core, answering real boxes, swapping help in and out, drawing the graph.
class TestWindows : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TalunoApplication::setUp(); }
    void cleanup();
    void builtFromTheTables_data();
    void builtFromTheTables();
    void tossRunsOnItsTimers();
    void helpBesideTaluno1();
    void helpInPlace_data();
    void helpInPlace();
    void realBoxes();
    void graphOnScreen();
    void quietWithReadOnlyHome();
    void extrasOnlyWhenAsked();
};

namespace {

QList<QWidget *> visibleWindows()
{
    QList<QWidget *> windows = QApplication::topLevelWidgets();
    windows.removeIf([](const QWidget *window) { return !window->isVisible(); });
    return windows;
}

// The control of `window` that shows `caption`, or has it as its object name.
QWidget *findControl(const QWidget *window, const QString &captionOrName)
{
    for (QWidget *control : window->findChildren<QWidget *>()) {
        const auto *button = qobject_cast<QAbstractButton *>(control);
        const auto *label = qobject_cast<QLabel *>(control);
        if (control->objectName() == captionOrName || (button && button->text() == captionOrName)
            || (label && label->text() == captionOrName))
            return control;
    }
    return nullptr;
}

std::unique_ptr<QWidget> makeWindow(int program, TestSeams &test)
{
    if (program > 10)
        return std::make_unique<HelpWindow>(ProgramNumber(program - 10), test.seams);
    if (program == 1)
        return std::make_unique<TossWindow>(test.seams);
    return std::make_unique<BatchWindow>(ProgramNumber(program), test.seams);
}

QAbstractButton *button(const QWidget *window, const char *caption)
{
    return qobject_cast<QAbstractButton *>(findControl(window, QString::fromUtf8(caption)));
}

// Answers the next real modal box: types `answer` into an input box and presses OK, or presses
// the button of a message box whose caption is `answer`.
void answerNextBox(const QString &answer, QStringList *seen)
{
    QTimer::singleShot(0, [answer, seen] {
        QWidget *box = QApplication::activeModalWidget();
        if (!box)
            return answerNextBox(answer, seen);
        if (auto *input = qobject_cast<QInputDialog *>(box)) {
            *seen << input->windowTitle() + QStringLiteral(": ") + input->textValue();
            input->setTextValue(answer);
            input->accept();
        } else if (auto *message = qobject_cast<QMessageBox *>(box)) {
            *seen << message->windowTitle() + QStringLiteral(": ") + message->text();
            for (QAbstractButton *choice : message->buttons()) {
                if (choice->text().startsWith(answer)) // "いいえ(&N)"
                    choice->click();
            }
        }
    });
}

bool isColour(const QImage &image, QPointF unit, double unitsAcross, double unitsDown, QColor colour)
{
    const QPoint pixel(int(unit.x() * image.width() / unitsAcross), int(unit.y() * image.height() / unitsDown));
    return image.pixelColor(pixel) == colour;
}

} // namespace

void TestWindows::cleanup()
{
    // Menus and panels go with their windows.
    QList<QPointer<QWidget>> windows;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (!window->parentWidget())
            windows << window;
    }
    qDeleteAll(windows);
    QVERIFY(visibleWindows().isEmpty());
}

void TestWindows::builtFromTheTables_data()
{
    QTest::addColumn<int>("program");
    for (int program : {1, 2, 3, 11, 12, 13})
        QTest::newRow(program > 10 ? qPrintable(QStringLiteral("help of Taluno%1").arg(program - 10))
                                   : qPrintable(QStringLiteral("Taluno%1").arg(program)))
            << program;
}

void TestWindows::builtFromTheTables()
{
    QFETCH(int, program);
    TestSeams test;
    const auto window = makeWindow(program, test);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    const WindowLayout &layout = program > 10 ? helpWindowLayout(ProgramNumber(program - 10))
                                              : mainWindowLayout(ProgramNumber(program));
    QCOMPARE(window->windowTitle(), QString::fromStdString(layout.title));
    QCOMPARE(window->size(), QSize(layout.width, layout.height) / 15);
    for (const Control &control : layout.controls) {
        const QString name = QString::fromStdString(control.name);
        QWidget *widget = window->findChild<QWidget *>(name);
        QVERIFY2(widget, qPrintable(name));
        if (control.kind != ControlKind::Line)
            QCOMPARE(widget->geometry(), QRect(control.left / 15, control.top / 15, control.width / 15, control.height / 15));
        QCOMPARE(widget->isVisibleTo(window.get()), control.visible);
        QCOMPARE(widget->isEnabled(), control.enabled);
        QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(widget);
        if (control.kind != ControlKind::Line)
            QCOMPARE(accessible->text(QAccessible::Name), QString::fromStdString(control.caption));
        QCOMPARE(widget->accessibleDescription(), QString::fromStdString(control.description));
        // No caption is cut off, on any screen; narrowed faces still fit.
        const int room = control.kind == ControlKind::Label ? widget->contentsRect().width() : widget->width() - 4;
        if (control.visible && (control.kind == ControlKind::Label || control.kind == ControlKind::Button))
            QVERIFY2(QFontMetricsF(widget->font()).horizontalAdvance(QString::fromStdString(control.caption)) <= room,
                     qPrintable(name));
    }
    QCOMPARE(QApplication::focusWidget(), window->findChild<QWidget *>(QString::fromStdString(
                                              layout.controls[std::size_t(layout.focusOrder.front())].name)));
}

void TestWindows::tossRunsOnItsTimers()
{
    TestSeams test;
    TossWindow window(test.seams);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    button(&window, "自動開始")->click();
    // The toss timer makes the first toss, shown in its face's colour.
    auto *firstResult = window.findChild<QLabel *>("Labme_1");
    QTRY_VERIFY_WITH_TIMEOUT(!firstResult->text().isEmpty(), 5000);
    const bool heads = firstResult->text() == QStringLiteral("表");
    QCOMPARE(window.findChild<QLabel *>("tm_1")->text(), heads ? QStringLiteral("1") : QStringLiteral("-1"));
    QCOMPARE(firstResult->palette().color(QPalette::WindowText), heads ? QColor(0, 0, 255) : QColor(255, 0, 0));
    QCOMPARE(findControl(&window, "coin_1")->isVisible(), heads);
}

void TestWindows::helpBesideTaluno1()
{
    TestSeams test;
    TossWindow window(test.seams);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    button(&window, "HELP")->click();
    button(&window, "HELP")->click();
    QCOMPARE(test.cues, QStringList({"pinpon.wav", "pinpon.wav"}));
    QCOMPARE(visibleWindows().size(), 2);
    QTRY_VERIFY(qobject_cast<HelpWindow *>(QApplication::activeWindow()));
    auto *help = qobject_cast<HelpWindow *>(QApplication::activeWindow());
    // Beside the main window, or as far right as the screen allows.
    if (help->screen()->availableGeometry().width() > help->frameGeometry().width())
        QVERIFY(help->x() > window.x());
    button(help, "閉じる")->click();
    QTRY_COMPARE(visibleWindows(), QList<QWidget *>{&window});
    QTRY_VERIFY(window.isActiveWindow());
}

void TestWindows::helpInPlace_data()
{
    QTest::addColumn<ProgramNumber>("program");
    QTest::newRow("Taluno2") << ProgramNumber::Taluno2;
    QTest::newRow("Taluno3") << ProgramNumber::Taluno3;
}

void TestWindows::helpInPlace()
{
    QFETCH(ProgramNumber, program);
    TestSeams test;
    test.boxes.answers = {"10", "5", "20", "6"};
    InPlaceHelp help(program, test.seams);
    help.showMain();
    QWidget *main = visibleWindows().value(0);
    QTRY_COMPARE(main->findChild<QLabel *>("Label2")->text(), QStringLiteral("5"));
    button(main, "実験開始")->click();
    QVERIFY(!main->findChild<QLabel *>("Label3")->text().isEmpty());

    button(main, "HELP")->click();
    QCOMPARE(test.cues, QStringList{"pinpon.wav"});
    QTRY_COMPARE(visibleWindows().size(), 1);
    QWidget *shown = visibleWindows().value(0);
    QCOMPARE(shown->objectName(), QStringLiteral("Form2"));
    button(shown, "閉じる")->click();
    QTRY_COMPARE(visibleWindows().size(), 1);
    main = visibleWindows().value(0);
    // The main window comes back as at start-up and asks for both settings again.
    QCOMPARE(main->objectName(), QStringLiteral("Form1"));
    QTRY_COMPARE(main->findChild<QLabel *>("Label2")->text(), QStringLiteral("6"));

    // Closed by its frame, the help window leaves no window: the program ends.
    button(main, "HELP")->click();
    QTRY_COMPARE(visibleWindows().value(0)->objectName(), QStringLiteral("Form2"));
    visibleWindows().value(0)->close();
    QTRY_VERIFY(visibleWindows().isEmpty());
}

void TestWindows::realBoxes()
{
    QtModalBoxes boxes;
    TestSeams test;
    Seams seams{boxes, test.cue, test.random, test.clock, test.seams.endProgram};
    QStringList seen;
    answerNextBox("", &seen);
    answerNextBox("いいえ", &seen);
    answerNextBox("10", &seen);
    answerNextBox("3", &seen);
    BatchWindow window(ProgramNumber::Taluno2, seams);
    window.setAttribute(Qt::WA_DeleteOnClose, false);
    window.show();
    QTRY_COMPARE(window.findChild<QLabel *>("Label2")->text(), QStringLiteral("3"));
    QCOMPARE(seen, QStringList({" お客人数の設定: 100", "確認: 終了していいですか？", " お客人数の設定: 100",
                                " 実験回数の設定: 1000"}));
    for (const auto &[answer, ends] : {std::pair{"いいえ", 0}, std::pair{"はい", 1}}) {
        answerNextBox(QString::fromUtf8(answer), &seen);
        button(&window, "終了")->click();
        QCOMPARE(seen.last(), QStringLiteral("Talunoの実験: 終了していいですか？"));
        QCOMPARE(test.ends, ends);
    }
    QCOMPARE(test.cues, QStringList({"endpinpon.wav", "endpinpon.wav"}));
}

void TestWindows::graphOnScreen()
{
    TestSeams test;
    test.boxes.answers = {"10", "1000"};
    BatchWindow window(ProgramNumber::Taluno3, test.seams);
    window.setAttribute(Qt::WA_DeleteOnClose, false);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QTRY_COMPARE(window.findChild<QLabel *>("Label2")->text(), QStringLiteral("1000"));
    // Back from another window, a box say, the window asks nothing more.
    QWidget other;
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QCoreApplication::processEvents();
    QCOMPARE(test.boxes.asked.size(), 2);
    // Enter runs; the focus then moves on to 終了, so that a second Enter asks before anything is lost.
    QCOMPARE(QApplication::focusWidget(), button(&window, "実験開始"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), button(&window, "終了"));
    auto *graph = window.findChild<PictureBox *>("Picture1");
    const QImage image = graph->image();
    const QColor black(0, 0, 0), blue(0, 0, 255), background = graph->background();
    // The bar of 0 rises from the tick at x 120 (10 guests: about a quarter of 1000 runs end there).
    QVERIFY(isColour(image, {120.5, 279.5}, 130, 300, blue));
    QVERIFY(isColour(image, {120.5, 200.5}, 130, 300, blue));
    QVERIFY(isColour(image, {60.5, 100.5}, 130, 300, background));
    // Every box includes its edges: the bars stand on the axis, and an empty bin lies on it as a segment.
    QVERIFY(isColour(image, {120.5, 280.2}, 130, 300, blue));
    QVERIFY(isColour(image, {60.2, 280.2}, 130, 300, blue));
    QVERIFY(isColour(image, {4.2, 280.2}, 130, 300, black));
    QVERIFY(isColour(image, {3.1, 150.5}, 130, 300, black));

    // Each axis number stands under its tick: ink of the row by columns, a gap of 6 pixels or more
    // parting two numbers.
    const double pixelsPerUnit = image.width() / 130.0;
    const int rowTop = int(291 * image.height() / 300.0);
    QList<QPair<int, int>> numbers;
    for (int x = 0; x < image.width(); ++x) {
        bool ink = false;
        for (int y = rowTop; y < image.height(); ++y)
            ink = ink || image.pixelColor(x, y).lightness() < 128;
        if (ink && (numbers.isEmpty() || numbers.last().second < x - 6 * image.devicePixelRatio()))
            numbers.append({x, x});
        if (ink)
            numbers.last().second = x;
    }
    QCOMPARE(numbers.size(), 12);
    for (int k = 0; k < 12; ++k) {
        const double middle = (numbers[k].first + numbers[k].second) / 2.0;
        QVERIFY2(std::abs(middle - (10 + 10 * k) * pixelsPerUnit) <= 5 * image.devicePixelRatio(),
                 qPrintable(QStringLiteral("number %1 centred at %2").arg(k + 1).arg(middle)));
    }
}

void TestWindows::quietWithReadOnlyHome()
{
    const QByteArray home = qgetenv("HOME");
    qputenv("HOME", "/dev/null"); // no folder can be made below it
    qunsetenv("XDG_CONFIG_HOME");
    SoundCue::keepAudioQuiet();
    QVERIFY(QDir().mkpath(qEnvironmentVariable("XDG_CONFIG_HOME") + QStringLiteral("/pulse")));
    qputenv("HOME", home);
}

void TestWindows::extrasOnlyWhenAsked()
{
    TestSeams test;
    test.boxes.answers = {"10", "1000"};
    test.boxes.savePath = QDir::temp().filePath(QStringLiteral("taluno-graph-test.png"));
    BatchWindow window(ProgramNumber::Taluno3, test.seams);
    window.setAttribute(Qt::WA_DeleteOnClose, false);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QTRY_COMPARE(window.findChild<QLabel *>("Label2")->text(), QStringLiteral("1000"));
    button(&window, "実験開始")->click();
    auto *graph = window.findChild<PictureBox *>("Picture1");
    const auto redPixels = [graph] {
        const QImage image = graph->image();
        int red = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                red += image.pixelColor(x, y) == QColor(255, 0, 0);
        return red;
    };
    // Off at the start: no mark, no panel, until the keys (or the menu) ask for them.
    const QImage plain = graph->image();
    QCOMPARE(redPixels(), 0);
    const qsizetype labels = window.findChildren<QLabel *>().size();
    QTest::keyClick(&window, Qt::Key_T);
    QVERIFY(redPixels() > 5);
    QTest::keyClick(&window, Qt::Key_K);
    QCOMPARE(window.findChildren<QLabel *>().size(), labels + 1);
    QLabel *panel = window.findChildren<QLabel *>().constLast();
    QVERIFY(panel->isVisible() && panel->text().contains(QStringLiteral("何枚用意すればよいか")));
    QTest::keyClick(&window, Qt::Key_T);
    QTest::keyClick(&window, Qt::Key_K);
    QCOMPARE(graph->image(), plain);
    QVERIFY(!panel->isVisible());

    QTest::keySequence(&window, QKeySequence::Copy);
    QVERIFY(QGuiApplication::clipboard()->text().startsWith(QStringLiteral("お客人数\t10\n実験回数\t1000\n")));
    QTest::keySequence(&window, QKeySequence::Save);
    QCOMPARE(QImage(test.boxes.savePath).size(), graph->size() * 2);
    QFile::remove(test.boxes.savePath);
}

QTEST_MAIN(TestWindows)
#include "tst_windows.moc"
