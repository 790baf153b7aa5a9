// What the back row reads on the desktop, the twin of bench/web/readable.mjs: the height in screen pixels of the
// digits' ink of every number the class reads, each program at the size it opens at on this screen (Taluno1 with its
// walk, Taluno2 and Taluno3 after 100 guests x 1000 experiments with both panels, 5 coins), and of the context menu
// and the boxes, with a screenshot of the screen for each. Goal: the answer 36 pixels or more, every other number 28 or more. Run it under a window manager
// on the screen to measure, for example:
//   TALUNO_SCREEN=1366x768 tests/kit/framed.sh build/bench/readable/bench_readable [folder for the screenshots]

#include "bench/benchseams.h"
#include "core/catalogue.h"
#include "core/frequencygraph.h"
#include "kit/desktopprogram.h"
#include "kit/mainwindow.h"
#include "kit/picturebox.h"
#include "kit/programstart.h"
#include "kit/qtconvert.h"
#include "kit/talunoapplication.h"

#include <QAbstractButton>
#include <QLabel>
#include <QScreen>
#include <QTest>

#include <cstdio>

namespace {

// The ink of "0123456789" in a widget's font.
int digits(const QWidget *widget)
{
    return widget ? QFontMetrics(widget->font()).tightBoundingRect(QStringLiteral("0123456789")).height() : 0;
}

void waitFor(const QLabel *label)
{
    for (int waited = 0; label->text().isEmpty() && waited < 30000; waited += 50)
        QTest::qWait(50);
}

void click(QWidget &window, const QString &caption)
{
    for (QAbstractButton *button : window.findChildren<QAbstractButton *>()) {
        if (button->text() == caption)
            button->click();
    }
}

// The height of what is drawn below the graph's axis: its numbers.
int axisNumbers(const PictureBox &graph)
{
    const QImage image = const_cast<PictureBox &>(graph).image();
    int top = image.height();
    int bottom = -1;
    for (int y = int(286 * image.height() / graphHeight); y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qGray(image.pixel(x, y)) < 128) {
                top = std::min(top, y);
                bottom = y;
                break;
            }
        }
    }
    return int((bottom - top + 1) / image.devicePixelRatio());
}

} // namespace

int main(int argc, char *argv[])
{
    TalunoApplication application(argc, argv);
    const QString shots = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    const QSize screen = QGuiApplication::primaryScreen()->size();
    std::printf("%dx%d: program, size, answer, table or axis, panel, expected count, menu and boxes (pixels of digits' ink)\n",
                screen.width(), screen.height());
    for (const ProgramNumber program : {ProgramNumber::Taluno1, ProgramNumber::Taluno2, ProgramNumber::Taluno3}) {
        TestSeams test;
        test.boxes.answers = {QStringLiteral("100"), QStringLiteral("1000"), QStringLiteral("5")};
        DesktopProgram desktop(program, test.seams);
        desktop.startIn(startLanguage(program, {}, test.settings)); // the system's language, as LANGUAGE=en says
        QWidget &window = *desktop.mainWindow();
        if (!QTest::qWaitForWindowActive(&window))
            return 1;
        const WindowLayout &layout = mainWindowLayout(program);
        int answer = 0, table = 0, panel = 0, law = 0;
        if (program == ProgramNumber::Taluno1) {
            QTest::keyClick(&window, Qt::Key_L);
            click(window, qtText(text(Text::autoStartCaption)));
            QLabel *seventeenth = controlOf<QLabel>(window, layout, TossControls::balanceCell(17));
            waitFor(seventeenth);
            click(window, qtText(text(Text::autoStopCaption)));
            answer = digits(controlOf<QLabel>(window, layout, TossControls::lowestSoFarLabel));
            table = digits(seventeenth);
        } else {
            waitFor(controlOf<QLabel>(window, layout, BatchControls::experimentCountValue));
            click(window, qtText(text(Text::startCaption)));
            QTest::keyClick(&window, Qt::Key_K);
            QTest::keyClick(&window, Qt::Key_C);
            answer = digits(controlOf<QLabel>(window, layout, BatchControls::meanValue));
            const auto panels = window.findChildren<QLabel *>(QStringLiteral("sidePanel"));
            panel = panels.isEmpty() ? 0 : digits(panels.front());
            if (program == ProgramNumber::Taluno2) {
                const QLabel *cell = controlOf<QLabel>(window, layout, BatchControls::countCell(50));
                table = digits(cell);
                // The count and its expectation in one font, beside each other or each in half the cell.
                QTest::keyClick(&window, Qt::Key_T);
                law = digits(cell);
            } else {
                table = axisNumbers(*controlOf<PictureBox>(window, layout, BatchControls::graphSurface));
            }
        }
        QTest::qWait(200);
        // The menu and the boxes take the window's font.
        std::printf("  Taluno%d at %d %%: %d, %d, %d, %d, %d\n", static_cast<int>(program), desktop.viewPercent(), answer,
                    table, panel, law, digits(&window));
        if (!shots.isEmpty())
            window.screen()->grabWindow(0).save(QStringLiteral("%1/taluno%2-%3x%4.png").arg(shots).arg(static_cast<int>(program))
                                                     .arg(screen.width()).arg(screen.height()));
        delete &window;
    }
    return 0;
}
