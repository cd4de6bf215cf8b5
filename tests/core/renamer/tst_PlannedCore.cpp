// SPDX-License-Identifier: GPL-3.0-or-later
#include "Differential.h"
#include "TempFolder.h"
#include "TestFileSystem.h"

#include "core/changes/RenamePlan.h"
#include "core/renamer/RenamerChange.h"

#include <QTest>

namespace {

QStringList withContents(const QStringList &rows)
{
    QStringList sorted = rows;
    std::sort(sorted.begin(), sorted.end());
    return sorted;
}

} // namespace

class tst_PlannedCore : public QObject {
    Q_OBJECT
private slots:
    // Seeded folders of clashing names: the planned core ends exactly where
    // the step-by-step engine ends, name for name and file for file.
    void matchesTheReference_data() { addComparisonRows(150, 300, 100); }
    void matchesTheReference() { compareSeeds({}, false); }

    // Plans made by hand: each file renamed once, a temporary name only
    // where a cycle needs one, nothing replaced when a rename is refused.
    void apply_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QStringList>("renames"); // "from>to"
        QTest::addColumn<QString>("refused");     // a path whose renames fail
        QTest::addColumn<QStringList>("after");
        QTest::addColumn<int>("renameCalls");

        QTest::newRow("cycle of two")
            << QStringList{"a", "b"} << QStringList{"a>b", "b>a"} << "" << QStringList{"a<-b", "b<-a"} << 3;
        QTest::newRow("chain freed later in the plan")
            << QStringList{"a", "b", "c"} << QStringList{"a>b", "b>c", "c>d"} << ""
            << QStringList{"b<-a", "c<-b", "d<-c"} << 3;
        QTest::newRow("case only, case-sensitive volume")
            << QStringList{"a.avi"} << QStringList{"a.avi>A.AVI"} << "" << QStringList{"A.AVI<-a.avi"} << 1;
        QTest::newRow("refused in a chain: the ones behind it stay")
            << QStringList{"a", "b", "c"} << QStringList{"a>b", "b>c", "c>d"} << "b"
            << QStringList{"a<-a", "b<-b", "d<-c"} << 3;
        // Its old name taken too, the parked file waits for recovery: a
        // counted name would give it a name it was never meant to have.
        QTest::newRow("refused in a cycle: the parked file waits")
            << QStringList{"a", "b", "c"} << QStringList{"a>b", "b>c", "c>a"} << "b"
            << QStringList{"a<-c", "b<-b", "tamsel.ltmp.1z7.9971<-a"} << 5;
        QTest::newRow("name taken behind the plan's back: kept")
            << QStringList{"a", "x"} << QStringList{"a>x"} << "" << QStringList{"a<-a", "x<-x"} << 1;
    }
    void apply()
    {
        QFETCH(QStringList, files);
        QFETCH(QStringList, renames);
        QFETCH(QString, refused);
        QFETCH(QStringList, after);
        QFETCH(int, renameCalls);

        TempFolder folder;
        folder.make(files);
        RenamePlan plan;
        for (const QString &rename : renames)
            plan.renames.append({folder / rename.section(u'>', 0, 0), folder / rename.section(u'>', 1)});
        TestFileSystem host;
        int calls = 0;
        host.failWhen = [&](const QString &operation, const QString &path) {
            calls += operation == QLatin1String("rename");
            return !refused.isEmpty() && path == folder / refused;
        };
        applyChange(host, renamerChange(ChangeAction::MakeChanges, folder.path(), plan));
        QCOMPARE(folder.state(), withContents(after));
        QCOMPARE(calls, renameCalls);
    }
};

QTEST_GUILESS_MAIN(tst_PlannedCore)
#include "tst_PlannedCore.moc"
