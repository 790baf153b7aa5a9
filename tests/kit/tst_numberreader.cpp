#include "numberreader.h"

#include <QTest>

#include <cmath>
#include <limits>

// The prompts' number reader and range check, with the answers pupils type.
class TestNumberReader : public QObject
{
    Q_OBJECT

private slots:
    void reads_data();
    void reads();
    void guestCount_data();
    void guestCount();
    void experimentCount_data();
    void experimentCount();
    void neverLeavesTheRange_data();
    void neverLeavesTheRange();
};

void TestNumberReader::reads_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::newRow("plain") << "100" << 100.0;
    QTest::newRow("leading blanks skipped") << "   42" << 42.0;
    QTest::newRow("leading tab skipped") << "\t7" << 7.0;
    QTest::newRow("plus sign") << "+5" << 5.0;
    QTest::newRow("minus sign") << "-5" << -5.0;
    QTest::newRow("decimals") << "10.9" << 10.9;
    QTest::newRow("leading point") << ".5" << 0.5;
    QTest::newRow("trailing point") << "12." << 12.0;
    QTest::newRow("exponent") << "1e3" << 1000.0;
    QTest::newRow("exponent with sign") << "25E-1" << 2.5;
    QTest::newRow("empty exponent reads the mantissa") << "5e" << 5.0;
    QTest::newRow("exponent sign without digits") << "5e+" << 5.0;
    QTest::newRow("stops at letters") << "50abc" << 50.0;
    QTest::newRow("second point stops") << "1.2.3" << 1.2;
    QTest::newRow("blank inside stops") << "1 000" << 1.0;
    QTest::newRow("hex prefix reads as 0") << "0x1F" << 0.0;
    QTest::newRow("thousands separator stops") << "1,000" << 1.0;
    QTest::newRow("letters only") << "abc" << 0.0;
    QTest::newRow("blanks only") << "   " << 0.0;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("sign only") << "-" << 0.0;
    QTest::newRow("point only") << "." << 0.0;
    QTest::newRow("nan is not a number") << "nan" << 0.0;
    QTest::newRow("inf is not a number") << "inf" << 0.0;
    QTest::newRow("infinity is not a number") << "-infinity" << 0.0;
    QTest::newRow("underflow reads as 0") << "1e-400" << 0.0;
    QTest::newRow("full-width digits") << "１００" << 100.0;
    QTest::newRow("full-width sign, point and blank") << "　－１２．５" << -12.5;
}

void TestNumberReader::reads()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    QCOMPARE(readLeadingNumber(foldFullWidth(text.toStdString())), value);
}

void TestNumberReader::guestCount_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<int>("setting"); // -1: refused
    QTest::newRow("10 accepted") << "10" << 10;
    QTest::newRow("1000 accepted") << "1000" << 1000;
    QTest::newRow("9.99 refused") << "9.99" << -1;
    QTest::newRow("1000.1 refused") << "1000.1" << -1;
    QTest::newRow("1000.5 refused") << "1000.5" << -1;
    QTest::newRow("10.9 reads as 10") << "10.9" << 10;
    QTest::newRow("50abc reads as 50") << "50abc" << 50;
    QTest::newRow("abc refused") << "abc" << -1;
    QTest::newRow("blanks refused") << "    " << -1;
    QTest::newRow("-5 refused") << "-5" << -1;
    QTest::newRow("1e2 reads as 100") << "1e2" << 100;
    QTest::newRow("full-width 350") << "３５０" << 350;
    QTest::newRow("0x64 refused") << "0x64" << -1;
}

void TestNumberReader::guestCount()
{
    QFETCH(QString, answer);
    QFETCH(int, setting);
    QCOMPARE(acceptSetting(answer.toStdString(), 10, 1000).value_or(-1), setting);
}

void TestNumberReader::experimentCount_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<int>("setting");
    QTest::newRow("1 accepted") << "1" << 1;
    QTest::newRow("10000 accepted") << "10000" << 10000;
    QTest::newRow("0.5 refused") << "0.5" << -1;
    QTest::newRow("10001 refused") << "10001" << -1;
    QTest::newRow("1.5 reads as 1") << "1.5" << 1;
    QTest::newRow("9999.99 reads as 9999") << "9999.99" << 9999;
}

void TestNumberReader::experimentCount()
{
    QFETCH(QString, answer);
    QFETCH(int, setting);
    QCOMPARE(acceptSetting(answer.toStdString(), 1, 10000).value_or(-1), setting);
}

void TestNumberReader::neverLeavesTheRange_data()
{
    QTest::addColumn<QString>("answer");
    QTest::newRow("1e400") << "1e400";
    QTest::newRow("-1e400") << "-1e400";
    QTest::newRow("nan") << "nan";
    QTest::newRow("inf") << "inf";
    QTest::newRow("infinity") << "infinity";
    QTest::newRow("long digits") << QString(400, QLatin1Char('9'));
    QTest::newRow("long zeros then 50") << QString(400, QLatin1Char('0')) + "50";
    QTest::newRow("long fraction") << "0." + QString(500, QLatin1Char('0')) + "1e505";
    QTest::newRow("huge exponent") << "1e99999999999999999999999";
    QTest::newRow("huge negative exponent") << "5e-99999999999999999999999";
    QTest::newRow("empty exponent") << "5e";
}

void TestNumberReader::neverLeavesTheRange()
{
    QFETCH(QString, answer);
    for (const auto &[lowest, highest] : {std::pair{10, 1000}, std::pair{1, 10000}, std::pair{1, 1000}}) {
        const auto setting = acceptSetting(answer.toStdString(), lowest, highest);
        if (setting)
            QVERIFY2(*setting >= lowest && *setting <= highest, qPrintable(answer));
    }
    QVERIFY(!std::isnan(readLeadingNumber(answer.toStdString())));
    // 1e505 times 0.000…1 (500 zeros, then 1) is 1e4: well inside, and read exactly.
    if (QTest::currentDataTag() == QByteArray("long fraction"))
        QCOMPARE(acceptSetting(answer.toStdString(), 1, 10000).value_or(-1), 10000);
    if (QTest::currentDataTag() == QByteArray("long zeros then 50"))
        QCOMPARE(acceptSetting(answer.toStdString(), 10, 1000).value_or(-1), 50);
}

QTEST_GUILESS_MAIN(TestNumberReader)
#include "tst_numberreader.moc"
