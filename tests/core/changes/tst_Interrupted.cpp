// SPDX-License-Identifier: GPL-3.0-or-later
#include "KilledChange.h"
#include "LoopVolume.h"
#include "TempFolder.h"
#include "TestFileSystem.h"
#include "Told.h"

#include "core/base/FolderRows.h"
#include "core/renamer/RenamePlanner.h"
#include "core/renamer/RenamerChange.h"

#include <QDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

Q_DECLARE_METATYPE(LoopVolume::Kind)

namespace {

// The folder's files, each holding its own name, for the "from" names of renames.
void makeOldNames(const TempFolder &folder, const QStringList &renames)
{
    for (qsizetype i = 0; i < renames.size(); i += 2)
        folder.make({renames[i]});
}

QString deviceOf(const QString &path)
{
    struct stat info {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? QString::number(info.st_dev) : QString();
}

} // namespace

// The program stopped in the middle of a change (killed, or the machine
// switched off), as a process of its own that is killed at a chosen call.
class tst_Interrupted : public QObject {
    Q_OBJECT
private slots:
    // On a volume with hard links but no rename that refuses to replace, a
    // kill between the link and the unlink leaves one file under two names:
    // recovery finishes the move and undo takes it back, and a plan made
    // over such a folder takes the second name for the same file.
    void killedBetweenLinkAndUnlink_data()
    {
        QTest::addColumn<QStringList>("renames"); // from, to, from, to, ...
        QTest::addColumn<int>(
            "links"); // made before the kill; 0: one by hand, then the plan; -1: the change, then one by hand
        QTest::addColumn<QStringList>("mended");
        const QStringList cycle{"a.mkv", "b.mkv", "b.mkv", "a.mkv"};
        QTest::newRow("a direct rename")
            << QStringList{"film.a.mkv", "FILM.A.MKV"} << 1 << QStringList{"FILM.A.MKV<-film.a.mkv"};
        QTest::newRow("a cycle's park") << cycle << 1 << QStringList{"a.mkv<-a.mkv", "b.mkv<-b.mkv"};
        QTest::newRow("a cycle's place") << cycle << 3 << QStringList{"a.mkv<-b.mkv", "b.mkv<-a.mkv"};
        QTest::newRow("planned over the second name")
            << QStringList{"film.a.mkv", "FILM.A.MKV"} << 0 << QStringList{"FILM.A.MKV<-film.a.mkv"};
        QTest::newRow("undone onto the second name")
            << QStringList{"film.a.mkv", "FILM.A.MKV"} << -1
            << QStringList{"FILM.A.MKV<-film.a.mkv", "film.a.mkv<-film.a.mkv"};
    }
    void killedBetweenLinkAndUnlink()
    {
        QFETCH(QStringList, renames);
        QFETCH(int, links);
        QFETCH(QStringList, mended);
        TempFolder folder;
        makeOldNames(folder, renames);
        const QStringList before = folder.state();
        QTemporaryDir stateHome;
        TestFileSystem host(stateFolderUnder(stateHome.path()));
        if (links > 0) {
            QString whyNot;
            QVERIFY2(killedChange(stateHome.path(), folder.path(), renames,
                                  {"TAMSELLS_REFUSE_NOREPLACE=1",
                                   QStringLiteral("TAMSELLS_KILL_AFTER_LINKS=%1").arg(links)},
                                  &whyNot),
                     qPrintable(whyNot));
            const QString told = recovered(host);
            QVERIFY2(!told.contains(QStringLiteral("stays under a temporary name")), qPrintable(told));
        } else {
            // The second name, then MAKE CHANGES "." to "." (or the other way round).
            const int order = links == 0 ? 0 : 1;
            const auto linked = [&] {
                return ::link(QFile::encodeName(folder / renames[order]).constData(),
                              QFile::encodeName(folder / renames[1 - order]).constData())
                       == 0;
            };
            QVERIFY(links < 0 || linked());
            RenamePlanner planner(FolderModel(host.readFolder(folder.path())),
                                  Wildcard(QStringLiteral("*.*")));
            planner.makeChanges(folderRows(host.listFolder(folder.path()), Wildcard(QStringLiteral("*.*")),
                                           EntryKinds::Files),
                                ".", ".");
            applyChange(host,
                        renamerChange(ChangeAction::MakeChanges, folder.path(), planner.plan(folder.path())));
            QVERIFY(links == 0 || linked());
        }
        QCOMPARE(folder.state(), mended);
        const QString undone = undoneLatest(host, ChangeRecord::Tool::Renamer);
        QVERIFY2(!undone.contains(QStringLiteral("is taken now")), qPrintable(undone));
        QCOMPARE(folder.state(), before);
    }

    // A drive that a change was cut off on comes back in another slot, under
    // another device number: it is the same volume, its change is mended and
    // undone. Another card in the slot first (the same names on it) is not
    // taken for it: the change waits, and nothing on that card moves.
    void driveComesBackElsewhere_data()
    {
        QTest::addColumn<LoopVolume::Kind>("kind");
        QTest::addColumn<bool>("anotherCardFirst");
        QTest::newRow("ext4") << LoopVolume::Kind::Ext4 << false;
        QTest::newRow("btrfs") << LoopVolume::Kind::Btrfs << false;
        QTest::newRow("exFAT") << LoopVolume::Kind::Exfat << false;
        QTest::newRow("ext4, another card first") << LoopVolume::Kind::Ext4 << true;
        QTest::newRow("exFAT, another card first") << LoopVolume::Kind::Exfat << true;
    }
    void driveComesBackElsewhere()
    {
        QFETCH(LoopVolume::Kind, kind);
        QFETCH(bool, anotherCardFirst);
        LoopVolume card(kind);
        if (!card.isMounted())
            QSKIP(qPrintable(card.whyNot()));
        TempFolder folder(TempFolder::Inside{card.path()});
        const QStringList renames{"a.mkv", "x.mkv", "b.mkv", "y.mkv", "c.mkv", "z.mkv"};
        makeOldNames(folder, renames);
        const QStringList before = folder.state();
        QTemporaryDir stateHome;
        QString whyNot;
        QVERIFY2(killedChange(stateHome.path(), folder.path(), renames, {"TAMSELLS_KILL_AFTER_RENAMES=2"},
                              &whyNot),
                 qPrintable(whyNot));
        const QStringList cutOff = folder.state();
        QCOMPARE(cutOff, (QStringList{"c.mkv<-c.mkv", "x.mkv<-a.mkv", "y.mkv<-b.mkv"}));
        TestFileSystem host(stateFolderUnder(stateHome.path()));
        if (anotherCardFirst) {
            card.takeOut();
            LoopVolume other(kind, card.path());
            QVERIFY2(other.isMounted(), qPrintable(other.whyNot()));
            QVERIFY(QDir(other.path()).mkpath(QFileInfo(folder.path()).fileName()));
            makeOldNames(folder, renames);
            folder.make({"x.mkv"});
            const QString told = recovered(host);
            QVERIFY2(told.contains(QStringLiteral("waits: %1 is not there now").arg(folder.path())),
                     qPrintable(told));
            QCOMPARE(folder.names(), (QStringList{"a.mkv", "b.mkv", "c.mkv", "x.mkv"}));
        }
        const QString device = deviceOf(folder.path());
        QVERIFY2(card.plugInElsewhere(), qPrintable(card.whyNot()));
        QVERIFY(deviceOf(folder.path()) != device);
        const QString told = recovered(host);
        QVERIFY2(told.isEmpty(), qPrintable(told));
        QCOMPARE(folder.state(), cutOff);
        const UndoLatestReport undone = undoLatest(host, ChangeRecord::Tool::Renamer);
        QCOMPARE(undone.result, UndoLatestReport::Result::Undone);
        QCOMPARE(undone.undone.outcome.reached, 2);
        QVERIFY(undone.undone.notPutBack.isEmpty());
        QCOMPARE(folder.state(), before);
    }
};

QTEST_GUILESS_MAIN(tst_Interrupted)
#include "tst_Interrupted.moc"
