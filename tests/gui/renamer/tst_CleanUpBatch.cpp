// SPDX-License-Identifier: GPL-3.0-or-later
#include "RealBoxHost.h"
#include "TempFolder.h"
#include "WindowFixture.h"

#include "core/base/TemporaryName.h"
#include "gui/controls/FolderListBox.h"

#include <QApplication>
#include <QThread>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLocale>
#include <QTreeView>
#include <atomic>

namespace {

// The batch over every file of folder, as a user who answered `answer`.
void runBatch(TestHost &host, const Renamer &renamer, const QString &answer)
{
    host.answers = {answer};
    renamer.click(RenamerControls::specialBatch);
}

const QStringList ReleaseNames{"Movie.Name.2004.DVDRip.XviD-aXXo.avi",
                               "Some_Film_[1999]_HDTV.mkv",
                               "movie (1984) [DVD].avi",
                               "Special EDITION.avi",
                               "The Aviator 2004.avi",
                               "Unlimited Edition (2010).mp4",
                               "readme.txt",
                               "Film-deity.avi",
                               "Film 19991.avi",
                               "Film.1949.avi",
                               "Film.2013.avi",
                               "nodots",
                               "Road.Trip.2000.UNRATED.DVDRip.avi",
                               "road.trip.2000.unrated.dvdrip.AVI",
                               "ROAD TRIP (2000).AVI",
                               "Space.Story.2012.iFLiX.m4v",
                               "holiday.video.2007.www.sharethefiles.com.avi",
                               "Band..Reunion...1988..mp4",
                               "DVDRip.avi",
                               "-.avi",
                               "tamsel.ltmp.1z7.42"};

} // namespace

class tst_CleanUpBatch : public QObject {
    Q_OBJECT
private slots:
    void answers_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QStringList>("after");
        QTest::addColumn<QStringList>("messages");

        const QStringList cleaned{"A FILM (2004).AVI", "Later", "Season 1"};
        const QStringList folders{"LATER", "SEASON 1", "a.film.2004.avi"};
        const QStringList files{"A.FILM.2004.AVI", "Later", "Season 1"};
        const QStringList untouched{"Later", "Season 1", "a.film.2004.avi"};
        const QStringList completed{"Special Batch Completed!"};
        const QStringList cancelled{"Special Batch Cancelled"};
        QTest::newRow("yes") << "yes" << cleaned << completed;
        QTest::newRow("Yes") << "Yes" << cleaned << completed;
        QTest::newRow(" YES ") << " YES " << cleaned << completed;
        QTest::newRow("folders") << "folders" << folders << QStringList{};
        QTest::newRow(" files ") << " files " << files << QStringList{};
        QTest::newRow("titles") << "titles" << QStringList{"A FILM (2004).AVI", "Later", "Season 1"}
                                << QStringList{};
        QTest::newRow("NO") << "NO" << untouched << cancelled;
        QTest::newRow("Cancel") << "" << untouched << cancelled;
        QTest::newRow("Y") << "Y" << untouched << cancelled;
        QTest::newRow("YES!") << "YES!" << untouched << cancelled;
        QTest::newRow("tab is no blank") << "YES\t" << untouched << cancelled;
    }
    void answers()
    {
        QFETCH(QString, answer);
        QFETCH(QStringList, after);
        QFETCH(QStringList, messages);

        TempFolder folder{"a.film.2004.avi", "Season 1/", "Season 1/inner.avi"};
        TestHost host;
        Renamer renamer(host, folder.path());
        renamer.text(RenamerControls::filter)->setText(QStringLiteral("*.avi"));
        renamer.text(RenamerControls::changeThis)->setText(QStringLiteral("from"));
        renamer.text(RenamerControls::renameTo)->setText(QStringLiteral("to"));
        // Made behind the folder list's back: the closing step shows it.
        folder.make({"Later/"});

        runBatch(host, renamer, answer);

        QCOMPARE(host.questions.size(), 1);
        QCOMPARE(host.questions[0].prompt, QStringLiteral("ARE YOU SURE (type YES to continue)"));
        QCOMPARE(host.questions[0].title, QStringLiteral("CONFIRM LAUNCH BATCH MAY TAKE SEVERAL MINUTES!"));
        QCOMPARE(host.questions[0].defaultText, QStringLiteral("NO"));
        QCOMPARE(folder.names(), after);
        // Nothing inside a subfolder is touched, and the folder list shows
        // the folder's subfolders as they are now.
        const QString season = after.filter(QStringLiteral("season"), Qt::CaseInsensitive).first();
        QCOMPARE(folder.names(season), QStringList{"inner.avi"});
        const QString later = after.filter(QStringLiteral("later"), Qt::CaseInsensitive).first();
        QCOMPARE(host.messages, messages);
        const auto *folders = renamer.control<FolderListBox>(RenamerControls::folders);
        QCOMPARE(folders->findItems(later, Qt::MatchEndsWith | Qt::MatchCaseSensitive).size(), 1);
        QCOMPARE(renamer.text(RenamerControls::path)->text(), folder.path());

        const bool ran = messages == QStringList{"Special Batch Completed!"};
        QCOMPARE(renamer.text(RenamerControls::filter)->text(), ran ? "*.*" : "*.avi");
        QCOMPARE(renamer.text(RenamerControls::changeThis)->text(), ran ? "." : "from");
        QCOMPARE(renamer.text(RenamerControls::renameTo)->text(), ran ? "." : "to");
    }

    void cleanUp_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("cleaned");

        QTest::newRow("tags and year") << "Movie.Name.2004.DVDRip.XviD-aXXo.avi"
                                       << "MOVIE NAME (2004).AVI";
        QTest::newRow("underscores and brackets") << "Some_Film_[1999]_HDTV.mkv"
                                                  << "SOME FILM (1999).MKV";
        QTest::newRow("year regains its parentheses") << "movie (1984) [DVD].avi"
                                                      << "MOVIE (1984).AVI";
        QTest::newRow("EDITION") << "Special EDITION.avi"
                                 << "SPECIAL.AVI";
        QTest::newRow("blank AVI inside the name") << "The Aviator 2004.avi"
                                                   << "THE.AVIATOR (2004).AVI";
        QTest::newRow("tags inside words") << "Unlimited Edition (2010).mp4"
                                           << "UN (2010).MP4";
        QTest::newRow("unknown extension") << "readme.txt"
                                           << "README TXT";
        QTest::newRow("deity.avi takes the extension") << "Film-deity.avi"
                                                       << "FILM";
        QTest::newRow("year inside a number") << "Film 19991.avi"
                                              << "FILM (1999)1.AVI";
        QTest::newRow("before 1950") << "Film.1949.avi"
                                     << "FILM 1949.AVI";
        QTest::newRow("after 2012") << "Film.2013.avi"
                                    << "FILM 2013.AVI";
        QTest::newRow("nine blanks keep two") << "a         b.avi"
                                              << "A  B.AVI";
        QTest::newRow("no tag, no dot") << "nodots"
                                        << "nodots";
        QTest::newRow("site name") << "holiday.video.2007.www.sharethefiles.com.avi"
                                   << "HOLIDAY VIDEO (2007).AVI";
        QTest::newRow("dot runs") << "Band..Reunion...1988..mp4"
                                  << "BAND REUNION (1988).MP4";
        QTest::newRow("never a hidden name") << "DVDRip.avi"
                                             << "RIP.AVI";
    }
    void cleanUp()
    {
        QFETCH(QString, name);
        QFETCH(QString, cleaned);

        TempFolder folder;
        folder.make({name});
        TestHost host;
        Renamer renamer(host, folder.path());
        runBatch(host, renamer, QStringLiteral("YES"));

        QCOMPARE(folder.state(), QStringList{cleaned + QStringLiteral("<-") + name});
        QCOMPARE(renamer.files()->items(), QStringList{cleaned});
        QVERIFY(renamer.files()->isVisible());
    }

    // The box shows, as the user types, what the answer would do; OK then
    // does exactly that, or, when another program changed the folder after
    // the preview, what the answer does to the folder as it is now.
    void boxPreviewsTheAnswer_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QString>("summary");
        QTest::addColumn<QString>("added");
        QTest::addColumn<QStringList>("after");

        const QStringList untouched{"A FILM (2004).AVI", "Done",   "Season 1",
                                    "a.film.2004.avi",   "nodots", "x.avi"};
        const QStringList cleanUp{"a.film.2004.avi -> A FILM (2004).AVI.1 ! becomes A FILM (2004).AVI.1: "
                                  "A FILM (2004).AVI is taken",
                                  "x.avi -> X.AVI"};
        const QString cleanUpSummary = "2 of 4 names change; 1 gets a counter suffix";
        const QStringList cleaned{
            "A FILM (2004).AVI", "A FILM (2004).AVI.1", "Done", "Season 1", "X.AVI", "nodots"};
        QTest::newRow("yes") << "yes" << cleanUp << cleanUpSummary << "" << cleaned;
        QTest::newRow("changed after the preview")
            << "YES" << cleanUp << cleanUpSummary << "b.dvdrip.avi" << QStringList{"A FILM (2004).AVI",
                                                                                   "A FILM (2004).AVI.1",
                                                                                   "B.AVI",
                                                                                   "Done",
                                                                                   "Season 1",
                                                                                   "X.AVI",
                                                                                   "nodots"};
        QTest::newRow("folders") << "Folders" << QStringList{"Done -> DONE", "Season 1 -> SEASON 1"}
                                 << "2 of 2 names change"
                                 << "" << QStringList{"A FILM (2004).AVI", "DONE",   "SEASON 1",
                                                      "a.film.2004.avi",   "nodots", "x.avi"};
        QTest::newRow("files")
            << " files "
            << QStringList{"a.film.2004.avi -> A.FILM.2004.AVI", "nodots -> NODOTS", "x.avi -> X.AVI"}
            << "3 of 4 names change"
            << ""
            << QStringList{"A FILM (2004).AVI", "A.FILM.2004.AVI", "Done", "NODOTS", "Season 1", "X.AVI"};
        const QString noTitle = "keeps its name: no title could be told apart (it holds no year, episode or "
                                "release tag)";
        QTest::newRow("titles")
            << "Titles"
            << QStringList{"a.film.2004.avi -> A FILM (2004) - 2.AVI ! becomes A FILM (2004) - 2.AVI: "
                           "another "
                           "release has the name A FILM (2004).AVI too",
                           "nodots -> nodots ! " + noTitle, "x.avi -> x.avi ! " + noTitle}
            << "1 of 4 names changes (1 film); 1 gets a version label; 2 keep their name: no title could "
               "be told apart"
            << ""
            << QStringList{
                   "A FILM (2004) - 2.AVI", "A FILM (2004).AVI", "Done", "Season 1", "nodots", "x.avi"};
        QTest::newRow("library")
            << " library"
            << QStringList{"A FILM (2004).AVI -> MOVIES/A FILM (2004)/A FILM (2004).AVI",
                           "a.film.2004.avi -> MOVIES/A FILM (2004)/A FILM (2004) - 2.AVI ! becomes A FILM "
                           "(2004) - 2.AVI: another release has the name A FILM (2004).AVI too",
                           "nodots -> nodots ! " + noTitle, "x.avi -> x.avi ! " + noTitle}
            << "2 of 4 names change (2 films); 2 folders to make; 1 gets a version label; 2 keep their "
               "name: no title could be told apart"
            << "" << QStringList{"Done", "MOVIES", "Season 1", "nodots", "x.avi"};
        QTest::newRow("no") << "no" << QStringList{} << "Nothing changes: this answer cancels the batch."
                            << "" << untouched;
    }
    void boxPreviewsTheAnswer()
    {
        QFETCH(QString, typed);
        QFETCH(QStringList, rows);
        QFETCH(QString, summary);
        QFETCH(QString, added);
        QFETCH(QStringList, after);

        TempFolder folder{"a.film.2004.avi", "A FILM (2004).AVI", "x.avi", "nodots", "Season 1/", "Done/"};
        RealBoxHost host;
        QStringList shown;
        host.user = [&](QDialog &box) {
            QCOMPARE(box.windowTitle(), QStringLiteral("CONFIRM LAUNCH BATCH MAY TAKE SEVERAL MINUTES!"));
            auto *answer = box.findChild<QLineEdit *>();
            QCOMPARE(answer->text(), QStringLiteral("NO"));
            QVERIFY(box.findChild<QLabel *>(AnswerPreviewControls::answers)->text().contains("TITLES"));
            // The answer before is replaced, as the default is on opening.
            QTest::keyClicks(answer, "FILES");
            answer->selectAll();
            QTest::keyClicks(answer, typed);
            QTRY_COMPARE(box.findChild<QLabel *>(AnswerPreviewControls::summary)->text(), summary);
            const auto *view = box.findChild<QTreeView *>(AnswerPreviewControls::preview);
            QVERIFY(view->isEnabled());
            const QAbstractItemModel *model = view->model();
            for (int row = 0; row < model->rowCount(); ++row) {
                const QModelIndex after = model->index(row, 1);
                shown << model->index(row, 0).data().toString() + " -> " + after.data().toString();
                if (after.data(Qt::ForegroundRole).isValid())
                    shown.last() += " ! " + after.data(Qt::ToolTipRole).toString();
            }
            if (!added.isEmpty())
                folder.make({added});
            QTest::mouseClick(box.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok),
                              Qt::LeftButton);
        };
        Renamer renamer(host, folder.path());
        renamer.click(RenamerControls::specialBatch);

        QCOMPARE(shown, rows);
        QCOMPARE(folder.names(), after);
    }

    // Many names, several cleaning to the same name, one already clean, a
    // leftover temporary name: no file lost, none overwritten, no temporary
    // name added.
    void cleanUpOfAFolderWithClashes()
    {
        TempFolder folder;
        folder.make(ReleaseNames);
        TestHost host;
        Renamer renamer(host, folder.path());
        runBatch(host, renamer, QStringLiteral("yes"));

        const QStringList names = folder.names();
        QCOMPARE(names.size(), ReleaseNames.size());
        QStringList contents;
        for (const QString &name : names)
            contents << folder.contents(name);
        QCOMPARE(QSet<QString>(contents.begin(), contents.end()),
                 QSet<QString>(ReleaseNames.begin(), ReleaseNames.end()));
        for (const QString &name : names)
            QVERIFY2(!isTemporaryName(name), qPrintable(name));
        QVERIFY(names.contains("ROAD TRIP (2000).AVI"));
        QVERIFY(names.contains("ROAD TRIP (2000).AVI.1"));
        QCOMPARE(host.messages, QStringList{"Special Batch Completed!"});
    }

    // TITLES and LIBRARY over release names, several of one film, a sidecar,
    // a library folder there already: every file at its old name or its
    // clean one, none lost or under a temporary name; Ctrl+Z gives every
    // name and place back and removes only the folders it made.
    void releasesAndTheirUndo_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QStringList>("after");
        QTest::addColumn<QStringList>("before");
        const QStringList names{"Night.Train.2015.720p.BluRay.x264-GRP.mkv",
                                "Night.Train.2015.1080p.WEB-DL.DDP5.1.H.264-GRP.mkv",
                                "Night.Train.2015.1080p.WEB-DL.DDP5.1.H.264-GRP.en.srt",
                                "NIGHT TRAIN (2015).MKV",
                                "quiet.harbour.s01e02.hdtv.x264.mkv",
                                "Quiet Harbour 1x02.srt",
                                "holiday.mp4",
                                "tamsel.ltmp.1z7.42"};
        QTest::newRow("TITLES")
            << "TITLES"
            << QStringList{"NIGHT TRAIN (2015) - "
                           "1080P.MKV<-Night.Train.2015.1080p.WEB-DL.DDP5.1.H.264-GRP.mkv",
                           "NIGHT TRAIN (2015) - "
                           "1080P.en.srt<-Night.Train.2015.1080p.WEB-DL.DDP5.1.H.264-GRP.en.srt",
                           "NIGHT TRAIN (2015) - 720P.MKV<-Night.Train.2015.720p.BluRay.x264-GRP.mkv",
                           "NIGHT TRAIN (2015).MKV<-NIGHT TRAIN (2015).MKV",
                           "QUIET HARBOUR S01E02.MKV<-quiet.harbour.s01e02.hdtv.x264.mkv",
                           "QUIET HARBOUR S01E02.srt<-Quiet Harbour 1x02.srt",
                           "holiday.mp4<-holiday.mp4",
                           "tamsel.ltmp.1z7.42<-tamsel.ltmp.1z7.42"}
            << names;
        const QString film = "MOVIES/NIGHT TRAIN (2015)/NIGHT TRAIN (2015)";
        QTest::newRow("LIBRARY")
            << "LIBRARY"
            << QStringList{"MOVIES/",
                           "MOVIES/NIGHT TRAIN (2015)/",
                           film + " - 1080P.MKV<-Night.Train.2015.1080p.WEB-DL.DDP5.1.H.264-GRP.mkv",
                           film + " - 1080P.en.srt<-Night.Train.2015.1080p.WEB-DL.DDP5.1.H.264-GRP.en.srt",
                           film + " - 720P.MKV<-Night.Train.2015.720p.BluRay.x264-GRP.mkv",
                           film + ".MKV<-NIGHT TRAIN (2015).MKV",
                           "MOVIES/kept.txt<-MOVIES/kept.txt",
                           "SHOWS/",
                           "SHOWS/QUIET HARBOUR/",
                           "SHOWS/QUIET HARBOUR/SEASON 01/",
                           "SHOWS/QUIET HARBOUR/SEASON 01/QUIET HARBOUR "
                           "S01E02.MKV<-quiet.harbour.s01e02.hdtv.x264.mkv",
                           "SHOWS/QUIET HARBOUR/SEASON 01/QUIET HARBOUR S01E02.srt<-Quiet Harbour 1x02.srt",
                           "holiday.mp4<-holiday.mp4",
                           "tamsel.ltmp.1z7.42<-tamsel.ltmp.1z7.42"}
            << names + QStringList{"MOVIES/", "MOVIES/kept.txt"};
        const QString moon = "MOVIES/PAPER MOON (1973)/PAPER MOON (1973)";
        QTest::newRow("LIBRARY with a subtitles folder")
            << "LIBRARY"
            << QStringList{"MOVIES/",
                           "MOVIES/PAPER MOON (1973)/",
                           moon + ".MKV<-Paper.Moon.1973.1080p.mkv",
                           moon + ".en.2.srt<-Subs/3_English.srt",
                           moon + ".en.srt<-Subs/2_English.srt",
                           moon + ".fr.srt<-Subs/French.srt"}
            << QStringList{"Paper.Moon.1973.1080p.mkv", "Subs/", "Subs/2_English.srt", "Subs/3_English.srt",
                           "Subs/French.srt"};
    }
    void releasesAndTheirUndo()
    {
        QFETCH(QString, answer);
        QFETCH(QStringList, after);
        QFETCH(QStringList, before);
        TempFolder folder;
        folder.make(before);
        const QStringList tree = folder.tree();
        TestHost host;
        Renamer renamer(host, folder.path());
        runBatch(host, renamer, answer);

        QCOMPARE(folder.tree(), after);
        QCOMPARE(host.messages, QStringList());
        QVERIFY(QTest::qWaitForWindowActive(renamer.window));
        renamer.files()->setFocus();
        QTest::keyClick(renamer.window, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(folder.tree(), tree);
    }

    void cleanUpSeesOnlyTheFilter()
    {
        TempFolder folder{"a.film.avi", "b.film.avi"};
        TestHost host;
        Renamer renamer(host, folder.path());
        renamer.text(RenamerControls::filter)->setText(QStringLiteral("a*"));
        renamer.click(RenamerControls::applyFilter);
        runBatch(host, renamer, QStringLiteral("YES"));

        QCOMPARE(folder.names(), (QStringList{"A FILM.AVI", "b.film.avi"}));
        QCOMPARE(renamer.files()->pattern(), QStringLiteral("*.*"));
        QCOMPARE(renamer.files()->items(), (QStringList{"A FILM.AVI", "b.film.avi"}));
    }

    // A file that will not be renamed (in use, no access) keeps its name and
    // the batch goes on to the end, on a worker while the window stays alive.
    void refusedRenamesDoNotStopTheBatch()
    {
        TempFolder folder{"x.dvdrip.avi", "y.hdtv.avi"};
        TestHost host;
        std::atomic<bool> onWorkerThroughout = true;
        host.failWhen = [&](const QString &operation, const QString &path) {
            if (operation != u"rename")
                return false;
            onWorkerThroughout = onWorkerThroughout && QThread::currentThread() != qApp->thread();
            return path == folder / "x.dvdrip.avi";
        };
        Renamer renamer(host, folder.path());
        runBatch(host, renamer, QStringLiteral("YES"));

        QCOMPARE(folder.names(), (QStringList{"Y.AVI", "x.dvdrip.avi"}));
        QCOMPARE(host.messages,
                 QStringList{
                     QStringLiteral(
                         "Special Batch Completed!\n\n1 of 2 names could not be changed:\n%1: Input/output "
                         "error\n\nThey keep their names; Ctrl+Z puts back the others.")
                         .arg(folder / "x.dvdrip.avi")});
        QVERIFY(onWorkerThroughout);
    }

    // The Stop button a third of the way through: every file stands at its
    // old name or the one the whole batch gives it, none under a temporary
    // name; the message says how far it got, and Ctrl+Z puts it all back.
    void stoppedBatch()
    {
        QStringList names;
        for (int i = 0; i < 3000; ++i)
            names << QStringLiteral("%1.%2.DVDRip.avi").arg(ReleaseNames[i % 14]).arg(i);
        TempFolder stopped, whole;
        stopped.make(names);
        whole.make(names);
        QHash<QString, QString> final; // what the whole batch makes of each name
        {
            TestHost host;
            Renamer renamer(host, whole.path());
            runBatch(host, renamer, QStringLiteral("YES"));
            for (const QString &name : whole.names())
                final.insert(whole.contents(name), name);
        }
        TestHost host;
        host.stopWhen = [](qint64 done, qint64 total) {
            return total > 0 && done >= total / 3;
        };
        {
            Renamer renamer(host, stopped.path());
            runBatch(host, renamer, QStringLiteral("YES"));
        }
        const QStringList state = stopped.state();
        qsizetype renamed = 0;
        for (const QString &file : state) {
            const QString name = file.section(QStringLiteral("<-"), 0, 0);
            const QString was = file.section(QStringLiteral("<-"), 1);
            QVERIFY2(name == was || name == final.value(was), qPrintable(file));
            renamed += name != was;
        }
        QVERIFY(renamed > 0 && renamed < state.size());
        QCOMPARE(host.messages.last(),
                 QStringLiteral("Stopped: %1 of 3,000 names changed. Ctrl+Z puts them back.")
                     .arg(QLocale(QLocale::English).toString(renamed)));
        host.stopWhen = {};
        Renamer renamer(host, stopped.path());
        QVERIFY(QTest::qWaitForWindowActive(renamer.window));
        renamer.files()->setFocus();
        QTest::keyClick(renamer.window, Qt::Key_Z, Qt::ControlModifier);
        names.sort();
        QCOMPARE(stopped.names(), names);
    }

    // Closing the window while the batch runs stops it the same way; the
    // window closes once it has stopped, no file under a temporary name.
    void closedWhileRunning()
    {
        QStringList names;
        for (int i = 0; i < 3000; ++i)
            names << QStringLiteral("%1.%2.DVDRip.avi").arg(ReleaseNames[i % 14]).arg(i);
        TempFolder folder;
        folder.make(names);
        TestHost host;
        Renamer renamer(host, folder.path());
        std::atomic<bool> closed{false};
        // At a third, the worker has the user close the window, and goes on
        // once the window has been asked to.
        host.stopWhen = [&](qint64 done, qint64 total) {
            if (total > 0 && done == total / 3) {
                QMetaObject::invokeMethod(renamer.window, [&] {
                    renamer.window->close();
                    closed = true;
                });
                while (!closed.load())
                    QThread::msleep(1);
            }
            return false;
        };
        runBatch(host, renamer, QStringLiteral("YES"));
        QTRY_VERIFY(renamer.window.isNull());
        qsizetype renamed = 0;
        for (const QString &file : folder.state()) {
            const QString name = file.section(QStringLiteral("<-"), 0, 0);
            QVERIFY2(!isTemporaryName(name), qPrintable(file));
            renamed += name != file.section(QStringLiteral("<-"), 1);
        }
        QVERIFY(renamed > 0 && renamed < names.size());
        QVERIFY(host.messages.last().startsWith(QStringLiteral("Stopped: ")));
    }
};

QTEST_MAIN(tst_CleanUpBatch)
#include "tst_CleanUpBatch.moc"
