#include "FaultVolume.h"
#include "TempFolder.h"
#include "TestHost.h"

#include "core/base/Paths.h"

#include <QFile>
#include <QRegularExpression>
#include <QTest>

#include <fcntl.h>
#include <unistd.h>

namespace {

// Every name a listing returns, first and next ones.
QStringList wholeListing(Host &host, const QString &pattern, int mask)
{
    QStringList names;
    for (QString name = host.ListFolder(pattern, mask); !name.isEmpty(); name = host.ListFolder())
        names << name;
    return names;
}

} // namespace

class tst_LocalHost : public QObject {
    Q_OBJECT
private slots:
    void listFolder_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<int>("mask");
        QTest::addColumn<QStringList>("expected");

        QTest::newRow("*.* lists files with and without a dot")
            << "*.*" << ListMask::Files << QStringList{"FILM.AVI", "nodots", "Weird [1].avi"};
        QTest::newRow("*.avi ignores case") << "*.avi" << ListMask::Files
                                            << QStringList{"FILM.AVI", "Weird [1].avi"};
        QTest::newRow("? is one character") << "nodot?" << ListMask::Files << QStringList{"nodots"};
        QTest::newRow("brackets are plain") << "*[1]*" << ListMask::Files
                                            << QStringList{"Weird [1].avi"};
        QTest::newRow("mask 16 adds folders")
            << "*" << ListMask::FilesAndFolders
            << QStringList{"FILM.AVI", "nodots", "Season 1", "Weird [1].avi"};
        QTest::newRow("exact name is an existence test") << "FILM.AVI" << ListMask::Files
                                                         << QStringList{"FILM.AVI"};
        QTest::newRow("exact name in another case is not there") << "film.avi" << ListMask::Files
                                                                 << QStringList{};
        QTest::newRow("a folder is no file") << "Season 1" << ListMask::Files << QStringList{};
        QTest::newRow("a hidden file by exact name") << ".hidden.avi" << ListMask::Files
                                                     << QStringList{};
        QTest::newRow("nothing matches") << "*.mkv" << ListMask::Files << QStringList{};
    }
    void listFolder()
    {
        QFETCH(QString, pattern);
        QFETCH(int, mask);
        QFETCH(QStringList, expected);
        TempFolder folder{"FILM.AVI", "nodots", "Weird [1].avi", ".hidden.avi", "Season 1/",
                          ".git/", "Season 1/inner.avi"};
        TestHost host;
        QCOMPARE(wholeListing(host, Paths::join(folder.path(), pattern), mask), expected);
    }

    void listFolderTakesWildcardsInAFolderPartLiterally()
    {
        TempFolder folder{"a*b/", "a*b/in.avi", "aXb/", "aXb/out.avi"};
        TestHost host;
        QCOMPARE(wholeListing(host, Paths::join(folder / "a*b", "*.*"), ListMask::Files),
                 QStringList{"in.avi"});
    }

    void anewListingEndsThePreviousOne()
    {
        TempFolder folder{"a.avi", "b.avi", "c.mkv"};
        TestHost host;
        QCOMPARE(host.ListFolder(Paths::join(folder.path(), "*.avi"), 0), QString("a.avi"));
        QCOMPARE(host.ListFolder(Paths::join(folder.path(), "*.mkv"), 0), QString("c.mkv"));
        QCOMPARE(host.ListFolder(), QString());
        QCOMPARE(host.ListFolder(Paths::join(folder / "missing", "*.*"), 0), QString());
    }

    void renameFile_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QStringList>("after");

        QTest::newRow("to a free name") << "a.avi" << "c.avi" << true
                                        << QStringList{"b.avi", "c.avi"};
        QTest::newRow("never onto an existing file") << "a.avi" << "b.avi" << false
                                                     << QStringList{"a.avi", "b.avi"};
        QTest::newRow("only the letter case") << "a.avi" << "A.AVI" << true
                                              << QStringList{"A.AVI", "b.avi"};
        QTest::newRow("a missing file") << "gone.avi" << "c.avi" << false
                                        << QStringList{"a.avi", "b.avi"};
        QTest::newRow("into a missing folder") << "a.avi" << "no/c.avi" << false
                                               << QStringList{"a.avi", "b.avi"};
        QTest::newRow("an empty new name") << "a.avi" << "" << false
                                           << QStringList{"a.avi", "b.avi"};
    }
    void renameFile()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(bool, ok);
        QFETCH(QStringList, after);
        TempFolder folder{"a.avi", "b.avi"};
        TestHost host;
        QCOMPARE(bool(host.RenameFile(folder / from, to.isEmpty() ? QString() : folder / to)), ok);
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
        TestHost host;
        const FolderContents contents = host.ReadFolder(folder.path());
        QVERIFY(contents.readable);
        QVERIFY(!contents.caseBlind);
        QCOMPARE(contents.longestName, 255);
        QStringList seen;
        for (const FolderEntry &entry : contents.entries)
            seen << QStringLiteral("%1 %2 %3").arg(entry.name).arg(entry.kind).arg(entry.namable);
        seen.sort();
        QCOMPARE(seen, (QStringList{"Sub 1 1", "a.avi 0 1", "bad\uFFFD.avi 0 0", "dangling 2 1"}));
        QVERIFY(!host.ReadFolder(folder / "missing").readable);
    }

    void renameTakesADoubledSeparator()
    {
        TempFolder folder{"a.avi"};
        TestHost host;
        QVERIFY(host.RenameFile(folder.path() + "//a.avi", folder.path() + "//B.AVI"));
        QCOMPARE(folder.names(), QStringList{"B.AVI"});
    }

    void moveFile_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<bool>("ok");

        QTest::newRow("into an existing folder") << "a.avi" << "Film/a.avi" << true;
        QTest::newRow("never onto an existing file") << "a.avi" << "Film/taken.avi" << false;
        QTest::newRow("into a missing folder") << "a.avi" << "Missing/a.avi" << false;
        QTest::newRow("a missing source") << "gone.avi" << "Film/gone.avi" << false;
        QTest::newRow("a folder is no file") << "Film" << "Other/Film" << false;
    }
    void moveFile()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(bool, ok);
        TempFolder folder{"a.avi", "Film/", "Film/taken.avi", "Other/"};
        TestHost host;
        QCOMPARE(bool(host.MoveFile(folder / from, folder / to)), ok);
        QCOMPARE(folder.contents("Film/taken.avi"), QString("Film/taken.avi"));
        if (ok)
            QCOMPARE(folder.contents(to), from);
    }

    void makeFolder()
    {
        TempFolder folder{"Exists/"};
        TestHost host;
        QVERIFY(host.MakeFolder(folder / "New"));
        QVERIFY(!host.MakeFolder(folder / "Exists"));
        QVERIFY(!host.MakeFolder(folder / "Missing/New"));
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
        TestHost host;
        QVERIFY(host.PinFolder(folder));
        QCOMPARE(host.RenameFile(folder + "/a", folder + "/x:y").error, EINVAL);
        QCOMPARE(host.RenameFile(folder + "/a", folder + "/b").error, EEXIST);
        QVERIFY(share.command("reset\n" + volume));
        QVERIFY(host.RenameFile(folder + "/a", folder + "/d"));
        QCOMPARE(share.counters().value("link") > 0, linked);
        QCOMPARE(host.RenameFile(folder + "/c", folder + "/d").error, EEXIST);
        host.UnpinFolder(folder);
        QCOMPARE(QDir(share.sourcePath()).entryList(QDir::Files), (QStringList{"b", "c", "d"}));
        QFile d(share.sourcePath() + "/d");
        QVERIFY(d.open(QIODevice::ReadOnly) && d.readAll() == "a");
    }

    // Two files of one name get two places in the home trash, each held by
    // its note; a place goes back only while its file is not there.
    void trashPlaces()
    {
        TempFolder folder{"a.avi", "Sub/", "Sub/a.avi"};
        TestHost host;
        const QString trash = host.trashFolder() + QStringLiteral("/Trash");
        QString first, second;
        QVERIFY(host.ReserveTrash(folder / "a.avi", first));
        QVERIFY(host.ReserveTrash(folder / "Sub/a.avi", second));
        QCOMPARE(first, trash + QStringLiteral("/files/a.avi"));
        QCOMPARE(second, trash + QStringLiteral("/files/a.avi.2"));
        QVERIFY(host.MoveFile(folder / "a.avi", first));
        QVERIFY(!host.ReleaseTrash(first));
        QVERIFY(host.ReleaseTrash(second));
        QCOMPARE(QDir(trash + QStringLiteral("/info")).entryList(QDir::Files),
                 QStringList{"a.avi.trashinfo"});
    }

    void getAttributes()
    {
        TempFolder folder{"a.avi", "Sub/", ".hidden"};
        TestHost host;
        QCOMPARE(host.GetAttributes(folder / "a.avi").value_or(-1) & Attribute::Folder, 0);
        QCOMPARE(host.GetAttributes(folder / "Sub").value_or(0) & Attribute::Folder,
                 Attribute::Folder);
        QCOMPARE(host.GetAttributes(folder / ".hidden").value_or(0) & Attribute::Hidden,
                 Attribute::Hidden);
        QVERIFY(!host.GetAttributes(folder / "missing").has_value());
    }

    void parentFolder_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("parent");
        QTest::newRow("a file in a folder") << "/Movies/Film.avi" << "/Movies";
        QTest::newRow("a file at the root") << "/Film.avi" << "/";
        QTest::newRow("a deeper file") << "/a b/c.d/e" << "/a b/c.d";
        QTest::newRow("no folder part") << "Film.avi" << "";
    }
    void parentFolder()
    {
        QFETCH(QString, path);
        QFETCH(QString, parent);
        TestHost host;
        QCOMPARE(host.ParentFolder(path), parent);
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
        QTest::newRow("locale encoding") << QStringList{"Ärger"} << LineEnd::Lf
                                         << QByteArray("\xc3\x84rger\n");
    }
    void writeTextFile()
    {
        QFETCH(QStringList, lines);
        QFETCH(QString, lineEnd);
        QFETCH(QByteArray, bytes);
        TempFolder folder{"old.txt"};
        TestHost host;
        QVERIFY(host.WriteTextFile(folder / "old.txt", lines, lineEnd, false));
        QFile file(folder / "old.txt");
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), bytes);
    }

    void writeTextFileReportsWhyItFailed()
    {
        TempFolder folder;
        TestHost host;
        const Outcome outcome = host.WriteTextFile(folder / "missing/x.txt", {"a"}, LineEnd::Lf, false);
        QVERIFY(!outcome.ok);
        QVERIFY(!outcome.reason.isEmpty());
        QVERIFY(host.WriteTextFile(folder / "run.sh", {"true"}, LineEnd::Lf, true));
        QVERIFY(QFile(folder / "run.sh").permissions() & QFileDevice::ExeOwner);
    }

    void startProgramReportsAMissingProgram()
    {
        TestHost host;
        const Outcome outcome = host.LocalHost::StartProgram("no-such-program-here", {"x"}, 6);
        QVERIFY(!outcome.ok);
        QVERIFY(outcome.reason.contains("no-such-program-here"));
    }

    void clockAndRandom()
    {
        TestHost host;
        QVERIFY(QRegularExpression("^\\d\\d:\\d\\d:\\d\\d$").match(host.LocalHost::CurrentTimeText()).hasMatch());
        host.SeedRandom(1);
        QList<double> first;
        for (int i = 0; i < 5; ++i)
            first << host.NextRandom();
        host.SeedRandom(1);
        for (double u : first) {
            QCOMPARE(host.NextRandom(), u);
            QVERIFY(u >= 0.0 && u < 1.0);
        }
    }
};

QTEST_MAIN(tst_LocalHost)
#include "tst_LocalHost.moc"
