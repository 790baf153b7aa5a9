#include "core/layout.h"
#include "core/texts.h"

#include <QTest>

// The windows as tables: the rows the logic names are the controls it means, and the arrays of
// cells stand where their formulas put them.
class TestLayout : public QObject
{
    Q_OBJECT

private slots:
    void rows_data();
    void rows();
    void windows();
};

void TestLayout::rows_data()
{
    QTest::addColumn<int>("program");   // 1-3 main windows, 11-13 help windows
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QRect>("twips");
    using namespace TossControls;
    QTest::newRow("Taluno1 終了") << 1 << quitButton << "Command3" << "終了" << QRect(0, 0, 975, 375);
    QTest::newRow("Taluno1 HELP") << 1 << helpButton << "Command6" << "HELP" << QRect(8520, 0, 975, 375);
    QTest::newRow("Taluno1 初期化") << 1 << resetButton << "Command2" << "初期化" << QRect(9480, 0, 975, 375);
    QTest::newRow("Taluno1 コイン止まる") << 1 << tossButton << "Command1" << "コイン止まる" << QRect(240, 7800, 855, 495);
    QTest::newRow("Taluno1 自動停止") << 1 << stopButton << "Command5" << "自動停止" << QRect(3000, 7920, 1335, 495);
    QTest::newRow("Taluno1 自動開始") << 1 << startButton << "Command4" << "自動開始" << QRect(4680, 7920, 1335, 495);
    QTest::newRow("Taluno1 heads coin") << 1 << headsCoin << "coin_1" << "表" << QRect(6840, 7920, 480, 480);
    QTest::newRow("Taluno1 tails coin") << 1 << tailsCoin << "coin_2" << "裏" << QRect(6840, 7920, 480, 480);
    QTest::newRow("toss 1 heading") << 1 << headingCell(1) << "Lab_1" << "1" << QRect(2040, 600, 495, 375);
    QTest::newRow("toss 17 result: column 16") << 1 << resultCell(17) << "Labme_17" << "" << QRect(9720, 960, 495, 375);
    QTest::newRow("toss 18 balance: band 1") << 1 << balanceCell(18) << "tm_18" << "" << QRect(2040, 2520, 495, 375);
    QTest::newRow("toss 100 result: column 14") << 1 << resultCell(100) << "Labme_100" << "" << QRect(8760, 6960, 495, 375);
    QTest::newRow("band 3 heading title ends in a blank") << 1 << firstRowTitle + 9 << "Label8" << "回　　 数 "
                                                          << QRect(240, 4200, 1815, 375);
    using namespace BatchControls;
    for (int program : {2, 3}) {
        const QByteArray p = "Taluno" + QByteArray::number(program);
        QTest::newRow(p + " 終了") << program << BatchControls::quitButton << "Command2" << "終了" << QRect(0, 0, 855, 375);
        QTest::newRow(p + " HELP") << program << BatchControls::helpButton << "Command4" << "HELP" << QRect(6600, 0, 855, 375);
        QTest::newRow(p + " 初期化") << program << BatchControls::resetButton << "Command3" << "初期化" << QRect(7440, 0, 855, 375);
        QTest::newRow(p + " 実験開始") << program << BatchControls::startButton << "Command1" << "実験開始" << QRect(6720, 6720, 1335, 615);
        QTest::newRow(p + " guest count") << program << guestCountValue << "Label82" << "" << QRect(1680, 6600, 1095, 375);
        QTest::newRow(p + " mean") << program << meanValue << "Label3" << "" << QRect(5280, 6840, 1095, 375);
        QTest::newRow(p + " experiment count") << program << experimentCountValue << "Label2" << "" << QRect(1680, 7080, 1095, 375);
    }
    QTest::newRow("Taluno3 graph") << 3 << graphSurface << "Picture1" << "度数分布グラフ" << QRect(120, 600, 8055, 5775);
    QTest::newRow("Taluno2 lowest heading") << 2 << headingOfBin(1) << "Label7" << "～  -57" << QRect(1560, 600, 735, 375);
    QTest::newRow("Taluno2 heading -49 opens pair 2") << 2 << headingOfBin(10) << "Label28" << "-49" << QRect(1560, 1440, 735, 375);
    QTest::newRow("Taluno2 heading 0") << 2 << headingOfBin(59) << "Label77" << "0" << QRect(4440, 5640, 735, 375);
    QTest::newRow("Taluno2 highest heading") << 2 << headingOfBin(63) << "Label81" << "3  ～" << QRect(7320, 5640, 735, 375);
    QTest::newRow("Taluno2 count of -57") << 2 << countCell(2) << "dosu_2" << "" << QRect(2280, 960, 735, 375);
    QTest::newRow("Taluno2 last count") << 2 << countCell(63) << "dosu_63" << "" << QRect(7320, 6000, 735, 375);
    QTest::newRow("help 閉じる") << 12 << HelpControls::closeButton << "Command1" << "閉じる" << QRect(8400, 0, 735, 375);
    QTest::newRow("help text") << 13 << HelpControls::textSurface << "Picture1" << "Talunoの実験３＿ヘルプ（設問と操作方法）"
                               << QRect(120, 480, 9015, 6855);
}

void TestLayout::rows()
{
    QFETCH(int, program);
    QFETCH(int, row);
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QRect, twips);
    const WindowLayout &window = program > 10 ? helpWindowLayout(ProgramNumber(program - 10))
                                              : mainWindowLayout(ProgramNumber(program));
    const Control &control = window.controls.at(static_cast<std::size_t>(row));
    QCOMPARE(QString::fromStdString(control.name), name);
    QCOMPARE(QString::fromStdString(control.caption), caption);
    QCOMPARE(QRect(control.left, control.top, control.width, control.height), twips);
}

void TestLayout::windows()
{
    QCOMPARE(tossWindowLayout().title, std::string(" Talunoの実験１（コインストによるシミュレーション）"));
    QCOMPARE(batchWindowLayout(ProgramNumber::Taluno3).title, std::string(" Talunoの実験３"));
    QCOMPARE(helpWindowLayout(ProgramNumber::Taluno2).title, std::string(" Talunoの実験２＿ヘルプ（設問と操作方法）"));
    const auto &timers = tossWindowLayout().timers;
    QCOMPARE(timers.size(), std::size_t(3));
    QCOMPARE(timers[TossTimers::spin].periodMs, 10);
    QCOMPARE(timers[TossTimers::toss].periodMs, 500);
    QCOMPARE(timers[TossTimers::nextCycle].periodMs, 750);
    QCOMPARE(helpLines(ProgramNumber::Taluno1).size(), std::size_t(26));
    QCOMPARE(helpLines(ProgramNumber::Taluno2).size(), std::size_t(28));
    QCOMPARE(helpLines(ProgramNumber::Taluno3).size(), std::size_t(29));
    QCOMPARE(helpLines(ProgramNumber::Taluno2)[1], std::string("\u3000【問　　題】"));
    std::string eightBlanks;
    for (int i = 0; i < 8; ++i)
        eightBlanks += "\u3000";
    QCOMPARE(helpLines(ProgramNumber::Taluno3)[28], eightBlanks + "せます。");
}

QTEST_GUILESS_MAIN(TestLayout)
#include "tst_layout.moc"
