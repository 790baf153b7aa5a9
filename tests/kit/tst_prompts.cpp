#include "quitconfirmation.h"
#include "settingsprompt.h"
#include "testseams.h"

#include <QTest>

// The settings prompts and the quit confirmation, answered from a script.
class TestPrompts : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { setUpTalunoTest(); }
    void rowsOfBothPrograms();
    void prompt_data();
    void prompt();
    void cancelThenYesEnds();
    void cancelThenNoAsksAgainWithDefault();
    void quitYesEnds();
    void quitNoLeavesAll();
};

void TestPrompts::rowsOfBothPrograms()
{
    const SettingRows two = taluno2Rows();
    QCOMPARE(two.guests.prompt, QStringLiteral("10以上1000以下の整数を入力してください．．．"));
    QCOMPARE(two.guests.title, QStringLiteral(" お客人数の設定"));
    QCOMPARE(two.guests.defaultText, QStringLiteral("100"));
    QCOMPARE(two.experiments.prompt, QStringLiteral("1以上10000以下の整数を入力してください．．．"));
    QCOMPARE(two.experiments.title, QStringLiteral(" 実験回数の設定"));
    QCOMPARE(two.experiments.defaultText, QStringLiteral("1000"));
    QCOMPARE(two.experiments.highest, 10000);

    const SettingRows three = taluno3Rows();
    QCOMPARE(three.guests.prompt, two.guests.prompt);
    QCOMPARE(three.experiments.prompt, QStringLiteral("1以上1000以下の整数を入力してください．．．"));
    QCOMPARE(three.experiments.defaultText, QStringLiteral("100"));
    QCOMPARE(three.experiments.lowest, 1);
    QCOMPARE(three.experiments.highest, 1000);
}

void TestPrompts::prompt_data()
{
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<int>("setting");
    QTest::addColumn<int>("timesAsked");
    QTest::newRow("accepted at once") << QStringList{"250"} << 250 << 1;
    QTest::newRow("refused silently, then accepted") << QStringList{"9.99", "abc", "-5", "1000.1", "10.9"} << 10 << 5;
    QTest::newRow("1e400 refused") << QStringList{"1e400", "nan", "inf", "1000"} << 1000 << 4;
}

void TestPrompts::prompt()
{
    QFETCH(QStringList, answers);
    QFETCH(int, setting);
    QFETCH(int, timesAsked);
    TestSeams test;
    test.boxes.answerInputs(answers);
    QCOMPARE(askSetting(test.seams, taluno2Rows().guests).value_or(-1), setting);
    QCOMPARE(test.boxes.asked().size(), timesAsked);
    for (const auto &asked : test.boxes.asked()) {
        QVERIFY(asked.input); // a refusal shows no message
        QCOMPARE(asked.defaultText, QStringLiteral("100"));
    }
    QCOMPARE(test.ends, 0);
    QVERIFY(test.cues.isEmpty());
}

void TestPrompts::cancelThenYesEnds()
{
    TestSeams test;
    test.boxes.answerInputs({""});
    test.boxes.answerYesNo({true});
    QVERIFY(!askSetting(test.seams, taluno3Rows().experiments));
    QCOMPARE(test.ends, 1);
    QCOMPARE(test.boxes.asked().size(), 2);
    QCOMPARE(test.boxes.asked().at(1).text, QStringLiteral("終了していいですか？"));
    QCOMPARE(test.boxes.asked().at(1).title, QStringLiteral("確認"));
    QVERIFY(test.cues.isEmpty()); // no cue on this path
}

void TestPrompts::cancelThenNoAsksAgainWithDefault()
{
    TestSeams test;
    test.boxes.answerInputs({"", "5000"});
    test.boxes.answerYesNo({false});
    QCOMPARE(askSetting(test.seams, taluno2Rows().experiments).value_or(-1), 5000);
    QCOMPARE(test.boxes.asked().size(), 3);
    QCOMPARE(test.boxes.asked().at(2).text, taluno2Rows().experiments.prompt);
    QCOMPARE(test.boxes.asked().at(2).defaultText, QStringLiteral("1000"));
    QCOMPARE(test.ends, 0);
}

void TestPrompts::quitYesEnds()
{
    TestSeams test;
    test.boxes.answerYesNo({true});
    confirmQuit(test.seams);
    QCOMPARE(test.cues, QStringList{"endpinpon.wav"});
    QCOMPARE(test.boxes.asked().size(), 1);
    QCOMPARE(test.boxes.asked().at(0).text, QStringLiteral("終了していいですか？"));
    QCOMPARE(test.boxes.asked().at(0).title, QStringLiteral("Talunoの実験"));
    QCOMPARE(test.ends, 1);
}

void TestPrompts::quitNoLeavesAll()
{
    TestSeams test;
    test.boxes.answerYesNo({false});
    confirmQuit(test.seams);
    QCOMPARE(test.cues, QStringList{"endpinpon.wav"}); // the cue sounds anyway
    QCOMPARE(test.ends, 0);
}

QTEST_MAIN(TestPrompts)
#include "tst_prompts.moc"
