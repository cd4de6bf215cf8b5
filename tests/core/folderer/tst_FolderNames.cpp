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
    QTest::addColumn<int>("extensionLength");
    QTest::addColumn<QString>("withoutExtension");
    QTest::addColumn<QString>("ownName");
    QTest::addColumn<QString>("target");

    auto row = [](const char *tag, const char *path, int length, const char *without,
                  const char *own, const char *target) {
        QTest::newRow(tag) << native(path) << length << native(without) << native(own)
                           << native(target);
    };
    row("film", "C:/Movies/Film.avi", 3, "C:/Movies/Film", "Film.avi", "C:/Movies/Film/Film.avi");
    row("only the last extension", "C:/Movies/Film.part1.avi", 3, "C:/Movies/Film.part1",
        "Film.part1.avi", "C:/Movies/Film.part1/Film.part1.avi");
    row("long extension", "/v/Show.divx", 4, "/v/Show", "Show.divx", "/v/Show/Show.divx");
    row("no dot", "C:/Movies/Film", 0, "C:/Movies/Film", "Film", "C:/Movies/Film/Film");
    row("dot only in a folder name", "C:/My.Movies/Film", 0, "C:/My.Movies/Film", "Film",
        "C:/My.Movies/Film/Film");
    row("dot in folder and name", "C:/My.Movies/Film.avi", 3, "C:/My.Movies/Film", "Film.avi",
        "C:/My.Movies/Film/Film.avi");
    row("ends in a dot", "C:/Movies/Film.", 0, "C:/Movies/Film", "Film.", "C:/Movies/Film/Film.");
    row("at the root", "/Film.avi", 3, "/Film", "Film.avi", "/Film/Film.avi");
    row("name alone", "Film.avi", 3, "Film", "Film.avi", "Film/Film.avi");
    row("ends in a separator", "C:/Movies/", 0, "C:/Movies/", "", "C:/Movies//");
    row("one character", ".", 0, ".", ".", "./.");
    row("separator alone", "/", 0, "/", "/", "///");
}

void tst_FolderNames::names()
{
    QFETCH(QString, path);
    QFETCH(int, extensionLength);
    QFETCH(QString, withoutExtension);
    QFETCH(QString, ownName);
    QFETCH(QString, target);
    QCOMPARE(::extensionLength(path), extensionLength);
    QCOMPARE(::withoutExtension(path), withoutExtension);
    QCOMPARE(fileNameOnly(path), ownName);
    QCOMPARE(targetPath(path), target);
}

QTEST_APPLESS_MAIN(tst_FolderNames)
#include "tst_FolderNames.moc"
