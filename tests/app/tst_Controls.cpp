#include "TempFolder.h"
#include "TestHost.h"

#include <QTest>

class tst_Controls : public QObject {
    Q_OBJECT
private slots:
    void placeholder() {}
};

QTEST_MAIN(tst_Controls)
#include "tst_Controls.moc"
