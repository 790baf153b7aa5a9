#include "cuefiles.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QHostAddress>
#include <QImage>
#include <QLibraryInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QtEndian>

#include <algorithm>
#include <optional>

namespace {

const QString programPaths[] = {QStringLiteral(TALUNO1_PATH), QStringLiteral(TALUNO2_PATH),
                                QStringLiteral(TALUNO3_PATH)};

// How long the screen must stay still to count as settled: a box takes a moment to come up,
// longer under the sanitizers; a focus move is drawn at once.
int quietMs(bool boxMayOpen = true)
{
    const int quiet = boxMayOpen ? 300 : 100;
    return qEnvironmentVariableIsSet("ASAN_OPTIONS") ? 2 * quiet : quiet;
}

// The program's screen seen through Qt's own VNC platform: the test types and clicks from
// outside, as a pupil would, and sees what is drawn. Nothing in the programs knows of it.
class RemoteScreen
{
public:
    // Connects while the program starts; false if it never offers its screen.
    bool open(quint16 port, const QProcess &program)
    {
        const QDeadlineTimer deadline(30000);
        for (;;) {
            if (program.state() != QProcess::Running || deadline.hasExpired())
                return false;
            m_socket.connectToHost(QHostAddress::LocalHost, port);
            if (m_socket.waitForConnected(500))
                break;
            m_socket.abort();
            QThread::msleep(50);
        }
        QByteArray version(12, '\0'), security(4, '\0'), init(24, '\0');
        if (!read(version.data(), 12, deadline) || !version.startsWith("RFB "))
            return false;
        m_socket.write("RFB 003.003\n");
        if (!read(security.data(), 4, deadline) || qFromBigEndian<quint32>(security.constData()) != 1)
            return false;
        m_socket.write("\1", 1); // share the screen
        if (!read(init.data(), 24, deadline))
            return false;
        QByteArray name(qFromBigEndian<quint32>(init.constData() + 20), '\0');
        if (!read(name.data(), name.size(), deadline))
            return false;
        m_image = QImage(qFromBigEndian<quint16>(init.constData()), qFromBigEndian<quint16>(init.constData() + 2),
                         QImage::Format_RGB32);
        m_image.fill(Qt::black);

        // 32 bits a pixel, little-endian, true colour, 8 bits each for red, green, blue at 16, 8, 0: QImage's RGB32.
        const char pixelFormat[20] = {0, 0, 0, 0, 32, 24, 0, 1, 0, char(255), 0, char(255), 0, char(255), 16, 8, 0};
        m_socket.write(pixelFormat, sizeof pixelFormat);
        const char rawOnly[8] = {2, 0, 0, 1, 0, 0, 0, 0};
        m_socket.write(rawOnly, sizeof rawOnly);
        request(false);
        if (readUpdate(deadline) < 0)
            return false;
        // A program that has not drawn yet shows black; its first window is what the script starts from.
        if (m_image.isNull() || isBlack())
            awaitChange();
        awaitStill(2 * quietMs());
        return !m_gone;
    }

    void key(quint32 keysym)
    {
        for (const char down : {char(1), char(0)}) {
            char message[8] = {4, down, 0, 0};
            qToBigEndian(keysym, message + 4);
            m_socket.write(message, sizeof message);
        }
        m_socket.flush();
    }

    void click(QPoint at)
    {
        for (const char buttons : {char(1), char(0)}) {
            char message[6] = {5, buttons};
            qToBigEndian(quint16(at.x()), message + 2);
            qToBigEndian(quint16(at.y()), message + 4);
            m_socket.write(message, sizeof message);
        }
        m_socket.flush();
    }

    // Waits for the screen to change and then stay still; false if it never changed or the program went.
    bool awaitChange(int quiet = quietMs())
    {
        const QDeadlineTimer deadline(20000);
        for (;;) {
            request(true);
            const int changed = readUpdate(deadline);
            if (changed > 0)
                break;
            if (changed < 0)
                return false;
        }
        awaitStill(quiet);
        return !m_gone;
    }

    // Lets the screen run on for a while, as during an automatic run.
    void watch(int ms)
    {
        const QDeadlineTimer deadline(ms);
        while (!deadline.hasExpired() && !m_gone) {
            request(true);
            readUpdate(deadline);
        }
    }

    bool gone() const { return m_gone; }
    const QImage &image() const { return m_image; }

private:
    static constexpr int timedOut = -1;
    static constexpr int closed = -2;

    void awaitStill(int quiet)
    {
        const QDeadlineTimer deadline(20000);
        QDeadlineTimer still(quiet);
        while (!deadline.hasExpired()) {
            request(true);
            const int changed = readUpdate(still);
            if (changed < 0)
                return;
            if (changed > 0)
                still = QDeadlineTimer(quiet);
        }
    }

    bool isBlack() const
    {
        for (int y = 0; y < m_image.height(); ++y) {
            const auto *line = reinterpret_cast<const QRgb *>(m_image.constScanLine(y));
            for (int x = 0; x < m_image.width(); ++x) {
                if (qRed(line[x]) || qGreen(line[x]) || qBlue(line[x]))
                    return false;
            }
        }
        return true;
    }

    void request(bool incremental)
    {
        // One request at a time: the server answers once, when something has been drawn.
        if (m_requested || m_gone)
            return;
        char message[10] = {3, char(incremental)};
        qToBigEndian(quint16(m_image.width()), message + 6);
        qToBigEndian(quint16(m_image.height()), message + 8);
        m_socket.write(message, sizeof message);
        m_socket.flush();
        m_requested = true;
    }

    bool read(char *data, qint64 size, QDeadlineTimer deadline)
    {
        while (m_socket.bytesAvailable() < size) {
            if (m_socket.state() != QAbstractSocket::ConnectedState) {
                m_gone = true;
                return false;
            }
            if (deadline.hasExpired())
                return false;
            m_socket.waitForReadyRead(int(qMax<qint64>(1, deadline.remainingTime())));
        }
        return m_socket.read(data, size) == size;
    }

    // The number of rectangles that changed more than the text caret's blink, timedOut, or closed.
    int readUpdate(QDeadlineTimer deadline)
    {
        char header[4];
        if (!read(header, 1, deadline))
            return m_gone ? closed : timedOut;
        // Once a message has begun, the rest is on its way.
        const QDeadlineTimer rest(20000);
        if (header[0] != 0 || !read(header + 1, 3, rest)) {
            m_gone = true;
            return closed;
        }
        m_requested = false;
        const int count = qFromBigEndian<quint16>(header + 2);
        int changed = 0;
        for (int i = 0; i < count; ++i) {
            char rect[12];
            if (!read(rect, 12, rest) || qFromBigEndian<qint32>(rect + 8) != 0) {
                m_gone = true;
                return closed;
            }
            const int x = qFromBigEndian<quint16>(rect), y = qFromBigEndian<quint16>(rect + 2);
            const int w = qFromBigEndian<quint16>(rect + 4), h = qFromBigEndian<quint16>(rect + 6);
            QByteArray pixels(qsizetype(w) * h * 4, '\0');
            if (!read(pixels.data(), pixels.size(), rest)) {
                m_gone = true;
                return closed;
            }
            for (int row = 0; row < h && y + row < m_image.height(); ++row)
                memcpy(m_image.scanLine(y + row) + 4 * x, pixels.constData() + qsizetype(row) * w * 4, size_t(w) * 4);
            // The caret of an input box blinks in a small box of its own; that is not the program reacting.
            if (w > 16 || h > 24)
                ++changed;
        }
        return changed;
    }

    QTcpSocket m_socket;
    QImage m_image;
    bool m_requested = false;
    bool m_gone = false;
};

quint16 freePort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::Any, 0);
    return probe.serverPort();
}

// One program copied into a folder of its own, with the cue files a row gives it.
struct Installed
{
    QTemporaryDir dir;
    QString program;
};

bool install(Installed &into, int program, CueFiles cues)
{
    const QFileInfo built(programPaths[program - 1]);
    into.program = QDir(into.dir.path()).filePath(built.fileName());
    return into.dir.isValid() && QFile::copy(built.filePath(), into.program)
           && placeCueFiles(QDir(into.dir.path()), cues, built.dir());
}

// Whether `now` shows what `reference` shows where the reference has windows. Qt's VNC screen,
// when slowed down, may leave in the screen's top row a stale line of a window that has gone;
// that row is left out.
bool sameWindows(const QImage &reference, const QImage &now)
{
    if (reference.size() != now.size())
        return false;
    int left = reference.width(), right = -1, bottom = -1;
    for (int y = 1; y < reference.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(reference.constScanLine(y));
        for (int x = 0; x < reference.width(); ++x) {
            if (line[x] & 0xffffff) {
                left = std::min(left, x);
                right = std::max(right, x);
                bottom = y;
            }
        }
    }
    const QRect windows(QPoint(left, 1), QPoint(right, bottom));
    return reference.copy(windows) == now.copy(windows);
}

// What a pupil does, step by step: keys by name, "shot:NAME" keeps the screen, "same:NAME" compares
// with it, "click:X,Y", "run:MS" lets an automatic run go on, "ends" expects the program to end.
using Script = QStringList;

struct Outcome
{
    QHash<QString, QImage> shots;
    QString failure;
};

quint32 keysym(const QString &name)
{
    static const QHash<QString, quint32> keys = {
        {QStringLiteral("Tab"), 0xff09}, {QStringLiteral("Return"), 0xff0d},
        {QStringLiteral("Escape"), 0xff1b}, {QStringLiteral("Space"), 0x20}};
    return keys.value(name);
}

// Runs the script on the program's screen; the first step that does not go as written is the failure.
Outcome play(RemoteScreen &screen, const Script &script)
{
    Outcome outcome;
    for (int i = 0; i < script.size(); ++i) {
        const QString &step = script.at(i);
        const QString where = QStringLiteral("step %1 (%2): ").arg(i + 1).arg(step);
        if (step.startsWith(QLatin1String("shot:"))) {
            outcome.shots.insert(step.mid(5), screen.image());
        } else if (step.startsWith(QLatin1String("same:"))) {
            if (!sameWindows(outcome.shots.value(step.mid(5)), screen.image()))
                return {outcome.shots, where + QStringLiteral("the screen differs")};
        } else if (step.startsWith(QLatin1String("run:"))) {
            screen.watch(step.mid(4).toInt());
        } else if (step == QLatin1String("ends")) {
            if (!screen.gone())
                return {outcome.shots, where + QStringLiteral("the program is still there")};
        } else {
            if (step.startsWith(QLatin1String("click:"))) {
                const QStringList xy = step.mid(6).split(QLatin1Char(','));
                screen.click(QPoint(xy.value(0).toInt(), xy.value(1).toInt()));
            } else if (keysym(step)) {
                screen.key(keysym(step));
            } else {
                return {outcome.shots, where + QStringLiteral("no such step")};
            }
            // A step that starts an automatic run changes the screen for good; the next step watches it.
            if (i + 1 < script.size() && script.at(i + 1).startsWith(QLatin1String("run:")))
                continue;
            const bool last = i + 1 < script.size() && script.at(i + 1) == QLatin1String("ends");
            if (!screen.awaitChange(quietMs(step != QLatin1String("Tab"))) && !last)
                return {outcome.shots, where + (screen.gone() ? QStringLiteral("the program ended")
                                                              : QStringLiteral("nothing changed on the screen"))};
        }
    }
    return outcome;
}

// The program's own output, without the one line the VNC platform prints about itself.
QString printed(QProcess &program)
{
    QString text = QString::fromUtf8(program.readAllStandardOutput() + program.readAllStandardError());
    text.remove(QRegularExpression(QStringLiteral("^QVncServer created on port \\d+\\n"),
                                   QRegularExpression::MultilineOption));
    return text;
}

// Qt's VNC platform, which only these tests use, keeps its screen images until the process ends;
// under LeakSanitizer that must not count as the program's output. The suppressions the run
// already has are kept.
void suppressScreenLeaks(QProcessEnvironment &environment, const QDir &scratch)
{
    QString options = environment.value(QStringLiteral("LSAN_OPTIONS"));
    static const QRegularExpression given(QStringLiteral("(?:^|:)suppressions=([^:]*)"));
    QByteArray suppressions;
    if (const QRegularExpressionMatch match = given.match(options); match.hasMatch()) {
        QFile file(match.captured(1));
        if (file.open(QIODevice::ReadOnly))
            suppressions = file.readAll() + '\n';
        options.remove(match.capturedStart(), match.capturedLength());
    }
    suppressions += "leak:libqvnc.so\n";
    const QString path = scratch.filePath(QStringLiteral("lsan.supp"));
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(suppressions);
    options += (options.isEmpty() ? QString() : QStringLiteral(":")) + QStringLiteral("suppressions=") + path;
    environment.insert(QStringLiteral("LSAN_OPTIONS"), options);
}

// Starts the program on a screen of its own, without a sound device, plays the script, and
// expects the program to end by itself with status 0 and to print nothing.
Outcome runScript(const QString &executable, const Script &script)
{
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    const quint16 port = freePort();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("vnc:size=1024x768:port=%1").arg(port));
    // No sound server to reach, whatever the machine has.
    environment.insert(QStringLiteral("PULSE_SERVER"), QStringLiteral("unix:/nonexistent"));
    suppressScreenLeaks(environment, QFileInfo(executable).dir());
    program.setProcessEnvironment(environment);
    program.setWorkingDirectory(QFileInfo(executable).path());
    program.start(executable, {});
    if (!program.waitForStarted())
        return {{}, QStringLiteral("did not start")};

    RemoteScreen screen;
    Outcome outcome;
    if (!screen.open(port, program))
        outcome.failure = QStringLiteral("offered no screen");
    else
        outcome = play(screen, script);

    if (!program.waitForFinished(outcome.failure.isEmpty() ? 20000 : 1000)) {
        program.kill();
        program.waitForFinished();
        if (outcome.failure.isEmpty())
            outcome.failure = QStringLiteral("did not end");
    } else if (outcome.failure.isEmpty()
               && (program.exitStatus() != QProcess::NormalExit || program.exitCode() != 0)) {
        outcome.failure = QStringLiteral("ended with status %1").arg(program.exitCode());
    }
    const QString output = printed(program);
    if (!output.isEmpty())
        outcome.failure += (outcome.failure.isEmpty() ? QString() : QStringLiteral("; ")) + QStringLiteral("printed: ") + output;
    if (!outcome.failure.isEmpty() && !screen.image().isNull()) {
        const QString shot = QDir::temp().filePath(QStringLiteral("taluno-process-failure.png"));
        if (screen.image().save(shot))
            outcome.failure += QStringLiteral(" (the screen: %1)").arg(shot);
    }
    return outcome;
}

} // namespace

// The three programs as built, started as processes: how they end and what they print.
class TestProcesses : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void startsQuietly_data();
    void startsQuietly();
    void quitPaths_data();
    void quitPaths();
    void buttonsAlikeWithoutSound_data();
    void buttonsAlikeWithoutSound();

private:
    bool m_remoteScreens = false;
};

void TestProcesses::initTestCase()
{
    const QDir platforms(QLibraryInfo::path(QLibraryInfo::PluginsPath) + QStringLiteral("/platforms"));
    m_remoteScreens = !platforms.entryList({QStringLiteral("*qvnc*")}).isEmpty();
}

void TestProcesses::startsQuietly_data()
{
    QTest::addColumn<int>("program");
    QTest::newRow("Taluno1") << 1;
    QTest::newRow("Taluno2") << 2;
    QTest::newRow("Taluno3") << 3;
}

void TestProcesses::startsQuietly()
{
    QFETCH(int, program);
    Installed installed;
    QVERIFY(install(installed, program, CueFiles::Whole));
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(environment);
    process.start(installed.program, {});
    QVERIFY(process.waitForStarted());
    // Taluno2 and Taluno3 are now asking for the guest count; nothing ends them from outside but a signal.
    QVERIFY(!process.waitForFinished(1500));
    process.terminate();
    QVERIFY(process.waitForFinished(10000));
    QCOMPARE(printed(process), QString());
}

void TestProcesses::quitPaths_data()
{
    QTest::addColumn<int>("program");
    QTest::addColumn<Script>("script");
    const auto steps = [](const char *text) { return QString::fromLatin1(text).split(QLatin1Char(' ')); };

    // Taluno1's focus starts on 自動開始; the tab order runs 自動開始, 終了, 初期化, (コイン止まる), 自動停止, HELP.
    QTest::newRow("Taluno1: Yes at 終了") << 1 << steps("Tab Space Return ends");
    QTest::newRow("Taluno1: No at 終了, then Yes")
        << 1 << steps("Tab shot:before Space Escape same:before Space Return ends");
    // The help window opens beside the main window, whose 終了 the pointer reaches at the top left.
    QTest::newRow("Taluno1: Yes with the help window open")
        << 1 << steps("Tab Tab Tab Space click:30,12 Return ends");
    QTest::newRow("Taluno1: Yes after a run was stopped")
        << 1 << steps("Space run:1700 Space Tab Tab Tab Space Return ends");

    // Taluno2 and Taluno3 start in the guest-count prompt; their tab order runs 実験開始, 終了, 初期化, HELP.
    for (const int program : {2, 3}) {
        const auto row = [program](const char *name) -> QTestData & {
            return QTest::addRow("Taluno%d: %s", program, name) << program;
        };
        row("guest count at start-up: Cancel, Yes") << steps("Escape Return ends");
        row("experiment count at start-up: Cancel, Yes") << steps("Return Escape Return ends");
        row("Cancel, No asks again; Cancel, Yes") << steps("Escape Escape Escape Return ends");
        row("guest count during 初期化: Cancel, Yes") << steps("Return Return Tab Tab Space Escape Return ends");
        row("experiment count during 初期化: Cancel, Yes")
            << steps("Return Return Tab Tab Space Return Escape Return ends");
        row("guest count after the help window's 閉じる: Cancel, Yes")
            << steps("Return Return Tab Tab Tab Space Space Escape Return ends");
        // After a run 実験開始 is disabled and the focus has gone on to 終了.
        row("No at 終了 after a run, then Yes")
            << steps("Return Return Space shot:before Space Escape same:before Space Return ends");
    }
}

void TestProcesses::quitPaths()
{
    if (!m_remoteScreens)
        QSKIP("Qt's VNC platform is not installed (qt6-qpa-plugins)");
    QFETCH(int, program);
    QFETCH(Script, script);
    Installed installed;
    QVERIFY(install(installed, program, CueFiles::Whole));
    const Outcome outcome = runScript(installed.program, script);
    QVERIFY2(outcome.failure.isEmpty(), qPrintable(outcome.failure));
}

void TestProcesses::buttonsAlikeWithoutSound_data()
{
    QTest::addColumn<int>("program");
    QTest::addColumn<CueFiles>("cues");
    // Every button once, the screen kept after each; the automatic run and the batch run draw at
    // random, so only what follows their reset is kept.
    // The cue player is the kit's, alike in all three: every kind of file in two programs, and Taluno3 once.
    for (const int program : {1, 2, 3}) {
        const auto row = [program](const char *name) -> QTestData & {
            return QTest::addRow("Taluno%d: %s", program, name) << program;
        };
        row("cue files absent") << CueFiles::Absent; // first: what the others are held against
        if (program != 3) {
            row("cue files empty") << CueFiles::Empty;
            row("cue files not WAV") << CueFiles::NotAWav;
            row("cue files cut short") << CueFiles::CutShort;
        }
        row("cue files whole, no sound device") << CueFiles::Whole;
    }
}

void TestProcesses::buttonsAlikeWithoutSound()
{
    if (!m_remoteScreens)
        QSKIP("Qt's VNC platform is not installed (qt6-qpa-plugins)");
    QFETCH(int, program);
    QFETCH(CueFiles, cues);
    const auto steps = [](const char *text) { return QString::fromLatin1(text).split(QLatin1Char(' ')); };
    const Script script = program == 1
        // HELP, 閉じる, 初期化, 自動開始, 自動停止, 初期化, 終了 No, 終了 Yes.
        ? steps("shot:start Tab Tab Tab Space shot:help Space shot:helpClosed Tab Tab Tab Space shot:reset "
                "Tab Tab Space run:1700 Space Tab Tab Tab Tab Space shot:resetAfterRun "
                "Tab Tab Tab Tab shot:beforeQuit Space Escape same:beforeQuit Space Return ends")
        // Settings, HELP, 閉じる and settings, 初期化 and settings, 実験開始, 初期化 and settings, 終了 No, 終了 Yes.
        : steps("Return Return shot:settings Tab Tab Tab Space shot:help Space Return Return same:settings "
                "Tab Tab Space Return Return shot:reset Tab Tab Space Tab Space Return Return same:reset "
                "Tab Tab Tab shot:beforeQuit Space Escape same:beforeQuit Space Return ends");

    static QHash<int, QHash<QString, QImage>> withoutFiles;
    Installed installed;
    QVERIFY(install(installed, program, cues));
    const Outcome outcome = runScript(installed.program, script);
    QVERIFY2(outcome.failure.isEmpty(), qPrintable(outcome.failure));
    if (cues == CueFiles::Absent) {
        withoutFiles.insert(program, outcome.shots);
        return;
    }
    QVERIFY2(withoutFiles.contains(program), "the row without cue files runs first");
    for (auto shot = outcome.shots.cbegin(); shot != outcome.shots.cend(); ++shot)
        QVERIFY2(sameWindows(withoutFiles.value(program).value(shot.key()), shot.value()), qPrintable(shot.key()));
}

QTEST_GUILESS_MAIN(TestProcesses)
#include "tst_processes.moc"
