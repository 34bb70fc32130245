#include "framework/ke7_tacho.h"
#include "tests/common/fakeuiservices.h"
#include "tests/common/kel_test.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

namespace {

QLabel *zeile(const char *name)
{
    QWidget *f = TkelTacho::Fortschrittsfenster();
    return f ? f->findChild<QLabel *>(QLatin1String(name)) : nullptr;
}

QString zaehlZeile()
{
    QLabel *la = zeile("la_Caption");
    return la ? la->text() : QStringLiteral("(keine)");
}

QPushButton *abbruchKnopf()
{
    QWidget *f = TkelTacho::Fortschrittsfenster();
    return f ? f->findChild<QPushButton *>(QStringLiteral("bb_Abbruch")) : nullptr;
}

} // namespace

class TachoTest : public QObject
{
    Q_OBJECT
private:
    FakeUiServices ui;
    qint64 uhr = 0;

    void stellen(TkelTacho &t)
    {
        t.setUhr([this] { return uhr; });
    }

private slots:
    void init()
    {
        ui = FakeUiServices();
        uhr = 1'000'000;
    }
    void cleanup()
    {
        // A failed check must not leave the shared window to the next test.
        QCOMPARE(TkelTacho::Ebene(), -1);
        QVERIFY(!TkelTacho::Fortschrittsfenster());
    }

    void layout_data()
    {
        QTest::addColumn<int>("optionen");
        QTest::addColumn<int>("hoehe");
        QTest::addColumn<int>("balkenOben");
        QTest::addColumn<bool>("knopf");
        using O = TkelTachoOption;
        QTest::newRow("alle Teile") << int(TkelTacho::StandardOptions) << 127 << 68 << true;
        QTest::newRow("ohne Abbruch") << int(TkelTachoOptions(O::doLabel) | O::doZeit) << 97 << 68 << false;
        QTest::newRow("nur Zeile") << int(TkelTachoOptions(O::doLabel)) << 61 << 32 << false;
        QTest::newRow("nur Balken") << 0 << 43 << 14 << false;
        QTest::newRow("Zeiten und Abbruch") << int(TkelTachoOptions(O::doZeit) | O::doCancel) << 109 << 50 << true;
    }
    void layout()
    {
        QFETCH(int, optionen);
        TkelTacho t(nullptr, ui);
        t.setOptions(TkelTachoOptions::fromInt(optionen));
        t.NeustartWarten(10);
        QWidget *f = TkelTacho::Fortschrittsfenster();
        QVERIFY(f);
        QVERIFY(f->isVisible());
        QTEST(f->height(), "hoehe");
        QCOMPARE(f->width(), 364);
        auto *balken = f->findChild<QProgressBar *>(QStringLiteral("pb_Fortschritt"));
        QVERIFY(balken);
        QCOMPARE(balken->geometry(), QRect(14, balken->y(), 337, 15));
        QTEST(balken->y(), "balkenOben");
        QFETCH(bool, knopf);
        QCOMPARE(abbruchKnopf() != nullptr, knopf);
        if (knopf)
            QCOMPARE(abbruchKnopf()->geometry(), QRect(145, balken->y() + 25, 75, 25));
        t.Beenden(false);
    }

    void layout_alleTeile()
    {
        TkelTacho t(nullptr, ui);
        t.setCaption(QStringLiteral("Jahre lesen"));
        t.Start(QStringLiteral("Titelliste"), 20, true);
        QWidget *f = TkelTacho::Fortschrittsfenster();
        QCOMPARE(f->windowTitle(), QStringLiteral("Titelliste"));
        QCOMPARE(zeile("la_Caption")->geometry(), QRect(14, 14, 337, 13));
        QCOMPARE(zeile("la_Restzeit")->geometry(), QRect(14, 32, 337, 13));
        QCOMPARE(zeile("la_Verstrichen")->geometry(), QRect(14, 50, 337, 13));
        QCOMPARE(zaehlZeile(), QStringLiteral("Jahre lesen"));
        QCOMPARE(zeile("la_Restzeit")->text(), QStringLiteral("Vorbereitung ..."));
        QCOMPARE(zeile("la_Verstrichen")->text(), QStringLiteral("Vorbereitung ..."));
        QVERIFY(!f->close());
        QVERIFY(f->isVisible());
        t.Beenden(false);
    }

    void countZeile_data()
    {
        QTest::addColumn<int>("gesamt");
        QTest::addColumn<int>("schritte");
        QTest::addColumn<QString>("text");
        QTest::newRow("5 von 20") << 20 << 5 << "5 / 20 = 25,00 %";
        QTest::newRow("Gesamt 0") << 0 << 1 << "1 / 0 = 0,00 %";
        QTest::newRow("Drittel") << 3 << 1 << "1 / 3 = 33,33 %";
        QTest::newRow("fertig") << 4 << 4 << "4 / 4 = 100,00 %";
        QTest::newRow("Tausender") << 1 << 12 << "12 / 1 = 1.200,00 %";
    }
    void countZeile()
    {
        QFETCH(int, gesamt);
        QFETCH(int, schritte);
        TkelTacho t(nullptr, ui);
        t.StartWarten(gesamt, true);
        for (int i = 0; i < schritte; ++i)
            t.Schritt();
        QTEST(zaehlZeile(), "text");
        QCOMPARE(t.Position(), schritte);
        auto *balken = TkelTacho::Fortschrittsfenster()->findChild<QProgressBar *>();
        QVERIFY(balken->minimum() < balken->maximum());
        t.Beenden(false);
    }

    void captionUndTitel()
    {
        TkelTacho t(nullptr, ui);
        t.StartEinfach(false);
        QCOMPARE(TkelTacho::Fortschrittsfenster()->windowTitle(), QStringLiteral("Bitte warten..."));
        t.setCaption(QStringLiteral("2019"));
        QCOMPARE(zaehlZeile(), QStringLiteral("2019"));
        t.SchrittMitTitel(QStringLiteral("D:/Fotos/2019/Verzeichnis.dat"));
        QCOMPARE(TkelTacho::Fortschrittsfenster()->windowTitle(), QStringLiteral("D:/Fotos/2019/Verzeichnis.dat"));
        QCOMPARE(zaehlZeile(), QStringLiteral("1 / 1 = 100,00 %"));
        t.NeustartWarten(8);
        QCOMPARE(TkelTacho::Fortschrittsfenster()->windowTitle(), QStringLiteral("Bitte warten..."));
        QCOMPARE(t.Position(), 0);
        QCOMPARE(t.Max(), 8);
        t.Beenden(false);
    }

    // The time lines follow the clock at most once a second.
    void zeitZeilen()
    {
        TkelTacho t(nullptr, ui);
        stellen(t);
        t.StartWarten(20, true);
        uhr += 1000;
        t.Schritt();
        QCOMPARE(zeile("la_Restzeit")->text(), QStringLiteral("verbleibende Zeit = 00:00:19 "));
        QCOMPARE(zeile("la_Verstrichen")->text(), QStringLiteral("verstrichene Zeit = 00:00:01 "));
        uhr += 1000;
        t.Schritt();
        QCOMPARE(zeile("la_Verstrichen")->text(), QStringLiteral("verstrichene Zeit = 00:00:01 "));
        uhr += 1;
        t.Schritt();
        QCOMPARE(zeile("la_Restzeit")->text(), QStringLiteral("verbleibende Zeit = 00:00:11 "));
        QCOMPARE(zeile("la_Verstrichen")->text(), QStringLiteral("verstrichene Zeit = 00:00:02 "));
        QCOMPARE(zaehlZeile(), QStringLiteral("3 / 20 = 15,00 %"));

        // A new phase estimates from its own start.
        uhr += 60'000;
        t.Neustart(QStringLiteral("Phase 2"), 4);
        uhr += 3000;
        t.Schritt();
        QCOMPARE(zeile("la_Restzeit")->text(), QStringLiteral("verbleibende Zeit = 00:00:09 "));
        QCOMPARE(zeile("la_Verstrichen")->text(), QStringLiteral("verstrichene Zeit = 00:00:03 "));
        t.Beenden(false);
        QCOMPARE(ui.boxes.size(), 0);
    }

    void abbruch()
    {
        TkelTacho t(nullptr, ui);
        t.StartWarten(10, true);
        QPushButton *knopf = abbruchKnopf();
        QVERIFY(knopf);

        ui.antworten.enqueue(false);
        QTest::mouseClick(knopf, Qt::LeftButton);
        QCOMPARE(ui.letzterText(), QStringLiteral("Soll die Verarbeitung wirklich abgebrochen werden ?"));
        QVERIFY(!t.Abgebrochen());
        QVERIFY(knopf->isEnabled());

        ui.antworten.enqueue(true);
        QTest::mouseClick(knopf, Qt::LeftButton);
        QVERIFY(t.Abgebrochen());
        QVERIFY(!knopf->isEnabled());
        QCOMPARE(ui.boxes.size(), 2);

        t.NeustartWarten(5);
        QVERIFY(knopf->isEnabled());
        QVERIFY(t.Abgebrochen());
        t.Beenden(false);
        QVERIFY(t.Abgebrochen());
        t.StartWarten(3, true);
        QVERIFY(!t.Abgebrochen());
        t.Beenden(false);
    }

    // A click that waits in the event queue is handled inside the next step.
    void abbruchWaehrendSchritt()
    {
        TkelTacho t(nullptr, ui);
        t.StartWarten(10, true);
        ui.antworten.enqueue(true);
        QMetaObject::invokeMethod(abbruchKnopf(), &QPushButton::click, Qt::QueuedConnection);
        QVERIFY(!t.Abgebrochen());
        t.Schritt();
        QVERIFY(t.Abgebrochen());
        t.Beenden(false);
    }

    void schlussMeldung_data()
    {
        QTest::addColumn<qint64>("dauer");
        QTest::addColumn<bool>("abgebrochen");
        QTest::addColumn<QString>("text");
        QTest::newRow("beendet") << qint64(133'000) << false << "Bitte warten... nach 00:02:13 beendet.";
        QTest::newRow("abgebrochen") << qint64(65'000) << true << "Bitte warten... nach 00:01:05 abgebrochen.";
        QTest::newRow("über einen Tag") << qint64(25 * 3600'000 + 1000) << false
                                        << "Bitte warten... nach 01:00:01 beendet.";
    }
    void schlussMeldung()
    {
        QFETCH(qint64, dauer);
        QFETCH(bool, abgebrochen);
        TkelTacho t(nullptr, ui);
        stellen(t);
        t.StartWarten(10, true);
        t.setAbgebrochen(abgebrochen);
        uhr += dauer;
        t.Beenden(true);
        QCOMPARE(ui.boxes.size(), 1);
        QCOMPARE(ui.boxes.first().art, TkelUiServices::Art::Information);
        QTEST(ui.letzterText(), "text");
        QCOMPARE(ui.beeps, 0);
    }

    void schlussMeldungOhneFenster()
    {
        TkelTacho t(nullptr, ui);
        stellen(t);
        t.Beenden(true);
        QCOMPARE(ui.beeps, 1);
        QCOMPARE(ui.letzterText(), QStringLiteral(" nach 00:00:00 beendet."));
    }

    void verschachtelt()
    {
        TkelTacho a(nullptr, ui);
        TkelTacho b(nullptr, ui);
        a.Start(QStringLiteral("A"), 10, true);
        QCOMPARE(TkelTacho::Ebene(), 0);
        QWidget *fenster = TkelTacho::Fortschrittsfenster();
        b.Start(QStringLiteral("B"), 5, false);
        QCOMPARE(TkelTacho::Ebene(), 1);
        QCOMPARE(TkelTacho::Fortschrittsfenster(), fenster);
        QCOMPARE(fenster->windowTitle(), QStringLiteral("A"));
        b.SchrittMitTitel(QStringLiteral("vom inneren"));
        a.Schritt();
        QCOMPARE(fenster->windowTitle(), QStringLiteral("A"));
        QCOMPARE(a.Position(), 0);
        QCOMPARE(b.Position(), 0);
        QVERIFY(abbruchKnopf());
        b.Beenden(false);
        QCOMPARE(TkelTacho::Ebene(), 0);
        QCOMPARE(TkelTacho::Fortschrittsfenster(), fenster);
        a.Schritt();
        QCOMPARE(zaehlZeile(), QStringLiteral("1 / 10 = 10,00 %"));
        a.Beenden(false);
        QCOMPARE(TkelTacho::Ebene(), -1);
        QVERIFY(!TkelTacho::Fortschrittsfenster());
    }

    void andereFensterGesperrt()
    {
        QWidget haupt;
        haupt.show();
        QWidget schonGesperrt;
        schonGesperrt.setEnabled(false);
        schonGesperrt.show();
        QWidget unsichtbar;

        TkelTacho t(&haupt, ui);
        t.StartWarten(3, true);
        QVERIFY(!haupt.isEnabled());
        QVERIFY(!schonGesperrt.isEnabled());
        QVERIFY(TkelTacho::Fortschrittsfenster()->isEnabled());
        QVERIFY(abbruchKnopf()->isEnabled());
        t.Schritt();
        t.Beenden(false);
        QVERIFY(haupt.isEnabled());
        QVERIFY(!schonGesperrt.isEnabled());
        QVERIFY(unsichtbar.isEnabled());

        // Without doModal nothing is disabled.
        t.setOptions(TkelTachoOption::doLabel);
        t.NeustartWarten(2);
        QVERIFY(haupt.isEnabled());
        t.Beenden(false);
    }

    void optionenNurWennInaktiv()
    {
        TkelTacho t(nullptr, ui);
        t.StartWarten(3, false);
        t.setOptions(TkelTachoOption::doCancel);
        QCOMPARE(
            t.Options(), TkelTachoOptions(TkelTacho::StandardOptions) & ~TkelTachoOptions(TkelTachoOption::doCancel));
        // A second start asking for the button keeps the running layout.
        t.StartWarten(3, true);
        QVERIFY(!abbruchKnopf());
        t.Beenden(false);
        t.setOptions(TkelTachoOption::doCancel);
        QCOMPARE(t.Options(), TkelTachoOptions(TkelTachoOption::doCancel));
    }

    void zerstoerenBeendet()
    {
        QWidget haupt;
        haupt.show();
        auto *t = new TkelTacho(&haupt, ui);
        t->StartWarten(3, true);
        QVERIFY(!haupt.isEnabled());
        delete t;
        QCOMPARE(TkelTacho::Ebene(), -1);
        QVERIFY(haupt.isEnabled());
    }

    void stumm()
    {
        TkelFortschrittStumm s;
        s.abbrechenNach = 2;
        s.Schritt();
        QCOMPARE(s.schritte, 0);
        s.StartWarten(5, true);
        QVERIFY(s.mitAbbruch);
        int positionen = 0;
        s.beiSchritt = [&positionen](int) { ++positionen; };
        for (int i = 0; i < 5 && !s.Abgebrochen(); ++i)
            s.SchrittMitTitel(QString::number(i));
        QCOMPARE(s.schrittTitel, (QStringList { "0", "1" }));
        QCOMPARE(positionen, 2);
        s.Beenden(true);
        QCOMPARE(s.meldungen, 1);
        QVERIFY(s.Abgebrochen());
        s.abbrechenNach = -1;
        s.StartEinfach(false);
        QVERIFY(!s.Abgebrochen());
        QCOMPARE(s.startTitel, (QStringList { "Bitte warten...", "Bitte warten..." }));
        s.Beenden(false);
        QCOMPARE(s.beendet, 2);
    }
};

KEL_TEST_MAIN(TachoTest)
#include "tacho_test.moc"
