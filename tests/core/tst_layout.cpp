#include "core/layout.h"
#include "core/programflow.h"
#include "core/texts.h"
#include "recordingview.h"

#include <QTest>

// The windows as tables: the arrays of cells stand where their formulas put them, the timers beat
// as the walk needs, and the help text is printed afresh on each activation.
class TestLayout : public QObject
{
    Q_OBJECT

private slots:
    void cells_data();
    void cells();
    void timersAndHelp();
};

void TestLayout::cells_data()
{
    QTest::addColumn<int>("program");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QRect>("twips");
    using namespace TossControls;
    QTest::newRow("toss 17 result: column 16") << 1 << resultCell(17) << "Labme_17" << "" << QRect(9720, 960, 495, 375);
    QTest::newRow("toss 18 balance: band 1") << 1 << balanceCell(18) << "tm_18" << "" << QRect(2040, 2520, 495, 375);
    QTest::newRow("toss 100 result: column 14") << 1 << resultCell(100) << "Labme_100" << "" << QRect(8760, 6960, 495, 375);
    QTest::newRow("band 3 heading title ends in a blank") << 1 << firstRowTitle + 9 << "Label8" << "回　　 数 "
                                                          << QRect(240, 4200, 1815, 375);
    using namespace BatchControls;
    QTest::newRow("lowest heading") << 2 << headingOfBin(1) << "Label7" << "～  -57" << QRect(1560, 600, 735, 375);
    QTest::newRow("heading -49 opens pair 2") << 2 << headingOfBin(10) << "Label28" << "-49" << QRect(1560, 1440, 735, 375);
    QTest::newRow("heading 0") << 2 << headingOfBin(59) << "Label77" << "0" << QRect(4440, 5640, 735, 375);
    QTest::newRow("highest heading") << 2 << headingOfBin(63) << "Label81" << "3  ～" << QRect(7320, 5640, 735, 375);
    QTest::newRow("count of -57") << 2 << countCell(2) << "dosu_2" << "" << QRect(2280, 960, 735, 375);
    QTest::newRow("last count") << 2 << countCell(63) << "dosu_63" << "" << QRect(7320, 6000, 735, 375);
    QTest::newRow("graph") << 3 << graphSurface << "Picture1" << "度数分布グラフ" << QRect(120, 600, 8055, 5775);
}

void TestLayout::cells()
{
    QFETCH(int, program);
    QFETCH(int, row);
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QRect, twips);
    const Control &control = mainWindowLayout(ProgramNumber(program)).controls.at(static_cast<std::size_t>(row));
    QCOMPARE(QString::fromStdString(control.name), name);
    QCOMPARE(QString::fromStdString(control.caption), caption);
    QCOMPARE(QRect(control.left, control.top, control.width, control.height), twips);
}

void TestLayout::timersAndHelp()
{
    std::vector<int> periods;
    for (const Timer &timer : tossWindowLayout().timers)
        periods.push_back(timer.periodMs);
    QCOMPARE(periods, (std::vector<int>{10, 500, 750}));

    RecordingView view(helpWindowLayout(ProgramNumber::Taluno3));
    HelpFlow help(view, ProgramNumber::Taluno3);
    help.onActivated();
    const std::size_t once = view.drawing.strokes.size();
    help.onActivated();
    const auto &strokes = view.drawing.strokes;
    QCOMPARE(strokes.size(), 2 * once);
    QCOMPARE(strokes[once].kind, std::string("clear"));
    QCOMPARE(helpLines(ProgramNumber::Taluno3).size(), std::size_t(29));
    QCOMPARE(helpLines(ProgramNumber::Taluno2)[1], std::string("\u3000【問　　題】"));
    QCOMPARE(strokes.back().text, "\u3000\u3000\u3000\u3000\u3000\u3000\u3000\u3000" + std::string("せます。"));
}

QTEST_GUILESS_MAIN(TestLayout)
#include "tst_layout.moc"
