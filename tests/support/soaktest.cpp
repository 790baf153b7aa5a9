#include "soaktest.h"

#include "batchform.h"
#include "form2.h"
#include "inplacehelp.h"
#include "testseams.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QSet>
#include <QTest>
#include <QWindow>

#include <memory>

#include <unistd.h>

namespace {

constexpr int cycles = 1000;
constexpr int firstCycles = 50;
constexpr long rssAllowanceKiB = 5 * 1024;
#if defined(__SANITIZE_ADDRESS__)
constexpr bool addressSanitized = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool addressSanitized = true;
#else
constexpr bool addressSanitized = false;
#endif
#else
constexpr bool addressSanitized = false;
#endif
// AddressSanitizer holds freed memory back in quarantine, so resident memory only tells in a plain build;
// there, leaks are the sanitizer's to find.
bool residentGrowthFits(long grown)
{
    return addressSanitized || grown <= rssAllowanceKiB;
}
const QString guestTitle = QStringLiteral(" お客人数の設定");
const QString experimentTitle = QStringLiteral(" 実験回数の設定");
// Small enough that a thousand runs stay quick.
const QStringList settings{QStringLiteral("10"), QStringLiteral("10")};

// Spins the event loop without sleeping, so that a thousand window swaps do not cost a thousand naps.
template <typename Predicate>
bool pumpUntil(Predicate done)
{
    QElapsedTimer elapsed;
    elapsed.start();
    while (!done()) {
        if (elapsed.hasExpired(5000))
            return false;
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    return true;
}

// Lets queued work and deferred deletes run out before anything is counted or checked.
void settle()
{
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

// Every QObject reachable from the application, its top-level widgets and windows, and `extra`.
qsizetype liveObjects(const QObject *extra)
{
    QSet<const QObject *> seen;
    const auto take = [&seen](const QObject *root) {
        seen.insert(root);
        for (const QObject *child : root->findChildren<QObject *>())
            seen.insert(child);
    };
    take(qApp);
    take(extra);
    for (const QWidget *widget : QApplication::topLevelWidgets())
        take(widget);
    for (const QWindow *window : QGuiApplication::allWindows())
        take(window);
    return seen.size();
}

long residentKiB()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return -1;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields.at(1).toLong() * (sysconf(_SC_PAGESIZE) / 1024) : -1;
}

// What is wrong on the screen after a step, or nothing: `shown` must be the one window up, with no box open.
QString screenFault(const QWidget *shown)
{
    if (QApplication::activeModalWidget())
        return QStringLiteral("a modal window is open");
    QStringList visible;
    for (const QWidget *widget : QApplication::topLevelWidgets()) {
        if (qobject_cast<const QInputDialog *>(widget) || qobject_cast<const QMessageBox *>(widget))
            return QStringLiteral("a box exists: ") + QLatin1String(widget->metaObject()->className());
        if (widget->isVisible())
            visible << (widget->windowTitle().isEmpty() ? QLatin1String(widget->metaObject()->className())
                                                        : widget->windowTitle());
    }
    if (!shown || !shown->isVisible() || visible.size() != 1)
        return QStringLiteral("windows up: ") + visible.join(QStringLiteral(" | "));
    return {};
}

QString joined(const QString &first, const QString &second)
{
    return first.isEmpty() || second.isEmpty() ? first + second : first + QStringLiteral("; ") + second;
}

} // namespace

SoakTest::SoakTest(int program, MainFactory makeMain)
    : m_programNumber(program)
    , m_makeMain(std::move(makeMain))
{
}

SoakTest::~SoakTest() = default;

void SoakTest::initTestCase()
{
    setUpTalunoTest();
    m_test = std::make_unique<TestSeams>();
    TestSeams &test = *m_test;
    m_program = std::make_unique<InPlaceHelp>(m_programNumber, [this, &test] { return m_makeMain(test.seams); });
}

void SoakTest::cleanupTestCase()
{
    for (QWidget *widget : QApplication::topLevelWidgets())
        widget->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(visibleTopLevels(), 0);
}

QString SoakTest::promptFault(const QStringList &expectedTitles)
{
    ScriptedBoxes &boxes = m_test->boxes;
    QStringList titles;
    for (const auto &asked : boxes.asked())
        titles << asked.title;
    QString fault;
    if (titles != expectedTitles || boxes.ranOut() || !boxes.scriptUsedUp() || m_test->ends != 0)
        fault = QStringLiteral("asked [%1], script ran out %2, ends %3")
                    .arg(titles.join(QLatin1Char(',')))
                    .arg(boxes.ranOut())
                    .arg(m_test->ends);
    boxes.clear();
    m_test->cues.clear();
    return fault;
}

SoakTest::Figures SoakTest::figures()
{
    settle();
    return {liveObjects(&m_test->cue), residentKiB()};
}

void SoakTest::report(const char *phase, const Figures &early, const Figures &late, qint64 ms)
{
    qInfo("%s: live QObjects %lld after %d, %lld after %d; RSS %ld KiB after %d, %ld KiB after %d (%+ld KiB); %lld ms",
          phase, static_cast<long long>(early.objects), firstCycles, static_cast<long long>(late.objects), cycles,
          early.rss, firstCycles, late.rss, cycles, late.rss - early.rss, ms);
}

void SoakTest::helpAndBackAThousandTimes()
{
    QElapsedTimer elapsed;
    elapsed.start();
    m_test->boxes.answerInputs(settings);
    m_program->showMain();
    QPointer<Form> main = m_program->mainWindow();
    QVERIFY(pumpUntil([&] { return main && main->isActiveWindow() && m_test->boxes.scriptUsedUp(); }));
    settle();
    QCOMPARE(promptFault({guestTitle, experimentTitle}), QString());

    Figures early{};
    for (int cycle = 1; cycle <= cycles; ++cycle) {
        const QString at = QStringLiteral("cycle %1: ").arg(cycle);
        QTest::mouseClick(static_cast<BatchForm *>(main.data())->Command4, Qt::LeftButton);
        QPointer<Form2> help = m_program->helpWindow();
        QVERIFY2(pumpUntil([&] { return !main && help && help->isActiveWindow(); }),
                 qPrintable(at + QStringLiteral("HELP did not swap the main window for the help window")));
        settle();
        QString fault = joined(screenFault(help), promptFault({}));
        QVERIFY2(fault.isEmpty(), qPrintable(at + QStringLiteral("after HELP, ") + fault));

        m_test->boxes.answerInputs(settings);
        QTest::mouseClick(help->Command1, Qt::LeftButton);
        main = m_program->mainWindow();
        QVERIFY2(pumpUntil([&] { return !help && main && main->isActiveWindow() && m_test->boxes.scriptUsedUp(); }),
                 qPrintable(at + QStringLiteral("閉じる did not bring back a main window that asks the settings")));
        settle();
        const auto *form = static_cast<BatchForm *>(main.data());
        fault = joined(screenFault(form), promptFault({guestTitle, experimentTitle}));
        if (fault.isEmpty() && (form->Label82->text() != settings.at(0) || form->Label2->text() != settings.at(1)))
            fault = QStringLiteral("settings shown '%1' '%2'").arg(form->Label82->text(), form->Label2->text());
        QVERIFY2(fault.isEmpty(), qPrintable(at + QStringLiteral("after 閉じる, ") + fault));

        if (cycle == firstCycles)
            early = figures();
    }
    const Figures late = figures();
    QVERIFY(early.rss > 0);
    report("HELP/閉じる cycles", early, late, elapsed.elapsed());
    QVERIFY2(late.objects <= early.objects, "live QObjects grew over the help cycles");
    QVERIFY2(residentGrowthFits(late.rss - early.rss), "resident memory grew by more than 5 MB over the help cycles");
}

void SoakTest::runAndResetAThousandTimes()
{
    QElapsedTimer elapsed;
    elapsed.start();
    const auto *form = qobject_cast<BatchForm *>(m_program->mainWindow());
    QVERIFY2(form && form->isVisible(), "no main window left by the help cycles");

    Figures early{};
    for (int cycle = 1; cycle <= cycles; ++cycle) {
        const QString at = QStringLiteral("run %1: ").arg(cycle);
        QTest::mouseClick(form->Command1, Qt::LeftButton);
        settle();
        QString fault = joined(screenFault(form), promptFault({}));
        if (fault.isEmpty() && (form->Label3->text().isEmpty() || form->Command1->isEnabled()))
            fault = QStringLiteral("the run left mean '%1', 実験開始 %2")
                        .arg(form->Label3->text(), form->Command1->isEnabled() ? QStringLiteral("on") : QStringLiteral("off"));
        QVERIFY2(fault.isEmpty(), qPrintable(at + QStringLiteral("after 実験開始, ") + fault));

        m_test->boxes.answerInputs(settings);
        QTest::mouseClick(form->Command3, Qt::LeftButton);
        settle();
        fault = joined(screenFault(form), promptFault({guestTitle, experimentTitle}));
        if (fault.isEmpty() && (!form->Label3->text().isEmpty() || form->Label2->text() != settings.at(1)))
            fault = QStringLiteral("the reset left mean '%1', experiments '%2'").arg(form->Label3->text(),
                                                                                    form->Label2->text());
        QVERIFY2(fault.isEmpty(), qPrintable(at + QStringLiteral("after 初期化, ") + fault));

        if (cycle == firstCycles)
            early = figures();
    }
    const Figures late = figures();
    QVERIFY(early.rss > 0);
    report("実験開始/初期化 runs", early, late, elapsed.elapsed());
    QVERIFY2(late.objects <= early.objects, "live QObjects grew over the runs");
    QVERIFY2(residentGrowthFits(late.rss - early.rss), "resident memory grew by more than 5 MB over the runs");
}
