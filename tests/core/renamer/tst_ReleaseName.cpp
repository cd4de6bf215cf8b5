// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/renamer/ReleaseName.h"

#include <QTest>

// Release names as groups, sites and fansubbers write them, and the clean
// names TITLES gives them in 2026; an empty clean name means the file keeps
// its name.
constexpr int LatestYear = 2027;

class tst_ReleaseName : public QObject {
    Q_OBJECT
private slots:
    void cleanName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("clean");
        const auto row = [](const char *what, const QString &name, const QString &clean) {
            QTest::newRow(what) << name << clean;
        };

        // Tags of each kind end the title and go.
        row("resolution, source, codec", "Night.Train.2015.720p.BluRay.x264-GRP.mkv",
            "NIGHT TRAIN (2015).MKV");
        row("4K UHD HDR", "Night Train 2015 2160p 4K UHD HDR10+ HEVC.mkv", "NIGHT TRAIN (2015).MKV");
        row("streaming service", "Quiet.Harbour.2021.1080p.AMZN.WEB-DL.DDP5.1.H.264-GRP.mkv",
            "QUIET HARBOUR (2021).MKV");
        row("Dolby Vision, Atmos", "Quiet.Harbour.2021.2160p.DSNP.WEB-DL.DV.HDR.Atmos.mkv",
            "QUIET HARBOUR (2021).MKV");
        row("audio only", "Quiet.Harbour.DTS-HD.MA.7.1.mkv", "QUIET HARBOUR.MKV");
        row("H 264 with a blank", "Quiet Harbour 1080p H 264 AAC 2.0.mp4", "QUIET HARBOUR.MP4");
        row("old scene DVD", "Paper.Moon.1973.DVDRip.XviD.AC3-GRP.avi", "PAPER MOON (1973).AVI");
        row("cam", "Paper.Moon.2024.HDCAM.x264-GRP.mkv", "PAPER MOON (2024).MKV");
        row("edition before the year", "Paper Moon EXTENDED (1973) 1080p.mkv", "PAPER MOON (1973).MKV");
        row("director's cut", "Paper.Moon.1973.Director's.Cut.REMASTERED.mkv", "PAPER MOON (1973).MKV");
        row("editions without a year", "Paper.Moon.UNRATED.DC.IMAX.720p.mkv", "PAPER MOON.MKV");
        row("release flags", "Paper.Moon.1973.PROPER.REPACK.LIMITED.iNTERNAL.1080p.mkv",
            "PAPER MOON (1973).MKV");
        row("languages", "Le.Jardin.2019.TRUEFRENCH.VFF.1080p.mkv", "LE JARDIN (2019).MKV");
        row("German dual language", "Der.Garten.2019.German.DL.1080p.BluRay.x264-GRP.mkv",
            "DER GARTEN (2019).MKV");
        row("Italian, Russian", "Il.Giardino.iTA.RUS.1080p.mkv", "IL GIARDINO.MKV");
        row("language before a year is a word", "English.Vinglish.2012.1080p.mkv",
            "ENGLISH VINGLISH (2012).MKV");
        row("bracketed tag list", "Night Train (2015) [1080p] [WEBRip] [5.1] [YTS.MX].mp4",
            "NIGHT TRAIN (2015).MP4");
        row("tags only: nothing", "1080p.BluRay.x264-GRP.mkv", "");
        row("no tag, year or episode", "Holiday at the lake.mp4", "");
        row("camera count", "IMG_2041.jpg", "");
        row("a daily show keeps its date", "Late.Talk.2024.03.15.Guest.720p.WEB.h264-GRP.mkv", "");

        // Years: the last before the tags; brackets make one sure.
        row("year in brackets", "Paper Moon (1973).mkv", "PAPER MOON (1973).MKV");
        row("number title", "1984.1956.DVDRip.avi", "1984 (1956).AVI");
        row("year-like title, release year", "Blade.Runner.2049.2017.1080p.mkv",
            "BLADE RUNNER 2049 (2017).MKV");
        row("year in the title", "Wonder.Woman.1984.2020.mkv", "WONDER WOMAN 1984 (2020).MKV");
        row("a year alone is a title", "1917.1080p.BluRay.mkv", "1917.MKV");
        row("after an alternative title", "La Maison (The House) 2011 DVDRip.avi", "LA MAISON (2011).AVI");
        row("after the tags", "Paper Moon [DVDRip] 1973.avi", "PAPER MOON (1973).AVI");
        row("not a tag's number", "Paper.Moon.1080p.HEVC.BT.2020.mkv", "PAPER MOON.MKV");
        row("the latest year", "Paper.Moon.2027.720p.mkv", "PAPER MOON (2027).MKV");
        row("beyond the latest year", "Paper.Moon.2028.720p.mkv", "PAPER MOON 2028.MKV");
        row("a film of the first years", "Paper Moon (1897).mkv", "PAPER MOON (1897).MKV");
        row("the first year", "Paper.Moon.1888.720p.BluRay.mkv", "PAPER MOON (1888).MKV");
        row("language before the year", "Paper Moon GERMAN 2011 720p.mkv", "PAPER MOON (2011).MKV");
        row("edition and language before the year", "Paper.Moon.REMASTERED.GERMAN.1988.1080p.mkv",
            "PAPER MOON (1988).MKV");
        row("a language named again after the year is the title's",
            "Paper.Moon.French.2011.FRENCH.DVDRip.avi", "PAPER MOON FRENCH (2011).AVI");
        row("a genre after a dash", "Paper Moon - Drama 2011 720p.mkv", "PAPER MOON (2011).MKV");

        // Numbers inside the tags are tags.
        row("group after sound, with a year", "Night.Train.2015.1080p.BluRay.DD5.1-S56.mkv",
            "NIGHT TRAIN (2015).MKV");
        row("group after E-AC3", "Night Train 2015 720p E-AC3-S78.mkv", "NIGHT TRAIN (2015).MKV");
        row("group after sound, without a year", "Night.Train.1080p.BluRay.DD5.1-S56.mkv", "NIGHT TRAIN.MKV");
        row("two sound tracks", "Night Train AC3 5.1x2 720p.mkv", "NIGHT TRAIN.MKV");
        row("sound channels after a season", "Harbour Lights S02 5.1 AAC.mkv", "HARBOUR LIGHTS S02.MKV");
        row("a number before a resolution is the title's", "Paper.Moon.3.720p.BluRay.mkv",
            "PAPER MOON 3.MKV");

        // Episodes in every form; the episode's own title goes.
        row("S01E02", "Harbour.Lights.S01E02.The.Storm.720p.HDTV.x264-GRP.mkv", "HARBOUR LIGHTS S01E02.MKV");
        row("s1e2", "harbour.lights.s1e2.mkv", "HARBOUR LIGHTS S01E02.MKV");
        row("1x02", "Harbour Lights 1x02 The Storm.avi", "HARBOUR LIGHTS S01E02.AVI");
        row("102 after the title", "harbour.lights.102.hdtv-grp.avi", "HARBOUR LIGHTS S01E02.AVI");
        row("1013 after the title", "Harbour.Lights.1013.HDTV.XviD-GRP.avi", "HARBOUR LIGHTS S10E13.AVI");
        row("Season and Episode words", "Harbour Lights Season 2 Episode 3.mkv", "HARBOUR LIGHTS S02E03.MKV");
        row("S6.Ep5", "Harbour.Lights.S6.Ep5.mkv", "HARBOUR LIGHTS S06E05.MKV");
        row("Season.2.epi.02", "Harbour.Lights.-.Season.2.epi.02.XviD.avi", "HARBOUR LIGHTS S02E02.AVI");
        row("S01.E03 after a dash", "Harbour Lights - S01.E03 - The Storm.mkv", "HARBOUR LIGHTS S01E03.MKV");
        row("bracketed 05x07", "Harbour Lights - [05x07] - The Storm.mp4", "HARBOUR LIGHTS S05E07.MP4");
        row("Spanish chapter", "Harbour.Lights.-.Temporada.3.HDTV[Cap.304].avi", "HARBOUR LIGHTS S03E04.AVI");
        row("double episode", "Harbour.Lights.S02E03E04.720p.mkv", "HARBOUR LIGHTS S02E03E04.MKV");
        row("double episode with a dash", "Harbour.Lights.S02E03-04.720p.mkv",
            "HARBOUR LIGHTS S02E03E04.MKV");
        row("a season pack", "Harbour.Lights.S03.COMPLETE.1080p.WEB-DL.mkv", "HARBOUR LIGHTS S03.MKV");
        row("show year kept", "Harbour.Lights.2019.S01E02.mkv", "HARBOUR LIGHTS (2019) S01E02.MKV");
        row("show year in brackets", "Harbour Lights (2019) - S01E02 - The Storm.mkv",
            "HARBOUR LIGHTS (2019) S01E02.MKV");
        row("show country dropped", "Harbour.Lights.US.S01E02.mkv", "HARBOUR LIGHTS S01E02.MKV");
        row("a word like a country stays", "Between.Us.S01E02.mkv", "BETWEEN US S01E02.MKV");
        row("show name after the marker", "3x07 - Harbour Lights - The Storm.avi",
            "HARBOUR LIGHTS S03E07.AVI");
        row("number title of a show", "24.S05E07.720p.mkv", "24 S05E07.MKV");
        row("year as a season", "Harbour.Lights.S2019E05.mkv", "HARBOUR LIGHTS S2019E05.MKV");
        row("anime fansub", "[SubGroup] Kaze no Uta - 07 [1080p][ABCD1234].mkv", "KAZE NO UTA S01E07.MKV");
        row("anime second season", "[SubGroup] Kaze no Uta 2nd Season - 07v2 (1080p).mkv",
            "KAZE NO UTA S02E07.MKV");
        row("a film's episode is its title", "Star.Voyage.Episode.4.1977.mkv",
            "STAR VOYAGE EPISODE 4 (1977).MKV");
        row("a film's season is its title", "Hunting Season 2 (2008) 1080p.mkv",
            "HUNTING SEASON 2 (2008).MKV");
        row("a resolution is no episode", "Paper Moon 1280x720 HDTV.mkv", "PAPER MOON.MKV");
        row("a year is no episode", "Red.Cap.2019.1080p.mkv", "RED CAP (2019).MKV");
        row("British series", "Harbour Lights Series 2 Episode 3.mkv", "HARBOUR LIGHTS S02E03.MKV");
        row("fansubs count on", "[SubGroup] Kaze no Uta - 1012 [1080p].mkv", "KAZE NO UTA S01E1012.MKV");
        row("fansub number without a dash", "[SubGroup] Kaze no Uta 11 (BD 1080p FLAC).mkv",
            "KAZE NO UTA S01E11.MKV");

        // Seasons and episodes written otherwise, long and versioned.
        row("season and episode words after their numbers", "Harbour.Lights.2.Sezon.7.Bolum.720p.mkv",
            "HARBOUR LIGHTS S02E07.MKV");
        row("season in brackets, episode after a dash", "[Grp] Harbour Lights (saison 2) - 07 [720p].mkv",
            "HARBOUR LIGHTS S02E07.MKV");
        row("ordinal season, bare episode", "Harbour Lights 3rd Season 05 [720p].mkv",
            "HARBOUR LIGHTS S03E05.MKV");
        row("S2 - 11", "[Grp] Harbour Lights S2 - 11 [1080p].mkv", "HARBOUR LIGHTS S02E11.MKV");
        row("s01x03", "harbour.lights.s01x03.720p.mkv", "HARBOUR LIGHTS S01E03.MKV");
        row("four digits after S", "Harbour.Lights.S0201.720p.mkv", "HARBOUR LIGHTS S02E01.MKV");
        row("a year after S is a season", "Harbour.Lights.S2019.720p.mkv", "HARBOUR LIGHTS S2019.MKV");
        row("season.episode in brackets", "Harbour Lights - [02.05] - The Storm.avi",
            "HARBOUR LIGHTS S02E05.AVI");
        row("S 02 E 05", "Harbour Lights - S 02 E 05 - The Storm.mkv", "HARBOUR LIGHTS S02E05.MKV");
        row("S01.E.04", "Harbour.Lights.S01.E.04.720p.mkv", "HARBOUR LIGHTS S01E04.MKV");
        row("Dutch season and episode", "Harbour Lights Se.3 afl.6.mkv", "HARBOUR LIGHTS S03E06.MKV");
        row("season word, then a chapter", "Harbour Lights Temporada 2 Cap.204 HDTV.avi",
            "HARBOUR LIGHTS S02E04.AVI");
        row("three-digit episode", "Harbour.Lights.S20E142.720p.mkv", "HARBOUR LIGHTS S20E142.MKV");
        row("five-digit episode", "Harbour Lights S41 E10478.mkv", "HARBOUR LIGHTS S41E10478.MKV");
        row("fansub version of S01E06", "Harbour.Lights.S01E06v2.720p.mkv", "HARBOUR LIGHTS S01E06.MKV");
        row("fansub version of a bare number", "[Grp] Kaze no Uta - 11v3 [720p].mkv",
            "KAZE NO UTA S01E11.MKV");
        row("a year numbers the season", "Harbour.Lights.2019.E05.720p.mkv", "HARBOUR LIGHTS S2019E05.MKV");
        row("a season word before a year is the title's", "Harbour.Lights.Series.2013.14.of.21.720p.mkv",
            "HARBOUR LIGHTS SERIES S2013E14.MKV");

        // Doubles and longer runs, written in ascending order.
        row("S01E01-E02", "Harbour.Lights.S01E01-E02.720p.mkv", "HARBOUR LIGHTS S01E01E02.MKV");
        row("S03E21.22", "Harbour.Lights.S03E21.22.HDTV.mkv", "HARBOUR LIGHTS S03E21E22.MKV");
        row("chapters 408_409", "Harbour Lights Cap.408_409.avi", "HARBOUR LIGHTS S04E08E09.AVI");
        row("triple episode", "Harbour.Lights.S01E01E02E03.720p.mkv", "HARBOUR LIGHTS S01E01-E03.MKV");
        row("descending double", "Harbour.Lights.S01E02E01.720p.mkv", "HARBOUR LIGHTS S01E01E02.MKV");
        row("two full markers after a dash", "Harbour Lights S02E01 - S02E02 720p.mkv",
            "HARBOUR LIGHTS S02E01E02.MKV");
        row("fansub run", "[Grp] Kaze no Uta 01-02 [720p].mkv", "KAZE NO UTA S01E01E02.MKV");

        // Parts stay, after the year.
        row("CD1", "Paper.Moon.1973.CD1.DVDRip.XviD-GRP.avi", "PAPER MOON (1973) CD1.AVI");
        row("cd2", "paper.moon.1973.dvdrip.cd2.avi", "PAPER MOON (1973) CD2.AVI");
        row("CD1of2", "Paper.Moon.1973.DVDRip.XviD.CD1of2-GRP.avi", "PAPER MOON (1973) CD1.AVI");
        row("a part before the year is the title's", "Paper.Moon.Part.2.1975.1080p.mkv",
            "PAPER MOON PART 2 (1975).MKV");
        row("Part II", "Paper Moon Part II.mkv", "PAPER MOON PART 2.MKV");
        row("Disc 1", "Paper.Moon.1973.Disc.1.mkv", "PAPER MOON (1973) DISC 1.MKV");

        // Subtitles keep their language and flags, as players pair them.
        row("subtitle language", "Paper.Moon.1973.1080p.BluRay.x264-GRP.en.srt", "PAPER MOON (1973).EN.SRT");
        row("forced subtitle", "Paper.Moon.1973.1080p.BluRay.x264-GRP.eng.forced.srt",
            "PAPER MOON (1973).EN.FORCED.SRT");
        row("language by name", "Harbour.Lights.S01E02.720p.HDTV-GRP.French.srt",
            "HARBOUR LIGHTS S01E02.FR.SRT");
        row("language with a region", "Paper Moon (1973).pt-BR.ass", "PAPER MOON (1973).PT-BR.ASS");
        row("subtitle without language", "Paper.Moon.1973.1080p.BluRay.x264-GRP.idx",
            "PAPER MOON (1973).IDX");
        row("a video's language is no subtitle's", "Paper.Moon.1973.FRENCH.720p.mkv",
            "PAPER MOON (1973).MKV");

        // What names carry besides: groups, sites, hashes.
        row("leading group", "[XYZ] Paper Moon (1973) [720p].mkv", "PAPER MOON (1973).MKV");
        row("leading site", "www.SomeSite.org - Paper.Moon.1973.720p.mkv", "PAPER MOON (1973).MKV");
        row("bracketed site", "[ www.some-site.com ] - Paper.Moon.1973.720p.mkv", "PAPER MOON (1973).MKV");
        row("CRC hash", "[Fansubs] Kaze no Uta - 12 [97681524].mkv", "KAZE NO UTA S01E12.MKV");
        row("lower-case scene file", "grp-paper.moon.1973.720p.bluray.x264.mkv", "PAPER MOON (1973).MKV");
        row("title's own dash", "Spider-Crab.2011.720p.BluRay.x264-GRP.mkv", "SPIDER-CRAB (2011).MKV");
        row("dashes for blanks", "Paper-Moon-1973-DVDRip.avi", "PAPER MOON (1973).AVI");
        row("plus signs for blanks", "Paper+Moon+1973+720p.mkv", "PAPER MOON (1973).MKV");
        row("a collection's count", "03 - Paper Moon (1973).avi", "PAPER MOON (1973).AVI");
        row("broadcaster", "BBC.Blue.Planet.S01E02.720p.mkv", "BLUE PLANET S01E02.MKV");
        row("site with digits", "www.Site5.tc - Paper.Moon.1973.720p.mkv", "PAPER MOON (1973).MKV");
        row("air date between show and episode", "Harbour Lights 2016 02 25 S20E142.mkv",
            "HARBOUR LIGHTS S20E142.MKV");
        row("a copy's number", "(1)Paper Moon (1973) DVDRip.avi", "PAPER MOON (1973).AVI");
        row("a saga's name before the film's number", "Star_Voyage-f04-New_Hope.mkv", "NEW HOPE.MKV");

        // The title as it reads: initials, articles, refused characters.
        row("initials", "R.I.P.D.2013.1080p.mkv", "R.I.P.D. (2013).MKV");
        row("initials before an episode", "Agents.of.S.H.I.E.L.D.S02E03.mkv",
            "AGENTS OF S.H.I.E.L.D. S02E03.MKV");
        row("initials at the end", "The.Man.from.U.N.C.L.E.720p.mkv", "THE MAN FROM U.N.C.L.E.MKV");
        row("underscores and runs of blanks", "Paper__Moon_ _1973_DVDRip.avi", "PAPER MOON (1973).AVI");
        row("article last", "Moon, The.1973.DVDRip.avi", "THE MOON (1973).AVI");
        row("a title's own dash before the year", "Paper Moon - The Return (1975) 1080p.mkv",
            "PAPER MOON - THE RETURN (1975).MKV");
        row("a lower-case title's own dash", "paper-moon.1973.dvdrip.xvid.avi", "PAPER-MOON (1973).AVI");
        row("a lone article keeps its edition", "The.Collector.2009.720p.mkv", "THE COLLECTOR (2009).MKV");
        row("colon and question mark", "What If?: Paper Moon (1973).mkv", "WHAT IF PAPER MOON (1973).MKV");
        row("a title's own bracketed number", "(500).Days.of.Film.(2009).mkv",
            "(500) DAYS OF FILM (2009).MKV");
        row("a title of numbers like a date", "12.21.84.S01E03.720p.mkv", "12 21 84 S01E03.MKV");
        row("a title's own dashes", "Film B----.2012.720p.mkv", "FILM B---- (2012).MKV");
        row("a title's second part without a year", "Artist Name - Concert Name 1080p BluRay.mkv",
            "ARTIST NAME - CONCERT NAME.MKV");
        row("a third part is another title's", "Paper Moon - Papiermond - Ryan ONeal 1080p.mkv",
            "PAPER MOON.MKV");
        row("after a saga's episode, its own title goes", "Star Voyage Episode IV - A New Hope (1977).mkv",
            "STAR VOYAGE EPISODE IV (1977).MKV");
        row("a season word in a show's name", "Harbour Series 13 - S01E01.mkv",
            "HARBOUR SERIES 13 S01E01.MKV");
        row("tag letters in a show's name", "The Files of L D S02E05.mkv", "THE FILES OF L D S02E05.MKV");
        row("a format word in a film's name", "Cam Girl 2019 1080p.mkv", "CAM GIRL (2019).MKV");
        row("refused characters", "A \"B\" <C> | D\\E 2001.mkv", "A B C D E (2001).MKV");
        row("control characters", "Paper\tMoon\n1973.mkv", "PAPER MOON (1973).MKV");
        row("leading dots", "..Paper.Moon.1973.mkv", "PAPER MOON (1973).MKV");
        row("other scripts", "[影视] Город.2010.1080p.mkv", "ГОРОД (2010).MKV");
        row("letters beyond ASCII", "Straße.der.Sehnsucht.1955.DVDRip.avi",
            "STRASSE DER SEHNSUCHT (1955).AVI");

        // Extensions, and names that are none.
        row("no extension", "Paper.Moon.1973.720p.BluRay.x264-GRP", "PAPER MOON (1973)");
        row("DD5.1 is no extension", "Paper.Moon.1973.DD5.1", "PAPER MOON (1973)");
        row("H.264 is no extension", "Paper.Moon.1973.H.264", "PAPER MOON (1973)");
        row("only an extension", ".mkv", "");
        row("a download not yet finished", "Paper.Moon.1973.720p.mkv.part", "");
        row("empty", "", "");
        row("dots and dashes", "...-_-.", "");
        row("invalid UTF-8", QString::fromUtf8("Paper.Moon.\xff\xfe.1973.mkv"), "");
        row("huge", QString(5000, u'a') + QStringLiteral(".2010.mkv"), "");
    }

    // The base name, which names a film's or a show's folder, and the clean
    // name built on it.
    void baseName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("base");
        QTest::addColumn<QString>("clean");
        QTest::newRow("film") << "Paper.Moon.1973.720p.mkv"
                              << "PAPER MOON (1973)"
                              << "PAPER MOON (1973).MKV";
        QTest::newRow("part") << "Paper.Moon.1973.CD2.avi"
                              << "PAPER MOON (1973) CD2"
                              << "PAPER MOON (1973) CD2.AVI";
        QTest::newRow("episode with the show's year") << "Doctor.Who.2005.S01E02.en.forced.srt"
                                                      << "DOCTOR WHO (2005) S01E02"
                                                      << "DOCTOR WHO (2005) S01E02.EN.FORCED.SRT";
        QTest::newRow("double episode") << "Harbour.Lights.S01E01E02.mkv"
                                        << "HARBOUR LIGHTS S01E01E02"
                                        << "HARBOUR LIGHTS S01E01E02.MKV";
        QTest::newRow("initials last") << "The.Man.from.U.N.C.L.E.720p.mkv"
                                       << "THE MAN FROM U.N.C.L.E"
                                       << "THE MAN FROM U.N.C.L.E.MKV";
    }

    void baseName()
    {
        QFETCH(QString, name);
        QFETCH(QString, base);
        QFETCH(QString, clean);
        const std::optional<ReleaseName> release = parseReleaseName(name, LatestYear);
        QVERIFY(release);
        QCOMPARE(cleanBaseName(*release), base);
        QCOMPARE(cleanReleaseName(*release), clean);
    }

    void cleanName()
    {
        QFETCH(QString, name);
        QFETCH(QString, clean);
        const std::optional<ReleaseName> release = parseReleaseName(name, LatestYear);
        QCOMPARE(release ? cleanReleaseName(*release) : QString(), clean);
        if (release)
            QVERIFY(release->isEpisode() || release->episodes.isEmpty());
    }
};

QTEST_APPLESS_MAIN(tst_ReleaseName)
#include "tst_ReleaseName.moc"
