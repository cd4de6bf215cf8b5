#include "app/RowOrder.h"

#include <algorithm>
#include <vector>

QString rowKey(const QString &name)
{
    // ASCII letters directly, others through Qt's case tables
    // (QString::toCaseFolded is several times slower on the long plain names
    // of a video collection).
    QString folded = name;
    for (QChar &c : folded) {
        const char16_t u = c.unicode();
        if (u < 0x80) {
            if (u >= 'A' && u <= 'Z')
                c = QChar(u + ('a' - 'A'));
        } else if (!c.isSurrogate()) {
            c = c.toCaseFolded();
        }
    }
    return folded;
}

void sortInRowOrder(QStringList &names)
{
    struct Keyed {
        QString folded;
        qsizetype index;
    };
    std::vector<Keyed> keys;
    keys.reserve(names.size());
    for (qsizetype i = 0; i < names.size(); ++i)
        keys.push_back({rowKey(names.at(i)), i});
    std::sort(keys.begin(), keys.end(), [&](const Keyed &a, const Keyed &b) {
        const int folded = QString::compare(a.folded, b.folded, Qt::CaseSensitive);
        return folded != 0 ? folded < 0 : names.at(a.index) < names.at(b.index);
    });
    QStringList sorted;
    sorted.reserve(names.size());
    for (const Keyed &key : keys)
        sorted << names.at(key.index);
    names = std::move(sorted);
}
