#include "framework/ke7_dir.h"

#include "framework/ke7_str.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

QString MitSchraegstrich(const QString &ordner)
{
    return ordner.isEmpty() || ordner.endsWith(QLatin1Char('/')) ? ordner : ordner + QLatin1Char('/');
}

namespace {

// Without QDir::Hidden dot-names are skipped; without QDir::System sockets, devices and
// dangling links are. QDirIterator classifies links by their target.
template <typename Aktion> void Auflisten(const QString &ordner, QDir::Filters art, Aktion aktion)
{
    if (ordner.isEmpty())
        return;
    QDirIterator it(ordner, art | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        it.next();
        aktion(it.fileName());
    }
}

bool Gleich(QChar a, QChar b)
{
    return a == b || a.toCaseFolded() == b.toCaseFolded();
}

} // namespace

bool NameTrifftMaske(const QString &name, const QString &maske)
{
    // "*.*" means every name, also one without a dot, as users of this mask expect.
    if (maske == QLatin1String("*.*"))
        return true;
    // Iterative wildcard match: on a mismatch, let the last "*" swallow one more character.
    qsizetype n = 0, m = 0, sternM = -1, sternN = 0;
    while (n < name.size()) {
        if (m < maske.size() && maske.at(m) == QLatin1Char('*')) {
            sternM = m++;
            sternN = n;
        } else if (m < maske.size() && (maske.at(m) == QLatin1Char('?') || Gleich(maske.at(m), name.at(n)))) {
            ++m;
            ++n;
        } else if (sternM >= 0) {
            m = sternM + 1;
            n = ++sternN;
        } else {
            return false;
        }
    }
    while (m < maske.size() && maske.at(m) == QLatin1Char('*'))
        ++m;
    return m == maske.size();
}

void VerzeichnisseToItems(const QString &ordner, QStringList &liste)
{
    liste.clear();
    Auflisten(ordner, QDir::Dirs, [&](const QString &name) { liste.append(name); });
}

void DateienMitPfadToItems(const QString &ordner, const QString &maske, QStringList &liste, bool leeren)
{
    if (leeren)
        liste.clear();
    const QString vorne = MitSchraegstrich(ordner);
    Auflisten(ordner, QDir::Files, [&](const QString &name) {
        if (NameTrifftMaske(name, maske))
            liste.append(vorne + name);
    });
}

void DateienToItems(const QString &maske, QStringList &liste, bool leeren)
{
    if (leeren)
        liste.clear();
    const qsizetype schnitt = maske.lastIndexOf(QLatin1Char('/'));
    const QString ordner = schnitt < 0 ? QStringLiteral(".") : maske.left(schnitt + 1);
    const QString namensMaske = maske.mid(schnitt + 1);
    Auflisten(ordner, QDir::Files, [&](const QString &name) {
        if (NameTrifftMaske(name, namensMaske))
            liste.append(name);
    });
    TextSortieren(liste);
}

void DateienToItems(const QString &ordner, const QString &maske, QStringList &liste, bool leeren)
{
    if (ordner.isEmpty()) {
        if (leeren)
            liste.clear();
        return;
    }
    DateienToItems(QFileInfo(MitSchraegstrich(ordner) + maske).absoluteFilePath(), liste, leeren);
}
