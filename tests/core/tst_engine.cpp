#include "core/batchengine.h"
#include "core/lesson.h"
#include "core/meanformatter.h"
#include "core/numberreader.h"
#include "core/pseudorandom.h"
#include "scriptedrandom.h"

#include <QTest>

#include <cmath>
#include <map>

namespace {

// The law of the lowest balance by brute force over the walk's states: after each toss, the lowest
// balance so far and the height above it. Index: lowest balance + N. Worked out once per N.
const std::vector<double> &lawByDynamicProgram(int n)
{
    static std::map<int, std::vector<double>> known;
    if (const auto found = known.find(n); found != known.end())
        return found->second;
    const auto size = static_cast<std::size_t>(n + 2);
    // state[(lowest + n) * size + height]; the first toss takes the walk to 1 or -1.
    std::vector<double> state(size * size, 0.0), next(size * size);
    state[static_cast<std::size_t>(n + 1) * size] = state[static_cast<std::size_t>(n - 1) * size] = 0.5;
    for (int toss = 2; toss <= n; ++toss) {
        std::fill(next.begin(), next.end(), 0.0);
        for (int low = std::max(0, n - toss); low <= n + 1; ++low) {
            for (int height = 0; height < toss && low + height <= 2 * n; ++height) {
                const double p = state[static_cast<std::size_t>(low) * size + static_cast<std::size_t>(height)] / 2;
                next[static_cast<std::size_t>(low) * size + static_cast<std::size_t>(height + 1)] += p;
                if (height > 0)
                    next[static_cast<std::size_t>(low) * size + static_cast<std::size_t>(height - 1)] += p;
                else if (low > 0)
                    next[static_cast<std::size_t>(low - 1) * size] += p;
            }
        }
        state.swap(next);
    }
    std::vector<double> &law = known[n];
    law.assign(size, 0.0);
    for (std::size_t low = 0; low < size; ++low) {
        for (std::size_t height = 0; height < size; ++height)
            law[low] += state[low * size + height];
    }
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

// The batch programs' arithmetic: the settings as the prompts read them, the run's bins, its walks,
// its statistics against the exact law, and the mean as shown.
class TestEngine : public QObject
{
    Q_OBJECT

private slots:
    void lawAgainstDynamicProgram_data();
    void lawAgainstDynamicProgram();
    void expectedCountsBinByBin_data();
    void expectedCountsBinByBin();
    void coinsEnough_data();
    void coinsEnough();
    void lawCoinsAgainstDynamicProgram_data();
    void lawCoinsAgainstDynamicProgram();
    void resultTableCells_data();
    void resultTableCells();
    void acceptsSetting_data();
    void acceptsSetting();
    void binOfLowestBalance_data();
    void binOfLowestBalance();
    void scriptedWalks_data();
    void scriptedWalks();
    void matchesExactLaw_data();
    void matchesExactLaw();
    void meanAsShown_data();
    void meanAsShown();
};

void TestEngine::binOfLowestBalance_data()
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

void TestEngine::binOfLowestBalance()
{
    QFETCH(int, lowestBin);
    QFETCH(int, lowestBalance);
    QFETCH(int, bin);
    QCOMPARE(binOf(lowestBalance, lowestBin), bin);
}

void TestEngine::scriptedWalks_data()
{
    QTest::addColumn<std::vector<float>>("draws");
    QTest::addColumn<int>("guests");
    QTest::addColumn<int>("lowest");
    QTest::newRow("0.5 is tails: ten tails end at -10") << std::vector<float>{0.5f} << 10 << -10;
    QTest::newRow("all heads never come back: lowest is 1") << std::vector<float>{0.0f, 0.4999f} << 1000 << 1;
    QTest::newRow("all tails, far below the table") << std::vector<float>{0.99999994f} << 1000 << -1000;
    QTest::newRow("heads, tails, tails, heads bottoms out at -1") << std::vector<float>{0.1f, 0.7f, 0.7f, 0.1f} << 12
                                                                  << -1;
}

void TestEngine::scriptedWalks()
{
    QFETCH(std::vector<float>, draws);
    QFETCH(int, guests);
    QFETCH(int, lowest);
    ScriptedRandom random(draws);
    FixedClock clock;
    clock.seconds = 45296.75;
    const BatchResult result = runBatch(guests, 3, -57, random, clock);
    QCOMPARE(result.counts[static_cast<std::size_t>(binOf(lowest, -57) - 1)], 3);
    QCOMPARE(result.mean, float(lowest));
    // Every experiment reseeds from the clock, then draws one value a guest.
    QCOMPARE(random.reseeds, std::vector<float>(3, 45296.75f));
    QCOMPARE(random.drawn, std::size_t(3 * guests));
}

void TestEngine::matchesExactLaw_data()
{
    QTest::addColumn<int>("guests");
    QTest::addColumn<double>("exactMean");
    QTest::newRow("N = 10") << 10 << -1.9609;
    QTest::newRow("N = 100") << 100 << -7.4589;
    QTest::newRow("N = 1000") << 1000 << -24.7250;
}

void TestEngine::matchesExactLaw()
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

    // One bin per possible lowest balance, so the engine's tally is the raw histogram. The clock
    // stands still: mixing the same value into every reseed must keep the experiments apart.
    PseudoRandom random(777);
    FixedClock clock;
    const BatchResult result = runBatch(guests, experiments, -guests, random, clock);

    // Chi-squared over cells of expected count >= 5, the tails pooled.
    double chi = 0;
    int cells = 0;
    double pooledExpected = 0, pooledObserved = 0;
    for (int v = -guests; v <= 1; ++v) {
        pooledExpected += experiments * static_cast<double>(law[static_cast<std::size_t>(v + guests)]);
        pooledObserved += result.counts[static_cast<std::size_t>(binOf(v, -guests) - 1)];
        if (pooledExpected >= 5 || v == 1) {
            chi += (pooledObserved - pooledExpected) * (pooledObserved - pooledExpected) / pooledExpected;
            ++cells;
            pooledExpected = pooledObserved = 0;
        }
    }
    QVERIFY2(chi < chiSquaredCritical(cells - 1), qPrintable(QStringLiteral("chi2 %1 over %2 cells").arg(chi).arg(cells)));
    const double standardError = std::sqrt(static_cast<double>(square - mean * mean) / experiments);
    QVERIFY2(std::fabs(result.mean - static_cast<double>(mean)) < 4 * standardError,
             qPrintable(QStringLiteral("mean %1, exact %2").arg(result.mean).arg(double(mean))));
}

void TestEngine::meanAsShown_data()
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

void TestEngine::meanAsShown()
{
    QFETCH(float, mean);
    QFETCH(QString, shown);
    QCOMPARE(QString::fromStdString(formatMean(mean)), shown);
}

void TestEngine::acceptsSetting_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<int>("lowest");
    QTest::addColumn<int>("highest");
    QTest::addColumn<int>("setting"); // -1: refused
    const auto guests = [](const char *name, const QString &answer, int setting) {
        QTest::newRow(name) << answer << 10 << 1000 << setting;
    };
    guests("guest count 10 accepted", "10", 10);
    guests("guest count 1000 accepted", "1000", 1000);
    guests("1000.1 refused: the range before the rounding", "1000.1", -1);
    guests("10.9 reads as 10", "10.9", 10);
    guests("50abc reads as 50", "50abc", 50);
    guests("abc refused", "abc", -1);
    guests("-50 refused, not read as 50", "-50", -1);
    guests("leading blanks and tab skipped", " \t42", 42);
    guests("exponent with sign", "2500E-1", 250);
    guests("thousands separator stops", "1,000", -1);
    guests("full-width digits through an IME", "３５０", 350);
    guests("full-width sign, point and blank", "　＋１２．５", 12);
    guests("full-width minus", "－５０", -1);
    guests("nan refused", "nan", -1);
    guests("1e400 refused", "1e400", -1);
    guests("400 nines refused", QString(400, QLatin1Char('9')), -1);
    QTest::newRow("1e-400 reads as 0, refused") << "1e-400" << 1 << 10000 << -1;
    QTest::newRow("long fraction times 1e505 is 10000") << "0." + QString(500, QLatin1Char('0')) + "1e505" << 1 << 10000
                                                       << 10000;
}

void TestEngine::acceptsSetting()
{
    QFETCH(QString, answer);
    QFETCH(int, lowest);
    QFETCH(int, highest);
    QFETCH(int, setting);
    QCOMPARE(acceptSetting(answer.toStdString(), lowest, highest).value_or(-1), setting);
}

void TestEngine::lawAgainstDynamicProgram_data()
{
    QTest::addColumn<int>("guests");
    for (int guests : {1, 2, 3, 10, 35, 101, 1000})
        QTest::newRow(qPrintable(QStringLiteral("N = %1").arg(guests))) << guests;
}

void TestEngine::lawAgainstDynamicProgram()
{
    QFETCH(int, guests);
    const auto law = lowestBalanceLaw(guests);
    const auto counted = lawByDynamicProgram(guests);
    long double total = 0;
    for (std::size_t k = 0; k < law.size(); ++k) {
        QVERIFY2(std::fabs(static_cast<double>(law[k]) - counted[k]) < 1e-12, qPrintable(QString::number(k)));
        total += law[k];
    }
    QVERIFY(std::fabs(static_cast<double>(total) - 1.0) < 1e-12);
}

void TestEngine::coinsEnough_data()
{
    QTest::addColumn<std::vector<long double>>("weights"); // lowest balance -N first
    QTest::addColumn<int>("percent");
    QTest::addColumn<int>("coins");
    // Two guests: lowest -2 a quarter, -1 a quarter, 0 never, 1 a half (heads first).
    const std::vector<long double> two{0.25L, 0.25L, 0.0L, 0.5L};
    QTest::newRow("2 guests, half the walks need none") << two << 50 << 0;
    QTest::newRow("2 guests, 51 % need 1") << two << 51 << 1;
    QTest::newRow("2 guests, 75 % need 1") << two << 75 << 1;
    QTest::newRow("2 guests, 90 % need 2") << two << 90 << 2;
    // A run of 10 experiments with 4 guests: lowest -3 once, -2 twice, -1 three times, 0 twice, 1 twice.
    const std::vector<long double> run{0, 1, 2, 3, 2, 2};
    QTest::newRow("run, 50 %: 4 of 10 need none, 7 one or none") << run << 50 << 1;
    QTest::newRow("run, 90 %: 9 of 10 need 2 or fewer") << run << 90 << 2;
    QTest::newRow("run, 95 %: all but one is not enough") << run << 95 << 3;
    QTest::newRow("run, 99 %") << run << 99 << 3;
}

void TestEngine::coinsEnough()
{
    QFETCH(std::vector<long double>, weights);
    QFETCH(int, percent);
    QFETCH(int, coins);
    QCOMPARE(::coinsEnough(weights, percent), coins);
}

void TestEngine::expectedCountsBinByBin_data()
{
    QTest::addColumn<int>("guests");
    QTest::addColumn<int>("experiments");
    QTest::addColumn<int>("lowestBin");
    QTest::newRow("10 guests, 1000 runs, the table's bins") << 10 << 1000 << -57;
    QTest::newRow("35 guests, 100 runs, the graph's bins") << 35 << 100 << -114;
    QTest::newRow("1000 guests, 500 runs: many below -57 in the table's first bin") << 1000 << 500 << -57;
}

void TestEngine::expectedCountsBinByBin()
{
    QFETCH(int, guests);
    QFETCH(int, experiments);
    QFETCH(int, lowestBin);
    // Binned here from the walk's states: below lowestBin, one bin a value up to 3, above 3.
    const std::vector<double> law = lawByDynamicProgram(guests);
    const int bins = 3 - lowestBin + 3;
    std::vector<double> binned(static_cast<std::size_t>(bins), 0.0);
    for (int v = -guests; v <= 1; ++v) {
        const int bin = v < lowestBin ? 0 : v - lowestBin + 1;
        binned[static_cast<std::size_t>(bin)] += law[static_cast<std::size_t>(v + guests)] * experiments;
    }
    const std::vector<long double> expected = expectedCounts(guests, experiments, lowestBin);
    QCOMPARE(expected.size(), binned.size());
    for (std::size_t bin = 0; bin < binned.size(); ++bin)
        QVERIFY2(std::fabs(double(expected[bin]) - binned[bin]) < 1e-9 * experiments,
                 qPrintable(QStringLiteral("bin %1: %2, not %3").arg(bin + 1).arg(double(expected[bin])).arg(binned[bin])));
}

void TestEngine::lawCoinsAgainstDynamicProgram_data()
{
    QTest::addColumn<int>("guests");
    QTest::addColumn<std::vector<int>>("coins"); // for 50, 90, 95 and 99 %
    QTest::newRow("10 guests") << 10 << std::vector<int>{2, 5, 6, 8};
    QTest::newRow("35 guests: 9 coins for 9 parties in 10") << 35 << std::vector<int>{3, 9, 11, 15};
    QTest::newRow("100 guests") << 100 << std::vector<int>{6, 16, 19, 25};
    QTest::newRow("1000 guests") << 1000 << std::vector<int>{};
}

void TestEngine::lawCoinsAgainstDynamicProgram()
{
    QFETCH(int, guests);
    QFETCH(std::vector<int>, coins);
    const std::vector<double> law = lawByDynamicProgram(guests);
    std::vector<int> counted, fromLaw;
    for (const int percent : coinShares) {
        // The fewest c for which the walks whose lowest is -c or above make up the share.
        int c = 0;
        double covered = 0;
        for (int v = 1; v >= -guests; --v) {
            covered += law[static_cast<std::size_t>(v + guests)];
            c = std::max(0, -v);
            if (covered >= percent / 100.0 - 1e-12)
                break;
        }
        counted.push_back(c);
        fromLaw.push_back(::coinsEnough(lowestBalanceLaw(guests), percent));
    }
    QCOMPARE(fromLaw, counted);
    if (!coins.empty())
        QCOMPARE(fromLaw, coins);
    // The share for which c coins were enough, for every c.
    double enough = law[static_cast<std::size_t>(1 + guests)];
    for (int c = 0; c <= guests; ++c) {
        enough += law[static_cast<std::size_t>(guests - c)];
        QVERIFY2(std::fabs(double(enoughShare(lowestBalanceLaw(guests), c)) - enough) < 1e-12, qPrintable(QString::number(c)));
    }
}

void TestEngine::resultTableCells_data()
{
    QTest::addColumn<bool>("withLaw");
    QTest::addColumn<bool>("withCoins");
    QTest::addColumn<int>("shareCoins"); // -1: none
    QTest::addColumn<QString>("table");
    // Ten experiments of 4 guests: lowest -3 once, -2 twice, -1 three times, 0 twice, 1 twice. The law
    // of 4 guests in sixteenths: -4 and -3 one each, -2 and -1 four each, 0 and 1 three each. A row
    // for every lowest the law allows; c coins were enough where the lowest is -c or above.
    const QString head = "お客人数\t4\n実験回数\t10\n不足枚数の平均\t-.8\n\n不足枚数\t度数\t相対度数\t足りた割合 (%)";
    const QStringList rows{"-4\t0\t0.000\t100.0", "-3\t1\t0.100\t100.0", "-2\t2\t0.200\t90.0",
                           "-1\t3\t0.300\t70.0",  "0\t2\t0.200\t40.0",   "1\t2\t0.200\t"};
    const QStringList law{"0.6", "0.6", "2.5", "2.5", "1.9", "1.9"};
    const QString coins = "\n何枚用意すればよいか\t実験\t理論\n50 %\t1\t1\n90 %\t2\t3\n95 %\t3\t4\n99 %\t3\t4\n";
    const QString share = "\n用意した枚数\t足りた実験 (%)\t理論 (%)\n1\t70.0\t62.5\n";
    QString plain = head + '\n', withLaw = head + "\t理論度数\n";
    for (int k = 0; k < rows.size(); ++k) {
        plain += rows[k] + '\n';
        withLaw += rows[k] + '\t' + law[k] + '\n';
    }
    QTest::newRow("the run alone") << false << false << -1 << plain;
    QTest::newRow("with the law: the expected count of each row") << true << false << -1 << withLaw;
    QTest::newRow("with the coins: the run's and the law's") << false << true << -1 << plain + coins;
    QTest::newRow("with the share of 1 coin: 7 runs of 10, 10 sixteenths") << false << false << 1 << plain + share;
    QTest::newRow("with all") << true << true << 1 << withLaw + coins + share;
}

void TestEngine::resultTableCells()
{
    QFETCH(bool, withLaw);
    QFETCH(bool, withCoins);
    QFETCH(int, shareCoins);
    QFETCH(QString, table);
    const LessonRun run{4, 10, "-.8", {0, 1, 2, 3, 2, 2}};
    QCOMPARE(QString::fromStdString(resultTable(run, withLaw, withCoins,
                                                shareCoins < 0 ? std::nullopt : std::optional<int>(shareCoins))),
             table);
    // Taluno1: a row per toss made.
    if (!withLaw && !withCoins)
        QCOMPARE(QString::fromStdString(tossTable({true, false, false})),
                 QStringLiteral("回数\t表/裏\t釣り銭枚数\n1\t表\t1\n2\t裏\t0\n3\t裏\t-1\n"));
}

QTEST_GUILESS_MAIN(TestEngine)
#include "tst_engine.moc"
