#include "TempFolder.h"
#include "TestHost.h"

#include <QTest>

class tst_DesktopHost : public QObject {
    Q_OBJECT
private slots:
    void placeholder() {}
};

QTEST_MAIN(tst_DesktopHost)
#include "tst_DesktopHost.moc"
