#include "core/batchengine.h"
#include "core/batchrules.h"
#include "core/layout.h"
#include "core/lesson.h"
#include "core/walkgraph.h"
#include "kit/batchwindow.h"
#include "kit/fonts.h"
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
#include <QContextMenuEvent>
#include <QDir>
#include <QInputDialog>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QRegularExpression>
#include <QScreen>
#include <QTemporaryDir>
#include <QTextDocument>
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
    void extrasEachAlone_data();
    void extrasEachAlone();
    void walkLineBesideTheTable();
    void panelStaysOnScreen_data();
    void panelStaysOnScreen();
    void menuFromMouseAndKeys_data();
    void menuFromMouseAndKeys();
    void savedPictures();
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
    QCOMPARE(window->size(), QSize(pixelsFromTwips(layout.width), pixelsFromTwips(layout.height)));
    for (const Control &control : layout.controls) {
        const QString name = QString::fromStdString(control.name);
        QWidget *widget = window->findChild<QWidget *>(name);
        QVERIFY2(widget, qPrintable(name));
        if (control.kind != ControlKind::Line)
            QCOMPARE(widget->geometry(), QRect(pixelsFromTwips(control.left), pixelsFromTwips(control.top),
                                               pixelsFromTwips(control.width), pixelsFromTwips(control.height)));
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

namespace {

// A batch window after a run of `experiments` walks of 10 guests, every toss tails: each walk
// bottoms out at -10.
struct RunWindow
{
    RunWindow(ProgramNumber program, int experiments) : test({0.9f}), window(program, test.seams)
    {
        test.boxes.answers = {"10", QString::number(experiments)};
        window.setAttribute(Qt::WA_DeleteOnClose, false);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QTRY_COMPARE(window.findChild<QLabel *>("Label2")->text(), QString::number(experiments));
        button(&window, "実験開始")->click();
    }
    // Taluno3's graph as drawn; none in Taluno2.
    QImage graph() const
    {
        const auto *surface = window.findChild<PictureBox *>("Picture1");
        return surface ? surface->image() : QImage();
    }
    // Taluno2's count cells: their texts and colours; none in Taluno3.
    QStringList cells() const
    {
        QStringList cells;
        for (int bin = 1; window.findChild<QLabel *>(QStringLiteral("dosu_%1").arg(bin)); ++bin) {
            const auto *cell = window.findChild<QLabel *>(QStringLiteral("dosu_%1").arg(bin));
            cells << cell->text() + QLatin1Char(' ') + cell->palette().color(QPalette::WindowText).name();
        }
        return cells;
    }
    QList<QLabel *> panels() const { return window.findChildren<QLabel *>("sidePanel"); }

    TestSeams test;
    BatchWindow window;
};

// The cells of a rich-text table as plain text, in reading order.
QStringList cellsOf(const QString &html)
{
    QTextDocument document;
    document.setHtml(html);
    return document.toPlainText().split(QRegularExpression(QStringLiteral("\\s*\\n\\s*")), Qt::SkipEmptyParts);
}

} // namespace

void TestWindows::extrasEachAlone_data()
{
    QTest::addColumn<ProgramNumber>("program");
    QTest::addColumn<int>("key");
    QTest::newRow("Taluno2, T: the expected counts in red in the table's place") << ProgramNumber::Taluno2 << int(Qt::Key_T);
    QTest::newRow("Taluno2, K: the panel beside the table") << ProgramNumber::Taluno2 << int(Qt::Key_K);
    QTest::newRow("Taluno2, C: the share of 8 coins, large, beside the table") << ProgramNumber::Taluno2 << int(Qt::Key_C);
    QTest::newRow("Taluno3, T: a red mark at each bin's expected height") << ProgramNumber::Taluno3 << int(Qt::Key_T);
    QTest::newRow("Taluno3, K: the panel beside the graph") << ProgramNumber::Taluno3 << int(Qt::Key_K);
}

void TestWindows::extrasEachAlone()
{
    QFETCH(ProgramNumber, program);
    QFETCH(int, key);
    RunWindow run(program, 200);
    BatchWindow &window = run.window;
    const QImage plain = run.graph();
    const QStringList cells = run.cells();
    const QSize size = window.size();

    run.test.boxes.answers = {"8", ""}; // c枚用意したら？ asks: 8 coins, then Cancel to take it away
    QTest::keyClick(&window, Qt::Key(key));
    const int lowestBin = batchRules(program).lowestBin;
    const std::vector<long double> expected = expectedCounts(10, 200, lowestBin);
    std::vector<int> lowests(12, 0);
    lowests[0] = 200; // -10
    const LessonRun lesson{10, 200, "-10.0", lowests};
    if (key == Qt::Key_T) {
        QVERIFY(run.panels().isEmpty());
        QCOMPARE(window.size(), size);
        if (program == ProgramNumber::Taluno2) {
            QStringList law;
            for (const long double count : expected)
                law << QStringLiteral("%1 #ff0000").arg(std::lround(count));
            QCOMPARE(run.cells(), law);
        } else {
            const QImage marked = run.graph();
            for (int bin = 1; bin <= 120; ++bin) {
                const double count = double(expected[std::size_t(bin - 1)]);
                const bool red = isColour(marked, {bin + 4.5, 280 - count}, 130, 300, QColor(255, 0, 0));
                QVERIFY2(red == (count >= 0.5), qPrintable(QStringLiteral("bin %1, %2 expected").arg(bin).arg(count)));
            }
        }
    } else {
        // Right of the table or graph, in the window, which widens for it; as large as the table's
        // numbers, the share larger still and bold.
        QCOMPARE(run.panels().size(), 1);
        QLabel *panel = run.panels().front();
        const bool share = key == Qt::Key_C;
        QStringList wanted;
        for (const std::string &line : share ? sharePanel(lesson, 8) : coinsPanel(lesson))
            wanted << QString::fromStdString(line).split(QLatin1Char('\t'), Qt::SkipEmptyParts);
        QCOMPARE(cellsOf(panel->text()), wanted);
        QCOMPARE(QFontInfo(panel->font()).pixelSize(), fontPixels(share ? sharePoints : panelPoints));
        QCOMPARE(panel->font().bold(), share);
        // Right of the table's last column or of the graph, by the margin.
        const QWidget *beside = window.findChild<QWidget *>(program == ProgramNumber::Taluno2 ? "dosu_63" : "Picture1");
        QCOMPARE(panel->pos(), QPoint(beside->geometry().right() + 1 + pixelsFromTwips(panelMargin),
                                      pixelsFromTwips(batchWindowLayout(program).sidePanels->top)));
        QCOMPARE(window.width(), panel->geometry().right() + 1 + pixelsFromTwips(panelMargin));
        QCOMPARE(run.graph(), plain);
        QCOMPARE(run.cells(), cells);
    }
    QTest::keyClick(&window, Qt::Key(key));
    QCOMPARE(run.graph(), plain);
    QCOMPARE(run.cells(), cells);
    QCOMPARE(window.size(), size);
    QVERIFY(run.panels().isEmpty());
}

void TestWindows::walkLineBesideTheTable()
{
    using namespace TossControls;
    TestSeams test({0.7f, 0.7f, 0.2f}); // tails, tails, heads
    TossWindow window(test.seams);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    const WindowLayout &layout = tossWindowLayout();
    auto *graph = window.findChild<PictureBox *>("walkGraph");
    auto *lowest = window.findChild<QLabel *>("lowestSoFar");
    QVERIFY(!graph->isVisible() && !lowest->isVisible());
    QTest::keyClick(&window, Qt::Key_L);
    QVERIFY(graph->isVisible() && lowest->isVisible());
    const Control &place = layout.controls[walkGraph];
    QCOMPARE(window.width(), pixelsFromTwips(place.left + place.width + panelMargin));
    // In type at least as large as the window's title.
    QVERIFY(QFontInfo(lowest->font()).pixelSize() >= QFontInfo(window.findChild<QLabel *>("Label1")->font()).pixelSize());
    button(&window, "自動開始")->click();
    QTRY_COMPARE_WITH_TIMEOUT(window.findChild<QLabel *>("Labme_3")->text(), QStringLiteral("表"), 5000);
    button(&window, "自動停止")->click();
    QCOMPARE(lowest->text(), QStringLiteral("ここまでの最低：−2（2枚必要）"));
    // The walk's blue line halfway down from 0 to -1 on an axis from -10 to 10, the lowest (-2) in red.
    const QImage drawn = graph->image();
    const auto at = [&drawn](double toss, double balance, const QColor &colour) {
        return isColour(drawn, {walkX(0) + toss, walkY(0, -10, 10) + (walkY(1, -10, 10) - walkY(0, -10, 10)) * balance},
                        walkGraphWidth, walkGraphHeight, colour);
    };
    QVERIFY(at(0.5, -0.5, QColor(0, 0, 255)));
    QVERIFY(at(2, -2, QColor(255, 0, 0)));
    QVERIFY(at(50, -2, QColor(255, 0, 0)));
    QTest::keyClick(&window, Qt::Key_L);
    QVERIFY(!graph->isVisible());
    QCOMPARE(window.width(), pixelsFromTwips(layout.width));
}

void TestWindows::panelStaysOnScreen_data()
{
    QTest::addColumn<int>("program");
    QTest::newRow("Taluno1, L: the walk beside the table") << 1;
    QTest::newRow("Taluno2, K and C: both panels, one under the other") << 2;
}

void TestWindows::panelStaysOnScreen()
{
    QFETCH(int, program);
    TestSeams test;
    test.boxes.answers = {"10", "5", "8"};
    const auto window = makeWindow(program, test);
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    const QRect screen = window->screen()->availableGeometry();
    window->move(screen.right() - window->frameGeometry().width() + 1, screen.top());
    const int narrow = window->width();
    if (program == 1) {
        QTest::keyClick(window.get(), Qt::Key_L);
    } else {
        QTRY_COMPARE(window->findChild<QLabel *>("Label2")->text(), QStringLiteral("5"));
        button(window.get(), "実験開始")->click();
        QTest::keyClick(window.get(), Qt::Key_K);
        QTest::keyClick(window.get(), Qt::Key_C);
        const QList<QLabel *> panels = window->findChildren<QLabel *>("sidePanel");
        QCOMPARE(panels.size(), 2);
        QCOMPARE(panels[1]->x(), panels[0]->x());
        QCOMPARE(panels[1]->y(), panels[0]->geometry().bottom() + 1 + pixelsFromTwips(panelMargin));
    }
    // Wider, and within the screen, or at its left edge where the screen is too small for the window.
    const QRect frame = window->frameGeometry();
    QVERIFY(window->width() > narrow);
    QVERIFY2(frame.right() <= screen.right() || frame.left() == screen.left(), "widened off the screen");
}

void TestWindows::menuFromMouseAndKeys_data()
{
    QTest::addColumn<int>("program");
    QTest::addColumn<QString>("how");
    QTest::addColumn<QStringList>("items");
    const QStringList always{"結果をコピー\tCtrl+C", "画像を保存\tCtrl+S"};
    const QStringList batch = always + QStringList{"理論値\tT", "何枚用意すればよいか\tK", "c枚用意したら？\tC"};
    for (const char *how : {"right click", "Menu key", "Shift+F10"}) {
        QTest::addRow("Taluno1, %s", how) << 1 << how << always + QStringList{"折れ線グラフ\tL"};
        QTest::addRow("Taluno3, %s", how) << 3 << how << batch;
    }
    QTest::addRow("Taluno2, Shift+F10") << 2 << "Shift+F10" << batch;
}

void TestWindows::menuFromMouseAndKeys()
{
    QFETCH(int, program);
    QFETCH(QString, how);
    QFETCH(QStringList, items);
    TestSeams test;
    test.boxes.answers = {"10", "10"};
    const auto window = makeWindow(program, test);
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    QStringList shown;
    QTimer::singleShot(0, [&shown] {
        if (auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())) {
            for (const QAction *action : menu->actions())
                shown << action->text() + QLatin1Char('\t') + action->shortcut().toString();
            menu->close();
        }
    });
    // A right click through the window system, which makes a context menu event of it; the Menu key
    // as the desktop's platform turns it into one (the offscreen platform does not).
    QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, QPoint(10, 10), window->mapToGlobal(QPoint(10, 10)));
    if (how == QLatin1String("right click"))
        QTest::mouseClick(window->windowHandle(), Qt::RightButton, {}, QPoint(200, 200));
    else if (how == QLatin1String("Menu key"))
        QApplication::sendEvent(window.get(), &menuKey);
    else
        QTest::keyClick(window.get(), Qt::Key_F10, Qt::ShiftModifier);
    QTRY_COMPARE(shown, items);
}

void TestWindows::savedPictures()
{
    QTemporaryDir folder;
    // Taluno3 saves its graph at twice its size: the bar of -10 reaches 200 experiments, and the
    // law's marks are on.
    RunWindow run(ProgramNumber::Taluno3, 200);
    QTest::keyClick(&run.window, Qt::Key_T);
    run.test.boxes.savePath = folder.filePath(QStringLiteral("graph.png"));
    QTest::keySequence(&run.window, QKeySequence::Save);
    const QImage graph(run.test.boxes.savePath);
    auto *surface = run.window.findChild<PictureBox *>("Picture1");
    // Under the graph, a line for the settings and the mean and one for the marks, and room below.
    const int lineHeight = QFontMetrics(msPGothic(captionPoints)).lineSpacing();
    QCOMPARE(graph.size(), (surface->size() + QSize(0, 3 * lineHeight)) * 2);
    const auto inkIn = [&graph, surface](double from, double to) { // in lines under the graph
        const QImage band = graph.copy(0, int(2 * (surface->height() + from)), graph.width(), int(2 * (to - from)));
        for (int y = 0; y < band.height(); ++y) {
            for (int x = 0; x < band.width(); ++x) {
                if (band.pixelColor(x, y).lightness() < 128)
                    return true;
            }
        }
        return false;
    };
    QVERIFY(!inkIn(0, lineHeight / 2.0) && !inkIn(2.5 * lineHeight, 3.0 * lineHeight));
    QVERIFY(inkIn(0.5 * lineHeight, 1.5 * lineHeight) && inkIn(1.5 * lineHeight, 2.5 * lineHeight));
    // The inner area starts 2 pixels (4 saved) in: units map onto it.
    const QImage inner = graph.copy(QRect(QPoint(4, 4), surface->contentsRect().size() * 2));
    const double expectedOfMinusOne = double(expectedCounts(10, 200, -114)[std::size_t(binOf(-1, -114) - 1)]);
    for (const auto &[unit, colour] : {std::pair{QPointF(110.5, 155), QColor(0, 0, 255)},
                                       std::pair{QPointF(110.5, 75), surface->background()},
                                       std::pair{QPointF(100.5, 155), surface->background()},
                                       std::pair{QPointF(119.5, 280 - expectedOfMinusOne + 0.01), QColor(255, 0, 0)}})
        QVERIFY2(isColour(inner, unit, 130, 300, colour), qPrintable(QStringLiteral("at %1, %2").arg(unit.x()).arg(unit.y())));

    // Taluno1 saves its whole window: the title's colour at its place, the last cell white.
    TestSeams test;
    test.boxes.savePath = folder.filePath(QStringLiteral("window.png"));
    TossWindow toss(test.seams);
    toss.show();
    QVERIFY(QTest::qWaitForWindowActive(&toss));
    QTest::keySequence(&toss, QKeySequence::Save);
    const QImage window(test.boxes.savePath);
    QCOMPARE(window.size(), toss.size() * 2);
    const auto at = [&window](const char *name, int dx, int dy) {
        const Control &control = *std::find_if(tossWindowLayout().controls.begin(), tossWindowLayout().controls.end(),
                                               [name](const Control &c) { return c.name == name; });
        return window.pixelColor(2 * (pixelsFromTwips(control.left) + dx), 2 * (pixelsFromTwips(control.top) + dy));
    };
    QCOMPARE(at("Label1", 4, 12), QColor(0, 255, 255));
    QCOMPARE(at("Labme_100", 16, 12), QColor(255, 255, 255));
    QCOMPARE(at("tm_85", 16, 12), QColor(255, 255, 255));

    // Where nothing can be written, a box says so and names the place; nothing else happens.
    QFile blocker(folder.filePath(QStringLiteral("a-file")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    test.boxes.savePath = blocker.fileName() + QStringLiteral("/window.png");
    QTest::keySequence(&toss, QKeySequence::Save);
    QCOMPARE(test.boxes.asked.last(), QStringLiteral("画像を保存: 画像を保存できませんでした\n") + test.boxes.savePath);
    QVERIFY(!QFile::exists(test.boxes.savePath));
}

QTEST_MAIN(TestWindows)
#include "tst_windows.moc"
