// SPDX-License-Identifier: GPL-3.0-or-later
#include "SecondDrive.h"
#include "TempFolder.h"
#include "TestFileSystem.h"

#include "gui/words/ChangeWords.h"

#include <QDirIterator>
#include <QFile>
#include <QTest>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Every entry below folder, hidden ones and links too (never followed), by
// its path relative to folder, sorted.
QStringList entriesBelow(const QString &folder)
{
    QStringList entries;
    QDirIterator entry(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                       QDirIterator::Subdirectories);
    while (entry.hasNext())
        entries << QDir(folder).relativeFilePath(entry.next());
    entries.sort();
    return entries;
}

// The entries of a trash folder that holds a.avi.
QStringList holdingTheFile(const QString &trash)
{
    return {trash, trash + "/files", trash + "/files/a.avi", trash + "/info",
            trash + "/info/a.avi.trashinfo"};
}

int modeOf(const QString &path)
{
    struct stat info {};
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 ? int(info.st_mode & 07777) : -1;
}

void makeFolder(const QString &path, int mode, uid_t owner = ::getuid())
{
    QDir().mkpath(path);
    ::chmod(QFile::encodeName(path).constData(), mode);
    ::chown(QFile::encodeName(path).constData(), owner, ::getgid());
}

} // namespace

// Something done on the second drive, given its top folder.
using OnDrive = std::function<void(const QString &top)>;
Q_DECLARE_METATYPE(OnDrive)

class tst_Trash : public QObject {
    Q_OBJECT
private slots:
    // A file reached through a linked folder goes to the trash at the top of
    // the drive it is really on. A trash folder that someone else planted (a
    // link, a folder not the user's, a .Trash without the sticky bit) gets
    // nothing made or moved inside; a trash swapped for a link after the
    // place was reserved still takes the file into the folder that was
    // checked; and a trash that cannot be used leaves nothing behind.
    void deleteOnASecondDrive_data()
    {
        QTest::addColumn<OnDrive>("plant");
        QTest::addColumn<OnDrive>("meanwhile");
        QTest::addColumn<QString>("trash"); // empty where Delete must fail
        QTest::addColumn<QStringList>("after");

        const OnDrive nothing = [](const QString &) {
        };
        const QString uid = QString::number(::getuid());
        const QStringList drive{"Films", "elsewhere"};
        const QStringList untouched{"Films", "Films/a.avi", "elsewhere"};
        QTest::newRow("a linked folder goes to its drive's top")
            << nothing << nothing << ".Trash-" + uid << holdingTheFile(".Trash-" + uid) + drive;
        QTest::newRow("a shared .Trash with the sticky bit")
            << OnDrive([](const QString &top) { makeFolder(top + "/.Trash", 01777, 4321); }) << nothing
            << ".Trash/" + uid << QStringList{".Trash"} + holdingTheFile(".Trash/" + uid) + drive;
        QTest::newRow("a .Trash without the sticky bit is passed over")
            << OnDrive([](const QString &top) { makeFolder(top + "/.Trash", 0777, 4321); }) << nothing
            << ".Trash-" + uid << QStringList{".Trash"} + holdingTheFile(".Trash-" + uid) + drive;
        QTest::newRow("a planted .Trash-UID link")
            << OnDrive([uid](const QString &top) { QFile::link(top + "/elsewhere", top + "/.Trash-" + uid); })
            << nothing << QString() << QStringList{".Trash-" + uid} + untouched;
        QTest::newRow("a .Trash-UID folder of someone else")
            << OnDrive([uid](const QString &top) { makeFolder(top + "/.Trash-" + uid, 0777, 4321); })
            << nothing << QString() << QStringList{".Trash-" + uid} + untouched;
        QTest::newRow("a planted info link, and the files folder made goes again")
            << OnDrive([uid](const QString &top) {
                   makeFolder(top + "/.Trash-" + uid, 0700);
                   QFile::link(top + "/elsewhere", top + "/.Trash-" + uid + "/info");
               })
            << nothing << QString() << QStringList{".Trash-" + uid, ".Trash-" + uid + "/info"} + untouched;
        QTest::newRow("a .Trash-UID swapped for a link meanwhile")
            << nothing << OnDrive([uid](const QString &top) {
                   const QString trash = top + "/.Trash-" + uid;
                   QFile::rename(trash, trash + ".old");
                   QDir().mkpath(top + "/elsewhere/files");
                   QDir().mkpath(top + "/elsewhere/info");
                   QFile(top + "/elsewhere/info/a.avi.trashinfo").open(QIODevice::WriteOnly);
                   QFile::link(top + "/elsewhere", trash);
               })
            << ".Trash-" + uid
            << QStringList{".Trash-" + uid, "elsewhere/files", "elsewhere/info",
                           "elsewhere/info/a.avi.trashinfo"}
                   + holdingTheFile(".Trash-" + uid + ".old") + drive;
    }
    void deleteOnASecondDrive()
    {
        QFETCH(OnDrive, plant);
        QFETCH(OnDrive, meanwhile);
        QFETCH(QString, trash);
        QFETCH(QStringList, after);

        SecondDrive drive;
        if (!drive.whyNot().isEmpty())
            QSKIP(qPrintable(drive.whyNot()));
        const QString top = drive.path();
        QDir().mkpath(top + "/Films");
        QDir().mkpath(top + "/elsewhere");
        QFile film(top + "/Films/a.avi");
        QVERIFY(film.open(QIODevice::WriteOnly) && film.write("a.avi") == 5);
        film.close();
        plant(top);
        TempFolder home;
        QVERIFY(QFile::link(top + "/Films", home / "Videos"));

        TestFileSystem host;
        QString place;
        const Outcome reserved = host.reserveTrash(home / "Videos/a.avi", QDateTime::currentDateTime(),
                                                   place);
        if (trash.isEmpty()) {
            QVERIFY(!reserved);
            QVERIFY2(reserved.why == Outcome::Why::TrashNotMade, qPrintable(ChangeWords::reason(reserved)));
        } else {
            QVERIFY2(reserved, qPrintable(ChangeWords::reason(reserved)));
            QCOMPARE(place, top + "/" + trash + "/files/a.avi");
            QVERIFY(bytesOf(top + "/" + trash + "/info/a.avi.trashinfo")
                        .startsWith("[Trash Info]\nPath=Films/a.avi\nDeletionDate="));
            meanwhile(top);
            QVERIFY(host.moveFile(home / "Videos/a.avi", place));
            QVERIFY(!host.releaseTrash(place));
        }
        after.sort();
        QCOMPARE(entriesBelow(top), after);
    }

    // A name whose note's name would pass 255 bytes is shortened in the
    // trash, on a character and keeping its extension, with room for the
    // counter of a second such name; each note keeps the whole name. Notes
    // and trash folders are the user's alone.
    void longNameKeptWhole()
    {
        const QString name = QString(123, u'é') + ".mkv"; // 250 bytes
        TempFolder folder{"One/", "Two/"};
        folder.make({"One/" + name, "Two/" + name});
        TestFileSystem host;
        const QString trash = host.trashFolder() + "/Trash";
        const QStringList expected{QString(120, u'é') + ".mkv", QString(119, u'é') + ".mkv.2"};
        const QStringList subfolders{"One", "Two"};
        for (qsizetype i = 0; i < subfolders.size(); ++i) {
            const QString &subfolder = subfolders[i];
            const QString path = folder / subfolder + "/" + name;
            QString place;
            QVERIFY2(host.reserveTrash(path, QDateTime::currentDateTime(), place), qPrintable(path));
            const QString &free = expected[i];
            QCOMPARE(place, trash + "/files/" + free);
            QVERIFY(host.moveFile(path, place));
            const QString note = trash + "/info/" + free + ".trashinfo";
            QCOMPARE(modeOf(note), 0600);
            const QString original = QFileInfo(folder / subfolder).canonicalFilePath() + "/" + name;
            QVERIFY(bytesOf(note).startsWith(
                "[Trash Info]\nPath=" + QFile::encodeName(original).toPercentEncoding("/") + "\n"));
        }
        for (const QString &made : {trash, trash + "/files", trash + "/info"})
            QCOMPARE(modeOf(made), 0700);
    }
};

QTEST_MAIN(tst_Trash)
#include "tst_Trash.moc"
