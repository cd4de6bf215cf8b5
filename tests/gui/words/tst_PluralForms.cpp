// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/words/ChangeWords.h"
#include "gui/words/DropWords.h"
#include "gui/words/RenamerWords.h"

#include <QTest>
#include <functional>

using Sentence = std::function<QString(qsizetype count)>;
Q_DECLARE_METATYPE(Sentence)

// Counted sentences read in English as the number asks, with its digits
// grouped as the user's language groups them.
class tst_PluralForms : public QObject {
    Q_OBJECT
private slots:
    void plurals_data()
    {
        QTest::addColumn<Sentence>("sentence");
        QTest::addColumn<qsizetype>("count");
        QTest::addColumn<QString>("words");

        const Sentence names = [](qsizetype n) {
            return ChangeWords::counted(n, ChangeWords::Noun::Names);
        };
        const Sentence summary = [](qsizetype n) {
            AnswerPreview preview;
            preview.total = preview.changes = preview.counted = n;
            return RenamerWords::summary(preview);
        };
        const Sentence dropped = [](qsizetype n) {
            return DropWords::leftOut(n, n, 32767);
        };
        QTest::newRow("one name") << names << qsizetype(1) << "1 name";
        QTest::newRow("names") << names << qsizetype(4212) << "4,212 names";
        QTest::newRow("one of one changes")
            << summary << qsizetype(1) << "1 of 1 name changes; 1 gets a counter suffix";
        QTest::newRow("many change") << summary << qsizetype(4212)
                                     << "4,212 of 4,212 names change; 4,212 get a counter suffix";
        QTest::newRow("one left out") << dropped << qsizetype(1)
                                      << "1 dropped item left out: only existing files can be listed. 1 "
                                         "dropped file left out: the list "
                                         "holds at most 32,767 rows.";
        QTest::newRow("many left out") << dropped << qsizetype(4212)
                                       << "4,212 dropped items left out: only existing files can be listed. "
                                          "4,212 dropped files left out: "
                                          "the list holds at most 32,767 rows.";
    }
    void plurals()
    {
        QFETCH(Sentence, sentence);
        QFETCH(qsizetype, count);
        QFETCH(QString, words);
        QCOMPARE(sentence(count), words);
    }
};

QTEST_GUILESS_MAIN(tst_PluralForms)
#include "tst_PluralForms.moc"
