#include "kit/talunoapplication.h"

#include "kit/coinpicture.h"
#include "kit/fonts.h"

#include "core/catalogue.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QPointer>
#include <QTranslator>

namespace {

QtMessageHandler previousHandler = nullptr;

// The audio stack reports a missing or bad cue file and a missing sound device on the
// terminal; a classroom program passes over them in silence.
void quietHandler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    static const char *const quietPrefixes[] = {
        "QSoundEffect", "PulseAudioService", "No audio device", "QAudio", "QPulseAudio",
        "QStandardPaths: XDG_RUNTIME_DIR",
        "This plugin does not support", // the offscreen platform, for fixed-size windows
    };
    const QLatin1StringView category(context.category ? context.category : "");
    if (type != QtFatalMsg) {
        if (category.startsWith(QLatin1StringView("qt.multimedia")))
            return;
        for (const char *prefix : quietPrefixes) {
            if (message.startsWith(QLatin1StringView(prefix)))
                return;
        }
    }
    if (previousHandler)
        previousHandler(type, context, message);
}

int &quietedArgc(int &argc)
{
    if (!previousHandler)
        previousHandler = qInstallMessageHandler(quietHandler);
    return argc;
}

} // namespace

TalunoApplication::TalunoApplication(int &argc, char **argv)
    : QApplication(quietedArgc(argc), argv)
    , m_seams{m_boxes, m_cue, m_random, m_clock, m_settings, [] { QCoreApplication::exit(0); }}
{
    setUp();
}

void TalunoApplication::setUp()
{
    int unused = 0;
    quietedArgc(unused);
    translateQt();
    installFonts();
    QApplication::setWindowIcon(coinIcon());
}

void TalunoApplication::translateQt()
{
    static QPointer<QTranslator> installed;
    delete installed;
    const std::string &language = currentLanguage();
    if (language == fallbackLanguage)
        return;
    auto *translator = new QTranslator(qApp);
    if (translator->load(QLocale(QString::fromStdString(language)), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(translator);
        installed = translator;
    } else {
        delete translator;
    }
}
