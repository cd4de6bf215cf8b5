// SPDX-License-Identifier: GPL-3.0-or-later
#include "Differential.h"
#include "LoopVolume.h"
#include "PlannedCore.h"
#include "TempFolder.h"
#include "TestFileSystem.h"
#include "Told.h"

#include "core/changes/Recovery.h"
#include "core/changes/ChangeEngine.h"
#include "core/changes/Undo.h"
#include "core/base/TemporaryName.h"
#include "core/renamer/BatchJob.h"

#include <QTest>
#include <memory>

// The renamer on a real case-blind volume: an exFAT image mounted through
// exfat-fuse, where "a.avi" and "A.AVI" are one name.
class tst_CaseBlindVolume : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        m_volume = std::make_unique<LoopVolume>();
        if (!m_volume->isMounted())
            QSKIP(qPrintable(QStringLiteral("no exFAT volume: %1").arg(m_volume->whyNot())));
    }
    void cleanupTestCase() { m_volume.reset(); }

    void volumeIsFoundOutOnTheFolder()
    {
        TempFolder blind(TempFolder::Inside{m_volume->path()}), sensitive;
        blind.make({"a.avi"});
        sensitive.make({"a.avi"});
        TestFileSystem host;
        QVERIFY(host.readFolder(blind.path()).caseBlind);
        QVERIFY(!host.readFolder(sensitive.path()).caseBlind);
    }

    // A case-only rename works, and a name another file holds in another
    // letter case is never replaced.
    void hostRename_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<int>("why"); // Outcome::Why
        QTest::addColumn<QStringList>("after");
        QTest::newRow("case only") << QStringList{"a.avi"} << "a.avi"
                                   << "A.AVI" << int(Outcome::Why::None) << QStringList{"A.AVI<-a.avi"};
        QTest::newRow("case twin of another file")
            << QStringList{"a.avi", "b.avi"} << "a.avi"
            << "B.AVI" << int(Outcome::Why::System) << QStringList{"a.avi<-a.avi", "b.avi<-b.avi"};
        // exfat-fuse answers "No such file or directory" for a file that is there.
        QTest::newRow("a character the drive refuses")
            << QStringList{"a.avi"} << "a.avi"
            << "A:B.AVI" << int(Outcome::Why::NameRefused) << QStringList{"a.avi<-a.avi"};
    }
    void hostRename()
    {
        QFETCH(QStringList, files);
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(int, why);
        QFETCH(QStringList, after);
        TempFolder folder(TempFolder::Inside{m_volume->path()});
        folder.make(files);
        TestFileSystem host;
        QCOMPARE(int(host.rename(folder / from, folder / to).why), why);
        QCOMPARE(folder.state(), after);
    }

    void matchesTheReference_data() { addComparisonRows(25, 60, 30); }
    void matchesTheReference() { compareSeeds(m_volume->path(), true); }

    // The walk upper-cases every file, through one temporary name each.
    void walkUpperCasesFiles()
    {
        TempFolder folder(TempFolder::Inside{m_volume->path()});
        folder.make({"a.avi", "Movie.mkv", "Season 1/", "DONE.AVI"});
        TestFileSystem host;
        int renames = 0;
        host.failWhen = [&](const QString &operation, const QString &) {
            renames += operation == QLatin1String("rename");
            return false;
        };
        plannedUpperCaseWalk(host, folder.path(), WalkMode::Files);
        QCOMPARE(folder.names(), (QStringList{"A.AVI", "DONE.AVI", "MOVIE.MKV", "Season 1"}));
        QCOMPARE(folder.contents("MOVIE.MKV"), QStringLiteral("Movie.mkv"));
        QCOMPARE(renames, 4);
    }

    // A drive that takes no rename from a temporary name: the first file of
    // the walk waits under one, and no other is parked after it.
    void oneFileWaitsPerFault()
    {
        TempFolder folder(TempFolder::Inside{m_volume->path()});
        QStringList names;
        for (int i = 0; i < 20; ++i)
            names << QStringLiteral("film%1.avi").arg(i, 2, 10, QLatin1Char('0'));
        folder.make(names);
        TestFileSystem host;
        host.failWhen = [](const QString &operation, const QString &path) {
            return operation == u"rename" && isTemporaryName(QFileInfo(path).fileName());
        };
        const QString report = reported(plannedUpperCaseWalk(host, folder.path(), WalkMode::Files));
        QVERIFY2(report.contains("1 file waits under a temporary name:\n" + folder.path())
                     && report.contains("19 more kept their names"),
                 qPrintable(report));
        QCOMPARE(folder.names().filter("tamsel.ltmp").size(), 1);
    }

    // The drive pulled halfway through the walk: the walk stops, the file
    // waiting under a temporary name is put in place once the drive is back,
    // and undo gives every name back.
    void drivePulledDuringTheWalk()
    {
        TempFolder folder(TempFolder::Inside{m_volume->path()});
        QStringList names;
        for (int i = 0; i < 30; ++i)
            names << QStringLiteral("film%1.avi").arg(i, 2, 10, QLatin1Char('0'));
        folder.make(names);
        const QString path = folder.path();
        TestFileSystem host;
        int renames = 0;
        host.failWhen = [&](const QString &operation, const QString &) {
            if (operation == u"rename" && ++renames == 10)
                m_volume->pull();
            return false;
        };
        FolderModel model(host.readFolder(path));
        planUpperCaseWalk(model, WalkMode::Files);
        const ChangeOutcome outcome = applyChange(
            host, renamerChange(ChangeAction::UpperCaseWalk, path, model.plan(path)));
        QCOMPARE(outcome.stranded.size(), 1);
        QVERIFY(reported(outcome).contains("1 file waits under a temporary name"));
        host.failWhen = {};
        QVERIFY(m_volume->plugBack());
        QVERIFY(recovered(host).contains(QStringLiteral("put in place as")));
        // Every file under its old name or its new one, none lost.
        QStringList upper;
        for (const QString &entry : folder.state())
            upper << entry.toUpper();
        upper.sort();
        QStringList expected;
        for (const QString &name : names)
            expected << (name + "<-" + name).toUpper();
        QCOMPARE(upper, expected);
        undoLatest(host, ChangeRecord::Tool::Renamer);
        QCOMPARE(folder.names(), names);
    }

    // Micro sign and mu: one letter in this program's folding, two on the
    // drive. The walk and its undo go as the drive compares names.
    void lettersTheDriveFoldsOtherwise()
    {
        TempFolder folder(TempFolder::Inside{m_volume->path()});
        folder.make({QString::fromUtf8("\u00b5.avi"), QString::fromUtf8("\u03bc.avi")});
        const QStringList before = folder.state();
        TestFileSystem host;
        plannedUpperCaseWalk(host, folder.path(), WalkMode::Files);
        QVERIFY(folder.state() != before);
        undoLatest(host, ChangeRecord::Tool::Renamer);
        QCOMPARE(folder.state(), before);
    }

    // A case-only rename stopped while its file stood under a temporary
    // name: the next start finishes it, and undo takes it back.
    void recoveryOfACaseOnlyRename()
    {
        TempFolder folder(TempFolder::Inside{m_volume->path()});
        folder.make({"a.avi"});
        TestFileSystem host;
        QVERIFY(host.rename(folder / "a.avi", folder / "tamsel.ltmp.1z7.3"));
        StoredChange change;
        change.record.action = ChangeAction::UpperCaseWalk;
        change.record.folders = {{folder.path(), {}}};
        change.record.caseBlind = true;
        change.record.renames = {{{0, "a.avi"}, {0, "A.AVI"}, "tamsel.ltmp.1z7.3"}};
        QVERIFY(ChangeJournal(host).begin(change));

        QVERIFY(!recovered(host).isEmpty());
        QCOMPARE(folder.state(), QStringList{"A.AVI<-a.avi"});
        QCOMPARE(undoLatest(host, ChangeRecord::Tool::Renamer).result, UndoLatestReport::Result::Undone);
        QCOMPARE(folder.state(), QStringList{"a.avi<-a.avi"});
    }

    // LIBRARY joins a library folder that the drive holds in another letter
    // case, and undo leaves it as it was.
    void libraryJoinsAFolderInAnotherCase()
    {
        TempFolder folder(TempFolder::Inside{m_volume->path()});
        folder.make({"Movies/", "Paper.Moon.1973.mkv", "paper.moon.1973.EN.srt"});
        const QStringList before = folder.tree();
        TestFileSystem host;
        const QString path = folder.path();
        const FolderContents contents = host.readFolder(path);
        const BatchPlan plan = planBatch(BatchJob::Library, path, contents,
                                         {{"Paper.Moon.1973.mkv", "paper.moon.1973.EN.srt"},
                                          Wildcard("*.*"),
                                          2027,
                                          [&host](const QString &below) {
                                              return host.readFolder(below);
                                          }},
                                         false);
        applyChange(host, batchChange(BatchJob::Library, path, plan));
        QCOMPARE(folder.tree(),
                 (QStringList{"Movies/", "Movies/PAPER MOON (1973)/",
                              "Movies/PAPER MOON (1973)/PAPER MOON (1973).MKV<-Paper.Moon.1973.mkv",
                              "Movies/PAPER MOON (1973)/PAPER MOON (1973).en.srt<-paper.moon.1973.EN.srt"}));
        undoLatest(host, ChangeRecord::Tool::Renamer);
        QCOMPARE(folder.tree(), before);
    }

private:
    std::unique_ptr<LoopVolume> m_volume;
};

QTEST_GUILESS_MAIN(tst_CaseBlindVolume)
#include "tst_CaseBlindVolume.moc"
