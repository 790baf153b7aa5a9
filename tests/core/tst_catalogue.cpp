#include "core/catalogue.h"
#include "core/classresults.h"
#include "core/frequencygraph.h"
#include "core/layout.h"
#include "core/lesson.h"
#include "core/lessonlink.h"
#include "core/texts.h"
#include "core/viewscale.h"
#include "core/walkgraph.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTest>

namespace {

// The placeholders of a text, sorted: "{guests}…{mean}" as "guests mean".
QStringList placeholders(const std::string &text)
{
    QStringList found;
    for (const QRegularExpressionMatch &match : QRegularExpression(QStringLiteral("\\{(\\w+)\\}")).globalMatch(QString::fromStdString(text)))
        found << match.captured(1).remove(QStringLiteral("fullWidth")).toLower(); // the same number in full-width digits
    found.sort();
    return found;
}

// Kana, kanji, Japanese punctuation and full-width forms: what an English face never shows.
const QRegularExpression japanese(QStringLiteral("[\\x{3000}-\\x{30FF}\\x{3400}-\\x{9FFF}\\x{FF00}-\\x{FFEF}]"));

} // namespace

// The catalogues: each language's texts by name, what every text a program shows is taken from.
class TestCatalogue : public QObject
{
    Q_OBJECT

private slots:
    // Every catalogue file holds exactly the names the programs ask for, each text with the same placeholders as
    // the Japanese one; a new language is a new file.
    void everyCatalogueHasEveryText()
    {
        const QStringList files = QDir(QStringLiteral(TALUNO_SOURCE_DIR "/core/catalogues")).entryList({QStringLiteral("*.json")});
        QStringList languages;
        for (const std::string &language : catalogueLanguages())
            languages << QString::fromStdString(language) + QStringLiteral(".json");
        QCOMPARE(languages, files);
        QStringList names;
        for (const Text name : allTexts())
            names << QString::fromStdString(std::string(textName(name)));
        names.sort();
        for (const QString &file : files) {
            QFile json(QStringLiteral(TALUNO_SOURCE_DIR "/core/catalogues/") + file);
            QVERIFY(json.open(QIODevice::ReadOnly));
            const CatalogueReading reading = readCatalogue(json.readAll().toStdString());
            QVERIFY2(reading.error.empty(), reading.error.c_str());
            QStringList keys;
            for (const auto &[key, value] : reading.texts)
                keys << QString::fromStdString(key);
            QCOMPARE(keys, names);
            for (const Text name : allTexts()) {
                const std::string language = file.chopped(5).toStdString();
                QVERIFY2(placeholders(textIn(language, name)) == placeholders(textIn(originalLanguage, name)),
                         (file.toStdString() + ": " + std::string(textName(name))).c_str());
            }
        }
    }

    // What a catalogue file may hold, and what is refused with where.
    void readsCatalogues_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QString>("read");
        QTest::newRow("texts, a list of lines, escapes and a surrogate pair") << QByteArray(" { \"a\": \" x\\n\\\"\\\\\\u00e9\", \"b\": [\"1\", \"\", \"2\"], \"c\": \"\\ud83c\\udf63\" } ")
                                                                              << QStringLiteral("a= x\n\"\\é|b=1\n\n2|c=🍣");
        QTest::newRow("no object") << QByteArray("[\"a\"]") << QStringLiteral("error at byte 0");
        QTest::newRow("a name twice") << QByteArray("{\"a\": \"1\", \"a\": \"2\"}") << QStringLiteral("error at byte 19");
        QTest::newRow("a lone surrogate") << QByteArray("{\"a\": \"\\ud83c\"}") << QStringLiteral("error at byte 13");
    }
    void readsCatalogues()
    {
        QFETCH(QByteArray, json);
        QFETCH(QString, read);
        const CatalogueReading reading = readCatalogue(json.toStdString());
        QStringList texts;
        for (const auto &[key, value] : reading.texts)
            texts << QString::fromStdString(key + "=" + value);
        const QRegularExpressionMatch at = QRegularExpression(QStringLiteral("at byte (\\d+)")).match(QString::fromStdString(reading.error));
        QCOMPARE(reading.error.empty() ? texts.join('|') : QStringLiteral("error at byte ") + at.captured(1), read);
    }

    // The language a system or a browser asks for, by its first choice that has a catalogue; English otherwise.
    void choosesTheLanguage_data()
    {
        QTest::addColumn<QStringList>("preferred");
        QTest::addColumn<QString>("chosen");
        QTest::newRow("Japanese, as a Linux locale gives it") << QStringList{"ja_JP.UTF-8"} << "ja";
        QTest::newRow("British English, as a browser gives it") << QStringList{"en-GB", "ja"} << "en";
        QTest::newRow("French first, then Japanese in capitals") << QStringList{"fr-FR", "JA"} << "ja";
        QTest::newRow("languages without a catalogue") << QStringList{"de", "C"} << "en";
        QTest::newRow("nothing asked") << QStringList{} << "en";
    }
    void choosesTheLanguage()
    {
        QFETCH(QStringList, preferred);
        QFETCH(QString, chosen);
        std::vector<std::string> codes;
        for (const QString &code : preferred)
            codes.push_back(code.toStdString());
        QCOMPARE(QString::fromStdString(chooseLanguage(codes)), chosen);
    }

    // Whatever the core makes for an English face (windows and their help, runs described and copied, refusals,
    // links read, the command line's help) holds no Japanese but the names of the languages offered; the same made
    // in Japanese still does, and the language chosen last is the one every table is made in.
    void englishFaceHoldsNoJapanese()
    {
        for (const std::string language : {"en", "ja"}) {
            QVERIFY(useLanguage(language));
            QStringList made;
            const auto add = [&made](const std::string &text) { made << QString::fromStdString(text); };
            for (const ProgramRow &row : programTable()) {
                add(row.title + row.summary + commandLineHelp(row.number));
                for (const ExtraRow &extra : row.extras)
                    add(extra.caption);
                for (const WindowLayout *window : {&mainWindowLayout(row.number), &helpWindowLayout(row.number)}) {
                    add(window->title);
                    for (const Control &control : window->controls)
                        add(control.caption + control.description);
                }
                for (const std::string &line : helpLines(row.number, 60))
                    add(line);
                add(unusedNotice(readLesson(row.number, "taluno9.html#guests=1&show=x&share=60&share=1&lang=fr&what=1").unused));
            }
            for (int kind = 0; kind <= static_cast<int>(RefusalKind::TooManyExperiments); ++kind)
                add(refusalText({static_cast<RefusalKind>(kind), 2, "x", -3, 10, 1}));
            const LessonRun run{10, 2, "-1.0", {0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 1, 0}, 60};
            add(resultTable(run, true, true, 3) + tossTable({true, false}, 60) + describeGraph({0, 2, 2, 1}, -2) + describeGraph({0, 3}, -2));
            for (const CellTable &table : {coinsPanel(run), sharePanel(run, 3)}) {
                add(table.heading);
                for (const auto &cells : table.rows) {
                    for (const std::string &cell : cells)
                        add(cell);
                }
            }
            for (const std::optional<int> coins : {std::optional<int>(), std::optional(0), std::optional(5)})
                add(describeWalk({false, false, true}, coins) + lowestSoFarText({}, coins));
            for (const ViewSizeRow &row : viewSizeRows)
                add(text(row.caption));
            // Each language is offered by its own name: 日本語 stands among the English.
            QString all = made.join('\n');
            for (const std::string &other : catalogueLanguages())
                all.remove(QString::fromStdString(textIn(other, Text::languageName)));
            const qsizetype at = all.indexOf(japanese);
            QVERIFY2((at >= 0) == (language == "ja"), qPrintable(all.mid(at - 20, 40)));
            QVERIFY(!all.contains(QStringLiteral("{")));
        }
    }
};

QTEST_GUILESS_MAIN(TestCatalogue)
#include "tst_catalogue.moc"
