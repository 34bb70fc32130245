#include "framework/ke7_error.h"
#include "framework/pex_ini.h"
#include "tests/common/kel_test.h"

#include <QTemporaryDir>

#include <csignal>
#include <functional>
#include <memory>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

enum class Op { Schreiben, Loeschen, Erase };

// Stands for "no file" in the tables.
const QByteArray kFehlt("<fehlt>");

// Readable notation of the ini rule sheet: ⏎ = CR LF, ↵ = LF. The text is stored as
// Windows-1252 (only Latin-1 characters are used) ...
QByteArray B(const char *utf8)
{
    QString s = QString::fromUtf8(utf8);
    s.replace(QStringLiteral("⏎"), QStringLiteral("\r\n")).replace(QStringLiteral("↵"), QStringLiteral("\n"));
    return s.toLatin1();
}

// ... or as UTF-16LE with BOM.
QByteArray U(const QString &text)
{
    QString s = text;
    s.replace(QStringLiteral("⏎"), QStringLiteral("\r\n")).replace(QStringLiteral("↵"), QStringLiteral("\n"));
    QByteArray b("\xFF\xFE", 2);
    for (const QChar c : s) {
        b.append(char(c.unicode() & 0xFF));
        b.append(char(c.unicode() >> 8));
    }
    return b;
}
QByteArray U(const char *utf8)
{
    return U(QString::fromUtf8(utf8));
}

QByteArray dateiLesen(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return kFehlt;
    return f.readAll();
}

void dateiSchreiben(const QString &path, const QByteArray &inhalt)
{
    QFile f(path);
    QVERIFY2(f.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(path));
    QCOMPARE(f.write(inhalt), qint64(inhalt.size()));
}

QStringList eintraege(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

QDateTime mtime(const QString &path)
{
    return QFileInfo(path).fileTime(QFileDevice::FileModificationTime);
}

void alteZeitSetzen(const QString &path)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QVERIFY(f.setFileTime(QDateTime(QDate(2001, 2, 3), QTime(4, 5, 6)), QFileDevice::FileModificationTime));
}

void schreibschutz(const QString &path)
{
    QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther));
}

QString fehlerText(const std::function<void()> &aufruf)
{
    try {
        aufruf();
    } catch (const TkelFehler &e) {
        return e.text();
    }
    return QStringLiteral("<kein Fehler>");
}

// Pseudo-random bytes, the same on every run.
QByteArray zufall(int n, quint32 saat)
{
    QByteArray b(n, Qt::Uninitialized);
    for (int i = 0; i < n; ++i) {
        saat = saat * 1103515245u + 12345u;
        b[i] = char(saat >> 16);
    }
    return b;
}

} // namespace

class IniTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_tmp;
    QString d; // the test's folder, with '/'
    QString pfad; // the ini file in it

private slots:
    void init()
    {
        m_tmp = std::make_unique<QTemporaryDir>();
        QVERIFY(m_tmp->isValid());
        d = m_tmp->path() + QLatin1Char('/');
        pfad = d + QLatin1String("t.ini");
    }

    // ---- Reading --------------------------------------------------------------------------

    void lesen_data()
    {
        QTest::addColumn<QByteArray>("inhalt");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("def");
        QTest::addColumn<QString>("erwartet");
        const QString D = QStringLiteral("D");

        QTest::newRow("nur CR") << QByteArray("[s]\ra=1\r") << "s"
                                << "a" << D << "1";
        QTest::newRow("nur LF") << B("[s]↵a=1↵") << "s"
                                << "a" << D << "1";
        QTest::newRow("gemischt") << QByteArray("[s]\r\na=1\rb=2\nc=3") << "s"
                                  << "c" << D << "3";
        QTest::newRow("leerraum") << B("\t[s]⏎ \v a = 1 \t⏎") << "s"
                                  << "a" << D << "1";
        QTest::newRow("ff und 1a") << QByteArray("[s]\r\n\f\x1a a=1 \x1a\r\n") << "s"
                                   << "a" << D << "1";
        QTest::newRow("kopf getrimmt") << B("[ Foto ]x=1⏎a=2⏎") << "Foto"
                                       << "a" << D << "2";
        QTest::newRow("text nach ]") << B("[ Foto ]x=1⏎a=2⏎") << "Foto"
                                     << "x" << D << "D";
        QTest::newRow("erste ]") << B("[a]b]⏎k=1⏎") << "a"
                                 << "k" << D << "1";
        QTest::newRow("ohne ]") << B("[s⏎k=1⏎") << "s"
                                << "k" << D << "1";
        QTest::newRow("kommentar") << B("[s]⏎ ;a=1⏎b=x ;y⏎") << "s"
                                   << "a" << D << "D";
        QTest::newRow("; im wert") << B("[s]⏎ ;a=1⏎b=x ;y⏎") << "s"
                                   << "b" << D << "x ;y";
        QTest::newRow("# kein kommentar") << B("[s]⏎#a=1⏎") << "s"
                                          << "#a" << D << "1";
        QTest::newRow("= und [ im wert") << B("[s]⏎  k  =  a=b [x] ⏎") << "s"
                                         << "k" << D << "a=b [x]";
        QTest::newRow("zeile ohne =") << B("[s]⏎n⏎") << "s"
                                      << "n" << D << "D";
        QTest::newRow("ohne = dann schluessel") << B("[s]⏎k⏎k=1⏎") << "s"
                                                << "k" << D << "1";
        QTest::newRow("vor erster sektion") << B("k=1⏎[s]⏎") << ""
                                            << "k" << D << "D";
        QTest::newRow("leere sektion []") << B("[]⏎k=1⏎") << ""
                                          << "k" << D << "1";
        QTest::newRow("leerer schluessel") << B("[s]⏎=x⏎") << "s"
                                           << "" << D << "D";
        QTest::newRow("umlaute ohne gross/klein") << B("[Bäder]⏎Öl=1⏎") << "BÄDER"
                                                  << "öl" << D << "1";
        QTest::newRow("ß ist nicht SS") << B("[s]⏎ß=1⏎") << "s"
                                        << "SS" << D << "D";
        QTest::newRow("namen ohne leerzeichen") << B("[s]⏎k=1⏎") << " s "
                                                << " k " << D << "1";
        QTest::newRow("tab bleibt im namen") << B("[s]⏎k=1⏎") << "s"
                                             << "k\t" << D << "D";
        QTest::newRow("doppelte sektion") << B("[s]⏎[s]⏎k=1⏎") << "s"
                                          << "k" << D << "D";
        QTest::newRow("erste sektion") << B("[S]⏎k=1⏎[s]⏎k=2⏎") << "s"
                                       << "k" << D << "1";
        QTest::newRow("erster schluessel") << B("[s]⏎k=1⏎k=2⏎") << "s"
                                           << "k" << D << "1";
        QTest::newRow("leerer wert") << B("[s]⏎k=⏎") << "s"
                                     << "k" << D << "";
        QTest::newRow("anfuehrung") << B("[s]⏎k=  \" a \"  ⏎") << "s"
                                    << "k" << D << " a ";
        QTest::newRow("eine anfuehrung") << B("[s]⏎k='\"x\"'⏎") << "s"
                                         << "k" << D << "\"x\"";
        QTest::newRow("ungleiche anfuehrung") << B("[s]⏎k=\"x'⏎") << "s"
                                              << "k" << D << "\"x'";
        QTest::newRow("leere anfuehrung") << B("[s]⏎k=\"\"⏎") << "s"
                                          << "k" << D << "";
        QTest::newRow("einzelnes zeichen") << B("[s]⏎k=\"⏎") << "s"
                                           << "k" << D << "\"";
        QTest::newRow("2047") << B("[s]⏎k=") + QByteArray(3000, 'x') << "s"
                              << "k" << D << QString(2047, u'x');
        QTest::newRow("2047 ohne anfuehrung") << B("[s]⏎k=\"") + QByteArray(2047, 'x') + "y\""
                                              << "s"
                                              << "k" << D << QString(2047, u'x');
        QTest::newRow("keine datei") << kFehlt << "s"
                                     << "k"
                                     << "ab  "
                                     << "ab";
        QTest::newRow("vorgabe links") << kFehlt << "s"
                                       << "k"
                                       << " ab"
                                       << " ab";
        QTest::newRow("vorgabe null") << kFehlt << "s"
                                      << "k" << QString() << "";
        QTest::newRow("utf-8 bom kein kopf") << QByteArray("\xEF\xBB\xBF") + B("[s]⏎k=1⏎[t]⏎j=2⏎") << "s"
                                             << "k" << D << "D";
        QTest::newRow("utf-8 bom zweite") << QByteArray("\xEF\xBB\xBF") + B("[s]⏎k=1⏎[t]⏎j=2⏎") << "t"
                                          << "j" << D << "2";
        QTest::newRow("utf-8 bytes als 1252") << QByteArray("[s]\r\nk=\xC3\xA4\x80\r\n") << "s"
                                              << "k" << D << QString::fromUtf8("Ã¤€");
        QTest::newRow("nul") << QByteArray("[s]\r\nk=a\0b\r\n", 12) << "s"
                             << "k" << D << QString::fromUtf8("a\0b", 3);
        QTest::newRow("utf-16") << U("[Čapek]⏎漢=Ørsted 😀⏎") << "čapek"
                                << "漢" << D << QString::fromUtf8("Ørsted 😀");
        QTest::newRow("utf-16 nur LF") << U("[s]↵k=1↵") << "s"
                                       << "k" << D << "1";
        QTest::newRow("utf-16 be ist 1252") << QByteArray("\xFE\xFF\0[\0s\0]\0\r\0\n\0k\0=\0001", 20) << "s"
                                            << "k" << D << "D";
        QTest::newRow("nur bom") << QByteArray("\xFF\xFE") << "s"
                                 << "k" << D << "D";
        QTest::newRow("ungerade utf-16") << U("[s]⏎k=1") + "2"
                                         << "s"
                                         << "k" << D << "12";
    }
    void lesen()
    {
        QFETCH(QByteArray, inhalt);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, def);
        QFETCH(QString, erwartet);
        if (inhalt != kFehlt)
            dateiSchreiben(pfad, inhalt);
        QCOMPARE(PexIni::lesen(pfad, section, key, def), erwartet);
        const QString nichts = QStringLiteral("<nichts>");
        QCOMPARE(PexIni::schluesselVorhanden(pfad, section, key), PexIni::lesen(pfad, section, key, nichts) != nichts);
        QCOMPARE(TpexIniFile(pfad).readString(section, key, def), erwartet);
    }

    void listen_data()
    {
        QTest::addColumn<QByteArray>("inhalt");
        QTest::addColumn<QString>("section"); // null: the section names
        QTest::addColumn<QStringList>("erwartet");
        QTest::newRow("schluessel") << B("[s]⏎a=1⏎;c=2⏎n⏎A=3⏎") << "s" << QStringList { "a", "A" };
        QTest::newRow("erste sektion") << B("[s]⏎a=1⏎[t]⏎u=1⏎[S]⏎b=1⏎") << "S" << QStringList { "a" };
        QTest::newRow("ohne leere schluessel") << B("[s]⏎=x⏎ k\t=1⏎") << "s" << QStringList { "k" };
        QTest::newRow("doppelte schluessel") << B("[s]⏎k=1⏎K=2⏎") << "s" << QStringList { "k", "K" };
        QTest::newRow("sektion fehlt") << B("[s]⏎a=1⏎") << "t" << QStringList {};
        QTest::newRow("datei fehlt") << kFehlt << "t" << QStringList {};
        QTest::newRow("sektionen") << B("[A]⏎[ b ]⏎[a]⏎") << QString() << QStringList { "A", "b", "a" };
        QTest::newRow("sektionen utf-8 bom")
            << QByteArray("\xEF\xBB\xBF") + B("[s]⏎k=1⏎[t]⏎j=2⏎") << QString() << QStringList { "t" };
        QTest::newRow("sektionen mit vorspann")
            << B("a=1⏎[s]⏎ [ t⏎;[u]⏎[]⏎") << QString() << QStringList { "s", "t", "" };
        QTest::newRow("keine sektionen") << kFehlt << QString() << QStringList {};
    }
    void listen()
    {
        QFETCH(QByteArray, inhalt);
        QFETCH(QString, section);
        QFETCH(QStringList, erwartet);
        if (inhalt != kFehlt)
            dateiSchreiben(pfad, inhalt);
        const TpexIniFile ini(pfad);
        if (section.isNull()) {
            QCOMPARE(PexIni::sektionen(pfad), erwartet);
            QCOMPARE(ini.readSections(), erwartet);
            for (const QString &s : erwartet)
                QVERIFY(PexIni::sektionVorhanden(pfad, s) && ini.sectionExists(s));
        } else {
            QCOMPARE(PexIni::schluessel(pfad, section), erwartet);
            QCOMPARE(ini.readSection(section), erwartet);
            for (const QString &k : erwartet)
                QVERIFY(PexIni::schluesselVorhanden(pfad, section, k) && ini.valueExists(section, k));
        }
    }

    void vorhanden()
    {
        dateiSchreiben(pfad, B("[leer]⏎[s]⏎n⏎;k=1⏎"));
        QVERIFY(PexIni::sektionVorhanden(pfad, QStringLiteral(" LEER ")));
        QVERIFY(!PexIni::sektionVorhanden(pfad, QStringLiteral("t")));
        QVERIFY(!PexIni::schluesselVorhanden(pfad, QStringLiteral("s"), QStringLiteral("n")));
        QVERIFY(!PexIni::schluesselVorhanden(pfad, QStringLiteral("s"), QStringLiteral(";k")));
        QVERIFY(!PexIni::sektionVorhanden(d + QLatin1String("fehlt.ini"), QStringLiteral("s")));
    }

    // ---- Writing --------------------------------------------------------------------------

    void schreiben_data()
    {
        QTest::addColumn<QByteArray>("inhalt");
        QTest::addColumn<int>("op");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QByteArray>("nachher");
        const int W = int(Op::Schreiben);
        const int L = int(Op::Loeschen);
        const int E = int(Op::Erase);

        QTest::newRow("neue datei") << kFehlt << W << "s"
                                    << "k"
                                    << "v" << true << B("[s]⏎k=v⏎");
        QTest::newRow("namen ohne leerzeichen") << kFehlt << W << " t "
                                                << " k "
                                                << "v" << true << B("[t]⏎k=v⏎");
        QTest::newRow("schreibweise bleibt") << B("[s]⏎k=a") << W << "s"
                                             << "K"
                                             << "b" << true << B("[s]⏎k=b⏎");
        QTest::newRow("einzug bleibt") << B("[s]⏎  Key = 1 ↵x=2↵") << W << "S"
                                       << "key"
                                       << "9" << true << B("[s]⏎  Key =9⏎x=2↵");
        QTest::newRow("wert wie gegeben") << B("[s]⏎") << W << "s"
                                          << "k"
                                          << " x " << true << B("[s]⏎k= x ⏎");
        QTest::newRow("nichts maskiert") << B("[s]⏎") << W << "s"
                                         << "k"
                                         << "\"a;b#c=d" << true << B("[s]⏎k=\"a;b#c=d⏎");
        QTest::newRow("wert mit LF") << B("[s]⏎") << W << "s"
                                     << "k"
                                     << "a\nb" << false << B("[s]⏎");
        QTest::newRow("wert mit CR") << B("[s]⏎k=1⏎") << W << "s"
                                     << "k"
                                     << "a\rb" << false << B("[s]⏎k=1⏎");
        QTest::newRow("nach letztem eintrag") << B("[s]⏎a=1⏎;c⏎⏎[t]⏎") << W << "s"
                                              << "b"
                                              << "2" << true << B("[s]⏎a=1⏎b=2⏎;c⏎⏎[t]⏎");
        QTest::newRow("nach kopf") << B("[s]⏎;c⏎[t]⏎") << W << "s"
                                   << "b"
                                   << "2" << true << B("[s]⏎b=2⏎;c⏎[t]⏎");
        QTest::newRow("nach zeile ohne =") << B("[s]⏎n⏎⏎") << W << "s"
                                           << "b"
                                           << "2" << true << B("[s]⏎n⏎b=2⏎⏎");
        QTest::newRow("eintrag am dateiende") << B("[s]⏎a=1") << W << "s"
                                              << "b"
                                              << "2" << true << B("[s]⏎a=1⏎b=2⏎");
        QTest::newRow("kopf am dateiende") << B("[s]") << W << "s"
                                           << "b"
                                           << "2" << true << B("[s]⏎b=2⏎");
        QTest::newRow("nach CR") << QByteArray("[s]\ra=1\r") << W << "s"
                                 << "b"
                                 << "2" << true << QByteArray("[s]\ra=1\rb=2\r\n");
        QTest::newRow("erste von zwei sektionen") << B("[s]⏎[s]⏎") << W << "S"
                                                  << "k"
                                                  << "1" << true << B("[s]⏎k=1⏎[s]⏎");
        QTest::newRow("neue sektion") << B("[a]⏎x=1") << W << "b"
                                      << "k"
                                      << "v" << true << B("[a]⏎x=1⏎[b]⏎k=v⏎");
        QTest::newRow("neue sektion nach LF") << B("[a]↵") << W << "b"
                                              << "k"
                                              << "v" << true << B("[a]↵[b]⏎k=v⏎");
        QTest::newRow("neue sektion nach kommentar") << B("[a]⏎;c⏎") << W << "b"
                                                     << "k"
                                                     << "v" << true << B("[a]⏎;c⏎[b]⏎k=v⏎");
        QTest::newRow("leere datei") << QByteArray("") << W << "b"
                                     << "k"
                                     << "v" << true << B("[b]⏎k=v⏎");
        QTest::newRow("vorspann bleibt") << B("x=1⏎") << W << "s"
                                         << "k"
                                         << "v" << true << B("x=1⏎[s]⏎k=v⏎");
        QTest::newRow("nul bleibt") << QByteArray("a\0=1\r\n[s]\r\n;\0\r\n", 15) << W << "s"
                                    << "k"
                                    << "v" << true << QByteArray("a\0=1\r\n[s]\r\nk=v\r\n;\0\r\n", 20);
        QTest::newRow("leerer schluessel") << B("[s]⏎") << W << "s"
                                           << ""
                                           << "v" << false << B("[s]⏎");
        QTest::newRow("nur leerzeichen") << B("[s]⏎") << W << "s"
                                         << "  "
                                         << "v" << false << B("[s]⏎");
        QTest::newRow("schluessel mit =") << B("[s]⏎") << W << "s"
                                          << "a=b"
                                          << "v" << false << B("[s]⏎");
        QTest::newRow("schluessel mit ;") << B("[s]⏎") << W << "s"
                                          << ";k"
                                          << "v" << false << B("[s]⏎");
        QTest::newRow("schluessel mit [") << B("[s]⏎") << W << "s"
                                          << "[k"
                                          << "v" << false << B("[s]⏎");
        QTest::newRow("schluessel tab ;") << B("[s]⏎") << W << "s"
                                          << "\t;k"
                                          << "v" << false << B("[s]⏎");
        QTest::newRow("schluessel mit tab") << B("[s]⏎") << W << "s"
                                            << "k\t"
                                            << "v" << false << B("[s]⏎");
        QTest::newRow("schluessel mit LF") << B("[s]⏎") << W << "s"
                                           << "k\nj"
                                           << "v" << false << B("[s]⏎");
        QTest::newRow("sektion mit ]") << B("[s]⏎") << W << "a]b"
                                       << "k"
                                       << "v" << false << B("[s]⏎");
        QTest::newRow("sektion mit CR") << B("[s]⏎") << W << "a\rb"
                                        << "k"
                                        << "v" << false << B("[s]⏎");
        QTest::newRow("sektion mit tab") << kFehlt << W << "\ts"
                                         << "k"
                                         << "v" << false << kFehlt;
        QTest::newRow("leere sektion") << kFehlt << W << ""
                                       << "k"
                                       << "v" << true << B("[]⏎k=v⏎");
        QTest::newRow("sektion mit [") << kFehlt << W << "[x"
                                       << "k]"
                                       << "v" << true << B("[[x]⏎k]=v⏎");
        QTest::newRow("gleicher wert") << B("[s]⏎k=1↵") << W << "s"
                                       << "K"
                                       << "1" << true << B("[s]⏎k=1↵");
        QTest::newRow("nur gross/klein") << B("[s]⏎k=a⏎") << W << "s"
                                         << "k"
                                         << "A" << true << B("[s]⏎k=A⏎");
        QTest::newRow("leerzeichen nach =") << B("[s]⏎k = 1⏎") << W << "s"
                                            << "k"
                                            << "1" << true << B("[s]⏎k =1⏎");
        QTest::newRow("nur bom") << QByteArray("\xFF\xFE") << W << "s"
                                 << "k"
                                 << "v" << true << U("⏎[s]⏎k=v⏎");
        QTest::newRow("utf-16 wert") << U("[s]⏎k=1⏎") << W << "s"
                                     << "k"
                                     << "Ł" << true << U("[s]⏎k=Ł⏎");
        QTest::newRow("utf-16 ungerade") << U("[a]⏎") + "x" << W << "b"
                                         << "k"
                                         << "v" << true << U("[a]⏎x⏎[b]⏎k=v⏎");
        QTest::newRow("utf-16 neue sektion") << U("[a]↵x=1↵") << W << "漢"
                                             << "k"
                                             << "v" << true << U("[a]↵x=1↵[漢]⏎k=v⏎");
        QTest::newRow("verlustfrei") << QByteArray("[s]\r\nk=\xE4\r\n;\x80\x81\r\n") << W << "s"
                                     << "j"
                                     << "Čapek 漢" << true << U("[s]⏎k=ä⏎j=Čapek 漢⏎;€\u0081⏎");
        QTest::newRow("verlustfrei sektion") << B("[s]↵") << W << "Łódź"
                                             << "k"
                                             << "v" << true << U("[s]↵[Łódź]⏎k=v⏎");
        QTest::newRow("verlustfrei neu") << kFehlt << W << "s"
                                         << "k"
                                         << "ł" << true << U("[s]⏎k=ł⏎");
        QTest::newRow("cp1252 bleibt") << kFehlt << W << "s"
                                       << "k"
                                       << "€‚ƒ„…†‡ˆ‰Š‹ŒŽ‘’“”•–—˜™š›œžŸ ÿ" << true
                                       << QByteArray(
                                              "[s]\r\nk=\x80\x82\x83\x84\x85\x86\x87\x88\x89\x8A\x8B\x8C\x8E"
                                              "\x91\x92\x93\x94\x95\x96\x97\x98\x99\x9A\x9B\x9C\x9E\x9F \xFF\r\n");

        QTest::newRow("loeschen") << B("[s]⏎k=1⏎") << L << "S"
                                  << "K"
                                  << "" << true << B("[s]⏎");
        QTest::newRow("loeschen nur erster") << B("[s]⏎;k=0⏎k=1⏎j=2⏎k=3") << L << "s"
                                             << "k"
                                             << "" << true << B("[s]⏎;k=0⏎j=2⏎k=3");
        QTest::newRow("loeschen letzte zeile") << B("[s]⏎j=2⏎k=1") << L << "s"
                                               << "k"
                                               << "" << true << B("[s]⏎j=2⏎");
        QTest::newRow("loeschen zweite sektion nicht") << B("[s]⏎[s]⏎k=1⏎") << L << "s"
                                                       << "k"
                                                       << "" << true << B("[s]⏎[s]⏎k=1⏎");
        QTest::newRow("loeschen zeile ohne =") << B("[s]⏎k⏎") << L << "s"
                                               << "k"
                                               << "" << true << B("[s]⏎k⏎");
        QTest::newRow("loeschen sektion fehlt") << B("[s]⏎k=1⏎") << L << "t"
                                                << "k"
                                                << "" << true << B("[s]⏎k=1⏎");
        QTest::newRow("loeschen datei fehlt") << kFehlt << L << "s"
                                              << "k"
                                              << "" << true << kFehlt;
        QTest::newRow("loeschen utf-16") << U("[s]⏎k=1⏎j=2⏎") << L << "s"
                                         << "k"
                                         << "" << true << U("[s]⏎j=2⏎");

        QTest::newRow("erase") << B(";0⏎[s]⏎;1⏎a=1⏎⏎[t]⏎;2⏎") << E << "s"
                               << ""
                               << "" << true << B(";0⏎;1⏎[t]⏎;2⏎");
        QTest::newRow("erase erste") << B("[s]⏎a=1⏎[t]⏎[S]⏎b=1⏎") << E << " s "
                                     << ""
                                     << "" << true << B("[t]⏎[S]⏎b=1⏎");
        QTest::newRow("erase am ende") << B("[a]⏎[s]⏎n⏎k=1") << E << "s"
                                       << ""
                                       << "" << true << B("[a]⏎");
        QTest::newRow("erase sektion fehlt") << B("[a]⏎") << E << "s"
                                             << ""
                                             << "" << true << B("[a]⏎");
        QTest::newRow("erase datei fehlt") << kFehlt << E << "s"
                                           << ""
                                           << "" << true << kFehlt;
        QTest::newRow("erase utf-16") << U("[s]⏎k=1⏎[t]⏎") << E << "s"
                                      << ""
                                      << "" << true << U("[t]⏎");
    }
    void schreiben()
    {
        QFETCH(QByteArray, inhalt);
        QFETCH(int, op);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(bool, ok);
        QFETCH(QByteArray, nachher);
        if (inhalt != kFehlt)
            dateiSchreiben(pfad, inhalt);
        bool ergebnis = false;
        switch (Op(op)) {
        case Op::Schreiben:
            ergebnis = PexIni::schreiben(pfad, section, key, value);
            break;
        case Op::Loeschen:
            ergebnis = PexIni::schluesselLoeschen(pfad, section, key);
            break;
        case Op::Erase:
            ergebnis = PexIni::sektionLoeschen(pfad, section);
            break;
        }
        QCOMPARE(ergebnis, ok);
        QCOMPARE(dateiLesen(pfad), nachher);
        // No temporary file is left behind.
        QCOMPARE(eintraege(d), nachher == kFehlt ? QStringList() : QStringList { "t.ini" });
    }

    // Several writes in one go give exactly the bytes of the same writes one by one, on the
    // path that appends new sections as well as on the general one.
    void mehrereWieEinzeln_data()
    {
        QTest::addColumn<QByteArray>("inhalt");
        QTest::addColumn<QStringList>("schritte"); // section|key|value
        QTest::newRow("neue datei") << kFehlt << QStringList { "a|TITELNAME|1", "b|TITELNAME|2", "A|titelname|3" };
        QTest::newRow("neue sektionen, offenes ende")
            << QByteArray("[x]\r\nk=1") << QStringList { "y|k|2", " y |K|3", "z|j|4", "Y|m|5" };
        QTest::newRow("vorhandene sektion") << QByteArray("[2012]\r\n;c\r\na=1\r\n\r\n[2013]\r\nb=2\r\n")
                                            << QStringList { "2012|c|3", "2013|b|4", "2014|d|5", "2012|a|6" };
        QTest::newRow("ausserhalb 1252") << QByteArray("[x]\r\n") << QStringList { "neu|k|Čapek", "neu2|k|x" };
        QTest::newRow("nur bom") << QByteArray("\xFF\xFE") << QStringList { "s|k|v", "t|k|w" };
        QTest::newRow("leer") << QByteArray("") << QStringList {};
    }
    void mehrereWieEinzeln()
    {
        QFETCH(QByteArray, inhalt);
        QFETCH(QStringList, schritte);
        QList<PexIni::Eintrag> eintraege;
        for (const QString &schritt : std::as_const(schritte)) {
            const QStringList t = schritt.split(QLatin1Char('|'));
            eintraege.append({ t[0], t[1], t[2] });
        }
        const QString einzeln = d + QLatin1String("einzeln.ini");
        if (inhalt != kFehlt) {
            dateiSchreiben(pfad, inhalt);
            dateiSchreiben(einzeln, inhalt);
        }
        for (const PexIni::Eintrag &e : std::as_const(eintraege))
            QVERIFY(PexIni::schreiben(einzeln, e.section, e.key, e.wert));
        QVERIFY(PexIni::schreibenMehrere(pfad, eintraege));
        QCOMPARE(dateiLesen(pfad), dateiLesen(einzeln));

        // One refused name refuses the whole batch and leaves the file as it was.
        const QByteArray vorher = dateiLesen(pfad);
        eintraege.append({ QStringLiteral("neu]"), QStringLiteral("k"), QStringLiteral("v") });
        QVERIFY(!PexIni::schreibenMehrere(pfad, eintraege));
        QCOMPARE(dateiLesen(pfad), vorher);
    }

    void alleWerte()
    {
        dateiSchreiben(pfad, "[a]\r\nT=1\r\n[b]\r\nx=2\r\n[A]\r\nT=3\r\n[c]\r\nt=\" q \"\r\n");
        const QList<PexIni::Eintrag> w = PexIni::alleWerte(pfad, QStringLiteral("t"));
        QStringList text;
        for (const PexIni::Eintrag &e : w)
            text.append(e.section + QLatin1Char('=') + e.wert);
        QCOMPARE(text, (QStringList { "a=1", "b=", "A=1", "c= q " }));
        QVERIFY(PexIni::alleWerte(d + QLatin1String("fehlt.ini"), QStringLiteral("t")).isEmpty());
    }

    void geschriebenWirdGelesen_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("gelesen");
        QTest::newRow("einfach") << "Urlaub an der Ostsee"
                                 << "Urlaub an der Ostsee";
        QTest::newRow("leerraum") << " x\t"
                                  << "x";
        QTest::newRow("anfuehrung") << "' a '"
                                    << " a ";
        QTest::newRow("leer") << ""
                              << "";
        QTest::newRow("emoji") << "Foto 😀"
                               << "Foto 😀";
        QTest::newRow("lang") << QString(3000, u'Ž') << QString(2047, u'Ž');
        QTest::newRow("paar an der grenze") << QString(2046, u'x') + QString::fromUtf8("😀") << QString(2046, u'x');
    }
    void geschriebenWirdGelesen()
    {
        QFETCH(QString, value);
        QFETCH(QString, gelesen);
        dateiSchreiben(pfad, B("[TITEL]⏎TITELNAME=alt⏎"));
        QVERIFY(PexIni::schreiben(pfad, QStringLiteral("titel"), QStringLiteral("titelname"), value));
        QCOMPARE(PexIni::lesen(pfad, QStringLiteral("TITEL"), QStringLiteral("TITELNAME")), gelesen);
    }

    // ---- Encoding -------------------------------------------------------------------------

    void cp1252()
    {
        QByteArray alle;
        for (int i = 0; i < 256; ++i)
            alle.append(char(i));
        const QString text = PexIni::vonCp1252(alle);
        QCOMPARE(text.size(), 256);
        QCOMPARE(text[0x00], QChar(0x0000));
        QCOMPARE(text[0x80], QChar(0x20AC));
        QCOMPARE(text[0x81], QChar(0x0081));
        QCOMPARE(text[0x8D], QChar(0x008D));
        QCOMPARE(text[0x8E], QChar(0x017D));
        QCOMPARE(text[0x9F], QChar(0x0178));
        QCOMPARE(text[0xA0], QChar(0x00A0));
        QCOMPARE(text[0xFF], QChar(0x00FF));
        bool ok = false;
        QCOMPARE(PexIni::nachCp1252(text, &ok), alle);
        QVERIFY(ok);
        QVERIFY(PexIni::inCp1252(text));

        for (const int fremd : { 0x0080, 0x0082, 0x010C, 0x6F22, 0xD83D, 0xFFFD }) {
            const QString s { QChar(char16_t(fremd)) };
            QVERIFY(!PexIni::inCp1252(s));
            PexIni::nachCp1252(s, &ok);
            QVERIFY(!ok);
        }

        // All 256 bytes before the first section stay as they are through an edit in place,
        // and through the change to UTF-16 the text is the same.
        const QByteArray rest = B("⏎[s]⏎k=1⏎");
        dateiSchreiben(pfad, alle + rest);
        QVERIFY(PexIni::schreiben(pfad, QStringLiteral("s"), QStringLiteral("j"), QStringLiteral("x")));
        QCOMPARE(dateiLesen(pfad), alle + rest + B("j=x⏎"));
        QVERIFY(PexIni::schreiben(pfad, QStringLiteral("s"), QStringLiteral("j"), QStringLiteral("漢")));
        QCOMPARE(dateiLesen(pfad), U(text + QString::fromUtf8("⏎[s]⏎k=1⏎j=漢⏎")));
        QCOMPARE(PexIni::lesen(pfad, QStringLiteral("s"), QStringLiteral("j")), QStringLiteral("漢"));
    }

    void verlustfrei()
    {
        const QString capek = QStringLiteral("Čapek 漢");
        dateiSchreiben(pfad, B("[a]⏎x=ä⏎[s]⏎k=1⏎"));
        QVERIFY(PexIni::schreiben(pfad, QStringLiteral("s"), QStringLiteral("k"), capek));
        QVERIFY(dateiLesen(pfad).startsWith("\xFF\xFE"));
        QCOMPARE(PexIni::lesen(pfad, QStringLiteral("s"), QStringLiteral("k")), capek);
        QCOMPARE(PexIni::lesen(pfad, QStringLiteral("a"), QStringLiteral("x")), QStringLiteral("ä"));
        QCOMPARE(PexIni::sektionen(pfad), (QStringList { "a", "s" }));
        // The file stays UTF-16 for later writes, even of plain text.
        QVERIFY(PexIni::schreiben(pfad, QStringLiteral("a"), QStringLiteral("x"), QStringLiteral("o")));
        QCOMPARE(dateiLesen(pfad), U("[a]⏎x=o⏎[s]⏎k=Čapek 漢⏎"));
    }

    // ---- Garbage never crashes, hangs or loses the other sections ------------------------

    void muell_data()
    {
        QTest::addColumn<QByteArray>("inhalt");
        QTest::newRow("binaer") << zufall(4096, 1);
        QTest::newRow("binaer mit kopf") << B("[s]⏎") + zufall(4096, 2) + B("⏎[t]⏎");
        QTest::newRow("1 MB zeile") << B("[s]⏎k=") + QByteArray(1 << 20, 'x') + B("⏎[t]⏎");
        QTest::newRow("1 MB klammern") << QByteArray(1 << 20, '[');
        QTest::newRow("1 MB gleich") << B("[s]⏎") + QByteArray(1 << 20, '=');
        QTest::newRow("keine sektionen") << B("a=1⏎b=2");
        QTest::newRow("doppelte sektionen") << B("[s]⏎k=1⏎").repeated(500);
        QTest::newRow("400 sektionen") << [] {
            QByteArray b;
            for (int i = 0; i < 400; ++i)
                b += "[2012" + QByteArray::number(1000 + i) + "]\r\nTITELNAME=Titel " + QByteArray::number(i) + "\r\n";
            return b;
        }();
        QTest::newRow("nur CR") << QByteArray("\r\r\r[s]\r\r k=1\r");
        QTest::newRow("nur bom") << QByteArray("\xFF\xFE");
        QTest::newRow("bom und ein byte") << QByteArray("\xFF\xFE[");
        QTest::newRow("ungerade utf-16") << U("[s]⏎k=1⏎") + "[";
        QTest::newRow("einzelne surrogate") << U("[") + QByteArray("\x00\xD8\x00\xDC\x00\xDC", 6) + U("]⏎k=1").mid(2);
        QTest::newRow("nul") << QByteArray(1000, '\0');
        QTest::newRow("utf-8 bom") << QByteArray("\xEF\xBB\xBF");
        QTest::newRow("klammer") << QByteArray("[");
        QTest::newRow("]") << QByteArray("]");
        QTest::newRow("=") << QByteArray("=");
        QTest::newRow(";") << QByteArray(";");
        QTest::newRow("ein byte ff") << QByteArray("\xFF");
    }
    void muell()
    {
        QFETCH(QByteArray, inhalt);
        dateiSchreiben(pfad, inhalt);
        const QStringList vorher = PexIni::sektionen(pfad);
        for (const QString &s : vorher.mid(0, 50)) {
            for (const QString &k : PexIni::schluessel(pfad, s))
                QVERIFY(PexIni::schluesselVorhanden(pfad, s, k));
        }
        const QString neu = QStringLiteral("Neue Sektion");
        QVERIFY(!vorher.contains(neu, Qt::CaseInsensitive));
        QVERIFY(PexIni::schreiben(pfad, neu, QStringLiteral("k"), QStringLiteral("wert")));
        QCOMPARE(PexIni::lesen(pfad, neu, QStringLiteral("k")), QStringLiteral("wert"));
        QCOMPARE(PexIni::sektionen(pfad), vorher + QStringList { neu });
        if (!vorher.isEmpty()) {
            // Every name the reader hands out can be written to.
            QVERIFY(PexIni::schreiben(pfad, vorher[0], QStringLiteral("neu"), QStringLiteral("Čapek")));
            QCOMPARE(PexIni::lesen(pfad, vorher[0], QStringLiteral("neu")), QStringLiteral("Čapek"));
            QVERIFY(PexIni::schluesselLoeschen(pfad, vorher[0], QStringLiteral("neu")));
            QCOMPARE(
                PexIni::lesen(pfad, vorher[0], QStringLiteral("neu"), QStringLiteral("weg")), QStringLiteral("weg"));
        }
        QVERIFY(PexIni::sektionLoeschen(pfad, neu));
        QCOMPARE(PexIni::sektionen(pfad), vorher);
    }

    // ---- Failures leave the file alone ---------------------------------------------------

    void schreibgeschuetzt()
    {
        const QByteArray inhalt = B("[s]⏎k=1⏎");
        dateiSchreiben(pfad, inhalt);
        alteZeitSetzen(pfad);
        schreibschutz(pfad);
        const QDateTime zeit = mtime(pfad);
        const QString s = QStringLiteral("s");
        const QString k = QStringLiteral("k");
        QVERIFY(!PexIni::schreiben(pfad, s, k, QStringLiteral("2")));
        QVERIFY(!PexIni::schreiben(pfad, QStringLiteral("t"), k, QStringLiteral("2")));
        QVERIFY(!PexIni::schluesselLoeschen(pfad, s, k));
        QVERIFY(!PexIni::sektionLoeschen(pfad, s));
        // Nothing to change needs no write.
        QVERIFY(PexIni::schreiben(pfad, s, k, QStringLiteral("1")));
        QVERIFY(PexIni::sektionLoeschen(pfad, QStringLiteral("t")));

        TpexIniFile ini(pfad);
        const QString text = QStringLiteral("In %1 kann nicht geschrieben werden").arg(pfad);
        QCOMPARE(fehlerText([&] { ini.writeString(s, k, QStringLiteral("2")); }), text);
        QCOMPARE(fehlerText([&] { ini.writeInteger(s, k, 2); }), text);
        QCOMPARE(fehlerText([&] { ini.deleteKey(s, k); }), text);
        QCOMPARE(fehlerText([&] { ini.eraseSection(s); }), text);
        QCOMPARE(ini.readInteger(s, k, 0), 1);

        QCOMPARE(dateiLesen(pfad), inhalt);
        QCOMPARE(mtime(pfad), zeit);
        QCOMPARE(eintraege(d), QStringList { "t.ini" });
        QVERIFY(!(QFileInfo(pfad).permissions() & QFileDevice::WriteOwner));
    }

    void ordnerFehlt()
    {
        const QString fehlt = d + QLatin1String("fehlt/t.ini");
        QVERIFY(!PexIni::schreiben(fehlt, QStringLiteral("s"), QStringLiteral("k"), QStringLiteral("v")));
        QVERIFY(PexIni::schluesselLoeschen(fehlt, QStringLiteral("s"), QStringLiteral("k")));
        QVERIFY(PexIni::sektionLoeschen(fehlt, QStringLiteral("s")));
        QCOMPARE(fehlerText([&] { TpexIniFile(fehlt).writeString(QStringLiteral("s"), QStringLiteral("k"), {}); }),
            QStringLiteral("In %1 kann nicht geschrieben werden").arg(fehlt));
        // A "folder" that is a file is refused by the system itself.
        dateiSchreiben(d + QLatin1String("datei"), "x");
        const QString unterDatei = d + QLatin1String("datei/t.ini");
        QVERIFY(!PexIni::schreiben(unterDatei, QStringLiteral("s"), QStringLiteral("k"), QStringLiteral("v")));
        QCOMPARE(eintraege(d), QStringList { "datei" });
    }

    void fehlgeschlagenesSchreibenLaesstAlteDatei()
    {
        const QByteArray inhalt = B("[s]⏎k=alt⏎");
        dateiSchreiben(pfad, inhalt);
        // The file-size limit makes the kernel refuse the write even for root.
        const auto alterHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit alt {};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &alt), 0);
        rlimit eng = alt;
        eng.rlim_cur = 4096;
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &eng), 0);
        const QString gross(100000, u'x');
        const bool ok = PexIni::schreiben(pfad, QStringLiteral("s"), QStringLiteral("k"), gross);
        const QString text
            = fehlerText([&] { TpexIniFile(pfad).writeString(QStringLiteral("t"), QStringLiteral("k"), gross); });
        setrlimit(RLIMIT_FSIZE, &alt);
        std::signal(SIGXFSZ, alterHandler);
        QVERIFY(!ok);
        QCOMPARE(text, QStringLiteral("In %1 kann nicht geschrieben werden").arg(pfad));
        QCOMPARE(dateiLesen(pfad), inhalt);
        QCOMPARE(eintraege(d), QStringList { "t.ini" });
    }

    void keineRegulaereDatei()
    {
        QVERIFY(QDir().mkdir(pfad));
        QCOMPARE(
            PexIni::lesen(pfad, QStringLiteral("s"), QStringLiteral("k"), QStringLiteral("D")), QStringLiteral("D"));
        QVERIFY(!PexIni::schreiben(pfad, QStringLiteral("s"), QStringLiteral("k"), QStringLiteral("v")));
        QVERIFY(!PexIni::sektionLoeschen(pfad, QStringLiteral("s")));
        QVERIFY(QFileInfo(pfad).isDir());

        // A pipe would block a reader that opened it.
        const QString fifo = d + QLatin1String("fifo.ini");
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0644), 0);
        QCOMPARE(PexIni::sektionen(fifo), QStringList());
        QVERIFY(!PexIni::schreiben(fifo, QStringLiteral("s"), QStringLiteral("k"), QStringLiteral("v")));
        QVERIFY(!QFileInfo(fifo).isFile());
    }

    // ---- Every call goes to the disk -----------------------------------------------------

    void gleicherWertSchreibtNicht()
    {
        dateiSchreiben(pfad, B("[s]⏎k=1⏎"));
        alteZeitSetzen(pfad);
        const QDateTime zeit = mtime(pfad);
        QVERIFY(PexIni::schreiben(pfad, QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("1")));
        QVERIFY(PexIni::schluesselLoeschen(pfad, QStringLiteral("s"), QStringLiteral("j")));
        QCOMPARE(mtime(pfad), zeit);
        QVERIFY(PexIni::schreiben(pfad, QStringLiteral("s"), QStringLiteral("k"), QStringLiteral("2")));
        QVERIFY(mtime(pfad) != zeit);
    }

    void keinZwischenspeicher()
    {
        dateiSchreiben(pfad, B("[s]⏎k=1⏎"));
        TpexIniFile ini(pfad);
        QCOMPARE(ini.readString(QStringLiteral("s"), QStringLiteral("k"), {}), QStringLiteral("1"));
        dateiSchreiben(pfad, B("[s]⏎k=2⏎"));
        QCOMPARE(ini.readString(QStringLiteral("s"), QStringLiteral("k"), {}), QStringLiteral("2"));
        ini.writeString(QStringLiteral("s"), QStringLiteral("j"), QStringLiteral("3"));
        QCOMPARE(dateiLesen(pfad), B("[s]⏎k=2⏎j=3⏎"));
    }

    void symlink()
    {
        dateiSchreiben(pfad, B("[s]⏎k=1⏎"));
        const QString link = d + QLatin1String("link.ini");
        QVERIFY(QFile::link(pfad, link));
        QVERIFY(PexIni::schreiben(link, QStringLiteral("s"), QStringLiteral("k"), QStringLiteral("2")));
        QVERIFY(QFileInfo(link).isSymLink());
        QCOMPARE(dateiLesen(pfad), B("[s]⏎k=2⏎"));
    }

    // ---- The settings file ----------------------------------------------------------------

    void readInteger_data()
    {
        QTest::addColumn<QString>("wert");
        QTest::addColumn<int>("erwartet");
        QTest::newRow("dezimal") << "12" << 12;
        QTest::newRow("negativ") << "-5" << -5;
        QTest::newRow("plus") << "+7" << 7;
        QTest::newRow("0x") << "0x1F" << 31;
        QTest::newRow("0X") << "0X1f" << 31;
        QTest::newRow("$") << "$ff" << 255;
        QTest::newRow("-$") << "-$10" << -16;
        QTest::newRow("32 bit hex") << "$FFFFFFFF" << -1;
        QTest::newRow("max") << "2147483647" << 2147483647;
        QTest::newRow("min") << "-2147483648" << int(-2147483647 - 1);
        QTest::newRow("zu gross") << "2147483648" << 99;
        QTest::newRow("hex zu gross") << "0x100000000" << 99;
        QTest::newRow("leerzeichen") << "  42 " << 42;
        QTest::newRow("anfuehrung") << "\"7\"" << 7;
        QTest::newRow("leer") << "" << 99;
        QTest::newRow("nur 0x") << "0x" << 99;
        QTest::newRow("nur $") << "$" << 99;
        QTest::newRow("buchstaben") << "12a" << 99;
        QTest::newRow("komma") << "1,5" << 99;
        QTest::newRow("hex ohne praefix") << "ff" << 99;
        QTest::newRow("innen leer") << "1 2" << 99;
        QTest::newRow("arabisch") << "١٢" << 99;
    }
    void readInteger()
    {
        QFETCH(QString, wert);
        QFETCH(int, erwartet);
        TpexIniFile ini(pfad);
        ini.writeString(QStringLiteral("Tam_Main"), QStringLiteral("pa_L"), wert);
        QCOMPARE(ini.readInteger(QStringLiteral("Tam_Main"), QStringLiteral("pa_L"), 99), erwartet);
    }

    // A window's keys collected and written at once: nothing reaches the file before the end,
    // the end gives the bytes of separate writes, a dropped or refused collection writes nothing.
    void sammeln()
    {
        TpexIniFile ini(pfad);
        ini.writeString(QStringLiteral("w"), QStringLiteral("alt"), QStringLiteral("1"));
        const QByteArray vorher = dateiLesen(pfad);
        ini.SammelnBeginnen();
        ini.writeString(QStringLiteral("w"), QStringLiteral("a"), QStringLiteral("2"));
        ini.writeInteger(QStringLiteral("neu"), QStringLiteral("b"), 3);
        ini.writeString(QStringLiteral("W"), QStringLiteral("A"), QStringLiteral("4"));
        QCOMPARE(dateiLesen(pfad), vorher);
        ini.SammelnAbschliessen();
        QCOMPARE(dateiLesen(pfad), QByteArray("[w]\r\nalt=1\r\na=4\r\n[neu]\r\nb=3\r\n"));

        ini.SammelnBeginnen();
        ini.writeString(QStringLiteral("w"), QStringLiteral("x"), QStringLiteral("5"));
        ini.SammelnVerwerfen();
        QCOMPARE(dateiLesen(pfad), QByteArray("[w]\r\nalt=1\r\na=4\r\n[neu]\r\nb=3\r\n"));

        // An erase in between first writes what was collected.
        ini.SammelnBeginnen();
        ini.writeString(QStringLiteral("w"), QStringLiteral("y"), QStringLiteral("6"));
        ini.eraseSection(QStringLiteral("neu"));
        ini.SammelnAbschliessen();
        QCOMPARE(dateiLesen(pfad), QByteArray("[w]\r\nalt=1\r\na=4\r\ny=6\r\n"));

        ini.SammelnBeginnen();
        ini.writeString(QStringLiteral("w"), QStringLiteral("z"), QStringLiteral("7"));
        ini.writeString(QStringLiteral("w"), QStringLiteral("k=ein"), QStringLiteral("8"));
        QVERIFY_THROWS_EXCEPTION(TkelFehler, ini.SammelnAbschliessen());
        QCOMPARE(dateiLesen(pfad), QByteArray("[w]\r\nalt=1\r\na=4\r\ny=6\r\n"));
        // After the failure every write goes straight to the file again.
        ini.writeString(QStringLiteral("w"), QStringLiteral("z"), QStringLiteral("9"));
        QCOMPARE(dateiLesen(pfad), QByteArray("[w]\r\nalt=1\r\na=4\r\ny=6\r\nz=9\r\n"));
    }

    void iniDatei()
    {
        TpexIniFile ini(pfad);
        QCOMPARE(ini.fileName(), pfad);
        QCOMPARE(ini.readInteger(QStringLiteral("Tam_Kamera"), QStringLiteral("__TOP"), 5), 5);
        QVERIFY(!ini.sectionExists(QStringLiteral("Tam_Kamera")));
        ini.writeInteger(QStringLiteral("Tam_Kamera"), QStringLiteral("__TOP"), 80);
        ini.writeInteger(QStringLiteral("Tam_Kamera"), QStringLiteral("__LEFT"), -100);
        ini.writeString(QStringLiteral("Tam_Kamera"), QStringLiteral("ed_Kamera_Keys_00"),
            QStringLiteral("/media/DCIM/;/media/DCIM/;"));
        ini.writeString(QStringLiteral("Tam_Suche"), QStringLiteral("ed_Such"), QStringLiteral("Ostsee"));
        QCOMPARE(dateiLesen(pfad),
            B("[Tam_Kamera]⏎__TOP=80⏎__LEFT=-100⏎ed_Kamera_Keys_00=/media/DCIM/;/media/DCIM/;⏎"
              "[Tam_Suche]⏎ed_Such=Ostsee⏎"));
        QCOMPARE(ini.readSections(), (QStringList { "Tam_Kamera", "Tam_Suche" }));
        QCOMPARE(
            ini.readSection(QStringLiteral("tam_kamera")), (QStringList { "__TOP", "__LEFT", "ed_Kamera_Keys_00" }));
        QVERIFY(ini.valueExists(QStringLiteral("Tam_Kamera"), QStringLiteral("__left")));
        ini.deleteKey(QStringLiteral("Tam_Kamera"), QStringLiteral("__LEFT"));
        QVERIFY(!ini.valueExists(QStringLiteral("Tam_Kamera"), QStringLiteral("__LEFT")));
        ini.eraseSection(QStringLiteral("Tam_Kamera"));
        QCOMPARE(dateiLesen(pfad), B("[Tam_Suche]⏎ed_Such=Ostsee⏎"));
        // A refused name is a refused write.
        QCOMPARE(fehlerText([&] { ini.writeString(QStringLiteral("Tam_Suche"), QStringLiteral("a=b"), {}); }),
            QStringLiteral("In %1 kann nicht geschrieben werden").arg(pfad));
    }
};

KEL_TEST_MAIN(IniTest)
#include "ini_test.moc"
