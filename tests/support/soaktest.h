#ifndef SOAKTEST_H
#define SOAKTEST_H

#include <QObject>

#include <functional>
#include <memory>

class BatchForm;
class InPlaceHelp;
class TestSeams;
struct Seams;

// A class's afternoon of clicking on Taluno2 or Taluno3: windows swapped and runs repeated a
// thousand times must leave nothing behind. Each program's test derives from it with its window.
class SoakTest : public QObject
{
    Q_OBJECT

public:
    using MainFactory = std::function<BatchForm *(const Seams &)>;
    SoakTest(int program, MainFactory makeMain);
    ~SoakTest() override;

private slots:
    void initTestCase();
    void cleanupTestCase();
    void helpAndBackAThousandTimes();
    void runAndResetAThousandTimes();

private:
    struct Figures
    {
        qsizetype objects;
        long rss;
    };
    // What is wrong with the settings exchange since the last call, or nothing; forgets it.
    QString promptFault(const QStringList &expectedTitles);
    Figures figures();
    void report(const char *phase, const Figures &early, const Figures &late, qint64 ms);

    int m_programNumber;
    MainFactory m_makeMain;
    std::unique_ptr<TestSeams> m_test;
    std::unique_ptr<InPlaceHelp> m_program;
};

#endif
