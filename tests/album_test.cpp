#include "archive/alb_album.h"
#include "framework/ke7_error.h"
#include "framework/ke7_textdatei.h"
#include "tests/common/kel_test.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

class AlbumTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_tmp;
    QString m_basis; // base folder with trailing '/'

    void datei(const QString &rel, const QByteArray &inhalt = "x")
    {
        const QString p = m_basis + rel;
        QDir().mkpath(QFileInfo(p).absolutePath());
        QFile f(p);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(inhalt);
    }
    static QStringList texte(const TkelKeyItems &items)
    {
        QStringList l;
        for (const TkelKeyItem &i : items)
            l.append(i.text);
        return l;
    }

private slots:
    void initTestCase()
    {
        m_basis = m_tmp.path() + QLatin1String("/Fotos/");
        datei(QStringLiteral("2011/20110101/a.jpg"));
        datei(QStringLiteral("2012/20120315 Urlaub/b.jpg"));
        datei(QStringLiteral("2012/20120315 Urlaub/Bäder Čapek.jpg"));
        datei(QStringLiteral("2012/20120316/IMG_9.JPG"));
        datei(QStringLiteral("2012/20120316/Grüße.jpg"));
        QDir().mkpath(m_basis + QLatin1String("2012/20120316/ordner.jpg"));
        QDir().mkpath(m_tmp.path() + QLatin1String("/alben"));
    }

    void tempDateiname_data()
    {
        QTest::addColumn<QString>("album");
        QTest::addColumn<QString>("temp");
        QTest::newRow("extension") << "/a/Album.kelAlbum"
                                   << "/a/Album.~kelAlbum";
        QTest::newRow("ohne") << "/a/Album"
                              << "/a/Album.~kelAlbum";
        QTest::newRow("punkte") << "/a.b/Mein.Album.kelAlbum"
                                << "/a.b/Mein.Album.~kelAlbum";
    }
    void tempDateiname()
    {
        QFETCH(QString, album);
        QFETCH(QString, temp);
        QCOMPARE(AlbumTempDateiname(album), temp);
    }

    // Saved as Windows-1252 + CR LF, read back sorted and resolved; a title outside
    // Windows-1252 turns the file into UTF-8 with BOM instead of losing letters.
    void speichernUndLaden()
    {
        const QString album = m_tmp.path() + QLatin1String("/alben/Urlaub.kelAlbum");
        const QStringList eintraege { QStringLiteral("2012/20120315 Urlaub/b.jpg"),
            QStringLiteral("2011/20110101/a.jpg") };
        AlbumSpeichern(album, eintraege);
        QCOMPARE(kelDateiLesen(album), QByteArray("2012/20120315 Urlaub/b.jpg\r\n2011/20110101/a.jpg\r\n"));

        const TkelAlbumLadenErgebnis erg = AlbumLaden(album, m_basis);
        QCOMPARE(texte(erg.items),
            (QStringList { QStringLiteral("2011/20110101/a.jpg"), QStringLiteral("2012/20120315 Urlaub/b.jpg") }));
        QCOMPARE(erg.items.first().key, m_basis + QLatin1String("2011/20110101/a.jpg"));

        const QStringList slawisch { QStringLiteral("2012/20120315 Urlaub/Bäder Čapek.jpg") };
        AlbumSpeichern(album, slawisch);
        QVERIFY(kelDateiLesen(album).startsWith("\xEF\xBB\xBF"));
        QCOMPARE(texte(AlbumLaden(album, m_basis).items), slawisch);

        AlbumSpeichern(album, {});
        QCOMPARE(QFileInfo(album).size(), 0);
        QVERIFY(AlbumLaden(album, m_basis).items.isEmpty());
    }

    // Lines written by the Windows program, an album of an older base folder, duplicates,
    // and lines no photo answers to.
    void laden_data()
    {
        QTest::addColumn<QByteArray>("inhalt");
        QTest::addColumn<QStringList>("erwartet");
        const QByteArray b = m_basis.toUtf8();
        QTest::newRow("windows") << QByteArray("2012\\20120315 Urlaub\\b.jpg\r\n2011\\20110101\\a.jpg\r\n")
                                 << QStringList { "2011/20110101/a.jpg", "2012/20120315 Urlaub/b.jpg" };
        QTest::newRow("cp1252") << QByteArray("2012\\20120316\\Gr\xFC\xDF"
                                              "e.jpg\r\n")
                                << QStringList { QStringLiteral("2012/20120316/Grüße.jpg") };
        QTest::newRow("alter grundpfad") << QByteArray("D:\\Fotos\\2012\\20120316\\IMG_9.JPG\r\n")
                                         << QStringList { "2012/20120316/IMG_9.JPG" };
        QTest::newRow("voller pfad wird relativ")
            << QByteArray(b + "2011/20110101/a.jpg\n") << QStringList { "2011/20110101/a.jpg" };
        QTest::newRow("doppelt") << QByteArray(
            b + "2011/20110101/a.jpg\r\n2011/20110101/a.jpg\r\n2011/20110101/A.JPG\r\n")
                                 << QStringList { "2011/20110101/a.jpg" };
        QTest::newRow("unaufloesbar, leer, ordner")
            << QByteArray("\r\n   \r\n2012/fehlt/x.jpg\r\n2012/20120316/ordner.jpg\r\n2012\r\n") << QStringList {};
        QTest::newRow("nul") << QByteArray("2011/20110101/a.jpg\0x\r\n", 23) << QStringList {};
        QTest::newRow("utf8 bom") << QByteArray("\xEF\xBB\xBF"
                                                "2012/20120315 Urlaub/B\xC3\xA4"
                                                "der \xC4\x8C"
                                                "apek.jpg\n")
                                  << QStringList { QStringLiteral("2012/20120315 Urlaub/Bäder Čapek.jpg") };
        QTest::newRow("utf16 bom") << QByteArray("\xFF\xFE"
                                                 "a\0.\0j\0p\0g\0\r\0\n\0",
            18) << QStringList {};
        QTest::newRow("lange zeile") << QByteArray(200000, 'x') + "\r\n2011/20110101/a.jpg"
                                     << QStringList { "2011/20110101/a.jpg" };
        QTest::newRow("verlaesst grundpfad")
            << QByteArray("../../../../../../../../etc/hostname\r\n2011/../2011/20110101/a.jpg\r\n")
            << QStringList { "/etc/hostname", "2011/20110101/a.jpg" };
    }
    void laden()
    {
        QFETCH(QByteArray, inhalt);
        QFETCH(QStringList, erwartet);
        const QString album = m_tmp.path() + QLatin1String("/alben/laden.kelAlbum");
        kelDateiSchreiben(album, inhalt);
        const TkelAlbumLadenErgebnis erg = AlbumLaden(album, m_basis);
        QStringList soll = erwartet;
        if (!QFileInfo::exists(QStringLiteral("/etc/hostname")))
            soll.removeAll(QStringLiteral("/etc/hostname"));
        QCOMPARE(texte(erg.items), soll);
        for (const TkelKeyItem &i : erg.items)
            QVERIFY2(QFileInfo(i.key).isFile(), qPrintable(i.key));
        QFile::remove(album);
        QFile::remove(erg.sicherung);
    }

    // Each load of an existing album keeps a backup; an existing temporary file is left alone.
    void sicherungskopien()
    {
        const QString album = m_tmp.path() + QLatin1String("/alben/Sicher.kelAlbum");
        const QString temp = AlbumTempDateiname(album);
        kelDateiSchreiben(album, "2011\\20110101\\a.jpg\r\n");
        QCOMPARE(AlbumLaden(album, m_basis).sicherung, temp);
        QCOMPARE(kelDateiLesen(temp), kelDateiLesen(album));

        kelDateiSchreiben(temp, "ungesichert\r\n");
        const QString erste = m_tmp.path() + QLatin1String("/alben/Sicher_0001.~kelAlbum");
        QCOMPARE(AlbumLaden(album, m_basis).sicherung, erste);
        QCOMPARE(kelDateiLesen(temp), QByteArray("ungesichert\r\n"));
        QCOMPARE(kelDateiLesen(erste), kelDateiLesen(album));
        QCOMPARE(AlbumLaden(album, m_basis).sicherung, m_tmp.path() + QLatin1String("/alben/Sicher_0002.~kelAlbum"));

        AlbumZwischenspeichern(album, { QStringLiteral("neu") });
        QCOMPARE(kelDateiLesen(temp), QByteArray("neu\r\n"));
    }

    void fehlendesAlbumIstLeer()
    {
        const TkelAlbumLadenErgebnis erg = AlbumLaden(m_tmp.path() + QLatin1String("/alben/nichtda.kelAlbum"), m_basis);
        QVERIFY(erg.items.isEmpty());
        QVERIFY(erg.sicherung.isEmpty());
    }

    // A save that cannot happen reports it and keeps the old album as it was.
    void fehlgeschlagenesSpeichernBehaeltAltesAlbum()
    {
        const QString album = m_tmp.path() + QLatin1String("/alben/Fest.kelAlbum");
        AlbumSpeichern(album, { QStringLiteral("2011/20110101/a.jpg") });
        const QByteArray vorher = kelDateiLesen(album);
        QFile::setPermissions(album, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
        QVERIFY_THROWS_EXCEPTION(TkelFehler, AlbumSpeichern(album, { QStringLiteral("neu") }));
        QCOMPARE(kelDateiLesen(album), vorher);
        QFile::setPermissions(album, QFile::ReadOwner | QFile::WriteOwner);

        QVERIFY_THROWS_EXCEPTION(TkelFehler, AlbumSpeichern(m_tmp.path() + QLatin1String("/fehlt/x.kelAlbum"), {}));
        const QString ordnerIstDatei = album + QLatin1String("/x.kelAlbum");
        QVERIFY_THROWS_EXCEPTION(TkelFehler, AlbumSpeichern(ordnerIstDatei, {}));
        const QStringList rest = QDir(m_tmp.path() + QLatin1String("/alben")).entryList(QDir::Files | QDir::Hidden);
        for (const QString &n : rest)
            QVERIFY2(!n.contains(QLatin1String(".tmp")) && !n.startsWith(QLatin1Char('.')), qPrintable(n));
    }

    void textzeilen_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("zeilen");
        QTest::newRow("crlf lf cr") << QByteArray("a\r\nb\nc\rd") << QStringList { "a", "b", "c", "d" };
        QTest::newRow("leerzeilen") << QByteArray("a\r\n\r\n") << QStringList { "a", "" };
        QTest::newRow("cp1252") << QByteArray("\x80\xE4\x81") << QStringList { QString::fromUtf8("€ä\xC2\x81") };
        QTest::newRow("utf16be") << QByteArray("\xFE\xFF\0a\0\n\0b", 8) << QStringList { "a", "b" };
        QTest::newRow("leer") << QByteArray() << QStringList {};
    }
    void textzeilen()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, zeilen);
        QCOMPARE(TextZeilenDekodieren(bytes), zeilen);
    }
};

KEL_TEST_MAIN(AlbumTest)
#include "album_test.moc"
