#include "TempFolder.h"
#include "TestHost.h"

#include <QTest>

class tst_MainMenu : public QObject {
    Q_OBJECT
private slots:
    void placeholder() {}
};

QTEST_MAIN(tst_MainMenu)
#include "tst_MainMenu.moc"
