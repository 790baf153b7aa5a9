#include "form1.h"
#include "soaktest.h"

#include <QTest>

class TestTaluno3Soak : public SoakTest
{
    Q_OBJECT

public:
    TestTaluno3Soak()
        : SoakTest(3, [](const Seams &seams) { return new Taluno3::Form1(seams); })
    {
    }
};

QTEST_MAIN(TestTaluno3Soak)
#include "tst_taluno3soak.moc"
