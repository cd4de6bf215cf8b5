// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/base/Wildcard.h"

#include <QTest>

class tst_Wildcard : public QObject {
    Q_OBJECT
private slots:
    void matches_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("expected");

        QTest::newRow("*.* takes a name without a dot") << "*.*"
                                                        << "nodots" << true;
        QTest::newRow("* takes a name with dots") << "*"
                                                  << "a.b.c" << true;
        QTest::newRow("*.avi ignores letter case") << "*.avi"
                                                   << "FILM.AVI" << true;
        QTest::newRow("*.avi wants the extension") << "*.avi"
                                                   << "film.avi.bak" << false;
        QTest::newRow("*.avi on a dotless name") << "*.avi"
                                                 << "avi" << false;
        QTest::newRow("? is one character") << "a?c.txt"
                                            << "abc.txt" << true;
        QTest::newRow("? is not zero characters") << "a?c.txt"
                                                  << "ac.txt" << false;
        QTest::newRow("brackets are plain") << "[x]*"
                                            << "[x] film.avi" << true;
        QTest::newRow("brackets are no class") << "[x]*"
                                               << "x film.avi" << false;
        QTest::newRow("several patterns") << "*.avi;*.mkv"
                                          << "b.MKV" << true;
        QTest::newRow("none of several") << "*.avi; *.mkv"
                                         << "b.srt" << false;
        QTest::newRow("star in the middle") << "a*b*c"
                                            << "aXbYbZc" << true;
        QTest::newRow("star backtracks") << "*ab"
                                         << "aab" << true;
        QTest::newRow("exact name") << "Film.avi"
                                    << "film.AVI" << true;
        QTest::newRow("unicode case") << "ÄRGER*"
                                      << "ärger.avi" << true;
        QTest::newRow("empty pattern matches nothing") << ""
                                                       << "a" << false;
    }
    void matches()
    {
        QFETCH(QString, pattern);
        QFETCH(QString, name);
        QFETCH(bool, expected);
        QCOMPARE(Wildcard(pattern).matches(name), expected);
    }
};

QTEST_APPLESS_MAIN(tst_Wildcard)
#include "tst_Wildcard.moc"
