#include "core/numberreader.h"

#include <QTest>

// The settings prompts' number reader and range check, with the answers pupils type.
class TestNumberReader : public QObject
{
    Q_OBJECT

private slots:
    void acceptsSetting_data();
    void acceptsSetting();
};

void TestNumberReader::acceptsSetting_data()
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
    guests("9.99 refused", "9.99", -1);
    guests("1000.1 refused: the range before the rounding", "1000.1", -1);
    guests("10.9 reads as 10", "10.9", 10);
    guests("50abc reads as 50", "50abc", 50);
    guests("abc refused", "abc", -1);
    guests("blanks refused", "    ", -1);
    guests("-50 refused, not read as 50", "-50", -1);
    guests("leading blanks and tab skipped", " \t42", 42);
    guests("plus sign", "+50", 50);
    guests("exponent", "1e2", 100);
    guests("exponent with sign", "2500E-1", 250);
    guests("5e reads the mantissa", "50e", 50);
    guests("leading point", ".5e3", 500);
    guests("second point stops", "12.5.3", 12);
    guests("thousands separator stops", "1,000", -1);
    guests("hex prefix reads as 0", "0x64", -1);
    guests("full-width digits through an IME", "３５０", 350);
    guests("full-width sign, point and blank", "　＋１２．５", 12);
    guests("full-width minus", "－５０", -1);
    guests("nan refused", "nan", -1);
    guests("infinity refused", "infinity", -1);
    guests("1e400 refused", "1e400", -1);
    guests("400 nines refused", QString(400, QLatin1Char('9')), -1);
    guests("400 zeros then 50", QString(400, QLatin1Char('0')) + "50", 50);
    QTest::newRow("1e-400 reads as 0, refused") << "1e-400" << 1 << 10000 << -1;
    QTest::newRow("long fraction times 1e505 is 10000") << "0." + QString(500, QLatin1Char('0')) + "1e505" << 1 << 10000
                                                       << 10000;
}

void TestNumberReader::acceptsSetting()
{
    QFETCH(QString, answer);
    QFETCH(int, lowest);
    QFETCH(int, highest);
    QFETCH(int, setting);
    QCOMPARE(acceptSetting(answer.toStdString(), lowest, highest).value_or(-1), setting);
}

QTEST_GUILESS_MAIN(TestNumberReader)
#include "tst_numberreader.moc"
