// SPDX-License-Identifier: GPL-3.0-or-later
#include "TempFolder.h"
#include "TestFileSystem.h"

#include "core/base/TemporaryName.h"
#include "core/base/FolderRows.h"
#include "PlannedCore.h"

#include <QTest>
#include <random>

#ifdef Q_OS_LINUX
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

QStringList sorted(QStringList rows)
{
    std::sort(rows.begin(), rows.end());
    return rows;
}

QStringList listed(FileSystem &host, const TempFolder &folder)
{
    return folderRows(host.listFolder(folder.path()), Wildcard(QStringLiteral("*.*")), EntryKinds::Files);
}

QStringList counterNames(const QString &name, int last)
{
    QStringList names{name};
    for (int k = 1; k <= last; ++k)
        names << name + u'.' + QString::number(k);
    return names;
}

QStringList unchanged(const QStringList &names)
{
    QStringList rows;
    for (const QString &name : names)
        rows << name + QStringLiteral("<-") + name;
    return rows;
}

} // namespace

class tst_RenameEngine : public QObject {
    Q_OBJECT
private slots:
    void renames_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QStringList>("after");

        QTest::newRow("dots upper-case, dotless names stay")
            << QStringList{"My Movie.avi", "nodots"} << "."
            << "." << QStringList{"MY MOVIE.AVI<-My Movie.avi", "nodots<-nodots"};
        QTest::newRow("empty FROM upper-cases all") << QStringList{"a.avi", "b"} << ""
                                                    << "zzz" << QStringList{"A.AVI<-a.avi", "B<-b"};
        QTest::newRow("case-only rename") << QStringList{"film.avi"} << "film"
                                          << "film" << QStringList{"FILM.AVI<-film.avi"};
        QTest::newRow("taken name gets .1") << QStringList{"X1.AVI", "X2.AVI"} << "1"
                                            << "2" << QStringList{"X2.AVI.1<-X1.AVI", "X2.AVI<-X2.AVI"};
        QTest::newRow("upper-case twin keeps its name")
            << QStringList{"FILM.AVI", "film.avi"} << "."
            << "." << QStringList{"FILM.AVI.1<-film.avi", "FILM.AVI<-FILM.AVI"};
        QTest::newRow("two entries onto one new name: list order decides")
            << QStringList{"dvdfilm.avi", "filmdvd.avi"} << "dvd"
            << "" << QStringList{"FILM.AVI<-dvdfilm.avi", "FILM.AVI.1<-filmdvd.avi"};
        QTest::newRow("new name trimmed") << QStringList{"x film.avi"} << "x"
                                          << "  " << QStringList{"FILM.AVI<-x film.avi"};
        QTest::newRow("leading blanks name another file: nothing moves")
            << QStringList{"  lead.avi"} << "."
            << "." << QStringList{"  lead.avi<-  lead.avi"};
        QTest::newRow("refused TO renames nothing") << QStringList{"a.avi", "b.avi"} << "a"
                                                    << "b:c" << QStringList{"a.avi<-a.avi", "b.avi<-b.avi"};
        QTest::newRow("new name empty: kept") << QStringList{"DVDRIP", "film.dvdrip"} << "dvdrip"
                                              << "" << QStringList{"DVDRIP<-DVDRIP", "FILM.<-film.dvdrip"};
        QTest::newRow("new name hidden: kept") << QStringList{"x.avi"} << "x"
                                               << " " << QStringList{"x.avi<-x.avi"};
        QTest::newRow("19 counters taken: .19 is free")
            << counterNames("X2.AVI", 18) + QStringList{"x1.avi"} << "x1"
            << "x2" << unchanged(counterNames("X2.AVI", 18)) + QStringList{"X2.AVI.19<-x1.avi"};
        QTest::newRow("all 19 counters taken: back to the old name")
            << counterNames("X2.AVI", 19) + QStringList{"x1.avi"} << "x1"
            << "x2" << unchanged(counterNames("X2.AVI", 19) + QStringList{"x1.avi"});
    }
    void renames()
    {
        QFETCH(QStringList, files);
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QStringList, after);

        TempFolder folder;
        folder.make(files);
        TestFileSystem host;
        plannedMakeChanges(host, folder.path(), listed(host, folder), from, to);

        QCOMPARE(folder.state(), sorted(after));
    }

    void vanishedEntryIsSkipped()
    {
        TempFolder folder{"a.avi", "c.avi"};
        TestFileSystem host;
        plannedMakeChanges(host, folder.path(), {"a.avi", "b.avi", "c.avi"}, ".", ".");
        QCOMPARE(folder.state(), (QStringList{"A.AVI<-a.avi", "C.AVI<-c.avi"}));
    }

    // A folder that ends in its separator, as the root folder does, gives
    // doubled separators, which the file system takes as one.
    void folderEndingInSeparator()
    {
        TempFolder folder{"a.mkv"};
        TestFileSystem host;
        plannedMakeChanges(host, folder.path() + QDir::separator(), listed(host, folder), "a", "b");
        QCOMPARE(folder.state(), QStringList{"B.MKV<-a.mkv"});
    }

    // A file left under a temporary name by an earlier run is neither used
    // nor renamed.
    void takenTemporaryNameIsNotUsed()
    {
        TestFileSystem host;
        std::mt19937 random(1);
        QStringList taken;
        for (int i = 0; i < 2; ++i)
            taken << temporaryName(temporaryNumber(std::uniform_real_distribution<double>(0.0, 1.0)(random)));
        TempFolder folder;
        folder.make(taken + QStringList{"a.mkv"});

        plannedMakeChanges(host, folder.path(), {"a.mkv"}, "a", "b");
        QCOMPARE(folder.state(), sorted(unchanged(taken) + QStringList{"B.MKV<-a.mkv"}));
    }

    // A new name beyond the file system's length limit fails with every
    // counter; the file goes back to its own name.
    void nameTooLongGoesBack()
    {
        const QString name = QString(240, u'a') + QStringLiteral(".avi");
        TempFolder folder{name};
        TestFileSystem host;
        plannedMakeChanges(host, folder.path(), listed(host, folder), "a", "bb");
        QCOMPARE(folder.state(), unchanged({name}));
    }

    // A file that the file system will not rename (in use, no access) keeps
    // its name; the others go on.
    void refusedRenameLeavesTheEntry()
    {
        TempFolder folder{"a.avi", "b.avi"};
        TestFileSystem host;
        host.failWhen = [&](const QString &operation, const QString &path) {
            return operation == QLatin1String("rename") && path == folder / "b.avi";
        };
        plannedMakeChanges(host, folder.path(), listed(host, folder), ".", ".");
        QCOMPARE(folder.state(), (QStringList{"A.AVI<-a.avi", "b.avi<-b.avi"}));
    }

#ifdef Q_OS_LINUX
    // A name whose bytes are not valid in the locale's encoding cannot be
    // named from its text form: the engine leaves that file alone.
    void nameNotInLocaleEncoding()
    {
        TempFolder folder{"ok.avi"};
        const QByteArray raw = QFile::encodeName(folder.path()) + "/bad\xff.avi";
        const int fd = ::open(raw.constData(), O_CREAT | O_WRONLY, 0644);
        QVERIFY(fd >= 0);
        ::close(fd);

        TestFileSystem host;
        const QStringList entries = listed(host, folder) << QFile::decodeName("bad\xff.avi");
        plannedMakeChanges(host, folder.path(), entries, ".", ".");
        QCOMPARE(folder.state(), QStringList{"OK.AVI<-ok.avi"});
        QCOMPARE(::unlink(raw.constData()), 0);
    }
#endif
};

QTEST_GUILESS_MAIN(tst_RenameEngine)
#include "tst_RenameEngine.moc"
