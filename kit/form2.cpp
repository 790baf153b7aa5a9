#include "form2.h"

#include "commandbutton.h"
#include "fonts.h"
#include "helptext.h"
#include "picturebox.h"
#include "straightline.h"
#include "twips.h"

#include <QEventLoopLocker>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>

#include <algorithm>

Form2::Form2(int program, QWidget *parent)
    : Form(parent)
    , m_program(program)
{
    setObjectName(QStringLiteral("Form2"));
    setAttribute(Qt::WA_DeleteOnClose);
    static const QString digits[] = {QStringLiteral("１"), QStringLiteral("２"), QStringLiteral("３")};
    setWindowTitle(QStringLiteral(" Talunoの実験%1＿ヘルプ（設問と操作方法）").arg(digits[qBound(1, program, 3) - 1]));
    setWindowIcon(QIcon()); // the help window has no icon of its own
    setFixedSize(twips(9255), twips(7440));

    Command1 = new CommandButton(QStringLiteral("閉じる"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setGeometry(twipsRect(8400, 0, 735, 375));
    connect(Command1, &QPushButton::clicked, this, &Form2::Command1_Click);

    Picture1 = new PictureBox(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setGeometry(twipsRect(120, 480, 9015, 6855));
    // No line may be cut off at the right edge, however wide the substitute face runs.
    const QStringList lines = helpText(program);
    const QString widest = *std::max_element(lines.begin(), lines.end(), [](const QString &a, const QString &b) {
        const QFontMetricsF metrics(msPGothic(11.25));
        return metrics.horizontalAdvance(a) < metrics.horizontalAdvance(b);
    });
    Picture1->setFont(narrowedToFit(msPGothic(11.25), widest, Picture1->contentsRect().width()));
    Picture1->setScale(8955, 6795);
    Picture1->setBackground(Qt::white);
    Picture1->setFocusPolicy(Qt::TabFocus);
    // The text is only painted: a screen reader reads it from here.
    Picture1->setAccessibleName(windowTitle().trimmed());
    Picture1->setAccessibleDescription(lines.join(QLatin1Char('\n')));
    setTabOrder(Command1, Picture1);

    auto *line1 = new StraightLine(9120, 360, 120, 360, this);
    line1->setObjectName(QStringLiteral("Line1"));
}

void Form2::Form_Activate()
{
    Picture1->clear();
    for (const QString &line : helpText(m_program))
        Picture1->printLine(line);
}

void Form2::Command1_Click()
{
    // Whatever is shown next is shown before the program could notice that no window is open.
    const QEventLoopLocker keepRunning;
    close();
    emit closeClicked();
}

Form2 *openHelpBeside(QWidget *main, QPointer<Form2> &help, int program)
{
    if (!help) {
        help = new Form2(program);
        const QRect mainFrame = main->frameGeometry();
        const QRect screen = (main->screen() ? main->screen() : QGuiApplication::primaryScreen())->availableGeometry();
        QPoint topLeft(mainFrame.right() + 1, mainFrame.top());
        if (topLeft.x() + help->width() > screen.right())
            topLeft.setX(std::max(screen.left(), screen.right() - help->width()));
        help->move(topLeft);
        // However the help window is closed, the main window is the one to work in again.
        QObject::connect(help, &QObject::destroyed, main, [main] { main->activateWindow(); });
    }
    help->show();
    help->raise();
    help->activateWindow();
    return help;
}
