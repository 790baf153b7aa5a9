#include "core/classresults.h"
#include "core/lesson.h"
#include "core/texts.h"

#include <QTest>

namespace {

using enum RefusalKind;

const std::string fourTosses = "お釣りの要る人の割合\t60%\n回数\t表/裏\t釣り銭枚数\n1\t裏\t-1\n2\t裏\t-2\n3\t表\t-1\n4\t表\t0\n";
const std::string table10 = "お客人数\t10\n実験回数\t1\n不足枚数\t度数\n";
const std::string nearly = "お客人数\t100\n実験回数\t9999999\n不足枚数\t度数\n0\t9999999\n\n";

} // namespace

char *toString(const PoolFailure &r)
{
    return qstrdup(QStringLiteral("kind %1 @%2 「%3」 %4 %5 @%6").arg(int(r.kind)).arg(r.line).arg(QString::fromStdString(r.quoted)).arg(r.found).arg(r.expected).arg(r.expectedLine).toUtf8());
}

// How the results a class pastes into one box are read and pooled, and why they are refused where they cannot be.
class TestClassResults : public QObject
{
    Q_OBJECT

private slots:
    // What is pooled: the guests, experiments, share (- where none is stated) and each lowest balance that came; or
    // what is refused, with its line and the values it quotes (None: nothing).
    void reads_data()
    {
        QTest::addColumn<std::string>("text");
        QTest::addColumn<QString>("pooled");
        QTest::addColumn<PoolFailure>("refusal");
        QTest::newRow("a list: full-width, ▲, ー and − signs, every separator") << std::string("１、▲7，−7\r\nー12;０　+1\t-0；1") << "100人 8回 -: -12×1 -7×2 0×2 1×3" << PoolFailure{};
        QTest::newRow("Taluno1: two copies of 4 tosses") << fourTosses + "最低の釣り銭枚数\t-2\n\n" + fourTosses + "\n最低の釣り銭枚数\t▲4" << "4人 2回 60%: -4×1 -2×1" << PoolFailure{};
        QTest::newRow("two tables of 10 added, their coin panels skipped") << resultTable({10, 5, "-1.0", {0, 0, 0, 0, 0, 0, 0, 2, 0, 0, 2, 1}}, true, true, 3) + "\n"
            + resultTable({10, 4, "-1.0", {0, 0, 0, 0, 0, 0, 0, 1, 0, 3, 0, 0}}, true, true, 3) << "10人 9回 50%: -3×3 -1×3 0×2 1×1" << PoolFailure{};
        QTest::newRow("a table through a spreadsheet") << std::string("\xEF\xBB\xBFお客人数\t10\t\t\r\n実験回数\t ３ \t\t\r\nお釣りの要る人の割合\t60%\t\r\n\t\t\r\n"
            "不足枚数\t度数\t相対度数\t\r\n－２\t１\t0.03\t\r\n▲1\t0\t▲7\t\r\n0\t2\t0.67\t\r\n") << "10人 3回 60%: -2×1 0×2" << PoolFailure{};
        // Copied in English, read as the Japanese copies are.
        useLanguage("en");
        const std::string englishTables = resultTable({10, 5, "-1.0", {0, 0, 0, 0, 0, 0, 0, 2, 0, 0, 2, 1}}, true, true, 3) + "\n"
            + resultTable({10, 4, "-1.0", {0, 0, 0, 0, 0, 0, 0, 1, 0, 3, 0, 0}}, true, true, 3);
        const std::string englishTosses = tossTable(std::vector<bool>(100), 60) + "−3, 1\nLowest balance\t1";
        useLanguage("ja");
        QTest::newRow("two tables of 10 copied in English") << englishTables << "10人 9回 50%: -3×3 -1×3 0×2 1×1" << PoolFailure{};
        QTest::newRow("Taluno1's copy in English at 60 %, a list and a lowest after it") << englishTosses << "100人 4回 60%: -100×1 -3×1 1×2" << PoolFailure{};
        QTest::newRow("10 million in all") << nearly + "0" << "100人 10000000回 50%: 0×10000000" << PoolFailure{};
        QTest::newRow("Taluno1's 100 tosses at 60 %, a list taken at its share, a copy without toss rows") << tossTable(std::vector<bool>(100), 60) + "−3、1\n最低の釣り銭枚数\t1" << "100人 4回 60%: -100×1 -3×1 1×2" << PoolFailure{};
        QTest::newRow("a chat's copy: times, names and brackets passed over") << std::string("10:31\tたなか\tー９\n１０：３２\tさとう −7\n[10:33] すずき −12") << "100人 3回 -: -12×1 -9×1 -7×1" << PoolFailure{};
        QTest::newRow("a form's export: dates and times passed over") << std::string("2026/12/08 10:31:05\tたなか\t-9\n2026年12月8日 10時31分\tさとう\t1") << "100人 2回 -: -9×1 1×1" << PoolFailure{};
        QTest::newRow("a table at 60 % and Taluno1's copy at one half: each share and its line") << resultTable({10, 1, "-1.0", {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0}, 60}, true, true, 3) + tossTable(std::vector<bool>(10))
            << QString() << PoolFailure{MixedShares, 28, {}, 50, 60, 3};
        QTest::newRow("a table, then a list: each guest count and its line") << table10 + "0\t1\n\n-5" << QString() << PoolFailure{MixedGuests, 6, {}, 100, 10, 1};
        QTest::newRow("a share beyond 99 %, the tab quoted as a blank") << std::string("お釣りの要る人の割合\t100%") << QString() << PoolFailure{Unreadable, 1, "お釣りの要る人の割合 100%"};
        QTest::newRow("two numbers beside a name") << std::string("たなか -3 -5") << QString() << PoolFailure{NumberUnclear, 1, "たなか -3 -5"};
        QTest::newRow("digits in a word") << std::string("-3\nたなか2 -3") << QString() << PoolFailure{Unreadable, 2, "たなか2 -3"};
        QTest::newRow("nothing but blanks") << std::string(" \n　\t\r\n") << QString() << PoolFailure{NothingToPool, 0};
        QTest::newRow("a bad token, the lines counted across CRLF and blanks") << std::string("-1\r\n\r\n-2 , 3枚") << QString() << PoolFailure{Unreadable, 3, "-2 , 3枚"};
        QTest::newRow("9 guests") << std::string("お客人数\t9") << QString() << PoolFailure{Unreadable, 1, "お客人数 9"};
        QTest::newRow("a line quoted to 20 characters, 🍣 one, control characters and direction marks as blanks") << std::string("\n\n\u202E　あ\x01🍣\u200Fうえおかきくけこさしすせそたちつてと")
            << QString() << PoolFailure{Unreadable, 3, "あ 🍣 うえおかきくけこさしすせそたちつ…"};
        QTest::newRow("a million characters read, bytes of no UTF-8 quoted as U+FFFD") << "\xED\xA0" + std::string(999'999, '1') << QString() << PoolFailure{Unreadable, 1, "\uFFFD\uFFFD111111111111111111…"};
        QTest::newRow("a character more: refused unread") << "あ" + std::string(1'000'000, '1') << QString() << PoolFailure{TooMuchPasted, 0};
        QTest::newRow("a list's value above 1") << std::string("0\n2") << QString() << PoolFailure{LowestOutOfRange, 2, {}, 2, 100};
        QTest::newRow("a table's value below -10") << table10 + "-11\t1" << QString() << PoolFailure{LowestOutOfRange, 4, {}, -11, 10};
        QTest::newRow("Taluno1's lowest below its 4 tosses") << fourTosses + "最低の釣り銭枚数\t-5" << QString() << PoolFailure{LowestOutOfRange, 7, {}, -5, 4};
        QTest::newRow("a negative count") << table10 + "0\t-1" << QString() << PoolFailure{Unreadable, 4, "0 -1"};
        QTest::newRow("counts short of the experiments") << std::string("\nお客人数\t10\n実験回数\t4\n不足枚数\t度数\n0\t1\n1\t2\n\n0") << QString() << PoolFailure{CountsMismatch, 2, {}, 3, 4};
        QTest::newRow("a table without 実験回数") << std::string("お客人数\t10\n不足枚数\t度数\n0\t1") << QString() << PoolFailure{TableUnreadable, 1};
        QTest::newRow("a table cut off") << std::string("1\nお客人数\t100\n実験回数\t1") << QString() << PoolFailure{TableUnreadable, 2};
        QTest::newRow("one over 10 million") << nearly + "1 0" << QString() << PoolFailure{TooManyExperiments, 6, {}, 0, 10'000'000};
    }
    void reads()
    {
        QFETCH(std::string, text);
        QFETCH(QString, pooled);
        QFETCH(PoolFailure, refusal);
        const auto result = poolClassResults(text);
        const auto *refused = std::get_if<PoolFailure>(&result);
        QCOMPARE(refused ? *refused : PoolFailure{}, refusal);
        const auto *pool = std::get_if<PooledResults>(&result);
        QString read = pool ? QStringLiteral("%1人 %2回 %3:").arg(pool->guests).arg(pool->experiments).arg(pool->changePercent ? QString::number(*pool->changePercent) + '%' : "-") : QString();
        for (std::size_t k = 0; pool && k < pool->lowests.size(); ++k)
            read += pool->lowests[k] ? QStringLiteral(" %1×%2").arg(int(k) - pool->guests).arg(pool->lowests[k]) : QString();
        QCOMPARE(read, pooled);
    }

    // The sentence the teacher reads, character for character.
    void wordsEachRefusal_data()
    {
        QTest::addColumn<PoolFailure>("refusal");
        QTest::addColumn<QString>("sentence");
        QTest::newRow("too much pasted") << PoolFailure{TooMuchPasted, 0} << "貼り付けたものが長すぎます（100万文字まで）。";
        QTest::newRow("nothing to pool") << PoolFailure{NothingToPool, 0} << "まとめる結果がありません。";
        QTest::newRow("unreadable") << PoolFailure{Unreadable, 2, "x 3"} << "2行目が読めません：「x 3」";
        QTest::newRow("which number is unclear") << PoolFailure{NumberUnclear, 1, "たなか -3 -5"} << "1行目は、どの数が結果か分かりません：「たなか -3 -5」";
        QTest::newRow("below the guests, with U+2212") << PoolFailure{LowestOutOfRange, 2, {}, -101, 100} << "2行目の−101は、お客人数100人の不足枚数になりません（−100以上1以下）。";
        QTest::newRow("mixed guests") << PoolFailure{MixedGuests, 6, {}, 100, 10, 1} << "お客人数の違う結果はまとめられません：10人（1行目）と100人（6行目）。";
        QTest::newRow("mixed shares") << PoolFailure{MixedShares, 28, {}, 50, 60, 3} << "お釣りの要る人の割合の違う結果はまとめられません：60%（3行目）と50%（28行目）。";
        QTest::newRow("a table unreadable") << PoolFailure{TableUnreadable, 2} << "2行目からの表が読めません。";
        QTest::newRow("counts and experiments apart") << PoolFailure{CountsMismatch, 2, {}, 3, 4} << "2行目からの表の度数の合計（3）が実験回数（4）と合いません。";
        QTest::newRow("too many experiments") << PoolFailure{TooManyExperiments, 6, {}, 0, 10'000'000} << "実験回数の合計が多すぎます（10000000回まで）。";
    }
    void wordsEachRefusal()
    {
        QFETCH(PoolFailure, refusal);
        QFETCH(QString, sentence);
        QCOMPARE(QString::fromStdString(refusalText(refusal)), sentence);
    }
};

QTEST_GUILESS_MAIN(TestClassResults)
#include "tst_classresults.moc"
