#ifndef DESKTOPPROGRAM_H
#define DESKTOPPROGRAM_H

#include "core/lessonlink.h"
#include "core/program.h"
#include "core/viewscale.h"
#include "kit/seams.h"

#include <QObject>
#include <QPointer>

class HelpWindow;
class MainWindow;
class ProgramWindow;
class ViewSizeMenu;

// A program on the desktop: its main window, and on HELP its help window, beside the main window
// or in its place as the program table says. In its place, 閉じる builds the main window afresh,
// and closing either window by its frame leaves no window: the program ends. The twin of Page in
// web/src/page.js: keep the two in step.
//
// Both windows are shown at the size chosen under 表示の大きさ, remembered between starts; until one
// is chosen, at the largest that fits the screen. Never larger than fits, frame and all: the size is fitted
// again whenever the main window's frame or screen changes.
class DesktopProgram : public QObject
{
    Q_OBJECT

public:
    DesktopProgram(ProgramNumber program, const Seams &seams, QObject *parent = nullptr);

    // Sets every main window it builds up as the lesson says, the first before it is shown; the parts not used
    // are told once, by the first.
    void openLesson(LessonReading reading) { m_lesson = std::move(reading); }
    // Shows the texts in `language`, Qt's own included, and builds the main window afresh in it, as at the start,
    // in place of the windows shown.
    void startIn(const std::string &language);
    // Builds the main window from its layout and shows it.
    void showMain();
    MainWindow *mainWindow() const;
    int viewPercent() const { return m_percent; }

private:
    // A language chosen from the menu: remembered for the next start, and the program started afresh in it.
    void chooseLanguage(const QString &language);
    void showHelp(int changePercent);
    void showHelpBeside(int changePercent);
    // The size menu and keys on a window of the program.
    void addViewSize(ProgramWindow &window);
    void choose(ViewSizeChoice choice, ProgramWindow &window);
    // The size both windows are shown at; a size the user chose is remembered.
    void setViewPercent(int percent, bool remember);
    // The largest size at which the main window, at its widest, fits its screen, its frame as it stands.
    int fittingPercent() const;
    // The size chosen, or the largest, as far as it fits; and the windows shown at it.
    int fittedPercent() const;
    void fitToScreen();
    bool eventFilter(QObject *watched, QEvent *event) override;

    ProgramNumber m_program;
    Seams m_seams;
    LessonReading m_lesson;
    QPointer<MainWindow> m_main;
    QPointer<HelpWindow> m_help;
    int m_chosen = 0;  // the size chosen and remembered; 0: none
    int m_percent = 0; // the size shown
    std::vector<QPointer<ViewSizeMenu>> m_menus;
};

#endif
