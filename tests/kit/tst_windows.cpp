#include "core/batchengine.h"
#include "core/catalogue.h"
#include "core/frequencygraph.h"
#include "core/layout.h"
#include "core/texts.h"
#include "core/walkgraph.h"
#include "kit/desktopprogram.h"
#include "kit/extrasmenu.h"
#include "kit/helpwindow.h"
#include "kit/linesbox.h"
#include "kit/mainwindow.h"
#include "kit/picturebox.h"
#include "kit/programstart.h"
#include "kit/qtconvert.h"
#include "kit/qtmodalboxes.h"
#include "kit/sharelessonbox.h"
#include "kit/talunoapplication.h"
#include "testseams.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QInputDialog>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

namespace {

QList<QWidget *> visibleWindows()
{
    QList<QWidget *> windows = QApplication::topLevelWidgets();
    windows.removeIf([](const QWidget *window) { return !window->isVisible(); });
    return windows;
}

// The control of a main window of `program` on that row of its layout.
template <typename Widget = QWidget>
Widget *control(const QWidget *window, ProgramNumber program, int row)
{
    return window->findChild<Widget *>(QString::fromStdString(mainWindowLayout(program).controls.at(std::size_t(row)).name));
}

QAbstractButton *button(const QWidget *window, const char *caption)
{
    const QList<QAbstractButton *> buttons = window->findChildren<QAbstractButton *>();
    return *std::find_if(buttons.begin(), buttons.end(), [caption](auto *button) { return button->text() == QString::fromUtf8(caption); });
}

// Answers the next real modal box: types `answer` into an input box and presses OK, or presses the
// button of a message box whose caption begins with `answer`. What the box showed goes to `seen`: the
// title, the text or the default text of a line, and the box of many lines with its prompt and the line
// selected; " (markup)" where a text that looks like HTML would be read as markup.
int lastBoxFontPixels = 0; // of the box answered last

void answerNextBox(const QString &answer, QStringList *seen)
{
    QTimer::singleShot(0, [answer, seen] {
        QWidget *box = QApplication::activeModalWidget();
        if (!box)
            return answerNextBox(answer, seen);
        lastBoxFontPixels = QFontInfo(box->font()).pixelSize();
        if (auto *input = qobject_cast<QInputDialog *>(box)) {
            *seen << input->windowTitle() + QStringLiteral(": ") + input->textValue();
            input->setTextValue(answer);
            input->accept();
        } else if (auto *lines = qobject_cast<LinesBox *>(box)) {
            QPlainTextEdit *edit = lines->findChild<QPlainTextEdit *>();
            const QTextCursor cursor = edit->textCursor();
            *seen << lines->windowTitle() + QStringLiteral(": ") + lines->findChild<QLabel *>()->text() + QStringLiteral(" | ") + lines->text()
                    + (cursor.hasSelection() ? QStringLiteral(" (lines, line %1 selected").arg(cursor.blockNumber() + 1) : QStringLiteral(" (lines"))
                    + (edit->viewport()->rect().contains(edit->cursorRect()) ? ")" : ", out of view)")
                    + (lines->findChild<QLabel *>()->textFormat() == Qt::PlainText ? "" : " (markup)");
            edit->setPlainText(answer);
            lines->accept();
        } else if (auto *message = qobject_cast<QMessageBox *>(box)) {
            *seen << message->windowTitle() + QStringLiteral(": ") + message->text() + (message->textFormat() == Qt::PlainText ? "" : " (markup)");
            for (QAbstractButton *choice : message->buttons()) {
                if (choice->text().startsWith(answer)) // "いいえ(&N)"
                    choice->click();
            }
        }
    });
}

// The scripted boxes, noting also the text each input box offers.
struct OfferingBoxes : ScriptedBoxes
{
    QString inputBox(QWidget *window, const QString &prompt, const QString &title, const QString &defaultText, bool multiline,
                     int shownLine) override
    {
        offered << defaultText;
        return ScriptedBoxes::inputBox(window, prompt, title, defaultText, multiline, shownLine);
    }
    QStringList offered;
};

// What a tablet's reader (zbarimg) reads off the QR code a share box shows.
QString scanned(const QWidget *box)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("code.png"));
    box->findChild<QLabel *>(QStringLiteral("lessonCode"))->grab().save(path);
    QProcess zbar;
    zbar.start(QStringLiteral("zbarimg"), {QStringLiteral("--raw"), QStringLiteral("-q"), path});
    return zbar.waitForFinished() ? QString::fromUtf8(zbar.readAllStandardOutput()).trimmed() : QStringLiteral("no zbarimg (zbar-tools)");
}

// Whether the pixel of `image` under a point in the units of a surface `unitsAcross` by `unitsDown` has that colour.
bool isColour(const QImage &image, QPointF unit, double unitsAcross, double unitsDown, QColor colour)
{
    return image.pixelColor(int(unit.x() * image.width() / unitsAcross), int(unit.y() * image.height() / unitsDown)) == colour;
}

// A main window at its layout's size (Ctrl+0); for Taluno2 and Taluno3 after a run of `experiments` walks of
// `guests` guests. Every toss is tails: each walk bottoms out at -guests.
struct RunWindow
{
    explicit RunWindow(ProgramNumber program, int experiments = 200, int guests = 10, bool layoutSize = true)
        : program(program), test({0.9f}), desktop(program, test.seams)
    {
        test.boxes.answers = {QString::number(guests), QString::number(experiments)};
        desktop.showMain();
        window = desktop.mainWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.data()));
        if (layoutSize)
            QTest::keyClick(window.data(), Qt::Key_0, Qt::ControlModifier);
        if (program == ProgramNumber::Taluno1)
            return;
        QTRY_COMPARE(control<QLabel>(window.data(), program, BatchControls::experimentCountValue)->text(), QString::number(experiments));
        button(window.data(), "実験開始")->click();
    }
    PictureBox *graph() const { return control<PictureBox>(window.data(), program, BatchControls::graphSurface); }
    QList<QLabel *> panels() const { return window->findChildren<QLabel *>("sidePanel"); }

    ~RunWindow() { delete window.data(); }

    ProgramNumber program;
    TestSeams test;
    DesktopProgram desktop;
    QPointer<MainWindow> window;
};

// The smallest rectangle that holds every pixel of `image` within `area` that is darker than `below` and not red,
// or with `red`, red.
QRect inkBox(const QImage &image, const QRect &area, bool red = false, int below = 128)
{
    QRect box;
    for (int y = std::max(0, area.top()); y <= std::min(image.height() - 1, area.bottom()); ++y) {
        for (int x = std::max(0, area.left()); x <= std::min(image.width() - 1, area.right()); ++x) {
            const QColor colour = image.pixelColor(x, y);
            if ((colour.red() > 160 && colour.green() < 100) ? red : !red && colour.lightness() < below)
                box |= QRect(x, y, 1, 1);
        }
    }
    return box;
}

bool inkIn(const QImage &image, const QRect &area, int below = 128)
{
    return !inkBox(image, area, false, below).isNull();
}

// The labels and buttons of `window` whose captions do not fit their boxes, within the margins and the frame, each
// line as wide as its font draws it and all lines as high: "Label1: caption".
QStringList cutOff(const QWidget &window)
{
    QStringList cut;
    for (const QWidget *widget : window.findChildren<QWidget *>()) {
        const auto *label = qobject_cast<const QLabel *>(widget);
        const auto *button = qobject_cast<const QAbstractButton *>(widget);
        const QString caption = label ? label->text() : button ? button->text() : QString();
        if (caption.isEmpty() || !widget->isVisibleTo(&window))
            continue;
        const QRect room = label ? label->contentsRect().marginsRemoved(QMargins() + label->margin()) : button->rect().adjusted(2, 2, -2, -2);
        const QFontMetrics metrics(widget->font());
        const QRect needed = metrics.boundingRect(QRect(room.topLeft(), QSize(room.width(), 1 << 20)),
                                                  label && label->wordWrap() ? Qt::TextWordWrap : 0, caption);
        // Lines one em apart, as the layouts were made for (kit/picturebox.cpp), the last as high as its ink: the
        // projector's numbers fill their boxes.
        const int lines = 1 + (needed.height() - metrics.height()) / metrics.lineSpacing();
        const int high = (lines - 1) * QFontInfo(widget->font()).pixelSize() + metrics.tightBoundingRect(caption.split('\n').last()).height();
        if (needed.width() > room.width() || high > room.height())
            cut << widget->objectName() + QStringLiteral(": ") + caption;
    }
    return cut;
}

// What a window or a menu shows or tells a screen reader: its title, its widgets' captions, names and descriptions,
// its actions and their submenus.
QStringList texts(const QWidget &window)
{
    QStringList all{window.windowTitle()};
    for (const QWidget *widget : window.findChildren<QWidget *>()) {
        if (const auto *label = qobject_cast<const QLabel *>(widget))
            all << label->text();
        if (const auto *button = qobject_cast<const QAbstractButton *>(widget))
            all << button->text();
        all << widget->accessibleName() << widget->accessibleDescription();
    }
    for (const QAction *action : window.actions())
        all << action->text() << (action->menu() ? texts(*action->menu()) : QStringList());
    return all;
}

} // namespace

// The Qt windows as a pupil and a screen reader meet them: built from the tables, wired to the core,
// answering real boxes, swapping help in and out, drawing, widening for their extras and saving pictures.
class TestWindows : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        TalunoApplication::setUp();
        // Under a window manager (tests/kit/framed.sh), once it frames a window shown after it started.
        for (int tries = 0; QGuiApplication::platformName() == QLatin1String("xcb"); ++tries) {
            QWidget probe;
            probe.show();
            QVERIFY2(tries < 40, "no window manager frames the windows");
            if (QTest::qWaitFor([&] { return probe.frameGeometry() != probe.geometry(); }, 500))
                break;
        }
    }

    void cleanup()
    {
        // Menus and panels go with their windows.
        QList<QPointer<QWidget>> windows;
        for (QWidget *window : QApplication::topLevelWidgets()) {
            if (!window->parentWidget())
                windows << window;
        }
        qDeleteAll(windows);
        QVERIFY(visibleWindows().isEmpty());
        useLanguage(originalLanguage);
        TalunoApplication::translateQt();
    }

    // Every main and help window at its layout's size and at 170 %: its title, size, controls with their places
    // and fonts (each edge rounded on its own), states, names a screen reader hears and captions that fit, and
    // the focus where the table says.
    void builtFromTheTables()
    {
        for (const auto &[program, help, scale] : {std::tuple{ProgramNumber::Taluno1, false, 1.0}, {ProgramNumber::Taluno2, false, 1.0},
                                                   {ProgramNumber::Taluno3, false, 1.0}, {ProgramNumber::Taluno1, true, 1.0},
                                                   {ProgramNumber::Taluno2, true, 1.0}, {ProgramNumber::Taluno1, false, 1.7},
                                                   {ProgramNumber::Taluno2, false, 1.7}, {ProgramNumber::Taluno3, true, 1.7}}) {
            TestSeams test;
            const std::unique_ptr<ProgramWindow> window = help ? std::unique_ptr<ProgramWindow>(std::make_unique<HelpWindow>(program, test.seams))
                                                               : std::make_unique<MainWindow>(program, test.seams);
            window->setViewScale(scale);
            window->show();
            QVERIFY(QTest::qWaitForWindowExposed(window.get()));
            const WindowLayout &layout = help ? helpWindowLayout(program) : mainWindowLayout(program);
            const auto px = [factor = scale](int twips) { return int(std::floor(twips * factor / 15 + 0.5)); };
            QCOMPARE(window->windowTitle(), QString::fromStdString(layout.title));
            QCOMPARE(window->size(), QSize(px(layout.width), px(layout.height)));
            for (const Control &control : layout.controls) {
                const QString name = QString::fromStdString(control.name);
                QWidget *widget = window->findChild<QWidget *>(name);
                QVERIFY2(widget, qPrintable(name));
                if (control.kind == ControlKind::Line) { // across the window, as thick as the scale
                    QCOMPARE(widget->height(), std::max(1, int(std::lround(scale))));
                } else {
                    QCOMPARE(widget->geometry(), QRect(QPoint(px(control.left), px(control.top)),
                                                       QPoint(px(control.left + control.width) - 1, px(control.top + control.height) - 1)));
                    QCOMPARE(QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name), QString::fromStdString(control.caption));
                }
                const double own = control.kind == ControlKind::Surface ? control.points : pointsAt(control, scale);
                const double points = own > 0 ? own : layout.points > 0 ? layout.points : defaultPoints;
                QVERIFY2(QFontInfo(widget->font()).pixelSize() == std::lround(points * scale * 4 / 3), qPrintable(name));
                QCOMPARE(widget->isVisibleTo(window.get()), control.visible);
                QCOMPARE(widget->isEnabled(), control.enabled);
                QCOMPARE(widget->accessibleDescription(), QString::fromStdString(control.description));
            }
            QCOMPARE(QApplication::focusWidget(),
                     window->findChild<QWidget *>(QString::fromStdString(layout.controls[std::size_t(layout.focusOrder.front())].name)));
        }
    }

    void fitsInEveryLanguage_data()
    {
        QTest::addColumn<ProgramNumber>("program");
        QTest::addColumn<QString>("language");
        for (const ProgramNumber program : {ProgramNumber::Taluno1, ProgramNumber::Taluno2, ProgramNumber::Taluno3}) {
            for (const std::string &language : catalogueLanguages())
                QTest::addRow("Taluno%d in %s", int(program), language.c_str()) << program << QString::fromStdString(language);
        }
    }

    // Chosen from the menu, a language is remembered and the program starts afresh in it. There, at 100 % and at
    // 200 %, every caption of the main window after a run (Taluno1's to its end, its walk and c coins shown) and of
    // the help window fits its box, line by line and all its lines high, and the help's lines fit its surface. Outside
    // Japanese nothing shown, asked or offered in the menu is Japanese, Qt's own buttons included.
    void fitsInEveryLanguage()
    {
        QFETCH(ProgramNumber, program);
        QFETCH(QString, language);
        TestSeams test;
        const bool batch = program != ProgramNumber::Taluno1;
        test.boxes.answers = batch ? QStringList{"10", "200", "10", "200"} : QStringList{"8"};
        DesktopProgram desktop(program, test.seams);
        desktop.startIn(std::string(originalLanguage));
        const QPointer<MainWindow> first = desktop.mainWindow();
        QVERIFY(QTest::qWaitForWindowActive(first.data()));
        QTRY_VERIFY(test.boxes.answers.size() == (batch ? 2 : 1));
        QMenu *languages = first->findChild<ExtrasMenu *>()->findChild<QMenu *>();
        QCOMPARE(languages->title(), qtText(text(Text::extraLanguage)));
        test.boxes.asked.clear();
        const QList<QAction *> choices = languages->actions();
        (*std::ranges::find(choices, qtText(textIn(language.toStdString(), Text::languageName)), &QAction::text))->trigger();
        QTRY_VERIFY(!first && desktop.mainWindow());
        QCOMPARE(QString::fromStdString(startLanguage(program, {}, test.settings)), language); // the next start's too
        MainWindow &window = *desktop.mainWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QTest::keyClick(&window, Qt::Key_0, Qt::ControlModifier);
        if (batch) {
            QTRY_COMPARE(control<QLabel>(&window, program, BatchControls::experimentCountValue)->text(), QStringLiteral("200"));
            button(&window, text(Text::startCaption).c_str())->click();
        } else {
            for (QTimer *timer : window.findChildren<QTimer *>())
                timer->setInterval(1);
            button(&window, text(Text::autoStartCaption).c_str())->click();
            QTRY_VERIFY_WITH_TIMEOUT(!control<QLabel>(&window, program, TossControls::resultCell(TossControls::tossCount))->text().isEmpty(), 30000);
            QTest::keyClick(&window, Qt::Key_L);
            QTest::keyClick(&window, Qt::Key_C);
        }
        QStringList shown = test.boxes.asked;
        const auto fits = [&](ProgramWindow &shownWindow) {
            for (const double scale : {1.0, 2.0}) {
                shownWindow.setViewScale(scale);
                QVERIFY2(cutOff(shownWindow).isEmpty(), qPrintable(QStringLiteral("%1 %: ").arg(scale * 100) + cutOff(shownWindow).join(" | ")));
            }
            shown << texts(shownWindow);
        };
        fits(window);
        shown << texts(*window.findChild<ExtrasMenu *>());
        auto *help = new HelpWindow(program, test.seams);
        help->show();
        QVERIFY(QTest::qWaitForWindowExposed(help));
        fits(*help);
        QVERIFY(!QTest::currentTestFailed());
        const auto *surface = help->findChild<PictureBox *>();
        const std::vector<std::string> lines = helpLines(program);
        const QFontMetricsF metrics(surface->font());
        for (const std::string &line : lines) {
            QVERIFY2(metrics.horizontalAdvance(qtText(line)) <= surface->contentsRect().width(), line.c_str());
            shown << qtText(line);
        }
        QVERIFY(int(lines.size()) * QFontInfo(surface->font()).pixelSize() <= surface->contentsRect().height());
        if (language != QString::fromStdString(std::string(originalLanguage))) {
            shown << QCoreApplication::translate("QPlatformTheme", "Cancel") << QCoreApplication::translate("QPlatformTheme", "&Yes");
            for (const std::string &other : catalogueLanguages())
                shown.removeAll(qtText(textIn(other, Text::languageName))); // each language by its own name
            const QStringList japanese = shown.filter(QRegularExpression(QStringLiteral("[\\x{3000}-\\x{30FF}\\x{3400}-\\x{4DBF}\\x{4E00}-\\x{9FFF}\\x{FF00}-\\x{FFEF}]")));
            QVERIFY2(japanese.isEmpty(), qPrintable(japanese.join(QStringLiteral(" | "))));
        }
    }

    void sizedForTheRoom_data()
    {
        QTest::addColumn<ProgramNumber>("program");
        QTest::addColumn<int>("percent");
        QTest::addColumn<int>("tableRow");
        // By hand: 1080 / 579 = 1.87 and 1080 / 512 = 2.11; a title bar of 20 and a border of 1: 1059 / 512 = 2.07.
        const int framed = QGuiApplication::platformName() == QLatin1String("xcb") ? 10 : 0;
        QTest::newRow("Taluno1 at 180 %, its walk on") << ProgramNumber::Taluno1 << 180 << TossControls::balanceCell(1);
        QTest::newRow("Taluno2 at 210 % (200 % framed), c coins beside") << ProgramNumber::Taluno2 << 210 - framed << BatchControls::countCell(1);
        QTest::newRow("Taluno3 at 210 % (200 % framed), c coins beside") << ProgramNumber::Taluno3 << 210 - framed << -1;
    }

    // Nothing remembered, each program opens at the largest size at which it fits the Full HD screen, frame and all,
    // and with its walk or its share of c coins still fits: the back row reads the answer's digits at 36 pixels or
    // more, the table's at 28. Ctrl+plus goes no larger; F11 fills the screen and gives the size back. Taluno1's help
    // lies over its table. A size chosen by the keys is the size of the next start, until 画面に合わせる.
    void sizedForTheRoom()
    {
        QFETCH(ProgramNumber, program);
        QFETCH(int, percent);
        QFETCH(int, tableRow);
        RunWindow run(program, 200, 10, false);
        QWidget &window = *run.window;
        run.test.boxes.answers = {"8"};
        QTest::keyClick(&window, program == ProgramNumber::Taluno1 ? Qt::Key_L : Qt::Key_C);
        const auto onScreen = [&] { return window.screen()->availableGeometry().contains(window.frameGeometry()); };
        for (int step = 0; step < 2; ++step) {
            QTRY_VERIFY(onScreen() && run.desktop.viewPercent() == percent);
            QTest::keyClick(&window, Qt::Key_Plus, Qt::ControlModifier);
        }
        const auto digits = [](const QWidget *widget) { return QFontMetrics(widget->font()).tightBoundingRect("0123456789").height(); };
        const QWidget *answer = program == ProgramNumber::Taluno1 ? control(&window, program, TossControls::lowestSoFarLabel) : run.panels().value(0);
        QVERIFY2(digits(answer) >= 36, qPrintable(QString::number(digits(answer))));
        if (program != ProgramNumber::Taluno1)
            QVERIFY2(digits(control(&window, program, BatchControls::meanValue)) >= 36, "the mean");
        if (tableRow >= 0)
            QVERIFY2(digits(control(&window, program, tableRow)) >= 28, qPrintable(QString::number(digits(control(&window, program, tableRow)))));
        // Taluno3's numbers under its axis and beside it (its 50) as large as the table's.
        if (program == ProgramNumber::Taluno3) {
            const QImage graph = run.graph()->image();
            const auto inUnits = [&](double left, double top, double right, double bottom) {
                return QRect(QPoint(int(left * graph.width() / graphWidth), int(top * graph.height() / graphHeight)),
                             QPoint(int(right * graph.width() / graphWidth), int(bottom * graph.height() / graphHeight)));
            };
            const QRect row = inkBox(graph, inUnits(0, 286, graphWidth, graphHeight)), fifty = inkBox(graph, inUnits(4.5, 220, 10.5, 250));
            QVERIFY2(std::min(row.height(), fifty.height()) >= 28 * graph.devicePixelRatio(), qPrintable(QStringLiteral("%1, %2").arg(row.height()).arg(fifty.height())));
        }
        // With the exact law on, Taluno2's count and its expectation side by side, both at the numbers' size.
        if (program == ProgramNumber::Taluno2) {
            QTest::keyClick(&window, Qt::Key_T);
            const QImage cell = control(&window, program, tableRow)->grab().toImage();
            const QRect count = inkBox(cell, cell.rect().adjusted(2, 2, -2, -2)), law = inkBox(cell, cell.rect().adjusted(2, 2, -2, -2), true);
            QVERIFY2(std::min(count.height(), law.height()) >= 28 * cell.devicePixelRatio() && law.left() > count.right(),
                     qPrintable(QStringLiteral("%1 and %2 high, %3 to %4").arg(count.height()).arg(law.height()).arg(count.right()).arg(law.left())));
        }
        // F11: the whole screen, the layout as large as it fits, centred; F11 again: as it was.
        const QSize shown = window.size();
        QTest::keyClick(&window, Qt::Key_F11);
        const auto origin = [&] { return control(&window, program, BatchControls::quitButton)->pos(); };
        QTRY_VERIFY(window.geometry() == window.screen()->geometry() && std::min(origin().x(), origin().y()) == 0 && origin() != QPoint());
        QTest::keyClick(&window, Qt::Key_F11);
        QTRY_VERIFY(window.size() == shown && onScreen());
        // Taluno1's help at the window's right: over the table, clear of the walk, the answer and the buttons.
        if (program == ProgramNumber::Taluno1) {
            button(&window, "HELP")->click();
            QTRY_VERIFY(qobject_cast<HelpWindow *>(QApplication::activeWindow()) && run.window->spareForHelp().contains(QApplication::activeWindow()->frameGeometry()));
        }
        QTest::keyClick(&window, Qt::Key_Minus, Qt::ControlModifier);
        run.test.boxes.answers = {"10", "200"};
        DesktopProgram next(program, run.test.seams); // what the last one remembered
        next.showMain();
        QCOMPARE(next.viewPercent(), percent - 10);
        QCOMPARE(next.mainWindow()->width(), std::lround(mainWindowLayout(program).width * (percent - 10) / 1500.0));
        // 画面に合わせる: the first start's size again, and so at the next start.
        const QList<QAction *> actions = next.mainWindow()->actions();
        (*std::find_if(actions.begin(), actions.end(), [](QAction *action) { return action->text() == QStringLiteral("画面に合わせる"); }))->trigger();
        QTRY_VERIFY(next.viewPercent() == percent && run.test.settings.allKeys().isEmpty());
    }

    // The timers make the tosses, shown in their face's colour; HELP opens one help window beside, 閉じる closes it.
    void taluno1OnItsTimersWithHelpBeside()
    {
        RunWindow run(ProgramNumber::Taluno1);
        QWidget &window = *run.window;
        button(&window, "自動開始")->click();
        auto *firstResult = control<QLabel>(&window, ProgramNumber::Taluno1, TossControls::resultCell(1));
        QTRY_COMPARE_WITH_TIMEOUT(firstResult->text(), QStringLiteral("裏"), 5000);
        button(&window, "自動停止")->click();
        QVERIFY(firstResult->palette().color(QPalette::WindowText) == QColor(255, 0, 0) && control(&window, ProgramNumber::Taluno1, TossControls::tailsCoin)->isVisible());
        // The walk's first step, from 0 down to -1, three pixels wide or more across its middle at any scale.
        QTest::keyClick(&window, Qt::Key_L);
        const QImage walk = control<PictureBox>(&window, ProgramNumber::Taluno1, TossControls::walkGraph)->image();
        const int middle = int(walkY(0, -10, 10) + 2) * walk.height() / int(walkGraphHeight);
        int blue = 0;
        for (int x = 0; x < 13 * walk.width() / int(walkGraphWidth); ++x)
            blue += walk.pixelColor(x, middle) == QColor(0, 0, 255);
        QVERIFY2(blue >= 3 * walk.devicePixelRatio(), qPrintable(QString::number(blue)));

        button(&window, "HELP")->click();
        button(&window, "HELP")->click();
        QCOMPARE(run.test.cues, QStringList({"pinpon.wav", "pinpon.wav"}));
        QCOMPARE(visibleWindows().size(), 2);
        QTRY_VERIFY(qobject_cast<HelpWindow *>(QApplication::activeWindow()));
        button(QApplication::activeWindow(), "閉じる")->click();
        QTRY_COMPARE(visibleWindows(), QList<QWidget *>{&window});
        QTRY_VERIFY(window.isActiveWindow());
    }

    // Taluno2 as the program runs it, through Qt's own boxes in Japanese: the prompts with their defaults, the
    // end question of an empty answer (いいえ: the window waits, 実験開始 asks), HELP in the main window's place and 閉じる bringing it back as at start-up,
    // 終了 asking; the help window closed by its frame leaves no window, and the program ends.
    void helpInPlaceThroughRealBoxes()
    {
        QtModalBoxes boxes;
        TestSeams test;
        Seams seams{boxes, test.cue, test.random, test.clock, test.settings, test.seams.endProgram};
        QStringList seen;
        for (const char *answer : {"", "いいえ", "10", "5", "20", "6"})
            answerNextBox(QString::fromUtf8(answer), &seen);
        DesktopProgram desktop(ProgramNumber::Taluno2, seams);
        desktop.showMain();
        QTRY_COMPARE(seen.size(), 2); // いいえ: the window waits until 実験開始
        button(visibleWindows().value(0), "実験開始")->click();
        const auto experiments = [] { return control<QLabel>(visibleWindows().value(0), ProgramNumber::Taluno2, BatchControls::experimentCountValue); };
        QTRY_COMPARE(experiments()->text(), QStringLiteral("5"));
        QCOMPARE(seen, QStringList({" お客人数の設定: 100", "確認: 終了していいですか？", " お客人数の設定: 100", " 実験回数の設定: 1000"}));
        // The boxes and the menu as large as the window, at the view's size.
        const int windowPixels = QFontInfo(visibleWindows().value(0)->font()).pixelSize();
        QVERIFY(lastBoxFontPixels == windowPixels && QFontInfo(visibleWindows().value(0)->findChild<ExtrasMenu *>()->font()).pixelSize() == windowPixels);
        button(visibleWindows().value(0), "HELP")->click();
        QTRY_COMPARE(visibleWindows().size(), 1);
        QVERIFY(qobject_cast<HelpWindow *>(visibleWindows().value(0)));
        button(visibleWindows().value(0), "閉じる")->click();
        QTRY_COMPARE(visibleWindows().size(), 1);
        QVERIFY(qobject_cast<MainWindow *>(visibleWindows().value(0)));
        QTRY_COMPARE(experiments()->text(), QStringLiteral("6"));
        // クラスの結果をまとめる in a box of many lines: the class's results shown as a run.
        const auto pool = [] {
            const QList<QAction *> actions = visibleWindows().value(0)->actions();
            (*std::find_if(actions.begin(), actions.end(), [](QAction *action) { return action->text() == QStringLiteral("クラスの結果をまとめる"); }))->trigger();
        };
        answerNextBox(QStringLiteral("-3\n1"), &seen);
        pool();
        QTRY_COMPARE(experiments()->text(), QStringLiteral("2"));
        QCOMPARE(seen.last(), QStringLiteral(" クラスの結果をまとめる: ") + qtText(text(Text::poolPrompt)) + QStringLiteral(" |  (lines)"));
        // Each hostile line, and a line among 4000: the box asks again quoting it as plain text, literally, the line
        // selected and in view; Cancel keeps the run.
        QFile file(QStringLiteral(TALUNO_SOURCE_DIR "/tests/support/hostile-lines.json"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const qsizetype asked = seen.size() + 2;
        QJsonArray rows = QJsonDocument::fromJson(file.readAll()).array();
        rows.append(QJsonObject{{"name", "line 989 of 4000"}, {"line", QString("-3\n").repeated(988) + "x\n" + QString("-3\n").repeated(3011)}, {"shown", "x"}, {"number", 989}});
        for (const QJsonValue row : rows) {
            answerNextBox(row["line"].toString().repeated(row["repeat"].toInt(1)), &seen);
            answerNextBox({}, &seen);
            pool();
            QTRY_COMPARE(seen.size(), asked);
            const QString again = seen.takeLast();
            seen.removeLast(); // the box as it opened
            const QString number = QString::number(row["number"].toInt(1));
            QVERIFY2(again.startsWith(QStringLiteral(" クラスの結果をまとめる: ") + number + "行目が読めません：「" + row["shown"].toString() + "」\n\n" + qtText(text(Text::poolPrompt)) + " | ")
                         && again.endsWith(" (lines, line " + number + " selected)"), qPrintable(row["name"].toString()));
        }
        // Ten million characters pasted: refused at once, the box as it was, saying why above its prompt.
        QGuiApplication::clipboard()->setText(QString(10'000'000, QLatin1Char('7')));
        QTimer::singleShot(0, [&seen] {
            auto *box = qobject_cast<LinesBox *>(QApplication::activeModalWidget());
            box->findChild<QPlainTextEdit *>()->paste();
            seen << box->findChild<QLabel *>()->text() + QStringLiteral(" | ") + box->text();
            box->reject();
        });
        pool();
        QTRY_VERIFY(seen.last().startsWith(qtText(text(Text::tooMuchPasted)) + QStringLiteral("\n\n") + qtText(text(Text::poolPrompt)) + " | -3\n-3\n"));
        answerNextBox(QStringLiteral("はい"), &seen); // いいえ keeps the window, as at start-up
        button(visibleWindows().value(0), "終了")->click();
        QVERIFY(seen.last() == QStringLiteral("Talunoの実験: 終了していいですか？") && test.ends == 1);
        QCOMPARE(test.cues.last(), QStringLiteral("endpinpon.wav"));
        button(visibleWindows().value(0), "HELP")->click();
        QTRY_VERIFY(qobject_cast<HelpWindow *>(visibleWindows().value(0)));
        visibleWindows().value(0)->close();
        QTRY_VERIFY(visibleWindows().isEmpty());
    }

    void graphOnScreen()
    {
        RunWindow run(ProgramNumber::Taluno3, 1000);
        // Back from another window, a box say, the window asks nothing more.
        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        run.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(run.window.data()));
        QCoreApplication::processEvents();
        QCOMPARE(run.test.boxes.asked.size(), 2);
        // After the run the focus has moved on to 終了, so that a second Enter asks before anything is lost.
        QCOMPARE(QApplication::focusWidget(), button(run.window.data(), "終了"));
        const QImage image = run.graph()->image();
        const QColor black(0, 0, 0), blue(0, 0, 255), background = run.graph()->background();
        // The bar of -10 rises from the tick at x 110 to the top; every box includes its edges: the bars
        // stand on the axis, and an empty bin lies on it as a segment.
        for (const auto &[unit, colour] : {std::pair{QPointF(110.5, 10.5), blue}, std::pair{QPointF(60.2, 280.2), blue},
                                           std::pair{QPointF(60.5, 100.5), background}, std::pair{QPointF(3.1, 150.5), black}})
            QVERIFY2(isColour(image, unit, graphWidth, graphHeight, colour), qPrintable(QStringLiteral("at %1, %2").arg(unit.x()).arg(unit.y())));

        // Each axis number stands under its tick: ink of the row by columns, a gap of 6 pixels or more
        // parting two numbers.
        QList<QPair<int, int>> numbers;
        const int rowTop = int(291 * image.height() / graphHeight);
        for (int x = 0; x < image.width(); ++x) {
            if (!inkIn(image, QRect(x, rowTop, 1, image.height() - rowTop)))
                continue;
            if (numbers.isEmpty() || numbers.last().second < x - 6 * image.devicePixelRatio())
                numbers.append({x, x});
            numbers.last().second = x;
        }
        QCOMPARE(numbers.size(), 12);
        for (int k = 0; k < 12; ++k) {
            const double middle = (numbers[k].first + numbers[k].second) / 2.0;
            QVERIFY2(std::abs(middle - (10 + 10 * k) * image.width() / graphWidth) <= 5 * image.devicePixelRatio(),
                     qPrintable(QStringLiteral("number %1 centred at %2").arg(k + 1).arg(middle)));
        }
    }

    void startedFromALesson_data()
    {
        QTest::addColumn<ProgramNumber>("program");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("offered"); // by the first prompt of every main window built; none: no prompt
        QTest::addColumn<QStringList>("checked");
        QTest::addColumn<QString>("told"); // in the notice; empty: none
        QTest::newRow("Taluno2 from options: 35 guests offered, two toggles checked, an unknown option told")
            << ProgramNumber::Taluno2 << QStringList{"--guests", "35", "--show", "law,coins", "--colour=red"} << "35"
            << QStringList{"理論値", "何枚用意すればよいか"} << "--colour=red";
        QTest::newRow("Taluno3 from its link: 35 guests offered, 理論値 checked, nothing to tell")
            << ProgramNumber::Taluno3 << QStringList{"https://x.example/taluno3.html#guests=35&show=law"} << "35" << QStringList{"理論値"} << "";
        QTest::newRow("Taluno1 from options: its walk checked, the guests it has none of told")
            << ProgramNumber::Taluno1 << QStringList{"--show", "line", "--guests", "35"} << "" << QStringList{"折れ線グラフ"} << "お客人数";
    }

    // A program started with options or a link: its toggles checked in the menu, its prompt offering the link's
    // value, and what it did not use told once, also when HELP in its place builds the main window afresh.
    void startedFromALesson()
    {
        QFETCH(ProgramNumber, program);
        QFETCH(QStringList, arguments);
        QFETCH(QString, offered);
        QFETCH(QStringList, checked);
        QFETCH(QString, told);
        OfferingBoxes boxes;
        TestSeams test;
        Seams seams{boxes, test.cue, test.random, test.clock, test.settings, test.seams.endProgram};
        boxes.answers = {"", "no", "", "no"}; // Cancel, then いいえ: each window built waits
        DesktopProgram desktop(program, seams);
        desktop.openLesson(lessonFromArguments(program, arguments));
        desktop.showMain();
        const int builds = programRow(program).help == HelpPlace::InPlace ? 2 : 1;
        for (int build = 1; build <= builds; ++build) {
            const QPointer<MainWindow> window = desktop.mainWindow();
            QVERIFY(QTest::qWaitForWindowActive(window.data()));
            QTRY_VERIFY(offered.isEmpty() ? !boxes.asked.isEmpty() || told.isEmpty() : boxes.offered.size() == build);
            QStringList on;
            for (const QAction *action : window->findChild<ExtrasMenu *>()->actions()) {
                if (action->isChecked())
                    on << action->text();
            }
            QCOMPARE(on, checked);
            if (build == builds)
                break;
            button(window, "HELP")->click();
            QTRY_VERIFY(qobject_cast<HelpWindow *>(QApplication::activeWindow()));
            button(QApplication::activeWindow(), "閉じる")->click();
            QTRY_VERIFY(!window);
        }
        QCOMPARE(boxes.offered, offered.isEmpty() ? QStringList() : QStringList(builds, offered));
        const QStringList notices = boxes.asked.filter(qtText(text(Text::unusedNoticeTitle)) + ": ");
        QCOMPARE(notices.size(), told.isEmpty() ? 0 : 1);
        QVERIFY(notices.join(QString()).contains(told));
    }

    // この設定を配る: the site's address asked for (Cancel: no box; a javascript: address refused, the prompt again)
    // and remembered for the next window; the box says whose it is, its QR code reads back as the link it shows, a
    // quarter of the screen's height at least, and follows サイトのアドレスを変える; リンクをコピー copies it.
    void sharesTheLesson()
    {
        RunWindow run(ProgramNumber::Taluno2, 200, 10);
        const auto share = [](QWidget *window) {
            const QList<QAction *> actions = window->actions();
            (*std::find_if(actions.begin(), actions.end(), [](QAction *action) { return action->text() == QStringLiteral("この設定を配る"); }))->trigger();
            return window->findChild<ShareLessonBox *>();
        };
        QVERIFY(!share(run.window));
        run.test.boxes.answers = {"javascript:alert(1)", "https://school.example/taluno/index.html", "http://other.example/t"};
        ShareLessonBox *box = share(run.window);
        const QString site = qtText(text(Text::siteTitle)) + ": ", prompt = qtText(text(Text::sitePrompt));
        QCOMPARE(run.test.boxes.asked.mid(2), QStringList({site + prompt, site + prompt, site + qtText(text(Text::siteRefusal)) + "\n\n" + prompt}));
        QCOMPARE(box->windowTitle(), qtText(text(Text::shareLessonTitle)));
        const QString settings = QStringLiteral("taluno2.html#guests=10&experiments=200&lang=ja");
        for (const QString folder : {"https://school.example/taluno/", "http://other.example/t/"}) {
            QCOMPARE(box->findChild<QLineEdit *>(QStringLiteral("lessonLink"))->text(), folder + settings);
            QCOMPARE(scanned(box), folder + settings);
            QVERIFY(box->findChild<QLabel *>(QStringLiteral("lessonCode"))->pixmap().deviceIndependentSize().height() >= box->screen()->availableGeometry().height() / 4);
            QVERIFY(std::ranges::any_of(box->findChildren<QLabel *>(), [&](QLabel *note) { return note->text() == qtText(siteGivenNote(coreText(folder))); }));
            box->findChild<QPushButton *>(qtText(text(Text::changeSiteCaption)))->click();
        }
        box->findChild<QPushButton *>(qtText(text(Text::copyLinkCaption)))->click();
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("http://other.example/t/") + settings);
        const qsizetype asked = run.test.boxes.asked.size();
        MainWindow next(ProgramNumber::Taluno2, run.test.seams);
        QCOMPARE(share(&next)->findChild<QLineEdit *>(QStringLiteral("lessonLink"))->text(), QStringLiteral("http://other.example/t/taluno2.html#lang=ja"));
        QCOMPARE(run.test.boxes.asked.size(), asked);
    }

    void extras_data()
    {
        QTest::addColumn<ProgramNumber>("program");
        QTest::addColumn<QString>("keys");
        QTest::newRow("Taluno1, L: the walk beside the table") << ProgramNumber::Taluno1 << "L";
        QTest::newRow("Taluno2, T: the expected counts in red under the counts") << ProgramNumber::Taluno2 << "T";
        QTest::newRow("Taluno2, K and C: both panels beside the table, one under the other") << ProgramNumber::Taluno2 << "KC";
        QTest::newRow("Taluno3, T: a red mark at each bin's expected height") << ProgramNumber::Taluno3 << "T";
    }

    // Each extra as Qt shows it: what stands beside the controls widens the window, within the screen even at
    // its right edge, and the window is as it was once the extras go again.
    void extras()
    {
        QFETCH(ProgramNumber, program);
        QFETCH(QString, keys);
        RunWindow run(program);
        QWidget &window = *run.window;
        const QRect screen = window.screen()->availableGeometry();
        window.move(screen.right() - window.frameGeometry().width() + 1, screen.top());
        const QImage plain = window.grab().toImage();
        const int narrow = window.width();
        run.test.boxes.answers = {"8", ""}; // c枚用意したら？: 8 coins, then Cancel to take them away
        QTest::keyClicks(&window, keys);
        // By hand: a lowest of -1 comes in 210 walks of 1024 of 10 guests, 41.0 of 200.
        if (keys == "T" && program == ProgramNumber::Taluno2) {
            // The count in black over its expectation in red, each whole within its half of the cell; 「度　　数」 over
            // 「理論度数」 keeps its two full-width blanks, its ink nearly four characters wide.
            const QImage cell = control(&window, program, BatchControls::countCell(binOf(-1, -57)))->grab().toImage();
            const QRect count = inkBox(cell, cell.rect().adjusted(2, 2, -2, -2)), law = inkBox(cell, cell.rect().adjusted(2, 2, -2, -2), true);
            QVERIFY2(!count.isNull() && count.bottom() < cell.height() / 2 && law.top() >= cell.height() / 2,
                     qPrintable(QStringLiteral("%1-%2, %3-%4 of %5").arg(count.top()).arg(count.bottom()).arg(law.top()).arg(law.bottom()).arg(cell.height())));
            QWidget *title = control(&window, program, BatchControls::countTitle(0));
            const QImage titleImage = title->grab().toImage();
            const QRect titleInk = inkBox(titleImage, QRect(2, 2, titleImage.width() - 4, titleImage.height() / 2 - 2));
            QVERIFY2(titleInk.width() >= 3.5 * (title->height() / 2 - 1) * titleImage.devicePixelRatio(), qPrintable(QString::number(titleInk.width())));
        } else if (keys == "T") {
            QVERIFY(isColour(run.graph()->image(), {119.5, 280 - 41.015625}, graphWidth, graphHeight, QColor(255, 0, 0)));
        } else {
            const QRect frame = window.frameGeometry();
            QVERIFY(window.width() > narrow);
            QVERIFY2(frame.right() <= screen.right() || frame.left() == screen.left(), "widened off the screen");
        }
        if (keys == "KC") {
            // Where the layout puts them, as large as the table's numbers, the share larger still and bold.
            const QList<QLabel *> panels = run.panels();
            QCOMPARE(panels.size(), 2);
            const PanelPlace &place = *batchWindowLayout(program).sidePanels;
            QCOMPARE(panels[0]->pos(), QPoint(pixelsFromTwips(place.left), pixelsFromTwips(place.top)));
            QCOMPARE(panels[1]->pos(), QPoint(panels[0]->x(), panels[0]->geometry().bottom() + 1 + pixelsFromTwips(panelMargin)));
            QCOMPARE(window.width(), std::max(panels[0]->geometry().right(), panels[1]->geometry().right()) + 1 + pixelsFromTwips(panelMargin));
            QCOMPARE(QFontInfo(panels[0]->font()).pixelSize(), fontPixels(panelPoints));
            QVERIFY(QFontInfo(panels[1]->font()).pixelSize() == fontPixels(sharePoints) && panels[1]->font().bold() && !panels[0]->font().bold());
            QVERIFY(panels[1]->text().contains(QStringLiteral("8枚用意したら")) && panels[0]->text().contains(QStringLiteral("何枚用意すればよいか")));
        }
        QTest::keyClicks(&window, keys);
        QVERIFY(window.grab().toImage() == plain && run.panels().isEmpty());
    }

    // The menu holds the layout's extras with their keys, opened by Shift+F10 and by a right click through the window
    // system, which makes the context menu event the Menu key also makes.
    void menuFromMouseAndKeys()
    {
        RunWindow run(ProgramNumber::Taluno3, 10);
        QWidget *window = run.window.data();
        QStringList items;
        for (const ExtraRow &row : programRow(ProgramNumber::Taluno3).extras)
            items << QString::fromStdString(row.caption + '\t' + row.keys);
        items << "\t" << QStringLiteral("言語\t") << "\t" << QStringLiteral("表示の大きさ（100%）\t");
        const std::function<void()> ways[] = {[&] { QTest::keyClick(window, Qt::Key_F10, Qt::ShiftModifier); },
                                              [&] { QTest::mouseClick(window->windowHandle(), Qt::RightButton, {}, QPoint(200, 200)); }};
        for (const auto &open : ways) {
            QStringList shown;
            QTimer::singleShot(0, [&shown] {
                if (auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())) {
                    for (const QAction *action : menu->actions())
                        shown << action->text() + QLatin1Char('\t') + action->shortcut().toString();
                    menu->close();
                }
            });
            open();
            QTRY_COMPARE(shown, items);
        }
    }

    // Every program with every extra on, at 60 % needing change, saved at every size from 100 % to 300 %: twice the
    // layout's size (Taluno3 its graph), every edge of every label, panel and axis in it where the window shows it;
    // the picture written as a PNG, or a box that says it could not be.
    void savedPictureWholeAtEverySize()
    {
        for (const ProgramNumber program : {ProgramNumber::Taluno1, ProgramNumber::Taluno2, ProgramNumber::Taluno3}) {
            RunWindow run(program, 200, 1000);
            MainWindow &window = *run.window;
            QTest::keySequence(&window, QKeySequence::Copy); // Taluno1 before a toss: nothing to copy yet
            QVERIFY(program != ProgramNumber::Taluno1 || run.test.boxes.asked.last() == QStringLiteral("結果をコピー: ") + qtText(text(Text::nothingToCopy)));
            run.test.boxes.answers = {"60", "1000", "5"}; // 60 %, then c coins: 1000, or 5 of Taluno1's 100 tosses
            QTest::keyClick(&window, Qt::Key_P);
            if (program != ProgramNumber::Taluno1)
                button(&window, "実験開始")->click();
            QTest::keyClicks(&window, program == ProgramNumber::Taluno1 ? "LC" : "TKC");
            QWidget *picture = program == ProgramNumber::Taluno3 ? static_cast<QWidget *>(run.graph()) : &window;
            for (int percent = 100; percent <= 300; percent += 10) {
                const double scale = percent / 100.0;
                window.setViewScale(scale);
                const QImage saved = window.findChild<ExtrasMenu *>()->picture();
                const QRect area = program == ProgramNumber::Taluno3 ? picture->rect() : window.contentRect();
                const double toPicture = savedPictureScale / scale;
                const QSize size = program == ProgramNumber::Taluno3 ? (QSizeF(area.size()) / scale).toSize() : window.layoutSize();
                QCOMPARE(saved.size(), QSize(size.width(), size.height() + (program == ProgramNumber::Taluno3 ? 10 * captionLinePixels() : 0)) * 2);
                // Dark within two pixels of the window of a point of it, as the picture holds it.
                const auto dark = [&](QPointF at) {
                    const int near = int(std::ceil(2 * toPicture)) + 1;
                    return inkIn(saved, QRect(((at - area.topLeft()) * toPicture).toPoint() - QPoint(near, near), QSize(2 * near + 1, 2 * near + 1)), 200);
                };
                // Every edge of every bordered label and panel; Taluno3's axes and the last tick.
                QList<QLineF> edges;
                for (const QLabel *label : picture->findChildren<QLabel *>()) {
                    const QRectF box = label->geometry().adjusted(0, 0, -1, -1);
                    if (label->isVisible())
                        edges << QLineF(box.topLeft(), box.topRight()) << QLineF(box.bottomLeft(), box.bottomRight()) << QLineF(box.topLeft(), box.bottomLeft()) << QLineF(box.topRight(), box.bottomRight());
                }
                const QRectF inner = run.graph() ? QRectF(run.graph()->contentsRect()) : QRectF();
                const auto unit = [&](double x, double y) { return inner.topLeft() + QPointF(x * inner.width() / graphWidth, y * inner.height() / graphHeight); };
                if (program == ProgramNumber::Taluno3)
                    edges << QLineF(unit(3, 280), unit(127, 280)) << QLineF(unit(3, 10), unit(3, 280)) << QLineF(unit(120, 278), unit(120, 285));
                for (const QLineF &edge : edges) {
                    QVERIFY2(dark(edge.pointAt(0.1)) && dark(edge.pointAt(0.5)) && dark(edge.pointAt(0.9)),
                             qPrintable(QStringLiteral("Taluno%1 at %2 %: %3,%4 to %5,%6").arg(int(program)).arg(percent).arg(edge.x1()).arg(edge.y1()).arg(edge.x2()).arg(edge.y2())));
                }
                // Under the graph, nine lines of caption, with half a line's room above and below, and a right margin as
                // clear as the left: each line within the picture at its widest, for 1000 guests and 1000 coins.
                const int line = 2 * captionLinePixels();
                for (int k = 0; program == ProgramNumber::Taluno3 && k < 9; ++k)
                    QVERIFY2(inkIn(saved, QRect(0, 2 * size.height() + line / 2 + k * line, saved.width(), line)), qPrintable(QString::number(k)));
                QVERIFY(!inkIn(saved, QRect(saved.width() - line / 2, 2 * size.height(), line / 2, saved.height() - 2 * size.height())));
            }
            // Saved as a PNG; where it cannot be written, a box says so.
            QTemporaryDir folder;
            for (const QString &path : {folder.filePath(QStringLiteral("window.png")), QCoreApplication::applicationFilePath() + QStringLiteral("/window.png")}) {
                run.test.boxes.savePath = path;
                QTest::keySequence(&window, QKeySequence::Save);
            }
            QCOMPARE(QImage(folder.filePath(QStringLiteral("window.png"))).convertToFormat(QImage::Format_RGB32), window.findChild<ExtrasMenu *>()->picture());
            QCOMPARE(run.test.boxes.asked.last(), QStringLiteral("画像を保存: 画像を保存できませんでした\n") + run.test.boxes.savePath);
        }
    }
};

QTEST_MAIN(TestWindows)
#include "tst_windows.moc"
