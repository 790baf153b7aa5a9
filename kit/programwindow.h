#ifndef PROGRAMWINDOW_H
#define PROGRAMWINDOW_H

#include "core/programflow.h"
#include "kit/seams.h"

#include <QPointer>
#include <QWidget>

#include <functional>
#include <optional>
#include <vector>

class HelpWindow;
class QContextMenuEvent;
class QMenu;
class QTimer;

// A window of a Taluno program, built from its layout table. It hands its activation, clicks
// and timer ticks to its flow, shows what the flow says, and puts the flow's questions to the
// user in modal boxes, answering the flow as soon as a box closes. A main window has the context
// menu of its layout's extras (right click, the Menu key, Shift+F10), and opens its help window
// beside it or asks for it in its place, as its layout says.
class ProgramWindow : public QWidget, protected ProgramView
{
    Q_OBJECT

public:
    ProgramWindow(const WindowLayout &layout, const Seams &seams, QWidget *parent = nullptr);

signals:
    // HELP, after its cue, where the help window is to take this window's place.
    void helpRequested();

protected:
    // The flow that this window shows; made by the subclass after the window's controls.
    void setFlow(ProgramFlow &flow) { m_flow = &flow; }
    // The control of that row of the layout.
    QWidget *control(int row) const { return m_controls.at(static_cast<std::size_t>(row)); }
    const Seams &seams() const { return m_seams; }
    const WindowLayout &layout() const { return m_layout; }
    // Moves the window back within its screen where its frame reaches beyond it.
    void keepOnScreen();
    // Runs an event of the flow from outside its controls, and asks what it then wants to know.
    void forward(const std::function<void()> &event);
    void contextMenuEvent(QContextMenuEvent *event) override;

    // The activation counts each time the window becomes the active one coming from another of
    // the program's windows: not on returning from a modal box, nor from another application.
    void changeEvent(QEvent *event) override;

    void setText(int control, std::string_view text) override;
    void setTextColour(int control, Rgb colour) override;
    void setControlEnabled(int control, bool enabled) override;
    void setControlVisible(int control, bool visible) override;
    void setDescription(int control, std::string_view text) override;
    Surface &surface(int control) override;
    void setTimerRunning(int timer, bool running) override;
    void setBusy(bool busy) override;
    void yieldToEventLoop() override;
    void playCue(Cue cue) override;
    void ask(const Question &question) override;
    void openHelp() override;
    void closeHelp() override {}
    void endProgram() override;
    void setWindowWidth(int twips) override;
    void showPanels(const std::vector<Panel> &panels) override;

private:
    QWidget *makeControl(const Control &control);
    void addExtrasMenu();
    // Saves the window, or its picture control, where the user says; `caption` titles the boxes.
    void savePicture(const QString &caption);

    const WindowLayout &m_layout;
    Seams m_seams;
    ProgramFlow *m_flow = nullptr;
    std::vector<QWidget *> m_controls;
    std::vector<QTimer *> m_timers;
    std::optional<Question> m_question;
    QMenu *m_extras = nullptr;
    QPointer<HelpWindow> m_help; // beside this window
    std::vector<QWidget *> m_panels;
};

#endif
