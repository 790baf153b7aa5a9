#include "core/batchengine.h"
#include "core/lesson.h"
#include "core/meanformatter.h"
#include "core/pseudorandom.h"
#include "scriptedrandom.h"

#include <QTest>

#include <cmath>

// The batch run: its bins, its walks, its statistics against the exact law, and its mean as shown.
class TestBatchEngine : public QObject
{
    Q_OBJECT

private slots:
    void binOfLowestBalance_data()
    {
        QTest::addColumn<int>("lowestBin");
        QTest::addColumn<int>("lowestBalance");
        QTest::addColumn<int>("bin");
        QTest::newRow("table: -58 below the range") << -57 << -58 << 1;
        QTest::newRow("table: -57 first single value") << -57 << -57 << 2;
        QTest::newRow("table: 3 last single value") << -57 << 3 << 62;
        QTest::newRow("table: 4 above the range") << -57 << 4 << 63;
        QTest::newRow("graph: -115 below the range") << -114 << -115 << 1;
        QTest::newRow("graph: 4 above the range") << -114 << 4 << 120;
    }

    void binOfLowestBalance()
    {
        QFETCH(int, lowestBin);
        QFETCH(int, lowestBalance);
        QFETCH(int, bin);
        QCOMPARE(binOf(lowestBalance, lowestBin), bin);
    }

    void scriptedWalks_data()
    {
        QTest::addColumn<std::vector<float>>("draws");
        QTest::addColumn<int>("guests");
        QTest::addColumn<std::vector<int>>("lowests"); // of the two experiments
        QTest::newRow("0.5 is tails: ten tails end at -10") << std::vector<float>{0.5f} << 10 << std::vector<int>{-10, -10};
        QTest::newRow("all heads never come back: lowest is 1") << std::vector<float>{0.0f, 0.4999f} << 1000 << std::vector<int>{1, 1};
        QTest::newRow("all tails, far below the table") << std::vector<float>{0.99999994f} << 1000 << std::vector<int>{-1000, -1000};
        QTest::newRow("heads, tails, tails, heads bottoms out at -1") << std::vector<float>{0.1f, 0.7f, 0.7f, 0.1f} << 12 << std::vector<int>{-1, -1};
        QTest::newRow("tails twice, then heads twice: -2 and 1") << std::vector<float>{0.9f, 0.9f, 0.1f, 0.1f} << 2 << std::vector<int>{-2, 1};
    }

    void scriptedWalks()
    {
        QFETCH(std::vector<float>, draws);
        QFETCH(int, guests);
        QFETCH(std::vector<int>, lowests);
        ScriptedRandom random(draws);
        FixedClock clock;
        clock.seconds = 45296.75;
        const BatchResult result = runBatch(guests, 2, -57, random, clock);
        std::vector<int> counts(63, 0);
        for (const int lowest : lowests)
            ++counts[std::size_t(binOf(lowest, -57) - 1)];
        QCOMPARE(result.counts, counts);
        QCOMPARE(result.mean, (lowests[0] + lowests[1]) / 2.0f);
        // Every experiment reseeds from the clock, then draws one value a guest.
        QCOMPARE(random.reseeds, std::vector<float>(2, 45296.75f));
        QCOMPARE(random.drawn, std::size_t(2 * guests));
    }

    void matchesExactLaw_data()
    {
        QTest::addColumn<int>("guests");
        for (const int guests : {10, 100, 1000})
            QTest::addRow("N = %d", guests) << guests;
    }

    // 20000 experiments, each bin a lowest balance, against the law: chi-squared over cells of expected count 5
    // or more (the tails pooled) below its upper 0.1 % point (Wilson-Hilferty), the mean within four standard
    // errors. The clock stands still: mixing the same value into every reseed must keep the experiments apart.
    void matchesExactLaw()
    {
        QFETCH(int, guests);
        const int experiments = 20000;
        PseudoRandom random(777);
        FixedClock clock;
        const BatchResult result = runBatch(guests, experiments, -guests, random, clock);
        const std::vector<long double> law = lowestBalanceLaw(guests);
        double chi = 0, expected = 0, observed = 0, mean = 0, square = 0;
        int cells = 0;
        for (int v = -guests; v <= 1; ++v) {
            const double p = double(law[std::size_t(v + guests)]);
            mean += p * v;
            square += p * v * v;
            expected += experiments * p;
            observed += result.counts[std::size_t(binOf(v, -guests) - 1)];
            if (expected >= 5 || v == 1) {
                chi += (observed - expected) * (observed - expected) / expected;
                ++cells;
                expected = observed = 0;
            }
        }
        const double a = 2.0 / (9.0 * (cells - 1));
        QVERIFY2(chi < (cells - 1) * std::pow(1.0 - a + 3.0902 * std::sqrt(a), 3.0), qPrintable(QStringLiteral("chi2 %1 over %2 cells").arg(chi).arg(cells)));
        QVERIFY2(std::fabs(result.mean - mean) < 4 * std::sqrt((square - mean * mean) / experiments), qPrintable(QStringLiteral("mean %1, exact %2").arg(result.mean).arg(mean)));
    }

    void meanAsShown_data()
    {
        QTest::addColumn<float>("mean");
        QTest::addColumn<QString>("shown");
        QTest::newRow("-7.94") << -7.94f << "-7.9";
        QTest::newRow("-0.5") << -0.5f << "-.5";
        QTest::newRow("1") << 1.0f << "1.0";
        QTest::newRow("-2.5 keeps its one decimal") << -2.5f << "-2.5";
        QTest::newRow("-7.25 rounds away from zero") << -7.25f << "-7.3";
        QTest::newRow("-0.04 shows no minus on zero") << -0.04f << ".0";
        QTest::newRow("-9.96 carries") << -9.96f << "-10.0";
    }

    void meanAsShown()
    {
        QFETCH(float, mean);
        QFETCH(QString, shown);
        QCOMPARE(QString::fromStdString(formatMean(mean)), shown);
    }
};

QTEST_GUILESS_MAIN(TestBatchEngine)
#include "tst_batchengine.moc"
