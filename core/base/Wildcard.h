// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// A file-name pattern under the DOS rules: letter case is ignored, "*" is any
// run of characters, "?" one character, "*.*" and "*" match every name (with
// or without a dot), "[" and "]" are plain characters, and several patterns
// may be joined with ";".
class Wildcard {
public:
    explicit Wildcard(const QString &patterns);

    bool matches(const QString &name) const;

private:
    QStringList m_patterns;
    bool m_matchesAll = false;
};
