// SPDX-License-Identifier: GPL-3.0-or-later
#include "TempFolder.h"
#include "TestFileSystem.h"
#include "Told.h"

#include "core/changes/ChangeJournal.h"
#include "gui/words/ChangeWords.h"

#include <QTest>

#include <atomic>
#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

// Every allocation of the test program is counted, through the C library's
// own allocator: reading a record costs a bounded number per line.
namespace {
std::atomic<qint64> allocations{0};
}
extern "C" {
void *__libc_malloc(size_t size);
void *__libc_realloc(void *block, size_t size);
void *malloc(size_t size)
{
    allocations.fetch_add(1, std::memory_order_relaxed);
    return __libc_malloc(size);
}
void *realloc(void *block, size_t size)
{
    allocations.fetch_add(1, std::memory_order_relaxed);
    return __libc_realloc(block, size);
}
}

namespace {

ChangeRecord sample()
{
    ChangeRecord record;
    record.action = ChangeAction::MakeFolders;
    record.folders = {{"/videos", {"UUID=2A1B-33C4", 12}}, {"/videos/Film", {}}, {"/videos/odd\tname", {}}};
    record.madeFolders = {{0, "Film"}};
    record.removedFolders = {{0, "odd\tname"}};
    RecordedRename first, second;
    first.from = {0, "Film.avi"};
    first.to = {1, "Film.avi"};
    second.from = {0, "a\\b\nc.avi"};
    second.to = {2, "x.avi"};
    second.temporary = "tamsel.ltmp.1z7.9";
    second.identity = {{}, 0, 700, 1234567};
    record.renames = {first, second};
    return record;
}

QStringList lines(const ChangeRecord &record)
{
    QStringList rows{QString::number(int(record.state)), QString::number(int(record.action))};
    for (const RecordedFolder &folder : record.folders)
        rows << folder.path + u'|' + QString::number(folder.identity.inode) + u'|' + folder.identity.volume;
    for (const RecordPath &folder : record.madeFolders)
        rows << "made " + record.path(folder);
    for (const RecordPath &folder : record.removedFolders)
        rows << "removed " + record.path(folder);
    for (const QList<RecordedRename> *list : {&record.renames, &record.undo})
        for (const RecordedRename &r : *list)
            rows << QStringList{record.fromPath(r), record.toPath(r), record.temporaryPath(r),
                                record.atPath(r), QString::number(r.identity.size)}
                        .join(u'|');
    return rows;
}

} // namespace

class tst_ChangeRecord : public QObject {
    Q_OBJECT
private slots:
    // Written at the start, completed by an append: read back whole, the
    // files that reached their new path needing no line of their own.
    void readBack()
    {
        ChangeRecord record = sample();
        QByteArray text = record.toText();
        RecordFault fault;
        QCOMPARE(lines(ChangeRecord::fromText(text, fault)), lines(record));
        QVERIFY2(!fault, qPrintable(QString::fromUtf8(text)));

        record.renames[0].at = RecordedRename::At::To;
        record.renames[1].at = RecordedRename::At::From;
        record.state = ChangeRecord::State::Finished;
        text += record.positionsText({ChangeRecord::List::Renames});
        QCOMPARE(lines(ChangeRecord::fromText(text, fault)), lines(record));
        // An append cut short by a stop leaves the change as it was.
        const QByteArray torn = text.left(text.size() - 3);
        QCOMPARE(ChangeRecord::fromText(torn, fault).state, ChangeRecord::State::Running);
        QVERIFY(!fault);
    }

    // Records that earlier versions wrote are read: what the user did, where
    // the files stand, and of a volume only its UUID (a label or a device
    // number may be another volume's).
    void earlierFormats_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("volume");
        const QByteArray head = "tool\trenamer\nwhat\tthe upper-case walk\ncase-blind\tno\n";
        QTest::newRow("format 1") << "tamsells-file-utilities change record 1\n" + head
                                         + "folder\t/videos\nrename\t0\ta.avi\t0\tA.AVI\t\nstate\tfinished\n"
                                  << "";
        QTest::newRow("format 2")
            << "tamsells-file-utilities change record 2\n" + head
                   + "folder\t/videos\nrename\t0\ta.avi\t0\tA.AVI\t\t2049\t12\t\t\nstate\tfinished\n"
            << "";
        for (const char *volume : {"UUID=2A1B-33C4", "LABEL=CAMERA"})
            QTest::newRow(volume) << "tamsells-file-utilities change record 3\n" + head
                                         + "folder\t/videos\t2049\t12\t" + volume
                                         + "\nrename\t0\ta.avi\t0\tA.AVI\t\t2049\t12\t\t\nstate\tfinished\n"
                                  << (volume[0] == 'U' ? volume : "");
    }
    void earlierFormats()
    {
        QFETCH(QByteArray, text);
        QFETCH(QString, volume);
        RecordFault fault;
        const ChangeRecord record = ChangeRecord::fromText(text, fault);
        QVERIFY(!fault);
        QVERIFY(record.action == ChangeAction::UpperCaseWalk);
        QCOMPARE(record.folders.first().identity.volume, volume);
        QCOMPARE(record.renames.first().identity.volume, volume);
        QCOMPARE(record.atPath(record.renames.first()), QStringLiteral("/videos/A.AVI"));
    }

    void unreadable_data()
    {
        QTest::addColumn<QByteArray>("text");
        const QByteArray good = sample().toText();
        QTest::newRow("not a record") << QByteArray("hello\n");
        QTest::newRow("a newer format") << QByteArray(good).replace("record 4", "record 5");
        QTest::newRow("a path outside its folders")
            << QByteArray(good).replace("0\tFilm.avi", "0\t../etc/passwd");
        QTest::newRow("a folder that is no plain path")
            << QByteArray(good).replace("folder\t/videos\t", "folder\t/videos/../etc\t");
        QTest::newRow("a line it does not know") << good + "format\tc:\n";
        QTest::newRow("truncated before its state") << good.left(good.indexOf("rename"));
    }
    void unreadable()
    {
        QFETCH(QByteArray, text);
        RecordFault fault;
        ChangeRecord::fromText(text, fault);
        QVERIFY(bool(fault));
    }

    // Crafted records are read with a bounded number of allocations per
    // line, whatever they hold: many moved lines, a line longer than any
    // path, more renames than a record may hold.
    void hostileRecords_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("readable");
        const QByteArray head = "tamsells-file-utilities change record 3\ntool\trenamer\nwhat\tMAKE "
                                "CHANGES\ncase-blind\tno\nfolder\t/videos\t\t\t\n";
        QByteArray moves = head;
        for (int i = 0; i < 16000; ++i)
            moves += "rename\t0\tfilm" + QByteArray::number(i) + ".avi\t0\tFILM" + QByteArray::number(i)
                     + ".AVI\t\t\t\t\t\n";
        for (int i = 0; i < 16000; ++i)
            moves += "moved\t0\t/videos" + QByteArray::number(i % 2) + '\n';
        QTest::newRow("16,000 renames and 16,000 moved lines") << moves + "state\tfinished\n" << true;
        QByteArray longLine = head;
        longLine.replace("folder\t/videos", "folder\t/videos/" + QByteArray(1 << 20, 'x'));
        for (int i = 0; i < 2000; ++i)
            longLine += "rename\t0\ta\t0\tb\t\t\t\t\t\n";
        QTest::newRow("a folder line of 1 MB") << longLine << false;
        QByteArray many = head;
        for (int i = 0; i <= ChangeRecord::MostRenames; ++i)
            many += "rename\t0\ta\t0\tb\t\t\t\t\t\n";
        QTest::newRow("more renames than a record holds") << many << false;
    }
    void hostileRecords()
    {
        QFETCH(QByteArray, text);
        QFETCH(bool, readable);
        const qint64 lines = text.count('\n');
        RecordFault fault;
        const qint64 before = allocations.load();
        ChangeRecord::fromText(text, fault);
        QVERIFY2(allocations.load() - before <= 8 * lines,
                 qPrintable(QString::number(allocations.load() - before)));
        QCOMPARE(!fault, readable);
    }

    // Records name every file the user renamed: the folder and each record
    // are the user's own, those that an earlier version left open too.
    void privateState()
    {
        QTemporaryDir folder;
        const QString old = folder.filePath("change-000001.change");
        QFile(old).open(QIODevice::WriteOnly);
        const auto others = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup | QFile::ReadOther
                            | QFile::WriteOther | QFile::ExeOther;
        QFile::setPermissions(folder.path(), QFile::permissions(folder.path()) | others);
        QFile::setPermissions(old, QFile::permissions(old) | others);
        TestFileSystem host(folder.path());
        StoredChange change{{}, sample()};
        QVERIFY(ChangeJournal(host).begin(change));
        for (const QString &path : {folder.path(), old, folder.filePath(change.file)})
            QCOMPARE(QFile::permissions(path) & others, 0);
        // The folders it makes above it are the user's alone, whatever the umask.
        const mode_t umask = ::umask(0);
        TestFileSystem deeper(folder.filePath(".local/state/tamsells-file-utilities"));
        const bool made = !deeper.stateFolder().isEmpty();
        ::umask(umask);
        QVERIFY(made);
        for (const char *path : {".local", ".local/state", ".local/state/tamsells-file-utilities"})
            QCOMPARE(QFile::permissions(folder.filePath(path)) & others, 0);
    }

    // A state folder that is a link, another user's, or below a folder that
    // others may write in is refused before any record in it is read, and
    // the start says why; a record that names another user's folder, or a
    // temporary name that is not the engine's, is not acted on. A record
    // planted there never moves the user's file into another user's folder.
    void plantedRecord_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("told");
        QTest::newRow("a link") << "link"
                                << "the folder %1 cannot be used (it is a link, or not a folder)";
        QTest::newRow("another user's") << "owner"
                                        << "the folder %1 cannot be used (it is not a folder of your own)";
        QTest::newRow("open above it") << "open"
                                       << "the folder %2 cannot be used (other users may write in it)";
        QTest::newRow("naming another user's folder") << "theirs"
                                                      << "is not acted on: %3 is another user's folder";
        QTest::newRow("a temporary name not the engine's") << "temporary"
                                                           << "line 7 cannot be read";
    }
    void plantedRecord()
    {
        QFETCH(QString, fault);
        QFETCH(QString, told);
        if (::geteuid() != 0)
            QSKIP("another user's folder is made by root only");
        const QString temporary = fault == u"temporary" ? "film.mkv" : "tamsel.ltmp.1z7.9";
        TempFolder base{"state/", "theirs/", "mine/", "mine/" + temporary};
        const QString state = base / "state/tamsells-file-utilities", theirs = base / "theirs";
        const QString planted = fault == u"link" ? theirs : state;
        QVERIFY(QDir().mkpath(planted));
        QFile record(planted + "/change-000001.change");
        QVERIFY(record.open(QIODevice::WriteOnly));
        record.write(
            QStringLiteral("tamsells-file-utilities change record 4\ntool\trenamer\nwhat\tMAKE CHANGES\n"
                           "case-blind\tno\nfolder\t%1\t\t\nfolder\t%2\t\t\n"
                           "rename\t0\told.mkv\t1\tfilm.mkv\t%3\t\t\t\nstate\trunning\n")
                .arg(base / "mine", theirs, temporary)
                .toUtf8());
        record.close();
        if (fault == u"link")
            QVERIFY(QFile::link(theirs, state));
        if (fault == u"owner" || fault == u"theirs")
            QVERIFY(::chown(QFile::encodeName(fault == u"owner" ? state : theirs).constData(), 12345, 12345)
                    == 0);
        if (fault == u"open")
            QVERIFY(QFile::setPermissions(base / "state", QFileDevice::Permissions(0x7777)));
        TestFileSystem host(state);
        const QString message = recovered(host);
        told.replace("%1", state).replace("%2", base / "state").replace("%3", theirs);
        QVERIFY2(message.contains(told), qPrintable(message));
        QCOMPARE(base.names("mine"), QStringList{temporary});
        QCOMPARE(base.names("theirs").filter("film"), QStringList());
    }

    // A record that ends in more than a line without a line break (32 MiB of
    // one line, or NUL bytes after a whole record) is read once at each end,
    // and set aside: no start reads it again.
    void longEndSetAside_data()
    {
        QTest::addColumn<char>("byte");
        QTest::newRow("32 MiB of one line") << 'x';
        QTest::newRow("NUL bytes after a whole record") << '\0';
    }
    void longEndSetAside()
    {
        QFETCH(char, byte);
        TestFileSystem host;
        ChangeJournal journal(host);
        StoredChange change{{}, sample()};
        QVERIFY(journal.begin(change));
        journal.release(change);
        QFile file(host.stateFolder() + "/" + change.file);
        QVERIFY(file.open(QIODevice::Append) && file.write(QByteArray(32 << 20, byte)) == 32 << 20);
        file.close();
        int reads = 0;
        host.failWhen = [&](const QString &operation, const QString &) {
            reads += operation == u"readFile";
            return false;
        };
        QList<JournalNote> notes;
        QVERIFY(journal.summaries(notes).isEmpty());
        QCOMPARE(reads, 2); // its head and its end, once each
        QVERIFY(notes.size() == 1 && notes.first().fault.kind == RecordFault::Kind::BadEnd);
        QVERIFY(journal.summaries(notes).isEmpty() && notes.size() == 1);
    }

    // A record that cannot be read for a while (a busy drive) is left as it
    // is, and read once it can be.
    void readErrorSetsNothingAside()
    {
        TestFileSystem host;
        ChangeJournal journal(host);
        StoredChange change{{}, sample()};
        QVERIFY(journal.begin(change));
        journal.release(change);
        host.failWhen = [](const QString &operation, const QString &) {
            return operation == u"readFile";
        };
        QList<JournalNote> notes;
        QVERIFY(journal.summaries(notes).isEmpty());
        QVERIFY(notes.size() == 1 && notes.first().kind == JournalNote::Kind::NotReadNow);
        host.failWhen = {};
        notes.clear();
        QCOMPARE(journal.summaries(notes).size(), 1);
        QVERIFY(notes.isEmpty());
    }

    // The log keeps the last changes, sets an unreadable record aside with a
    // sentence, and a record that cannot be written leaves the set as it was.
    void log()
    {
        TestFileSystem host;
        ChangeJournal log(host);
        for (int i = 0; i < ChangeJournal::ChangesKept + 2; ++i) {
            StoredChange change{{}, sample()};
            change.record.state = ChangeRecord::State::Finished;
            QVERIFY(log.begin(change));
            log.release(change);
        }
        QList<JournalNote> setAside;
        QList<StoredChange> changes = log.summaries(setAside);
        QCOMPARE(changes.size(), ChangeJournal::ChangesKept);
        QCOMPARE(changes.first().file, QStringLiteral("change-000003.change"));

        QFile(host.stateFolder() + "/" + changes.last().file).resize(10);
        host.failWhen = [](const QString &operation, const QString &) {
            return operation == QLatin1String("createFile");
        };
        StoredChange unwritten{{}, sample()};
        QCOMPARE(log.begin(unwritten).error, EACCES);
        changes = log.summaries(setAside);
        QCOMPARE(changes.size(), ChangeJournal::ChangesKept - 1);
        QCOMPARE(
            changes.last().file,
            QStringLiteral("change-%1.change").arg(ChangeJournal::ChangesKept + 1, 6, 10, QLatin1Char('0')));
        QCOMPARE(setAside.size(), 1);
        QVERIFY2(ChangeWords::note(setAside.first()).contains(".unreadable"),
                 qPrintable(ChangeWords::note(setAside.first())));
        QVERIFY(log.summaries(setAside).size() == ChangeJournal::ChangesKept - 1 && setAside.size() == 1);
    }
};

QTEST_GUILESS_MAIN(tst_ChangeRecord)
#include "tst_ChangeRecord.moc"
