#include "core/batchengine.h"
#include "core/decimals.h"
#include "core/lesson.h"
#include "core/meanformatter.h"
#include "core/pseudorandom.h"
#include "scriptedrandom.h"

#include <QFile>
#include <QTest>

#include <cmath>
#include <cstdint>

namespace {

// The oracle: the law of the lowest balance by walking every one of the 2^N paths (the start not counted),
// each as likely as its guests who need change make it. Index: lowest balance + N.
std::vector<double> lawByEveryPath(int n, int changePercent)
{
    std::vector<double> law(std::size_t(n + 2), 0.0);
    for (std::uint32_t path = 0; path < (1u << n); ++path) {
        int balance = 0, lowest = n;
        double p = 1;
        for (int toss = 0; toss < n; ++toss) {
            const bool change = path >> toss & 1u;
            lowest = std::min(lowest, balance += change ? -1 : 1);
            p *= (change ? changePercent : 100 - changePercent) / 100.0;
        }
        law[std::size_t(lowest + n)] += p;
    }
    return law;
}

// The second oracle, for a fair coin, by the reflection principle: P(lowest = -j) = P(end = -j) + P(end = -j - 1)
// for j >= 1; above 0 throughout with probability C(2m, m) / 4^m / 2, m = N div 2; 0 takes the rest.
std::vector<double> lawByReflection(int n)
{
    const auto endsAt = [n](int k) {
        return (n + k) % 2 != 0 || k < -n ? 0.0 : std::exp(std::lgamma(n + 1.0) - std::lgamma((n + k) / 2 + 1.0) - std::lgamma((n - k) / 2 + 1.0) - n * std::log(2.0));
    };
    std::vector<double> law(std::size_t(n + 2), 0.0);
    double rest = 1;
    for (int j = 1; j <= n; ++j)
        rest -= law[std::size_t(n - j)] = endsAt(-j) + endsAt(-j - 1);
    const int m = n / 2;
    law[std::size_t(n + 1)] = 0.5 * std::exp(std::lgamma(2 * m + 1.0) - 2 * std::lgamma(m + 1.0) - 2 * m * std::log(2.0));
    law[std::size_t(n)] = rest - law[std::size_t(n + 1)];
    return law;
}

} // namespace

// What the lesson asks of a run and of the law: the law itself, the coins that are enough, the shares
// rounded as a pupil rounds them by hand, and the table copied for a spreadsheet.
class TestLesson : public QObject
{
    Q_OBJECT

private slots:
    // The law, the weight for which c coins were enough, the coins enough for each share and the expected
    // count of each bin of the table and of the graph.
    void againstEveryPath()
    {
        for (const auto &[guests, percent] : {std::pair{1, 50}, {2, 50}, {3, 50}, {10, 50}, {15, 50}, {20, 50}, {1, 60}, {2, 60},
                                              {3, 60}, {12, 60}, {16, 55}, {9, 1}, {11, 99}, {14, 30}}) {
            const std::vector<double> paths = lawByEveryPath(guests, percent);
            const std::vector<double> law = lowestBalanceLaw(guests, percent);
            QCOMPARE(law.size(), paths.size());
            std::vector<int> fewest;
            double enough = paths.back(); // a lowest of 1 needs no coin
            for (int c = 0; c <= guests; ++c) {
                enough += paths[std::size_t(guests - c)];
                QVERIFY2(std::fabs(double(law[std::size_t(guests - c)]) - paths[std::size_t(guests - c)]) < 1e-12, qPrintable(QString::number(c)));
                QVERIFY2(std::fabs(double(enoughWeight(law, c)) - enough) < 1e-12, qPrintable(QString::number(c)));
                for (std::size_t p = fewest.size(); p < std::size(coinShares) && enough >= coinShares[p] / 100.0 - 1e-12; ++p)
                    fewest.push_back(c);
            }
            for (std::size_t p = 0; p < std::size(coinShares); ++p)
                QCOMPARE(coinsEnough(law, coinShares[p]), fewest[p]);
            for (const int lowestBin : {-57, -114}) {
                std::vector<double> binned(std::size_t(binCountFor(lowestBin)), 0.0);
                for (int v = -guests; v <= 1; ++v)
                    binned[std::size_t(v < lowestBin ? 0 : v - lowestBin + 1)] += 500 * paths[std::size_t(v + guests)];
                const std::vector<double> expected = expectedCounts(guests, 500, lowestBin, percent);
                for (std::size_t bin = 0; bin < binned.size(); ++bin)
                    QVERIFY2(std::fabs(double(expected.at(bin)) - binned[bin]) < 1e-9, qPrintable(QString::number(bin + 1)));
            }
        }
    }

    // Beyond every path, the fair coin's law against the reflection principle, to the last guest the prompts take.
    void againstReflection()
    {
        for (const int guests : {21, 100, 999, 1000}) {
            const std::vector<double> reflected = lawByReflection(guests);
            const std::vector<double> law = lowestBalanceLaw(guests);
            for (std::size_t k = 0; k < law.size(); ++k)
                QVERIFY2(std::fabs(double(law[k]) - reflected[k]) < 1e-12, qPrintable(QStringLiteral("%1 guests, lowest %2").arg(guests).arg(int(k) - guests)));
        }
    }

    void roundsHalfUp()
    {
        const struct { const char *text; qint64 numerator, denominator; int decimals; } rows[] = {
            {"0.047", 465, 10000, 3},      // 465 of 10000 is 0.0465
            {"0.068", 675, 10000, 3},      // 675 of 10000 is 0.0675
            {"37.7", 376500, 10000, 1},    // 3765 of 10000 is 37.65 %
            {"99.9", 998500, 10000, 1},    {"91.9", 918500, 10000, 1}, {"71.3", 712500, 10000, 1},
            {"45.2", 451500, 10000, 1},    {"100.0", 999500, 10000, 1}, {"99.9", 999400, 10000, 1},
            {"0.667", 2, 3, 3},            // two thirds
            {"0.000", 0, 200, 3},          {"13", 25, 2, 0},
        };
        for (const auto &row : rows)
            QCOMPARE(QString::fromStdString(roundedDecimal(row.numerator, row.denominator, row.decimals)), QString::fromUtf8(row.text));
        // The law's values are rounded to the precision shown: a half a hair off by the arithmetic is a half.
        QCOMPARE(roundedDecimal(93.74999999999L, 1) + ' ' + roundedDecimal(93.7499L, 1) + ' ' + roundedDecimal(0.6250000000001L, 1), std::string("93.8 93.7 0.6"));
    }

    // Every relative frequency and share of a run of 10000 experiments, against the exact fraction: with
    // 10000 experiments it has four decimals, rounded here by its last digit.
    void everyShareOfALargeRun()
    {
        PseudoRandom random(2026);
        FixedClock clock;
        const BatchResult result = runBatch(100, 10000, -100, random, clock);
        const LessonRun run{100, 10000, formatMean(result.mean), result.lowests};
        const QStringList rows = QString::fromStdString(resultTable(run, false, false)).split('\n', Qt::SkipEmptyParts).mid(4);
        QCOMPARE(rows.size(), 102);
        int atLeast = 10000; // the experiments whose lowest is this row's or above
        int halves = 0;
        for (int k = 0; k < rows.size(); ++k) {
            const int count = result.lowests[static_cast<std::size_t>(k)];
            const int thousandths = (count + 5) / 10;
            const int permille = (atLeast + 5) / 10; // the share in tenths of a per cent
            QString expected = QStringLiteral("%1\t%2\t%3.%4\t").arg(k - 100).arg(count).arg(thousandths / 1000)
                                   .arg(thousandths % 1000, 3, 10, QLatin1Char('0'));
            if (k - 100 <= 0)
                expected += QStringLiteral("%1.%2").arg(permille / 10).arg(permille % 10);
            QCOMPARE(rows[k], expected);
            halves += (count % 10 == 5) + (k - 100 <= 0 && atLeast % 10 == 5);
            atLeast -= count;
        }
        QVERIFY(halves > 0);
    }

    // Ten experiments of 4 guests: lowest -3 once, -2 twice, -1 three times, 0 twice, 1 twice. The law of 4
    // guests in sixteenths: -4 and -3 one each, -2 and -1 four each, 0 and 1 three each. A row for every
    // lowest the law allows; c coins were enough where the lowest is -c or above.
    void resultTableCells()
    {
        const LessonRun run{4, 10, "-.8", {0, 1, 2, 3, 2, 2}};
        const QString head = "お客人数\t4\n実験回数\t10\n不足枚数の平均\t-.8\n\n不足枚数\t度数\t相対度数\t足りた割合 (%)";
        const QStringList rows{"-4\t0\t0.000\t100.0", "-3\t1\t0.100\t100.0", "-2\t2\t0.200\t90.0",
                               "-1\t3\t0.300\t70.0",  "0\t2\t0.200\t40.0",   "1\t2\t0.200\t"};
        const QStringList law{"0.6", "0.6", "2.5", "2.5", "1.9", "1.9"};
        QString plain = head + '\n', withLaw = head + "\t理論度数\n";
        for (int k = 0; k < rows.size(); ++k) {
            plain += rows[k] + '\n';
            withLaw += rows[k] + '\t' + law[k] + '\n';
        }
        const QString coins = "\n何枚用意すればよいか\t実験\t理論\n50 %\t1\t1\n90 %\t2\t3\n95 %\t3\t4\n99 %\t3\t4\n";
        // 3 coins: all 10 runs, and 15 sixteenths of the law, 93.75 rounded up.
        const QString share = "\n用意した枚数\t足りた実験 (%)\t理論 (%)\n3\t100.0\t93.8\n";
        QCOMPARE(QString::fromStdString(resultTable(run, false, false)), plain);
        QCOMPARE(QString::fromStdString(resultTable(run, true, false)), withLaw);
        QCOMPARE(QString::fromStdString(resultTable(run, false, true)), plain + coins);
        QCOMPARE(QString::fromStdString(resultTable(run, false, false, 3)), plain + share);
        QCOMPARE(QString::fromStdString(resultTable(run, true, true, 3)), withLaw + coins + share);
        QVERIFY(sharePanel(run, 3) == (CellTable{"3枚用意したら", {{"足りた実験：100.0%"}, {"（理論 93.8%）"}}}));
        QVERIFY(coinsPanel(run) == (CellTable{"何枚用意すればよいか", {{"", "実験", "理論"}, {"50 %", "1枚", "1枚"}, {"90 %", "2枚", "3枚"},
                                                                    {"95 %", "3枚", "4枚"}, {"99 %", "3枚", "4枚"}}}));
        // Six guests in ten needing change: said under the settings and under the share, whose law is then the
        // walks that do not go down four times running, 1 - 0.6^4 = 87.04 %.
        LessonRun sixInTen = run;
        sixInTen.changePercent = 60;
        QVERIFY(QString::fromStdString(resultTable(sixInTen, false, false)).startsWith("お客人数\t4\n実験回数\t10\nお釣りの要る人の割合\t60%\n不足枚数の平均\t-.8\n\n"));
        QVERIFY(sharePanel(sixInTen, 3) == (CellTable{"3枚用意したら", {{"足りた実験：100.0%"}, {"（理論 87.0%）"}, {"（お釣りの要る人：60%）"}}}));
        // By every path at 60 %, c coins are enough in 25.6, 46.72, 78.4, 87.04 and 100 % of the walks.
        QVERIFY(coinsPanel(sixInTen) == (CellTable{"何枚用意すればよいか", {{"", "実験", "理論"}, {"50 %", "1枚", "2枚"}, {"90 %", "2枚", "4枚"},
                                                                         {"95 %", "3枚", "4枚"}, {"99 %", "3枚", "4枚"}}}));
        // Taluno1: a row per toss made, then the lowest on a line of its own.
        QCOMPARE(QString::fromStdString(tossTable({true, false, false})), QStringLiteral("回数\t表/裏\t釣り銭枚数\n1\t表\t1\n2\t裏\t0\n3\t裏\t-1\n最低の釣り銭枚数\t-1\n"));
        QCOMPARE(QString::fromStdString(tossTable({true}, 25)), QStringLiteral("お釣りの要る人の割合\t25%\n回数\t表/裏\t釣り銭枚数\n1\t表\t1\n最低の釣り銭枚数\t1\n"));
    }

    // The teacher's guide works its answers out by hand from the law, beyond what can be walked path by path: a
    // row of its table for each of 35, 100 and 400 guests, with the mean, the share for no coins and for the
    // mean's coins, and the coins for 90, 95 and 99 %. Each language's guide carries the same rows, the guests
    // of its table of means counted in its own words.
    void guideAnswersAreTheLaw_data()
    {
        QTest::addColumn<QString>("guideFile");
        QTest::addColumn<QString>("guestsUnit");
        QTest::newRow("the Japanese guide: | 10人 |") << QStringLiteral("guide-ja.md") << QStringLiteral("人");
        QTest::newRow("the English guide: | 10 guests |") << QStringLiteral("guide-en.md") << QStringLiteral(" guests");
    }

    void guideAnswersAreTheLaw()
    {
        QFETCH(QString, guideFile);
        QFETCH(QString, guestsUnit);
        QFile guide(QStringLiteral(TALUNO_SOURCE_DIR "/docs/") + guideFile);
        QVERIFY(guide.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(guide.readAll());
        const auto mean = [](const std::vector<double> &law) {
            double sum = 0;
            for (std::size_t k = 0; k < law.size(); ++k)
                sum += law[k] * (static_cast<int>(k + 2) - static_cast<int>(law.size()));
            return "−" + roundedDecimal(-sum, 2);
        };
        const auto coins = [](const std::vector<double> &law) { // enough for 90, 95 and 99 %
            std::string cells;
            for (const int percent : {90, 95, 99})
                cells += " " + std::to_string(coinsEnough(law, percent)) + " |";
            return cells;
        };
        std::vector<std::string> rows;
        for (const int guests : {35, 100, 400}) {
            const std::vector<double> law = lowestBalanceLaw(guests);
            const int enough = meanCoins(law);
            rows.push_back("| " + std::to_string(guests) + " | " + mean(law) + " | " + roundedDecimal(100 * enoughWeight(law, 0), 1) + "% | "
                           + std::to_string(enough) + " | " + roundedDecimal(100 * enoughWeight(law, enough), 1) + "% |" + coins(law));
        }
        // The upper secondary page's means at a half, 55 and 60 % needing change, and its worked example at 60 %.
        for (const int guests : {10, 35, 100, 200, 500, 1000}) {
            rows.push_back("| " + std::to_string(guests) + guestsUnit.toStdString() + " | " + mean(lowestBalanceLaw(guests, 50)) + " | " + mean(lowestBalanceLaw(guests, 55))
                           + " | " + mean(lowestBalanceLaw(guests, 60)) + " |");
        }
        const std::vector<double> sixInTen = lowestBalanceLaw(35, 60);
        rows.push_back("| p = 0.6 | " + mean(sixInTen) + " |" + coins(sixInTen) + " " + roundedDecimal(100 * enoughWeight(sixInTen, 9), 1) + "% |");
        for (const std::string &row : rows)
            QVERIFY2(text.contains(QString::fromStdString(row)), row.c_str());
    }
};

QTEST_GUILESS_MAIN(TestLesson)
#include "tst_lesson.moc"
