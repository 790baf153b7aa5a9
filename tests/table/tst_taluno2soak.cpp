#include "form1.h"
#include "soaktest.h"

#include <QTest>

class TestTaluno2Soak : public SoakTest
{
    Q_OBJECT

public:
    TestTaluno2Soak()
        : SoakTest(2, [](const Seams &seams) { return new Taluno2::Form1(seams); })
    {
    }
};

QTEST_MAIN(TestTaluno2Soak)
#include "tst_taluno2soak.moc"
