#include "core/frequencygraph.h"
#include "core/layout.h"
#include "core/programflow.h"
#include "core/texts.h"
#include "core/walkgraph.h"
#include "recordingview.h"

#include <QTest>

#include <cmath>

// What the windows show: the arrays of cells where their formulas put them, the timers' beats, the
// help text printed afresh on each activation, and Taluno3's graph as strokes and in words.
class TestWindowContents : public QObject
{
    Q_OBJECT

private slots:
    void cells_data();
    void cells();
    void timersAndHelp();
    void drawsAxesGridTextsAndBars();
    void describesTheRun_data();
    void describesTheRun();
    void drawsTheWalk();
    void saysTheLowestSoFar_data();
    void saysTheLowestSoFar();
};

void TestWindowContents::cells_data()
{
    QTest::addColumn<int>("program");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QRect>("twips");
    using namespace TossControls;
    QTest::newRow("toss 17 result: column 16") << 1 << resultCell(17) << "Labme_17" << "" << QRect(9720, 960, 495, 375);
    QTest::newRow("toss 100 result: column 14") << 1 << resultCell(100) << "Labme_100" << "" << QRect(8760, 6960, 495, 375);
    QTest::newRow("toss 52 result: band 4, column 1") << 1 << resultCell(52) << "Labme_52" << "" << QRect(2040, 4560, 495, 375);
    QTest::newRow("toss 60 balance: band 4, column 9") << 1 << balanceCell(60) << "tm_60" << "" << QRect(5880, 4920, 495, 375);
    QTest::newRow("toss 35 heading: band 3, column 1") << 1 << headingCell(35) << "Lab_35" << "35" << QRect(2040, 3000, 495, 375);
    QTest::newRow("band 2 result title") << 1 << firstRowTitle + 4 << "Label5" << "表 or　裏" << QRect(240, 2160, 1815, 375);
    QTest::newRow("band 3 heading title ends in a blank") << 1 << firstRowTitle + 9 << "Label8" << "回　　 数 "
                                                          << QRect(240, 4200, 1815, 375);
    using namespace BatchControls;
    QTest::newRow("lowest heading") << 2 << headingOfBin(1) << "Label7" << "～  -57" << QRect(1560, 600, 735, 375);
    QTest::newRow("highest heading") << 2 << headingOfBin(63) << "Label81" << "3  ～" << QRect(7320, 5640, 735, 375);
    QTest::newRow("last count") << 2 << countCell(63) << "dosu_63" << "" << QRect(7320, 6000, 735, 375);
    QTest::newRow("heading of -27: pair 4, column 5") << 2 << headingOfBin(32) << "Label50" << "-27" << QRect(4440, 3120, 735, 375);
    QTest::newRow("count of -20: pair 5, column 4") << 2 << countCell(40) << "dosu_40" << "" << QRect(3720, 4320, 735, 375);
    QTest::newRow("pair 4 count title") << 2 << firstTableRowTitle + 7 << "Label21" << "度　　数" << QRect(240, 3480, 1335, 375);
}

void TestWindowContents::cells()
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

void TestWindowContents::timersAndHelp()
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
    QCOMPARE(strokes.back().text, "\u3000\u3000\u3000\u3000\u3000\u3000\u3000\u3000" + std::string("せます。"));
}

void TestWindowContents::drawsAxesGridTextsAndBars()
{
    std::vector<int> counts(120, 0);
    counts[0] = 7;    // below -114
    counts[6] = 250;  // -109
    counts[115] = 1000; // 0: far above the top edge
    counts[119] = 5;  // above 3, never in a real run: moves the text position off the axis
    RecordingSurface surface;
    drawFrequencyGraph(surface, counts);

    std::map<std::string, int> kinds;
    std::vector<RecordingSurface::Stroke> boxes, texts;
    for (const auto &stroke : surface.strokes) {
        ++kinds[stroke.kind];
        if (stroke.kind == "box")
            boxes.push_back(stroke);
        if (stroke.kind == "text")
            texts.push_back(stroke);
    }
    // Axes, 12 + 27 ticks, 25 dotted rows of 59 dashes and the 5 solid grid lines.
    QCOMPARE(kinds["line"], 2 + 12 + 27 + 25 * 59 + 5);
    // One light-blue box a bin, every bin, from x i + 4 up from the axis by its count.
    QCOMPARE(boxes.size(), std::size_t(120));
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        QCOMPARE(boxes[i].x1, double(i + 5));
        QCOMPARE(boxes[i].x2, double(i + 6));
        QCOMPARE(boxes[i].y1, 280.0);
        QCOMPARE(boxes[i].y2, 280.0 - counts[i]);
        QVERIFY(boxes[i].colour == (Rgb{0, 0, 255}));
    }
    // The axis row last, over everything else, one line below the axis at the left edge.
    QCOMPARE(std::tuple(texts.back().x1, texts.back().y1, texts.back().text), std::tuple(0.0, 290.0, std::string(axisNumberRow)));
    QCOMPARE(texts.size(), std::size_t(8));
}

void TestWindowContents::describesTheRun_data()
{
    QTest::addColumn<std::vector<int>>("counts");
    QTest::addColumn<QString>("description");
    std::vector<int> one(120, 0), two(120, 0), none(120, 0);
    one[106] = 1; // -9
    two[0] = 4;   // below -114
    two[116] = 4; // 1
    QTest::newRow("one experiment") << one << "1 回の実験の度数分布。最も多い不足枚数は -9 で 1 回。不足枚数はすべて -9。";
    QTest::newRow("two modes, one beyond the range")
        << two << "8 回の実験の度数分布。最も多い不足枚数は -115 以下 と 1 で、各 4 回。不足枚数は -115 以下 から 1 まで。";
    QTest::newRow("no experiments") << none << "0 回の実験の度数分布。";
}

void TestWindowContents::describesTheRun()
{
    QFETCH(std::vector<int>, counts);
    QFETCH(QString, description);
    QCOMPARE(QString::fromStdString(describeGraph(counts, -114)), description);
}

void TestWindowContents::drawsTheWalk()
{
    // Tails, tails, heads: 0, -1, -2, -1 on an axis from -10 to 10 over 80 units from y 6.
    RecordingSurface surface;
    drawWalk(surface, {false, false, true});
    const auto y = [](int balance) { return 6 + (10 - balance) * 80 / 20.0; };
    std::vector<std::tuple<double, double, double, double>> blue, red;
    for (const auto &stroke : surface.strokes) {
        const auto ends = std::tuple(stroke.x1, stroke.y1, stroke.x2, stroke.y2);
        if (stroke.colour == Rgb{0, 0, 255})
            blue.push_back(ends);
        if (stroke.colour == Rgb{255, 0, 0})
            red.push_back(ends);
    }
    const double pixel = 100.0 / 360;
    QCOMPARE(blue, (std::vector<std::tuple<double, double, double, double>>{
                       {8, y(0), 9, y(-1)}, {8, y(0) + pixel, 9, y(-1) + pixel}, {9, y(-1), 10, y(-2)},
                       {9, y(-1) + pixel, 10, y(-2) + pixel}, {10, y(-2), 11, y(-1)}, {10, y(-2) + pixel, 11, y(-1) + pixel}}));
    // The lowest so far: a red line across at -2, and a square on toss 2.
    QCOMPARE(red, (std::vector<std::tuple<double, double, double, double>>{{8, y(-2), 108, y(-2)},
                                                                          {9, y(-2) - 1.5, 11, y(-2) + 1.5}}));
    // The axis numbers: -10, 0 and 10 at their grid lines, then each count of tosses under the axis,
    // centred on its grid line.
    std::vector<std::pair<double, std::string>> texts;
    std::vector<double> halfDigit; // how far each number starts left of its line, per digit: all alike
    for (const auto &stroke : surface.strokes) {
        if (stroke.kind == "text")
            texts.emplace_back(stroke.y1, stroke.text);
        if (stroke.kind == "text" && stroke.y1 == 87)
            halfDigit.push_back((walkX(std::stoi(stroke.text)) - stroke.x1) / static_cast<double>(stroke.text.size()));
    }
    QCOMPARE(halfDigit.size(), 6u);
    for (const double each : halfDigit)
        QVERIFY(std::abs(each - halfDigit.front()) < 1e-9 && each > 0);
    QCOMPARE(texts, (std::vector<std::pair<double, std::string>>{{y(-10) - 2, "-10"}, {y(0) - 2, "0"}, {y(10) - 2, "10"},
                                                                {87, "0"}, {87, "20"}, {87, "40"}, {87, "60"}, {87, "80"}, {87, "100"}}));
    // A walk beyond the range widens it by tens.
    QCOMPARE(walkRange(std::vector<bool>(25, false)), std::pair(-30, 10));
    QCOMPARE(walkRange(std::vector<bool>(11, true)), std::pair(-10, 20));
}

void TestWindowContents::saysTheLowestSoFar_data()
{
    QTest::addColumn<std::vector<bool>>("heads");
    QTest::addColumn<QString>("text");
    QTest::newRow("before a toss") << std::vector<bool>{} << "ここまでの最低：—";
    QTest::newRow("heads first: 1, no coin needed") << std::vector<bool>{true} << "ここまでの最低：1（0枚で足りる）";
    QTest::newRow("back to 0: none needed") << std::vector<bool>{true, false} << "ここまでの最低：0（0枚で足りる）";
    QTest::newRow("down to -2 and up: 2 needed") << std::vector<bool>{false, false, true} << "ここまでの最低：−2（2枚必要）";
}

void TestWindowContents::saysTheLowestSoFar()
{
    QFETCH(std::vector<bool>, heads);
    QFETCH(QString, text);
    QCOMPARE(QString::fromStdString(lowestSoFarText(heads)), text);
}

QTEST_GUILESS_MAIN(TestWindowContents)
#include "tst_windowcontents.moc"
