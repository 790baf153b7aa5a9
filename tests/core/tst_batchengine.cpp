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
        QTest::addColumn<int>("lowest");
        QTest::newRow("0.5 is tails: ten tails end at -10") << std::vector<float>{0.5f} << 10 << -10;
        QTest::newRow("all heads never come back: lowest is 1") << std::vector<float>{0.0f, 0.4999f} << 1000 << 1;
        QTest::newRow("all tails, far below the table") << std::vector<float>{0.99999994f} << 1000 << -1000;
        QTest::newRow("heads, tails, tails, heads bottoms out at -1") << std::vector<float>{0.1f, 0.7f, 0.7f, 0.1f} << 12 << -1;
    }

    void scriptedWalks()
    {
        QFETCH(std::vector<float>, draws);
        QFETCH(int, guests);
        QFETCH(int, lowest);
        ScriptedRandom random(draws);
        FixedClock clock;
        clock.seconds = 45296.75;
        const BatchResult result = runBatch(guests, 3, -57, random, clock);
        std::vector<int> counts(63, 0);
        counts[static_cast<std::size_t>(binOf(lowest, -57) - 1)] = 3;
        QCOMPARE(result.counts, counts);
        QCOMPARE(result.lowests[static_cast<std::size_t>(lowest + guests)], 3);
        QCOMPARE(result.mean, float(lowest));
        // Every experiment reseeds from the clock, then draws one value a guest.
        QCOMPARE(random.reseeds, std::vector<float>(3, 45296.75f));
        QCOMPARE(random.drawn, std::size_t(3 * guests));
    }

    void matchesExactLaw_data()
    {
        QTest::addColumn<int>("guests");
        QTest::addColumn<double>("exactMean");
        QTest::newRow("N = 10") << 10 << -1.9609;
        QTest::newRow("N = 100") << 100 << -7.4589;
        QTest::newRow("N = 1000") << 1000 << -24.7250;
    }

    // 20000 experiments against the law: chi-squared over the cells and the mean within four standard errors.
    void matchesExactLaw()
    {
        QFETCH(int, guests);
        QFETCH(double, exactMean);
        const int experiments = 20000;
        const auto law = lowestBalanceLaw(guests);
        long double mean = 0, square = 0;
        for (int v = -guests; v <= 1; ++v) {
            const long double p = law[static_cast<std::size_t>(v + guests)];
            mean += p * v;
            square += p * v * v;
        }
        QVERIFY2(std::fabs(static_cast<double>(mean) - exactMean) < 5e-5, qPrintable(QString::number(double(mean))));

        // One bin per possible lowest balance, so the tally is the raw histogram. The clock stands still:
        // mixing the same value into every reseed must keep the experiments apart.
        PseudoRandom random(777);
        FixedClock clock;
        const BatchResult result = runBatch(guests, experiments, -guests, random, clock);

        // Chi-squared over cells of expected count >= 5, the tails pooled, against its upper 0.1 % point
        // (Wilson-Hilferty).
        double chi = 0, pooledExpected = 0, pooledObserved = 0;
        int cells = 0;
        for (int v = -guests; v <= 1; ++v) {
            pooledExpected += experiments * static_cast<double>(law[static_cast<std::size_t>(v + guests)]);
            pooledObserved += result.counts[static_cast<std::size_t>(binOf(v, -guests) - 1)];
            if (pooledExpected >= 5 || v == 1) {
                chi += (pooledObserved - pooledExpected) * (pooledObserved - pooledExpected) / pooledExpected;
                ++cells;
                pooledExpected = pooledObserved = 0;
            }
        }
        const double a = 2.0 / (9.0 * (cells - 1));
        const double critical = (cells - 1) * std::pow(1.0 - a + 3.0902 * std::sqrt(a), 3.0);
        QVERIFY2(chi < critical, qPrintable(QStringLiteral("chi2 %1 over %2 cells").arg(chi).arg(cells)));
        const double standardError = std::sqrt(static_cast<double>(square - mean * mean) / experiments);
        QVERIFY2(std::fabs(result.mean - static_cast<double>(mean)) < 4 * standardError,
                 qPrintable(QStringLiteral("mean %1, exact %2").arg(result.mean).arg(double(mean))));
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
