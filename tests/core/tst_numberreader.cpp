#include "core/numberreader.h"

#include <QTest>

// How the prompts read what is typed or pasted: the settings (10 to 1000 guests, up to 10000
// experiments) and c枚用意したら？ (0 coins to the guest count).
class TestNumberReader : public QObject
{
    Q_OBJECT

private slots:
    void acceptsAnswer_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<int>("lowest");
        QTest::addColumn<int>("highest");
        QTest::addColumn<int>("accepted"); // -1: refused
        const auto guests = [](const char *name, const QString &answer, int accepted) {
            QTest::newRow(name) << answer << 10 << 1000 << accepted;
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
        guests("an exponent without digits is no exponent", "50e+", 50);
        guests("thousands separator stops", "1,000", -1);
        guests("full-width digits through an IME", "３５０", 350);
        guests("full-width sign, point and blank", "　＋１２．５", 12);
        guests("full-width minus", "－５０", -1);
        guests("nan refused", "nan", -1);
        guests("1e400 refused", "1e400", -1);
        guests("400 nines refused", QString(400, QLatin1Char('9')), -1);
        QTest::newRow("long fraction times 1e505 is 10000") << "0." + QString(500, QLatin1Char('0')) + "1e505" << 1 << 10000
                                                           << 10000;
        const auto coins = [](const char *name, const QString &answer, int accepted) {
            QTest::newRow(name) << answer << 0 << 100 << accepted;
        };
        coins("coins: abc is no number, not 0", "abc", -1);
        coins("coins: 約8 is no number", "約8", -1);
        coins("coins: an empty point is no number", ".", -1);
        coins("coins: 0 is a number", "0", 0);
        coins("coins: 1e-400 is a number, 0", "1e-400", 0);
        coins("coins: 8.7 reads as 8", "8.7", 8);
        coins("coins: full-width with a blank before", "　８", 8);
        coins("coins: -1 refused", "-1", -1);
        coins("coins: one more than the guests refused", "101", -1);
        coins("coins: 100.5 refused", "100.5", -1);
    }

    void acceptsAnswer()
    {
        QFETCH(QString, answer);
        QFETCH(int, lowest);
        QFETCH(int, highest);
        QFETCH(int, accepted);
        QCOMPARE(acceptSetting(answer.toStdString(), lowest, highest).value_or(-1), accepted);
    }
};

QTEST_GUILESS_MAIN(TestNumberReader)
#include "tst_numberreader.moc"
