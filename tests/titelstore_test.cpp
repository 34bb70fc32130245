#include "archive/alb_titel.h"
#include "archive/alb_titelstore.h"
#include "framework/ke7_error.h"
#include "framework/ke7_fortschritt.h"
#include "framework/pex_ini.h"
#include "tests/common/fakeuiservices.h"
#include "tests/common/kel_test.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

class TitelstoreTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_tmp;
    QString m_basis; // with trailing '/'

    QString jahr(const QString &j = QStringLiteral("2012")) const { return m_basis + j; }
    void tag(const QString &name, const QByteArray &albumDat = QByteArray(), const QString &j = QStringLiteral("2012"))
    {
        const QString ordner = jahr(j) + QLatin1Char('/') + name;
        QVERIFY(QDir().mkpath(ordner));
        if (!albumDat.isNull())
            kelDateiSchreiben(ordner + QLatin1String("/Album.dat"), albumDat);
    }
    static QByteArray album(const QByteArray &titel) { return "[TITEL]\r\nTITELNAME=" + titel + "\r\n"; }
    static QStringList texte(const TkelKeyItems &items)
    {
        QStringList l;
        for (const TkelKeyItem &i : items)
            l.append(i.text);
        return l;
    }

    bool neuAufbauen(
        TkelKeyItems &tage, FakeUiServices &ui, TkelFortschrittStumm &meter, const QString &j = QStringLiteral("2012"))
    {
        return TitelstoreNeuAufbauen(ui, meter, jahr(j), j, m_basis + QLatin1String("Verzeichnis.dat"), false, tage);
    }

private slots:
    void init()
    {
        m_tmp = std::make_unique<QTemporaryDir>();
        m_basis = m_tmp->path() + QLatin1String("/Fotos/");
        QDir().mkpath(m_basis);
    }

    // Date order, undated days last, titles from Album.dat, both files written exactly,
    // other years of the base file untouched, vanished days removed.
    void neuaufbau()
    {
        tag(QStringLiteral("20120401"));
        tag(QStringLiteral("20120315_Urlaub"), album("Urlaub an der Ostsee"));
        tag(QStringLiteral("Silvester"), album("Feuerwerk"));
        tag(QStringLiteral("120101"), album(""));
        tag(QStringLiteral("20110505"), album("Anderes Jahr"), QStringLiteral("2011"));
        const QString grund = m_basis + QLatin1String("Verzeichnis.dat");
        kelDateiSchreiben(grund, "[2011]\r\n20110505=Anderes Jahr\r\n[2012]\r\nweg=alt\r\n");
        kelDateiSchreiben(jahr() + QLatin1String("/Verzeichnis.dat"), "[weg]\r\nTITELNAME=alt\r\n");

        FakeUiServices ui;
        TkelFortschrittStumm meter;
        TkelKeyItems tage;
        QVERIFY(neuAufbauen(tage, ui, meter));
        QVERIFY(ui.boxes.isEmpty());

        QCOMPARE(kelDateiLesen(jahr() + QLatin1String("/Verzeichnis.dat")),
            QByteArray("[120101]\r\nTITELNAME=\r\n"
                       "[20120315_Urlaub]\r\nTITELNAME=Urlaub an der Ostsee\r\n"
                       "[20120401]\r\nTITELNAME=(ohne Titel)\r\n"
                       "[Silvester]\r\nTITELNAME=Feuerwerk\r\n"));
        QCOMPARE(kelDateiLesen(grund),
            QByteArray("[2011]\r\n20110505=Anderes Jahr\r\n"
                       "[2012]\r\n120101=\r\n20120315_Urlaub=Urlaub an der Ostsee\r\n"
                       "20120401=(ohne Titel)\r\nSilvester=Feuerwerk\r\n"));
        QCOMPARE(texte(tage),
            (QStringList { QStringLiteral("01.01.2012 - "),
                QStringLiteral("15.03.2012 [Urlaub] - Urlaub an der Ostsee"),
                QStringLiteral("01.04.2012 - (ohne Titel)"), QStringLiteral("Silvester - Feuerwerk") }));
        QCOMPARE(tage.first().key, jahr() + QLatin1String("/120101"));

        // Each day is counted twice, and the meter always ends.
        QCOMPARE(meter.schritte, 8);
        QCOMPARE(meter.beendet, 1);
        QVERIFY(meter.schrittTitel.mid(0, 4).contains(QStringLiteral("01.01.2012")));
        QCOMPARE(meter.schrittTitel.last(), QStringLiteral("Silvester - Feuerwerk"));

        // The day list reads back the same from the year file.
        TkelKeyItems gelesen;
        QVERIFY(TageLaden(jahr(), false, gelesen));
        QCOMPARE(texte(gelesen), texte(tage));
        QVERIFY(!TageLaden(jahr(QStringLiteral("2011")), false, gelesen));
    }

    // Equal dates: the first nine title characters decide, ignoring case; a long title is cut
    // to 1024 characters by the rebuild but kept whole by titling.
    void gleicherTagUndLangeTitel()
    {
        tag(QStringLiteral("20120315 b"), album("zweiter Ausflug"));
        tag(QStringLiteral("20120315 a"), album("Erster Ausflug"));
        const QByteArray lang(1100, 'x');
        tag(QStringLiteral("20120316"), album(lang));
        FakeUiServices ui;
        TkelFortschrittStumm meter;
        TkelKeyItems tage;
        QVERIFY(neuAufbauen(tage, ui, meter));
        QCOMPARE(tage.at(0).key, jahr() + QLatin1String("/20120315 a"));
        QCOMPARE(tage.at(1).key, jahr() + QLatin1String("/20120315 b"));
        const QString f = jahr() + QLatin1String("/Verzeichnis.dat");
        QCOMPARE(PexIni::lesen(f, QStringLiteral("20120316"), QStringLiteral("TITELNAME")).size(), 1024);
        QCOMPARE(Sortierschluessel(QStringLiteral("20120315"), QStringLiteral("Erster Ausflug")),
            QStringLiteral("20120315 - Erster Au"));
        QCOMPARE(Sortierschluessel(QStringLiteral("Silvester"), QString()), QStringLiteral("99999999 - "));

        const QString titel(1100, QLatin1Char('y'));
        AlbumTitelSchreiben(jahr() + QLatin1String("/20120316"), titel);
        JahresTitelSchreiben(jahr(), QStringLiteral("20120316"), titel);
        QCOMPARE(PexIni::lesen(f, QStringLiteral("20120316"), QStringLiteral("TITELNAME")), titel);
    }

    // Titling writes all three stores; a day the year file does not know yet comes last;
    // a title outside Windows-1252 survives in every store.
    void titelSchreiben()
    {
        tag(QStringLiteral("20120315"), album("alt"));
        FakeUiServices ui;
        TkelFortschrittStumm meter;
        TkelKeyItems tage;
        QVERIFY(neuAufbauen(tage, ui, meter));
        tag(QStringLiteral("20120101"));

        const QString titel = QStringLiteral("Čapek in Łódź 漢");
        const QString neuerTag = jahr() + QLatin1String("/20120101");
        AlbumTitelSchreiben(neuerTag, titel);
        JahresTitelSchreiben(jahr(), QStringLiteral("20120101"), titel);
        GrundTitelSchreiben(m_basis, 2012, QStringLiteral("20120101"), titel);

        QCOMPARE(AlbumTitelLesen(neuerTag), titel);
        QVERIFY(TageLaden(jahr(), false, tage));
        QCOMPARE(
            texte(tage), (QStringList { QStringLiteral("15.03.2012 - alt"), QStringLiteral("01.01.2012 - ") + titel }));
        QCOMPARE(PexIni::lesen(
                     m_basis + QLatin1String("Verzeichnis.dat"), QStringLiteral("2012"), QStringLiteral("20120101")),
            titel);
        QVERIFY(kelDateiLesen(jahr() + QLatin1String("/Verzeichnis.dat")).startsWith("\xFF\xFE"));
    }

    // The writers use the upper-case file names a Windows installation may have left.
    void grossgeschriebeneDateien()
    {
        tag(QStringLiteral("20120315"));
        kelDateiSchreiben(jahr() + QLatin1String("/20120315/ALBUM.DAT"), album("gross"));
        kelDateiSchreiben(jahr() + QLatin1String("/VERZEICHNIS.DAT"), "");
        AlbumTitelSchreiben(jahr() + QLatin1String("/20120315"), QStringLiteral("neu"));
        JahresTitelSchreiben(jahr(), QStringLiteral("20120315"), QStringLiteral("neu"));
        QVERIFY(!QFile::exists(jahr() + QLatin1String("/20120315/Album.dat")));
        QCOMPARE(kelDateiLesen(jahr() + QLatin1String("/20120315/ALBUM.DAT")), album("neu"));
        QCOMPARE(
            kelDateiLesen(jahr() + QLatin1String("/VERZEICHNIS.DAT")), QByteArray("[20120315]\r\nTITELNAME=neu\r\n"));
    }

    // A store that cannot be written: a clear error or message, and nothing is lost.
    void nichtBeschreibbar()
    {
        tag(QStringLiteral("20120315"), album("bleibt"));
        const QString albumDat = jahr() + QLatin1String("/20120315/Album.dat");
        QFile::setPermissions(albumDat, QFile::ReadOwner | QFile::ReadGroup);
        try {
            AlbumTitelSchreiben(jahr() + QLatin1String("/20120315"), QStringLiteral("neu"));
            QFAIL("no error");
        } catch (const TkelFehler &e) {
            QVERIFY(e.text().contains(albumDat));
        }
        QCOMPARE(kelDateiLesen(albumDat), album("bleibt"));

        // A read-only year file: the probe's message, and both files stay as they were.
        const QString jahresDatei = jahr() + QLatin1String("/Verzeichnis.dat");
        kelDateiSchreiben(jahresDatei, "[20120315]\r\nTITELNAME=bleibt\r\n");
        QFile::setPermissions(jahresDatei, QFile::ReadOwner);
        FakeUiServices ui;
        TkelFortschrittStumm meter;
        TkelKeyItems tage;
        QVERIFY(!neuAufbauen(tage, ui, meter));
        QCOMPARE(ui.texte(),
            QStringList { QStringLiteral("Sie haben keine Schreibrechte für die Datei\r") + jahresDatei
                + QLatin1String("\rEventuell wird die Datei von einem anderen Programm benutzt.") });
        QCOMPARE(kelDateiLesen(jahresDatei), QByteArray("[20120315]\r\nTITELNAME=bleibt\r\n"));

        // A vanished year folder.
        FakeUiServices ui2;
        QVERIFY(!neuAufbauen(tage, ui2, meter, QStringLiteral("1999")));
        QCOMPARE(ui2.texte(),
            QStringList { QLatin1String("Das Verzeichnis\r") + jahr(QStringLiteral("1999"))
                + QLatin1String("/\rwurde nicht gefunden.") });
        QVERIFY(!QFileInfo::exists(jahr(QStringLiteral("1999"))));
    }

    // Hand-edited year files: duplicate sections and sections named like keys.
    void tageLadenAusUnordnung()
    {
        QDir().mkpath(jahr());
        kelDateiSchreiben(jahr() + QLatin1String("/Verzeichnis.dat"),
            "[20120315]\r\nTITELNAME=erster\r\n[20120315]\r\nTITELNAME=zweiter\r\n[TITELNAME]\r\n"
            "garbage \x01\x02\r\n[20120316]\r\n");
        TkelKeyItems tage;
        QVERIFY(TageLaden(jahr(), true, tage));
        QCOMPARE(texte(tage),
            (QStringList { QStringLiteral("15.03.2012, Donnerstag - erster"), QStringLiteral("TITELNAME - "),
                QStringLiteral("16.03.2012, Freitag - ") }));
    }
};

KEL_TEST_MAIN(TitelstoreTest)
#include "titelstore_test.moc"
