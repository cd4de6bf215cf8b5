// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/base/FolderRows.h"
#include "core/renamer/ReleasePlanner.h"

#include "TempFolder.h"
#include "TestFileSystem.h"

#include <QTest>

// Where TITLES and LIBRARY put a folder of downloads: the rows of the box,
// each "before -> after", or "before ! why" for a file that stays.
class tst_ReleasePlanner : public QObject {
    Q_OBJECT
private slots:
    void layout_data()
    {
        QTest::addColumn<bool>("library");
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QStringList>("rows");
        const auto row = [](const char *what, bool library, const QStringList &files,
                            const QStringList &rows) {
            QTest::newRow(what) << library << files << rows;
        };
        const QString film = "MOVIES/PAPER MOON (1973)/PAPER MOON (1973)";

        row("a film", true, {"Blade.Runner.2049.2017.2160p.UHD.BluRay.x265-GRP.mkv"},
            {"Blade.Runner.2049.2017.2160p.UHD.BluRay.x265-GRP.mkv -> "
             "MOVIES/BLADE RUNNER 2049 (2017)/BLADE RUNNER 2049 (2017).MKV"});
        row("a film without a year", true, {"Quiet.Harbour.DTS-HD.MA.7.1.mkv"},
            {"Quiet.Harbour.DTS-HD.MA.7.1.mkv -> MOVIES/QUIET HARBOUR/QUIET HARBOUR.MKV"});
        row("parts share the film's folder", true, {"Arrival.2016.CD1.avi", "Arrival.2016.CD2.avi"},
            {"Arrival.2016.CD1.avi -> MOVIES/ARRIVAL (2016)/ARRIVAL (2016) CD1.AVI",
             "Arrival.2016.CD2.avi -> MOVIES/ARRIVAL (2016)/ARRIVAL (2016) CD2.AVI"});
        row("an episode with its show's year", true, {"Doctor.Who.2005.S01E01.720p.HDTV.mkv"},
            {"Doctor.Who.2005.S01E01.720p.HDTV.mkv -> "
             "SHOWS/DOCTOR WHO (2005)/SEASON 01/DOCTOR WHO (2005) S01E01.MKV"});
        row("an episode, a special, a double episode", true,
            {"Harbour.Lights.S02E01.720p.mkv", "Harbour.Lights.S00E03.mkv", "Harbour.Lights.S01E01E02.mkv"},
            {"Harbour.Lights.S00E03.mkv -> SHOWS/HARBOUR LIGHTS/SEASON 00/HARBOUR LIGHTS S00E03.MKV",
             "Harbour.Lights.S01E01E02.mkv -> SHOWS/HARBOUR LIGHTS/SEASON 01/HARBOUR LIGHTS S01E01E02.MKV",
             "Harbour.Lights.S02E01.720p.mkv -> SHOWS/HARBOUR LIGHTS/SEASON 02/HARBOUR LIGHTS S02E01.MKV"});
        row("versions told apart by a tag", true,
            {"Paper.Moon.1973.1080p.WEB-DL.mkv", "Paper.Moon.1973.720p.BluRay.mkv"},
            {"Paper.Moon.1973.1080p.WEB-DL.mkv -> " + film + " - 1080P.MKV ! labelled",
             "Paper.Moon.1973.720p.BluRay.mkv -> " + film + " - 720P.MKV ! labelled"});
        row("versions told apart by the second tag", true,
            {"Paper.Moon.1973.1080p.WEB-DL.mkv", "Paper.Moon.1973.1080p.BluRay.mkv"},
            {"Paper.Moon.1973.1080p.BluRay.mkv -> " + film + " - BLURAY.MKV ! labelled",
             "Paper.Moon.1973.1080p.WEB-DL.mkv -> " + film + " - WEB-DL.MKV ! labelled"});
        row("versions no tag tells apart", true,
            {"Paper.Moon.1973.x264-ONE.mkv", "Paper.Moon.1973.x264-TWO.mkv"},
            {"Paper.Moon.1973.x264-ONE.mkv -> " + film + ".MKV",
             "Paper.Moon.1973.x264-TWO.mkv -> " + film + " - 2.MKV ! labelled"});
        row("subtitles, nfo, poster, a VobSub pair", true,
            {"Paper.Moon.1973.1080p.mkv", "Paper.Moon.1973.1080p.en.srt",
             "Paper.Moon.1973.1080p.EN.Forced.srt", "Paper.Moon.1973.1080p.eng.sdh.srt",
             "Paper.Moon.1973.1080p.nfo", "Paper.Moon.1973.1080p-poster.jpg", "Paper.Moon.1973.1080p.sub",
             "Paper.Moon.1973.1080p.idx"},
            {"Paper.Moon.1973.1080p-poster.jpg -> " + film + "-poster.jpg",
             "Paper.Moon.1973.1080p.EN.Forced.srt -> " + film + ".en.forced.srt",
             "Paper.Moon.1973.1080p.en.srt -> " + film + ".en.srt",
             "Paper.Moon.1973.1080p.eng.sdh.srt -> " + film + ".eng.sdh.srt",
             "Paper.Moon.1973.1080p.idx -> " + film + ".idx", "Paper.Moon.1973.1080p.mkv -> " + film + ".MKV",
             "Paper.Moon.1973.1080p.nfo -> " + film + ".nfo",
             "Paper.Moon.1973.1080p.sub -> " + film + ".sub"});
        row("a subtitle folder beside the only video", true,
            {"Paper.Moon.1973.1080p.mkv", "Subs/", "Subs/2_English.srt", "Subs/3_English.srt",
             "Subs/French.srt", "Subs/Signs.srt", "Subs/eng.forced.srt"},
            {"Paper.Moon.1973.1080p.mkv -> " + film + ".MKV", "Subs/2_English.srt -> " + film + ".en.srt",
             "Subs/3_English.srt -> " + film + ".en.2.srt",
             "Subs/eng.forced.srt -> " + film + ".en.forced.srt", "Subs/French.srt -> " + film + ".fr.srt",
             "Subs/Signs.srt -> " + film + ".signs.srt"});
        row("a sidecar stays with its video", true, {"holiday.mp4", "holiday.srt"},
            {"holiday.mp4 ! no title", "holiday.srt ! with its video"});
        row("a folder that is there is joined", true,
            {"MOVIES/", "MOVIES/PAPER MOON (1973)/", "MOVIES/PAPER MOON (1973)/PAPER MOON (1973).MKV",
             "Paper.Moon.1973.720p.mkv"},
            {"Paper.Moon.1973.720p.mkv -> " + film + " - 720P.MKV ! labelled"});
        row("a file where a folder must be", true, {"MOVIES", "Paper.Moon.1973.mkv"},
            {"MOVIES ! no title", "Paper.Moon.1973.mkv ! folder taken"});
        row("an extension no table knows stays", false, {"Holiday.2015.heic", "README.md"},
            {"Holiday.2015.heic ! unknown kind", "README.md ! unknown kind"});
        row("a name too long", true, {QString(246, u'x') + ".1973.mkv"},
            {QString(246, u'x') + ".1973.mkv ! too long"});
        row("TITLES: versions and sidecars in place", false,
            {"Night.Train.2015.1080p.mkv", "Night.Train.2015.1080p.EN.srt", "Night.Train.2015.720p.mkv",
             "NIGHT TRAIN (2015).MKV"},
            {"Night.Train.2015.1080p.EN.srt -> NIGHT TRAIN (2015) - 1080P.en.srt",
             "Night.Train.2015.1080p.mkv -> NIGHT TRAIN (2015) - 1080P.MKV ! labelled",
             "Night.Train.2015.720p.mkv -> NIGHT TRAIN (2015) - 720P.MKV ! labelled"});
    }
    void layout()
    {
        QFETCH(bool, library);
        QFETCH(QStringList, files);
        QFETCH(QStringList, rows);

        TempFolder folder;
        folder.make(files);
        TestFileSystem disk;
        const FolderContents contents = disk.readFolder(folder.path());
        const ReleasePlan plan = planReleases(
            library ? ReleaseLayout::Library : ReleaseLayout::InPlace, folder.path(), contents,
            folderRows(contents.entries, Wildcard("*.*"), EntryKinds::Files), 2027,
            [&disk](const QString &path) { return disk.readFolder(path); });

        QStringList shown;
        for (const AnswerPreview::Row &row : plan.preview.rows)
            shown << (row.before == row.after ? row.before : row.before + " -> " + row.after)
                         + why(row.outcome.what);
        QCOMPARE(shown, rows);
    }

private:
    static QString why(EntryOutcome::What what)
    {
        switch (what) {
        case EntryOutcome::Labelled:
            return " ! labelled";
        case EntryOutcome::NoTitle:
            return " ! no title";
        case EntryOutcome::UnknownKind:
            return " ! unknown kind";
        case EntryOutcome::FolderTaken:
            return " ! folder taken";
        case EntryOutcome::WithItsVideo:
            return " ! with its video";
        case EntryOutcome::TooLong:
            return " ! too long";
        case EntryOutcome::Taken:
            return " ! taken";
        default:
            return {};
        }
    }
};

QTEST_GUILESS_MAIN(tst_ReleasePlanner)
#include "tst_ReleasePlanner.moc"
