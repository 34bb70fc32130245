#include "archive/alb_titel.h"
#include "archive/alb_tools.h"
#include "framework/ke7_date.h"
#include "framework/ke7_dir.h"
#include "framework/ke7_str.h"
#include "tests/common/kel_test.h"

#include <QCryptographicHash>
#include <QDirIterator>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>

namespace {

void DateiSchreiben(const QString &pfad, const QByteArray &inhalt)
{
    QDir().mkpath(QFileInfo(pfad).absolutePath());
    QFile f(pfad);
    QVERIFY2(f.open(QIODevice::WriteOnly), qPrintable(pfad));
    f.write(inhalt);
}

QByteArray AlbumDat(const QByteArray &titelCp1252)
{
    return "[TITEL]\r\nTITELNAME=" + titelCp1252 + "\r\n";
}

QStringList Namen(const QStringList &pfade)
{
    QStringList namen;
    for (const QString &p : pfade)
        namen.append(QFileInfo(p).fileName());
    return namen;
}

QStringList Texte(const TkelKeyItems &items)
{
    QStringList texte;
    for (const TkelKeyItem &i : items)
        texte.append(i.text);
    return texte;
}

// Relative path, size, content hash and modification time of every entry below `ordner`.
QStringList Inventar(const QString &ordner)
{
    QStringList zeilen;
    QDirIterator it(ordner, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        const QFileInfo info = it.fileInfo();
        QString zeile = info.filePath().mid(ordner.size()) + QLatin1Char(' ')
            + QString::number(info.lastModified().toSecsSinceEpoch());
        if (info.isFile()) {
            QFile f(info.filePath());
            if (f.open(QIODevice::ReadOnly))
                zeile += QLatin1Char(' ')
                    + QString::fromLatin1(QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256).toHex());
        }
        zeilen.append(zeile);
    }
    zeilen.sort();
    return zeilen;
}

} // namespace

class ArchiveTest : public QObject
{
    Q_OBJECT

private slots:
    // ---- text functions -----------------------------------------------------------------

    void trimmen_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("beide");
        QTest::addColumn<QString>("links");
        QTest::addColumn<QString>("rechts");
        QTest::newRow("leer") << ""
                              << ""
                              << ""
                              << "";
        QTest::newRow("nur Blanks") << "   "
                                    << ""
                                    << ""
                                    << "";
        QTest::newRow("beidseitig") << "  a b  "
                                    << "a b"
                                    << "a b  "
                                    << "  a b";
        QTest::newRow("Tab und Umbruch bleiben") << "\t a \n"
                                                 << "\t a \n"
                                                 << "\t a \n"
                                                 << "\t a \n";
        QTest::newRow("geschütztes Leerzeichen bleibt") << "\u00a0x "
                                                        << "\u00a0x"
                                                        << "\u00a0x "
                                                        << "\u00a0x";
    }
    void trimmen()
    {
        QFETCH(QString, text);
        QFETCH(QString, beide);
        QFETCH(QString, links);
        QFETCH(QString, rechts);
        QCOMPARE(TrimBlanks(text), beide);
        QCOMPARE(TrimBlanksLeft(text), links);
        QCOMPARE(TrimBlanksRight(text), rechts);
    }

    void feld_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("trenner");
        QTest::addColumn<int>("n");
        QTest::addColumn<QString>("ergebnis");
        QTest::newRow("0: vor dem ersten, ungetrimmt") << " a /b/c"
                                                       << "/" << 0 << " a ";
        QTest::newRow("0: ohne Trenner ganz") << " abc "
                                              << "/" << 0 << " abc ";
        QTest::newRow("1: getrimmt") << "2012/ 20120315 Urlaub /x.jpg"
                                     << "/" << 1 << "20120315 Urlaub";
        QTest::newRow("2: bis zum Ende") << "2012/d/IMG 1.JPG"
                                         << "/" << 2 << "IMG 1.JPG";
        QTest::newRow("zu wenige Trenner") << "2012/d"
                                           << "/" << 2 << "";
        QTest::newRow("leeres Feld") << "a//b"
                                     << "/" << 1 << "";
        QTest::newRow("Trenner am Ende") << "a/"
                                         << "/" << 1 << "";
        QTest::newRow("negativ") << "a/b"
                                 << "/" << -1 << "";
        QTest::newRow("Blank als Trenner") << "2012-03-15 Urlaub an "
                                           << " " << 1 << "Urlaub";
        QTest::newRow("leerer Text") << ""
                                     << "/" << 0 << "";
    }
    void feld()
    {
        QFETCH(QString, text);
        QFETCH(QString, trenner);
        QFETCH(int, n);
        QFETCH(QString, ergebnis);
        QCOMPARE(Feld(text, trenner.at(0), n), ergebnis);
    }

    void alleErsetzen_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("alt");
        QTest::addColumn<QString>("neu");
        QTest::addColumn<QString>("ergebnis");
        QTest::newRow("ein Durchgang") << "a___b"
                                       << "__"
                                       << "_"
                                       << "a__b";
        QTest::newRow("eingesetzter Text wird nicht erneut durchsucht") << "aa"
                                                                        << "a"
                                                                        << "aa"
                                                                        << "aaaa";
        QTest::newRow("Gross/klein zählt") << "Aa"
                                           << "a"
                                           << "x"
                                           << "Ax";
        QTest::newRow("nicht vorhanden") << "abc"
                                         << "x"
                                         << "y"
                                         << "abc";
        QTest::newRow("leeres Muster") << "abc"
                                       << ""
                                       << "y"
                                       << "abc";
        QTest::newRow("löschen") << "a-b-c"
                                 << "-"
                                 << ""
                                 << "abc";
    }
    void alleErsetzen()
    {
        QFETCH(QString, text);
        QFETCH(QString, alt);
        QFETCH(QString, neu);
        QFETCH(QString, ergebnis);
        QCOMPARE(AlleErsetzen(text, alt, neu), ergebnis);
    }

    void umlautname_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("ergebnis");
        QTest::newRow("Titel") << "Urlaub an der Ostsee"
                               << "urlaub_an_der_ostsee";
        QTest::newRow("Umlaute") << "Urlaub Rügen ÄÖÜ äöü ß"
                                 << "urlaub_ruegen_aeoeue_aeoeue_ss";
        QTest::newRow("Sonderzeichen") << "b_1.2-3 (x)"
                                       << "b_1_2_3__x_";
        QTest::newRow("andere Akzente") << "Café Ørsted"
                                        << "caf___rsted";
        QTest::newRow("zerlegtes Umlaut-a") << QString::fromUtf8("Ba\xcc\x88r") << "baer";
        QTest::newRow("Emoji ist ein Zeichen") << QString::fromUtf8("a\xf0\x9f\x98\x80"
                                                                    "b")
                                               << "a_b";
        QTest::newRow("grosses Eszett") << QString::fromUtf8("STRA\xe1\xba\x9e"
                                                             "E")
                                        << "strasse";
        QTest::newRow("leer") << ""
                              << "";
    }
    void umlautname()
    {
        QFETCH(QString, text);
        QFETCH(QString, ergebnis);
        QCOMPARE(Umlautname(text), ergebnis);
    }

    void zeichenErsetzen_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("ergebnis");
        QTest::newRow("erlaubte bleiben") << "a Z 0 9 $-@_~ ÄÖÜäöüß"
                                          << "a Z 0 9 $-@_~ ÄÖÜäöüß";
        QTest::newRow("Satzzeichen") << "a.b,c/d\\e:f*g?h\"i<j>k|l"
                                     << "a#b#c#d#e#f#g#h#i#j#k#l";
        QTest::newRow("Latin-1 ausser Umlauten") << "éàçÅ"
                                                 << "####";
        QTest::newRow("Steuerzeichen") << "a\tb\nc"
                                       << "a#b#c";
        QTest::newRow("über 255 bleibt") << "Čł€"
                                         << "Čł€";
    }
    void zeichenErsetzen()
    {
        QFETCH(QString, text);
        QFETCH(QString, ergebnis);
        QCOMPARE(ZeichenErsetzen(text, QLatin1Char('#')), ergebnis);
    }

    void dateiname_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("ergebnis");
        QTest::newRow("Blanks") << "Oma Geburtstag"
                                << "Oma_Geburtstag";
        QTest::newRow("Umlaute bleiben") << "Urlaub Rügen"
                                         << "Urlaub_Rügen";
        QTest::newRow("ein Durchgang") << "a   b"
                                       << "a__b";
        QTest::newRow("Zeichen und Blank") << "a. b"
                                           << "a_b";
        QTest::newRow("Schrägstrich") << "2012/03"
                                      << "2012_03";
    }
    void dateiname()
    {
        QFETCH(QString, text);
        QFETCH(QString, ergebnis);
        QCOMPARE(Dateiname(text), ergebnis);
    }

    void fuehrendeNullen()
    {
        QCOMPARE(Vierstellig(7), QStringLiteral("0007"));
        QCOMPARE(Vierstellig(0), QStringLiteral("0000"));
        QCOMPARE(Vierstellig(12345), QStringLiteral("12345"));
        QCOMPARE(Vierstellig(-7), QStringLiteral("-0007"));
        QCOMPARE(Zweistellig(3), QStringLiteral("03"));
        QCOMPARE(Zweistellig(100), QStringLiteral("100"));
    }

    void grossKlein()
    {
        QCOMPARE(Grossbuchstaben(QStringLiteral("Straße äö")), QStringLiteral("STRAßE ÄÖ"));
        QCOMPARE(Kleinbuchstaben(QStringLiteral("ÄÖÜ ABC")), QStringLiteral("äöü abc"));
        QCOMPARE(Grossbuchstaben(QString::fromUtf8("\xf0\x90\x90\xa8")), QString::fromUtf8("\xf0\x90\x90\x80"));
        QVERIFY(TextGleich(QStringLiteral("album.DAT"), QStringLiteral("ALBUM.dat")));
        QVERIFY(!TextGleich(QStringLiteral("ß"), QStringLiteral("SS")));
    }

    // ---- text order ---------------------------------------------------------------------

    void textOrdnung()
    {
        QStringList liste { "IMG_9.JPG", "img_10.jpg", "999", "2012", "Zebra", "äpfel", "Apfel", "b", "B", "a" };
        TextSortieren(liste);
        // Not numeric, letter case ignored, "B" and "b" keep their order.
        const QStringList erwartet { "2012", "999", "a", "Apfel", "äpfel", "b", "B", "img_10.jpg", "IMG_9.JPG",
            "Zebra" };
        QCOMPARE(liste, erwartet);
        QVERIFY(TextVergleich(QStringLiteral("abc"), QStringLiteral("ABC")) == 0);
        QVERIFY(TextKleiner(QStringLiteral("IMG_10.JPG"), QStringLiteral("IMG_9.JPG")));
    }

    void itemsNachText()
    {
        TkelKeyItems items { { "b", "1" }, { "A", "2" }, { "B", "3" }, { "a", "4" }, { "10", "5" }, { "9", "6" } };
        ItemsNachTextSortieren(items);
        QStringList schluessel;
        for (const TkelKeyItem &i : std::as_const(items))
            schluessel.append(i.key);
        QCOMPARE(schluessel, (QStringList { "5", "6", "2", "4", "1", "3" }));
    }

    // ---- dates --------------------------------------------------------------------------

    void datumFormen()
    {
        const QDate d(2024, 3, 7);
        QCOMPARE(DatumJJJJMMTT(d), QStringLiteral("20240307"));
        QCOMPARE(DatumMitTrenner(QStringLiteral("_"), d), QStringLiteral("2024_03_07"));
        QCOMPARE(DatumMitTrenner(QStringLiteral("-"), d), QStringLiteral("2024-03-07"));
        QCOMPARE(JahrText(d), QStringLiteral("2024"));
        QCOMPARE(JahresAnfang(2012), QDate(2012, 1, 1));
        QCOMPARE(DatumText(d), QStringLiteral("07.03.2024"));
        QCOMPARE(DatumText(QDate(800, 1, 2)), QStringLiteral("02.01.0800"));
        QVERIFY(DatumText(QDate()).isEmpty());
        QVERIFY(DatumJJJJMMTT(QDate()).isEmpty());
        QVERIFY(JahrText(QDate()).isEmpty());
        QCOMPARE(DatumsName(QDate(2019, 12, 24), Datumsform::JJJJMMTT), QStringLiteral("20191224"));
        QCOMPARE(DatumsName(QDate(2019, 12, 24), Datumsform::JJJJ_MM_TT), QStringLiteral("2019_12_24"));
        QCOMPARE(DatumsName(QDate(2019, 12, 24), Datumsform::JJJJ_Strich_MM_TT), QStringLiteral("2019-12-24"));
    }

    void datumLesen_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDate>("datum");
        QTest::newRow("gültig") << "15.03.2012" << QDate(2012, 3, 15);
        QTest::newRow("Schalttag") << "29.02.2012" << QDate(2012, 2, 29);
        QTest::newRow("kein Schalttag") << "29.02.2013" << QDate();
        QTest::newRow("31. Februar") << "31.02.2012" << QDate();
        QTest::newRow("Monat 13") << "01.13.2012" << QDate();
        QTest::newRow("Jahr 0") << "01.01.0000" << QDate();
        QTest::newRow("einstellig") << "1.3.2012" << QDate();
        QTest::newRow("Rest dahinter") << "15.03.2012 Fest" << QDate();
        QTest::newRow("Blank davor") << " 15.03.2012" << QDate();
        QTest::newRow("Vorzeichen") << "+1.03.2012" << QDate();
        QTest::newRow("Bindestriche") << "15-03-2012" << QDate();
        QTest::newRow("leer") << "" << QDate();
    }
    void datumLesen()
    {
        QFETCH(QString, text);
        QFETCH(QDate, datum);
        QCOMPARE(DatumLesen(text), datum);
    }

    // ---- day folders --------------------------------------------------------------------

    // datum: the date part (or the whole name when it is no date); the full display is
    // datum + ", " + wochentag + " [" + suffix + "]", each part left out when empty.
    void tagesanzeige_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("datum");
        QTest::addColumn<QString>("wochentag");
        QTest::addColumn<QString>("suffix");
        QTest::newRow("JJJJMMTT") << "20120315"
                                  << "15.03.2012"
                                  << "Donnerstag"
                                  << "";
        QTest::newRow("Bindestriche + Wort") << "2012-03-15 Urlaub"
                                             << "15.03.2012"
                                             << "Donnerstag"
                                             << "Urlaub";
        QTest::newRow("Unterstriche") << "2012_03_15_Ostsee"
                                      << "15.03.2012"
                                      << "Donnerstag"
                                      << "Ostsee";
        QTest::newRow("JJMMTT") << "120315"
                                << "15.03.2012"
                                << "Donnerstag"
                                << "";
        QTest::newRow("99 -> 1999") << "990101"
                                    << "01.01.1999"
                                    << "Freitag"
                                    << "";
        QTest::newRow("49 -> 2049") << "490101"
                                    << "01.01.2049"
                                    << "Freitag"
                                    << "";
        QTest::newRow("50 -> 1950") << "500101"
                                    << "01.01.1950"
                                    << "Sonntag"
                                    << "";
        QTest::newRow("nur zweites Wort") << "20120315 Urlaub an der Ostsee"
                                          << "15.03.2012"
                                          << "Donnerstag"
                                          << "Urlaub";
        QTest::newRow("Kopfrest + Wort") << "20120315_Urlaub an der Ostsee"
                                         << "15.03.2012"
                                         << "Donnerstag"
                                         << "Urlauban";
        QTest::newRow("Striche im Suffix") << "2012-03-15_Party-Zeit"
                                           << "15.03.2012"
                                           << "Donnerstag"
                                           << "PartyZeit";
        QTest::newRow("unmöglicher Tag") << "20120231"
                                         << "31.02.2012"
                                         << ""
                                         << "";
        QTest::newRow("vier Ziffern") << "2012"
                                      << "2012"
                                      << ""
                                      << "";
        QTest::newRow("Buchstaben in den Ziffern") << "120315Party"
                                                   << "120315Party"
                                                   << ""
                                                   << "";
        QTest::newRow("kein Datum") << "Silvester 2012"
                                    << "Silvester 2012"
                                    << ""
                                    << "";
        QTest::newRow("leer") << ""
                              << ""
                              << ""
                              << "";
        QTest::newRow("vier Ziffern + Wort") << "2012 Fest"
                                             << "2012"
                                             << ""
                                             << "Fest";
        QTest::newRow("Vorzeichen ist keine Zahl") << "+1203155"
                                                   << "+1203155"
                                                   << ""
                                                   << "";
        QTest::newRow("fremde Ziffern") << "٢٠١٢٠٣١٥"
                                        << "٢٠١٢٠٣١٥"
                                        << ""
                                        << "";
        QTest::newRow("Punkte") << "15.03.2012 Fest"
                                << "15.03.2012 Fest"
                                << ""
                                << "";
        QTest::newRow("vor 1900") << "18500101 Oma"
                                  << "01.01.1850"
                                  << "Dienstag"
                                  << "Oma";
        QTest::newRow("Jahr 0") << "00000101"
                                << "01.01.0000"
                                << ""
                                << "";
        QTest::newRow("führendes Blank") << " 20120315"
                                         << " 20120315"
                                         << ""
                                         << "";
    }
    void tagesanzeige()
    {
        QFETCH(QString, name);
        QFETCH(QString, datum);
        QFETCH(QString, wochentag);
        QFETCH(QString, suffix);
        const QString mitTag = wochentag.isEmpty() ? datum : datum + QLatin1String(", ") + wochentag;
        const QString klammer = suffix.isEmpty() ? QString() : QLatin1String(" [") + suffix + QLatin1Char(']');
        QCOMPARE(Tagesanzeige(name, true, true), mitTag + klammer);
        QCOMPARE(Tagesanzeige(name, false, true), datum + klammer);
        QCOMPARE(Tagesanzeige(name, true, false), mitTag);
        QCOMPARE(Tagesanzeige(name, false, false), datum);
        QCOMPARE(TagAnzeige(name, true), mitTag + klammer);
    }

    void tagesdatum_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QDate>("datum");
        QTest::newRow("JJJJMMTT") << "20120315" << QDate(2012, 3, 15);
        QTest::newRow("mit Suffix") << "2012-03-15 Urlaub" << QDate(2012, 3, 15);
        QTest::newRow("JJMMTT") << "120315" << QDate(2012, 3, 15);
        QTest::newRow("dd.mm.yyyy + Wort") << "15.03.2012 Fest" << QDate(2012, 3, 15);
        QTest::newRow("unmöglicher Tag") << "20120231" << QDate();
        QTest::newRow("kein Datum") << "Silvester 2012" << QDate();
        QTest::newRow("vier Ziffern") << "2012" << QDate();
        QTest::newRow("einstellig mit Punkten") << "1.3.2012 Fest" << QDate();
        QTest::newRow("leer") << "" << QDate();
    }
    void tagesdatum()
    {
        QFETCH(QString, name);
        QFETCH(QDate, datum);
        QCOMPARE(Tagesdatum(name), datum);
    }

    void tagAnzeigeLeer()
    {
        QCOMPARE(TagAnzeige(QString(), true), QString());
        QCOMPARE(TagAnzeige(QStringLiteral("  "), false), QStringLiteral("  "));
        QCOMPARE(Wochentagname(QDate()), QString());
        QCOMPARE(WochentagNamen().size(), 7);
        QCOMPARE(WochentagNamen().first(), QStringLiteral("Sonntag"));
    }

    // ---- listings -----------------------------------------------------------------------

    void jahresListe()
    {
        QTemporaryDir tmp;
        const QString basis = tmp.path() + QLatin1String("/Fotos/");
        for (const char *name : { "2012", "2011", "Scans", "800", "0", "2012a", ".2010", "99999999999" })
            QVERIFY(QDir().mkpath(basis + QLatin1String(name)));
        DateiSchreiben(basis + QLatin1String("2013"), "eine Datei, kein Jahr");
        // A link to a folder elsewhere counts as a year folder.
        QVERIFY(QDir().mkpath(tmp.path() + QLatin1String("/anderswo/2009")));
        QVERIFY(QFile::link(tmp.path() + QLatin1String("/anderswo/2009"), basis + QLatin1String("2009")));

        const TkelKeyItems jahre = JahresListe(basis);
        QCOMPARE(Texte(jahre), (QStringList { "2009", "2011", "2012", "800" }));
        QCOMPARE(jahre.at(1).key, basis + QLatin1String("2011"));
        // The base folder without trailing '/' gives the same keys.
        QCOMPARE(JahresListe(tmp.path() + QLatin1String("/Fotos")).at(1).key, basis + QLatin1String("2011"));

        QVERIFY(JahresListe(tmp.path() + QLatin1String("/fehlt/")).isEmpty());
        QVERIFY(JahresListe(QString()).isEmpty());
    }

    void jahresname_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("jahr");
        QTest::newRow("2012") << "2012" << true;
        QTest::newRow("800") << "800" << true;
        QTest::newRow("führende Null") << "0800" << true;
        QTest::newRow("0") << "0" << false;
        QTest::newRow("Vorzeichen") << "+2012" << false;
        QTest::newRow("negativ") << "-2012" << false;
        QTest::newRow("zu gross") << "99999999999" << false;
        QTest::newRow("Buchstaben") << "Scans" << false;
        QTest::newRow("hex") << "0x7e0" << false;
        QTest::newRow("leer") << "" << false;
    }
    void jahresname()
    {
        QFETCH(QString, name);
        QFETCH(bool, jahr);
        QCOMPARE(IstJahresname(name), jahr);
    }

    void fotoListe()
    {
        QTemporaryDir tmp;
        const QString tag = tmp.path() + QLatin1String("/2012/20120315/");
        for (const char *name : { "c.jpeg", "B.JPG", "a.jpg", "IMG_9.JPG", "IMG_10.JPG", ".versteckt.jpg", "notiz.txt",
                 "x.jpg.bak", "Bild.JPEG", "ä.jpg" })
            DateiSchreiben(tag + QString::fromUtf8(name), "x");
        QVERIFY(QDir().mkpath(tag + QLatin1String("ordner.jpg")));
        QVERIFY(QFile::link(tag + QLatin1String("a.jpg"), tag + QLatin1String("verweis.jpg")));
        QVERIFY(QFile::link(tag + QLatin1String("fehlt.jpg"), tag + QLatin1String("tot.jpg")));

        const QStringList fotos = FotoListe(tag);
        QCOMPARE(Namen(fotos),
            (QStringList {
                "a.jpg", "ä.jpg", "B.JPG", "Bild.JPEG", "c.jpeg", "IMG_10.JPG", "IMG_9.JPG", "verweis.jpg" }));
        QCOMPARE(fotos.first(), tag + QLatin1String("a.jpg"));
        // Without trailing '/' the paths are the same.
        QCOMPARE(FotoListe(tmp.path() + QLatin1String("/2012/20120315")), fotos);
        QVERIFY(FotoListe(tmp.path() + QLatin1String("/fehlt")).isEmpty());

        QCOMPARE(RelativerFotoPfad(tmp.path(), fotos.first()), QStringLiteral("2012/20120315/a.jpg"));
        QCOMPARE(
            RelativerFotoPfad(tmp.path() + QLatin1Char('/'), fotos.first()), QStringLiteral("2012/20120315/a.jpg"));
        QCOMPARE(RelativerFotoPfad(QStringLiteral("/anderswo/"), fotos.first()), fotos.first());
    }

    void ordnerListen()
    {
        QTemporaryDir tmp;
        const QString o = tmp.path() + QLatin1Char('/');
        for (const char *name : { "b", "A", ".versteckt" })
            QVERIFY(QDir().mkpath(o + QLatin1String(name)));
        DateiSchreiben(o + QLatin1String("datei.JPG"), "x");
        DateiSchreiben(o + QLatin1String("Datei2.jpg"), "x");
        DateiSchreiben(o + QLatin1String(".versteckt.jpg"), "x");

        QStringList liste { QStringLiteral("alt") };
        VerzeichnisseToItems(o, liste);
        liste.sort();
        QCOMPARE(liste, (QStringList { "A", "b" }));
        VerzeichnisseToItems(o + QLatin1String("fehlt"), liste);
        QVERIFY(liste.isEmpty());

        liste = QStringList { QStringLiteral("zzz") };
        DateienToItems(o + QLatin1String("*.jpg"), liste, false);
        QCOMPARE(liste, (QStringList { "datei.JPG", "Datei2.jpg", "zzz" }));
        DateienToItems(tmp.path(), QStringLiteral("*.JPG"), liste, true);
        QCOMPARE(liste, (QStringList { "datei.JPG", "Datei2.jpg" }));

        liste = QStringList { QStringLiteral("alt") };
        DateienMitPfadToItems(tmp.path(), QStringLiteral("d*2.*"), liste, false);
        QCOMPARE(liste, (QStringList { "alt", o + QLatin1String("Datei2.jpg") }));
        DateienMitPfadToItems(o + QLatin1String("fehlt/"), QStringLiteral("*.*"), liste, true);
        QVERIFY(liste.isEmpty());
    }

    void maske_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("maske");
        QTest::addColumn<bool>("trifft");
        QTest::newRow("Endung") << "IMG_1.JPG"
                                << "*.jpg" << true;
        QTest::newRow("andere Endung") << "IMG_1.jpeg"
                                       << "*.jpg" << false;
        QTest::newRow("Endung dahinter") << "x.jpg.bak"
                                         << "*.jpg" << false;
        QTest::newRow("Fragezeichen") << "a1.txt"
                                      << "a?.TXT" << true;
        QTest::newRow("Fragezeichen zu kurz") << "a.txt"
                                              << "a?.txt" << false;
        QTest::newRow("*.* ohne Punkt") << "README"
                                        << "*.*" << true;
        QTest::newRow("Stern mittendrin") << "abcXYZdef"
                                          << "abc*def" << true;
        QTest::newRow("mehrere Sterne") << "aXbYc"
                                        << "*a*b*c*" << true;
        QTest::newRow("Umlaut ohne Gross/klein") << "Äpfel.jpg"
                                                 << "ä*" << true;
        QTest::newRow("leere Maske") << "a"
                                     << "" << false;
    }
    void maske()
    {
        QFETCH(QString, name);
        QFETCH(QString, maske);
        QFETCH(bool, trifft);
        QCOMPARE(NameTrifftMaske(name, maske), trifft);
    }

    // ---- title store and export names ---------------------------------------------------

    void albumTitelLesen()
    {
        QTemporaryDir tmp;
        const QString o = tmp.path() + QLatin1Char('/');
        QCOMPARE(AlbumTitelLesen(o + QLatin1String("fehlt")), QStringLiteral("(ohne Titel)"));

        DateiSchreiben(o + QLatin1String("a/Album.dat"), AlbumDat("Fr\xfchling im Garten"));
        QCOMPARE(AlbumTitelLesen(o + QLatin1String("a")), QStringLiteral("Frühling im Garten"));
        QCOMPARE(AlbumTitelLesen(o + QLatin1String("a/")), QStringLiteral("Frühling im Garten"));

        // The upper-case name is looked for first.
        DateiSchreiben(o + QLatin1String("b/Album.dat"), AlbumDat("klein"));
        DateiSchreiben(o + QLatin1String("b/ALBUM.DAT"), AlbumDat("GROSS"));
        QCOMPARE(AlbumTitelLesen(o + QLatin1String("b")), QStringLiteral("GROSS"));
        QCOMPARE(TitelDateiPfad(o + QLatin1String("b"), kAlbumDat), o + QLatin1String("b/ALBUM.DAT"));

        // Any other spelling is found too.
        DateiSchreiben(o + QLatin1String("c/album.Dat"), AlbumDat("anders geschrieben"));
        QCOMPARE(AlbumTitelLesen(o + QLatin1String("c")), QStringLiteral("anders geschrieben"));

        DateiSchreiben(o + QLatin1String("d/Album.dat"), "[TITEL]\r\nTITELNAME=\r\n");
        QCOMPARE(AlbumTitelLesen(o + QLatin1String("d")), QString());
        DateiSchreiben(o + QLatin1String("e/Album.dat"), "[ANDERES]\r\nTITELNAME=x\r\n");
        QCOMPARE(AlbumTitelLesen(o + QLatin1String("e")), QStringLiteral("(ohne Titel)"));
        // A folder named like the store is no store.
        QVERIFY(QDir().mkpath(o + QLatin1String("f/ALBUM.DAT")));
        QCOMPARE(AlbumTitelLesen(o + QLatin1String("f")), QStringLiteral("(ohne Titel)"));
        QCOMPARE(TitelDateiPfad(o + QLatin1String("g"), kAlbumDat), o + QLatin1String("g/Album.dat"));
    }

    void zielname_data()
    {
        QTest::addColumn<QString>("relativ");
        QTest::addColumn<QByteArray>("albumDat"); // empty: no Album.dat
        QTest::addColumn<bool>("mitTitel");
        QTest::addColumn<QString>("praefix");
        QTest::addColumn<QString>("ergebnis");
        QTest::newRow("mit Titel") << "2012/20120315_Urlaub/IMG_0001.JPG" << AlbumDat("Urlaub an der Ostsee") << true
                                   << "b_"
                                   << "b_2012_03_15_0007_urlaub_an_der_ostsee.jpg";
        QTest::newRow("ohne Titel") << "2012/20120315_Urlaub/IMG_0001.JPG" << AlbumDat("Urlaub an der Ostsee") << false
                                    << "b_"
                                    << "b_2012_03_15_0007.jpg";
        QTest::newRow("kein Album.dat") << "2012/20120315_Urlaub/IMG_0001.JPG" << QByteArray() << true << "b_"
                                        << "b_2012_03_15_0007.jpg";
        QTest::newRow("(ohne Titel) in anderer Schreibung")
            << "2012/120315/x.jpg" << AlbumDat("  (OHNE titel) ") << true << ""
            << "2012_03_15_0007.jpg";
        QTest::newRow("Unterstrich-Läufe")
            << "2012/2012-03-15/x.jpg" << AlbumDat("_\xc4rger &  Spa\xdf_") << true << "Vor Silbe"
            << "vor_silbe2012_03_15_0007_aerger_spass_.jpg";
        QTest::newRow("Tag ohne Datum") << "2012/Silvester 2012/x.jpg" << QByteArray() << false << "b_"
                                        << "b_Silvester 2012_0007.jpg";
        QTest::newRow("unmöglicher Tag") << "2012/20120231/x.jpg" << QByteArray() << false << ""
                                         << "31.02.2012_0007.jpg";
        QTest::newRow("Tag mit Unterstrichen") << "2012/__a__/x.jpg" << QByteArray() << false << ""
                                               << "_a_0007.jpg";
    }
    void zielname()
    {
        QFETCH(QString, relativ);
        QFETCH(QByteArray, albumDat);
        QFETCH(bool, mitTitel);
        QFETCH(QString, praefix);
        QFETCH(QString, ergebnis);
        QTemporaryDir tmp;
        const QString basis = tmp.path() + QLatin1String("/Fotos/");
        const QString tagOrdner = basis + relativ.left(relativ.lastIndexOf(QLatin1Char('/')));
        QVERIFY(QDir().mkpath(tagOrdner));
        if (!albumDat.isEmpty())
            DateiSchreiben(tagOrdner + QLatin1String("/Album.dat"), albumDat);
        const QString ziel = tmp.path() + QLatin1String("/Export");
        QCOMPARE(Zielname(basis, relativ, 7, mitTitel, praefix, ziel), ziel + QLatin1Char('/') + ergebnis);
        QCOMPARE(Zielname(basis, relativ, 7, mitTitel, praefix, ziel + QLatin1Char('/')),
            ziel + QLatin1Char('/') + ergebnis);
    }

    void zielnamenStamm()
    {
        QCOMPARE(ZielnamenStamm(QStringLiteral("/x/"), QStringLiteral("2011/20110305 Ausflug/a.jpg"), 1, false),
            QStringLiteral("2011_03_05_0001"));
        QCOMPARE(ZielnamenStamm(QStringLiteral("/x/"), QStringLiteral("2011/Ausflug/a.jpg"), 12345, false),
            QStringLiteral("Ausflug_12345"));
    }

    // ---- the sample archive -------------------------------------------------------------

    void beispielArchiv()
    {
        const QString skript = qEnvironmentVariable("KEL_SCRIPTS") + QLatin1String("/make-sample-archive");
        if (!QFileInfo::exists(skript) || QStandardPaths::findExecutable(QStringLiteral("convert")).isEmpty())
            QSKIP("make-sample-archive or ImageMagick's convert not available");
        QTemporaryDir tmp;
        QStringList inventare;
        for (const char *name : { "/eins", "/zwei" }) {
            QProcess p;
            p.start(skript, { tmp.path() + QLatin1String(name) });
            QVERIFY(p.waitForFinished(120000));
            QVERIFY2(p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0, p.readAllStandardError().constData());
            inventare.append(Inventar(tmp.path() + QLatin1String(name)).join(QLatin1Char('\n')));
        }
        QCOMPARE(inventare.at(0), inventare.at(1));
        // It refuses to write into a folder that is not empty.
        QProcess nochmal;
        nochmal.start(skript, { tmp.path() + QLatin1String("/eins") });
        QVERIFY(nochmal.waitForFinished(60000));
        QCOMPARE(nochmal.exitCode(), 1);

        const QString basis = tmp.path() + QLatin1String("/eins/");
        const TkelKeyItems jahre = JahresListe(basis);
        QCOMPARE(Texte(jahre), (QStringList { "2011", "2012", "2013" }));

        QStringList tage;
        VerzeichnisseToItems(jahre.at(1).key, tage);
        TextSortieren(tage);
        QCOMPARE(tage,
            (QStringList {
                "120318", "2012_03_16", "2012-03-17 Urlaub", "20120231", "20120315", "Ausflug ohne Datum" }));
        QStringList anzeigen;
        for (const QString &t : std::as_const(tage))
            anzeigen.append(TagAnzeige(t, true));
        QCOMPARE(anzeigen,
            (QStringList { "18.03.2012, Sonntag", "16.03.2012, Freitag", "17.03.2012, Samstag [Urlaub]", "31.02.2012",
                "15.03.2012, Donnerstag", "Ausflug ohne Datum" }));

        const QString jahr2012 = jahre.at(1).key + QLatin1Char('/');
        QCOMPARE(Namen(FotoListe(jahr2012 + QLatin1String("20120315"))),
            (QStringList { "IMG_10.JPG", "img_11.jpeg", "IMG_9.JPG" }));
        QCOMPARE(Namen(FotoListe(jahr2012 + QLatin1String("2012-03-17 Urlaub"))),
            (QStringList { "kaputt.jpg", "leer.jpg", "P1000001.JPG", "P1000002.JPG", "P1000003.JPG" }));
        QCOMPARE(Namen(FotoListe(jahr2012 + QLatin1String("2012_03_16"))),
            (QStringList { "Strand 2.JPEG", "Strand mit Möwe.jpg", "Übersicht.jpg" }));

        QCOMPARE(AlbumTitelLesen(jahr2012 + QLatin1String("20120315")), QStringLiteral("Frühling im Garten"));
        QCOMPARE(AlbumTitelLesen(jahre.at(0).key + QLatin1String("/2011-08-06")), QStringLiteral("Sommerfest"));
        QCOMPARE(AlbumTitelLesen(jahr2012 + QLatin1String("120318")), QString());
        QCOMPARE(AlbumTitelLesen(jahr2012 + QLatin1String("2012_03_16")), QStringLiteral("(ohne Titel)"));
        QCOMPARE(AlbumTitelLesen(jahre.at(2).key + QLatin1String("/20130101 Neujahr")),
            QStringLiteral("Neujahr – Feuerwerk über der Stadt"));

        // The photos are real JPEGs of the stated sizes.
        QImage bild(jahr2012 + QLatin1String("20120315/IMG_10.JPG"));
        QCOMPARE(bild.size(), QSize(480, 640));
        QCOMPARE(QImage(jahr2012 + QLatin1String("120318/c.jpeg")).size(), QSize(1000, 17));
        QCOMPARE(QFileInfo(jahr2012 + QLatin1String("2012-03-17 Urlaub/leer.jpg")).size(), 0);
    }
};

KEL_TEST_MAIN(ArchiveTest)
#include "archive_test.moc"
