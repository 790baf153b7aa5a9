#include "form1.h"
#include "form2.h"
#include "frequencygraph.h"
#include "picturebox.h"
#include "testseams.h"

#include <QFontInfo>
#include <QSet>
#include <QTest>

using Taluno3::Form1;

namespace {

const QColor black(0, 0, 0);
const QColor lightBlue(0, 0, 255);

// Bins by the lowest balance they count, as the tests think of them.
constexpr int binOfBalance(int balance)
{
    return balance + 116;
}

// The colour in the middle of layout pixel (x, y) of the drawing, whatever the screen's scale.
QColor at(const QImage &image, int x, int y)
{
    const qreal ratio = image.devicePixelRatio();
    return image.pixelColor(int((x + 0.5) * ratio), int((y + 0.5) * ratio));
}

std::vector<int> someCounts()
{
    std::vector<int> counts(120, 0);
    counts[binOfBalance(-110) - 1] = 100;
    counts[binOfBalance(0) - 1] = 250;
    counts[binOfBalance(1) - 1] = 1;
    counts[0] = 30; // below -114
    return counts;
}

bool hasInk(const QImage &image, const QRect &layoutArea)
{
    for (int y = layoutArea.top(); y <= layoutArea.bottom(); ++y) {
        for (int x = layoutArea.left(); x <= layoutArea.right(); ++x) {
            if (qGray(at(image, x, y).rgb()) < 128)
                return true;
        }
    }
    return false;
}

} // namespace

// The graph as it lands in the pixels of Taluno3's Picture1: 533 by 381 layout pixels inside its
// border, so a graph unit is 4.1 pixels across and 1.27 down. Run at scale 1 and at scale 2.
class TestGraphPicture : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { setUpTalunoTest(); }
    void cleanup();
    void surfaceOfTheWindow();
    void pixels_data();
    void pixels();
    void onlyTheGraphsColoursWhereNoTextIs();
    void textsInTheWindowsFont();
    void axisNumbersUnderTheirTicks_data();
    void axisNumbersUnderTheirTicks();
    void tallBarCutAtTheEdge();
    void twoDrawingsOverlay();
    void clearEmptiesTheSurface();
    void drawingSurvivesRepainting();
    void fullHelpPageFits();
};

void TestGraphPicture::cleanup()
{
    for (QWidget *widget : QApplication::topLevelWidgets())
        widget->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(visibleTopLevels(), 0);
}

void TestGraphPicture::surfaceOfTheWindow()
{
    TestSeams test;
    Form1 form(test.seams);
    QCOMPARE(form.Picture1->geometry(), QRect(8, 40, 537, 385));
    QCOMPARE(form.Picture1->contentsRect(), QRect(2, 2, 533, 381));
    QCOMPARE(form.Picture1->frameShadow(), QFrame::Sunken);
    QCOMPARE(form.Picture1->background(), form.palette().color(QPalette::Button));
    const QImage image = form.Picture1->image();
    QCOMPARE(image.size(), QSize(533, 381) * image.devicePixelRatio());
    QCOMPARE(image.devicePixelRatio(), form.devicePixelRatioF());
    QCOMPARE(at(image, 266, 190), form.Picture1->background());
}

void TestGraphPicture::pixels_data()
{
    QTest::addColumn<QPoint>("pixel");
    QTest::addColumn<QColor>("colour");
    const QColor background = QApplication::palette().color(QPalette::Button);

    QTest::newRow("bar of -110: left edge on the tick at x 10") << QPoint(41, 300) << lightBlue;
    QTest::newRow("bar of -110: none beyond") << QPoint(45, 300) << background;
    QTest::newRow("bar of -110: none before") << QPoint(40, 300) << background;
    QTest::newRow("bar of -110: top at count 100") << QPoint(42, 228) << lightBlue;
    QTest::newRow("bar of -110: nothing over its top") << QPoint(42, 227) << background;
    QTest::newRow("bar of 0: from the tick at x 120") << QPoint(492, 200) << lightBlue;
    QTest::newRow("bar of 0: 250 reaches the top grid line") << QPoint(493, 38) << lightBlue;
    QTest::newRow("bar of 0: not above it") << QPoint(493, 37) << background;
    QTest::newRow("bar of 1: one experiment, one row") << QPoint(497, 354) << lightBlue;
    QTest::newRow("bar of 1: no more") << QPoint(497, 353) << background;
    QTest::newRow("lower end bin at x 5") << QPoint(21, 330) << lightBlue;
    QTest::newRow("axis under a bar stays black") << QPoint(42, 355) << black;
    QTest::newRow("axis where no bar is") << QPoint(300, 355) << black;
    QTest::newRow("axis: none past x 127") << QPoint(522, 355) << background;
    QTest::newRow("tick at x 10, below the axis") << QPoint(41, 361) << black;
    QTest::newRow("tick at x 10: 5 units below") << QPoint(41, 362) << background;
    QTest::newRow("tick at x 60, above the axis") << QPoint(246, 353) << black;
    QTest::newRow("vertical axis") << QPoint(12, 200) << black;
    QTest::newRow("vertical axis: one pixel wide") << QPoint(13, 200) << background;
    QTest::newRow("vertical axis: none above") << QPoint(12, 11) << background;
    QTest::newRow("vertical tick at count 80") << QPoint(8, 254) << black;
    QTest::newRow("vertical tick: no wider") << QPoint(17, 254) << background;
    QTest::newRow("dash at x 11 of the lowest dotted row") << QPoint(45, 342) << black;
    QTest::newRow("gap from x 12 to 13") << QPoint(51, 342) << background;
    QTest::newRow("next dash at x 13") << QPoint(53, 342) << black;
    QTest::newRow("solid grid line of 50") << QPoint(300, 292) << black;
    QTest::newRow("grid covered by a bar") << QPoint(43, 292) << lightBlue;
}

void TestGraphPicture::pixels()
{
    QFETCH(QPoint, pixel);
    QFETCH(QColor, colour);
    TestSeams test;
    Form1 form(test.seams);
    drawFrequencyGraph(*form.Picture1, someCounts());
    QCOMPARE(at(form.Picture1->image(), pixel.x(), pixel.y()), colour);
}

void TestGraphPicture::onlyTheGraphsColoursWhereNoTextIs()
{
    TestSeams test;
    Form1 form(test.seams);
    drawFrequencyGraph(*form.Picture1, someCounts());
    const QImage image = form.Picture1->image();
    const qreal ratio = image.devicePixelRatio();
    // Every device pixel, not only one per layout pixel: a blended edge would show here.
    const QRect area(QPointF(45 * ratio, 45 * ratio).toPoint(), QPointF(532 * ratio, 364 * ratio).toPoint());
    QSet<QRgb> colours;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x)
            colours.insert(image.pixel(x, y));
    }
    QCOMPARE(colours, (QSet<QRgb>{black.rgb(), lightBlue.rgb(), form.Picture1->background().rgb()}));
}

void TestGraphPicture::textsInTheWindowsFont()
{
    TestSeams test;
    Form1 form(test.seams);
    QCOMPARE(QFontInfo(form.Picture1->font()).family(), QFontInfo(form.font()).family());
    QCOMPARE(QFontInfo(form.Picture1->font()).pixelSize(), QFontInfo(form.font()).pixelSize());
    const int em = QFontInfo(form.Picture1->font()).pixelSize();
    QCOMPARE(em, 12);
    drawFrequencyGraph(*form.Picture1, someCounts());
    const QImage image = form.Picture1->image();

    QVERIFY(hasInk(image, QRect(20, 34, 26, em)));   // "250" at (5, 27)
    QVERIFY(hasInk(image, QRect(20, 288, 20, em)));  // "50" at (5, 227)
    QVERIFY(hasInk(image, QRect(430, 8, 100, em)));  // "（横軸は不足枚数）" at (105, 7)
    QVERIFY(!hasInk(image, QRect(20, 22, 26, 8)));   // nothing between the caption and "250"

    // The empty line and the axis row each take one em below the axis, and the row fits.
    QCOMPARE(form.Picture1->textPosition().x(), 0.0);
    QCOMPARE(form.Picture1->textPosition().y(), 280 + 2 * em * graphHeight / 381);
    QVERIFY(hasInk(image, QRect(30, 368, 500, em)));
    QVERIFY(!hasInk(image, QRect(30, 362, 500, 5)));
}

void TestGraphPicture::axisNumbersUnderTheirTicks_data()
{
    QTest::addColumn<QString>("family");
    QTest::newRow("the window's font") << QString();
    QTest::newRow("the second substitute, Noto Sans CJK JP") << QStringLiteral("Noto Sans CJK JP");
}

void TestGraphPicture::axisNumbersUnderTheirTicks()
{
    QFETCH(QString, family);
    TestSeams test;
    Form1 form(test.seams);
    if (!family.isEmpty()) {
        QFont font = form.font();
        font.setFamily(family);
        if (QFontInfo(font).family() != family)
            QSKIP("font not installed");
        form.Picture1->setFont(graphFont(font, 533 / graphWidth));
    }
    drawFrequencyGraph(*form.Picture1, {});
    const QImage image = form.Picture1->image();

    // Ink of the axis row by columns; a gap of 6 pixels or more parts two numbers.
    QList<QPair<int, int>> numbers;
    int gap = 1000;
    for (int x = 0; x < 533; ++x) {
        if (!hasInk(image, QRect(x, 366, 1, 15))) {
            ++gap;
            continue;
        }
        if (gap >= 6)
            numbers.append({x, x});
        numbers.last().second = x;
        gap = 0;
    }
    QCOMPARE(numbers.size(), 12);
    for (int k = 0; k < 12; ++k) {
        const double middle = (numbers[k].first + numbers[k].second) / 2.0;
        const double tick = (10 + 10 * k) * 533.0 / 130;
        QVERIFY2(std::abs(middle - tick) <= 5,
                 qPrintable(QStringLiteral("number %1 centred at %2, its tick at %3").arg(k + 1).arg(middle).arg(tick)));
    }
}

void TestGraphPicture::tallBarCutAtTheEdge()
{
    TestSeams test;
    Form1 form(test.seams);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    const QImage before = form.grab().toImage();

    std::vector<int> counts(120, 0);
    counts[binOfBalance(-110) - 1] = 1000;
    drawFrequencyGraph(*form.Picture1, counts);
    // Strokes far beyond every edge, and beyond any int once in pixels.
    form.Picture1->line(-500, 150, 700, 150, lightBlue);
    form.Picture1->line(60, -1e12, 60, 1e12, lightBlue);
    form.Picture1->box(-1e300, 320, 1e300, 1e300, lightBlue);
    form.Picture1->box(std::nan(""), 0, 10, 10, lightBlue);

    const QImage picture = form.Picture1->image();
    QCOMPARE(at(picture, 42, 0), lightBlue);
    QCOMPARE(at(picture, 42, 10), lightBlue);
    QCOMPARE(at(picture, 0, 190), lightBlue);   // the long line, cut at both ends
    QCOMPARE(at(picture, 532, 190), lightBlue);

    const QImage after = form.grab().toImage();
    QCOMPARE(after.size(), before.size());
    const qreal ratio = after.devicePixelRatio();
    const QRect inner = QRectF(QPointF(10, 42) * ratio, QSizeF(533, 381) * ratio).toRect();
    QCOMPARE(at(after, 10 + 42, 42 + 300), lightBlue);
    int changedOutside = 0;
    for (int y = 0; y < after.height(); ++y) {
        for (int x = 0; x < after.width(); ++x) {
            if (!inner.contains(x, y) && after.pixel(x, y) != before.pixel(x, y))
                ++changedOutside;
        }
    }
    QCOMPARE(changedOutside, 0);
}

void TestGraphPicture::twoDrawingsOverlay()
{
    TestSeams test;
    Form1 form(test.seams);
    std::vector<int> first(120, 0), second(120, 0);
    first[binOfBalance(-20) - 1] = 100;
    first[binOfBalance(-19) - 1] = 20;
    second[binOfBalance(-20) - 1] = 20;
    second[binOfBalance(-19) - 1] = 100;
    drawFrequencyGraph(*form.Picture1, first);
    const QPointF position = form.Picture1->textPosition();
    drawFrequencyGraph(*form.Picture1, second);

    // Each bin shows the taller of its bars: x 100 and x 101 both reach count 100 (row 228).
    // The second grid crosses the older bar, so row 229 tells, under the dotted row at 180.
    const QImage image = form.Picture1->image();
    for (int x : {410, 413, 414, 417}) {
        QCOMPARE(at(image, x, 229), lightBlue);
        QCOMPARE(at(image, x, 227), form.Picture1->background());
    }
    QCOMPARE(form.Picture1->textPosition(), position);
}

void TestGraphPicture::clearEmptiesTheSurface()
{
    TestSeams test;
    Form1 form(test.seams);
    const QImage empty = form.Picture1->image();
    drawFrequencyGraph(*form.Picture1, someCounts());
    QVERIFY(form.Picture1->image() != empty);
    form.Picture1->clear();
    QCOMPARE(form.Picture1->image(), empty);
    QCOMPARE(form.Picture1->textPosition(), QPointF(0, 0));
}

void TestGraphPicture::drawingSurvivesRepainting()
{
    TestSeams test;
    Form1 form(test.seams);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    drawFrequencyGraph(*form.Picture1, someCounts());
    form.hide();
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    form.repaint();
    const QImage shown = form.Picture1->grab(form.Picture1->contentsRect()).toImage();
    QCOMPARE(shown.size(), form.Picture1->image().size());
    QCOMPARE(at(shown, 42, 300), lightBlue);
    QCOMPARE(at(shown, 300, 355), black);
}

void TestGraphPicture::fullHelpPageFits()
{
    // Taluno3's help is the longest page: 29 lines of 15 pixels on a surface 453 pixels high.
    Form2 help(3);
    help.show();
    QVERIFY(QTest::qWaitForWindowActive(&help));
    QCOMPARE(help.Picture1->textPosition().y(), 29 * 15 * 6795.0 / 453);
    QVERIFY(hasInk(help.Picture1->image(), QRect(0, 28 * 15, 597, 15)));
}

QTEST_MAIN(TestGraphPicture)
#include "tst_graphpicture.moc"
