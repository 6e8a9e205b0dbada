// The start-up warm-up thread in a process that never makes a QApplication
// (one that ends early, or whose QApplication fails): the thread must stop
// after its first part without touching Qt, which would end the process,
// and finish() must return.
#include "fixture.h"

#include "shell/startupwarmer.h"

#include <QTest>

using namespace tolvaren;
using namespace tolvaren::testing;

class WarmerTest : public QObject {
    Q_OBJECT

  private slots:
    void finishesWithoutAnApplication()
    {
        QVERIFY(!QCoreApplication::instance());
        auto *warmer = new StartupWarmer;
        QVERIFY(finishesWithin(warmer));
        delete warmer;
    }
};

QTEST_APPLESS_MAIN(WarmerTest)
#include "warmer_test.moc"
