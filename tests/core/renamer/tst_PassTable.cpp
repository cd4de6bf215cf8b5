// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/renamer/PassTable.h"

#include <QTest>

class tst_PassTable : public QObject {
    Q_OBJECT
private slots:
    void step_data();
    void step();
    void hasFiftyFourStepsWithOneYearStep();
    void yearStep();
};

void tst_PassTable::step_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");

    // Every constant step by its number, blanks inside the texts included.
    const QList<std::pair<const char *, const char *>> steps{
        {"DVDRIP", ""},     {"DVD", ""},      {"BDRIP", ""},
        {"BRRIP", ""},      {"BRR", ""},      {"PPVRIP", ""},
        {"PPVR", ""},       {"PPV", ""},      {"HDTV", ""},
        {"XVID", ""},       {"AXXO", ""},     {"ESPISE", ""},
        {"AMIABLE", ""},    {"DOWNLOAD", ""}, {"www.sharethefiles.com", ""},
        {"Absolon", ""},    {"limited", ""},  {"unrated", ""},
        {"homecinema", ""}, {"QSS", ""},      {"DVRMS", ""},
        {"P0W4", ""},       {"IFLIX", ""},    {"sharethefiles", ""},
        {"deity.avi", ""},  {"HAGGIS", ""},   {"EDITION", "("},
        {"_", " "},         {"-", " "},       {"[", ""},
        {"]", ""},          {"(", ""},        {")", ""},
        {"..", "."},        {"..", "."},      {".", " "},
        {" AVI", ".AVI"},   {" TS", ".TS"},   {" MKV", ".MKV"},
        {" MPG", ".MPG"},   {" MP4", ".MP4"}, {" M4V", ".M4V"},
        {" DIVX", ".DIVX"}, {" ISO", ".ISO"}, {" FLV", ".FLV"},
        {" VOB", ".VOB"},   {" SRT", ".SRT"}, {" PDF", ".PDF"},
        {nullptr, nullptr}, // 49: the year step
        {"  ", " "},        {"  ", " "},      {"  ", " "},
        {" .", "."},        {".", "."},
    };
    for (int i = 0; i < steps.size(); ++i) {
        if (!steps[i].first)
            continue;
        QTest::addRow("step %d", i + 1)
            << i + 1 << QString::fromUtf8(steps[i].first) << QString::fromUtf8(steps[i].second);
    }
}

void tst_PassTable::step()
{
    QFETCH(int, number);
    QFETCH(QString, from);
    QFETCH(QString, to);
    const PassStep &step = passTable().at(number - 1);
    QVERIFY(!step.isYearStep);
    QCOMPARE(step.from, from);
    QCOMPARE(step.to, to);
}

void tst_PassTable::hasFiftyFourStepsWithOneYearStep()
{
    QCOMPARE(passTable().size(), 54);
    for (int i = 0; i < passTable().size(); ++i)
        QCOMPARE(passTable().at(i).isYearStep, i + 1 == 49);
}

void tst_PassTable::yearStep()
{
    QCOMPARE(PassFirstYear, 1950);
    QCOMPARE(PassLastYear, 2012);
    QCOMPARE(passYearTo(QStringLiteral("1950")), QStringLiteral(" (1950)"));
    QCOMPARE(passYearTo(QString::number(PassLastYear)), QStringLiteral(" (2012)"));
}

QTEST_GUILESS_MAIN(tst_PassTable)
#include "tst_PassTable.moc"
