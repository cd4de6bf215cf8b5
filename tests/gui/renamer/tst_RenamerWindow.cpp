#include "RenamerFixture.h"
#include "TempFolder.h"
#include "TestHost.h"

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
        const QPoint inBoth = renamer.list1()->geometry().center();
        QVERIFY(renamer.file1()->isAncestorOf(renamer.window->childAt(inBoth)));
    }

    void tabOrder()
    {
        TestHost host;
        Renamer renamer(host);
        QVERIFY(QTest::qWaitForWindowActive(renamer.window));
        renamer.text("Text3")->setText(QStringLiteral("Film.avi"));
        renamer.file1()->setFocus();
        QStringList order{QApplication::focusWidget()->objectName()};
        for (int i = 0; i < 12; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            order << QApplication::focusWidget()->objectName();
            if (order.last() == QLatin1String("Text3")) {
                QCOMPARE(renamer.text("Text3")->selectedText(), QStringLiteral("Film.avi"));
            }
        }
        // The preview list, hidden under the file list, is passed by.
        QCOMPARE(order, (QStringList{"File1", "Text1", "Text3", "Text2", "Command3", "Command4",
                                     "Command1", "Command2", "Text4", "Drive2",
                                     "FolderTreeview1", "Command5", "File1"}));
    }

    // Typed letter by letter, the path box moves both lists as soon as its
    // text names a folder; the caret stays at the end.
    void typingThePath()
    {
        TempFolder folder{"Sub/", "Sub/film.avi", "top.avi"};
        TestHost host;
        Renamer renamer(host);
        QVERIFY(QTest::qWaitForWindowActive(renamer.window));
        QLineEdit *text4 = renamer.text("Text4");
        auto *folders = renamer.control<FolderListBox>("FolderTreeview1");
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
            QCOMPARE(renamer.file1()->path(), shown);
            QCOMPARE(text4->cursorPosition(), int(prefix.size()));
            QVERIFY(!text4->hasSelectedText());
        }
        QCOMPARE(renamer.file1()->items(), QStringList{"film.avi"});
    }

    void choosingADriveMovesTheLists()
    {
        TempFolder folder{"a.avi"};
        TestHost host;
        Renamer renamer(host, folder.path());
        auto *drives = renamer.control<DriveListBox>("Drive2");
        drives->setCurrentIndex(0);
        emit drives->activated(0);
        QCOMPARE(renamer.control<FolderListBox>("FolderTreeview1")->path(), Paths::hostRoot());
        QCOMPARE(renamer.text("Text4")->text(), Paths::hostRoot());
        QCOMPARE(renamer.file1()->path(), Paths::hostRoot());
    }

    void clickingAFileFillsBothBoxes()
    {
        TempFolder folder{"Film.avi", "other.mkv"};
        TestHost host;
        Renamer renamer(host, folder.path());
        QTest::mouseClick(renamer.file1()->viewport(), Qt::LeftButton, {}, renamer.fileRow(0));
        QCOMPARE(renamer.text("Text3")->text(), QStringLiteral("Film.avi"));
        QCOMPARE(renamer.text("Text2")->text(), QStringLiteral("Film.avi"));
    }

    void filter_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QStringList>("listed");

        QTest::newRow("empty box becomes *.*")
            << "" << "*.*" << QStringList{"film.avi", "nodots", "sub.mkv", "UPPER.AVI"};
        QTest::newRow("*.avi ignores letter case")
            << "*.avi" << "*.avi" << QStringList{"film.avi", "UPPER.AVI"};
        QTest::newRow("several patterns")
            << "*.mkv;nod*" << "*.mkv;nod*" << QStringList{"nodots", "sub.mkv"};
        QTest::newRow("no match") << "*.zzz" << "*.zzz" << QStringList{};
    }
    void filter()
    {
        QFETCH(QString, typed);
        QFETCH(QString, pattern);
        QFETCH(QStringList, listed);

        TempFolder folder{"film.avi", "UPPER.AVI", "nodots", "sub.mkv", "Folder/"};
        TestHost host;
        Renamer renamer(host, folder.path());
        renamer.text("Text3")->setText(QStringLiteral("."));
        renamer.click("Command2");
        QVERIFY(renamer.file1()->isHidden());

        renamer.text("Text1")->setText(typed);
        renamer.click("Command1");
        QCOMPARE(renamer.text("Text1")->text(), pattern);
        QCOMPARE(renamer.file1()->items(), listed);
        QVERIFY(renamer.file1()->isVisible());
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
            << QStringList{"b.avi", "A Film.mkv", "nodots"} << "." << "."
            << QStringList{"A FILM.MKV", "B.AVI"} << QStringList{"", ""};
        QTest::newRow("empty FROM previews every entry")
            << QStringList{"nodots", "x.avi"} << "" << "" << QStringList{"NODOTS", "X.AVI"}
            << QStringList{"", ""};
        QTest::newRow("refused TO is previewed")
            << QStringList{"a.mkv"} << "a" << "b:c" << QStringList{"B:C.MKV"}
            << QStringList{"nothing is renamed: RENAME TO may not hold \" < > : / \\ | ? *"};
        QTest::newRow("new names not trimmed")
            << QStringList{"x.avi", "x film.avi"} << "x" << " " << QStringList{"  FILM.AVI", " .AVI"}
            << QStringList{"becomes \"FILM.AVI\": the blanks at either end are dropped",
                           "keeps its name: a name that begins with a dot would hide it"};
        QTest::newRow("counters foreseen in the warning")
            << QStringList{"X1.AVI", "X2.AVI"} << "1" << "2" << QStringList{"X2.AVI"}
            << QStringList{"becomes X2.AVI.1: X2.AVI is taken"};
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
        renamer.text("Text3")->setText(from);
        renamer.text("Text2")->setText(to);
        renamer.click("Command2");

        QCOMPARE(renamer.list1()->items(), rows);
        for (int row = 0; row < rows.size(); ++row) {
            const QModelIndex index = renamer.list1()->model()->index(row, 0);
            const bool marked = index.data(Qt::ForegroundRole).isValid();
            QCOMPARE(marked, !warnings[row].isEmpty());
            QCOMPARE(index.data(Qt::ToolTipRole).toString(), marked ? warnings[row] : rows[row]);
        }
        QVERIFY(renamer.file1()->isHidden());
        QVERIFY(renamer.list1()->isVisible());
        std::sort(files.begin(), files.end());
        QCOMPARE(folder.names(), files);
    }

    void previewOfAnEmptyListKeepsTheFileList()
    {
        TempFolder folder{"a.avi"};
        TestHost host;
        Renamer renamer(host, folder.path());
        renamer.text("Text3")->setText(QStringLiteral("a"));
        renamer.click("Command2");
        QCOMPARE(renamer.list1()->count(), 1);

        renamer.text("Text1")->setText(QStringLiteral("*.zzz"));
        renamer.click("Command1");
        renamer.click("Command2");
        QCOMPARE(renamer.list1()->count(), 0);
        QVERIFY(renamer.file1()->isVisible());
    }

    // MAKE CHANGES works on what the filter lists and shows the folder's
    // names afresh, over the preview.
    void makeChangesThroughTheWindow()
    {
        TempFolder folder{"my movie.avi", "notes.txt", "nodots"};
        TestHost host;
        Renamer renamer(host, folder.path());
        renamer.text("Text1")->setText(QStringLiteral("*.avi;nodots"));
        renamer.click("Command1");
        renamer.text("Text3")->setText(QStringLiteral("."));
        renamer.text("Text2")->setText(QStringLiteral("."));
        renamer.click("Command2");
        renamer.click("Command3");

        QCOMPARE(folder.names(), (QStringList{"MY MOVIE.AVI", "nodots", "notes.txt"}));
        QCOMPARE(folder.contents("MY MOVIE.AVI"), QStringLiteral("my movie.avi"));
        QCOMPARE(renamer.file1()->items(), (QStringList{"MY MOVIE.AVI", "nodots"}));
        QVERIFY(renamer.file1()->isVisible());
    }

    void refusedRenameToStillRereadsTheList()
    {
        TempFolder folder{"a.avi"};
        TestHost host;
        Renamer renamer(host, folder.path());
        folder.make({"new.avi"});
        renamer.text("Text3")->setText(QStringLiteral("a"));
        renamer.text("Text2")->setText(QStringLiteral("b|c"));
        renamer.click("Command3");
        QCOMPARE(folder.names(), (QStringList{"a.avi", "new.avi"}));
        QCOMPARE(renamer.file1()->items(), (QStringList{"a.avi", "new.avi"}));
        QVERIFY(host.messages.isEmpty());
    }

    // A double click plays a video or converts an e-book, each program with
    // its own arguments, never through a shell.
    void doubleClick_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("program");
        QTest::addColumn<QStringList>("arguments");

        QTest::newRow("video") << "Film.avi" << "vlc" << QStringList{"Film.avi"};
        QTest::newRow("shell characters stay plain")
            << "a $(b) 'c'.mkv" << "vlc" << QStringList{"a $(b) 'c'.mkv"};
        QTest::newRow("e-book") << "My Book.lit" << "clit" << QStringList{"My Book.lit", "My_Book_html/"};
        QTest::newRow("four characters do nothing") << "a.b" << "" << QStringList{};
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
        QTest::newRow("Shift+Delete") << int(Qt::Key_Delete) << Qt::KeyboardModifiers(Qt::ShiftModifier) << true;
        QTest::newRow("Ctrl+Delete") << int(Qt::Key_Delete) << Qt::KeyboardModifiers(Qt::ControlModifier) << true;
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
        QTest::mouseClick(renamer.file1()->viewport(), Qt::LeftButton, {}, renamer.fileRow(1));
        QTest::keyClick(renamer.file1(), Qt::Key(key), modifiers);

        const QStringList left = deletes ? QStringList{"a.avi"} : QStringList{"a.avi", "b.avi"};
        QCOMPARE(folder.names(), left);
        QCOMPARE(renamer.file1()->items(), left);
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
        QTest::mouseClick(renamer.file1()->viewport(), Qt::LeftButton, {}, renamer.fileRow(0));
        QCOMPARE(renamer.file1()->selectedName(), QString(" b.avi"));
        QTest::keyClick(renamer.file1(), Qt::Key_Delete);
        QCOMPARE(folder.names(), QStringList{"b.avi"});
        QCOMPARE(folder.contents("b.avi"), QString("b.avi"));
    }
};

QTEST_MAIN(tst_RenamerWindow)
#include "tst_RenamerWindow.moc"
