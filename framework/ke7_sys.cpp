#include "framework/ke7_sys.h"

#include "framework/ke7_error.h"
#include "framework/ke7_str.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QStandardPaths>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <unistd.h>
#include <utility>

namespace {

int s_wartenTiefe = 0;

QStringList &zusaetzlicheDatenOrdner()
{
    static QStringList ordner;
    return ordner;
}

QString mitSchraegstrich(const QString &folder)
{
    if (folder.isEmpty() || folder.endsWith(QLatin1Char('/')))
        return folder;
    return folder + QLatin1Char('/');
}

bool istDatei(const QFileInfo &fi)
{
    return fi.exists() && !fi.isDir();
}

// A name is taken when anything lies there, a dangling link included.
bool belegt(const QString &path)
{
    const QFileInfo fi(path);
    return fi.exists() || fi.isSymLink();
}

// "Read-only" is judged from the mode bits, not from access(): root may write everywhere,
// yet a file nobody is meant to write stays protected for root as well.
bool schreibgeschuetzt(const QFileInfo &fi)
{
    return !(fi.permissions() & (QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther));
}

QString mitPunkt(const QString &extension)
{
    if (extension.isEmpty() || extension.startsWith(QLatin1Char('.')))
        return extension;
    return QLatin1Char('.') + extension;
}

QString ordnerTeil(const QString &path)
{
    return path.left(path.lastIndexOf(QLatin1Char('/')) + 1);
}

QString mitGrund(const QString &text, const QString &grund)
{
    return grund.isEmpty() ? text : text + QLatin1Char('\r') + grund;
}

// Turns a Windows file pattern (only * and ? are wildcards) into a regular expression.
QRegularExpression musterRegex(const QString &muster)
{
    QString rx;
    for (const QChar c : muster) {
        if (c == QLatin1Char('*'))
            rx += QLatin1String(".*");
        else if (c == QLatin1Char('?'))
            rx += QLatin1Char('.');
        else
            rx += QRegularExpression::escape(QString(c));
    }
    return QRegularExpression(QRegularExpression::anchoredPattern(rx), QRegularExpression::CaseInsensitiveOption);
}

// The hidden temporary file of a copy; removed unless it was renamed into place.
class TempZiel
{
public:
    explicit TempZiel(const QString &ziel)
        : m_ziel(ziel)
    { }
    ~TempZiel()
    {
        if (!m_name.isEmpty()) {
            m_datei.close();
            QFile::remove(m_name);
        }
    }

    bool anlegen()
    {
        const QFileInfo zi(m_ziel);
        // Keep the name well below the file system's 255-byte limit.
        const QString basis = zi.absolutePath() + QLatin1String("/.~") + zi.fileName().left(100) + QLatin1Char('.');
        for (int versuch = 0; versuch < 100; ++versuch) {
            const QString name
                = basis + QString::number(QRandomGenerator::global()->generate() & 0xffffff, 16).rightJustified(6, '0');
            m_datei.setFileName(name);
            if (m_datei.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered)) {
                m_name = name;
                return true;
            }
            if (!belegt(name))
                return false;
        }
        return false;
    }

    QFile &datei() { return m_datei; }

    // Closes the file durably and renames it over the target in one step.
    bool einsetzen(QString &grund)
    {
        if (::fsync(m_datei.handle()) != 0) {
            grund = QString::fromLocal8Bit(strerror(errno));
            return false;
        }
        m_datei.close();
        if (m_datei.error() != QFileDevice::NoError) {
            grund = m_datei.errorString();
            return false;
        }
        if (std::rename(QFile::encodeName(m_name).constData(), QFile::encodeName(m_ziel).constData()) != 0) {
            grund = QString::fromLocal8Bit(strerror(errno));
            return false;
        }
        m_name.clear();
        return true;
    }

private:
    QString m_ziel;
    QString m_name;
    QFile m_datei;
};

} // namespace

// ---- Messages ---------------------------------------------------------------------------

QString Formatieren(const QString &format, const QStringList &argumente)
{
    QString ergebnis;
    ergebnis.reserve(format.size());
    int n = 0;
    for (int i = 0; i < format.size(); ++i) {
        const QChar c = format.at(i);
        if (c == QLatin1Char('%') && i + 1 < format.size()) {
            const QChar f = format.at(i + 1);
            if (f == QLatin1Char('%')) {
                ergebnis += QLatin1Char('%');
                ++i;
                continue;
            }
            if (f == QLatin1Char('s') || f == QLatin1Char('d')) {
                if (n < argumente.size())
                    ergebnis += argumente.at(n);
                ++n;
                ++i;
                continue;
            }
        }
        ergebnis += c;
    }
    return ergebnis;
}

void Meldung(TkelUiServices &ui, const QString &text)
{
    ui.nachricht(TkelUiServices::Art::Information, text);
}

void MeldungFmt(TkelUiServices &ui, const QString &format, const QStringList &argumente)
{
    Meldung(ui, Formatieren(format, argumente));
}

void Fehlermeldung(TkelUiServices &ui, const QString &text)
{
    ui.beep();
    ui.nachricht(TkelUiServices::Art::Fehler, text);
}

bool Frage(TkelUiServices &ui, const QString &text)
{
    return ui.frage(text);
}

bool FrageFmt(TkelUiServices &ui, const QString &format, const QStringList &argumente)
{
    return Frage(ui, Formatieren(format, argumente));
}

bool UeberschreibenFrage(TkelUiServices &ui, const QString &path)
{
    if (TrimBlanks(path).isEmpty())
        return false;
    if (!DateiVorhanden(path, nullptr))
        return true;
    return FrageFmt(ui, QStringLiteral("Die Datei %s existiert bereits.\rSoll sie überschrieben werden ?"), { path });
}

void VerzeichnisFehltMeldung(TkelUiServices &ui, const QString &folder)
{
    Fehlermeldung(ui, QLatin1String("Das Verzeichnis\r") + folder + QLatin1String("\rwurde nicht gefunden."));
}

void NichtUnterstuetztMeldung(TkelUiServices &ui)
{
    Meldung(ui, QStringLiteral("Die ausgewählte Funktion\rwird in dieser Programmversion nicht unterstützt."));
}

void InternerFehler(TkelUiServices &ui, const QString &modul, const QString &text)
{
    const QString meldung = QLatin1String("Interner Fehler im Modul [") + modul + QLatin1String("]\r\r") + text
        + QLatin1String("\r\rBenachrichtigen Sie bitte Ihren Systemadministrator.");
    ui.setClipboardText(meldung);
    Fehlermeldung(ui, meldung + QLatin1String("\r\rDie Fehlernachricht wurde ins Clipboard (Zwischenablage) kopiert."));
    throw TkelAbbruch();
}

// ---- Files and folders ------------------------------------------------------------------

bool DateiVorhanden(const QString &path, TkelUiServices *meldung)
{
    const bool ok = !path.isEmpty() && istDatei(QFileInfo(path));
    if (!ok && meldung)
        Fehlermeldung(*meldung, QLatin1String("Datei\r") + path + QLatin1String("\rnicht vorhanden."));
    return ok;
}

bool NurDateiVorhanden(const QString &path, TkelUiServices *meldung)
{
    const int schnitt = path.lastIndexOf(QLatin1Char('/'));
    const QString muster = path.mid(schnitt + 1);
    bool ok = false;
    if (muster.contains(QLatin1Char('*')) || muster.contains(QLatin1Char('?'))) {
        QDir dir(schnitt >= 0 ? path.left(schnitt + 1) : QStringLiteral("."));
        const QRegularExpression rx = musterRegex(muster);
        const QFileInfoList eintraege = dir.entryInfoList(
            QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System, QDir::Name | QDir::IgnoreCase);
        for (const QFileInfo &fi : eintraege) {
            if (rx.match(fi.fileName()).hasMatch()) {
                ok = !fi.isDir();
                break;
            }
        }
    } else {
        ok = !muster.isEmpty() && istDatei(QFileInfo(path));
    }
    if (!ok && meldung)
        Fehlermeldung(*meldung, QLatin1String("Datei\r") + path + QLatin1String("\rnicht vorhanden."));
    return ok;
}

void DateiPflicht(TkelUiServices &ui, const QString &path)
{
    if (!DateiVorhanden(path, &ui))
        throw TkelAbbruch();
}

bool VerzeichnisVorhanden(const QString &folder, TkelUiServices *meldung)
{
    const QString f = mitSchraegstrich(folder);
    // An empty name would be the root folder; it stands for "no folder chosen".
    const bool ok = !TrimBlanks(f).isEmpty() && QFileInfo(f).isDir();
    if (!ok && meldung)
        VerzeichnisFehltMeldung(*meldung, f);
    return ok;
}

bool VerzeichnisErstellen(const QString &folder, TkelUiServices *meldung)
{
    if (VerzeichnisVorhanden(folder, nullptr))
        return true;
    if (!TrimBlanks(folder).isEmpty())
        QDir().mkpath(folder);
    if (meldung)
        meldung->ereignisseVerarbeiten();
    const bool ok = VerzeichnisVorhanden(folder, nullptr);
    if (!ok && meldung)
        Meldung(
            *meldung, QLatin1String("Das Verzeichnis\r") + folder + QLatin1String("\rkonnte nicht erstellt werden."));
    return ok;
}

bool VerzeichnisBeschreibbar(const QString &folder, TkelUiServices *meldung)
{
    const QString f = mitSchraegstrich(folder);
    if (!VerzeichnisVorhanden(f, nullptr)) {
        if (meldung)
            VerzeichnisFehltMeldung(*meldung, f);
        return false;
    }
    QFile probe(f + Pruefdateiname(f, QStringLiteral(".tmp")) + QLatin1String(".tmp"));
    bool ok = probe.open(QIODevice::WriteOnly | QIODevice::NewOnly);
    if (ok) {
        probe.close();
        ok = probe.error() == QFileDevice::NoError;
        probe.remove();
    }
    if (!ok && meldung)
        Fehlermeldung(*meldung, QStringLiteral("Sie haben keine Schreibrechte für das Verzeichnis\r") + f);
    return ok;
}

bool DateiBeschreibbar(const QString &path, TkelUiServices *meldung)
{
    const QFileInfo fi(path);
    const QString folder = mitSchraegstrich(ordnerTeil(path).isEmpty() ? fi.absolutePath() : ordnerTeil(path));
    if (!VerzeichnisVorhanden(folder, nullptr)) {
        if (meldung)
            VerzeichnisFehltMeldung(*meldung, folder);
        return false;
    }
    bool ok = false;
    QFile probe(path);
    if (belegt(path)) {
        // An existing file keeps its content: the caller may still fail before it writes.
        if (!fi.isDir() && !schreibgeschuetzt(fi) && probe.open(QIODevice::WriteOnly | QIODevice::Append)) {
            probe.close();
            ok = true;
        }
    } else if (probe.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        probe.close();
        probe.remove();
        ok = true;
    }
    if (!ok && meldung)
        Fehlermeldung(*meldung,
            QStringLiteral("Sie haben keine Schreibrechte für die Datei\r") + path
                + QLatin1String("\rEventuell wird die Datei von einem anderen Programm benutzt."));
    return ok;
}

bool DateiLoeschen(const QString &path)
{
    const QFileInfo fi(path);
    if (path.isEmpty() || fi.isDir() || !belegt(path))
        return true;
    if (!fi.isSymLink() && schreibgeschuetzt(fi))
        return false;
    QFile::remove(path);
    return !belegt(path);
}

bool AlleDateienLoeschen(const QString &folder)
{
    if (TrimBlanks(folder).isEmpty())
        return true;
    bool ok = true;
    const QFileInfoList dateien = QDir(folder).entryInfoList(QDir::Files | QDir::NoDotAndDotDot);
    for (const QFileInfo &fi : dateien) {
        if (schreibgeschuetzt(fi) || !QFile::remove(fi.absoluteFilePath()))
            ok = false;
    }
    return ok;
}

bool InPapierkorb(TkelUiServices &ui, const QString &path)
{
    if (!DateiVorhanden(path, &ui))
        return false;
    if (!Frage(ui, QLatin1String("Soll die Datei\r") + path + QLatin1String("\rin den Papierkorb verschoben werden ?")))
        return false;
    // Qt 6.4 puts the trash below a data folder that it does not create itself, and then
    // may report a relative trash path for a file it did not really trash.
    QDir().mkpath(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
    QString imPapierkorb;
    bool ok = QFile::moveToTrash(path, &imPapierkorb);
    if (ok && QDir::isRelativePath(imPapierkorb)) {
        ok = false;
        const QString wohin = QDir::current().absoluteFilePath(imPapierkorb);
        if (!belegt(path) && belegt(wohin))
            QFile::rename(wohin, path);
    }
    if (!ok)
        Fehlermeldung(ui,
            QLatin1String("Die Datei\r") + path
                + QStringLiteral("\rkann nicht in den Papierkorb verschoben werden.\rSie wurde nicht gelöscht."));
    return ok;
}

bool DateiKopieren(const QString &quelle, const QString &ziel)
{
    if (TrimBlanks(ziel).isEmpty() || TrimBlanks(quelle).compare(TrimBlanks(ziel), Qt::CaseInsensitive) == 0)
        return false;
    const QFileInfo qi(quelle);
    // Only regular files: reading a pipe or a device could block or never end.
    if (quelle.isEmpty() || !qi.isFile())
        return false;
    const QFileInfo zi(ziel);
    if (zi.exists() && qi.canonicalFilePath() == zi.canonicalFilePath())
        return false;

    const QString nichtAngelegt = QLatin1String("Die Datei\r") + ziel + QLatin1String("\rkann nicht angelegt werden.");
    if (zi.isDir())
        throw TkelFehler(nichtAngelegt);
    if (zi.exists() && schreibgeschuetzt(zi))
        throw TkelFehler(QLatin1String("Die Datei\r") + ziel
            + QStringLiteral("\rist schreibgeschützt und kann nicht ersetzt werden."));

    QFile q(quelle);
    const QString nichtGelesen = QLatin1String("Die Datei\r") + quelle + QLatin1String("\rkann nicht gelesen werden.");
    if (!q.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        throw TkelFehler(mitGrund(nichtGelesen, q.errorString()));

    TempZiel temp(ziel);
    if (!temp.anlegen())
        throw TkelFehler(mitGrund(nichtAngelegt, temp.datei().errorString()));
    if (zi.exists())
        temp.datei().setPermissions(zi.permissions());

    const QString nichtGeschrieben
        = QLatin1String("Die Datei\r") + ziel + QLatin1String("\rkann nicht geschrieben werden.");
    constexpr qint64 stueck = 1 << 20;
    const std::unique_ptr<char[]> puffer(new char[stueck]);
    for (;;) {
        const qint64 n = q.read(puffer.get(), stueck);
        if (n < 0)
            throw TkelFehler(mitGrund(nichtGelesen, q.errorString()));
        if (n == 0)
            break;
        if (temp.datei().write(puffer.get(), n) != n)
            throw TkelFehler(mitGrund(nichtGeschrieben, temp.datei().errorString()));
    }
    const QDateTime zeit = ZweiSekundenZeit(qi.lastModified());
    if (zeit.isValid())
        temp.datei().setFileTime(zeit, QFileDevice::FileModificationTime);
    QString grund;
    if (!temp.einsetzen(grund))
        throw TkelFehler(mitGrund(nichtGeschrieben, grund));
    return true;
}

bool KopierenWennFehlt(const QString &quelle, const QString &ziel, bool ueberschreiben)
{
    if (!ueberschreiben && DateiVorhanden(ziel, nullptr))
        return false;
    return DateiKopieren(quelle, ziel);
}

bool KopierenWennNeuer(const QString &quelle, const QString &ziel)
{
    const QDateTime q = Dateidatum(quelle);
    if (!q.isValid())
        return false;
    const QDateTime z = Dateidatum(ziel);
    if (z.isValid() && q <= z)
        return false;
    return DateiKopieren(quelle, ziel);
}

bool QuelleNeuer(const QString &quelle, const QString &ziel)
{
    const QFileInfo zi(ziel);
    if (ziel.isEmpty() || !istDatei(zi))
        return true;
    const QFileInfo qi(quelle);
    if (quelle.isEmpty() || !istDatei(qi))
        return false;
    return qi.lastModified() > zi.lastModified();
}

QDateTime ZweiSekundenZeit(const QDateTime &zeit)
{
    if (!zeit.isValid())
        return QDateTime();
    qint64 ms = zeit.toMSecsSinceEpoch();
    qint64 rest = ms % 2000;
    if (rest < 0)
        rest += 2000;
    ms -= rest;
    return QDateTime::fromMSecsSinceEpoch(ms);
}

QDateTime Dateidatum(const QString &path)
{
    const QFileInfo fi(path);
    if (path.isEmpty() || !istDatei(fi))
        return QDateTime();
    return ZweiSekundenZeit(fi.lastModified());
}

void DateidatumSetzen(const QString &path, const QDateTime &zeit)
{
    if (!zeit.isValid() || !DateiVorhanden(path, nullptr))
        return;
    QFile f(path);
    if (f.open(QIODevice::ReadOnly))
        f.setFileTime(ZweiSekundenZeit(zeit), QFileDevice::FileModificationTime);
}

void DateidatumUebertragen(const QString &von, const QString &nach)
{
    if (DateiVorhanden(nach, nullptr))
        DateidatumSetzen(nach, Dateidatum(von));
}

QString FreierName(const QString &folder, const QString &basis, const QString &extension)
{
    const QString f = mitSchraegstrich(folder);
    const QString ext = mitPunkt(extension);
    if (!belegt(f + basis + ext))
        return basis;
    for (qint64 i = 1;; ++i) {
        const QString name = basis + QLatin1Char('_') + QString::number(i).rightJustified(4, QLatin1Char('0'));
        if (!belegt(f + name + ext))
            return name;
    }
}

QString FreierPfad(const QString &path)
{
    if (!belegt(path))
        return path;
    const QString folder = ordnerTeil(path);
    const QString datei = path.mid(folder.size());
    const int punkt = datei.lastIndexOf(QLatin1Char('.'));
    const QString basis = punkt >= 0 ? datei.left(punkt) : datei;
    const QString ext = punkt >= 0 ? datei.mid(punkt) : QString();
    return folder + FreierName(folder, basis, ext) + ext;
}

QString Pruefdateiname(const QString &folder, const QString &extension)
{
    const QString f = mitSchraegstrich(folder);
    const QString ext = mitPunkt(extension);
    for (qint64 i = 0;; ++i) {
        const QString name = QLatin1String("@kel") + QString::number(i).rightJustified(4, QLatin1Char('0'));
        if (!belegt(f + name + ext))
            return name;
    }
}

// ---- Special folders --------------------------------------------------------------------

QString TempOrdner()
{
    const QString t = QDir::tempPath();
    QDir().mkpath(t);
    return mitSchraegstrich(t);
}

static QString benutzerOrdner(QStandardPaths::StandardLocation art)
{
    const QString p = QStandardPaths::writableLocation(art);
    if (!p.isEmpty() && QFileInfo(p).isDir())
        return mitSchraegstrich(p);
    return mitSchraegstrich(QDir::homePath());
}

QString DokumenteOrdner()
{
    return benutzerOrdner(QStandardPaths::DocumentsLocation);
}

QString BilderOrdner()
{
    return benutzerOrdner(QStandardPaths::PicturesLocation);
}

QString ProgrammUnterordner(const QString &name)
{
    const QString p = DokumenteOrdner() + mitSchraegstrich(name);
    QDir().mkpath(p);
    return p;
}

QString ProgrammOrdner()
{
    if (!QCoreApplication::instance())
        return QString();
    return mitSchraegstrich(QCoreApplication::applicationDirPath());
}

void DatenOrdnerHinzufuegen(const QString &folder)
{
    const QString f = mitSchraegstrich(QDir::cleanPath(folder));
    if (!f.isEmpty() && !zusaetzlicheDatenOrdner().contains(f))
        zusaetzlicheDatenOrdner().append(f);
}

QString DatenOrdner(const QString &name)
{
    const QString programm = ProgrammOrdner();
    QStringList orte;
    orte << programm;
    orte << zusaetzlicheDatenOrdner();
    if (!programm.isEmpty())
        orte << mitSchraegstrich(QDir::cleanPath(programm + QLatin1String("../share/kelalbum")));
#ifdef KEL_INSTALL_PREFIX
    orte << QStringLiteral(KEL_INSTALL_PREFIX "/share/kelalbum/");
#endif
    for (const QString &ort : std::as_const(orte)) {
        const QFileInfo fi(ort + name);
        if (fi.isDir())
            return mitSchraegstrich(fi.filePath());
        if (fi.exists())
            return fi.filePath();
    }
    return programm + name;
}

// ---- Dialogs ----------------------------------------------------------------------------

bool VerzeichnisWaehlen(TkelUiServices &ui, QString &folder)
{
    QString f = folder;
    if (!ui.verzeichnisWaehlen(QStringLiteral("Verzeichnis wählen"), f))
        return false;
    folder = mitSchraegstrich(f);
    return true;
}

static bool dateiDialog(TkelUiServices &ui, bool speichern, const QString &titel, const QString &maske, QString &path)
{
    QString filter = maske;
    if (filter.startsWith(QLatin1Char('.')))
        filter.prepend(QLatin1Char('*'));
    QString suffix;
    const int punkt = filter.lastIndexOf(QLatin1Char('.'));
    if (punkt >= 0) {
        suffix = filter.mid(punkt + 1);
        if (suffix.contains(QLatin1Char('*')) || suffix.contains(QLatin1Char('?')))
            suffix.clear();
    }
    QString p = path;
    const bool ok = speichern ? ui.dateiSpeichern(titel, filter, suffix, p) : ui.dateiOeffnen(titel, filter, suffix, p);
    if (ok)
        path = p;
    return ok;
}

bool DateiOeffnenDialog(TkelUiServices &ui, const QString &titel, const QString &maske, QString &path)
{
    return dateiDialog(ui, false, titel, maske, path);
}

bool DateiSpeichernDialog(TkelUiServices &ui, const QString &titel, const QString &maske, QString &path)
{
    return dateiDialog(ui, true, titel, maske, path);
}

// ---- Processes --------------------------------------------------------------------------

bool Ausfuehren(
    const QString &programm, const QStringList &parameter, const QString &folder, TkelUiServices *meldung, int *code)
{
    int ergebnis = 3;
    if (!programm.isEmpty()) {
        QProcess p;
        // The tool writes to our own terminal, as it would in a console of its own.
        p.setProcessChannelMode(QProcess::ForwardedChannels);
        p.start(programm, parameter);
        if (p.waitForStarted(-1)) {
            p.closeWriteChannel();
            p.waitForFinished(-1);
            ergebnis = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
        }
    }
    if (code)
        *code = ergebnis;
    const bool ok = ergebnis == 0 || ergebnis > 32;
    if (!ok && meldung)
        MeldungFmt(*meldung,
            QStringLiteral("Bei der Ausführung von \r%s\r%s\r%s\rist folgender Fehler aufgetreten :\r%s"),
            { programm, parameter.join(QLatin1Char(' ')), folder, Ausfuehrungsfehlertext(ergebnis) });
    return ok;
}

QString Ausfuehrungsfehlertext(int code)
{
    switch (code) {
    case 0:
    case 42:
        return QString();
    case 2:
        return QStringLiteral("Datei nicht gefunden.");
    case 3:
        return QStringLiteral("Das angegebene Verzeichnis/Datei existiert nicht.");
    case 5:
        return QStringLiteral("The operating system denied access to the specified file.");
    case 8:
        return QStringLiteral("Windows 95 only: There was not enough memory to complete the operation.");
    case 11:
        return QStringLiteral("The .EXE file is invalid (non-Win32 .EXE or error in .EXE image).");
    case 26:
        return QStringLiteral("A sharing violation occurred.");
    case 27:
        return QStringLiteral("The filename association is incomplete or invalid.");
    case 28:
        return QStringLiteral("The DDE transaction could not be completed because the request timed out.");
    case 29:
        return QStringLiteral("The DDE transaction failed.");
    case 30:
        return QStringLiteral(
            "The DDE transaction could not be completed because other DDE transactions were being processed.");
    case 31:
        return QStringLiteral("There is no application associated with the given filename extension.");
    case 32:
        return QStringLiteral("The specified dynamic-link library was not found.");
    default:
        return QLatin1String("Unbekannter Fehler (") + QString::number(code) + QLatin1Char(')');
    }
}

// ---- Clipboard --------------------------------------------------------------------------

void ZwischenablageText(TkelUiServices &ui, const QString &text)
{
    ui.setClipboardText(text);
}

void ListeInZwischenablage(TkelUiServices &ui, const QStringList &liste)
{
    QString text;
    for (const QString &zeile : liste)
        text += zeile + QLatin1String("\r\n");
    ui.setClipboardText(text);
}

// ---- Busy indication --------------------------------------------------------------------

void WartenBeginn(TkelUiServices &ui, const QString &text)
{
    ui.setHinweis(text.isEmpty() ? QStringLiteral("Bitte warten ...") : text);
    if (s_wartenTiefe == 0)
        ui.setWarteCursor(true);
    ++s_wartenTiefe;
    ui.ereignisseVerarbeiten();
}

void WartenEnde(TkelUiServices &ui)
{
    // An unmatched end must not take away a cursor that nobody set.
    if (s_wartenTiefe > 0) {
        --s_wartenTiefe;
        if (s_wartenTiefe == 0)
            ui.setWarteCursor(false);
    }
    ui.setHinweis(QString());
    ui.ereignisseVerarbeiten();
}

void HinweisSetzen(TkelUiServices &ui, const QString &text)
{
    ui.setHinweis(text);
    ui.ereignisseVerarbeiten();
}

int WartenTiefe()
{
    return s_wartenTiefe;
}
