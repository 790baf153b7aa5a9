#include "core/numberreader.h"

#include <QTest>

// How the prompts read what is typed or pasted: the settings (10 to 1000 guests here) and c枚用意したら？
// (0 coins to 100 guests here); and the whole numbers and characters of pasted results.
class TestNumberReader : public QObject
{
    Q_OBJECT

private slots:
    void acceptsAnswer()
    {
        const struct { const char *name; QString answer; int lowest, accepted; /* -1: refused */ } rows[] = {
            {"guest count 10 accepted", "10", 10, 10},
            {"guest count 1000 accepted", "1000", 10, 1000},
            {"1000.1 refused: the range before the rounding", "1000.1", 10, -1},
            {"10.9 reads as 10", "10.9", 10, 10},
            {"50abc reads as 50", "50abc", 10, 50},
            {"-50 refused, not read as 50", "-50", 10, -1},
            {"leading blanks and tab skipped", " \t42", 10, 42},
            {"exponent with sign", "2500E-1", 10, 250},
            {"an exponent without digits is no exponent", "50e+", 10, 50},
            {"thousands separator stops", "1,000", 10, -1},
            {"full-width digits through an IME", "３５０", 10, 350},
            {"full-width sign, point and blank", "　＋１２．５", 10, 12},
            {"full-width minus", "－５０", 10, -1},
            {"nan refused", "nan", 10, -1},
            {"1e400 refused", "1e400", 10, -1},
            {"400 nines refused", QString(400, QLatin1Char('9')), 10, -1},
            {"long fraction times 1e505 is 1000", "0." + QString(500, QLatin1Char('0')) + "1e504", 10, 1000},
            {"abc is no number, not 0", "abc", 0, -1},
            {"約8 is no number", "約8", 0, -1},
            {"an empty point is no number", ".", 0, -1},
            {"0 is a number", "0", 0, 0},
            {"1e-400 is a number, 0", "1e-400", 0, 0},
            {"8.7 reads as 8", "8.7", 0, 8},
            {"full-width with a blank before", "　８", 0, 8},
            {"-1 refused", "-1", 0, -1},
        };
        for (const auto &row : rows) {
            const int highest = row.lowest == 0 ? 100 : 1000;
            QCOMPARE(QStringLiteral("%1: %2").arg(row.name).arg(acceptSetting(row.answer.toStdString(), row.lowest, highest).value_or(-1)),
                     QStringLiteral("%1: %2").arg(row.name).arg(row.accepted));
        }
    }

    // A lowest balance as a class types or pastes it, once folded.
    void readsWholeNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("read");
        for (const char *minus : {"-", "−", "ー", "ｰ", "‐", "‑", "‒", "–", "—", "―", "﹣", "▲", "△"})
            QTest::addRow("%s7 is -7", minus) << QString::fromUtf8(minus) + "7" << "-7";
        QTest::newRow("nine digits read") << "999999999" << "999999999";
        QTest::newRow("ten digits refused") << "0000000001" << "refused";
        QTest::newRow("a word after refused") << "3枚" << "refused";
    }
    void readsWholeNumber()
    {
        QFETCH(QString, text);
        QFETCH(QString, read);
        const std::optional<int> number = readWholeNumber(text.toStdString());
        QCOMPARE(number ? QString::number(*number) : "refused", read);
    }

    // Each sequence decoded, U+FFFD for each byte that starts none.
    void walksUtf8_data()
    {
        QTest::addColumn<std::string>("bytes");
        QTest::addColumn<QString>("decoded");
        QTest::newRow("one to four bytes") << std::string("a\xC3\xA9\xE3\x81\x82\xF0\x9F\x8D\xA3") << "aéあ🍣";
        QTest::newRow("a sequence cut short, an overlong slash") << std::string("\xE3\x81\xC0\xAF") << "\uFFFD\uFFFD\uFFFD\uFFFD";
        QTest::newRow("a surrogate, beyond U+10FFFF") << std::string("\xED\xA0\x80\xF4\x90\x80\x80") << QString(7, QChar(0xFFFD));
    }
    void walksUtf8()
    {
        QFETCH(std::string, bytes);
        QFETCH(QString, decoded);
        std::u32string codes;
        for (std::size_t at = 0; at < bytes.size();)
            codes += nextCodePoint(bytes, at);
        QCOMPARE(QString::fromStdU32String(codes), decoded);
    }
};

QTEST_GUILESS_MAIN(TestNumberReader)
#include "tst_numberreader.moc"
