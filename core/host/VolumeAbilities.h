// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QSet>
#include <QString>
#include <mutex>

// What each volume was found to do with a rename that must not replace, with
// hard links, and with letter case, so that the next rename on it need not
// find out again. A volume is known by its own identity (or, where it names
// none, by its mount), never by a device number that another drive in the
// same slot gets next; and all is forgotten once a volume came or went,
// before the next change holds on to its folders. A worker and the window
// may ask at once.
class VolumeAbilities {
public:
    enum class Ability { Unknown, Works, Missing };

    // The name under which what the volume of the open folder does is kept.
    static QString keyOf(int folder);
    // Forgets everything when a volume came or went since it was found out.
    void forgetAfterVolumeEvents();

    // An empty volume name is never kept: what it asks is unknown.
    Ability noReplace(const QString &volume);
    void setNoReplace(const QString &volume, Ability ability);
    bool lacksHardLinks(const QString &volume);
    void setLacksHardLinks(const QString &volume);
    bool tellsCase(const QString &volume);
    void setTellsCase(const QString &volume);

private:
    std::mutex m_mutex;
    quint64 m_generation = 0;
    QHash<QString, Ability> m_noReplace;
    QSet<QString> m_noHardLinks;
    QSet<QString> m_tellsCase;
};
