#include "core/classresults.h"
#include "core/lesson.h"

#include <QTest>

namespace {

// What the teacher is shown: the message with the line shown (@), or the guests, experiments, share (- where none is
// stated) and each lowest balance that came.
QString pooled(const std::string &text)
{
    const auto result = poolClassResults(text);
    if (const auto *failure = std::get_if<PoolFailure>(&result))
        return QString::fromStdString(failure->message) + (failure->line ? QStringLiteral(" @%1").arg(failure->line) : QString());
    const PooledResults &pool = std::get<PooledResults>(result);
    QString shown = QStringLiteral("%1人 %2回 %3:").arg(pool.guests).arg(pool.experiments)
                        .arg(pool.changePercent ? QString::number(*pool.changePercent) + '%' : QStringLiteral("-"));
    if (pool.lowests.size() != std::size_t(pool.guests + 2))
        return shown + " wrong size";
    for (std::size_t k = 0; k < pool.lowests.size(); ++k) {
        if (pool.lowests[k] != 0)
            shown += QStringLiteral(" %1×%2").arg(int(k) - pool.guests).arg(pool.lowests[k]);
    }
    return shown;
}

// Taluno2's table of a run of 10 guests with its law, the coins enough and the share for 3 coins.
std::string taluno2Table(std::vector<int> lowests, int experiments, int changePercent = 50)
{
    return resultTable(LessonRun{10, experiments, "-1.0", std::move(lowests), changePercent}, true, true, 3);
}

} // namespace

// How the results a class pastes into one box are read and pooled, and what the teacher is told
// where they cannot be.
class TestClassResults : public QObject
{
    Q_OBJECT

private slots:
    void poolsOrSaysWhy()
    {
        std::vector<bool> heads(100); // 9 tails down to -9, then heads and tails in turn
        for (std::size_t k = 9; k < heads.size(); ++k)
            heads[k] = (k - 9) % 2 == 0;
        const std::string fourTosses = "お釣りの要る人の割合\t60%\n回数\t表/裏\t釣り銭枚数\n1\t裏\t-1\n2\t裏\t-2\n3\t表\t-1\n4\t表\t0\n";
        const std::string table10 = "お客人数\t10\n実験回数\t1\n不足枚数\t度数\n";
        const std::string nearly = "お客人数\t100\n実験回数\t9999999\n不足枚数\t度数\n0\t9999999\n\n";
        const struct { const char *name; std::string text; const char *shown; } rows[] = {
            {"list: full-width, ▲, ー and − signs, every separator", "１、▲7，−7\r\nー12;０　+1\t-0；1",
             "100人 8回 -: -12×1 -7×2 0×2 1×3"},
            {"list: each minus sign", "-1 −2 －3 ー4 ｰ5 ‐6 ‑7 ‒8 –9 —10 ―11 ﹣12 ▲13 △14 ＋1",
             "100人 15回 -: -14×1 -13×1 -12×1 -11×1 -10×1 -9×1 -8×1 -7×1 -6×1 -5×1 -4×1 -3×1 -2×1 -1×1 1×1"},
            {"Taluno1: two copies of 4 tosses", fourTosses + "最低の釣り銭枚数\t-2\n\n" + fourTosses + "\n最低の釣り銭枚数\t▲4",
             "4人 2回 60%: -4×1 -2×1"},
            {"Taluno1: 100 tosses and a copy without rows, with a list", tossTable(heads) + "−3、1\n最低の釣り銭枚数\t1",
             "100人 4回 50%: -9×1 -3×1 1×2"},
            {"two tables of 10 added, their coin panels skipped", taluno2Table({0, 0, 0, 0, 0, 0, 0, 2, 0, 0, 2, 1}, 5) + "\n"
             + taluno2Table({0, 0, 0, 0, 0, 0, 0, 1, 0, 3, 0, 0}, 4), "10人 9回 50%: -3×3 -1×3 0×2 1×1"},
            {"table through a spreadsheet", "\xEF\xBB\xBFお客人数\t10\t\t\r\n実験回数\t ３ \t\t\r\nお釣りの要る人の割合\t60%\t\r\n\t\t\r\n不足枚数\t度数\t相対度数\t\r\n"
             "－２\t１\t0.03\t\r\n▲1\t0\t▲7\t\r\n0\t2\t0.67\t\r\n", "10人 3回 60%: -2×1 0×2"},
            {"10 million in all", nearly + "0", "100人 10000000回 50%: 0×10000000"},
            {"a list after Taluno1's copy at 60 %, taken at its share", tossTable(heads, 60) + "-1", "100人 2回 60%: -9×1 -1×1"},
            {"a table at 60 % and Taluno1's copy at one half", taluno2Table({0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0}, 1, 60) + tossTable(std::vector<bool>(10)),
             "お釣りの要る人の割合の違う結果はまとめられません：60%（3行目）と50%（28行目）。 @28"},
            {"a share beyond 99 %", "お釣りの要る人の割合\t100%", "1行目が読めません：「お釣りの要る人の割合 100%」 @1"},
            {"a chat's copy: times, names and brackets passed over", "10:31\tたなか\tー９\n１０：３２\tさとう −7\n[10:33] すずき −12",
             "100人 3回 -: -12×1 -9×1 -7×1"},
            {"a form's export: dates and times passed over", "2026/12/08 10:31:05\tたなか\t-9\n2026年12月8日 10時31分\tさとう\t1", "100人 2回 -: -9×1 1×1"},
            {"two numbers beside a name", "たなか -3 -5", "1行目は、どの数が結果か分かりません：「たなか -3 -5」 @1"},
            {"digits in a word", "-3\nたなか2 -3", "2行目が読めません：「たなか2 -3」 @2"},
            {"nothing but blanks", " \n　\t\r\n", "まとめる結果がありません。"},
            {"a bad token, the lines counted across CRLF and blanks", "-1\r\n\r\n-2 , 3枚", "3行目が読めません：「-2 , 3枚」 @3"},
            {"ten digits", "0000000001", "1行目が読めません：「0000000001」 @1"},
            {"9 guests, the tab shown as a blank", "お客人数\t9", "1行目が読めません：「お客人数 9」 @1"},
            {"a long line cut at 20 characters, a control character as a blank", "\n\n　あ\x01うえおかきくけこさしすせそたちつてとな",
             "3行目が読めません：「あ うえおかきくけこさしすせそたちつてと…」 @3"},
            {"direction marks as blanks, a character beyond 16 bits as one", "\u202E🍣\u200F" + std::string(10, '9') + "🍣🍣🍣🍣🍣🍣🍣🍣🍣",
             "1行目が読めません：「🍣 9999999999🍣🍣🍣🍣🍣🍣🍣🍣…」 @1"},
            {"a million characters read, bytes of no UTF-8 quoted as U+FFFD", "\xED\xA0" + std::string(999'999, '1'),
             "1行目が読めません：「\uFFFD\uFFFD111111111111111111…」 @1"},
            {"a character more: refused unread", "あ" + std::string(1'000'000, '1'), "貼り付けたものが長すぎます（100万文字まで）。"},
            {"a list's value above 1", "0\n2", "2行目の2は、お客人数100人の不足枚数になりません（−100以上1以下）。 @2"},
            {"a list's value below -100", "0\n▲101", "2行目の−101は、お客人数100人の不足枚数になりません（−100以上1以下）。 @2"},
            {"a table's value below -10", table10 + "-11\t1", "4行目の−11は、お客人数10人の不足枚数になりません（−10以上1以下）。 @4"},
            {"Taluno1's lowest below its 4 tosses", fourTosses + "最低の釣り銭枚数\t-5", "7行目の−5は、お客人数4人の不足枚数になりません（−4以上1以下）。 @7"},
            {"a negative count", table10 + "0\t-1", "4行目が読めません：「0 -1」 @4"},
            {"a table, then a list", table10 + "0\t1\n\n-5", "お客人数の違う結果はまとめられません：10人（1行目）と100人（6行目）。 @6"},
            {"4 tosses, then a list", fourTosses + "最低の釣り銭枚数\t0\n0", "お客人数の違う結果はまとめられません：4人（7行目）と100人（8行目）。 @8"},
            {"counts short of the experiments", "\nお客人数\t10\n実験回数\t4\n不足枚数\t度数\n0\t1\n1\t2\n\n0",
             "2行目からの表の度数の合計（3）が実験回数（4）と合いません。 @2"},
            {"a table without 実験回数", "お客人数\t10\n不足枚数\t度数\n0\t1", "1行目からの表が読めません。 @1"},
            {"a table without rows", table10 + "\n0", "1行目からの表が読めません。 @1"},
            {"a table cut off", "1\nお客人数\t100\n実験回数\t1", "2行目からの表が読めません。 @2"},
            {"one over 10 million", nearly + "1 0", "実験回数の合計が多すぎます（10000000回まで）。 @6"},
        };
        for (const auto &row : rows)
            QCOMPARE(QStringLiteral("%1: %2").arg(row.name, pooled(row.text)), QStringLiteral("%1: %2").arg(row.name, row.shown));
    }
};

QTEST_GUILESS_MAIN(TestClassResults)
#include "tst_classresults.moc"
