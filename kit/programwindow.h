#ifndef PROGRAMWINDOW_H
#define PROGRAMWINDOW_H

#include "core/programflow.h"
#include "kit/seams.h"
#include "kit/sidepanels.h"

#include <QColor>
#include <QWidget>

#include <functional>
#include <optional>
#include <vector>

class QTimer;

// A window of a Taluno program, built from its layout table. It hands its activation, clicks
// and timer ticks to its flow, shows what the flow says, and puts the flow's questions to the
// user in modal boxes, answering the flow as soon as a box closes. The twin of ProgramWindow in
// web/src/window.js: keep the two in step.
class ProgramWindow : public QWidget, protected ProgramView
{
    Q_OBJECT

public:
    ProgramWindow(const WindowLayout &layout, const Seams &seams, QWidget *parent = nullptr);

    // Shows the window `scale` times its layout's size, every control and font scaled alike; the
    // drawings are drawn again. In full screen, the window fills the screen at whatever scale fits.
    void setViewScale(double scale);
    double viewScale() const { return m_scale; }
    void setFullScreen(bool fullScreen);
    // The window's size at the layout's own, as it stands now (wider while a graph or panels show).
    QSize layoutSize() const;
    // Where the layout stands in the window, panels included: all of it but in full screen.
    QRect contentRect() const;
    // Where a help window may lie over this one, on the screen; empty: nowhere.
    QRect spareForHelp() const;

signals:
    // HELP, after its cue: the program shows the help window, at the share of guests who need change in use.
    void helpRequested(int changePercent);

protected:
    // The flow that this window shows; made by the subclass after the window's controls.
    void setFlow(ProgramFlow &flow) { m_flow = &flow; }
    // The control of that row of the layout.
    QWidget *control(int row) const { return m_controls.at(static_cast<std::size_t>(row)); }
    const Seams &seams() const { return m_seams; }
    const WindowLayout &layout() const { return m_layout; }
    // Moves the window back within its screen where its frame reaches beyond it.
    void keepOnScreen();
    // After the controls are scaled: what a window adds to its layout, fitted anew.
    virtual void scaleChanged() {}
    // Runs an event of the flow from outside its controls, and asks what it then wants to know.
    void forward(const std::function<void()> &event);

    // The activation counts each time the window becomes the active one coming from another of
    // the program's windows: not on returning from a modal box, nor from another application.
    void changeEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

    void setText(int control, std::string_view text) override;
    void setTextColour(int control, Rgb colour) override;
    void setNote(int control, std::string_view note, Rgb colour) override;
    void setControlEnabled(int control, bool enabled) override;
    void setControlVisible(int control, bool visible) override;
    void setDescription(int control, std::string_view text) override;
    Surface &surface(int control) override;
    void setTimerRunning(int timer, bool running) override;
    void setBusy(bool busy) override;
    void yieldToEventLoop() override;
    void playCue(Cue cue) override;
    void ask(const Question &question) override;
    void openHelp(int changePercent) override { emit helpRequested(changePercent); }
    void closeHelp() override {}
    void endProgram() override;
    void setWindowWidth(int twips) override;
    void showPanels(const std::vector<Panel> &panels) override;

private:
    // Places and sizes every control, the panels and the window for the scale and origin.
    void applyScale();
    // In full screen: the scale and origin at which the layout fills the screen, centred. The twin of the page's
    // stage, fitted to the browser window by Page.fit in web/src/page.js.
    void fillScreen();
    // The side panels as the flow last showed them, and the window's size around them.
    void placePanels();
    QRect scaledRect(const Control &control) const;
    // A control's own font at this scale; at a projector's sizes the larger type of a number the class reads,
    // unless not `projected`.
    QFont controlFont(const Control &control, bool projected = true) const;
    // A label's text and note in its font at this scale.
    void showLabel(int row);

    const WindowLayout &m_layout;
    Seams m_seams;
    ProgramFlow *m_flow = nullptr;
    std::vector<QWidget *> m_controls;
    std::vector<QTimer *> m_timers;
    std::optional<Question> m_question;
    SidePanels m_panels{*this, m_layout.sidePanels};
    int m_widthTwips;       // as the layout or the flow last set it
    double m_scale = 1.0;
    double m_normalScale = 1.0; // outside full screen
    QPoint m_origin;        // where the layout's top left stands: centred in full screen
    QPoint m_normalPlace;   // where the window stood before full screen, its frame round it
    int m_contentWidth = 0; // pixels, panels included
};

#endif
