#include "kit/desktopprogram.h"

#include "core/catalogue.h"
#include "kit/helpwindow.h"
#include "kit/mainwindow.h"
#include "kit/programstart.h"
#include "kit/talunoapplication.h"
#include "kit/viewsizemenu.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSettings>

#include <algorithm>

namespace {

QString percentKey(ProgramNumber program)
{
    return QStringLiteral("viewPercent/taluno%1").arg(static_cast<int>(program));
}

QRect roomOf(const QWidget &window)
{
    return (window.screen() ? window.screen() : QGuiApplication::primaryScreen())->availableGeometry();
}

// What the window system adds around a window's client area.
QSize frameOf(const QWidget &window)
{
    return window.frameGeometry().size() - window.geometry().size();
}

ScreenRect screenRect(const QRect &rect)
{
    return {rect.x(), rect.y(), rect.width(), rect.height()};
}

} // namespace

DesktopProgram::DesktopProgram(ProgramNumber program, const Seams &seams, QObject *parent)
    : QObject(parent)
    , m_program(program)
    , m_seams(seams)
{
    const int remembered = m_seams.settings.value(percentKey(program)).toInt();
    if (isViewPercent(remembered))
        m_chosen = remembered;
}

void DesktopProgram::startIn(const std::string &language)
{
    useLanguage(language);
    TalunoApplication::translateQt();
    // A link handed out from here on names the language shown.
    if (m_lesson.lesson.language)
        m_lesson.lesson.language = language;
    // The new window first: with none shown, the program would end.
    const QPointer<MainWindow> main = m_main;
    const QPointer<HelpWindow> help = m_help;
    showMain();
    for (QWidget *shown : {static_cast<QWidget *>(main.data()), static_cast<QWidget *>(help.data())}) {
        if (shown)
            shown->close();
    }
    m_help = nullptr;
}

void DesktopProgram::chooseLanguage(const QString &language)
{
    m_seams.settings.setValue(languageSetting, language);
    startIn(language.toStdString());
}

void DesktopProgram::showMain()
{
    m_main = new MainWindow(m_program, m_seams);
    m_main->setAttribute(Qt::WA_DeleteOnClose);
    connect(m_main, &ProgramWindow::helpRequested, this, &DesktopProgram::showHelp);
    // Once the menu that chose it is closed: the window it belongs to is closed then.
    connect(m_main, &MainWindow::languageChosen, this, &DesktopProgram::chooseLanguage, Qt::QueuedConnection);
    m_main->openLesson(m_lesson);
    m_lesson.unused.clear();
    m_percent = fittedPercent();
    m_main->setViewScale(m_percent / 100.0);
    addViewSize(*m_main);
    // The window system gives the window its frame once it shows, and moves it; it may move it to another screen.
    m_main->installEventFilter(this);
    m_main->show();
    m_main->activateWindow();
}

bool DesktopProgram::eventFilter(QObject *watched, QEvent *event)
{
    // The event's kind first: while the window is destroyed it is no longer a MainWindow to compare with.
    if ((event->type() == QEvent::Move || event->type() == QEvent::Show) && watched == m_main && !m_main->isFullScreen())
        fitToScreen();
    return QObject::eventFilter(watched, event);
}

int DesktopProgram::fittedPercent() const
{
    return std::min(m_chosen ? m_chosen : largestViewPercent, fittingPercent());
}

void DesktopProgram::fitToScreen()
{
    if (const int fitted = fittedPercent(); fitted != m_percent)
        setViewPercent(fitted, false);
}

MainWindow *DesktopProgram::mainWindow() const
{
    return m_main;
}

int DesktopProgram::fittingPercent() const
{
    // With room for what may stand beside the controls.
    const WindowLayout &layout = mainWindowLayout(m_program);
    const QSize frame = frameOf(*m_main);
    const QRect room = roomOf(*m_main);
    return fittingViewPercent(std::max(m_main->layoutSize().width() * twipsPerPixel, layout.widestWidth), layout.height,
                              frame.width(), frame.height(), room.width(), room.height());
}

void DesktopProgram::addViewSize(ProgramWindow &window)
{
    auto *menu = new ViewSizeMenu(window, m_percent, [this, target = &window](ViewSizeChoice choice) { choose(choice, *target); });
    if (&window == m_main)
        m_main->addSubmenu(menu);
    m_menus.push_back(menu);
}

void DesktopProgram::choose(ViewSizeChoice choice, ProgramWindow &window)
{
    switch (choice) {
    case ViewSizeChoice::Larger: setViewPercent(std::min(largerViewPercent(m_percent), std::max(m_percent, fittingPercent())), true); return;
    case ViewSizeChoice::Smaller: setViewPercent(smallerViewPercent(m_percent), true); return;
    case ViewSizeChoice::Original: setViewPercent(smallestViewPercent, true); return;
    case ViewSizeChoice::FitScreen:
        m_chosen = 0;
        m_seams.settings.remove(percentKey(m_program));
        setViewPercent(fittedPercent(), false);
        return;
    case ViewSizeChoice::FullScreen: window.setFullScreen(!window.isFullScreen()); return;
    }
}

void DesktopProgram::setViewPercent(int percent, bool remember)
{
    m_percent = percent;
    if (remember) {
        m_chosen = percent;
        m_seams.settings.setValue(percentKey(m_program), percent);
    }
    for (ProgramWindow *window : {static_cast<ProgramWindow *>(m_main.data()), static_cast<ProgramWindow *>(m_help.data())}) {
        if (window)
            window->setViewScale(percent / 100.0);
    }
    for (ViewSizeMenu *menu : m_menus) {
        if (menu)
            menu->showPercent(percent);
    }
}

void DesktopProgram::showHelp(int changePercent)
{
    switch (programRow(m_program).help) {
    case HelpPlace::Beside:
        showHelpBeside(changePercent);
        return;
    case HelpPlace::InPlace:
        if (m_main)
            m_main->close();
        m_help = new HelpWindow(m_program, m_seams);
        m_help->setChangePercent(changePercent);
        m_help->setViewScale(m_percent / 100.0);
        addViewSize(*m_help);
        connect(m_help, &HelpWindow::closeClicked, this, &DesktopProgram::showMain);
        m_help->show();
        m_help->activateWindow();
        return;
    }
}

void DesktopProgram::showHelpBeside(int changePercent)
{
    if (!m_help) {
        m_help = new HelpWindow(m_program, m_seams);
        addViewSize(*m_help);
        // Beside the main window where the screen has room, else over what the lesson can spare.
        const QSize frame = frameOf(*m_main);
        const WindowLayout &help = helpWindowLayout(m_program);
        const HelpPosition place = placeHelp(screenRect(m_main->frameGeometry()), screenRect(m_main->spareForHelp()), help.width,
                                             help.height, frame.width(), frame.height(), m_percent, screenRect(roomOf(*m_main)));
        m_help->setViewScale(place.percent / 100.0);
        m_help->move(place.frame.x, place.frame.y);
        // However the help window is closed, the main window is the one to work in again.
        connect(m_help, &QObject::destroyed, m_main, [main = m_main.data()] { main->activateWindow(); });
    }
    m_help->setChangePercent(changePercent);
    m_help->show();
    m_help->raise();
    m_help->activateWindow();
}
