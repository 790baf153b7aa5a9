#include "batchquittest.h"
#include "form1.h"

int main(int argc, char *argv[])
{
    const MakeMain make = [](const Seams &seams) -> BatchForm * { return new Taluno2::Form1(seams); };
    return runBatchQuitTest(argc, argv, 2, make, QStringLiteral("1000"));
}
