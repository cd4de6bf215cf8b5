// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/folderer/FolderNames.h"

#include <QDir>
#include <QTest>

namespace {

QString native(const char *path)
{
    return QDir::toNativeSeparators(QString::fromUtf8(path));
}

} // namespace

class tst_FolderNames : public QObject {
    Q_OBJECT
private slots:
    void names_data();
    void names();
};

void tst_FolderNames::names_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("withoutExtension");
    QTest::addColumn<QString>("ownName");
    QTest::addColumn<QString>("target");

    auto row = [](const char *tag, const char *path, const char *without, const char *own,
                  const char *target) {
        QTest::newRow(tag) << native(path) << native(without) << native(own) << native(target);
    };
    row("film", "C:/Movies/Film.avi", "C:/Movies/Film", "Film.avi", "C:/Movies/Film/Film.avi");
    row("only the last extension", "C:/Movies/Film.part1.avi", "C:/Movies/Film.part1", "Film.part1.avi",
        "C:/Movies/Film.part1/Film.part1.avi");
    row("long extension", "/v/Show.divx", "/v/Show", "Show.divx", "/v/Show/Show.divx");
    row("no dot", "C:/Movies/Film", "C:/Movies/Film", "Film", "C:/Movies/Film/Film");
    row("dot only in a folder name", "C:/My.Movies/Film", "C:/My.Movies/Film", "Film",
        "C:/My.Movies/Film/Film");
    row("dot in folder and name", "C:/My.Movies/Film.avi", "C:/My.Movies/Film", "Film.avi",
        "C:/My.Movies/Film/Film.avi");
    row("ends in a dot", "C:/Movies/Film.", "C:/Movies/Film", "Film.", "C:/Movies/Film/Film.");
    row("at the root", "/Film.avi", "/Film", "Film.avi", "/Film/Film.avi");
    row("name alone", "Film.avi", "Film", "Film.avi", "Film/Film.avi");
    row("ends in a separator", "C:/Movies/", "C:/Movies/", "", "C:/Movies//");
    row("one character", ".", ".", ".", "./.");
    row("separator alone", "/", "/", "/", "///");
}

void tst_FolderNames::names()
{
    QFETCH(QString, path);
    QFETCH(QString, withoutExtension);
    QFETCH(QString, ownName);
    QFETCH(QString, target);
    QCOMPARE(::withoutExtension(path), withoutExtension);
    QCOMPARE(fileNameOnly(path), ownName);
    QCOMPARE(targetPath(path), target);
}

QTEST_APPLESS_MAIN(tst_FolderNames)
#include "tst_FolderNames.moc"
