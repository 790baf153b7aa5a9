#include "core/frequencygraph.h"
#include "recordingview.h"

#include <QTest>

// Taluno3's graph as strokes and in words.
class TestFrequencyGraph : public QObject
{
    Q_OBJECT

private slots:
    void drawsAxesGridTextsAndBars()
    {
        std::vector<int> counts(120, 0);
        counts[0] = 7;      // below -114
        counts[6] = 250;    // -109
        counts[115] = 1000; // 0: far above the top edge
        counts[119] = 5;    // above 3, never in a real run: moves the text position off the axis
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
        for (std::size_t i = 0; i < boxes.size(); ++i)
            QCOMPARE(std::tuple(boxes[i].x1, boxes[i].x2, boxes[i].y1, boxes[i].y2, boxes[i].colour), std::tuple(i + 5.0, i + 6.0, 280.0, 280.0 - counts[i], Rgb{0, 0, 255}));
        // The axis row last, over everything else, one line below the axis at the left edge.
        QCOMPARE(std::tuple(texts.back().x1, texts.back().y1, texts.back().text), std::tuple(0.0, 290.0, std::string(axisNumberRow)));
        QCOMPARE(texts.size(), std::size_t(8));
        QCOMPARE(texts[2].text + ' ' + texts[6].text, std::string("250 50"));
    }

    // A class's few results, or many, on an axis that fits them: the grid's labels, a bar's height, a mark's.
    void fitsTheClass()
    {
        const struct { std::vector<int> counts; int top; } rows[] = {
            {{4}, 5}, {{5, 1}, 5}, {{6}, 10}, {{21}, 25}, {{270}, 250}, {{271}, 500}, {{5400}, 5000}, {{9999}, 5000}, {{}, 5},
        };
        for (const auto &row : rows)
            QCOMPARE(pooledGraphTop(row.counts), row.top);
        RecordingSurface surface;
        drawFrequencyGraph(surface, {4}, 5);
        drawExpectedMarks(surface, {2.5}, 5);
        std::vector<std::string> labels;
        std::vector<double> tops;
        for (const auto &stroke : surface.strokes) {
            if (stroke.kind == "text" && stroke.x1 == 5 && stroke.y1 > 20)
                labels.push_back(stroke.text + '@' + std::to_string(int(stroke.y1)));
            if (stroke.kind == "box" && stroke.x1 <= 5)
                tops.push_back(std::min(stroke.y1, stroke.y2));
        }
        QCOMPARE(labels, (std::vector<std::string>{"5@27", "4@77", "3@127", "2@177", "1@227"}));
        QCOMPARE(tops, (std::vector<double>{80, 153.5})); // 4 of 5 up the grid's 250 units; the mark 2.5 of 5
    }

    // A red mark four units high and wider than its bar at each expected count of half a run or more.
    void marksTheLaw()
    {
        RecordingSurface surface;
        drawExpectedMarks(surface, {0.49, 0.5, 0, 100.25});
        std::vector<std::tuple<double, double, double, double>> marks;
        for (const auto &stroke : surface.strokes)
            marks.emplace_back(stroke.x1, stroke.y1, stroke.x2, stroke.y2);
        QCOMPARE(marks, (std::vector<std::tuple<double, double, double, double>>{{5.75, 278, 7.25, 281}, {7.75, 178.25, 9.25, 181.25}}));
    }

    void describesTheRun()
    {
        std::vector<int> one(120, 0), two(120, 0);
        one[106] = 1; // -9
        two[0] = 4;   // below -114
        two[116] = 4; // 1
        QCOMPARE(describeGraph(one, -114), std::string("1 回の実験の度数分布。最も多い不足枚数は -9 で 1 回。不足枚数はすべて -9。"));
        QCOMPARE(describeGraph(two, -114), std::string("8 回の実験の度数分布。最も多い不足枚数は -115 以下 と 1 で、各 4 回。不足枚数は -115 以下 から 1 まで。"));
        QCOMPARE(describeGraph(std::vector<int>(120, 0), -114), std::string("0 回の実験の度数分布。"));
    }
};

QTEST_GUILESS_MAIN(TestFrequencyGraph)
#include "tst_frequencygraph.moc"
