// SPDX-License-Identifier: GPL-3.0-or-later
#include "FaultVolume.h"
#include "SecondDrive.h"
#include "TempFolder.h"
#include "TestFileSystem.h"

#include "core/base/Paths.h"

#include <QFile>
#include <QTest>

#include <atomic>
#include <fcntl.h>
#include <thread>
#include <unistd.h>

class tst_LocalFileSystem : public QObject {
    Q_OBJECT
private slots:
    // Every entry that is not hidden, with its kind, in no order; nothing of
    // a folder that cannot be read. Wildcards in a folder's own name are
    // plain characters.
    void listFolder()
    {
        TempFolder folder{"FILM.AVI", ".hidden.avi", "Season 1/", ".git/",      "Season 1/inner.avi",
                          "a*b/",     "a*b/in.avi",  "aXb/",      "aXb/out.avi"};
        TestFileSystem host;
        const auto listed = [&](const QString &path) {
            QStringList seen;
            for (const FolderEntry &entry : host.listFolder(path))
                seen << QStringLiteral("%1 %2").arg(entry.name).arg(entry.kind);
            seen.sort();
            return seen;
        };
        QCOMPARE(listed(folder.path()), (QStringList{"FILM.AVI 0", "Season 1 1", "a*b 1", "aXb 1"}));
        QCOMPARE(listed(folder / "a*b"), QStringList{"in.avi 0"});
        QCOMPARE(listed(folder / "missing"), QStringList{});
    }

    void renameFile_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QStringList>("after");

        QTest::newRow("to a free name") << "a.avi"
                                        << "c.avi" << true << QStringList{"b.avi", "c.avi"};
        QTest::newRow("never onto an existing file") << "a.avi"
                                                     << "b.avi" << false << QStringList{"a.avi", "b.avi"};
        QTest::newRow("only the letter case") << "a.avi"
                                              << "A.AVI" << true << QStringList{"A.AVI", "b.avi"};
        QTest::newRow("a missing file") << "gone.avi"
                                        << "c.avi" << false << QStringList{"a.avi", "b.avi"};
        QTest::newRow("into a missing folder") << "a.avi"
                                               << "no/c.avi" << false << QStringList{"a.avi", "b.avi"};
        QTest::newRow("an empty new name") << "a.avi"
                                           << "" << false << QStringList{"a.avi", "b.avi"};
    }
    void renameFile()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(bool, ok);
        QFETCH(QStringList, after);
        TempFolder folder{"a.avi", "b.avi"};
        TestFileSystem host;
        QCOMPARE(bool(host.rename(folder / from, to.isEmpty() ? QString() : folder / to)), ok);
        QCOMPARE(folder.names(), after);
        QCOMPARE(folder.contents("b.avi"), QString("b.avi"));
    }

    // Every entry that is not hidden, with its kind; a link to nothing holds
    // its name, and a name not valid in the locale's encoding is no path.
    void readFolder()
    {
        TempFolder folder{"a.avi", "Sub/", ".hidden"};
        QFile::link(folder / "nowhere", folder / "dangling");
        const QByteArray bad = QFile::encodeName(folder.path()) + "/bad\xff.avi";
        ::close(::open(bad.constData(), O_CREAT | O_WRONLY, 0644));
        TestFileSystem host;
        const FolderContents contents = host.readFolder(folder.path());
        QVERIFY(contents.readable);
        QVERIFY(!contents.caseBlind);
        QCOMPARE(contents.longestName, 255);
        QStringList seen;
        for (const FolderEntry &entry : contents.entries)
            seen << QStringLiteral("%1 %2 %3").arg(entry.name).arg(entry.kind).arg(entry.namable);
        seen.sort();
        QCOMPARE(seen, (QStringList{"Sub 1 1", "a.avi 0 1", "bad\uFFFD.avi 0 0", "dangling 2 1"}));
        QVERIFY(!host.readFolder(folder / "missing").readable);
    }

    void renameTakesADoubledSeparator()
    {
        TempFolder folder{"a.avi"};
        TestFileSystem host;
        QVERIFY(host.rename(folder.path() + "//a.avi", folder.path() + "//B.AVI"));
        QCOMPARE(folder.names(), QStringList{"B.AVI"});
    }

    void moveFile_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<bool>("ok");

        QTest::newRow("into an existing folder") << "a.avi"
                                                 << "Film/a.avi" << true;
        QTest::newRow("never onto an existing file") << "a.avi"
                                                     << "Film/taken.avi" << false;
        QTest::newRow("into a missing folder") << "a.avi"
                                               << "Missing/a.avi" << false;
        QTest::newRow("a missing source") << "gone.avi"
                                          << "Film/gone.avi" << false;
        QTest::newRow("a folder is no file") << "Film"
                                             << "Other/Film" << false;
    }
    void moveFile()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(bool, ok);
        TempFolder folder{"a.avi", "Film/", "Film/taken.avi", "Other/"};
        TestFileSystem host;
        QCOMPARE(bool(host.moveFile(folder / from, folder / to)), ok);
        QCOMPARE(folder.contents("Film/taken.avi"), QString("Film/taken.avi"));
        if (ok)
            QCOMPARE(folder.contents(to), from);
    }

    void makeFolder()
    {
        TempFolder folder{"Exists/"};
        TestFileSystem host;
        QVERIFY(host.makeFolder(folder / "New"));
        QVERIFY(!host.makeFolder(folder / "Exists"));
        QVERIFY(!host.makeFolder(folder / "Missing/New"));
        QCOMPARE(folder.names(), (QStringList{"Exists", "New"}));
    }

    // A rename never replaces a file, whatever the volume can do: rename
    // without replacing (ext4), only hard links (NFS), or neither (exFAT
    // through FUSE); a name the volume refuses is refused alone.
    void renameNeverReplaces_data()
    {
        QTest::addColumn<QString>("volume");
        QTest::addColumn<bool>("linked"); // whether the file moved by a hard link
        QTest::newRow("no-replace renames") << "" << false;
        QTest::newRow("hard links only") << "refuse-noreplace" << true;
        QTest::newRow("neither") << "refuse-noreplace\nrefuse-link" << false;
    }
    void renameNeverReplaces()
    {
        QFETCH(QString, volume);
        QFETCH(bool, linked);
        FaultVolume share;
        if (!share.available())
            QSKIP(qPrintable(share.whyNot()));
        QVERIFY(share.command(volume + "\nrefuse-name *:*"));
        for (const char *name : {"a", "b", "c"}) {
            QFile file(share.sourcePath() + "/" + name);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(name) == 1);
        }
        const QString folder = share.path();
        TestFileSystem host;
        QVERIFY(host.pinFolder(folder));
        QCOMPARE(host.rename(folder + "/a", folder + "/x:y").error, EINVAL);
        QCOMPARE(host.rename(folder + "/a", folder + "/b").error, EEXIST);
        QVERIFY(share.command("reset\n" + volume));
        QVERIFY(host.rename(folder + "/a", folder + "/d"));
        QCOMPARE(share.counters().value("link") > 0, linked);
        QCOMPARE(host.rename(folder + "/c", folder + "/d").error, EEXIST);
        host.unpinFolder(folder);
        QCOMPARE(QDir(share.sourcePath()).entryList(QDir::Files), (QStringList{"b", "c", "d"}));
        QFile d(share.sourcePath() + "/d");
        QVERIFY(d.open(QIODevice::ReadOnly) && d.readAll() == "a");
    }

    // What a volume was found to do is forgotten when a volume comes or goes:
    // at the next change, another drive in the slot that lacks the
    // no-replace rename the last one had is renamed on all the same.
    void volumeEventsForgetWhatAVolumeDoes()
    {
        FaultVolume share;
        if (!share.available())
            QSKIP(qPrintable(share.whyNot()));
        for (const char *name : {"a", "b"})
            QFile(share.sourcePath() + "/" + name).open(QIODevice::WriteOnly);
        const QString folder = share.path();
        TestFileSystem host;
        QVERIFY(host.pinFolder(folder));
        QVERIFY(host.rename(folder + "/a", folder + "/c"));
        host.unpinFolder(folder);
        QVERIFY(share.command("refuse-noreplace"));
        SecondDrive plugged;
        if (!plugged.whyNot().isEmpty())
            QSKIP(qPrintable(plugged.whyNot()));
        QVERIFY(host.pinFolder(folder));
        const Outcome renamed = host.rename(folder + "/b", folder + "/d");
        QVERIFY2(renamed, qPrintable(QString::number(renamed.error)));
        host.unpinFolder(folder);
        QCOMPARE(QDir(share.sourcePath()).entryList(QDir::Files), (QStringList{"c", "d"}));
    }

    // A change's worker, the batch box's worker and the window call the file
    // system at once: a folder that a change lets go of meanwhile is never
    // looked at through a descriptor that was closed under the look.
    void callsFromThreadsAtOnce()
    {
        TempFolder folder{"a.avi"};
        TestFileSystem host;
        std::atomic<bool> over{false};
        std::thread change([&] {
            while (!over) {
                host.pinFolder(folder.path());
                host.unpinFolder(folder.path());
            }
        });
        int unknown = 0;
        for (int look = 0; look < 20000; ++look)
            unknown += !host.identify(folder / "a.avi").known();
        over = true;
        change.join();
        QCOMPARE(unknown, 0);
    }

    // Two files of one name get two places in the home trash, each held by
    // its note; a place goes back only while its file is not there.
    void trashPlaces()
    {
        TempFolder folder{"a.avi", "Sub/", "Sub/a.avi"};
        TestFileSystem host;
        const QString trash = host.trashFolder() + QStringLiteral("/Trash");
        QString first, second;
        QVERIFY(host.reserveTrash(folder / "a.avi", QDateTime::currentDateTime(), first));
        QVERIFY(host.reserveTrash(folder / "Sub/a.avi", QDateTime::currentDateTime(), second));
        QCOMPARE(first, trash + QStringLiteral("/files/a.avi"));
        QCOMPARE(second, trash + QStringLiteral("/files/a.avi.2"));
        QVERIFY(host.moveFile(folder / "a.avi", first));
        QVERIFY(!host.releaseTrash(first));
        QVERIFY(host.releaseTrash(second));
        QCOMPARE(QDir(trash + QStringLiteral("/info")).entryList(QDir::Files),
                 QStringList{"a.avi.trashinfo"});
    }

    // What a path names, a link followed as a listing follows it; the exact
    // name only.
    void entryKind()
    {
        TempFolder folder{"a.avi", "Sub/", ".hidden"};
        QFile::link(folder / "a.avi", folder / "link.avi");
        TestFileSystem host;
        QCOMPARE(host.entryKind(folder / "a.avi"), FolderEntry::File);
        QCOMPARE(host.entryKind(folder / "link.avi"), FolderEntry::File);
        QCOMPARE(host.entryKind(folder / "Sub"), FolderEntry::Folder);
        QCOMPARE(host.entryKind(folder / ".hidden"), FolderEntry::File);
        QVERIFY(!host.entryKind(folder / "A.AVI").has_value());
        QVERIFY(!host.entryKind(folder / "missing").has_value());
    }

    void writeTextFile_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("lineEnd");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("CR LF") << QStringList{"C:", "CD \"x\""} << LineEnd::CrLf
                               << QByteArray("C:\r\nCD \"x\"\r\n");
        QTest::newRow("LF") << QStringList{"#!/bin/sh", "cd '/'"} << LineEnd::Lf
                            << QByteArray("#!/bin/sh\ncd '/'\n");
        QTest::newRow("no lines") << QStringList{} << LineEnd::CrLf << QByteArray();
        QTest::newRow("locale encoding")
            << QStringList{"Ärger"} << LineEnd::Lf << QByteArray("\xc3\x84rger\n");
    }
    void writeTextFile()
    {
        QFETCH(QStringList, lines);
        QFETCH(QString, lineEnd);
        QFETCH(QByteArray, bytes);
        TempFolder folder{"old.txt"};
        TestFileSystem host;
        QVERIFY(host.writeTextFile(folder / "old.txt", lines, lineEnd, false));
        QFile file(folder / "old.txt");
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), bytes);
    }

    void writeTextFileReportsWhyItFailed()
    {
        TempFolder folder;
        TestFileSystem host;
        const Outcome outcome = host.writeTextFile(folder / "missing/x.txt", {"a"}, LineEnd::Lf, false);
        QCOMPARE(outcome.error, ENOENT);
        QVERIFY(host.writeTextFile(folder / "run.sh", {"true"}, LineEnd::Lf, true));
        QVERIFY(QFile(folder / "run.sh").permissions() & QFileDevice::ExeOwner);
    }
};

QTEST_MAIN(tst_LocalFileSystem)
#include "tst_LocalFileSystem.moc"
