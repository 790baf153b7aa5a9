#include "kit/extrasmenu.h"

#include "core/layout.h"
#include "core/programflow.h"
#include "core/texts.h"
#include "kit/fonts.h"
#include "kit/modalboxes.h"
#include "kit/programwindow.h"
#include "kit/qtconvert.h"

#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QPainter>
#include <QShortcut>
#include <QStandardPaths>

ExtrasMenu::ExtrasMenu(ProgramWindow &window, const std::vector<ExtraRow> &rows, ProgramFlow &flow, Forward forward,
                       ModalBoxes &boxes, QWidget *picture)
    : QMenu(&window)
    , m_window(window)
    , m_flow(flow)
    , m_forward(std::move(forward))
    , m_boxes(boxes)
    , m_picture(picture)
{
    for (const ExtraRow &row : rows) {
        QAction *action = addAction(qtText(row.caption));
        action->setShortcut(QKeySequence(qtText(row.keys)));
        action->setCheckable(row.toggle);
        window.addAction(action);
        connect(action, &QAction::triggered, this, [this, &row](bool checked) { run(row, checked); });
    }
    // Shift+F10 opens the menu as the Menu key does.
    auto *menuKey = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F10), &window);
    connect(menuKey, &QShortcut::activated, this, [this] { exec(m_window.mapToGlobal(m_window.rect().center())); });
}

void ExtrasMenu::run(const ExtraRow &row, bool checked)
{
    const Extra extra = row.extra;
    if (row.toggle) {
        m_forward([this, extra, checked] { m_flow.setExtraShown(extra, checked); });
        return;
    }
    switch (extra) {
    case Extra::CopyResults: copy(qtText(row.caption)); return;
    case Extra::SavePicture: save(qtText(row.caption)); return;
    case Extra::ExactLaw:
    case Extra::CoinsPanel:
    case Extra::CoinsShare:
    case Extra::WalkLine:
    case Extra::ChangePercent:
    case Extra::PoolResults: m_forward([this, extra] { m_flow.chooseExtra(extra); }); return;
    }
}

void ExtrasMenu::copy(const QString &caption)
{
    const std::string text = m_flow.copyText();
    if (text.empty())
        m_boxes.tell(qtText(nothingToCopyText), caption);
    else
        QGuiApplication::clipboard()->setText(qtText(text));
}

void ExtrasMenu::save(const QString &caption)
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    const QString path = m_boxes.saveFileName(caption, QDir(folder).filePath(m_window.windowTitle().trimmed() + QStringLiteral(".png")));
    if (path.isEmpty())
        return;
    // At a slide's resolution, whatever size the window is shown at; a picture control with the lines that
    // say what it shows under it.
    QWidget *picture = m_picture ? m_picture : &m_window;
    const double scale = m_window.viewScale();
    const QSize size = m_picture ? QSize(qRound(picture->width() / scale), qRound(picture->height() / scale)) : m_window.layoutSize();
    const QStringList lines = m_picture ? qtLines(m_flow.pictureCaption()) : QStringList();
    const int lineHeight = captionLinePixels();
    QImage image(QSize(size.width(), size.height() + lineHeight * (lines.size() + (lines.isEmpty() ? 0 : 1))) * savedPictureScale,
                 QImage::Format_RGB32);
    image.setDevicePixelRatio(savedPictureScale / scale);
    image.fill(Qt::white);
    picture->render(&image);
    // Half a line's room above the first and below the last.
    QPainter painter(&image);
    painter.scale(scale, scale);
    const QFont font = msPGothic(captionPoints);
    painter.setFont(font);
    const int ascent = QFontMetrics(font).ascent();
    for (qsizetype line = 0; line < lines.size(); ++line)
        painter.drawText(QPoint(lineHeight / 2, size.height() + lineHeight * int(line) + lineHeight / 2 + ascent), lines[line]);
    painter.end();
    if (!image.save(path, "PNG"))
        m_boxes.tell(qtText(saveFailedText) + QLatin1Char('\n') + path, caption);
}
