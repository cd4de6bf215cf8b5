// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFile>
#include <QString>
#include <QVarLengthArray>

// A path's bytes for the system's calls, ended by a zero. ASCII paths, which
// are most, are copied without the locale's encoder and, as most are short,
// without the heap.
class NativePath {
public:
    explicit NativePath(QStringView path)
    {
        for (const QChar c : path) {
            if (c.unicode() >= 0x80) {
                const QByteArray bytes = QFile::encodeName(path.toString());
                m_bytes.append(bytes.constData(), bytes.size() + 1);
                return;
            }
        }
        m_bytes.resize(path.size() + 1);
        for (qsizetype i = 0; i < path.size(); ++i)
            m_bytes[i] = char(path[i].unicode());
        m_bytes[path.size()] = '\0';
    }
    const char *constData() const { return m_bytes.constData(); }

private:
    QVarLengthArray<char, 512> m_bytes;
};
