#pragma once

#include <QList>
#include <QString>

// An entry of every list the user picks from: the text shown and the key it stands for
// (integer keys as decimal text).
struct TkelKeyItem {
    QString text;
    QString key;
};
using TkelKeyItems = QList<TkelKeyItem>;
