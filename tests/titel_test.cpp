#include "archive/alb_titelexport.h"
#include "archive/alb_titelstore.h"
#include "archive/alb_titelung.h"
#include "archive/alb_tools.h"
#include "framework/ke7_error.h"
#include "framework/ke7_fortschritt.h"
#include "framework/pex_ini.h"
#include "framework/pex_inishared.h"
#include "framework/pexedit.h"
#include "mainwindow/alb_titeleingabe.h"
#include "tests/common/fakeuiservices.h"
#include "tests/common/kel_test.h"

#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>

#include <functional>

namespace {

// Also remembers where each file dialog started.
class StartUi : public FakeUiServices
{
public:
    QStringList startPfade;
    bool dateiSpeichern(const QString &titel, const QString &filter, const QString &suffix, QString &path) override
    {
        startPfade.append(path);
        filterUndSuffix = filter + QLatin1Char('|') + suffix;
        return FakeUiServices::dateiSpeichern(titel, filter, suffix, path);
    }
    QString filterUndSuffix;
};

} // namespace

class TitelTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_tmp;
    QString m_basis; // with trailing '/'

    static void schreibgeschuetzt(const QString &path)
    {
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    }
    QString ordner(const QString &rel) const
    {
        const QString o = m_basis + rel;
        QDir().mkpath(o);
        return o;
    }

    // Runs the modal dialog while `benutzer` plays the user; a guard closes it after ten
    // seconds so a failing check can never hang the run.
    static bool abfragen(Tam_TitelEingabe &d, const QString &caption, QString &titel, std::function<void()> benutzer)
    {
        QTimer::singleShot(0, &d, benutzer);
        QTimer waechter;
        waechter.setSingleShot(true);
        QObject::connect(&waechter, &QTimer::timeout, &d, &QDialog::reject);
        waechter.start(10000);
        const bool ok = d.TitelAbfragen(caption, titel);
        return ok && waechter.isActive();
    }

private slots:
    void init()
    {
        m_tmp = std::make_unique<QTemporaryDir>();
        m_basis = m_tmp->path() + QLatin1String("/Fotos/");
        QDir().mkpath(m_basis);
    }

    // ---- Titling ------------------------------------------------------------------------

    void titelung_data()
    {
        QTest::addColumn<QString>("tag");
        QTest::addColumn<QString>("titel");
        QTest::addColumn<bool>("mitWochentag");
        QTest::addColumn<QString>("text");
        QTest::newRow("Suffix") << "20120315_Urlaub"
                                << "Urlaub an der Ostsee" << false << "15.03.2012 [Urlaub] - Urlaub an der Ostsee";
        QTest::newRow("Wochentag") << "20120315"
                                   << "Fest" << true << "15.03.2012, Donnerstag - Fest";
        // The whole folder name, dots included, is the section and the key.
        QTest::newRow("Punkte") << "2012.03.15 Fest"
                                << "Feier" << false << "2012.03.15 Fest - Feier";
        QTest::newRow("Gleichheitszeichen") << "20120401"
                                            << "a=b" << false << "01.04.2012 - a=b";
        QTest::newRow("leer") << "20120402"
                              << "" << false << "02.04.2012 - ";
        QTest::newRow("Umlaute") << "20120403"
                                 << "Grüße aus Köln" << false << "03.04.2012 - Grüße aus Köln";
    }
    // The three stores get the title exactly as given; a day new to the year file is appended
    // after the days listed there; the new day-list text comes back.
    void titelung()
    {
        QFETCH(QString, tag);
        QFETCH(QString, titel);
        QFETCH(bool, mitWochentag);
        QFETCH(QString, text);
        const QString jahr = ordner(QStringLiteral("2012"));
        const QString tagOrdner = ordner(QStringLiteral("2012/") + tag);
        kelDateiSchreiben(jahr + QLatin1String("/Verzeichnis.dat"), "[20120101]\r\nTITELNAME=Neujahr\r\n");
        kelDateiSchreiben(m_basis + QLatin1String("Verzeichnis.dat"), "[2011]\r\nx=y\r\n");

        QCOMPARE(TitelSpeichern(m_basis, jahr, QStringLiteral("2012"), tagOrdner, titel, mitWochentag), text);

        const QByteArray t = PexIni::nachCp1252(titel);
        const QByteArray n = PexIni::nachCp1252(tag);
        QCOMPARE(kelDateiLesen(tagOrdner + QLatin1String("/Album.dat")), "[TITEL]\r\nTITELNAME=" + t + "\r\n");
        QCOMPARE(kelDateiLesen(jahr + QLatin1String("/Verzeichnis.dat")),
            "[20120101]\r\nTITELNAME=Neujahr\r\n[" + n + "]\r\nTITELNAME=" + t + "\r\n");
        QCOMPARE(kelDateiLesen(m_basis + QLatin1String("Verzeichnis.dat")),
            "[2011]\r\nx=y\r\n[2012]\r\n" + n + "=" + t + "\r\n");
    }

    // An unchanged title is written all the same: stores that lack the day receive it. The key
    // may end with '/' and the year folder may be named in upper case as Windows wrote it.
    void titelungUnveraendert()
    {
        const QString jahr = ordner(QStringLiteral("2012"));
        const QString tagOrdner = ordner(QStringLiteral("2012/20120315"));
        kelDateiSchreiben(tagOrdner + QLatin1String("/ALBUM.DAT"), "[TITEL]\r\nTITELNAME=Fest\r\n");
        kelDateiSchreiben(jahr + QLatin1String("/VERZEICHNIS.DAT"), "[20120315]\r\nTITELNAME=alt\r\n");
        QCOMPARE(TitelSpeichern(m_basis, jahr + QLatin1Char('/'), QStringLiteral("2012"), tagOrdner + QLatin1Char('/'),
                     QStringLiteral("Fest"), false),
            QStringLiteral("15.03.2012 - Fest"));
        QCOMPARE(kelDateiLesen(tagOrdner + QLatin1String("/ALBUM.DAT")), QByteArray("[TITEL]\r\nTITELNAME=Fest\r\n"));
        QVERIFY(!QFile::exists(tagOrdner + QLatin1String("/Album.dat")));
        QCOMPARE(
            kelDateiLesen(jahr + QLatin1String("/VERZEICHNIS.DAT")), QByteArray("[20120315]\r\nTITELNAME=Fest\r\n"));
        QCOMPARE(kelDateiLesen(m_basis + QLatin1String("Verzeichnis.dat")), QByteArray("[2012]\r\n20120315=Fest\r\n"));
    }

    // The stores are written day, year, base: a refused write ends the titling with the
    // file's name, the stores before it keep the new title, those after it stay as they were.
    void titelungReihenfolge_data()
    {
        QTest::addColumn<int>("gesperrt"); // 0 Album.dat, 1 year file, 2 base file
        QTest::newRow("Album.dat") << 0;
        QTest::newRow("Jahr") << 1;
        QTest::newRow("Grund") << 2;
    }
    void titelungReihenfolge()
    {
        QFETCH(int, gesperrt);
        const QString jahr = ordner(QStringLiteral("2012"));
        const QString tagOrdner = ordner(QStringLiteral("2012/20120315"));
        const QStringList dateien { tagOrdner + QLatin1String("/Album.dat"), jahr + QLatin1String("/Verzeichnis.dat"),
            m_basis + QLatin1String("Verzeichnis.dat") };
        const QList<QByteArray> alt { "[TITEL]\r\nTITELNAME=alt\r\n", "[20120315]\r\nTITELNAME=alt\r\n",
            "[2012]\r\n20120315=alt\r\n" };
        const QList<QByteArray> neu { "[TITEL]\r\nTITELNAME=neu\r\n", "[20120315]\r\nTITELNAME=neu\r\n",
            "[2012]\r\n20120315=neu\r\n" };
        for (int i = 0; i < 3; ++i)
            kelDateiSchreiben(dateien[i], alt[i]);
        schreibgeschuetzt(dateien[gesperrt]);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("read-only file .* not written")));

        QString meldung;
        try {
            TitelSpeichern(m_basis, jahr, QStringLiteral("2012"), tagOrdner, QStringLiteral("neu"), false);
        } catch (const TkelFehler &f) {
            meldung = f.text();
        }
        QVERIFY2(meldung.contains(dateien[gesperrt]), qPrintable(meldung));
        for (int i = 0; i < 3; ++i)
            QCOMPARE(kelDateiLesen(dateien[i]), i < gesperrt ? neu[i] : alt[i]);
    }

    // A year text that is no whole number cannot name the base section: nothing is written.
    void titelungJahrKeineZahl()
    {
        const QString jahr = ordner(QStringLiteral("Urlaub"));
        const QString tagOrdner = ordner(QStringLiteral("Urlaub/20120315"));
        QVERIFY_THROWS_EXCEPTION(
            TkelFehler, TitelSpeichern(m_basis, jahr, QStringLiteral("Urlaub"), tagOrdner, QStringLiteral("x"), false));
        QVERIFY(!QFile::exists(tagOrdner + QLatin1String("/Album.dat")));
        QVERIFY(!QFile::exists(jahr + QLatin1String("/Verzeichnis.dat")));
        QVERIFY(!QFile::exists(m_basis + QLatin1String("Verzeichnis.dat")));
    }

    // ---- Export ---------------------------------------------------------------------------

    void exportDatei_data()
    {
        QTest::addColumn<QString>("titel1999"); // a title written by the titling
        QTest::addColumn<QByteArray>("kopf"); // how the file begins
        QTest::addColumn<QByteArray>("umlaut"); // "ü" in the file's encoding
        QTest::addColumn<QByteArray>("titel1999Bytes");
        QTest::newRow("Windows-1252") << QStringLiteral("Bäder") << QByteArray() << QByteArray("\xfc")
                                      << QByteArray("B\xe4"
                                                    "der");
        // A title the code page cannot hold turns the whole file into UTF-8 with BOM.
        QTest::newRow("UTF-8") << QStringLiteral("Łódź €") << QByteArray("\xef\xbb\xbf") << QByteArray("\xc3\xbc")
                               << QByteArray("\xc5\x81\xc3\xb3\x64\xc5\xba \xe2\x82\xac");
    }
    // Years in the given order, each with its store's days sorted as text ignoring letter
    // case; a year without store gives its line alone; a section without TITELNAME gives an
    // empty title. Exact bytes; an older file is replaced.
    void exportDatei()
    {
        QFETCH(QString, titel1999);
        QFETCH(QByteArray, kopf);
        QFETCH(QByteArray, umlaut);
        QFETCH(QByteArray, titel1999Bytes);

        ordner(QStringLiteral("2011"));
        ordner(QStringLiteral("2012"));
        ordner(QStringLiteral("2013"));
        ordner(QStringLiteral("1999"));
        kelDateiSchreiben(
            m_basis + QLatin1String("2011/Verzeichnis.dat"), "[20111224_Weihnachten]\r\nTITELNAME=Heiligabend\r\n");
        kelDateiSchreiben(m_basis + QLatin1String("2012/Verzeichnis.dat"),
            "[20120401]\r\nTITELNAME=(ohne Titel)\r\n"
            "[silvester]\r\nTITELNAME=Feuerwerk\r\n"
            "[20120315_Urlaub]\r\nTITELNAME=Urlaub an der Ostsee\r\n"
            "[120315]\r\nTITELNAME=Gr\xfc\xdf\x65\r\n"
            "[Ausflug]\r\nANDERS=x\r\n");
        // Written as UTF-16 by the ini layer when the title needs it.
        JahresTitelSchreiben(m_basis + QLatin1String("1999"), QStringLiteral("19991231"), titel1999);

        const TkelKeyItems jahre = JahresListe(m_basis);
        QCOMPARE(jahre.size(), 4);

        StartUi ui;
        const QString ziel = m_tmp->path() + QLatin1String("/Alle Titel.txt");
        kelDateiSchreiben(ziel, "alt und viel l\xe4nger als der neue Inhalt\r\n");
        ui.dateiAntworten.enqueue(ziel);
        TkelFortschrittStumm meter;
        QString exportDatei = m_tmp->path() + QLatin1String("/kelAlbumAlleTitel.txt");
        QVERIFY(TitelExportieren(ui, meter, jahre, exportDatei));

        QCOMPARE(exportDatei, ziel);
        QCOMPARE(ui.dialogTitel, QStringList { QStringLiteral("Alle Titel exportieren nach:") });
        QCOMPARE(ui.startPfade, QStringList { m_tmp->path() + QLatin1String("/kelAlbumAlleTitel.txt") });
        QCOMPARE(ui.filterUndSuffix, QStringLiteral("*.txt|txt"));
        QVERIFY(ui.boxes.isEmpty());

        const QByteArray b = m_basis.toUtf8();
        const QByteArray erwartet = kopf + b + "1999\r\n" + "31.12.1999 - " + titel1999Bytes + "\r\n" + b + "2011\r\n"
            + "24.12.2011 [Weihnachten] - Heiligabend\r\n" + b + "2012\r\n" + "15.03.2012 - Gr" + umlaut
            + (kopf.isEmpty() ? QByteArray("\xdf") : QByteArray("\xc3\x9f")) + "e\r\n"
            + "15.03.2012 [Urlaub] - Urlaub an der Ostsee\r\n" + "01.04.2012 - (ohne Titel)\r\n" + "Ausflug - \r\n"
            + "silvester - Feuerwerk\r\n" + b + "2013\r\n";
        QCOMPARE(kelDateiLesen(ziel), erwartet);

        // One step per year, titled with its store; no cancel button; closed silently.
        QCOMPARE(meter.startTitel, QStringList { TkelFortschritt::BitteWarten() });
        QVERIFY(!meter.mitAbbruch);
        QCOMPARE(meter.Max(), 4);
        QCOMPARE(meter.schritte, 4);
        QStringList dateien;
        for (const char *j : { "1999", "2011", "2012", "2013" })
            dateien.append(m_basis + QLatin1String(j) + QLatin1String("/Verzeichnis.dat"));
        QCOMPARE(meter.schrittTitel, dateien);
        QCOMPARE(meter.beendet, 1);
        QCOMPARE(meter.meldungen, 0);
        QVERIFY(!meter.Aktiv());
    }

    // Only years without any store: just the year lines. A year store spelt in upper case,
    // as a Windows disk may hold it, is read as well.
    void exportNurJahre()
    {
        ordner(QStringLiteral("2011"));
        ordner(QStringLiteral("2012"));
        TkelFortschrittStumm meter;
        const TkelKeyItems jahre = JahresListe(m_basis);
        QCOMPARE(TitelExportZeilen(meter, jahre), (QStringList { m_basis + "2011", m_basis + "2012" }));

        kelDateiSchreiben(m_basis + QLatin1String("2012/VERZEICHNIS.DAT"), "[20120401]\r\nTITELNAME=x\r\n");
        QCOMPARE(TitelExportZeilen(meter, jahre),
            (QStringList { m_basis + "2011", m_basis + "2012", QStringLiteral("01.04.2012 - x") }));
        QCOMPARE(meter.beendet, 2);
    }

    // Cancelling the save dialog, or a target the probe refuses, writes nothing, leaves the
    // remembered file name and never starts the meter; a refused target is reported.
    void exportOhneZiel_data()
    {
        QTest::addColumn<int>("fall"); // 0 cancel, 1 read-only file, 2 missing folder
        QTest::addColumn<QString>("meldung");
        QTest::newRow("Abbruch") << 0 << QString();
        QTest::newRow("schreibgeschuetzt")
            << 1
            << QStringLiteral("Sie haben keine Schreibrechte für die Datei\r<ziel>\rEventuell wird die Datei von einem "
                              "anderen Programm benutzt.");
        QTest::newRow("Ordner fehlt") << 2 << QStringLiteral("Das Verzeichnis\r<ordner>\rwurde nicht gefunden.");
    }
    void exportOhneZiel()
    {
        QFETCH(int, fall);
        QFETCH(QString, meldung);
        ordner(QStringLiteral("2012"));
        const QString fehlt = m_tmp->path() + QLatin1String("/fehlt/");
        const QString ziel
            = fall == 2 ? fehlt + QLatin1String("titel.txt") : m_tmp->path() + QLatin1String("/titel.txt");
        if (fall == 1) {
            kelDateiSchreiben(ziel, "alt\r\n");
            schreibgeschuetzt(ziel);
        }
        FakeUiServices ui;
        if (fall != 0)
            ui.dateiAntworten.enqueue(ziel);
        TkelFortschrittStumm meter;
        const QString vorher = m_tmp->path() + QLatin1String("/vorher.txt");
        QString exportDatei = vorher;
        QVERIFY(!TitelExportieren(ui, meter, JahresListe(m_basis), exportDatei));
        QCOMPARE(exportDatei, vorher);
        QVERIFY(meter.startTitel.isEmpty());
        QCOMPARE(meter.beendet, 0);
        QVERIFY(!QFile::exists(vorher));
        QCOMPARE(kelDateiLesen(ziel), fall == 1 ? QByteArray("alt\r\n") : QByteArray());
        QCOMPARE(ui.texte(),
            meldung.isEmpty() ? QStringList()
                              : QStringList { QString(meldung)
                                                  .replace(QLatin1String("<ziel>"), ziel)
                                                  .replace(QLatin1String("<ordner>"), fehlt) });
        QCOMPARE(ui.beeps, meldung.isEmpty() ? 0 : 1);
        QCOMPARE(QDir(m_tmp->path()).entryList(QDir::Files | QDir::Hidden).size(), fall == 1 ? 1 : 0);
    }

    // ---- Dialog ---------------------------------------------------------------------------

    void dialogAufbau()
    {
        SetSharedIniFileName(QStringLiteral("aufbau.ini"));
        Tam_TitelEingabe d;
        d.EinstellungenLaden();
        QCOMPARE(d.size(), QSize(473, 118));
        QCOMPARE(d.gb_Titel->title(), QStringLiteral("Titel zu Fotoserie eingeben:"));
        QCOMPARE(d.bb_OK->text(), QStringLiteral("Speichern"));
        QCOMPARE(d.bb_Cancel->text(), QStringLiteral("Abbruch"));
        QVERIFY(d.gb_Titel->isAncestorOf(d.ed_Titel));
        QVERIFY(d.pa_Client->isAncestorOf(d.gb_Titel));
    }

    // F2 takes the typed title, which replaced the old one selected as a whole; Esc leaves
    // the title alone. The caption is the day folder; the dialog remembers its geometry.
    void dialogAbfragen_data()
    {
        QTest::addColumn<int>("taste");
        QTest::addColumn<bool>("ergebnis");
        QTest::addColumn<QString>("titel");
        QTest::newRow("F2") << int(Qt::Key_F2) << true << QStringLiteral("Neuer Titel");
        QTest::newRow("Esc") << int(Qt::Key_Escape) << false << QStringLiteral("Alter Titel");
    }
    void dialogAbfragen()
    {
        QFETCH(int, taste);
        QFETCH(bool, ergebnis);
        QFETCH(QString, titel);
        SetSharedIniFileName(QStringLiteral("titel.ini"));
        QFile::remove(SharedIniFile().fileName());
        Tam_TitelEingabe d;
        const QString caption = m_basis + QLatin1String("2012/20120315/");
        QString auswahl;
        QString fenstertitel;
        QString t = QStringLiteral("Alter Titel");
        const bool ok = abfragen(d, caption, t, [&] {
            if (QTest::qWaitForWindowActive(&d)) {
                auswahl = d.ed_Titel->selectedText();
                fenstertitel = d.windowTitle();
                QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("Neuer Titel"));
                QTest::keyClick(QApplication::focusWidget(), Qt::Key(taste));
            }
        });
        QCOMPARE(auswahl, QStringLiteral("Alter Titel"));
        QCOMPARE(fenstertitel, caption);
        QCOMPARE(ok, ergebnis);
        QCOMPARE(t, titel);
        QVERIFY(!d.isVisible());
        QVERIFY(PexIni::sektionVorhanden(SharedIniFile().fileName(), QStringLiteral("Tam_TitelEingabe")));
        QCOMPARE(
            PexIni::lesen(SharedIniFile().fileName(), QStringLiteral("Tam_TitelEingabe"), QStringLiteral("__WIDTH")),
            QStringLiteral("473"));
    }

    // The second call shows the new caller's title, again selected as a whole.
    void dialogZweiterAufruf()
    {
        SetSharedIniFileName(QStringLiteral("zweiter.ini"));
        Tam_TitelEingabe d;
        QString t = QStringLiteral("eins");
        QVERIFY(abfragen(d, QStringLiteral("a"), t, [&] {
            if (QTest::qWaitForWindowActive(&d)) {
                d.ed_Titel->end(false);
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_F2);
            }
        }));
        QString auswahl;
        t = QStringLiteral("zwei");
        QVERIFY(abfragen(d, QStringLiteral("b"), t, [&] {
            if (QTest::qWaitForWindowActive(&d)) {
                auswahl = d.ed_Titel->selectedText();
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_F2);
            }
        }));
        QCOMPARE(auswahl, QStringLiteral("zwei"));
        QCOMPARE(t, QStringLiteral("zwei"));
    }
};

KEL_TEST_MAIN(TitelTest)
#include "titel_test.moc"
