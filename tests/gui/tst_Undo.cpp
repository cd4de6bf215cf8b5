// SPDX-License-Identifier: GPL-3.0-or-later
#include "TempFolder.h"
#include "WindowFixture.h"
#include "Told.h"

#include "core/changes/ChangeJournal.h"
#include "core/changes/Recovery.h"

#include <QListWidget>

namespace {

void pressUndo(QWidget *window, QWidget *list)
{
    list->setFocus();
    QTest::keyClick(window, Qt::Key_Z, Qt::ControlModifier);
}

// Something the user does to a folder in a window over host.
using Change = std::function<void(TestHost &, const TempFolder &)>;

void makeChanges(TestHost &host, const TempFolder &folder, const QString &from, const QString &to)
{
    Renamer renamer(host, folder.path());
    renamer.text(RenamerControls::changeThis)->setText(from);
    renamer.text(RenamerControls::renameTo)->setText(to);
    renamer.click(RenamerControls::makeChanges);
}

void specialBatch(TestHost &host, const TempFolder &folder, const QString &answer)
{
    Renamer renamer(host, folder.path());
    host.answers = {answer};
    renamer.click(RenamerControls::specialBatch);
}

void makeFolders(TestHost &host, const TempFolder &folder, const QStringList &files)
{
    Folderer folderer(host);
    QStringList paths;
    for (const QString &file : files)
        paths << folder / file;
    folderer.drop(FoldererControls::files, paths);
    folderer.click(FoldererControls::makeFolders);
}

// Ctrl+Z in a fresh window of the tool that made the last change.
void undoInRenamer(TestHost &host, const TempFolder &folder)
{
    Renamer renamer(host, folder.path());
    QVERIFY(QTest::qWaitForWindowActive(renamer.window));
    pressUndo(renamer.window, renamer.files());
}

// Chooses a file in the renamer and presses Delete.
void deleteInRenamer(TestHost &host, const TempFolder &folder, const QString &name)
{
    Renamer renamer(host, folder.path());
    QVERIFY(QTest::qWaitForWindowActive(renamer.window));
    QTest::mouseClick(renamer.files()->viewport(), Qt::LeftButton, {},
                      renamer.fileRow(int(renamer.files()->items().indexOf(name))));
    QTest::keyClick(renamer.files(), Qt::Key_Delete);
}

void undoInFolderer(TestHost &host, const TempFolder &)
{
    Folderer folderer(host);
    QVERIFY(QTest::qWaitForWindowActive(folderer.window));
    pressUndo(folderer.window, folderer.files());
}

} // namespace

Q_DECLARE_METATYPE(Change)

class tst_Undo : public QObject {
    Q_OBJECT
private slots:
    // Each kind of change, undone by Ctrl+Z, leaves the folder as it was.
    void undo_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<Change>("change");
        QTest::addColumn<Change>("undo");
        QTest::addColumn<QString>("message");

        const QStringList names{"Film.2004.DVDRip.avi", "b.avi", "Season 1/", "Season 1/c.avi"};
        QTest::newRow("MAKE CHANGES")
            << names << Change([](TestHost &h, const TempFolder &f) { makeChanges(h, f, ".", "."); })
            << Change(undoInRenamer) << "Put back 2 names.";
        QTest::newRow("clean-up batch")
            << names << Change([](TestHost &h, const TempFolder &f) { specialBatch(h, f, "YES"); })
            << Change(undoInRenamer) << "Put back 2 names.";
        QTest::newRow("upper-case walk")
            << names << Change([](TestHost &h, const TempFolder &f) { specialBatch(h, f, "FOLDERS"); })
            << Change(undoInRenamer) << "Put back 1 name.";
        QTest::newRow("MakeFolders") << names << Change([](TestHost &h, const TempFolder &f) {
            makeFolders(h, f, {"Film.2004.DVDRip.avi", "b.avi", "Season 1/c.avi"});
        }) << Change(undoInFolderer) << "Put back 3 names. Removed 3 folders that it had made.";
    }
    void undo()
    {
        QFETCH(QStringList, files);
        QFETCH(Change, change);
        QFETCH(Change, undo);
        QFETCH(QString, message);

        TempFolder folder;
        folder.make(files);
        const QStringList before = folder.tree();
        TestHost host;
        change(host, folder);
        QVERIFY(folder.tree() != before);
        host.messages.clear();
        undo(host, folder);
        QCOMPARE(folder.tree(), before);
        QCOMPARE(host.messages, QStringList{message});
    }

    // Undo leaves a file that is gone or whose old name is taken now, says
    // why, and puts the others back; the next Ctrl+Z, in a later run of the
    // program, undoes the change before.
    void takenGoneAndTwoRuns()
    {
        TempFolder folder{"a.avi", "b.avi", "c.avi", "d.avi"};
        TestHost first;
        makeChanges(first, folder, "a.", "x.");
        makeChanges(first, folder, ".", ".");
        QFile::remove(folder / "B.AVI");
        folder.make({"c.avi"});

        TestHost later(first.stateFolder());
        undoInRenamer(later, folder);
        QCOMPARE(later.messages.first(),
                 QStringLiteral("Put back 1 name.\n\nNot put back:\n%1: it is no longer there\n"
                                "%2: its old name %3 is taken now")
                     .arg(folder / "B.AVI", folder / "C.AVI", folder / "c.avi"));
        QCOMPARE(folder.names(), (QStringList{"C.AVI", "X.AVI", "c.avi", "d.avi"}));
        undoInRenamer(later, folder);
        QCOMPARE(folder.names(), (QStringList{"C.AVI", "a.avi", "c.avi", "d.avi"}));
        undoInRenamer(later, folder);
        QCOMPARE(later.messages.last(), QStringLiteral("There is nothing to undo."));
    }

    // A change that moved nothing (its drive refuses every rename) leaves no
    // record and offers no Ctrl+Z; the Ctrl+Z after it names the earlier
    // change it undoes, in another folder.
    void undoAfterAChangeThatMovedNothing()
    {
        TempFolder earlier{"a.avi"}, readOnly{"b.avi"};
        TestHost host;
        makeChanges(host, earlier, ".", ".");
        host.failWhen = [&](const QString &operation, const QString &path) {
            return operation == u"rename" && path.startsWith(readOnly.path());
        };
        Renamer renamer(host, readOnly.path());
        QVERIFY(QTest::qWaitForWindowActive(renamer.window));
        renamer.text(RenamerControls::changeThis)->setText(".");
        renamer.text(RenamerControls::renameTo)->setText(".");
        renamer.click(RenamerControls::makeChanges);
        QVERIFY2(host.messages.last().startsWith("1 of 1 name could not be changed")
                     && !host.messages.last().contains("Ctrl+Z"),
                 qPrintable(host.messages.last()));
        host.failWhen = {};
        pressUndo(renamer.window, renamer.files());
        QVERIFY2(host.messages.last().startsWith(
                     QStringLiteral("The last change left nothing to undo; this undid MAKE CHANGES in %1")
                         .arg(earlier.path())),
                 qPrintable(host.messages.last()));
        QCOMPARE(earlier.names(), QStringList{"a.avi"});
    }

    // In a text box Ctrl+Z undoes typing; a folder that cannot be read now
    // (a drive taken away) keeps its change for a later Ctrl+Z.
    void textBoxAndMissingFolder()
    {
        TempFolder folder{"a.avi"};
        TestHost host;
        makeChanges(host, folder, ".", ".");
        {
            Renamer renamer(host, folder.path());
            QVERIFY(QTest::qWaitForWindowActive(renamer.window));
            renamer.text(RenamerControls::changeThis)->setFocus();
            QTest::keyClicks(renamer.text(RenamerControls::changeThis), "x");
            QTest::keyClick(renamer.text(RenamerControls::changeThis), Qt::Key_Z, Qt::ControlModifier);
            QCOMPARE(renamer.text(RenamerControls::changeThis)->text(), QString());
            QCOMPARE(host.messages, QStringList());
        }
        const QString away = folder.path() + QStringLiteral(".away");
        QVERIFY(QDir().rename(folder.path(), away));
        undoInRenamer(host, folder);
        QVERIFY(host.messages.last().startsWith(QStringLiteral("Nothing was put back")));
        QVERIFY(QDir().rename(away, folder.path()));
        undoInRenamer(host, folder);
        QCOMPARE(folder.names(), QStringList{"a.avi"});
    }

    // The list's context menu names what Ctrl+Z would undo.
    void contextMenu()
    {
        TempFolder folder{"a.avi"};
        TestHost host;
        Renamer renamer(host, folder.path());
        QVERIFY(QTest::qWaitForWindowActive(renamer.window));
        QCOMPARE(contextMenuEntries(renamer.files(), 0), QStringList{"off: Undo (nothing to undo)"});
        // Asking for the menu chooses no file, which would overwrite the boxes.
        renamer.text(RenamerControls::changeThis)->setText(QStringLiteral("typed"));
        QTest::mouseClick(renamer.files()->viewport(), Qt::RightButton, {}, renamer.fileRow(0));
        QCOMPARE(renamer.text(RenamerControls::changeThis)->text(), QStringLiteral("typed"));
        host.answers = {QStringLiteral("YES")};
        renamer.click(RenamerControls::specialBatch);
        QCOMPARE(contextMenuEntries(renamer.files(), 0),
                 QStringList{QStringLiteral("Undo the clean-up batch in %1 (1 name)").arg(folder.path())});
    }

    // Delete moves the file into the home trash with a note of where it was
    // and when; Ctrl+Z, in a later run of the program, renames it back and
    // takes the note away. A file whose name is taken meanwhile stays in the
    // trash, one gone from the trash is named, and a trash that cannot be
    // made deletes nothing.
    void deleteThenUndo_data()
    {
        QTest::addColumn<bool>("trashWorks");
        QTest::addColumn<Change>("meanwhile");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QStringList>("trashed");
        // What Delete and Ctrl+Z say; %1 is the folder, %2 the trash.
        QTest::addColumn<QStringList>("messages");

        const Change nothing = [](TestHost &, const TempFolder &) {
        };
        QTest::newRow("restored") << true << nothing << QStringList{"a.avi", "b c.avi"} << QStringList()
                                  << QStringList{"Put back 1 name."};
        QTest::newRow("name taken meanwhile")
            << true << Change([](TestHost &, const TempFolder &f) { f.make({"b c.avi"}); })
            << QStringList{"a.avi", "b c.avi"} << QStringList{"b c.avi"}
            << QStringList{"Put back 0 names.\n\nNot put back:\n%2/files/b c.avi: its old name "
                           "%1/b c.avi is taken now"};
        QTest::newRow("gone from the trash")
            << true << Change([](TestHost &h, const TempFolder &) {
                   // As a file manager empties the trash.
                   QFile::remove(h.trashFolder() + QStringLiteral("/Trash/files/b c.avi"));
                   QFile::remove(h.trashFolder() + QStringLiteral("/Trash/info/b c.avi.trashinfo"));
               })
            << QStringList{"a.avi"} << QStringList()
            << QStringList{"Put back 0 names.\n\nNot put back:\n%2/files/b c.avi: it is no "
                           "longer there"};
        QTest::newRow("trash cannot be made")
            << false << nothing << QStringList{"a.avi", "b c.avi"} << QStringList()
            << QStringList{"%1/b c.avi was not deleted: the trash %2 cannot be made (Read-only "
                           "file system).",
                           "There is nothing to undo."};
    }
    void deleteThenUndo()
    {
        QFETCH(bool, trashWorks);
        QFETCH(Change, meanwhile);
        QFETCH(QStringList, names);
        QFETCH(QStringList, trashed);
        QFETCH(QStringList, messages);

        TempFolder folder{"a.avi", "b c.avi"};
        TestHost first;
        const QString trash = first.trashFolder() + QStringLiteral("/Trash");
        first.failWhen = [trashWorks](const QString &operation, const QString &) {
            return !trashWorks && operation == QLatin1String("reserveTrash");
        };
        deleteInRenamer(first, folder, QStringLiteral("b c.avi"));
        if (trashWorks) {
            QCOMPARE(folder.names(), QStringList{"a.avi"});
            QFile note(trash + QStringLiteral("/info/b c.avi.trashinfo"));
            QVERIFY(note.open(QIODevice::ReadOnly));
            QVERIFY(note.readAll().startsWith(
                "[Trash Info]\nPath=" + (folder / "b c.avi").toUtf8().toPercentEncoding("/")
                + "\nDeletionDate=" + QDate::currentDate().toString(Qt::ISODate).toLatin1()));
        }
        meanwhile(first, folder);

        TestHost later(first.stateFolder());
        undoInRenamer(later, folder);
        QCOMPARE(folder.names(), names);
        QCOMPARE(QDir(trash + QStringLiteral("/files")).entryList(QDir::Files), trashed);
        QStringList notes = trashed;
        for (QString &note : notes)
            note += QStringLiteral(".trashinfo");
        QCOMPARE(QDir(trash + QStringLiteral("/info")).entryList(QDir::Files), notes);
        QStringList said = first.messages + later.messages;
        for (QString &message : messages)
            message.replace(QStringLiteral("%1"), folder.path()).replace(QStringLiteral("%2"), trash);
        QCOMPARE(said, messages);
    }

    // After Ctrl+Z undid a walk of the folders, the folder list and the path
    // box show the names on disk: the current folder, which the undo renamed
    // away, gives way to the folder above it, whose folders open again.
    void folderListAfterUndoingAWalk()
    {
        TempFolder folder{"season 1/", "extras/", "a.avi"};
        TestHost host;
        Renamer renamer(host, folder.path());
        QVERIFY(QTest::qWaitForWindowActive(renamer.window));
        auto *folders = renamer.control<QListWidget>(RenamerControls::folders);
        // The subfolders of the current folder, as the list shows them.
        const auto shown = [&] {
            QStringList names;
            for (int row = folders->currentRow() + 1; row < folders->count(); ++row)
                names << folders->item(row)->text().trimmed();
            return names;
        };
        host.answers = {QStringLiteral("FOLDERS")};
        renamer.click(RenamerControls::specialBatch);
        QCOMPARE(shown(), (QStringList{"EXTRAS", "SEASON 1"}));
        renamer.text(RenamerControls::path)->setText(folder / "SEASON 1");

        pressUndo(renamer.window, renamer.files());
        QCOMPARE(renamer.text(RenamerControls::path)->text(), folder.path());
        QCOMPARE(shown(), (QStringList{"extras", "season 1"}));
        QCOMPARE(renamer.files()->items(), QStringList{"a.avi"});
        folders->setFocus();
        folders->setCurrentRow(folders->count() - 1);
        QTest::keyClick(folders, Qt::Key_Return);
        QCOMPARE(renamer.text(RenamerControls::path)->text(), folder / "season 1");
    }

    // A change still happens when its record cannot be written, and says
    // that it cannot be undone.
    void unrecordedChange()
    {
        TempFolder folder{"a.avi"};
        TestHost host;
        host.failWhen = [](const QString &operation, const QString &) {
            return operation == QLatin1String("createFile");
        };
        makeChanges(host, folder, ".", ".");
        QCOMPARE(folder.names(), QStringList{"A.AVI"});
        QCOMPARE(host.messages, QStringList{"This change cannot be undone: its record could not "
                                            "be written (Permission denied)."});
    }

    // A change that a stop interrupted, with one file under its temporary
    // name, one renamed and one not yet: the next start puts the first where
    // it was going, says so, and leaves the change to be undone.
    void recovery()
    {
        TempFolder folder{"b.avi", "c.avi", "B.AVI~", "tamsel.ltmp.1z7.7"};
        QFile::rename(folder / "B.AVI~", folder / "B.AVI");
        QFile::remove(folder / "b.avi");
        TestHost host;
        StoredChange change;
        change.record.action = ChangeAction::UpperCaseWalk;
        change.record.folders = {{folder.path(), {}}};
        change.record.renames = {{{0, "a.avi"}, {0, "A.AVI"}, "tamsel.ltmp.1z7.7"},
                                 {{0, "b.avi"}, {0, "B.AVI"}},
                                 {{0, "c.avi"}, {0, "C.AVI"}}};
        QVERIFY(ChangeJournal(host).begin(change));

        // While the folder cannot be read, the change waits as it is.
        const QString away = folder.path() + QStringLiteral(".away");
        QVERIFY(QDir().rename(folder.path(), away));
        QVERIFY(recovered(host).contains(QStringLiteral("cannot be read now")));
        QVERIFY(QDir().rename(away, folder.path()));

        const QString message = recovered(host);
        QCOMPARE(folder.names(), (QStringList{"A.AVI", "B.AVI", "c.avi"}));
        QVERIFY2(message.startsWith(QStringLiteral("The program was stopped in the middle of the "
                                                   "upper-case walk in %1; 2 of 3 names had been "
                                                   "changed.")
                                        .arg(folder.path())),
                 qPrintable(message));
        QVERIFY(message.contains(folder / "A.AVI"));
        QVERIFY(recovered(host).isEmpty());

        undoInRenamer(host, folder);
        QCOMPARE(folder.names(), (QStringList{"a.avi", "b.avi", "c.avi"}));
    }
};

QTEST_MAIN(tst_Undo)
#include "tst_Undo.moc"
