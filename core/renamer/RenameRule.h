// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// The rename rule that MAKE CHANGES applies and PREVIEW CHANGES shows: a name
// holds the FROM text when its upper-case form does, and its new name is that
// upper-case form with every FROM replaced by the upper-case TO text.

// False when the TO text holds a character that no file name may hold: a
// double quote or one of < > : / \ | ? *. The empty text is allowed.
bool renameToIsAllowed(const QString &to);

// Whether the upper-cased name holds the upper-cased FROM text. An empty FROM
// matches every name that is not empty.
bool nameMatches(const QString &name, const QString &from);

// The upper-cased name with every occurrence of the upper-cased FROM text,
// searched left to right without overlap, replaced by the upper-cased TO text;
// the inserted text is never searched again. An empty FROM leaves the
// upper-cased name as it is. Not trimmed.
QString renamedName(const QString &name, const QString &from, const QString &to);

// The text with every lower-case letter in its upper-case form, by Qt's case
// rules; ASCII texts, which most names are, quickly.
QString upperCased(const QString &text);

// A name made ready for many searches: its upper-case form, and a sketch of
// the characters it holds that rules most FROM texts out at a glance.
class UpperName {
public:
    explicit UpperName(const QString &name = {});
    // nameMatches(name, from), for the prepared FROM text.
    bool matches(const UpperName &from) const;
    // renamedName(name, from, to), for the prepared FROM and TO texts.
    QString renamed(const UpperName &from, const UpperName &to) const;

private:
    QString m_upper;
    quint64 m_holds = 0;
};

// The text without the blanks (character 32) at both ends; other white space stays.
QString trimBlanks(const QString &text);
