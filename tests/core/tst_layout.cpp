#include "core/layout.h"
#include "core/programflow.h"
#include "core/texts.h"
#include "core/viewscale.h"
#include "recordingview.h"

#include <QRect>
#include <QTest>

// The windows' tables: the arrays of cells where their formulas put them, the help text printed afresh on each
// activation, the sizes windows are shown at and the help's place beside them.
class TestLayout : public QObject
{
    Q_OBJECT

private slots:
    // Cells where their formulas put them, in twips, with their names and captions.
    void cells()
    {
        using namespace TossControls;
        using namespace BatchControls;
        const struct { int program, row; const char *name, *caption; QRect twips; } rows[] = {
            {1, resultCell(17), "Labme_17", "", {9720, 960, 495, 375}},         // toss 17 result: column 16
            {1, resultCell(100), "Labme_100", "", {8760, 6960, 495, 375}},      // toss 100 result: column 14
            {1, resultCell(52), "Labme_52", "", {2040, 4560, 495, 375}},        // band 4, column 1
            {1, balanceCell(60), "tm_60", "", {5880, 4920, 495, 375}},          // band 4, column 9
            {1, headingCell(35), "Lab_35", "35", {2040, 3000, 495, 375}},       // band 3, column 1
            {1, firstRowTitle + 4, "Label5", "表 or　裏", {240, 2160, 1815, 375}}, // band 2 result title
            {1, firstRowTitle + 9, "Label8", "回　　 数 ", {240, 4200, 1815, 375}}, // band 3 heading title, a blank at its end
            {2, headingOfBin(1), "Label7", "～  -57", {1560, 600, 735, 375}},
            {2, headingOfBin(63), "Label81", "3  ～", {7320, 5640, 735, 375}},
            {2, countCell(63), "dosu_63", "", {7320, 6000, 735, 375}},
            {2, headingOfBin(32), "Label50", "-27", {4440, 3120, 735, 375}},    // pair 4, column 5
            {2, countCell(40), "dosu_40", "", {3720, 4320, 735, 375}},          // pair 5, column 4
            {2, firstTableRowTitle + 7, "Label21", "度　　数", {240, 3480, 1335, 375}}, // pair 4 count title
        };
        for (const auto &row : rows) {
            const Control &control = mainWindowLayout(ProgramNumber(row.program)).controls.at(std::size_t(row.row));
            QCOMPARE(std::tuple(control.name, control.caption, QRect(control.left, control.top, control.width, control.height)),
                     std::tuple(std::string(row.name), std::string(row.caption), row.twips));
        }
    }

    // The program table: the programs the build makes and no other, in order, each found by its number and titled by
    // it, its help's place and menu of extras by its kind; the side panels right of the table's last column or the graph.
    void programsAndTheirExtras()
    {
        const QString always = "結果をコピー Ctrl+C, 画像を保存 Ctrl+S, ";
        const QString batch = " in place: " + always + "理論値 T toggled, 何枚用意すればよいか K toggled, c枚用意したら？ C, クラスの結果をまとめる M, お釣りの要る人の割合 P, この設定を配る Q";
        const QString byKind[] = {" beside: " + always + "折れ線グラフ L toggled, c枚用意したら？ C, お釣りの要る人の割合 P, この設定を配る Q", batch, batch};
        const std::vector<int> built{TALUNO_BUILT_PROGRAMS};
        std::vector<int> numbers;
        for (const ProgramRow &program : programTable()) {
            numbers.push_back(int(programNumbered(int(program.number)).value_or(ProgramNumber{})));
            QStringList items;
            for (const ExtraRow &row : program.extras)
                items << QString::fromStdString(row.caption + ' ' + row.keys + (row.toggle ? " toggled" : ""));
            QCOMPARE(QString::fromStdString(program.title) + (program.help == HelpPlace::Beside ? " beside: " : " in place: ") + items.join(", "),
                     QString("Talunoの実験") + QChar(0xFF10 + int(program.number)) + byKind[int(program.kind)]);
            if (program.kind == ProgramKind::Walk)
                continue;
            const WindowLayout &layout = mainWindowLayout(program.number);
            const Control &beside = layout.controls[std::size_t(program.kind == ProgramKind::Table ? BatchControls::countCell(63) : BatchControls::graphSurface)];
            QCOMPARE(layout.sidePanels->left, beside.left + beside.width + panelMargin);
        }
        QVERIFY2(numbers == built && !programNumbered(0) && !programNumbered(int(built.size()) + 1), "programs.txt and the core's table differ");
    }

    void helpPrintedOnEachActivation()
    {
        RecordingView view(helpWindowLayout(ProgramNumber::Taluno3));
        HelpFlow help(view, ProgramNumber::Taluno3);
        help.onActivated();
        const std::size_t once = view.drawing.strokes.size();
        help.onActivated();
        const auto &strokes = view.drawing.strokes;
        QVERIFY(strokes.size() == 2 * once && strokes[once].kind == "clear");
        QCOMPARE(strokes.back().text, "\u3000\u3000\u3000\u3000\u3000\u3000\u3000\u3000" + std::string("■右クリック（タブレットでは長押し）で、授業のメニューが開きます。"));
        // Each program's help tells how to work that program.
        for (const auto &[program, says] : {std::pair(ProgramNumber::Taluno1, "［自動開始］"), {ProgramNumber::Taluno2, "度数分布表で表示"}, {ProgramNumber::Taluno3, "度数分布グラフで表示"}}) {
            const std::vector<std::string> lines = helpLines(program);
            const std::string_view wanted = says;
            QVERIFY2(std::any_of(lines.begin(), lines.end(), [wanted](const std::string &line) { return line.find(wanted) != std::string::npos; }), says);
        }
        // At 60 % needing change, a line says so under the one that says half and half, in place of a blank line: the
        // text ends where it did.
        help.setChangePercent(60);
        help.onActivated();
        const auto half = std::find_if(strokes.begin() + std::ptrdiff_t(2 * once), strokes.end(), [](const auto &s) { return s.text.find("半々") != std::string::npos; });
        QVERIFY(strokes.size() == 3 * once + 1 && strokes.back().y1 == strokes[2 * once - 1].y1 && (half + 1)->text == "\u3000\u3000\u3000\u3000\u3000\u3000\u3000\u3000（いまは、お釣りの要る人の割合を６０％にしています。）");
    }

    // The desktop's sizes, worked by hand: Taluno1 is 10470 × 8685 twips, 698 × 579 pixels at 100 %, 1056 wide with
    // its walk; Taluno2 553 × 512.
    void viewSizes()
    {
        const struct { const char *what; int width, height, frameHeight, roomWidth, roomHeight, percent; } fits[] = {
            {"Taluno1 on 1366 × 768", 10470, 8685, 0, 1366, 768, 130},
            {"with a title bar of 30: 738 / 579 = 1.27", 10470, 8685, 30, 1366, 768, 120},
            {"Taluno2 on Full HD with a title bar of 6: 1075 + 6 = 1081", 8295, 7680, 6, 1920, 1080, 200},
            {"no room even at 100 %", 10470, 8685, 0, 1024, 600, 100},
        };
        for (const auto &row : fits)
            QVERIFY2(fittingViewPercent(row.width, row.height, 0, row.frameHeight, row.roomWidth, row.roomHeight) == row.percent, row.what);
        QCOMPARE(std::vector({largerViewPercent(100), largerViewPercent(300), smallerViewPercent(100), smallerViewPercent(180)}),
                 std::vector({110, 300, 100, 170}));
        QCOMPARE(std::vector({isViewPercent(150), isViewPercent(155), isViewPercent(90), isViewPercent(310)}),
                 std::vector({true, false, false, false}));
    }

    // Taluno1's help at every size its window, walk shown, fits the screen at, on a projector and on a laptop's screen
    // right of it under a panel, with and without a frame, the window at either edge: inside the screen; beside the window at its size where either side
    // has room; else inside the part of the window the lesson can spare, at the largest size that fits there (at
    // 100 % on a laptop, 4 pixels more than it: none is smaller).
    void helpPlacedAtEverySize()
    {
        const WindowLayout &main = tossWindowLayout(), &help = helpWindowLayout(ProgramNumber::Taluno1);
        const Control &table = *main.spareForHelp;
        const auto rect = [](const ScreenRect &r) { return QRect(r.x, r.y, r.width, r.height); };
        for (const ScreenRect &room : {ScreenRect{0, 0, 1920, 1080}, ScreenRect{1920, 32, 1366, 736}}) {
            for (const QSize frame : {QSize(0, 0), QSize(2, 24)}) {
                for (int percent = smallestViewPercent; percent <= largestViewPercent; percent += viewPercentStep) {
                    const auto px = [](int twips, int at) { return pixelsFromTwips(twips, at / 100.0); };
                    const auto helpAt = [&](int at) { return QSize(px(help.width, at), px(help.height, at)) + frame; };
                    const QSize window = QSize(px(main.widestWidth, percent), px(main.height, percent)) + frame;
                    for (const int x : {room.x, room.x + room.width - window.width()}) {
                        const QRect spare(x + frame.width() / 2 + px(table.left, percent), room.y + frame.height() - frame.width() / 2 + px(table.top, percent),
                                          px(table.left + table.width, percent) - px(table.left, percent), px(table.top + table.height, percent) - px(table.top, percent));
                        const HelpPosition place = placeHelp({x, room.y, window.width(), window.height()}, {spare.x(), spare.y(), spare.width(), spare.height()},
                                                             help.width, help.height, frame.width(), frame.height(), percent, room);
                        const QRect shown = rect(place.frame);
                        const bool beside = room.x + room.width - x - window.width() >= helpAt(percent).width() || x - room.x >= helpAt(percent).width();
                        const QSize larger = helpAt(place.percent + viewPercentStep);
                        QVERIFY2(window.height() > room.height || window.width() > room.width
                                     || (rect(room).contains(shown) && shown.size() == helpAt(place.percent)
                                         && (beside ? place.percent == percent && shown.y() == room.y && (shown.x() == x + window.width() || shown.right() + 1 == x)
                                                    : (spare.contains(shown) || place.percent == smallestViewPercent)
                                                          && (place.percent == percent || larger.width() > spare.width() || larger.height() > spare.height()))),
                                 qPrintable(QStringLiteral("%1 x %2, frame %3, %4 % at x %5").arg(room.width).arg(room.height).arg(frame.height()).arg(percent).arg(x)));
                    }
                }
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestLayout)
#include "tst_layout.moc"
