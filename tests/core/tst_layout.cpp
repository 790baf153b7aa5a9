#include "core/layout.h"
#include "core/programflow.h"
#include "recordingview.h"

#include <QRect>
#include <QTest>

// The windows' tables: the arrays of cells where their formulas put them, the timers' beats, and the help
// text printed afresh on each activation.
class TestLayout : public QObject
{
    Q_OBJECT

private slots:
    void cells_data()
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

    void cells()
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

    void extras_data()
    {
        QTest::addColumn<int>("program");
        QTest::addColumn<QString>("menu");
        const QString always = "結果をコピー Ctrl+C, 画像を保存 Ctrl+S, ";
        QTest::newRow("Taluno1: the walk as a line") << 1 << always + "折れ線グラフ L toggled";
        for (int program : {2, 3})
            QTest::addRow("Taluno%d: the law and the coins", program)
                << program << always + "理論値 T toggled, 何枚用意すればよいか K toggled, c枚用意したら？ C";
    }

    // The context menu's extras in order, with their keys; the side panels right of the table's last column
    // or of the graph, by the margin.
    void extras()
    {
        QFETCH(int, program);
        QFETCH(QString, menu);
        const WindowLayout &layout = mainWindowLayout(ProgramNumber(program));
        QStringList items;
        for (const ExtraRow &row : layout.extras)
            items << QString::fromStdString(row.caption + ' ' + row.keys + (row.toggle ? " toggled" : ""));
        QCOMPARE(items.join(", "), menu);
        if (program > 1) {
            const Control &beside = layout.controls[std::size_t(program == 2 ? BatchControls::countCell(63) : BatchControls::graphSurface)];
            QCOMPARE(layout.sidePanels->left, beside.left + beside.width + panelMargin);
        }
    }

    void timersAndHelp()
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
};

QTEST_GUILESS_MAIN(TestLayout)
#include "tst_layout.moc"
