// SPDX-License-Identifier: GPL-3.0-or-later
#include "TempFolder.h"
#include "WindowFixture.h"

#include "core/base/Paths.h"
#include "gui/controls/DriveListBox.h"
#include "gui/controls/FolderListBox.h"

#include <QApplication>

class tst_RenamerWindow : public QObject {
    Q_OBJECT
private slots:
    // The preview list lies under the file list, hidden where both lie.
    void fileListCoversThePreview()
    {
        TestHost host;
        Renamer renamer(host);
        const QPoint inBoth = renamer.preview()->geometry().center();
        QVERIFY(renamer.files()->isAncestorOf(renamer.window->childAt(inBoth)));
    }

    void tabOrder()
    {
        TestHost host;
        Renamer renamer(host);
        QVERIFY(QTest::qWaitForWindowActive(renamer.window));
        renamer.text(RenamerControls::changeThis)->setText(QStringLiteral("Film.avi"));
        renamer.files()->setFocus();
        QStringList order{QApplication::focusWidget()->objectName()};
        for (int i = 0; i < 12; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            order << QApplication::focusWidget()->objectName();
            if (order.last() == QLatin1String(RenamerControls::changeThis)) {
                QCOMPARE(renamer.text(RenamerControls::changeThis)->selectedText(),
                         QStringLiteral("Film.avi"));
            }
        }
        // The preview list, hidden under the file list, is passed by.
        QCOMPARE(order,
                 (QStringList{RenamerControls::files, RenamerControls::filter, RenamerControls::changeThis,
                              RenamerControls::renameTo, RenamerControls::makeChanges, RenamerControls::exit,
                              RenamerControls::applyFilter, RenamerControls::previewChanges,
                              RenamerControls::path, RenamerControls::drives, RenamerControls::folders,
                              RenamerControls::specialBatch, RenamerControls::files}));
    }

    // Typed letter by letter, the path box moves both lists as soon as its
    // text names a folder; the caret stays at the end.
    void typingThePath()
    {
        TempFolder folder{"Sub/", "Sub/film.avi", "top.avi"};
        TestHost host;
        Renamer renamer(host);
        QVERIFY(QTest::qWaitForWindowActive(renamer.window));
        QLineEdit *text4 = renamer.text(RenamerControls::path);
        auto *folders = renamer.control<FolderListBox>(RenamerControls::folders);
        text4->setFocus();
        text4->selectAll();
        QTest::keyClick(text4, Qt::Key_Delete);

        const QString target = folder / "Sub";
        QString shown = folders->path();
        for (qsizetype typed = 1; typed <= target.size(); ++typed) {
            const QString prefix = target.left(typed);
            QTest::keyClick(text4, target.at(typed - 1).toLatin1());
            if (QFileInfo(prefix).isDir())
                shown = QDir::toNativeSeparators(QDir::cleanPath(prefix));
            QCOMPARE(text4->text(), prefix);
            QCOMPARE(folders->path(), shown);
            QCOMPARE(renamer.files()->path(), shown);
            QCOMPARE(text4->cursorPosition(), int(prefix.size()));
            QVERIFY(!text4->hasSelectedText());
        }
        QCOMPARE(renamer.files()->items(), QStringList{"film.avi"});
    }

    void choosingADriveMovesTheLists()
    {
        TempFolder folder{"a.avi"};
        TestHost host;
        Renamer renamer(host, folder.path());
        auto *drives = renamer.control<DriveListBox>(RenamerControls::drives);
        drives->setCurrentIndex(0);
        emit drives->activated(0);
        QCOMPARE(renamer.control<FolderListBox>(RenamerControls::folders)->path(), Paths::hostRoot());
        QCOMPARE(renamer.text(RenamerControls::path)->text(), Paths::hostRoot());
        QCOMPARE(renamer.files()->path(), Paths::hostRoot());
    }

    void clickingAFileFillsBothBoxes()
    {
        TempFolder folder{"Film.avi", "other.mkv"};
        TestHost host;
        Renamer renamer(host, folder.path());
        QTest::mouseClick(renamer.files()->viewport(), Qt::LeftButton, {}, renamer.fileRow(0));
        QCOMPARE(renamer.text(RenamerControls::changeThis)->text(), QStringLiteral("Film.avi"));
        QCOMPARE(renamer.text(RenamerControls::renameTo)->text(), QStringLiteral("Film.avi"));
    }

    void filter_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QStringList>("listed");

        QTest::newRow("empty box becomes *.*")
            << ""
            << "*.*" << QStringList{"film.avi", "nodots", "sub.mkv", "UPPER.AVI"};
        QTest::newRow("*.avi ignores letter case") << "*.avi"
                                                   << "*.avi" << QStringList{"film.avi", "UPPER.AVI"};
        QTest::newRow("several patterns") << "*.mkv;nod*"
                                          << "*.mkv;nod*" << QStringList{"nodots", "sub.mkv"};
        QTest::newRow("no match") << "*.zzz"
                                  << "*.zzz" << QStringList{};
    }
    void filter()
    {
        QFETCH(QString, typed);
        QFETCH(QString, pattern);
        QFETCH(QStringList, listed);

        TempFolder folder{"film.avi", "UPPER.AVI", "nodots", "sub.mkv", "Folder/"};
        TestHost host;
        Renamer renamer(host, folder.path());
        renamer.text(RenamerControls::changeThis)->setText(QStringLiteral("."));
        renamer.click(RenamerControls::previewChanges);
        QVERIFY(renamer.files()->isHidden());

        renamer.text(RenamerControls::filter)->setText(typed);
        renamer.click(RenamerControls::applyFilter);
        QCOMPARE(renamer.text(RenamerControls::filter)->text(), pattern);
        QCOMPARE(renamer.files()->items(), listed);
        QVERIFY(renamer.files()->isVisible());
    }

    // The rows are the rule's new names; a row whose file MAKE CHANGES will
    // not give that name is marked, and its tooltip says what will happen.
    void preview_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QStringList>("warnings");

        QTest::newRow("dots: every dotted name upper-cased, in list order")
            << QStringList{"b.avi", "A Film.mkv", "nodots"} << "."
            << "." << QStringList{"A FILM.MKV", "B.AVI"} << QStringList{"", ""};
        QTest::newRow("empty FROM previews every entry")
            << QStringList{"nodots", "x.avi"} << ""
            << "" << QStringList{"NODOTS", "X.AVI"} << QStringList{"", ""};
        QTest::newRow("refused TO is previewed")
            << QStringList{"a.mkv"} << "a"
            << "b:c" << QStringList{"B:C.MKV"}
            << QStringList{"nothing is renamed: RENAME TO may not hold \" < > : / \\ | ? *"};
        QTest::newRow("new names not trimmed")
            << QStringList{"x.avi", "x film.avi"} << "x"
            << " " << QStringList{"  FILM.AVI", " .AVI"}
            << QStringList{"becomes \"FILM.AVI\": the blanks at either end are dropped",
                           "keeps its name: a name that begins with a dot would hide it"};
        QTest::newRow("counters foreseen in the warning")
            << QStringList{"X1.AVI", "X2.AVI"} << "1"
            << "2" << QStringList{"X2.AVI"} << QStringList{"becomes X2.AVI.1: X2.AVI is taken"};
    }
    void preview()
    {
        QFETCH(QStringList, files);
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QStringList, rows);
        QFETCH(QStringList, warnings);

        TempFolder folder;
        folder.make(files);
        TestHost host;
        Renamer renamer(host, folder.path());
        renamer.text(RenamerControls::changeThis)->setText(from);
        renamer.text(RenamerControls::renameTo)->setText(to);
        renamer.click(RenamerControls::previewChanges);

        QCOMPARE(renamer.preview()->items(), rows);
        for (int row = 0; row < rows.size(); ++row) {
            const QModelIndex index = renamer.preview()->model()->index(row, 0);
            const bool marked = index.data(Qt::ForegroundRole).isValid();
            QCOMPARE(marked, !warnings[row].isEmpty());
            QCOMPARE(index.data(Qt::ToolTipRole).toString(), marked ? warnings[row] : rows[row]);
        }
        QVERIFY(renamer.files()->isHidden());
        QVERIFY(renamer.preview()->isVisible());
        std::sort(files.begin(), files.end());
        QCOMPARE(folder.names(), files);
    }

    void previewOfAnEmptyListKeepsTheFileList()
    {
        TempFolder folder{"a.avi"};
        TestHost host;
        Renamer renamer(host, folder.path());
        renamer.text(RenamerControls::changeThis)->setText(QStringLiteral("a"));
        renamer.click(RenamerControls::previewChanges);
        QCOMPARE(renamer.preview()->count(), 1);

        renamer.text(RenamerControls::filter)->setText(QStringLiteral("*.zzz"));
        renamer.click(RenamerControls::applyFilter);
        renamer.click(RenamerControls::previewChanges);
        QCOMPARE(renamer.preview()->count(), 0);
        QVERIFY(renamer.files()->isVisible());
    }

    // MAKE CHANGES works on what the filter lists and shows the folder's
    // names afresh, over the preview.
    void makeChangesThroughTheWindow()
    {
        TempFolder folder{"my movie.avi", "notes.txt", "nodots"};
        TestHost host;
        Renamer renamer(host, folder.path());
        renamer.text(RenamerControls::filter)->setText(QStringLiteral("*.avi;nodots"));
        renamer.click(RenamerControls::applyFilter);
        renamer.text(RenamerControls::changeThis)->setText(QStringLiteral("."));
        renamer.text(RenamerControls::renameTo)->setText(QStringLiteral("."));
        renamer.click(RenamerControls::previewChanges);
        renamer.click(RenamerControls::makeChanges);

        QCOMPARE(folder.names(), (QStringList{"MY MOVIE.AVI", "nodots", "notes.txt"}));
        QCOMPARE(folder.contents("MY MOVIE.AVI"), QStringLiteral("my movie.avi"));
        QCOMPARE(renamer.files()->items(), (QStringList{"MY MOVIE.AVI", "nodots"}));
        QVERIFY(renamer.files()->isVisible());
    }

    void refusedRenameToStillRereadsTheList()
    {
        TempFolder folder{"a.avi"};
        TestHost host;
        Renamer renamer(host, folder.path());
        folder.make({"new.avi"});
        renamer.text(RenamerControls::changeThis)->setText(QStringLiteral("a"));
        renamer.text(RenamerControls::renameTo)->setText(QStringLiteral("b|c"));
        renamer.click(RenamerControls::makeChanges);
        QCOMPARE(folder.names(), (QStringList{"a.avi", "new.avi"}));
        QCOMPARE(renamer.files()->items(), (QStringList{"a.avi", "new.avi"}));
        QVERIFY(host.messages.isEmpty());
    }

    // A double click plays a video or converts an e-book, each program with
    // its own arguments, never through a shell.
    void doubleClick_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("program");
        QTest::addColumn<QStringList>("arguments");

        QTest::newRow("video") << "Film.avi"
                               << "vlc" << QStringList{"Film.avi"};
        QTest::newRow("shell characters stay plain") << "a $(b) 'c'.mkv"
                                                     << "vlc" << QStringList{"a $(b) 'c'.mkv"};
        QTest::newRow("e-book") << "My Book.lit"
                                << "clit" << QStringList{"My Book.lit", "My_Book_html/"};
        QTest::newRow("four characters do nothing") << "a.b"
                                                    << "" << QStringList{};
    }
    void doubleClick()
    {
        QFETCH(QString, file);
        QFETCH(QString, program);
        QFETCH(QStringList, arguments);

        TempFolder folder;
        folder.make({file});
        TestHost host;
        host.clockReadings = {"10:00:00", "10:00:00", "10:00:01", "10:00:01", "10:00:02"};
        Renamer renamer(host, folder.path());
        renamer.doubleClickFile(0);

        if (program.isEmpty()) {
            QVERIFY(host.started.isEmpty());
            return;
        }
        QCOMPARE(host.started.size(), 1);
        QCOMPARE(host.started[0].program, program);
        QStringList expected;
        for (const QString &argument : arguments)
            expected << folder / argument;
        QCOMPARE(host.started[0].arguments, expected);
        // The converter's run is awaited for two ticks of the clock, with
        // the window painting in between; the player's is not.
        QCOMPARE(host.clockReads, program == u"clit" ? 5 : 0);
        QCOMPARE(host.yields, program == u"clit" ? 1 : 0);
        QVERIFY(host.messages.isEmpty());
    }

    void converterThatCannotStartIsReported()
    {
        TempFolder folder{"Book.lit"};
        TestHost host;
        host.programsFail = true;
        Renamer renamer(host, folder.path());
        renamer.doubleClickFile(0);
        QCOMPARE(host.messages, QStringList{"The program \"clit\" was not found."});
        QCOMPARE(host.clockReads, 0);
        QVERIFY(renamer.window);
    }

    void deleteKey_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<bool>("deletes");

        QTest::newRow("Delete") << int(Qt::Key_Delete) << Qt::KeyboardModifiers() << true;
        QTest::newRow("Shift+Delete")
            << int(Qt::Key_Delete) << Qt::KeyboardModifiers(Qt::ShiftModifier) << true;
        QTest::newRow("Ctrl+Delete") << int(Qt::Key_Delete) << Qt::KeyboardModifiers(Qt::ControlModifier)
                                     << true;
        QTest::newRow("Backspace") << int(Qt::Key_Backspace) << Qt::KeyboardModifiers() << false;
        QTest::newRow("letter D") << int(Qt::Key_D) << Qt::KeyboardModifiers() << false;
    }
    void deleteKey()
    {
        QFETCH(int, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(bool, deletes);

        TempFolder folder{"a.avi", "b.avi"};
        TestHost host;
        Renamer renamer(host, folder.path());
        QVERIFY(QTest::qWaitForWindowActive(renamer.window));
        QTest::mouseClick(renamer.files()->viewport(), Qt::LeftButton, {}, renamer.fileRow(1));
        QTest::keyClick(renamer.files(), Qt::Key(key), modifiers);

        const QStringList left = deletes ? QStringList{"a.avi"} : QStringList{"a.avi", "b.avi"};
        QCOMPARE(folder.names(), left);
        QCOMPARE(renamer.files()->items(), left);
        QVERIFY(host.messages.isEmpty());
        // The move runs on a worker, as every change does.
        QCOMPARE(host.longWork.size(), deletes ? 1 : 0);
        if (deletes) {
            // In the trash, not gone for good.
            QFile trashed(host.trashFolder() + QStringLiteral("/Trash/files/b.avi"));
            QVERIFY(trashed.open(QIODevice::ReadOnly));
            QCOMPARE(trashed.readAll(), QByteArray("b.avi"));
        }
    }

    void deleteKeyRemovesTheSelectedNameOnly()
    {
        // " b.avi" trimmed would name its twin "b.avi".
        TempFolder folder{" b.avi", "b.avi"};
        TestHost host;
        Renamer renamer(host, folder.path());
        QVERIFY(QTest::qWaitForWindowActive(renamer.window));
        QTest::mouseClick(renamer.files()->viewport(), Qt::LeftButton, {}, renamer.fileRow(0));
        QCOMPARE(renamer.files()->selectedName(), QString(" b.avi"));
        QTest::keyClick(renamer.files(), Qt::Key_Delete);
        QCOMPARE(folder.names(), QStringList{"b.avi"});
        QCOMPARE(folder.contents("b.avi"), QString("b.avi"));
    }
};

QTEST_MAIN(tst_RenamerWindow)
#include "tst_RenamerWindow.moc"
