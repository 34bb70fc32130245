#include "framework/ke7_error.h"
#include "framework/ke7_sys.h"
#include "tests/common/fakeuiservices.h"
#include "tests/common/kel_test.h"

#include <QStandardPaths>
#include <QTemporaryDir>

#include <csignal>
#include <sys/resource.h>

namespace {

using Art = TkelUiServices::Art;

void schreiben(const QString &path, const QByteArray &inhalt)
{
    QFile f(path);
    QVERIFY2(f.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(path));
    QCOMPARE(f.write(inhalt), qint64(inhalt.size()));
}

QByteArray lesen(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray("<fehlt>");
    return f.readAll();
}

void zeitSetzen(const QString &path, const QDateTime &zeit)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QVERIFY(f.setFileTime(zeit, QFileDevice::FileModificationTime));
}

QDateTime zeit(const QString &text)
{
    return QDateTime::fromString(text, QStringLiteral("dd.MM.yyyy HH:mm:ss.zzz"));
}

void schreibschutz(const QString &path)
{
    QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther));
}

QStringList eintraege(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

// Records what the file dialogs were asked to show.
class DialogUi : public FakeUiServices
{
public:
    QString filter;
    QString suffix;
    QString startPfad;
    bool dateiOeffnen(const QString &titel, const QString &f, const QString &s, QString &path) override
    {
        filter = f;
        suffix = s;
        startPfad = path;
        return FakeUiServices::dateiOeffnen(titel, f, s, path);
    }
    bool dateiSpeichern(const QString &titel, const QString &f, const QString &s, QString &path) override
    {
        filter = f;
        suffix = s;
        startPfad = path;
        return FakeUiServices::dateiSpeichern(titel, f, s, path);
    }
};

} // namespace

class SysTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_tmp;
    QString d; // the test's folder, with '/'

private slots:
    void init()
    {
        m_tmp = std::make_unique<QTemporaryDir>();
        QVERIFY(m_tmp->isValid());
        d = m_tmp->path() + QLatin1Char('/');
    }

    // ---- Messages -----------------------------------------------------------------------

    void formatieren_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QStringList>("argumente");
        QTest::addColumn<QString>("ergebnis");
        QTest::newRow("eins") << "Das Feld %s muss ausgefüllt werden." << QStringList { "Zielpfad" }
                              << "Das Feld Zielpfad muss ausgefüllt werden.";
        QTest::newRow("reihenfolge") << "%s/%d/%s" << QStringList { "a", "7", "c" } << "a/7/c";
        QTest::newRow("prozent") << "100 %% %s" << QStringList { "x" } << "100 % x";
        QTest::newRow("fehlend") << "[%s][%s]" << QStringList { "a" } << "[a][]";
        QTest::newRow("platzhalter im argument") << "%s-%s" << QStringList { "%s", "b" } << "%s-b";
        QTest::newRow("prozent am ende") << "50%" << QStringList {} << "50%";
    }
    void formatieren()
    {
        QFETCH(QString, format);
        QFETCH(QStringList, argumente);
        QFETCH(QString, ergebnis);
        QCOMPARE(Formatieren(format, argumente), ergebnis);
    }

    void meldungenZeigenIhreTexte()
    {
        FakeUiServices ui;
        Meldung(ui, QStringLiteral("Hallo"));
        QCOMPARE(ui.beeps, 0);
        MeldungFmt(ui, QStringLiteral("A %s B"), { QStringLiteral("x") });
        NichtUnterstuetztMeldung(ui);
        QCOMPARE(ui.beeps, 0);
        Fehlermeldung(ui, QStringLiteral("Kaputt"));
        QCOMPARE(ui.beeps, 1);
        VerzeichnisFehltMeldung(ui, QStringLiteral("/x/y/"));
        QCOMPARE(ui.beeps, 2);
        QCOMPARE(ui.texte(),
            (QStringList { "Hallo", "A x B",
                "Die ausgewählte Funktion\rwird in dieser Programmversion nicht unterstützt.", "Kaputt",
                "Das Verzeichnis\r/x/y/\rwurde nicht gefunden." }));
        QCOMPARE(ui.boxes.at(0).art, Art::Information);
        QCOMPARE(ui.boxes.at(2).art, Art::Information);
        QCOMPARE(ui.boxes.at(3).art, Art::Fehler);
        QCOMPARE(ui.boxes.at(4).art, Art::Fehler);
    }

    void fehlermeldungPiepstVorDerBox()
    {
        int beepsBeiBox = -1;
        struct Ui : FakeUiServices
        {
            int *beiBox;
            void nachricht(Art art, const QString &text) override
            {
                *beiBox = beeps;
                FakeUiServices::nachricht(art, text);
            }
        } beobachter;
        beobachter.beiBox = &beepsBeiBox;
        Fehlermeldung(beobachter, QStringLiteral("x"));
        QCOMPARE(beepsBeiBox, 1);
    }

    void frageGibtDieAntwort()
    {
        FakeUiServices ui;
        ui.antworten << true << false;
        QVERIFY(Frage(ui, QStringLiteral("Wirklich ?")));
        QVERIFY(!FrageFmt(ui, QStringLiteral("Datei %s ?"), { QStringLiteral("a.txt") }));
        QVERIFY(!Frage(ui, QStringLiteral("leer")));
        QCOMPARE(ui.texte(), (QStringList { "Wirklich ?", "Datei a.txt ?", "leer" }));
        QCOMPARE(ui.boxes.at(1).art, Art::Frage);
    }

    void ueberschreibenFrage()
    {
        FakeUiServices ui;
        QVERIFY(!UeberschreibenFrage(ui, QStringLiteral("   ")));
        QVERIFY(!UeberschreibenFrage(ui, QString()));
        QVERIFY(UeberschreibenFrage(ui, d + QLatin1String("fehlt.txt")));
        QVERIFY(ui.boxes.isEmpty());
        const QString p = d + QLatin1String("da.txt");
        schreiben(p, "x");
        ui.antworten << true << false;
        QVERIFY(UeberschreibenFrage(ui, p));
        QVERIFY(!UeberschreibenFrage(ui, p));
        QCOMPARE(ui.boxes.size(), 2);
        QCOMPARE(ui.letzterText(),
            QLatin1String("Die Datei ") + p + QStringLiteral(" existiert bereits.\rSoll sie überschrieben werden ?"));
        QCOMPARE(ui.boxes.at(0).art, Art::Frage);
    }

    void internerFehlerKopiertZeigtUndBricht()
    {
        FakeUiServices ui;
        QVERIFY_THROWS_EXCEPTION(TkelAbbruch, InternerFehler(ui, QStringLiteral("kel_sys"), QStringLiteral("Hoppla")));
        const QString m = QStringLiteral(
            "Interner Fehler im Modul [kel_sys]\r\rHoppla\r\rBenachrichtigen Sie bitte Ihren Systemadministrator.");
        QCOMPARE(ui.clipboard, m);
        QCOMPARE(ui.beeps, 1);
        QCOMPARE(ui.boxes.size(), 1);
        QCOMPARE(ui.boxes.at(0).art, Art::Fehler);
        QCOMPARE(ui.letzterText(),
            m + QLatin1String("\r\rDie Fehlernachricht wurde ins Clipboard (Zwischenablage) kopiert."));
    }

    // ---- Existence tests ----------------------------------------------------------------

    void dateiVorhanden()
    {
        FakeUiServices ui;
        schreiben(d + QLatin1String("a.jpg"), "x");
        QDir().mkdir(d + QLatin1String("ordner"));
        QVERIFY(DateiVorhanden(d + QLatin1String("a.jpg"), &ui));
        QVERIFY(!DateiVorhanden(d + QLatin1String("ordner"), nullptr));
        QVERIFY(!DateiVorhanden(QString(), nullptr));
        QVERIFY(ui.boxes.isEmpty());
        QVERIFY(!DateiVorhanden(d + QLatin1String("b.jpg"), &ui));
        QCOMPARE(ui.letzterText(), QLatin1String("Datei\r") + d + QLatin1String("b.jpg\rnicht vorhanden."));
        QCOMPARE(ui.beeps, 1);

        QVERIFY_THROWS_EXCEPTION(TkelAbbruch, DateiPflicht(ui, d + QLatin1String("c.jpg")));
        QCOMPARE(ui.boxes.size(), 2);
        DateiPflicht(ui, d + QLatin1String("a.jpg"));
        QCOMPARE(ui.boxes.size(), 2);
    }

    void nurDateiVorhanden_data()
    {
        QTest::addColumn<QString>("muster");
        QTest::addColumn<bool>("ergebnis");
        QTest::newRow("datei") << "b.jpg" << true;
        QTest::newRow("ordner") << "0_ordner" << false;
        QTest::newRow("fehlt") << "z.jpg" << false;
        QTest::newRow("stern, erster ist ordner") << "*" << false;
        QTest::newRow("stern, datei") << "*.JPG" << true;
        QTest::newRow("fragezeichen") << "?.jpg" << true;
        QTest::newRow("keine passung") << "*.png" << false;
        QTest::newRow("eckige klammer ist kein muster") << "[x].txt" << true;
    }
    void nurDateiVorhanden()
    {
        QFETCH(QString, muster);
        QFETCH(bool, ergebnis);
        QDir().mkdir(d + QLatin1String("0_ordner"));
        schreiben(d + QLatin1String("b.jpg"), "x");
        schreiben(d + QLatin1String("[x].txt"), "x");
        FakeUiServices ui;
        QCOMPARE(NurDateiVorhanden(d + muster, &ui), ergebnis);
        QCOMPARE(ui.boxes.size(), ergebnis ? 0 : 1);
        if (!ergebnis)
            QCOMPARE(ui.letzterText(), QLatin1String("Datei\r") + d + muster + QLatin1String("\rnicht vorhanden."));
    }

    void verzeichnisVorhanden()
    {
        FakeUiServices ui;
        const QString o = d + QStringLiteral("Ordner mit Ümlaut");
        QDir().mkdir(o);
        QVERIFY(VerzeichnisVorhanden(o, &ui));
        QVERIFY(VerzeichnisVorhanden(o + QLatin1Char('/'), &ui));
        schreiben(d + QLatin1String("datei"), "x");
        QVERIFY(!VerzeichnisVorhanden(d + QLatin1String("datei"), nullptr));
        QVERIFY(!VerzeichnisVorhanden(QString(), nullptr));
        QVERIFY(ui.boxes.isEmpty());
        QVERIFY(!VerzeichnisVorhanden(d + QLatin1String("fehlt"), &ui));
        QCOMPARE(
            ui.letzterText(), QLatin1String("Das Verzeichnis\r") + d + QLatin1String("fehlt/\rwurde nicht gefunden."));
        QCOMPARE(ui.beeps, 1);
    }

    void verzeichnisErstellen()
    {
        FakeUiServices ui;
        int ereignisse = 0;
        ui.beiEreignissen = [&ereignisse] { ++ereignisse; };
        const QString o = d + QLatin1String("a/b/c/");
        QVERIFY(VerzeichnisErstellen(o, &ui));
        QVERIFY(QFileInfo(o).isDir());
        QCOMPARE(ereignisse, 1);
        QVERIFY(VerzeichnisErstellen(o, &ui));
        QCOMPARE(ereignisse, 1);

        schreiben(d + QLatin1String("datei"), "x");
        const QString unmoeglich = d + QLatin1String("datei/unter");
        QVERIFY(!VerzeichnisErstellen(unmoeglich, nullptr));
        QVERIFY(ui.boxes.isEmpty());
        QVERIFY(!VerzeichnisErstellen(unmoeglich, &ui));
        QCOMPARE(ui.boxes.size(), 1);
        QCOMPARE(ui.boxes.at(0).art, Art::Information);
        QCOMPARE(ui.letzterText(),
            QLatin1String("Das Verzeichnis\r") + unmoeglich + QLatin1String("\rkonnte nicht erstellt werden."));
    }

    // ---- Write probes -------------------------------------------------------------------

    void verzeichnisBeschreibbar()
    {
        FakeUiServices ui;
        QVERIFY(VerzeichnisBeschreibbar(m_tmp->path(), &ui));
        QVERIFY(eintraege(d).isEmpty());
        QVERIFY(ui.boxes.isEmpty());

        QVERIFY(!VerzeichnisBeschreibbar(d + QLatin1String("fehlt"), &ui));
        QCOMPARE(
            ui.letzterText(), QLatin1String("Das Verzeichnis\r") + d + QLatin1String("fehlt/\rwurde nicht gefunden."));

        // Nobody, root included, can create files in /proc.
        QVERIFY(!VerzeichnisBeschreibbar(QStringLiteral("/proc"), &ui));
        QCOMPARE(ui.letzterText(), QStringLiteral("Sie haben keine Schreibrechte für das Verzeichnis\r/proc/"));
        QCOMPARE(ui.beeps, 2);
        QVERIFY(!VerzeichnisBeschreibbar(QStringLiteral("/proc"), nullptr));
        QCOMPARE(ui.boxes.size(), 2);
    }

    void dateiBeschreibbar()
    {
        FakeUiServices ui;
        const QString neu = d + QLatin1String("neu.txt");
        QVERIFY(DateiBeschreibbar(neu, &ui));
        QVERIFY(!QFile::exists(neu));

        // The probe must not destroy a file the caller has not yet replaced.
        const QString alt = d + QLatin1String("alt.txt");
        schreiben(alt, "Inhalt");
        const QDateTime t = zeit(QStringLiteral("01.02.2020 10:00:00.000"));
        zeitSetzen(alt, t);
        QVERIFY(DateiBeschreibbar(alt, &ui));
        QCOMPARE(lesen(alt), QByteArray("Inhalt"));
        QCOMPARE(QFileInfo(alt).lastModified(), t);
        QVERIFY(ui.boxes.isEmpty());

        const QString nurLesen = d + QStringLiteral("schreibgeschützt.txt");
        schreiben(nurLesen, "x");
        schreibschutz(nurLesen);
        QVERIFY(!DateiBeschreibbar(nurLesen, &ui));
        QCOMPARE(ui.letzterText(),
            QStringLiteral("Sie haben keine Schreibrechte für die Datei\r") + nurLesen
                + QLatin1String("\rEventuell wird die Datei von einem anderen Programm benutzt."));
        QCOMPARE(lesen(nurLesen), QByteArray("x"));

        QVERIFY(!DateiBeschreibbar(d + QLatin1String("fehlt/x.txt"), &ui));
        QCOMPARE(
            ui.letzterText(), QLatin1String("Das Verzeichnis\r") + d + QLatin1String("fehlt/\rwurde nicht gefunden."));

        QVERIFY(!DateiBeschreibbar(QStringLiteral("/proc/kelalbum.txt"), nullptr));
        QCOMPARE(ui.boxes.size(), 2);
    }

    // ---- Deleting -----------------------------------------------------------------------

    void dateiLoeschen()
    {
        QVERIFY(DateiLoeschen(d + QLatin1String("fehlt")));
        const QString a = d + QLatin1String("a.txt");
        schreiben(a, "x");
        QVERIFY(DateiLoeschen(a));
        QVERIFY(!QFile::exists(a));
        schreiben(a, "x");
        schreibschutz(a);
        QVERIFY(!DateiLoeschen(a));
        QVERIFY(QFile::exists(a));
    }

    void alleDateienLoeschen()
    {
        schreiben(d + QLatin1String("a.txt"), "x");
        schreiben(d + QLatin1String("b.jpg"), "x");
        schreiben(d + QLatin1String(".versteckt"), "x");
        QDir().mkdir(d + QLatin1String("unter"));
        schreiben(d + QLatin1String("unter/c.txt"), "x");
        QVERIFY(AlleDateienLoeschen(d));
        QCOMPARE(eintraege(d), (QStringList { ".versteckt", "unter" }));
        QVERIFY(QFile::exists(d + QLatin1String("unter/c.txt")));

        schreiben(d + QLatin1String("a.txt"), "x");
        schreiben(d + QLatin1String("r.txt"), "x");
        schreibschutz(d + QLatin1String("r.txt"));
        QVERIFY(!AlleDateienLoeschen(d));
        QCOMPARE(eintraege(d), (QStringList { ".versteckt", "r.txt", "unter" }));
        QVERIFY(AlleDateienLoeschen(d + QLatin1String("fehlt/")));
    }

    void inPapierkorb()
    {
        const QString p = d + QLatin1String("Bild 1.jpg");
        schreiben(p, "jpeg");
        FakeUiServices ui;
        QVERIFY(!InPapierkorb(ui, p)); // "Nein"
        QVERIFY(QFile::exists(p));
        QCOMPARE(ui.letzterText(),
            QLatin1String("Soll die Datei\r") + p + QLatin1String("\rin den Papierkorb verschoben werden ?"));

        ui.antworten << true;
        QVERIFY(InPapierkorb(ui, p));
        QVERIFY(!QFile::exists(p));
        const QString trash
            = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QLatin1String("/Trash/");
        QVERIFY(trash.startsWith(QDir::homePath()));
        const QStringList imPapierkorb = QDir(trash + QLatin1String("files")).entryList(QDir::Files);
        QVERIFY2(imPapierkorb.contains(QLatin1String("Bild 1.jpg")), qPrintable(imPapierkorb.join(',')));
        QCOMPARE(lesen(trash + QLatin1String("files/Bild 1.jpg")), QByteArray("jpeg"));
        QVERIFY(QFile::exists(trash + QLatin1String("info/Bild 1.jpg.trashinfo")));
        QCOMPARE(ui.boxes.size(), 2);
        QCOMPARE(ui.beeps, 0);

        // A missing file is reported without a question.
        QVERIFY(!InPapierkorb(ui, p));
        QCOMPARE(ui.boxes.size(), 3);
        QCOMPARE(ui.boxes.last().art, Art::Fehler);

        // No trash takes a file of /proc: it is reported and stays.
        const QString proc = QStringLiteral("/proc/self/status");
        ui.antworten << true;
        QVERIFY(!InPapierkorb(ui, proc));
        QVERIFY(QFile::exists(proc));
        QCOMPARE(ui.letzterText(),
            QLatin1String("Die Datei\r") + proc
                + QStringLiteral("\rkann nicht in den Papierkorb verschoben werden.\rSie wurde nicht gelöscht."));
    }

    // ---- Copying ------------------------------------------------------------------------

    void dateiKopierenGrosseDateiMitZeit()
    {
        QByteArray inhalt(3 * 1024 * 1024 + 17, '\0');
        for (int i = 0; i < inhalt.size(); ++i)
            inhalt[i] = char(i * 7 + i / 4096);
        const QString q = d + QStringLiteral("Quelle Ä.jpg");
        const QString z = d + QLatin1String("ziel/Ziel.jpg");
        schreiben(q, inhalt);
        zeitSetzen(q, zeit(QStringLiteral("15.03.2012 12:34:57.800")));
        QDir().mkdir(d + QLatin1String("ziel"));
        QVERIFY(DateiKopieren(q, z));
        QVERIFY(lesen(z) == inhalt);
        QCOMPARE(QFileInfo(z).lastModified(), zeit(QStringLiteral("15.03.2012 12:34:56.000")));
        QCOMPARE(Dateidatum(z), Dateidatum(q));
        QCOMPARE(eintraege(d + QLatin1String("ziel")), QStringList { "Ziel.jpg" });
        QVERIFY(!KopierenWennNeuer(q, z));

        // Overwriting replaces the content.
        schreiben(q, "kurz");
        QVERIFY(DateiKopieren(q, z));
        QCOMPARE(lesen(z), QByteArray("kurz"));
        QCOMPARE(eintraege(d + QLatin1String("ziel")), QStringList { "Ziel.jpg" });
    }

    void dateiKopierenOhneWirkung_data()
    {
        QTest::addColumn<QString>("quelle");
        QTest::addColumn<QString>("ziel");
        QTest::newRow("gleicher pfad, andere schreibweise") << "Bild.jpg"
                                                            << "BILD.JPG";
        QTest::newRow("gleicher pfad mit blanks") << "Bild.jpg"
                                                  << "Bild.jpg  ";
        QTest::newRow("derselbe über umweg") << "Bild.jpg"
                                             << "unter/../Bild.jpg";
        QTest::newRow("quelle fehlt") << "fehlt.jpg"
                                      << "neu.jpg";
        QTest::newRow("quelle ist ordner") << "unter"
                                           << "neu.jpg";
        QTest::newRow("ziel leer") << "Bild.jpg"
                                   << "";
        QTest::newRow("quelle ist gerät") << "/dev/zero"
                                          << "neu.jpg";
    }
    void dateiKopierenOhneWirkung()
    {
        QFETCH(QString, quelle);
        QFETCH(QString, ziel);
        QDir().mkdir(d + QLatin1String("unter"));
        schreiben(d + QLatin1String("Bild.jpg"), "original");
        const QDateTime t = zeit(QStringLiteral("01.01.2021 08:00:01.500"));
        zeitSetzen(d + QLatin1String("Bild.jpg"), t);
        const QString q = quelle.startsWith(QLatin1Char('/')) ? quelle : d + quelle;
        QVERIFY(!DateiKopieren(q, ziel.isEmpty() ? ziel : d + ziel));
        QCOMPARE(lesen(d + QLatin1String("Bild.jpg")), QByteArray("original"));
        QCOMPARE(QFileInfo(d + QLatin1String("Bild.jpg")).lastModified(), t);
        QCOMPARE(eintraege(d), (QStringList { "Bild.jpg", "unter" }));
    }

    // A failed copy throws, keeps the old target and leaves no temporary file behind.
    void dateiKopierenFehler_data()
    {
        QTest::addColumn<QString>("quelle");
        QTest::addColumn<QString>("ziel");
        QTest::addColumn<QString>("textAnfang");
        QTest::newRow("zielordner ist eine datei") << "q.jpg"
                                                   << "sperre/z.jpg"
                                                   << "Die Datei\r%1sperre/z.jpg\rkann nicht angelegt werden.";
        QTest::newRow("zielordner fehlt") << "q.jpg"
                                          << "fehlt/z.jpg"
                                          << "Die Datei\r%1fehlt/z.jpg\rkann nicht angelegt werden.";
        QTest::newRow("ziel ist ordner") << "q.jpg"
                                         << "ordner"
                                         << "Die Datei\r%1ordner\rkann nicht angelegt werden.";
        QTest::newRow("ziel schreibgeschützt") << "q.jpg"
                                               << "nurlesen.jpg"
                                               << "Die Datei\r%1nurlesen.jpg\rist schreibgeschützt";
        QTest::newRow("quelle nicht lesbar") << "/proc/self/mem"
                                             << "alt.jpg"
                                             << "Die Datei\r/proc/self/mem\rkann nicht gelesen werden.";
    }
    void dateiKopierenFehler()
    {
        QFETCH(QString, quelle);
        QFETCH(QString, ziel);
        QFETCH(QString, textAnfang);
        schreiben(d + QLatin1String("q.jpg"), "neu");
        schreiben(d + QLatin1String("sperre"), "x");
        schreiben(d + QLatin1String("alt.jpg"), "alter Inhalt");
        schreiben(d + QLatin1String("nurlesen.jpg"), "geschützt");
        schreibschutz(d + QLatin1String("nurlesen.jpg"));
        QDir().mkdir(d + QLatin1String("ordner"));
        const QStringList vorher = eintraege(d);
        const QString q = quelle.startsWith(QLatin1Char('/')) ? quelle : d + quelle;
        try {
            DateiKopieren(q, d + ziel);
            QFAIL("kein Fehler");
        } catch (const TkelFehler &e) {
            QVERIFY2(e.text().startsWith(QString(textAnfang).replace(QLatin1String("%1"), d)), qPrintable(e.text()));
        }
        QCOMPARE(eintraege(d), vorher);
        QCOMPARE(lesen(d + QLatin1String("alt.jpg")), QByteArray("alter Inhalt"));
        QCOMPARE(lesen(d + QLatin1String("nurlesen.jpg")), QByteArray("geschützt"));
    }

    // A full disk, simulated by a file size limit, must not cost the old target.
    void dateiKopierenVollerDatentraeger()
    {
        const QString q = d + QLatin1String("gross.jpg");
        const QString z = d + QLatin1String("ziel.jpg");
        schreiben(q, QByteArray(512 * 1024, 'a'));
        schreiben(z, "alter Inhalt");
        const auto alterHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit alt {};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &alt), 0);
        rlimit eng = alt;
        eng.rlim_cur = 64 * 1024;
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &eng), 0);
        QString text;
        try {
            DateiKopieren(q, z);
        } catch (const TkelFehler &e) {
            text = e.text();
        }
        setrlimit(RLIMIT_FSIZE, &alt);
        std::signal(SIGXFSZ, alterHandler);
        QVERIFY2(text.startsWith(QLatin1String("Die Datei\r") + z + QLatin1String("\rkann nicht geschrieben werden.")),
            qPrintable(text));
        QCOMPARE(lesen(z), QByteArray("alter Inhalt"));
        QCOMPARE(eintraege(d), (QStringList { "gross.jpg", "ziel.jpg" }));
    }

    void kopierenWennFehlt()
    {
        const QString q = d + QLatin1String("q.txt");
        const QString z = d + QLatin1String("z.txt");
        schreiben(q, "neu");
        QVERIFY(KopierenWennFehlt(q, z, false));
        QCOMPARE(lesen(z), QByteArray("neu"));
        schreiben(z, "alt");
        QVERIFY(!KopierenWennFehlt(q, z, false));
        QCOMPARE(lesen(z), QByteArray("alt"));
        QVERIFY(KopierenWennFehlt(q, z, true));
        QCOMPARE(lesen(z), QByteArray("neu"));
    }

    void kopierenWennNeuerUndQuelleNeuer_data()
    {
        QTest::addColumn<QString>("quellZeit"); // empty: no source
        QTest::addColumn<QString>("zielZeit"); // empty: no target, "ordner": a folder
        QTest::addColumn<bool>("kopiert");
        QTest::addColumn<bool>("quelleNeuer");
        QTest::newRow("ziel fehlt") << "10.05.2020 10:00:00.000"
                                    << "" << true << true;
        QTest::newRow("ziel älter") << "10.05.2020 10:00:04.000"
                                    << "10.05.2020 10:00:00.000" << true << true;
        QTest::newRow("gleich") << "10.05.2020 10:00:00.000"
                                << "10.05.2020 10:00:00.000" << false << false;
        QTest::newRow("ziel neuer") << "10.05.2020 10:00:00.000"
                                    << "11.05.2020 10:00:00.000" << false << false;
        QTest::newRow("gleich auf zwei sekunden, ms neuer") << "10.05.2020 10:00:01.900"
                                                            << "10.05.2020 10:00:00.000" << false << true;
        QTest::newRow("quelle fehlt") << ""
                                      << "10.05.2020 10:00:00.000" << false << false;
        QTest::newRow("ziel ist ordner") << "10.05.2020 10:00:00.000"
                                         << "ordner" << false << true;
    }
    void kopierenWennNeuerUndQuelleNeuer()
    {
        QFETCH(QString, quellZeit);
        QFETCH(QString, zielZeit);
        QFETCH(bool, kopiert);
        QFETCH(bool, quelleNeuer);
        const QString q = d + QLatin1String("q.txt");
        const QString z = d + QLatin1String("z.txt");
        if (!quellZeit.isEmpty()) {
            schreiben(q, "neu");
            zeitSetzen(q, zeit(quellZeit));
        }
        if (zielZeit == QLatin1String("ordner")) {
            QDir().mkdir(z);
        } else if (!zielZeit.isEmpty()) {
            schreiben(z, "alt");
            zeitSetzen(z, zeit(zielZeit));
        }
        QCOMPARE(QuelleNeuer(q, z), quelleNeuer);
        if (zielZeit == QLatin1String("ordner"))
            return; // copying onto a folder is an error, tested above
        QCOMPARE(KopierenWennNeuer(q, z), kopiert);
        if (kopiert)
            QCOMPARE(lesen(z), QByteArray("neu"));
        else if (!zielZeit.isEmpty())
            QCOMPARE(lesen(z), QByteArray("alt"));
    }

    // ---- File times ---------------------------------------------------------------------

    void dateidatumZweiSekunden()
    {
        const QString a = d + QLatin1String("a.txt");
        const QString b = d + QLatin1String("b.txt");
        QVERIFY(!Dateidatum(a).isValid());
        QVERIFY(!Dateidatum(m_tmp->path()).isValid());
        schreiben(a, "a");
        schreiben(b, "b");
        DateidatumSetzen(a, zeit(QStringLiteral("31.12.1999 23:59:59.999")));
        QCOMPARE(QFileInfo(a).lastModified(), zeit(QStringLiteral("31.12.1999 23:59:58.000")));
        QCOMPARE(Dateidatum(a), zeit(QStringLiteral("31.12.1999 23:59:58.000")));
        QCOMPARE(Dateidatum(a).timeSpec(), Qt::LocalTime);

        // Summer time: the local time is what counts.
        zeitSetzen(b, zeit(QStringLiteral("01.07.2015 14:00:03.250")));
        QCOMPARE(Dateidatum(b), zeit(QStringLiteral("01.07.2015 14:00:02.000")));
        DateidatumUebertragen(b, a);
        QCOMPARE(QFileInfo(a).lastModified(), zeit(QStringLiteral("01.07.2015 14:00:02.000")));

        // Missing partners change nothing.
        DateidatumUebertragen(d + QLatin1String("fehlt"), a);
        DateidatumSetzen(d + QLatin1String("fehlt"), zeit(QStringLiteral("01.01.2000 00:00:00.000")));
        QVERIFY(!QFile::exists(d + QLatin1String("fehlt")));
        QCOMPARE(QFileInfo(a).lastModified(), zeit(QStringLiteral("01.07.2015 14:00:02.000")));
    }

    // ---- Free names ---------------------------------------------------------------------

    void freierName()
    {
        QCOMPARE(FreierName(d, QStringLiteral("Bild"), QStringLiteral("jpg")), QStringLiteral("Bild"));
        schreiben(d + QLatin1String("Bild.jpg"), "x");
        QCOMPARE(FreierName(d, QStringLiteral("Bild"), QStringLiteral("jpg")), QStringLiteral("Bild_0001"));
        schreiben(d + QLatin1String("Bild_0001.jpg"), "x");
        QCOMPARE(
            FreierName(m_tmp->path(), QStringLiteral("Bild"), QStringLiteral(".jpg")), QStringLiteral("Bild_0002"));
        QDir().mkdir(d + QLatin1String("Bild_0002.jpg"));
        QCOMPARE(FreierName(d, QStringLiteral("Bild"), QStringLiteral("jpg")), QStringLiteral("Bild_0003"));

        QCOMPARE(FreierPfad(d + QLatin1String("neu.jpg")), d + QLatin1String("neu.jpg"));
        QCOMPARE(FreierPfad(d + QLatin1String("Bild.jpg")), d + QLatin1String("Bild_0003.jpg"));
        schreiben(d + QLatin1String("Album.~kelAlbum"), "x");
        QCOMPARE(FreierPfad(d + QLatin1String("Album.~kelAlbum")), d + QLatin1String("Album_0001.~kelAlbum"));

        QCOMPARE(Pruefdateiname(d, QStringLiteral(".tmp")), QStringLiteral("@kel0000"));
        schreiben(d + QLatin1String("@kel0000.tmp"), "x");
        QCOMPARE(Pruefdateiname(m_tmp->path(), QStringLiteral("tmp")), QStringLiteral("@kel0001"));
    }

    // ---- Special folders ----------------------------------------------------------------

    void sonderordner()
    {
        const QString home = QDir::homePath() + QLatin1Char('/');
        QVERIFY(TempOrdner().endsWith(QLatin1Char('/')));
        QVERIFY(QFileInfo(TempOrdner()).isDir());
        QCOMPARE(TempOrdner(), QDir::tempPath() + QLatin1Char('/'));

        QDir(home + QLatin1String("Documents")).removeRecursively();
        QCOMPARE(DokumenteOrdner(), home);
        QDir().mkpath(home + QLatin1String("Documents"));
        QCOMPARE(DokumenteOrdner(), home + QLatin1String("Documents/"));
        QCOMPARE(ProgrammUnterordner(QStringLiteral("kelAlbum")), home + QLatin1String("Documents/kelAlbum/"));
        QVERIFY(QFileInfo(home + QLatin1String("Documents/kelAlbum")).isDir());
        QVERIFY(BilderOrdner().endsWith(QLatin1Char('/')));

        QCOMPARE(ProgrammOrdner(), QCoreApplication::applicationDirPath() + QLatin1Char('/'));

        QDir().mkpath(d + QLatin1String("daten/Templates"));
        schreiben(d + QLatin1String("daten/logo.png"), "x");
        DatenOrdnerHinzufuegen(d + QLatin1String("daten"));
        QCOMPARE(DatenOrdner(QStringLiteral("Templates")), d + QLatin1String("daten/Templates/"));
        QCOMPARE(DatenOrdner(QStringLiteral("logo.png")), d + QLatin1String("daten/logo.png"));
        QCOMPARE(DatenOrdner(QStringLiteral("gibtsnicht.png")), ProgrammOrdner() + QLatin1String("gibtsnicht.png"));
    }

    // ---- Dialogs ------------------------------------------------------------------------

    void dateiDialoge_data()
    {
        QTest::addColumn<bool>("speichern");
        QTest::addColumn<QString>("maske");
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("suffix");
        QTest::newRow("öffnen punkt") << false << ".kelAlbum"
                                      << "*.kelAlbum"
                                      << "kelAlbum";
        QTest::newRow("speichern stern") << true << "*.txt"
                                         << "*.txt"
                                         << "txt";
        QTest::newRow("alles") << false << "*.*"
                               << "*.*"
                               << "";
    }
    void dateiDialoge()
    {
        QFETCH(bool, speichern);
        QFETCH(QString, maske);
        QFETCH(QString, filter);
        QFETCH(QString, suffix);
        DialogUi ui;
        QString pfad = QStringLiteral("/start/a.txt");
        const auto dialog = speichern ? DateiSpeichernDialog : DateiOeffnenDialog;
        QVERIFY(!dialog(ui, QStringLiteral("Titel"), maske, pfad));
        QCOMPARE(pfad, QStringLiteral("/start/a.txt"));
        QCOMPARE(ui.filter, filter);
        QCOMPARE(ui.suffix, suffix);
        QCOMPARE(ui.startPfad, QStringLiteral("/start/a.txt"));
        ui.dateiAntworten << QStringLiteral("/neu/b.txt");
        QVERIFY(dialog(ui, QStringLiteral("Titel"), maske, pfad));
        QCOMPARE(pfad, QStringLiteral("/neu/b.txt"));
        QCOMPARE(ui.dialogTitel, (QStringList { "Titel", "Titel" }));
    }

    void verzeichnisWaehlen()
    {
        FakeUiServices ui;
        QString o = QStringLiteral("/alt/");
        QVERIFY(!VerzeichnisWaehlen(ui, o));
        QCOMPARE(o, QStringLiteral("/alt/"));
        ui.verzeichnisAntworten << QStringLiteral("/neu/ordner");
        QVERIFY(VerzeichnisWaehlen(ui, o));
        QCOMPARE(o, QStringLiteral("/neu/ordner/"));
        QCOMPARE(ui.dialogTitel.first(), QStringLiteral("Verzeichnis wählen"));
    }

    // ---- Processes ----------------------------------------------------------------------

    void ausfuehren_data()
    {
        QTest::addColumn<QString>("programm");
        QTest::addColumn<QStringList>("parameter");
        QTest::addColumn<int>("code");
        QTest::addColumn<bool>("erfolg");
        QTest::newRow("null") << "/bin/sh" << QStringList { "-c", "exit 0" } << 0 << true;
        QTest::newRow("40 ist erfolg") << "/bin/sh" << QStringList { "-c", "exit 40" } << 40 << true;
        QTest::newRow("eins") << "/bin/sh" << QStringList { "-c", "exit 1" } << 1 << false;
        QTest::newRow("32") << "/bin/sh" << QStringList { "-c", "exit 32" } << 32 << false;
        QTest::newRow("fehlt") << "/gibt/es/nicht" << QStringList { "a b", "c" } << 3 << false;
        QTest::newRow("leer") << "" << QStringList {} << 3 << false;
        QTest::newRow("absturz") << "/bin/sh" << QStringList { "-c", "kill -SEGV $$" } << -1 << false;
    }
    void ausfuehren()
    {
        QFETCH(QString, programm);
        QFETCH(QStringList, parameter);
        QFETCH(int, code);
        QFETCH(bool, erfolg);
        FakeUiServices ui;
        int ergebnis = 12345;
        QCOMPARE(Ausfuehren(programm, parameter, QStringLiteral("/ordner/"), &ui, &ergebnis), erfolg);
        QCOMPARE(ergebnis, code);
        if (erfolg) {
            QVERIFY(ui.boxes.isEmpty());
        } else {
            QCOMPARE(ui.boxes.size(), 1);
            QCOMPARE(ui.boxes.at(0).art, Art::Information);
            QCOMPARE(ui.letzterText(),
                QStringLiteral("Bei der Ausführung von \r") + programm + QLatin1Char('\r')
                    + parameter.join(QLatin1Char(' '))
                    + QLatin1String("\r/ordner/\rist folgender Fehler aufgetreten :\r") + Ausfuehrungsfehlertext(code));
        }
        FakeUiServices still;
        QCOMPARE(Ausfuehren(programm, parameter, QString(), nullptr), erfolg);
        QVERIFY(still.boxes.isEmpty());
    }

    void ausfuehrungsfehlertext_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("text");
        QTest::newRow("0") << 0 << "";
        QTest::newRow("2") << 2 << "Datei nicht gefunden.";
        QTest::newRow("3") << 3 << "Das angegebene Verzeichnis/Datei existiert nicht.";
        QTest::newRow("32") << 32 << "The specified dynamic-link library was not found.";
        QTest::newRow("42") << 42 << "";
        QTest::newRow("1") << 1 << "Unbekannter Fehler (1)";
        QTest::newRow("-1") << -1 << "Unbekannter Fehler (-1)";
    }
    void ausfuehrungsfehlertext()
    {
        QFETCH(int, code);
        QFETCH(QString, text);
        QCOMPARE(Ausfuehrungsfehlertext(code), text);
    }

    // ---- Clipboard and busy indication --------------------------------------------------

    void zwischenablage()
    {
        FakeUiServices ui;
        ZwischenablageText(ui, QStringLiteral("eins"));
        QCOMPARE(ui.clipboard, QStringLiteral("eins"));
        ListeInZwischenablage(ui, { QStringLiteral("a"), QString(), QStringLiteral("ü") });
        QCOMPARE(ui.clipboard, QStringLiteral("a\r\n\r\nü\r\n"));
        ListeInZwischenablage(ui, {});
        QCOMPARE(ui.clipboard, QString());
    }

    void wartenVerschachtelt()
    {
        FakeUiServices ui;
        int ereignisse = 0;
        ui.beiEreignissen = [&ereignisse] { ++ereignisse; };
        QCOMPARE(WartenTiefe(), 0);
        WartenBeginn(ui);
        WartenBeginn(ui, QStringLiteral("Laden a.jpg"));
        QCOMPARE(ui.warteCursorTiefe, 1);
        WartenEnde(ui);
        QCOMPARE(ui.warteCursorTiefe, 1);
        QCOMPARE(WartenTiefe(), 1);
        WartenEnde(ui);
        QCOMPARE(ui.warteCursorTiefe, 0);
        WartenEnde(ui); // unmatched: the cursor stays as it is
        QCOMPARE(ui.warteCursorTiefe, 0);
        QCOMPARE(WartenTiefe(), 0);
        HinweisSetzen(ui, QStringLiteral("Fertig"));
        QCOMPARE(ui.hinweise,
            (QStringList { "Bitte warten ...", "Laden a.jpg", QString(), QString(), QString(), "Fertig" }));
        QCOMPARE(ereignisse, 6);
    }
};

KEL_TEST_MAIN(SysTest)
#include "sys_test.moc"
