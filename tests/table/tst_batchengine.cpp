#include "batchengine.h"
#include "meanformatter.h"
#include "pseudorandom.h"
#include "scriptedrandom.h"

#include <QTest>

#include <cmath>
#include <numeric>
#include <vector>

namespace {

// Exact law of the lowest balance of an N-toss walk (the start not counted), by reflection:
// P(min = -j) = P(S = j) + P(S = j + 1) for j >= 1, P(min = 1) = C(2m, m) / 4^m / 2 with
// m = N div 2, and P(min = 0) the rest. Index: lowest balance + N.
std::vector<long double> exactLaw(int n)
{
    const auto pSum = [n](int k) -> long double { // P(S_N = k)
        if ((n + k) % 2 != 0 || k > n || k < -n)
            return 0.0L;
        const int heads = (n + k) / 2;
        return std::exp(std::lgamma(n + 1.0L) - std::lgamma(heads + 1.0L) - std::lgamma(n - heads + 1.0L)
                        - n * std::log(2.0L));
    };
    std::vector<long double> law(static_cast<std::size_t>(2 * n + 2), 0.0L);
    long double rest = 1.0L;
    for (int j = 1; j <= n; ++j) {
        law[static_cast<std::size_t>(n - j)] = pSum(j) + pSum(j + 1);
        rest -= law[static_cast<std::size_t>(n - j)];
    }
    const int m = n / 2;
    const long double stayAbove = 0.5L * std::exp(std::lgamma(2 * m + 1.0L) - 2 * std::lgamma(m + 1.0L)
                                                  - 2 * m * std::log(2.0L));
    law[static_cast<std::size_t>(n + 1)] = stayAbove;
    law[static_cast<std::size_t>(n)] = rest - stayAbove;
    return law;
}

// Upper 0.1 % point of chi-squared (Wilson-Hilferty).
double chiSquaredCritical(int df)
{
    const double z = 3.0902;
    const double a = 2.0 / (9.0 * df);
    return df * std::pow(1.0 - a + z * std::sqrt(a), 3.0);
}

} // namespace

class TestBatchEngine : public QObject
{
    Q_OBJECT

private slots:
    void binEdges_data();
    void binEdges();
    void halfIsTails();
    void allHeadsAndAllTails();
    void reseedsBeforeEveryExperiment();
    void countsAddUpAndHighBinsStayEmpty_data();
    void countsAddUpAndHighBinsStayEmpty();
    void matchesExactLaw_data();
    void matchesExactLaw();
    void meanFormat_data();
    void meanFormat();
};

void TestBatchEngine::binEdges_data()
{
    QTest::addColumn<int>("lowestBin");
    QTest::addColumn<int>("lowestBalance");
    QTest::addColumn<int>("bin");
    QTest::newRow("table: -58 below the range") << -57 << -58 << 1;
    QTest::newRow("table: -1000 below the range") << -57 << -1000 << 1;
    QTest::newRow("table: -57 first single value") << -57 << -57 << 2;
    QTest::newRow("table: 0") << -57 << 0 << 59;
    QTest::newRow("table: 1") << -57 << 1 << 60;
    QTest::newRow("table: 3 last single value") << -57 << 3 << 62;
    QTest::newRow("table: 4 above the range") << -57 << 4 << 63;
    QTest::newRow("graph: -115 below the range") << -114 << -115 << 1;
    QTest::newRow("graph: -114 first single value") << -114 << -114 << 2;
    QTest::newRow("graph: -110") << -114 << -110 << 6;
    QTest::newRow("graph: 3 last single value") << -114 << 3 << 119;
    QTest::newRow("graph: 4 above the range") << -114 << 4 << 120;
}

void TestBatchEngine::binEdges()
{
    QFETCH(int, lowestBin);
    QFETCH(int, lowestBalance);
    QFETCH(int, bin);
    QCOMPARE(binOf(lowestBalance, lowestBin), bin);
    QCOMPARE(binCountFor(-57), 63);
    QCOMPARE(binCountFor(-114), 120);
}

void TestBatchEngine::halfIsTails()
{
    // 0.5 is tails: ten tails in a row end at -10.
    ScriptedRandom random({0.5f});
    FixedClock clock;
    const BatchResult result = runBatch(10, 1, -57, random, clock);
    QCOMPARE(result.counts[static_cast<std::size_t>(binOf(-10, -57) - 1)], 1);
    QCOMPARE(result.mean, -10.0f);
}

void TestBatchEngine::allHeadsAndAllTails()
{
    FixedClock clock;
    ScriptedRandom heads({0.0f, 0.4999f});
    const BatchResult up = runBatch(1000, 3, -114, heads, clock);
    QCOMPARE(up.counts[static_cast<std::size_t>(binOf(1, -114) - 1)], 3); // never back to zero: lowest is 1
    QCOMPARE(up.mean, 1.0f);

    ScriptedRandom tails({0.99999994f});
    const BatchResult down = runBatch(1000, 10000, -57, tails, clock);
    QCOMPARE(down.counts[0], 10000); // -1000, far below the table
    QCOMPARE(down.mean, -1000.0f);   // the sum -10 000 000 needs all 32 bits' room

    // Heads, tails, tails then heads: the walk 1, 0, -1, 0, ... bottoms out at -1.
    ScriptedRandom zigzag({0.1f, 0.7f, 0.7f, 0.1f});
    const BatchResult low = runBatch(12, 1, -57, zigzag, clock);
    QCOMPARE(low.counts[static_cast<std::size_t>(binOf(-1, -57) - 1)], 1);
}

void TestBatchEngine::reseedsBeforeEveryExperiment()
{
    ScriptedRandom random({0.3f, 0.8f});
    FixedClock clock(45296.75);
    runBatch(20, 7, -57, random, clock);
    QCOMPARE(random.reseeds().size(), std::size_t(7));
    QCOMPARE(random.reseeds().front(), 45296.75f);
    QCOMPARE(random.drawn(), std::size_t(140));
}

void TestBatchEngine::countsAddUpAndHighBinsStayEmpty_data()
{
    QTest::addColumn<int>("guests");
    QTest::addColumn<int>("experiments");
    QTest::addColumn<int>("lowestBin");
    QTest::newRow("table smallest") << 10 << 1 << -57;
    QTest::newRow("table largest") << 1000 << 10000 << -57;
    QTest::newRow("graph largest") << 1000 << 1000 << -114;
    QTest::newRow("graph 10 guests") << 10 << 1000 << -114;
}

void TestBatchEngine::countsAddUpAndHighBinsStayEmpty()
{
    QFETCH(int, guests);
    QFETCH(int, experiments);
    QFETCH(int, lowestBin);
    PseudoRandom random(2024);
    FixedClock clock;
    const BatchResult result = runBatch(guests, experiments, lowestBin, random, clock);
    QCOMPARE(int(result.counts.size()), binCountFor(lowestBin));
    QCOMPARE(std::accumulate(result.counts.begin(), result.counts.end(), 0), experiments);
    for (int value : {2, 3, 4})
        QCOMPARE(result.counts[static_cast<std::size_t>(binOf(value, lowestBin) - 1)], 0);
    // A walk of N tosses cannot fall below -N.
    for (int bin = 1; bin <= binCountFor(lowestBin); ++bin) {
        const int value = bin + lowestBin - 2;
        if (bin > 1 && value < -guests)
            QCOMPARE(result.counts[static_cast<std::size_t>(bin - 1)], 0);
    }
    QVERIFY(result.mean <= 1.0f && result.mean >= -guests);
}

void TestBatchEngine::matchesExactLaw_data()
{
    QTest::addColumn<int>("guests");
    QTest::addColumn<double>("exactMean");
    QTest::newRow("N = 10") << 10 << -1.9609;
    QTest::newRow("N = 35") << 35 << 0.0; // no published figure: checked against the law only
    QTest::newRow("N = 100") << 100 << -7.4589;
    QTest::newRow("N = 1000") << 1000 << -24.7250;
}

void TestBatchEngine::matchesExactLaw()
{
    QFETCH(int, guests);
    QFETCH(double, exactMean);
    const int experiments = 20000;
    const auto law = exactLaw(guests);

    long double mean = 0, square = 0, total = 0;
    for (int v = -guests; v <= 1; ++v) {
        const long double p = law[static_cast<std::size_t>(v + guests)];
        QVERIFY(p >= 0);
        total += p;
        mean += p * v;
        square += p * v * v;
    }
    QVERIFY(std::fabs(static_cast<double>(total) - 1.0) < 1e-12);
    if (exactMean != 0.0)
        QVERIFY2(std::fabs(static_cast<double>(mean) - exactMean) < 5e-5, qPrintable(QString::number(double(mean))));

    // One bin per possible lowest balance, so the engine's tally is the raw histogram.
    PseudoRandom random(777);
    FixedClock clock; // every experiment reseeded with the same value: mixing must keep them apart
    const int lowestBin = -guests;
    const BatchResult result = runBatch(guests, experiments, lowestBin, random, clock);

    // Chi-squared over cells of expected count >= 5, the tails pooled.
    double chi = 0;
    int cells = 0;
    double pooledExpected = 0, pooledObserved = 0;
    for (int v = -guests; v <= 1; ++v) {
        const double expected = experiments * static_cast<double>(law[static_cast<std::size_t>(v + guests)]);
        const double observed = result.counts[static_cast<std::size_t>(binOf(v, lowestBin) - 1)];
        pooledExpected += expected;
        pooledObserved += observed;
        if (pooledExpected >= 5) {
            chi += (pooledObserved - pooledExpected) * (pooledObserved - pooledExpected) / pooledExpected;
            ++cells;
            pooledExpected = pooledObserved = 0;
        }
    }
    if (pooledExpected > 0)
        chi += (pooledObserved - pooledExpected) * (pooledObserved - pooledExpected) / std::max(pooledExpected, 1e-9);
    QVERIFY2(chi < chiSquaredCritical(cells - 1),
             qPrintable(QStringLiteral("chi2 %1 over %2 cells").arg(chi).arg(cells)));

    const double standardError = std::sqrt(static_cast<double>(square - mean * mean) / experiments);
    QVERIFY2(std::fabs(result.mean - static_cast<double>(mean)) < 4 * standardError,
             qPrintable(QStringLiteral("mean %1, exact %2").arg(result.mean).arg(double(mean))));
}

void TestBatchEngine::meanFormat_data()
{
    QTest::addColumn<float>("mean");
    QTest::addColumn<QString>("text");
    QTest::newRow("-7.94") << -7.94f << "-7.9";
    QTest::newRow("2") << 2.0f << "2.0";
    QTest::newRow("-0.5") << -0.5f << "-.5";
    QTest::newRow("0") << 0.0f << ".0";
    QTest::newRow("-0.3") << -0.3f << "-.3";
    QTest::newRow("1") << 1.0f << "1.0";
    QTest::newRow("-3") << -3.0f << "-3.0";
    QTest::newRow("-7.95 rounds away from zero") << -7.95f << "-8.0";
    QTest::newRow("0.05 rounds up") << 0.05f << ".1";
    QTest::newRow("-0.04 shows no minus on zero") << -0.04f << ".0";
    QTest::newRow("-9.96 carries") << -9.96f << "-10.0";
    QTest::newRow("-1000") << -1000.0f << "-1000.0";
    QTest::newRow("-24.725") << -24.725f << "-24.7";
    QTest::newRow("-1.96") << -1.9609f << "-2.0";
}

void TestBatchEngine::meanFormat()
{
    QFETCH(float, mean);
    QFETCH(QString, text);
    QCOMPARE(QString::fromStdString(formatMean(mean)), text);
}

QTEST_GUILESS_MAIN(TestBatchEngine)
#include "tst_batchengine.moc"
