// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

struct VersionTags;

// Two or more releases of one film or episode in one place are versions to
// a media server when each name carries a label after " - ":
// "TITLE (YEAR) - 1080P.MKV" beside "TITLE (YEAR) - 720P.MKV".
namespace VersionLabels {

// The labels of releases that would get one clean name, in list order: the
// first kind of tag (resolution, then source, then edition) whose values
// tell them all apart gives each its value, and the one release without
// that tag, if any, keeps the plain name (label empty); where none does,
// the first keeps the plain name and the others are numbered "2", "3" and
// on. With nameHeld, a file not among them holds the plain name already: it
// counts as a first release without tags.
QStringList labels(const QList<VersionTags> &releases, bool nameHeld);

// The name with its label: "TITLE (YEAR)" and "1080P" give
// "TITLE (YEAR) - 1080P"; a part stays last ("TITLE (YEAR) - 1080P CD1").
QString labelled(const QString &plainName, const QString &part, const QString &label);

} // namespace VersionLabels
