// SPDX-License-Identifier: GPL-3.0-or-later
#include "SecondDrive.h"
#include "TempFolder.h"
#include "TestFileSystem.h"
#include "Told.h"

#include "core/base/Paths.h"
#include "core/base/TemporaryName.h"
#include "core/changes/ChangeJournal.h"
#include "core/changes/Recovery.h"
#include "core/changes/Undo.h"
#include "core/folderer/MakeFolders.h"
#include "core/renamer/RenamerChange.h"

#include <QDir>
#include <QThread>
#include <QTest>

namespace {

// A change of four files: a cycle (one file waits under a temporary name)
// and two plain renames.
RenamePlan samplePlan(const TempFolder &folder)
{
    RenamePlan plan;
    for (const auto &[from, to] : {std::pair("a", "b"), {"b", "a"}, {"c", "C"}, {"d", "e"}})
        plan.renames.append({folder / from, folder / to});
    return plan;
}

// Every file of the folder at its old or its new name, none under a
// temporary one: "a<-b" holds the file that was b.
bool atOldOrNewNames(const TempFolder &folder)
{
    static const QSet<QString> allowed{"a<-a", "b<-b", "a<-b", "b<-a", "c<-c", "C<-c", "d<-d", "e<-d"};
    const QStringList state = folder.state();
    return state.size() == 4
           && std::all_of(state.cbegin(), state.cend(), [](const QString &f) { return allowed.contains(f); });
}

} // namespace

class tst_ChangeFaults : public QObject {
    Q_OBJECT
private slots:
    // Whatever fails, no file is lost or left under a temporary name once
    // recovery has run, the user is told, and undo gives the folder back.
    void faults_data()
    {
        QTest::addColumn<QString>("operation"); // failed by the test host
        QTest::addColumn<QString>("which");     // the path or the count it fails at
        QTest::addColumn<QString>("told");
        QTest::addColumn<bool>("undoable");
        QTest::newRow("a chosen rename") << "rename"
                                         << "c"
                                         << "1 of 4 names could not be changed:" << true;
        QTest::newRow("the third rename") << "rename"
                                          << "#3"
                                          << "of 4 names could not be changed:" << true;
        QTest::newRow("renames from temporary names") << "rename"
                                                      << "temporary"
                                                      << "1 file waits under a temporary name:" << true;
        QTest::newRow("a write of the record") << "write"
                                               << ""
                                               << "No space left on device" << false;
        QTest::newRow("a flush of the record") << "flush"
                                               << ""
                                               << "Input/output error" << false;
        QTest::newRow("the end of the record") << "appendToFile"
                                               << ""
                                               << "its end could not be added to its record" << true;
    }
    void faults()
    {
        QFETCH(QString, operation);
        QFETCH(QString, which);
        QFETCH(QString, told);
        QFETCH(bool, undoable);
        TempFolder folder{"a", "b", "c", "d"};
        const QStringList before = folder.state();
        TestFileSystem host;
        int calls = 0;
        host.failWhen = [&](const QString &op, const QString &path) {
            if (op != operation)
                return false;
            ++calls;
            if (which == u"temporary")
                return isTemporaryName(QFileInfo(path).fileName());
            if (which.startsWith(u'#'))
                return calls == which.mid(1).toInt();
            return which.isEmpty() || path == folder / which;
        };
        const QString report = reported(
            applyChange(host, renamerChange(ChangeAction::MakeChanges, folder.path(), samplePlan(folder))));
        QVERIFY2(report.contains(told), qPrintable(report));
        QVERIFY(folder.state() != before);

        host.failWhen = {};
        recovered(host);
        QVERIFY2(atOldOrNewNames(folder), qPrintable(folder.state().join(u' ')));
        const UndoLatestReport undone = undoLatest(host, ChangeRecord::Tool::Renamer);
        QVERIFY2((folder.state() == before) == undoable, qPrintable(ChangeWords::undoneLatest(undone)));
        if (!undoable) {
            QCOMPARE(undone.result, UndoLatestReport::Result::NothingToUndo);
            QVERIFY(undone.passed.isEmpty());
        }
    }

    // A folder moved away and replaced by a link to another folder halfway
    // through: the change goes on in the folder it began in, the record
    // follows it, and the other folder is never touched.
    void pinnedFolder()
    {
        TempFolder parent{"videos/", "other/"};
        const QString videos = parent / "videos", moved = parent / "moved";
        QStringList names;
        for (int i = 0; i < 20; ++i)
            names << QStringLiteral("film%1.avi").arg(i, 2, 10, QLatin1Char('0'));
        for (const QString &name : names)
            parent.make({"videos/" + name, "other/" + name});
        RenamePlan plan;
        for (const QString &name : names)
            plan.renames.append({Paths::join(videos, name), Paths::join(videos, name.toUpper())});
        TestFileSystem host;
        int renames = 0;
        host.failWhen = [&](const QString &operation, const QString &) {
            if (operation == u"rename" && ++renames == 10) {
                QDir().rename(videos, moved);
                QFile::link(parent / "other", videos);
            }
            return false;
        };
        const QString report = reported(
            applyChange(host, renamerChange(ChangeAction::MakeChanges, videos, plan)));
        QVERIFY2(report.contains(QStringLiteral("was moved to %1").arg(moved)), qPrintable(report));
        QCOMPARE(QDir(parent / "other").entryList(QDir::Files), names);
        QCOMPARE(QDir(moved).entryList(QDir::Files).join(u' '), names.join(u' ').toUpper());
        host.failWhen = {};
        const QString undone = undoneLatest(host, ChangeRecord::Tool::Renamer);
        QVERIFY2(QDir(moved).entryList(QDir::Files) == names, qPrintable(undone));
        QCOMPARE(QDir(parent / "other").entryList(QDir::Files), names);
    }

    // A change cut off with a file under its temporary name waits, untouched
    // and told of once, while its path names another folder: an empty one
    // put in its place, or a drive's empty mount point; once its own folder
    // is back, the change is mended.
    void waitsForItsOwnFolder_data()
    {
        QTest::addColumn<bool>("mountedOver");
        QTest::newRow("another folder in its place") << false;
        QTest::newRow("a drive mounted over it") << true;
    }
    void waitsForItsOwnFolder()
    {
        QFETCH(bool, mountedOver);
        TempFolder parent{"videos/", "videos/a", "videos/b"};
        const QString videos = parent / "videos", away = parent / "away";
        TestFileSystem host;
        host.failWhen = [](const QString &operation, const QString &path) {
            return operation == u"rename" && isTemporaryName(QFileInfo(path).fileName());
        };
        RenamePlan swap;
        swap.renames = {{videos + "/a", videos + "/b"}, {videos + "/b", videos + "/a"}};
        applyChange(host, renamerChange(ChangeAction::MakeChanges, videos, swap));
        host.failWhen = {};

        std::unique_ptr<SecondDrive> drive;
        if (mountedOver) {
            drive = std::make_unique<SecondDrive>(videos);
            if (!drive->whyNot().isEmpty())
                QSKIP(qPrintable(drive->whyNot()));
        } else {
            QVERIFY(QDir().rename(videos, away) && QDir().mkdir(videos));
        }
        const QString told = recovered(host);
        QVERIFY2(told.contains(QStringLiteral("waits: %1 is not there now").arg(videos)), qPrintable(told));
        QVERIFY(recovered(host).isEmpty());
        QVERIFY(QDir(videos).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));

        if (mountedOver)
            drive->unmount();
        else
            QVERIFY(QDir().rmdir(videos) && QDir().rename(away, videos));
        QVERIFY(recovered(host).contains(QStringLiteral("put in place as")));
        QCOMPARE(parent.names("videos"), (QStringList{"a", "b"}));
    }

    // A folder that a change makes, swapped for a link before its file
    // moves in: nothing moves outside the collection.
    void madeFolderSwappedForALink()
    {
        TempFolder parent{"videos/", "videos/film.mkv", "outside/"};
        const QString videos = parent / "videos";
        TestFileSystem host;
        host.failWhen = [&](const QString &operation, const QString &path) {
            if (operation == u"moveFile" && QDir(videos + "/film").exists()) {
                QDir(videos + "/film").removeRecursively();
                QFile::link(parent / "outside", videos + "/film");
            }
            return false;
        };
        makeFolders(host, {videos + "/film.mkv"}, {videos + "/film"});
        QCOMPARE(parent.names("outside"), QStringList());
        QCOMPARE(parent.names("videos"), (QStringList{"film", "film.mkv"}));
    }

    // A file under a temporary name that is not the change's own (another
    // file, another inode) is never taken for it, at the name the record
    // parked it under or as the folder's only other such name: the change
    // waits, and that file keeps its name.
    void strayTemporaryName_data()
    {
        QTest::addColumn<QString>("recorded"); // the temporary name the record holds
        QTest::newRow("at the recorded name") << "tamsel.ltmp.1z7.5";
        QTest::newRow("the only other temporary name") << "";
    }
    void strayTemporaryName()
    {
        QFETCH(QString, recorded);
        TempFolder folder{"film.a.mkv", "away/"};
        TestFileSystem host;
        StoredChange change;
        change.record.folders = {{folder.path(), host.identifyFolder(folder.path())}};
        change.record.renames = {{{0, "film.a.mkv"}, {0, "FILM.A.MKV"}, recorded}};
        change.record.renames[0].identity = host.identify(folder / "film.a.mkv");
        QVERIFY(ChangeJournal(host).begin(change));
        QVERIFY(QFile::rename(folder / "film.a.mkv", folder / "away/film.a.mkv"));
        folder.make({"tamsel.ltmp.1z7.5"});
        const QString told = recovered(host);
        QVERIFY2(told.contains(QStringLiteral("%1 is at none of its names").arg(folder / "film.a.mkv")),
                 qPrintable(told));
        QCOMPARE(folder.state(), (QStringList{"away<-", "tamsel.ltmp.1z7.5<-tamsel.ltmp.1z7.5"}));
    }

    // A file that took the changed name since is not the change's to undo.
    void undoLeavesOtherFiles()
    {
        TempFolder folder{"a.avi"};
        TestFileSystem host;
        RenamePlan plan;
        plan.renames.append({folder / "a.avi", folder / "A.AVI"});
        applyChange(host, renamerChange(ChangeAction::MakeChanges, folder.path(), plan));
        QVERIFY(QFile::rename(folder / "A.AVI", folder / "keep.avi"));
        QThread::msleep(20); // another modification time, for volumes without inodes
        QFile other(folder / "A.AVI");
        QVERIFY(other.open(QIODevice::WriteOnly) && other.write("another film") > 0);
        other.close();
        const QString message = undoneLatest(host, ChangeRecord::Tool::Renamer);
        QVERIFY2(message.contains(
                     QStringLiteral("%1: another file has taken its name since").arg(folder / "A.AVI")),
                 qPrintable(message));
        QCOMPARE(folder.names(), (QStringList{"A.AVI", "keep.avi"}));
    }

    // A huge record and a flood of records neither stop nor stall the start,
    // and its message stays short.
    void badRecordsAtStart()
    {
        TestFileSystem host;
        const QString state = host.stateFolder();
        QFile huge(state + "/change-999999.change");
        QVERIFY(huge.open(QIODevice::WriteOnly) && huge.resize(100LL << 30));
        huge.close();
        for (int i = 1; i <= 2000; ++i) {
            QFile record(state + QStringLiteral("/change-%1.change").arg(i, 6, 10, QLatin1Char('0')));
            QVERIFY(record.open(QIODevice::WriteOnly));
            record.write("tamsells-file-utilities change record 2\ntool\trenamer\nwhat\tMAKE CHANGES\n"
                         "case-blind\tno\nfolder\t/no/such/folder\nstate\trunning\n");
        }
        const QString message = recovered(host);
        QVERIFY(QFile::exists(state + "/change-999999.change.unreadable"));
        QVERIFY(message.startsWith(
            QStringLiteral("The change record %1/change-999999.change was set aside").arg(state)));
        QVERIFY2(message.endsWith(QStringLiteral("And 290 more changes.")), qPrintable(message.right(300)));
        QCOMPARE(message.count(QStringLiteral("\n\n")), 10);
        QVERIFY(!recovered(host).contains(QStringLiteral("set aside")));
    }
};

QTEST_GUILESS_MAIN(tst_ChangeFaults)
#include "tst_ChangeFaults.moc"
