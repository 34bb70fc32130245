#include "framework/ke7_textdatei.h"

#include "framework/ke7_error.h"
#include "framework/pex_ini.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

#include <fcntl.h>
#include <unistd.h>

bool TextBrauchtUtf8(const QString &text)
{
    return !PexIni::inCp1252(text);
}

QByteArray TextdateiKodieren(const QStringList &zeilen)
{
    bool utf8 = false;
    for (const QString &z : zeilen) {
        if (TextBrauchtUtf8(z)) {
            utf8 = true;
            break;
        }
    }
    QByteArray out;
    if (utf8)
        out.append("\xEF\xBB\xBF");
    for (const QString &z : zeilen) {
        out.append(utf8 ? z.toUtf8() : PexIni::nachCp1252(z));
        out.append("\r\n");
    }
    return out;
}

static QString schreibFehlerText(const QString &path, const QString &grund)
{
    QString t = QLatin1String("Die Datei\r") + path + QLatin1String("\rkann nicht geschrieben werden.");
    if (!grund.isEmpty())
        t += QLatin1String("\r") + grund;
    return t;
}

static void ordnerSynchronisieren(const QString &folder)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

void DateiAtomarSchreiben(const QString &path, const QByteArray &bytes)
{
    const QFileInfo fi(path);
    if (!fi.absoluteDir().exists())
        throw TkelFehler(schreibFehlerText(path, QLatin1String("Das Verzeichnis existiert nicht.")));
    // A file without write permission stays as it is, also for root, who could rename over it.
    if (fi.exists() && !(fi.permissions() & (QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther)))
        throw TkelFehler(schreibFehlerText(path, QStringLiteral("Die Datei ist schreibgeschützt.")));
    if (fi.isDir())
        throw TkelFehler(schreibFehlerText(path, QLatin1String("Unter diesem Namen besteht ein Verzeichnis.")));

    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        throw TkelFehler(schreibFehlerText(path, f.errorString()));
    if (f.write(bytes) != bytes.size() || !f.flush() || ::fsync(f.handle()) != 0) {
        const QString grund = f.errorString();
        f.cancelWriting();
        throw TkelFehler(schreibFehlerText(path, grund));
    }
    if (!f.commit())
        throw TkelFehler(schreibFehlerText(path, f.errorString()));
    ordnerSynchronisieren(fi.absolutePath());
}

void TextdateiSchreiben(const QString &path, const QStringList &zeilen)
{
    DateiAtomarSchreiben(path, TextdateiKodieren(zeilen));
}

QStringList TextZeilenDekodieren(const QByteArray &bytes)
{
    QString text;
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        text = QString::fromUtf8(bytes.mid(3));
    } else if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        QStringDecoder dec(bytes.startsWith("\xFF\xFE") ? QStringConverter::Utf16LE : QStringConverter::Utf16BE);
        text = dec(bytes.mid(2));
    } else {
        text = PexIni::vonCp1252(bytes);
    }

    QStringList zeilen;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            zeilen.append(text.mid(start, i - start));
            if (c == QLatin1Char('\r') && i + 1 < n && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
            start = i + 1;
        }
    }
    if (start < n)
        zeilen.append(text.mid(start));
    return zeilen;
}

QStringList TextdateiLesen(const QString &path)
{
    QFile f(path);
    if (!f.exists())
        return {};
    if (QFileInfo(path).isDir() || !f.open(QIODevice::ReadOnly))
        throw TkelFehler(QLatin1String("Die Datei\r") + path + QLatin1String("\rkann nicht gelesen werden.")
            + (f.errorString().isEmpty() ? QString() : QLatin1String("\r") + f.errorString()));
    return TextZeilenDekodieren(f.readAll());
}
