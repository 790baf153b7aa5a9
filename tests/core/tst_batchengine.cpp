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
    void binOfLowestBalance()
    {
        const struct { const char *name; int lowestBin, lowestBalance, bin; } rows[] = {
            {"table: -58 below the range", -57, -58, 1}, {"table: -57 first single value", -57, -57, 2},
            {"table: 3 last single value", -57, 3, 62},   {"table: 4 above the range", -57, 4, 63},
            {"graph: -115 below the range", -114, -115, 1}, {"graph: 4 above the range", -114, 4, 120},
        };
        for (const auto &row : rows)
            QCOMPARE(QStringLiteral("%1: %2").arg(row.name).arg(binOf(row.lowestBalance, row.lowestBin)), QStringLiteral("%1: %2").arg(row.name).arg(row.bin));
    }

    // Two experiments of scripted draws, each reseeded from the clock, drawing one value a guest.
    void scriptedWalks()
    {
        const struct { const char *name; std::vector<float> draws; int guests, first, second, percent = 50; } rows[] = {
            {"0.5 is tails: ten tails end at -10", {0.5f}, 10, -10, -10},
            {"all heads never come back: lowest is 1", {0.0f, 0.4999f}, 1000, 1, 1},
            {"all tails, far below the table", {0.99999994f}, 1000, -1000, -1000},
            {"heads, tails, tails, heads bottoms out at -1", {0.1f, 0.7f, 0.7f, 0.1f}, 12, -1, -1},
            {"tails twice, then heads twice: -2 and 1", {0.9f, 0.9f, 0.1f, 0.1f}, 2, -2, 1},
            {"60 % need change: 0.4 is tails", {0.4f}, 10, -10, -10, 60},
            {"60 % need change: just under 0.4 is heads", {0.39999998f}, 10, 1, 1, 60},
            {"1 % need change: 0.99 is tails", {0.99f, 0.98999995f}, 4, -1, -1, 1},
        };
        for (const auto &row : rows) {
            ScriptedRandom random(row.draws);
            FixedClock clock;
            clock.seconds = 45296.75;
            const BatchResult result = runBatch(row.guests, 2, -57, random, clock, row.percent);
            std::vector<int> counts(63, 0);
            ++counts[std::size_t(binOf(row.first, -57) - 1)];
            ++counts[std::size_t(binOf(row.second, -57) - 1)];
            QVERIFY2(result.counts == counts && result.mean == (row.first + row.second) / 2.0f, row.name);
            QVERIFY2(random.reseeds == std::vector<float>(2, 45296.75f) && random.drawn == std::size_t(2 * row.guests), row.name);
        }
    }

    // 20000 experiments, each bin a lowest balance, against the law: chi-squared over cells of expected count 5
    // or more (the tails pooled) below its upper 0.1 % point (Wilson-Hilferty), the mean within four standard
    // errors. The clock stands still: mixing the same value into every reseed must keep the experiments apart.
    void matchesExactLaw()
    {
        for (const auto &[guests, percent] : {std::pair{10, 50}, {100, 50}, {1000, 50}, {100, 60}, {35, 45}}) {
            const int experiments = 20000;
            PseudoRandom random(777);
            FixedClock clock;
            const BatchResult result = runBatch(guests, experiments, -guests, random, clock, percent);
            const std::vector<double> law = lowestBalanceLaw(guests, percent);
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
            QVERIFY2(chi < (cells - 1) * std::pow(1.0 - a + 3.0902 * std::sqrt(a), 3.0), qPrintable(QStringLiteral("N %1: chi2 %2 over %3 cells").arg(guests).arg(chi).arg(cells)));
            QVERIFY2(std::fabs(result.mean - mean) < 4 * std::sqrt((square - mean * mean) / experiments), qPrintable(QStringLiteral("N %1: mean %2, exact %3").arg(guests).arg(result.mean).arg(mean)));

        }
    }

    void meanAsShown()
    {
        const struct { const char *mean; float value; } rows[] = {
            {"-7.9", -7.94f}, {"-.5", -0.5f}, {"1.0", 1.0f}, {"-2.5", -2.5f},
            {"-7.3", -7.25f}, // rounds away from zero
            {".0", -0.04f},   // no minus on zero
            {"-10.0", -9.96f},
        };
        for (const auto &row : rows)
            QCOMPARE(QString::fromStdString(formatMean(row.value)), QString::fromUtf8(row.mean));
    }

};

QTEST_GUILESS_MAIN(TestBatchEngine)
#include "tst_batchengine.moc"
