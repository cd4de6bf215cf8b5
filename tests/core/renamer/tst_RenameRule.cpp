// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/renamer/RenameRule.h"

#include <QTest>

class tst_RenameRule : public QObject {
    Q_OBJECT
private slots:
    void renameToIsAllowed_data()
    {
        QTest::addColumn<QString>("to");
        QTest::addColumn<bool>("allowed");

        QTest::newRow("empty") << "" << true;
        QTest::newRow("blanks, dots, brackets") << " (2004). [x]" << true;
        QTest::newRow("unicode letters") << "Ärger" << true;
        for (const QChar c : QStringLiteral("\"<>:/\\|?*"))
            QTest::addRow("holds %s", qPrintable(QString(c))) << QStringLiteral("a%1b").arg(c) << false;
    }
    void renameToIsAllowed()
    {
        QFETCH(QString, to);
        QFETCH(bool, allowed);
        QCOMPARE(::renameToIsAllowed(to), allowed);
    }

    void nameMatches_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("from");
        QTest::addColumn<bool>("matches");

        QTest::newRow("letter case ignored") << "Aab.avi"
                                             << "AB" << true;
        QTest::newRow("in the extension") << "film.avi"
                                          << ".AVI" << true;
        QTest::newRow("absent") << "film.avi"
                                << "dvd" << false;
        QTest::newRow("longer than the name") << "a"
                                              << "ab" << false;
        QTest::newRow("empty FROM, any name") << "nodots"
                                              << "" << true;
        QTest::newRow("empty FROM, empty name") << ""
                                                << "" << false;
        QTest::newRow("blanks count") << "a b"
                                      << "a  b" << false;
        QTest::newRow("unicode case") << "ärger.avi"
                                      << "ÄRGER" << true;
        QTest::newRow("sharp s upper-cases to SS") << "straße.avi"
                                                   << "STRASSE" << true;
        QTest::newRow("dotless i upper-cases to I") << "fılm.avi"
                                                    << "FILM" << true;
        QTest::newRow("ASCII with symbols") << "a_b[1].avi"
                                            << "B[1]" << true;
    }
    void nameMatches()
    {
        QFETCH(QString, name);
        QFETCH(QString, from);
        QFETCH(bool, matches);
        QCOMPARE(::nameMatches(name, from), matches);
    }

    void renamedName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("renamed");

        QTest::newRow("dot to dot upper-cases") << "My Movie.avi"
                                                << "."
                                                << "."
                                                << "MY MOVIE.AVI";
        QTest::newRow("case-blind search") << "Aab.avi"
                                           << "ab"
                                           << "x"
                                           << "AX.AVI";
        QTest::newRow("no overlap") << "aaaa.txt"
                                    << "aa"
                                    << "b"
                                    << "BB.TXT";
        QTest::newRow("odd run leaves the rest") << "aaa"
                                                 << "aa"
                                                 << "b"
                                                 << "BA";
        QTest::newRow("inserted text not searched") << "a.txt"
                                                    << "a"
                                                    << "aa"
                                                    << "AA.TXT";
        QTest::newRow("every occurrence") << "x.x.x"
                                          << "."
                                          << "_"
                                          << "X_X_X";
        QTest::newRow("empty FROM") << "film.avi"
                                    << ""
                                    << "zzz"
                                    << "FILM.AVI";
        QTest::newRow("TO upper-cased") << "film"
                                        << "film"
                                        << "Movie"
                                        << "MOVIE";
        QTest::newRow("whole name removed") << "DVDRIP"
                                            << "dvdrip"
                                            << ""
                                            << "";
        QTest::newRow("not trimmed") << "x.avi"
                                     << "x"
                                     << " "
                                     << " .AVI";
        QTest::newRow("year step") << "FILM 2004.AVI"
                                   << "2004"
                                   << " (2004)"
                                   << "FILM  (2004).AVI";
        QTest::newRow("absent FROM") << "film.avi"
                                     << "dvd"
                                     << ""
                                     << "FILM.AVI";
    }
    void renamedName()
    {
        QFETCH(QString, name);
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QString, renamed);
        QCOMPARE(::renamedName(name, from, to), renamed);
    }

    void trimBlanks_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("trimmed");

        QTest::newRow("both ends") << "  a b  "
                                   << "a b";
        QTest::newRow("only blanks") << "   "
                                     << "";
        QTest::newRow("tabs stay") << "\ta\t"
                                   << "\ta\t";
        QTest::newRow("empty") << ""
                               << "";
    }
    void trimBlanks()
    {
        QFETCH(QString, text);
        QFETCH(QString, trimmed);
        QCOMPARE(::trimBlanks(text), trimmed);
    }
};

QTEST_APPLESS_MAIN(tst_RenameRule)
#include "tst_RenameRule.moc"
