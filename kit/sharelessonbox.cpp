#include "kit/sharelessonbox.h"

#include "core/catalogue.h"
#include "core/layout.h"
#include "kit/modalboxes.h"
#include "kit/qtconvert.h"

#include <QBoxLayout>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QSettings>

#include <qrencode.h>

#include <cmath>
#include <memory>

namespace {

const QString siteKey = QStringLiteral("lessonSite");
// The blank modules around the code that a reader needs to find it.
constexpr int quietModules = 4;

// The QR code of `text` with its quiet zone, each module a square of whole pixels, at least `side` pixels across;
// null where the text is too long for any code.
QImage qrCode(const QByteArray &text, double side)
{
    const std::unique_ptr<QRcode, decltype(&QRcode_free)> code(QRcode_encodeString(text.constData(), 0, QR_ECLEVEL_M, QR_MODE_8, 1),
                                                               &QRcode_free);
    if (!code)
        return {};
    const int modules = code->width + 2 * quietModules;
    const int modulePixels = std::max(1, static_cast<int>(std::ceil(side / modules)));
    QImage image(modules * modulePixels, modules * modulePixels, QImage::Format_Grayscale8);
    image.fill(Qt::white);
    QPainter painter(&image);
    for (int y = 0; y < code->width; ++y) {
        for (int x = 0; x < code->width; ++x) {
            if (code->data[y * code->width + x] & 1) // bit 0: a dark module
                painter.fillRect((x + quietModules) * modulePixels, (y + quietModules) * modulePixels, modulePixels, modulePixels, Qt::black);
        }
    }
    return image;
}

// The site's address the teacher gave, as siteFolder() reads it; empty where none was given.
QString rememberedSite(const QSettings &settings)
{
    const std::optional<std::string> folder = siteFolder(coreText(settings.value(siteKey).toString()));
    return folder ? qtText(*folder) : QString();
}

QLabel *plainLabel(const QString &text)
{
    auto *label = new QLabel(text);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    return label;
}

QPushButton *captioned(const QString &caption)
{
    auto *button = new QPushButton(caption);
    button->setObjectName(caption);
    button->setAutoDefault(false);
    return button;
}

} // namespace

void ShareLessonBox::share(QWidget &window, ProgramNumber program, const Lesson &lesson, ModalBoxes &boxes, QSettings &settings)
{
    if (rememberedSite(settings).isEmpty() && askSite(&window, {}, boxes, settings).isEmpty())
        return;
    auto *box = new ShareLessonBox(window, program, lesson, boxes, settings);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

QString ShareLessonBox::askSite(QWidget *over, const QString &current, ModalBoxes &boxes, QSettings &settings)
{
    QString prompt = qtText(text(Text::sitePrompt));
    QString typed = current;
    for (;;) {
        typed = boxes.inputBox(over, prompt, qtText(text(Text::siteTitle)), typed, false);
        if (typed.isEmpty())
            return {};
        if (const std::optional<std::string> folder = siteFolder(coreText(typed))) {
            settings.setValue(siteKey, qtText(*folder));
            return qtText(*folder);
        }
        prompt = qtText(text(Text::siteRefusal)) + QStringLiteral("\n\n") + qtText(text(Text::sitePrompt));
    }
}

ShareLessonBox::ShareLessonBox(QWidget &window, ProgramNumber program, const Lesson &lesson, ModalBoxes &boxes, QSettings &settings)
    : QDialog(&window)
    , m_program(program)
    , m_lesson(lesson)
    , m_boxes(boxes)
    , m_settings(settings)
    , m_code(new QLabel)
    , m_link(new QLineEdit)
    , m_note(plainLabel({}))
{
    // As large as the window it hands out, at the view's size.
    setFont(window.font());
    setWindowTitle(qtText(text(Text::shareLessonTitle)));
    m_code->setObjectName(QStringLiteral("lessonCode"));
    m_code->setAlignment(Qt::AlignCenter);
    m_link->setObjectName(QStringLiteral("lessonLink"));
    m_link->setReadOnly(true);
    QPushButton *copy = captioned(qtText(text(Text::copyLinkCaption)));
    QPushButton *change = captioned(qtText(text(Text::changeSiteCaption)));
    QPushButton *close = captioned(qtText(helpWindowLayout(program).controls.at(HelpControls::closeButton).caption));
    close->setDefault(true);
    connect(copy, &QPushButton::clicked, this, [this] { QGuiApplication::clipboard()->setText(m_link->text()); });
    connect(change, &QPushButton::clicked, this, [this] {
        if (const QString site = askSite(this, m_site, m_boxes, m_settings); !site.isEmpty())
            showLink(site);
    });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(copy);
    buttons->addWidget(change);
    buttons->addStretch();
    buttons->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(plainLabel(qtText(text(Text::shareLessonText))));
    layout->addWidget(m_code, 0, Qt::AlignHCenter);
    layout->addWidget(m_link);
    layout->addWidget(m_note);
    layout->addLayout(buttons);
    showLink(rememberedSite(m_settings));
}

void ShareLessonBox::showLink(const QString &site)
{
    m_site = site;
    const QString link = qtText(lessonLink(coreText(site), m_program, m_lesson));
    m_link->setText(link);
    m_link->setCursorPosition(0);
    m_note->setText(qtText(siteGivenNote(coreText(site))));
    // Read off the projector from the back row: a share of the screen's height, in whole device pixels a module.
    const QScreen *screen = parentWidget()->screen() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    const double pixelRatio = parentWidget()->devicePixelRatioF();
    QImage code = qrCode(link.toUtf8(), lessonCodeShare * screen->availableGeometry().height() * pixelRatio);
    code.setDevicePixelRatio(pixelRatio);
    m_code->setPixmap(QPixmap::fromImage(code));
    m_code->setAccessibleName(link);
}
