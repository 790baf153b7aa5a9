#include "form1.h"

#include "coinimage.h"
#include "controls.h"
#include "fonts.h"
#include "form2.h"
#include "quitconfirmation.h"
#include "soundcue.h"
#include "straightline.h"
#include "twips.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>


namespace Taluno1 {

namespace {

constexpr int tossesPerBand = 17;

// Heading, result and balance row titles band by band, character for character: the later
// bands' heading titles end in a blank.
struct RowTitle
{
    const char *name;
    const char *caption;
};
const RowTitle rowTitles[6][3] = {
    {{"Label2", "回　　 数"}, {"Label4", "表 or　裏"}, {"Label12", "釣り銭枚数"}},
    {{"Label3", "回　　 数"}, {"Label5", "表 or　裏"}, {"Label13", "釣り銭枚数"}},
    {{"Label6", "回　　 数"}, {"Label7", "表 or　裏"}, {"Label14", "釣り銭枚数"}},
    {{"Label8", "回　　 数 "}, {"Label9", "表 or　裏"}, {"Label15", "釣り銭枚数"}},
    {{"Label16", "回　　 数 "}, {"Label11", "表 or　裏"}, {"Label10", "釣り銭枚数"}},
    {{"Label19", "回　　 数 "}, {"Label18", "表 or　裏"}, {"Label17", "釣り銭枚数"}},
};

// A number that would be cut off at the cell's border is narrowed to fit instead.
void setFittingText(QLabel *cell, const QString &text)
{
    cell->setFont(narrowedToFit(cell->font(), text, cell->contentsRect().width() - 1));
    cell->setText(text);
}

void setButtonColour(QPushButton *button, const QColor &colour)
{
    QPalette palette = button->palette();
    palette.setColor(QPalette::Button, colour);
    button->setPalette(palette);
}

} // namespace

Form1::Form1(const Seams &seams, QWidget *parent)
    : Form(parent)
    , m_seams(seams)
    , m_experiment(*this, seams.random, seams.clock)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral(" Talunoの実験１（コインストによるシミュレーション）"));
    setFixedSize(twips(10470), twips(8685));
    setFont(msPGothic(11.25));

    const QFont small = msPGothic(9);
    const QFont cellFont = msPGothic(15, true);
    const QFont startStop = msPGothic(12, true);
    const QColor white(255, 255, 255);
    const QColor grey(192, 192, 192);

    Command3 = addButton(this, QStringLiteral("Command3"), QStringLiteral("終了"), twipsRect(0, 0, 975, 375), small);
    Label1 = addLabel(this, QStringLiteral("Label1"), QStringLiteral("Talunoの実験（その１）"),
                      twipsRect(2640, 0, 5175, 375), msPGothic(15.75, true), QColor(0, 255, 255), QColor(0, 0, 0));
    Command6 = addButton(this, QStringLiteral("Command6"), QStringLiteral("HELP"), twipsRect(8520, 0, 975, 375), small);
    Command2 = addButton(this, QStringLiteral("Command2"), QStringLiteral("初期化"), twipsRect(9480, 0, 975, 375), small);
    (new StraightLine(0, 360, 10440, 360, this))->setObjectName(QStringLiteral("Line1"));

    for (int band = 0; band < 6; ++band) {
        for (int row = 0; row < 3; ++row) {
            const RowTitle &title = rowTitles[band][row];
            addLabel(this, QString::fromLatin1(title.name), QString::fromUtf8(title.caption),
                     twipsRect(240, 600 + 1200 * band + 360 * row, 1815, 375), cellFont);
        }
    }
    for (int k = 1; k <= TossExperiment::tossCount; ++k) {
        const int band = (k - 1) / tossesPerBand;
        const int left = 2040 + 480 * ((k - 1) % tossesPerBand);
        const QString number = QString::number(k);
        m_lab[k - 1] = addLabel(this, QStringLiteral("Lab_") + number, QString(),
                                twipsRect(left, 600 + 1200 * band, 495, 375), cellFont);
        setFittingText(m_lab[k - 1], number);
        m_labme[k - 1] = addLabel(this, QStringLiteral("Labme_") + number, QString(),
                                  twipsRect(left, 960 + 1200 * band, 495, 375), cellFont, white);
        m_tm[k - 1] = addLabel(this, QStringLiteral("tm_") + number, QString(),
                               twipsRect(left, 1320 + 1200 * band, 495, 375), cellFont, white);
        // A face or a balance read out alone does not say which toss it belongs to.
        m_labme[k - 1]->setAccessibleDescription(number + QStringLiteral("回目の表 or 裏"));
        m_tm[k - 1]->setAccessibleDescription(number + QStringLiteral("回目の釣り銭枚数"));
    }

    Command1 = addButton(this, QStringLiteral("Command1"), QStringLiteral("コイン止まる"),
                         twipsRect(240, 7800, 855, 495), startStop);
    Command1->setEnabled(false);
    Command1->setVisible(false);
    Command5 = addButton(this, QStringLiteral("Command5"), QStringLiteral("自動停止"),
                         twipsRect(3000, 7920, 1335, 495), startStop);
    setButtonColour(Command5, grey);
    Command5->setEnabled(false);
    Command4 = addButton(this, QStringLiteral("Command4"), QStringLiteral("自動開始"),
                         twipsRect(4680, 7920, 1335, 495), startStop);
    setButtonColour(Command4, grey);

    m_coin = {new CoinImage(CoinFace::Heads, this), new CoinImage(CoinFace::Tails, this)};
    for (int k = 1; k <= 2; ++k) {
        coin(k)->setObjectName(QStringLiteral("coin_%1").arg(k));
        coin(k)->setGeometry(twipsRect(6840, 7920, 480, 480));
    }
    coin(2)->setVisible(false);

    const auto addTimer = [this](const char *name, int period, void (TossExperiment::*tick)()) {
        auto *timer = new QTimer(this);
        timer->setObjectName(QString::fromLatin1(name));
        timer->setInterval(period);
        // A coarse timer may run late by a twentieth of its period, which adds up over a run.
        timer->setTimerType(Qt::PreciseTimer);
        connect(timer, &QTimer::timeout, this, [this, tick] { (m_experiment.*tick)(); });
        return timer;
    };
    Timer1 = addTimer("Timer1", 10, &TossExperiment::Timer1_Timer);
    Timer2 = addTimer("Timer2", 500, &TossExperiment::Timer2_Timer);
    Timer3 = addTimer("Timer3", 750, &TossExperiment::Timer3_Timer);

    setTabOrder(Command4, Command3);
    setTabOrder(Command3, Command2);
    setTabOrder(Command2, Command1);
    setTabOrder(Command1, Command5);
    setTabOrder(Command5, Command6);
    Command4->setFocus();

    connect(Command1, &QPushButton::clicked, this, [this] { m_experiment.Command1_Click(); });
    connect(Command2, &QPushButton::clicked, this, [this] { m_experiment.Command2_Click(); });
    connect(Command3, &QPushButton::clicked, this, &Form1::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, [this] { m_experiment.Command4_Click(); });
    connect(Command5, &QPushButton::clicked, this, [this] { m_experiment.Command5_Click(); });
    connect(Command6, &QPushButton::clicked, this, &Form1::Command6_Click);

    m_experiment.Form_Load();
}

void Form1::Form_Activate()
{
    m_experiment.Form_Activate();
}

void Form1::Command3_Click()
{
    confirmQuit(m_seams);
}

void Form1::Command6_Click()
{
    m_seams.cue.play(QStringLiteral("pinpon.wav"));
    openHelpBeside(this, m_help, 1);
}

void Form1::setResultText(int cell, const QString &text)
{
    Labme(cell)->setText(text);
}

void Form1::setResultColour(int cell, const QColor &colour)
{
    setTextColour(Labme(cell), colour);
}

void Form1::setBalanceText(int cell, const QString &text)
{
    setFittingText(tm(cell), text);
}

void Form1::setCoinVisible(int picture, bool visible)
{
    coin(picture)->setVisible(visible);
}

void Form1::setButtonEnabled(Button button, bool enabled)
{
    QPushButton *const buttons[] = {Command1, Command2, Command3, Command4, Command5, Command6};
    buttons[static_cast<int>(button) - 1]->setEnabled(enabled);
}

void Form1::setTimerRunning(Timer timer, bool running)
{
    QTimer *const timers[] = {Timer1, Timer2, Timer3};
    QTimer *const which = timers[static_cast<int>(timer) - 1];
    if (!running)
        which->stop();
    else if (!which->isActive()) // a running timer keeps its beat: restarting it from its own tick would drift
        which->start();
}

void Form1::playCue(const QString &fileName)
{
    m_seams.cue.play(fileName);
}

} // namespace Taluno1
