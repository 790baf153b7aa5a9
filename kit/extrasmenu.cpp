#include "kit/extrasmenu.h"

#include "core/layout.h"
#include "core/programflow.h"
#include "core/texts.h"
#include "kit/fonts.h"
#include "kit/modalboxes.h"
#include "kit/programwindow.h"
#include "kit/qtconvert.h"
#include "kit/sharelessonbox.h"

#include <QActionGroup>
#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QPainter>
#include <QShortcut>
#include <QStandardPaths>

#include <algorithm>
#include <cmath>

ExtrasMenu::ExtrasMenu(ProgramWindow &window, ProgramNumber program, ProgramFlow &flow, Forward forward, const Seams &seams,
                       QWidget *picture)
    : QMenu(&window)
    , m_window(window)
    , m_flow(flow)
    , m_forward(std::move(forward))
    , m_program(program)
    , m_seams(seams)
    , m_picture(picture)
{
    for (const ExtraRow &row : programRow(program).extras) {
        QAction *action = addAction(qtText(row.caption));
        action->setShortcut(QKeySequence(qtText(row.keys)));
        action->setCheckable(row.toggle);
        action->setData(static_cast<int>(row.extra));
        window.addAction(action);
        connect(action, &QAction::triggered, this, [this, &row](bool checked) { run(row, checked); });
    }
    addSeparator();
    QMenu *languages = addMenu(qtText(text(Text::extraLanguage)));
    auto *oneOf = new QActionGroup(languages);
    for (const std::string &language : catalogueLanguages()) {
        QAction *action = oneOf->addAction(qtText(textIn(language, Text::languageName)));
        action->setCheckable(true);
        action->setChecked(language == currentLanguage());
        connect(action, &QAction::triggered, this, [this, language] { emit languageChosen(QString::fromStdString(language)); });
    }
    languages->addActions(oneOf->actions());
    // Shift+F10 opens the menu as the Menu key does.
    auto *menuKey = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F10), &window);
    connect(menuKey, &QShortcut::activated, this, [this] { exec(m_window.mapToGlobal(m_window.rect().center())); });
}

void ExtrasMenu::showChecked(const std::vector<Extra> &shown)
{
    for (QAction *action : actions()) {
        if (action->isCheckable() && std::ranges::find(shown, static_cast<Extra>(action->data().toInt())) != shown.end())
            action->setChecked(true); // triggers nothing: the flow has them on
    }
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
    case Extra::ShareLesson: ShareLessonBox::share(m_window, m_program, m_flow.lesson(), m_seams.boxes, m_seams.settings); return;
    case Extra::ExactLaw:
    case Extra::CoinsPanel:
    case Extra::WalkLine: return; // toggles, above
    case Extra::CoinsShare:
    case Extra::ChangePercent:
    case Extra::PoolResults: m_forward([this, extra] { m_flow.chooseExtra(extra); }); return;
    }
}

void ExtrasMenu::copy(const QString &caption)
{
    const std::string copied = m_flow.copyText();
    if (copied.empty())
        m_seams.boxes.tell(&m_window, qtText(text(Text::nothingToCopy)), caption);
    else
        QGuiApplication::clipboard()->setText(qtText(copied));
}

void ExtrasMenu::save(const QString &caption)
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    const QString path = m_seams.boxes.saveFileName(&m_window, caption, QDir(folder).filePath(m_window.windowTitle().trimmed() + QStringLiteral(".png")));
    if (path.isEmpty())
        return;
    if (!picture().save(path, "PNG"))
        m_seams.boxes.tell(&m_window, qtText(text(Text::saveFailed)) + QLatin1Char('\n') + path, caption);
}

QImage ExtrasMenu::picture() const
{
    // At a slide's resolution, whatever size the window is shown at; a picture control with the lines that
    // say what it shows under it. Qt draws a widget whole, lines and all, only at a whole number of pixels to
    // each of its own: it is drawn so, then brought to the picture's size.
    QWidget *shown = m_picture ? m_picture : &m_window;
    const QRect area = m_picture ? m_picture->rect() : m_window.contentRect();
    const double scale = m_window.viewScale();
    const QSize size = m_picture ? (QSizeF(area.size()) / scale).toSize() : m_window.layoutSize();
    const int whole = std::max(1, static_cast<int>(std::ceil(savedPictureScale / scale - 1e-9)));
    QImage drawn(area.size() * whole, QImage::Format_RGB32);
    drawn.setDevicePixelRatio(whole);
    drawn.fill(Qt::white);
    shown->render(&drawn, {}, area);
    drawn.setDevicePixelRatio(1);
    const QStringList lines = m_picture ? qtLines(m_flow.pictureCaption()) : QStringList();
    const int lineHeight = captionLinePixels();
    QImage image(QSize(size.width(), size.height() + lineHeight * (lines.size() + (lines.isEmpty() ? 0 : 1))) * savedPictureScale,
                 QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    // Averaged over each pixel's area, so that a line thinner than a pixel stays a line.
    painter.drawImage(0, 0, drawn.scaled(size * savedPictureScale, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    // Half a line's room above the first and below the last.
    painter.scale(savedPictureScale, savedPictureScale);
    const QFont font = msPGothic(captionPoints);
    painter.setFont(font);
    const int ascent = QFontMetrics(font).ascent();
    for (qsizetype line = 0; line < lines.size(); ++line)
        painter.drawText(QPoint(lineHeight / 2, size.height() + lineHeight * int(line) + lineHeight / 2 + ascent), lines[line]);
    painter.end();
    return image;
}
