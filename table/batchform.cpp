#include "batchform.h"

#include "batchengine.h"
#include "controls.h"
#include "fonts.h"
#include "meanformatter.h"
#include "quitconfirmation.h"
#include "soundcue.h"
#include "straightline.h"
#include "twips.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

BatchForm::BatchForm(const Seams &seams, const BatchProgram &program, QWidget *parent)
    : Form(parent)
    , m_seams(seams)
    , m_program(program)
{
    static const QString digits[] = {QStringLiteral("２"), QStringLiteral("３")};
    const QString digit = digits[program.number == 3 ? 1 : 0];
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral(" Talunoの実験") + digit);
    setFixedSize(twips(program.clientWidth), twips(7680));

    const QFont buttonFont = msPGothic(11.25);
    const QFont heading = msPGothic(14.25, true);
    const QFont value = msPGothic(14.25);
    const QColor white(255, 255, 255);

    Command2 = addButton(this, QStringLiteral("Command2"), QStringLiteral("終了"), twipsRect(0, 0, 855, 375), buttonFont);
    Label84 = addLabel(this, QStringLiteral("Label84"), QStringLiteral("Talunoの実験（その%1）").arg(digit),
                       twipsRect(1920, 0, 4455, 375), msPGothic(15.75, true), QColor(128, 255, 255),
                       palette().color(QPalette::WindowText));
    Command4 = addButton(this, QStringLiteral("Command4"), QStringLiteral("HELP"), twipsRect(6600, 0, 855, 375), buttonFont);
    Command3 = addButton(this, QStringLiteral("Command3"), QStringLiteral("初期化"), twipsRect(7440, 0, 855, 375), buttonFont);
    (new StraightLine(0, 360, 8280, 360, this))->setObjectName(QStringLiteral("Line1"));

    Label83 = addLabel(this, QStringLiteral("Label83"), QStringLiteral("お客人数"), twipsRect(240, 6600, 1455, 375), heading, white);
    Label82 = addLabel(this, QStringLiteral("Label82"), QString(), twipsRect(1680, 6600, 1095, 375), value, white);
    Label4 = addLabel(this, QStringLiteral("Label4"), QStringLiteral("不足枚数の平均"), twipsRect(3000, 6840, 2295, 375), heading, white);
    Label3 = addLabel(this, QStringLiteral("Label3"), QString(), twipsRect(5280, 6840, 1095, 375), value, white);
    Label1 = addLabel(this, QStringLiteral("Label1"), QStringLiteral("実験回数"), twipsRect(240, 7080, 1455, 375), heading, white);
    Label2 = addLabel(this, QStringLiteral("Label2"), QString(), twipsRect(1680, 7080, 1095, 375), value, white);
    Command1 = addButton(this, QStringLiteral("Command1"), QStringLiteral("実験開始"), twipsRect(6720, 6720, 1335, 615), buttonFont);
    // A value alone says nothing to a screen reader; the caption beside it says what it is.
    Label82->setAccessibleDescription(Label83->text());
    Label3->setAccessibleDescription(Label4->text());
    Label2->setAccessibleDescription(Label1->text());

    setTabOrder(Command1, Command2);
    setTabOrder(Command2, Command3);
    setTabOrder(Command3, Command4);
    Command1->setFocus();

    connect(Command1, &QPushButton::clicked, this, &BatchForm::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &BatchForm::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &BatchForm::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &BatchForm::Command4_Click);
}

void BatchForm::Form_Activate()
{
    // Asked once the window is up, not from inside the activation itself.
    QTimer::singleShot(0, this, &BatchForm::askSettings);
}

void BatchForm::askSettings()
{
    const auto guests = askSetting(m_seams, m_program.rows.guests);
    if (!guests)
        return;
    m_guestCount = *guests;
    Label82->setText(QString::number(m_guestCount));
    const auto experiments = askSetting(m_seams, m_program.rows.experiments);
    if (!experiments)
        return;
    m_experimentCount = *experiments;
    Label2->setText(QString::number(m_experimentCount));
}

void BatchForm::Command1_Click()
{
    // Settings not yet accepted (the prompts are still to come) leave nothing to run.
    if (m_running || m_guestCount == 0 || m_experimentCount == 0)
        return;
    m_running = true;
    // Repaints and the like, but no clicks: a click now would run into this very run.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    setCursor(Qt::WaitCursor);
    Command2->setEnabled(false);
    Command3->setEnabled(false);

    const BatchResult result = runBatch(m_guestCount, m_experimentCount, m_program.lowestBin, m_seams.random,
                                        m_seams.clock);
    Label3->setText(QString::fromStdString(formatMean(result.mean)));
    showCounts(result.counts);

    // 終了 and 初期化 first, so that the focus leaving 実験開始 lands on 終了, which asks, and not on
    // HELP, where a second press of Enter would throw the results away.
    Command2->setEnabled(true);
    Command3->setEnabled(true);
    Command1->setEnabled(false);
    setCursor(Qt::ArrowCursor);
    m_running = false;
}

void BatchForm::Command2_Click()
{
    confirmQuit(m_seams);
}

void BatchForm::Command3_Click()
{
    m_seams.cue.play(QStringLiteral("pinpon.wav"));
    Command1->setEnabled(true);
    clearResults();
    Label2->clear();
    Label3->clear();
    Label82->clear();
    askSettings();
}

void BatchForm::Command4_Click()
{
    m_seams.cue.play(QStringLiteral("pinpon.wav"));
    emit helpRequested();
}
