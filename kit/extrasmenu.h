#ifndef EXTRASMENU_H
#define EXTRASMENU_H

#include "core/program.h"
#include "kit/seams.h"

#include <QImage>
#include <QMenu>

#include <functional>

class ProgramFlow;
class ProgramWindow;

// A main window's context menu (right click, the Menu key, Shift+F10) and its shortcuts, as the
// program's row lists its extras, all off until asked for: the toggles and what the flow does
// itself go to the flow; copying, saving and handing the set-up out as a link are done here. The
// twin of web/src/extras.js: keep the two in step.
class ExtrasMenu : public QMenu
{
    Q_OBJECT

public:
    // Hands an event to the window's flow and puts the questions it then asks.
    using Forward = std::function<void(const std::function<void()> &)>;

    // `picture`: what 画像を保存 saves with the flow's caption under it; null: the whole window.
    ExtrasMenu(ProgramWindow &window, ProgramNumber program, ProgramFlow &flow, Forward forward, const Seams &seams,
               QWidget *picture);

    // Checks the toggles of those extras, which the flow has on already: nothing is run.
    void showChecked(const std::vector<Extra> &shown);

    // What 画像を保存 saves: the picture at twice the layout's size, with its caption.
    QImage picture() const;

signals:
    // A language from the submenu of those with a catalogue, the one in use checked.
    void languageChosen(const QString &language);

private:
    void run(const ExtraRow &row, bool checked);
    // Puts the results on the clipboard, or says there are none yet; `caption` titles the box.
    void copy(const QString &caption);
    // Saves the picture where the user says; `caption` titles the boxes.
    void save(const QString &caption);

    ProgramWindow &m_window;
    ProgramFlow &m_flow;
    Forward m_forward;
    ProgramNumber m_program;
    Seams m_seams;
    QWidget *m_picture;
};

#endif
