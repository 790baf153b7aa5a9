#include "kit/programwindow.h"

#include "kit/borderedlabel.h"
#include "kit/fonts.h"
#include "kit/layoutcontrols.h"
#include "kit/modalboxes.h"
#include "kit/picturebox.h"
#include "kit/qtconvert.h"
#include "kit/soundcue.h"
#include "kit/straightline.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QPointer>
#include <QScreen>
#include <QTimer>

#include <algorithm>
#include <utility>

// The program's window that was last activated; modal boxes are not program windows and do not count.
namespace {
QPointer<QWidget> lastActiveWindow;
}

ProgramWindow::ProgramWindow(const WindowLayout &layout, const Seams &seams, QWidget *parent)
    : QWidget(parent)
    , m_layout(layout)
    , m_seams(seams)
    , m_widthTwips(layout.width)
{
    setObjectName(qtText(layout.name));
    setWindowTitle(qtText(layout.title));
    if (!layout.hasIcon)
        setWindowIcon(QIcon());

    for (const Control &control : layout.controls) {
        const int row = static_cast<int>(m_controls.size());
        QWidget *widget = makeControlWidget(control, this);
        if (auto *button = qobject_cast<QAbstractButton *>(widget))
            connect(button, &QAbstractButton::clicked, this, [this, row] { forward([this, row] { m_flow->onClicked(row); }); });
        m_controls.push_back(widget);
        if (control.kind == ControlKind::Label)
            setText(row, control.caption);
    }

    setFocusOrder(m_controls, layout.focusOrder);

    for (const Timer &timer : layout.timers) {
        const int row = static_cast<int>(m_timers.size());
        m_timers.push_back(makeTimer(timer, this));
        connect(m_timers.back(), &QTimer::timeout, this, [this, row] { forward([this, row] { m_flow->onTick(row); }); });
    }
    applyScale();
}

QRect ProgramWindow::scaledRect(const Control &control) const
{
    return scaledControlRect(control, m_scale).translated(m_origin);
}

void ProgramWindow::setViewScale(double scale)
{
    m_normalScale = scale;
    if (isFullScreen())
        return;
    m_scale = scale;
    applyScale();
}

void ProgramWindow::setFullScreen(bool fullScreen)
{
    if (fullScreen == isFullScreen())
        return;
    if (fullScreen) {
        m_normalPlace = geometry().topLeft();
        setMinimumSize(0, 0);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        showFullScreen();
        fillScreen();
    } else {
        showNormal();
        m_origin = {};
        m_scale = m_normalScale;
        applyScale();
        // Where it stood: a window system may put it back with its frame off the screen.
        setGeometry(QRect(m_normalPlace, size()));
    }
}

QSize ProgramWindow::layoutSize() const
{
    return {qRound(m_contentWidth / m_scale), pixelsFromTwips(m_layout.height)};
}

QRect ProgramWindow::contentRect() const
{
    return {m_origin, QSize(m_contentWidth, pixelsFromTwips(m_layout.height, m_scale))};
}

QRect ProgramWindow::spareForHelp() const
{
    if (!m_layout.spareForHelp)
        return {};
    const QRect spare = scaledRect(*m_layout.spareForHelp);
    return {mapToGlobal(spare.topLeft()), spare.size()};
}

void ProgramWindow::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (isFullScreen())
        fillScreen();
}

void ProgramWindow::fillScreen()
{
    const QSize content = layoutSize();
    const double scale = std::min(double(width()) / content.width(), double(height()) / content.height());
    const QPoint origin((width() - qRound(content.width() * scale)) / 2, (height() - qRound(content.height() * scale)) / 2);
    if (scale == m_scale && origin == m_origin)
        return;
    m_scale = scale;
    m_origin = origin;
    applyScale();
}

void ProgramWindow::applyScale()
{
    setFont(msPGothic(m_layout.points > 0 ? m_layout.points : defaultPoints, false, m_scale));
    // Its menus at its size too: they are windows of their own, which take no font from it.
    for (QMenu *menu : findChildren<QMenu *>())
        menu->setFont(font());
    for (std::size_t row = 0; row < m_controls.size(); ++row) {
        const Control &control = m_layout.controls[row];
        QWidget *widget = m_controls[row];
        if (auto *line = qobject_cast<StraightLine *>(widget)) {
            line->place(m_scale, m_origin);
            continue;
        }
        // A surface's numbers may be larger than its other text.
        if (auto *surface = qobject_cast<PictureBox *>(widget)) {
            surface->setViewScale(m_scale);
            QFont numbers = controlFont(control);
            if (enlargedAt(control, m_scale))
                numbers.setStretch(enlargedAxisRowStretch);
            surface->setNumberFont(numbers);
        }
        widget->setFont(controlFont(control, control.kind != ControlKind::Surface));
        widget->setGeometry(scaledRect(control));
        if (qobject_cast<BorderedLabel *>(widget))
            showLabel(static_cast<int>(row));
    }
    placePanels();
    scaleChanged();
}

void ProgramWindow::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && lastActiveWindow != this) {
        lastActiveWindow = this;
        // Not from inside the activation itself: what the flow asks comes once the window is up.
        QTimer::singleShot(0, this, [this] { forward([this] { m_flow->onActivated(); }); });
    }
}

void ProgramWindow::keepOnScreen()
{
    const QScreen *shownOn = screen() ? screen() : QGuiApplication::primaryScreen();
    const QRect room = shownOn->availableGeometry();
    const QRect frame = frameGeometry();
    const int dx = std::max(room.left() - frame.left(), std::min(0, room.right() - frame.right()));
    const int dy = std::max(room.top() - frame.top(), std::min(0, room.bottom() - frame.bottom()));
    if (dx != 0 || dy != 0)
        move(pos() + QPoint(dx, dy));
}

void ProgramWindow::forward(const std::function<void()> &event)
{
    event();
    while (m_question) {
        const Question question = *std::exchange(m_question, std::nullopt);
        m_seams.boxes.put(this, question, *m_flow);
    }
}

void ProgramWindow::setText(int row, std::string_view text)
{
    if (auto *label = qobject_cast<BorderedLabel *>(control(row))) {
        label->setCaption(qtText(text));
        showLabel(row);
    } else if (auto *button = qobject_cast<QAbstractButton *>(control(row))) {
        button->setText(qtText(text));
    }
}

QFont ProgramWindow::controlFont(const Control &control, bool projected) const
{
    const double points = projected ? pointsAt(control, m_scale) : control.points;
    return points > 0 ? msPGothic(points, control.bold, m_scale) : font();
}

void ProgramWindow::showLabel(int row)
{
    // A number the class reads at a projector's sizes has its note beside it, both at the number's size.
    const Control &shown = m_layout.controls.at(static_cast<std::size_t>(row));
    qobject_cast<BorderedLabel *>(control(row))->showIn(controlFont(shown), enlargedAt(shown, m_scale));
}

void ProgramWindow::setTextColour(int row, Rgb colour)
{
    setPaletteColour(control(row), QPalette::WindowText, colour);
}

void ProgramWindow::setNote(int row, std::string_view note, Rgb colour)
{
    qobject_cast<BorderedLabel *>(control(row))->setNote(qtText(note), qtColour(colour));
    showLabel(row);
}

void ProgramWindow::setControlEnabled(int row, bool enabled)
{
    control(row)->setEnabled(enabled);
}

void ProgramWindow::setControlVisible(int row, bool visible)
{
    control(row)->setVisible(visible);
}

void ProgramWindow::setDescription(int row, std::string_view text)
{
    control(row)->setAccessibleDescription(qtText(text));
}

Surface &ProgramWindow::surface(int row)
{
    return *qobject_cast<PictureBox *>(control(row));
}

void ProgramWindow::setTimerRunning(int timer, bool running)
{
    QTimer *const which = m_timers.at(static_cast<std::size_t>(timer));
    if (!running)
        which->stop();
    else if (!which->isActive()) // a running timer keeps its beat: restarting it from its own tick would drift
        which->start();
}

void ProgramWindow::setBusy(bool busy)
{
    setCursor(busy ? Qt::WaitCursor : Qt::ArrowCursor);
}

void ProgramWindow::yieldToEventLoop()
{
    // Repaints and the like, but no clicks: a click now would run into the run that follows.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void ProgramWindow::playCue(Cue cue)
{
    m_seams.cue.play(qtText(cueFile(cue)));
}

void ProgramWindow::ask(const Question &question)
{
    m_question = question;
}

void ProgramWindow::endProgram()
{
    m_seams.endProgram();
}

void ProgramWindow::setWindowWidth(int twips)
{
    m_widthTwips = twips;
    placePanels();
}

void ProgramWindow::showPanels(const std::vector<Panel> &panels)
{
    m_panels.setPanels(panels);
    placePanels();
}

void ProgramWindow::placePanels()
{
    m_contentWidth = std::max(pixelsFromTwips(m_widthTwips, m_scale), m_panels.place(m_scale, m_origin));
    if (isFullScreen())
        return fillScreen(); // which comes back here only at a new scale
    setFixedSize(m_contentWidth, pixelsFromTwips(m_layout.height, m_scale));
    keepOnScreen();
}
