#include "core/layout.h"
#include "kit/desktopprogram.h"
#include "kit/helpwindow.h"
#include "kit/mainwindow.h"
#include "kit/talunoapplication.h"
#include "testseams.h"

#include <QAbstractButton>
#include <QApplication>
#include <QScreen>
#include <QTest>

namespace {

// Whether the window stands in its screen's free area with a frame around it.
bool framedOnScreen(const QWidget &window)
{
    return window.screen()->availableGeometry().contains(window.frameGeometry()) && window.frameGeometry() != window.geometry();
}

} // namespace

// The windows as a window manager frames them (openbox on a Full HD X server): their frames inside the screen at the
// first start and at every size step, the content filling the screen in full screen, and Taluno1's help beside its
// window on whichever side has room, at every size.
class TestFrames : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        TalunoApplication::setUp();
        // The window manager is up once it frames a window shown after it started.
        for (int tries = 0; tries < 40; ++tries) {
            QWidget probe;
            probe.show();
            if (QTest::qWaitFor([&] { return probe.frameGeometry() != probe.geometry(); }, 500))
                return;
        }
        QFAIL("no window manager framed a window");
    }

    void cleanup()
    {
        // Menus go with their windows.
        for (QWidget *window : QApplication::topLevelWidgets()) {
            if (!window->parentWidget())
                window->deleteLater();
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void sizesFitWithTheirFrame_data()
    {
        QTest::addColumn<ProgramNumber>("program");
        QTest::newRow("Taluno1, its walk shown") << ProgramNumber::Taluno1;
        QTest::newRow("Taluno2") << ProgramNumber::Taluno2;
        QTest::newRow("Taluno3") << ProgramNumber::Taluno3;
    }

    // Nothing remembered, each program opens at the largest size at which its frame fits the screen; Ctrl+plus goes
    // no further; F11 fills the screen with the layout, centred, and gives the size back.
    void sizesFitWithTheirFrame()
    {
        QFETCH(ProgramNumber, program);
        TestSeams test;
        test.boxes.answers = {"10", "5"};
        DesktopProgram desktop(program, test.seams);
        desktop.showMain();
        MainWindow &window = *desktop.mainWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window)); // where the keys reach its menu
        if (program == ProgramNumber::Taluno1)
            QTest::keyClick(&window, Qt::Key_L);
        QTRY_VERIFY(framedOnScreen(window));
        const int percent = desktop.viewPercent();
        const QSize frame = window.frameGeometry().size() - window.size();
        const WindowLayout &layout = mainWindowLayout(program);
        const auto fits = [&](int at) {
            return QSize(pixelsFromTwips(layout.widestWidth, at / 100.0), pixelsFromTwips(layout.height, at / 100.0)) + frame;
        };
        QVERIFY2(window.screen()->availableGeometry().size().boundedTo(fits(percent + 10)) != fits(percent + 10), qPrintable(QString::number(percent)));
        for (int step = 0; step < 3; ++step) {
            QTest::keyClick(&window, Qt::Key_Plus, Qt::ControlModifier);
            QVERIFY(desktop.viewPercent() == percent && framedOnScreen(window));
        }
        const QSize shown = window.size();
        QTest::keyClick(&window, Qt::Key_F11);
        QTRY_COMPARE(window.geometry(), window.screen()->geometry());
        const QRect content = window.contentRect();
        QVERIFY2((content.left() == 0 || content.top() == 0) && content.center() == window.rect().center(),
                 qPrintable(QStringLiteral("%1,%2 %3x%4").arg(content.x()).arg(content.y()).arg(content.width()).arg(content.height())));
        QTest::keyClick(&window, Qt::Key_F11);
        QTRY_VERIFY2(window.size() == shown && framedOnScreen(window), qPrintable(QStringLiteral("%1x%2 (was %3x%4) frame %5,%6 %7x%8").arg(window.width()).arg(window.height()).arg(shown.width()).arg(shown.height()).arg(window.frameGeometry().x()).arg(window.frameGeometry().y()).arg(window.frameGeometry().width()).arg(window.frameGeometry().height())));
    }

    // Taluno1 at the screen's left and right edge at each size it fits at: its help beside it on the side with room,
    // its frame clear of the window's, or over the result table; inside the screen either way.
    void helpBesideOnEitherSide()
    {
        for (int percent = 100; percent <= 180; percent += 10) {
            for (const bool atRight : {false, true}) {
                TestSeams test;
                test.settings.setValue(QStringLiteral("viewPercent/taluno1"), percent);
                DesktopProgram desktop(ProgramNumber::Taluno1, test.seams);
                desktop.showMain();
                MainWindow &window = *desktop.mainWindow();
                QTRY_VERIFY(framedOnScreen(window));
                const QRect room = window.screen()->availableGeometry();
                window.move(atRight ? room.right() - window.frameGeometry().width() + 1 : room.left(), room.top());
                QTRY_VERIFY(window.frameGeometry().left() == (atRight ? room.right() - window.frameGeometry().width() + 1 : room.left()));
                const auto buttons = window.findChildren<QAbstractButton *>();
                (*std::find_if(buttons.begin(), buttons.end(), [](auto *button) { return button->text() == QStringLiteral("HELP"); }))->click();
                HelpWindow *help = nullptr;
                QTRY_VERIFY((help = qobject_cast<HelpWindow *>(QApplication::activeWindow())) && framedOnScreen(*help));
                const QRect spare = window.spareForHelp();
                const QString what = QStringLiteral("%1 % %2: help %3,%4 %5x%6").arg(percent).arg(atRight ? "right" : "left").arg(help->frameGeometry().x())
                                         .arg(help->frameGeometry().y()).arg(help->frameGeometry().width()).arg(help->frameGeometry().height());
                QVERIFY2(!help->frameGeometry().intersects(window.frameGeometry()) || spare.contains(help->frameGeometry()), qPrintable(what));
                cleanup();
            }
        }
    }
};

QTEST_MAIN(TestFrames)
#include "tst_frames.moc"
