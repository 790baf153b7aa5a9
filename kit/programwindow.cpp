#include "kit/programwindow.h"

#include "core/texts.h"
#include "kit/borderedlabel.h"
#include "kit/coinimage.h"
#include "kit/commandbutton.h"
#include "kit/fonts.h"
#include "kit/modalboxes.h"
#include "kit/picturebox.h"
#include "kit/qtconvert.h"
#include "kit/soundcue.h"
#include "kit/straightline.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QScreen>
#include <QTimer>

#include <algorithm>
#include <utility>

namespace {

// The program's window that was last activated; modal boxes are not program windows and do not count.
QPointer<QWidget> lastActiveWindow;

void setPaletteColour(QWidget *widget, QPalette::ColorRole role, Rgb colour)
{
    QPalette palette = widget->palette();
    palette.setColor(role, qtColour(colour));
    widget->setPalette(palette);
}

} // namespace

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
        QWidget *widget = makeControl(control);
        widget->setObjectName(qtText(control.name));
        if (!control.description.empty())
            widget->setAccessibleDescription(qtText(control.description));
        if (!control.enabled)
            widget->setEnabled(false);
        if (!control.visible)
            widget->setVisible(false);
        m_controls.push_back(widget);
        m_texts.emplace_back();
        m_notes.emplace_back();
        if (control.kind == ControlKind::Label)
            setText(static_cast<int>(m_controls.size()) - 1, control.caption);
    }

    QWidget *previous = nullptr;
    for (int row : layout.focusOrder) {
        QWidget *widget = this->control(row);
        if (widget->focusPolicy() == Qt::NoFocus)
            widget->setFocusPolicy(Qt::TabFocus);
        if (previous)
            setTabOrder(previous, widget);
        else
            widget->setFocus();
        previous = widget;
    }

    for (const Timer &timer : layout.timers) {
        auto *qtimer = new QTimer(this);
        qtimer->setObjectName(qtText(timer.name));
        qtimer->setInterval(timer.periodMs);
        // A coarse timer may run late by a twentieth of its period, which adds up over a run.
        qtimer->setTimerType(Qt::PreciseTimer);
        const int row = static_cast<int>(m_timers.size());
        connect(qtimer, &QTimer::timeout, this, [this, row] { forward([this, row] { m_flow->onTick(row); }); });
        m_timers.push_back(qtimer);
    }
    applyScale();
}

QWidget *ProgramWindow::makeControl(const Control &control)
{
    const int row = static_cast<int>(m_controls.size());
    QWidget *widget = nullptr;
    switch (control.kind) {
    case ControlKind::Button: {
        auto *button = new CommandButton(qtText(control.caption), this);
        button->setAutoDefault(false);
        if (control.background)
            setPaletteColour(button, QPalette::Button, *control.background);
        connect(button, &QPushButton::clicked, this, [this, row] { forward([this, row] { m_flow->onClicked(row); }); });
        widget = button;
        break;
    }
    case ControlKind::Label: {
        auto *label = new BorderedLabel(QString(), this);
        label->setAlignment(Qt::AlignCenter);
        label->setTextFormat(Qt::PlainText);
        if (control.background) {
            setPaletteColour(label, QPalette::Window, *control.background);
            label->setAutoFillBackground(true);
        }
        if (control.foreground)
            setPaletteColour(label, QPalette::WindowText, *control.foreground);
        widget = label;
        break;
    }
    case ControlKind::Line:
        return new StraightLine(control.left, control.top, control.left + control.width, control.top + control.height,
                                this);
    case ControlKind::Surface: {
        auto *surface = new PictureBox(this);
        surface->setScale(control.unitsAcross, control.unitsDown);
        if (control.background)
            surface->setBackground(qtColour(*control.background));
        // What it shows is only painted: a screen reader learns it from the name and the description.
        surface->setAccessibleName(qtText(control.caption));
        widget = surface;
        break;
    }
    case ControlKind::Coin:
        widget = new CoinImage(control.caption == headsText ? CoinFace::Heads : CoinFace::Tails, this);
        widget->setAccessibleName(qtText(control.caption));
        break;
    }
    return widget;
}

QRect ProgramWindow::scaledRect(const Control &control) const
{
    const QPoint topLeft(pixelsFromTwips(control.left, m_scale), pixelsFromTwips(control.top, m_scale));
    const QPoint end(pixelsFromTwips(control.left + control.width, m_scale), pixelsFromTwips(control.top + control.height, m_scale));
    return QRect(m_origin + topLeft, QSize(end.x() - topLeft.x(), end.y() - topLeft.y()));
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
        if (qobject_cast<QLabel *>(widget))
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
        if (question.input) {
            const QString answer = m_seams.boxes.inputBox(this, qtText(question.text), qtText(question.title), qtText(question.defaultText),
                                                          question.multiline, static_cast<int>(question.shownLine));
            m_flow->answerInput(coreText(answer));
        } else {
            m_flow->answerYesNo(m_seams.boxes.askYesNo(this, qtText(question.text), qtText(question.title)));
        }
    }
}

void ProgramWindow::setText(int row, std::string_view text)
{
    const QString caption = qtText(text);
    if (qobject_cast<QLabel *>(control(row))) {
        m_texts.at(static_cast<std::size_t>(row)) = caption;
        showLabel(row);
    } else if (auto *button = qobject_cast<QAbstractButton *>(control(row))) {
        button->setText(caption);
    }
}

QFont ProgramWindow::controlFont(const Control &control, bool projected) const
{
    const double points = projected ? pointsAt(control, m_scale) : control.points;
    return points > 0 ? msPGothic(points, control.bold, m_scale) : font();
}

void ProgramWindow::showLabel(int row)
{
    auto *label = qobject_cast<QLabel *>(control(row));
    const QString &text = m_texts.at(static_cast<std::size_t>(row));
    const auto &[note, colour] = m_notes.at(static_cast<std::size_t>(row));
    const Control &shown = m_layout.controls.at(static_cast<std::size_t>(row));
    QFont font = controlFont(shown);
    const int room = label->contentsRect().width() - 1;
    // A number that would be cut off at the border is narrowed to fit instead.
    if (note.isEmpty()) {
        label->setTextFormat(Qt::PlainText);
        label->setFont(narrowedToFit(font, text, room));
        label->setText(text);
        return;
    }
    // The note under the text, each line in half the height; a number the class reads at a projector's sizes has
    // its note beside it instead, both at the number's size. As setNote in web/src/window.js: keep the two in step.
    const bool beside = enlargedAt(shown, m_scale);
    if (!beside)
        font.setPixelSize(label->height() / 2 - 1);
    label->setTextFormat(Qt::RichText);
    label->setFont(narrowedToFit(font, text + (beside ? QLatin1Char(' ') : QLatin1Char('\n')) + note, room));
    // Blanks kept as they are, as in a label of plain text: 「度　　数」 keeps its two full-width ones.
    label->setText(QStringLiteral("<div style=\"white-space:pre\">%1%2<span style=\"color:%3\">%4</span></div>")
                       .arg(text.toHtmlEscaped(), beside ? QStringLiteral(" ") : QStringLiteral("<br>"), colour.name(),
                            note.toHtmlEscaped()));
}

void ProgramWindow::setTextColour(int row, Rgb colour)
{
    setPaletteColour(control(row), QPalette::WindowText, colour);
}

void ProgramWindow::setNote(int row, std::string_view note, Rgb colour)
{
    m_notes.at(static_cast<std::size_t>(row)) = {qtText(note), qtColour(colour)};
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
    if (isFullScreen())
        fillScreen();
}

void ProgramWindow::showPanels(const std::vector<Panel> &panels)
{
    m_shownPanels = panels;
    placePanels();
    if (isFullScreen())
        fillScreen();
}

void ProgramWindow::placePanels()
{
    qDeleteAll(m_panels);
    m_panels.clear();
    m_contentWidth = pixelsFromTwips(m_widthTwips, m_scale);
    if (m_layout.sidePanels) {
        const PanelPlace &place = *m_layout.sidePanels;
        const int margin = pixelsFromTwips(panelMargin, m_scale);
        QPoint at(pixelsFromTwips(place.left, m_scale), pixelsFromTwips(place.top, m_scale));
        for (const Panel &panel : m_shownPanels) {
            auto *label = new QLabel(this);
            label->setObjectName(QStringLiteral("sidePanel"));
            label->setFont(msPGothic(panel.points, panel.bold, m_scale));
            label->setTextFormat(Qt::RichText);
            label->setAutoFillBackground(true);
            label->setFrameStyle(QFrame::Box);
            label->setMargin(qRound(4 * m_scale));
            QString table = QStringLiteral("<b>%1</b><table cellspacing=0 cellpadding=%2>")
                                .arg(qtText(panel.lines.front()).toHtmlEscaped())
                                .arg(qRound(4 * m_scale));
            for (std::size_t row = 1; row < panel.lines.size(); ++row) {
                table += QStringLiteral("<tr>");
                for (const QString &cell : qtText(panel.lines[row]).split(QLatin1Char('\t')))
                    table += QStringLiteral("<td align=right>%1</td>").arg(cell.toHtmlEscaped());
                table += QStringLiteral("</tr>");
            }
            label->setText(table + QStringLiteral("</table>"));
            label->adjustSize();
            label->move(m_origin + at);
            label->show();
            at.ry() += label->height() + margin;
            m_contentWidth = std::max(m_contentWidth, at.x() + label->width() + margin);
            m_panels.push_back(label);
        }
    }
    if (!isFullScreen()) {
        setFixedSize(m_contentWidth, pixelsFromTwips(m_layout.height, m_scale));
        keepOnScreen();
    }
}
