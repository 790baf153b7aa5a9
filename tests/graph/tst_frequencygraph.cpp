#include "frequencygraph.h"
#include "recordingsurface.h"

#include <QLineF>
#include <QRegularExpression>
#include <QTest>

#include <numeric>

namespace {

using Stroke = RecordingSurface::Stroke;

const QColor black(0, 0, 0);
const QColor lightBlue(0, 0, 255);
constexpr double lineHeight = 10; // of the recording surface

QLineF lineOf(const Stroke &stroke)
{
    return {stroke.from, stroke.to};
}

QString kindName(const Stroke &stroke)
{
    static const char *const kinds[] = {"clear", "line", "box", "text"};
    return QLatin1String(kinds[stroke.kind]);
}

QString describe(const Stroke &stroke)
{
    return QStringLiteral("%1 (%2, %3)-(%4, %5) %6 \"%7\"")
        .arg(kindName(stroke))
        .arg(stroke.from.x())
        .arg(stroke.from.y())
        .arg(stroke.to.x())
        .arg(stroke.to.y())
        .arg(stroke.colour.name(), stroke.text);
}

RecordingSurface drawn(const std::vector<int> &counts)
{
    RecordingSurface surface(lineHeight);
    drawFrequencyGraph(surface, counts);
    return surface;
}

// Bin i holds i experiments: every bar tells its bin.
std::vector<int> rising()
{
    std::vector<int> counts(120);
    std::iota(counts.begin(), counts.end(), 1);
    return counts;
}

} // namespace

// The frequency graph as a list of strokes in graph units, on a surface that records them.
class TestFrequencyGraph : public QObject
{
    Q_OBJECT

private slots:
    void strokesInOrder();
    void lineGroups_data();
    void lineGroups();
    void dottedGridIsEven();
    void textsAtTheirPlaces_data();
    void textsAtTheirPlaces();
    void axisNumberRowBlanks();
    void barsOfBins_data();
    void barsOfBins();
    void barHeights_data();
    void barHeights();
    void axisRowBelowTheAxisWhateverTheLastBar();
    void countsOtherThan120();
};

void TestFrequencyGraph::strokesInOrder()
{
    const RecordingSurface surface = drawn(std::vector<int>(120, 3));

    // Run lengths of the kinds, in drawing order: the grid, its texts, the bars, the axis row.
    QStringList runs;
    for (qsizetype i = 0; i < surface.strokes.size();) {
        qsizetype end = i;
        while (end < surface.strokes.size() && surface.strokes[end].kind == surface.strokes[i].kind)
            ++end;
        runs << kindName(surface.strokes[i]) + QString::number(end - i);
        i = end;
    }
    const int lines = 1 + 12 + 1 + 27 + 25 * 59 + 5; // axis, ticks, axis, ticks, dots, solid grid
    QCOMPARE(runs, (QStringList{QStringLiteral("line%1").arg(lines), QStringLiteral("text7"), QStringLiteral("box120"),
                                QStringLiteral("text2")}));
    for (const Stroke &stroke : surface.ofKind(RecordingSurface::Line))
        QCOMPARE(stroke.colour, black);
    for (const Stroke &stroke : surface.ofKind(RecordingSurface::Box))
        QCOMPARE(stroke.colour, lightBlue);

    // A second drawing lands on the first, stroke for stroke, and nothing clears in between.
    RecordingSurface twice(lineHeight);
    drawFrequencyGraph(twice, std::vector<int>(120, 3));
    drawFrequencyGraph(twice, std::vector<int>(120, 3));
    QVERIFY(twice.ofKind(RecordingSurface::Clear).isEmpty());
    QCOMPARE(twice.strokes.size(), 2 * surface.strokes.size());
    for (qsizetype i = 0; i < surface.strokes.size(); ++i)
        QCOMPARE(describe(twice.strokes[i + surface.strokes.size()]), describe(surface.strokes[i]));
}

void TestFrequencyGraph::lineGroups_data()
{
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("count");
    QTest::addColumn<QLineF>("firstLine");
    QTest::addColumn<QPointF>("step");
    QTest::addColumn<QLineF>("lastLine");

    QTest::newRow("horizontal axis") << 0 << 1 << QLineF(3, 280, 127, 280) << QPointF() << QLineF(3, 280, 127, 280);
    QTest::newRow("12 ticks, 2 above and 5 below the axis")
        << 1 << 12 << QLineF(10, 278, 10, 285) << QPointF(10, 0) << QLineF(120, 278, 120, 285);
    QTest::newRow("vertical axis") << 13 << 1 << QLineF(3, 280, 3, 10) << QPointF() << QLineF(3, 280, 3, 10);
    QTest::newRow("27 ticks from the bottom up")
        << 14 << 27 << QLineF(2, 280, 4, 280) << QPointF(0, -10) << QLineF(2, 20, 4, 20);
    QTest::newRow("5 solid grid lines from the bottom up, after the dots")
        << 1516 << 5 << QLineF(11, 230, 127, 230) << QPointF(0, -50) << QLineF(11, 30, 127, 30);
}

void TestFrequencyGraph::lineGroups()
{
    QFETCH(int, first);
    QFETCH(int, count);
    QFETCH(QLineF, firstLine);
    QFETCH(QPointF, step);
    QFETCH(QLineF, lastLine);
    const RecordingSurface surface = drawn(rising());
    for (int k = 0; k < count; ++k) {
        const Stroke &stroke = surface.strokes.at(first + k);
        QCOMPARE(stroke.kind, RecordingSurface::Line);
        QCOMPARE(lineOf(stroke), firstLine.translated(step * k));
    }
    QCOMPARE(lineOf(surface.strokes.at(first + count - 1)), lastLine);
}

void TestFrequencyGraph::dottedGridIsEven()
{
    const RecordingSurface surface = drawn(rising());
    const QList<Stroke> dots = surface.strokes.mid(41, 25 * 59);
    QList<double> rows;
    for (qsizetype i = 0; i < dots.size(); ++i) {
        const QLineF dash = lineOf(dots[i]);
        QCOMPARE(dash.dy(), 0.0);
        QCOMPARE(dash.dx(), 1.0); // one unit long
        if (i % 59 == 0) {
            QCOMPARE(dash.x1(), 11.0);
            rows << dash.y1();
        } else {
            QCOMPARE(dash.y1(), rows.constLast());
            QCOMPARE(dash.x1() - dots[i - 1].to.x(), 1.0); // a gap of one unit
        }
        if (i % 59 == 58)
            QCOMPARE(dash.x2(), 128.0);
    }
    QList<double> expectedRows;
    for (int y = 270; y >= 30; y -= 10)
        expectedRows << y;
    QCOMPARE(rows, expectedRows);
}

void TestFrequencyGraph::textsAtTheirPlaces_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QPointF>("topLeft");

    QTest::newRow("vertical axis caption") << 0 << QStringLiteral("（縦軸は実験回数）") << QPointF(5, 7);
    QTest::newRow("horizontal axis caption") << 1 << QStringLiteral("（横軸は不足枚数）") << QPointF(105, 7);
    QTest::newRow("250, 3 units over its line") << 2 << QStringLiteral("250") << QPointF(5, 27);
    QTest::newRow("200") << 3 << QStringLiteral("200") << QPointF(5, 77);
    QTest::newRow("150") << 4 << QStringLiteral("150") << QPointF(5, 127);
    QTest::newRow("100") << 5 << QStringLiteral("100") << QPointF(5, 177);
    QTest::newRow("50") << 6 << QStringLiteral("50") << QPointF(5, 227);
    QTest::newRow("empty line from the axis") << 7 << QString() << QPointF(0, 280);
    QTest::newRow("axis numbers, one line below the axis")
        << 8
        << QStringLiteral("        -110    -100     -90      -80      -70      -60     -50      -40      -30      -20"
                          "      -10       0")
        << QPointF(0, 280 + lineHeight);
}

void TestFrequencyGraph::textsAtTheirPlaces()
{
    QFETCH(int, index);
    QFETCH(QString, text);
    QFETCH(QPointF, topLeft);
    const QList<Stroke> texts = drawn(rising()).ofKind(RecordingSurface::Text);
    QCOMPARE(texts.size(), 9);
    QCOMPARE(texts.at(index).text, text);
    QCOMPARE(texts.at(index).from, topLeft);
}

void TestFrequencyGraph::axisNumberRowBlanks()
{
    const QString row = drawn(rising()).strokes.constLast().text;
    QCOMPARE(row.size(), 107);
    static const QRegularExpression numberAfterBlanks(QStringLiteral("( +)(-?[0-9]+)"));
    QList<int> blanks, numbers;
    for (const QRegularExpressionMatch &match : numberAfterBlanks.globalMatch(row)) {
        blanks << int(match.capturedLength(1));
        numbers << match.captured(2).toInt();
    }
    QCOMPARE(blanks, (QList<int>{8, 4, 5, 6, 6, 6, 5, 6, 6, 6, 6, 7}));
    QCOMPARE(numbers, (QList<int>{-110, -100, -90, -80, -70, -60, -50, -40, -30, -20, -10, 0}));
}

void TestFrequencyGraph::barsOfBins_data()
{
    QTest::addColumn<int>("bin");
    QTest::addColumn<double>("left");

    QTest::newRow("below -114 (lower end bin)") << 1 << 5.0;
    QTest::newRow("-114") << 2 << 6.0;
    QTest::newRow("-110, on the first tick") << 6 << 10.0;
    QTest::newRow("-10") << 106 << 110.0;
    QTest::newRow("0, on the last tick") << 116 << 120.0;
    QTest::newRow("1") << 117 << 121.0;
    QTest::newRow("above 3 (upper end bin)") << 120 << 124.0;
}

void TestFrequencyGraph::barsOfBins()
{
    QFETCH(int, bin);
    QFETCH(double, left);
    const QList<Stroke> boxes = drawn(rising()).ofKind(RecordingSurface::Box);
    QCOMPARE(boxes.size(), 120);
    const Stroke &bar = boxes.at(bin - 1);
    QCOMPARE(bar.from, QPointF(left, 280));
    QCOMPARE(bar.to, QPointF(left + 1, 280 - bin)); // bin i holds i
    if (bin < 120)
        QCOMPARE(boxes.at(bin).from.x(), bar.to.x()); // neighbours touch
}

void TestFrequencyGraph::barHeights_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<double>("top");

    QTest::newRow("0: a box of height 0 on the axis") << 0 << 280.0;
    QTest::newRow("1") << 1 << 279.0;
    QTest::newRow("50: the lowest solid line") << 50 << 230.0;
    QTest::newRow("250: the top grid line") << 250 << 30.0;
    QTest::newRow("280: the top edge") << 280 << 0.0;
    QTest::newRow("1000: past the edge, not rescaled") << 1000 << -720.0;
}

void TestFrequencyGraph::barHeights()
{
    QFETCH(int, count);
    QFETCH(double, top);
    std::vector<int> counts(120, 0);
    counts[115] = count; // balance 0
    counts[105] = 7;
    const QList<Stroke> boxes = drawn(counts).ofKind(RecordingSurface::Box);
    QCOMPARE(boxes.at(115).to.y(), top);
    QCOMPARE(boxes.at(115).from.y(), 280.0);
    QCOMPARE(boxes.at(105).to.y(), 273.0); // nothing else changes
}

void TestFrequencyGraph::axisRowBelowTheAxisWhateverTheLastBar()
{
    // No run fills the upper end bin, but the routine does not know that.
    std::vector<int> counts(120, 0);
    counts.back() = 40;
    const QList<Stroke> texts = drawn(counts).ofKind(RecordingSurface::Text);
    QCOMPARE(texts.at(7).from, QPointF(0, 280));
    QCOMPARE(texts.at(8).from, QPointF(0, 280 + lineHeight));
}

void TestFrequencyGraph::countsOtherThan120()
{
    const QList<Stroke> few = drawn({9}).ofKind(RecordingSurface::Box);
    QCOMPARE(few.size(), 120);
    QCOMPARE(few.at(0).to.y(), 271.0);
    QCOMPARE(few.at(1).to.y(), 280.0);
    QCOMPARE(few.at(119).to.y(), 280.0);

    const QList<Stroke> many = drawn(std::vector<int>(130, 1)).ofKind(RecordingSurface::Box);
    QCOMPARE(many.size(), 120);
    QCOMPARE(many.constLast().from.x(), 124.0);
}

QTEST_GUILESS_MAIN(TestFrequencyGraph)
#include "tst_frequencygraph.moc"
