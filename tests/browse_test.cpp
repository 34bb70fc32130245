#include "archive/alb_titel.h"
#include "framework/ke7_fortschritt.h"
#include "framework/ke7_keycombomodel.h"
#include "mainwindow/alb_browse.h"
#include "tests/common/fakeuiservices.h"
#include "tests/common/kel_test.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>

// The archive of these tests: 2011 with two days, 2012 with a day without photos between
// two others, 2013 without days, 2014 with one day. Photos are empty files: the browse
// position only lists them.
struct Archiv
{
    QTemporaryDir dir;
    QString grund;

    Archiv()
    {
        grund = dir.path() + QLatin1Char('/');
        tag("2011/20110101", { "a.jpg", "b.jpg" });
        tag("2011/20110202", { "c.jpg" });
        tag("2012/20120101", { "d.jpg", "e.jpg", "f.jpg" });
        tag("2012/20120202", {});
        tag("2012/20120303", { "g.jpg" });
        QDir().mkpath(grund + QStringLiteral("2013"));
        tag("2014/20140101", { "h.jpg", "i.jpg" });
        QDir().mkpath(grund + QStringLiteral("Scans"));
    }
    void tag(const QString &pfad, const QStringList &fotos) const
    {
        QDir().mkpath(grund + pfad);
        for (const QString &f : fotos) {
            QFile datei(grund + pfad + QLatin1Char('/') + f);
            QVERIFY(datei.open(QIODevice::WriteOnly));
        }
    }
};

class BrowseTest : public QObject
{
    Q_OBJECT

private:
    // Name of the last path element of s ("2011/20110202" for a day key, "c.jpg" for a photo).
    static QString name(const QString &s)
    {
        QString t = s;
        if (t.endsWith(QLatin1Char('/')))
            t.chop(1);
        return QFileInfo(t).fileName();
    }
    static QString tagName(Tam_Browse &b)
    {
        const QString key = b.Tage().Key();
        return key.isEmpty() ? QString() : name(QFileInfo(key).path()) + QLatin1Char('/') + name(key);
    }
    static void ausfuehren(Tam_Browse &b, QChar c)
    {
        switch (c.unicode()) {
        case '>':
            b.BildVor();
            break;
        case '<':
            b.BildZur();
            break;
        case 'T':
            b.TagVor();
            break;
        case 't':
            b.TagZur();
            break;
        case 'J':
            b.JahrVor();
            break;
        case 'j':
            b.JahrZur();
            break;
        case 'H':
            b.BildFirst();
            break;
        case 'N':
            b.BildLast();
            break;
        case 'A':
            b.TagesAnfang();
            break;
        case 'E':
            b.TagesEnde();
            break;
        default:
            QFAIL("unknown command");
        }
    }

private slots:
    void navigation_data()
    {
        QTest::addColumn<QString>("jahr");
        QTest::addColumn<QString>("tag");
        QTest::addColumn<int>("index"); // -1: day listed, nothing selected
        QTest::addColumn<QString>("befehle");
        QTest::addColumn<QString>("zielTag");
        QTest::addColumn<QString>("bild");
        QTest::addColumn<int>("beeps");

        // Forward chains.
        QTest::newRow("> within a day") << "2011"
                                        << "20110101" << 0 << ">"
                                        << "2011/20110101"
                                        << "b.jpg" << 0;
        QTest::newRow("> last of day: next day's first") << "2011"
                                                         << "20110101" << 1 << ">"
                                                         << "2011/20110202"
                                                         << "c.jpg" << 1;
        QTest::newRow("> last of year: newest day of next year") << "2011"
                                                                 << "20110202" << 0 << ">"
                                                                 << "2012/20120303"
                                                                 << "g.jpg" << 2;
        QTest::newRow("> into a year without days keeps the list") << "2012"
                                                                   << "20120303" << 0 << ">"
                                                                   << ""
                                                                   << "g.jpg" << 2;
        QTest::newRow("> twice through the empty year") << "2012"
                                                        << "20120303" << 0 << ">>"
                                                        << "2014/20140101"
                                                        << "h.jpg" << 4;
        QTest::newRow("> end of archive: three beeps") << "2014"
                                                       << "20140101" << 1 << ">"
                                                       << "2014/20140101"
                                                       << "i.jpg" << 3;
        QTest::newRow("> onto a day without photos") << "2012"
                                                     << "20120101" << 2 << ">"
                                                     << "2012/20120202"
                                                     << "f.jpg" << 1;
        QTest::newRow("> from a day without photos") << "2012"
                                                     << "20120101" << 2 << ">>"
                                                     << "2012/20120303"
                                                     << "g.jpg" << 2;
        QTest::newRow(">> next day") << "2011"
                                     << "20110101" << 1 << "T"
                                     << "2011/20110202"
                                     << "c.jpg" << 0;
        QTest::newRow(">> last day: newest of next year") << "2011"
                                                          << "20110202" << 0 << "T"
                                                          << "2012/20120303"
                                                          << "g.jpg" << 1;
        QTest::newRow(">> end of archive") << "2014"
                                           << "20140101" << 0 << "T"
                                           << "2014/20140101"
                                           << "h.jpg" << 2;
        QTest::newRow(">>> newest day of next year") << "2011"
                                                     << "20110101" << 1 << "J"
                                                     << "2012/20120303"
                                                     << "g.jpg" << 0;
        QTest::newRow(">>> last year") << "2014"
                                       << "20140101" << 0 << "J"
                                       << "2014/20140101"
                                       << "h.jpg" << 1;

        // Backward chains.
        QTest::newRow("< within a day") << "2011"
                                        << "20110101" << 1 << "<"
                                        << "2011/20110101"
                                        << "a.jpg" << 0;
        QTest::newRow("< first of day: last of previous day") << "2012"
                                                              << "20120101" << 0 << "<"
                                                              << "2011/20110202"
                                                              << "c.jpg" << 2;
        QTest::newRow("< first of day: previous day") << "2011"
                                                      << "20110202" << 0 << "<"
                                                      << "2011/20110101"
                                                      << "b.jpg" << 1;
        QTest::newRow("< onto a day without photos") << "2012"
                                                     << "20120303" << 0 << "<"
                                                     << "2012/20120202"
                                                     << "g.jpg" << 1;
        QTest::newRow("< past a day without photos") << "2012"
                                                     << "20120303" << 0 << "<<"
                                                     << "2012/20120101"
                                                     << "f.jpg" << 2;
        QTest::newRow("< from the empty year's list") << "2014"
                                                      << "20140101" << 0 << "<<"
                                                      << ""
                                                      << "h.jpg" << 2;
        QTest::newRow("< start of archive: three beeps") << "2011"
                                                         << "20110101" << 0 << "<"
                                                         << "2011/20110101"
                                                         << "a.jpg" << 3;
        QTest::newRow("< with nothing selected") << "2011"
                                                 << "20110202" << -1 << "<"
                                                 << "2011/20110101"
                                                 << "b.jpg" << 1;
        QTest::newRow("<< previous day") << "2011"
                                         << "20110202" << 0 << "t"
                                         << "2011/20110101"
                                         << "a.jpg" << 0;
        QTest::newRow("<< first day: newest of previous year") << "2012"
                                                               << "20120101" << 2 << "t"
                                                               << "2011/20110202"
                                                               << "c.jpg" << 1;
        QTest::newRow("<< start of archive") << "2011"
                                             << "20110101" << 1 << "t"
                                             << "2011/20110101"
                                             << "b.jpg" << 2;
        QTest::newRow("<<< into a year without days") << "2014"
                                                      << "20140101" << 1 << "j"
                                                      << ""
                                                      << "i.jpg" << 0;
        QTest::newRow("<<< newest day of previous year") << "2012"
                                                         << "20120101" << 0 << "j"
                                                         << "2011/20110202"
                                                         << "c.jpg" << 0;
        QTest::newRow("<<< first year") << "2011"
                                        << "20110202" << 0 << "j"
                                        << "2011/20110202"
                                        << "c.jpg" << 1;

        // Within a day: never a beep.
        QTest::newRow("Home") << "2012"
                              << "20120101" << 2 << "H"
                              << "2012/20120101"
                              << "d.jpg" << 0;
        QTest::newRow("Home without selection") << "2012"
                                                << "20120101" << -1 << "H"
                                                << "2012/20120101"
                                                << "d.jpg" << 0;
        QTest::newRow("End") << "2012"
                             << "20120101" << 0 << "N"
                             << "2012/20120101"
                             << "f.jpg" << 0;
        QTest::newRow("A") << "2012"
                           << "20120101" << 2 << "A"
                           << "2012/20120101"
                           << "d.jpg" << 0;
        QTest::newRow("A without selection does nothing") << "2012"
                                                          << "20120101" << -1 << "A"
                                                          << "2012/20120101"
                                                          << "" << 0;
        QTest::newRow("E") << "2012"
                           << "20120101" << 1 << "E"
                           << "2012/20120101"
                           << "f.jpg" << 0;
        QTest::newRow("E at the end does nothing") << "2012"
                                                   << "20120101" << 2 << "E"
                                                   << "2012/20120101"
                                                   << "f.jpg" << 0;
        QTest::newRow("End on a day without photos") << "2012"
                                                     << "20120202" << -1 << "NHAE"
                                                     << "2012/20120202"
                                                     << "" << 0;
    }

    void navigation()
    {
        QFETCH(QString, jahr);
        QFETCH(QString, tag);
        QFETCH(int, index);
        QFETCH(QString, befehle);
        QFETCH(QString, zielTag);
        QFETCH(QString, bild);
        QFETCH(int, beeps);

        Archiv archiv;
        FakeUiServices ui;
        TkelFortschrittStumm meter;
        Tam_Browse b(ui, meter);
        b.setGrundpfad(archiv.grund);
        b.StartOhneAlbum(archiv.grund + jahr, archiv.grund + jahr + QLatin1Char('/') + tag);
        b.setStartphase(false);
        QCOMPARE(tagName(b), jahr + QLatin1Char('/') + tag);
        if (index < 0) {
            b.TagLaden(b.TagesOrdner());
            QCOMPARE(b.FotoIndex(), -1);
        } else {
            b.FotoWaehlen(index);
        }
        // What was shown before stays in view when nothing new is shown.
        const QString vorher = name(b.Bild());
        for (const QChar c : std::as_const(befehle))
            ausfuehren(b, c);

        QCOMPARE(tagName(b), zielTag);
        QCOMPARE(name(b.Bild()), bild.isEmpty() ? vorher : bild);
        QCOMPARE(ui.beeps, beeps);
        QVERIFY(ui.boxes.isEmpty());
        if (!b.Bild().isEmpty() && b.FotoIndex() >= 0)
            QCOMPARE(b.Fotos().at(b.FotoIndex()), b.Bild());
    }

    void startposition_data()
    {
        QTest::addColumn<QString>("jahr");
        QTest::addColumn<QString>("tag");
        QTest::addColumn<QString>("zielTag");

        QTest::newRow("remembered") << "2011"
                                    << "2011/20110101"
                                    << "2011/20110101";
        QTest::newRow("remembered in other letter case") << "2011"
                                                         << "2011/20110101"
                                                         << "2011/20110101";
        QTest::newRow("day not in the year: newest") << "2011"
                                                     << "2012/20120101"
                                                     << "2011/20110202";
        QTest::newRow("day gone: newest") << "2012"
                                          << "2012/20121224"
                                          << "2012/20120303";
        QTest::newRow("year gone: newest year, newest day") << "1999"
                                                            << "1999/19990101"
                                                            << "2014/20140101";
        QTest::newRow("nothing remembered") << ""
                                            << ""
                                            << "2014/20140101";
        QTest::newRow("year without days") << "2013"
                                           << ""
                                           << "";
    }

    void startposition()
    {
        QFETCH(QString, jahr);
        QFETCH(QString, tag);
        QFETCH(QString, zielTag);

        Archiv archiv;
        FakeUiServices ui;
        TkelFortschrittStumm meter;
        Tam_Browse b(ui, meter);
        b.setGrundpfad(archiv.grund);
        QSignalSpy gezeigt(&b, &Tam_Browse::BildGezeigt);
        QSignalSpy fokus(&b, &Tam_Browse::FokusZurueck);
        const QString gj = jahr.isEmpty() ? QString() : archiv.grund + jahr;
        QString gt = tag.isEmpty() ? QString() : archiv.grund + tag;
        if (QTest::currentDataTag() == QByteArray("remembered in other letter case"))
            gt = gt.toUpper();
        b.StartOhneAlbum(gj, gt);

        QCOMPARE(b.Jahre().KeyCount(), 4); // "Scans" is no year
        QCOMPARE(tagName(b), zielTag);
        QVERIFY(ui.boxes.isEmpty());
        QCOMPARE(fokus.count(), 0);
        if (zielTag.isEmpty()) {
            QCOMPARE(b.Tage().KeyCount(), 0);
            QVERIFY(b.Fotos().isEmpty());
            QCOMPARE(gezeigt.count(), 0);
            QCOMPARE(b.Caption(), QString());
        } else {
            QCOMPARE(gezeigt.count(), 1);
            QCOMPARE(b.FotoIndex(), 0);
            QCOMPARE(b.Bild(), b.Fotos().constFirst());
            QCOMPARE(b.Caption(), Tam_Browse::Titelprefix() + b.Bild());
            // The title store was built on the way.
            QVERIFY(QFileInfo::exists(b.JahresOrdner() + QStringLiteral("/Verzeichnis.dat")));
            QVERIFY(QFileInfo::exists(archiv.grund + QStringLiteral("Verzeichnis.dat")));
        }
    }

    void leeresArchiv()
    {
        QTemporaryDir dir;
        FakeUiServices ui;
        TkelFortschrittStumm meter;
        Tam_Browse b(ui, meter);
        b.setGrundpfad(dir.path());
        QCOMPARE(b.Grundpfad(), dir.path() + QLatin1Char('/'));
        b.StartOhneAlbum(QString(), QString());
        b.setStartphase(false);
        QCOMPARE(b.Jahre().KeyCount(), 0);
        QCOMPARE(b.Tage().KeyCount(), 0);
        for (const QChar c : QStringLiteral("><TtJjHNAE"))
            ausfuehren(b, c);
        QCOMPARE(ui.beeps, 3 + 3 + 2 + 2 + 1 + 1);
        QVERIFY(b.Bild().isEmpty());
    }

    void startphaseSperrtAenderungen()
    {
        Archiv archiv;
        FakeUiServices ui;
        TkelFortschrittStumm meter;
        Tam_Browse b(ui, meter);
        b.setGrundpfad(archiv.grund);
        b.StartOhneAlbum(QString(), QString());
        QSignalSpy gezeigt(&b, &Tam_Browse::BildGezeigt);
        QVERIFY(b.Jahre().KeyGoto(archiv.grund + QStringLiteral("2011")));
        QVERIFY(b.Tage().KeyCount() == 1); // still 2014's day
        QCOMPARE(gezeigt.count(), 0);
    }

    void jahrWahlLandetAufNeuestemTag()
    {
        Archiv archiv;
        FakeUiServices ui;
        TkelFortschrittStumm meter;
        Tam_Browse b(ui, meter);
        b.setGrundpfad(archiv.grund);
        b.StartOhneAlbum(archiv.grund + QStringLiteral("2011"), archiv.grund + QStringLiteral("2011/20110101"));
        b.setStartphase(false);
        QSignalSpy fokus(&b, &Tam_Browse::FokusZurueck);
        // A pick in the drop-down comes in as Change with the item's text.
        b.Jahre().Change(QStringLiteral("2012"));
        QCOMPARE(tagName(b), QStringLiteral("2012/20120303"));
        QCOMPARE(name(b.Bild()), QStringLiteral("g.jpg"));
        QVERIFY(fokus.count() >= 1);
        b.Jahre().Change(QStringLiteral("2011"));
        QCOMPARE(tagName(b), QStringLiteral("2011/20110202"));
        QCOMPARE(ui.beeps, 0);
    }

    void tagOhneFotosUndCaption()
    {
        Archiv archiv;
        FakeUiServices ui;
        TkelFortschrittStumm meter;
        Tam_Browse b(ui, meter);
        b.setGrundpfad(archiv.grund);
        b.StartOhneAlbum(archiv.grund + QStringLiteral("2012"), archiv.grund + QStringLiteral("2012/20120101"));
        b.setStartphase(false);
        const QString d = b.Bild();
        QCOMPARE(b.NaechstesBild(), b.Fotos().at(1));
        b.TagVor();
        QVERIFY(b.Fotos().isEmpty());
        QCOMPARE(b.Bild(), d);
        QCOMPARE(b.Caption(), Tam_Browse::Titelprefix() + archiv.grund + QStringLiteral("2012/20120202/"));
        QCOMPARE(b.TagesTitel(), QStringLiteral("(ohne Titel)"));
        QCOMPARE(b.NaechstesBild(), QString());

        b.setDiashow(true);
        b.BildVor();
        QCOMPARE(ui.beeps, 1);
        QCOMPARE(b.Caption(),
            QStringLiteral("kelAlbum [9.30]  Diashow ") + archiv.grund + QStringLiteral("2012/20120303/g.jpg"));
    }

    void jahresordnerGeloescht()
    {
        Archiv archiv;
        FakeUiServices ui;
        TkelFortschrittStumm meter;
        Tam_Browse b(ui, meter);
        b.setGrundpfad(archiv.grund);
        b.StartOhneAlbum(archiv.grund + QStringLiteral("2012"), archiv.grund + QStringLiteral("2012/20120101"));
        b.setStartphase(false);
        // 2011 vanishes before its title store was ever built.
        QVERIFY(QDir(archiv.grund + QStringLiteral("2011")).removeRecursively());
        b.JahrZur();
        QCOMPARE(b.Jahre().Key(), archiv.grund + QStringLiteral("2011"));
        QCOMPARE(b.Tage().KeyCount(), 0);
        QCOMPARE(ui.boxes.size(), 1);
        QVERIFY(ui.letzterText().contains(QStringLiteral("wurde nicht gefunden")));
        QCOMPARE(name(b.Bild()), QStringLiteral("d.jpg"));

        // A day of a listed year removed from disk: listed, without photos.
        b.JahrVor();
        QVERIFY(QDir(archiv.grund + QStringLiteral("2012/20120101")).removeRecursively());
        b.Tage().KeyGoto(archiv.grund + QStringLiteral("2012/20120101"));
        QVERIFY(b.Fotos().isEmpty());
        QCOMPARE(name(b.Bild()), QStringLiteral("g.jpg"));
    }

    void refreshListetNeueTage()
    {
        Archiv archiv;
        FakeUiServices ui;
        TkelFortschrittStumm meter;
        Tam_Browse b(ui, meter);
        b.setGrundpfad(archiv.grund);
        b.StartOhneAlbum(archiv.grund + QStringLiteral("2012"), archiv.grund + QStringLiteral("2012/20120101"));
        b.setStartphase(false);
        archiv.tag(QStringLiteral("2012/20121224"), { "x.jpg" });
        b.TagVor();
        b.TagVor();
        QCOMPARE(tagName(b), QStringLiteral("2012/20120303")); // not listed before the rebuild
        b.RefreshVerzeichnisDat();
        QCOMPARE(tagName(b), QStringLiteral("2012/20121224"));
        QCOMPARE(name(b.Bild()), QStringLiteral("x.jpg"));
    }

    void tausendeFotos()
    {
        QTemporaryDir dir;
        const QString tag = dir.path() + QStringLiteral("/2020/20200101");
        QVERIFY(QDir().mkpath(tag));
        for (int i = 1; i <= 3000; ++i) {
            QFile f(tag + QStringLiteral("/IMG_%1.JPG").arg(i));
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        FakeUiServices ui;
        TkelFortschrittStumm meter;
        Tam_Browse b(ui, meter);
        b.setGrundpfad(dir.path());
        b.StartOhneAlbum(QString(), QString());
        b.setStartphase(false);
        QCOMPARE(b.Fotos().size(), 3000);
        QCOMPARE(b.Bild(), b.Fotos().constFirst());
        b.BildVor();
        QCOMPARE(b.Bild(), b.Fotos().at(1));
        b.BildLast();
        QCOMPARE(b.Bild(), b.Fotos().constLast());
        b.BildVor();
        QCOMPARE(ui.beeps, 3);
        b.BildZur();
        QCOMPARE(b.FotoIndex(), 2998);
    }
};

KEL_TEST_MAIN(BrowseTest)
#include "browse_test.moc"
