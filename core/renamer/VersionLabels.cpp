// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/renamer/VersionLabels.h"

#include "core/renamer/ReleaseName.h"
#include "core/renamer/ReleaseTags.h"

#include <QSet>

namespace VersionLabels {

namespace {

using Tag = QString VersionTags::*;

// Whether the values of tag tell every release apart, a file holding the
// name already counting as one without tags.
bool tellsApart(const QList<VersionTags> &releases, bool nameHeld, Tag tag)
{
    QSet<QString> seen;
    if (nameHeld)
        seen.insert(QString());
    for (const VersionTags &release : releases) {
        const QString key = ReleaseTags::key(release.*tag);
        if (seen.contains(key))
            return false;
        seen.insert(key);
    }
    return true;
}

} // namespace

QStringList labels(const QList<VersionTags> &releases, bool nameHeld)
{
    QStringList labels;
    for (const Tag tag : {&VersionTags::resolution, &VersionTags::source, &VersionTags::edition}) {
        if (!tellsApart(releases, nameHeld, tag))
            continue;
        for (const VersionTags &release : releases)
            labels << release.*tag;
        return labels;
    }
    for (qsizetype i = 0; i < releases.size(); ++i) {
        const qsizetype number = i + 1 + (nameHeld ? 1 : 0);
        labels << (number == 1 ? QString() : QString::number(number));
    }
    return labels;
}

QString labelled(const QString &plainName, const QString &part, const QString &label)
{
    QString name = plainName;
    if (!label.isEmpty())
        name += QStringLiteral(" - ") + label;
    if (!part.isEmpty())
        name += u' ' + part;
    return name;
}

} // namespace VersionLabels
