// SPDX-License-Identifier: GPL-3.0-or-later
#include "TempFolder.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>

// A folder that could not be made has an empty path, which the windows read
// as the current folder: the run stops rather than rename what is there.
static void mustBeMade(const QTemporaryDir &dir)
{
    if (!dir.isValid())
        qFatal("no temporary folder could be made: %s", qPrintable(dir.errorString()));
}

TempFolder::TempFolder(std::initializer_list<QString> entries)
{
    mustBeMade(m_dir);
    make(QStringList(entries));
}

TempFolder::TempFolder(const Inside &where)
    : m_dir(where.parent + QStringLiteral("/folder-XXXXXX"))
{
    mustBeMade(m_dir);
}

QString TempFolder::path() const
{
    return QDir::toNativeSeparators(m_dir.path());
}

QString TempFolder::operator/(const QString &relative) const
{
    return QDir::toNativeSeparators(m_dir.filePath(relative));
}

void TempFolder::make(const QStringList &entries) const
{
    for (const QString &entry : entries) {
        if (entry.endsWith(u'/')) {
            QDir(m_dir.path()).mkpath(entry);
            continue;
        }
        QFile file(m_dir.filePath(entry));
        if (file.open(QIODevice::WriteOnly))
            file.write(entry.toUtf8());
    }
}

QStringList TempFolder::names(const QString &subfolder) const
{
    QStringList all = QDir(m_dir.filePath(subfolder))
                          .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    std::sort(all.begin(), all.end());
    return all;
}

QString TempFolder::contents(const QString &relative) const
{
    QFile file(m_dir.filePath(relative));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

QStringList TempFolder::state() const
{
    QStringList rows;
    for (const QString &name : names())
        rows << name + QStringLiteral("<-") + contents(name);
    std::sort(rows.begin(), rows.end());
    return rows;
}

QStringList TempFolder::tree() const
{
    const QDir root(m_dir.path());
    QStringList entries;
    QDirIterator it(m_dir.path(), QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString relative = root.relativeFilePath(it.next());
        entries << (it.fileInfo().isDir() ? relative + u'/'
                                          : relative + QStringLiteral("<-") + contents(relative));
    }
    entries.sort();
    return entries;
}

QByteArray bytesOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
