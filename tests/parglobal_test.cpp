#include "framework/ke7_directorykeycombobox.h"
#include "framework/ke7_groupbox.h"
#include "framework/ke7_parameter.h"
#include "framework/ke7_parameterwerte.h"
#include "framework/pex_ini.h"
#include "framework/pex_inishared.h"
#include "framework/pexedit.h"
#include "mainwindow/alb_parglobal.h"
#include "tests/common/fakeuiservices.h"
#include "tests/common/kel_test.h"

#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <functional>
#include <memory>

namespace {

const QString Sektion = QStringLiteral("Tam_ParGlobal");
const QString GrundFehlt = QStringLiteral("Bitte wählen Sie ein Grundverzeichnis aus.");

QString fehltText(const QString &ordner)
{
    return QStringLiteral("Das Verzeichnis\r") + ordner + QStringLiteral("\rwurde nicht gefunden.");
}

// Records where the font dialog started.
class SchriftUi : public FakeUiServices
{
public:
    QList<QFont> startSchriften;
    bool schriftWaehlen(QFont &font) override
    {
        startSchriften.append(font);
        return FakeUiServices::schriftWaehlen(font);
    }
};

// Runs Bearbeiten and, while the dialog shows, one step per timer tick. Steps that run out
// while the dialog is still open, or five seconds, end it with Abbruch and set `haengt`.
bool bearbeitenMit(Tam_ParGlobal &dlg, const QList<std::function<void()>> &schritte, bool &haengt)
{
    haengt = false;
    int naechster = 0;
    QElapsedTimer uhr;
    uhr.start();
    QTimer takt;
    takt.setInterval(10);
    QObject::connect(&takt, &QTimer::timeout, &dlg, [&] {
        if (!dlg.isVisible())
            return;
        if (naechster < schritte.size() && uhr.elapsed() < 5000) {
            schritte.at(naechster++)();
            return;
        }
        haengt = true;
        dlg.reject();
    });
    takt.start();
    return dlg.Bearbeiten();
}

} // namespace

class ParGlobalTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_ordner;
    QString m_grund;
    QString m_html;

    static QString iniDatei() { return SharedIniFileName(); }
    static QString wert(const QString &key)
    {
        return TpexIniFile(iniDatei()).readString(Sektion, key, QStringLiteral("<fehlt>"));
    }

    // The base and HTML folders as the user picks them with the "..." buttons.
    void ordnerWaehlen(Tam_ParGlobal &dlg, FakeUiServices &ui, const QString &grund, const QString &html)
    {
        ui.verzeichnisAntworten.enqueue(grund);
        dlg.ED_GRUNDPFAD->Waehlen();
        ui.verzeichnisAntworten.enqueue(html);
        dlg.ED_EXPORTTOHTML_PFAD->Waehlen();
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_ordner.isValid());
        m_grund = m_ordner.path() + QStringLiteral("/Fotos Ä/");
        m_html = m_ordner.path() + QStringLiteral("/web/");
        QVERIFY(QDir().mkpath(m_grund));
        QVERIFY(QDir().mkpath(m_html));
    }

    void init()
    {
        SetSharedIniFileName(QStringLiteral("kelAlbum_partest.ini"));
        QFile::remove(iniDatei());
        SetSharedIniFileName(QStringLiteral("kelAlbum_partest.ini"));
    }

    void ersterStart()
    {
        FakeUiServices ui;
        Tam_ParGlobal dlg(ui);
        QCOMPARE(dlg.windowTitle(), QStringLiteral("Einstellungen für kelAlbum"));
        QCOMPARE(dlg.size(), QSize(608, 329));
        QVERIFY(!dlg.PAR->FormPosSizeSave());
        QCOMPARE(dlg.PAR->TagInclusive(), 99);
        QCOMPARE(dlg.bb_OK->text(), QStringLiteral("Speichern"));
        QCOMPARE(dlg.bb_Cancel->text(), QStringLiteral("Abbruch"));

        const QStringList persistiert = { "ED_GRUNDPFAD", "cx_GrosseFotosAnpassen", "cx_DatumMitWochentag",
            "ed_DropDownCount", "ED_EXPORTTOHTML_ENABLED", "ED_EXPORTTOHTML_PFAD" };
        for (const QString &name : persistiert) {
            QObject *control = dlg.findChild<QObject *>(name);
            QVERIFY2(control, qPrintable(name));
            QCOMPARE(tag(control), 99);
        }
        for (const char *name : { "bb_Font", "la_Font", "la_ini", "la_exe", "gb_Grund" }) {
            QObject *control = dlg.findChild<QObject *>(QString::fromLatin1(name));
            QVERIFY2(control, name);
            QCOMPARE(tag(control), 0);
        }
        QCOMPARE(dlg.bb_Font->text(), QStringLiteral("Auswählen"));
        QCOMPARE(
            dlg.la_Font->text(), QStringLiteral("ÄÖÜß äöüß §$% Wer das lesen kann hat die richtige Schrift gewählt."));

        QCOMPARE(dlg.Grundpfad(), QString());
        QVERIFY(dlg.ED_GRUNDPFAD->kelPAR_Save_Keys());
        QVERIFY(dlg.GrosseFotosAnpassen());
        QVERIFY(dlg.MitWochentag());
        QCOMPARE(dlg.Zeilenzahl(), 10);
        QCOMPARE(dlg.ed_DropDownCount->text(), QStringLiteral("10"));
        QCOMPARE(dlg.GrosseSchrift().family(), QStringLiteral("MS Sans Serif"));
        QCOMPARE(dlg.GrosseSchrift().pointSize(), 8);
        QVERIFY(dlg.ED_EXPORTTOHTML_ENABLED->isChecked());
        QVERIFY(!dlg.HtmlExportAktiv());
        QCOMPARE(dlg.HtmlExportPfad(), QString());
        QCOMPARE(dlg.la_ini->text(), iniDatei());
        QCOMPARE(dlg.la_exe->text(), QCoreApplication::applicationFilePath());
        QVERIFY(ui.boxes.isEmpty());
    }

    // Everything the dialog keeps, written on "Speichern" and read back by the next program run.
    void speichernUndWiederLaden()
    {
        const QFont tv(QStringLiteral("DejaVu Serif"), 20, QFont::Bold);
        {
            FakeUiServices ui;
            Tam_ParGlobal dlg(ui);
            ordnerWaehlen(dlg, ui, m_grund, m_html);
            dlg.cx_GrosseFotosAnpassen->setChecked(false);
            dlg.ed_DropDownCount->setText(QStringLiteral("5"));
            ui.schriftAntworten.enqueue(tv);
            dlg.bb_Font->click();
            QCOMPARE(dlg.GrosseSchrift().family(), tv.family());

            bool haengt = false;
            QVERIFY(bearbeitenMit(dlg, { [&] { dlg.ax_OK->trigger(); } }, haengt));
            QVERIFY(!haengt);
            QVERIFY(ui.boxes.isEmpty());
            QCOMPARE(dlg.Zeilenzahl(), 5);

            const QStringList keys = TpexIniFile(iniDatei()).readSection(Sektion);
            const QStringList erwartet = { "ED_GRUNDPFAD", "ED_GRUNDPFAD_Keys_00", "cx_GrosseFotosAnpassen",
                "cx_DatumMitWochentag", "ed_DropDownCount", "ED_EXPORTTOHTML_ENABLED", "ED_EXPORTTOHTML_PFAD",
                "ED_EXPORTTOHTML_PFAD_Keys_00", "GROSSE_SCHRIFT" };
            QCOMPARE(keys, erwartet);
            QCOMPARE(wert(QStringLiteral("ED_GRUNDPFAD")), m_grund);
            QCOMPARE(wert(QStringLiteral("ED_GRUNDPFAD_Keys_00")), KeyListEntry(m_grund, m_grund));
            QCOMPARE(wert(QStringLiteral("cx_GrosseFotosAnpassen")), QStringLiteral("0"));
            QCOMPARE(wert(QStringLiteral("cx_DatumMitWochentag")), QStringLiteral("1"));
            QCOMPARE(wert(QStringLiteral("ed_DropDownCount")), QStringLiteral("5"));
            QCOMPARE(wert(QStringLiteral("ED_EXPORTTOHTML_ENABLED")), QStringLiteral("1"));
            QCOMPARE(wert(QStringLiteral("ED_EXPORTTOHTML_PFAD")), m_html);
            QCOMPARE(wert(QStringLiteral("GROSSE_SCHRIFT")), QStringLiteral("DejaVu Serif;20;1;-16777208"));
        }

        FakeUiServices ui;
        Tam_ParGlobal dlg(ui);
        QCOMPARE(dlg.Grundpfad(), m_grund);
        QVERIFY(!dlg.GrosseFotosAnpassen());
        QVERIFY(dlg.MitWochentag());
        QCOMPARE(dlg.Zeilenzahl(), 5);
        QCOMPARE(dlg.GrosseSchrift().family(), tv.family());
        QCOMPARE(dlg.GrosseSchrift().pointSize(), 20);
        QVERIFY(dlg.GrosseSchrift().bold());
        QVERIFY(dlg.HtmlExportAktiv());
        QCOMPARE(dlg.HtmlExportPfad(), m_html);
        dlg.ED_EXPORTTOHTML_ENABLED->setChecked(false);
        QVERIFY(!dlg.HtmlExportAktiv());
        QCOMPARE(dlg.HtmlExportPfad(), QString());
        QVERIFY(ui.boxes.isEmpty());
    }

    void htmlOrdnerFehlt_data()
    {
        QTest::addColumn<bool>("gewaehlt");
        QTest::addColumn<bool>("abschalten");
        QTest::newRow("erster Start, Gruppe aus") << false << true;
        QTest::newRow("erster Start, Ordner gewählt") << false << false;
        QTest::newRow("gelöschter Ordner, Gruppe aus") << true << true;
        QTest::newRow("gelöschter Ordner, neu angelegt") << true << false;
    }

    void htmlOrdnerFehlt()
    {
        QFETCH(bool, gewaehlt);
        QFETCH(bool, abschalten);
        const QString weg = m_ordner.path() + QStringLiteral("/weg/");
        QVERIFY(QDir().mkpath(weg));
        FakeUiServices ui;
        Tam_ParGlobal dlg(ui);
        ui.verzeichnisAntworten.enqueue(m_grund);
        dlg.ED_GRUNDPFAD->Waehlen();
        if (gewaehlt) {
            ui.verzeichnisAntworten.enqueue(weg);
            dlg.ED_EXPORTTOHTML_PFAD->Waehlen();
        }
        QVERIFY(QDir(weg).removeRecursively());
        const QString ordner = gewaehlt ? weg : QString();

        bool offen = false;
        bool haengt = false;
        const bool ok = bearbeitenMit(dlg,
            { [&] { dlg.ax_OK->trigger(); },
                [&] {
                    offen = dlg.isVisible();
                    if (abschalten) {
                        dlg.ED_EXPORTTOHTML_ENABLED->setChecked(false);
                    } else if (gewaehlt) {
                        QDir().mkpath(weg);
                    } else {
                        ui.verzeichnisAntworten.enqueue(m_html);
                        dlg.ED_EXPORTTOHTML_PFAD->Waehlen();
                    }
                    dlg.ax_OK->trigger();
                } },
            haengt);
        QVERIFY(!haengt);
        QVERIFY(ok);
        QVERIFY(offen);
        QCOMPARE(ui.texte(), QStringList { fehltText(ordner) });
        QCOMPARE(ui.boxes.first().art, TkelUiServices::Art::Fehler);
        QCOMPARE(ui.beeps, 1);
        QCOMPARE(
            wert(QStringLiteral("ED_EXPORTTOHTML_ENABLED")), abschalten ? QStringLiteral("0") : QStringLiteral("1"));
        QCOMPARE(dlg.HtmlExportAktiv(), !abschalten);
        QDir(weg).removeRecursively();
    }

    // Without a base folder the year folders would land in the working folder.
    void leererGrundpfadWirdAbgelehnt()
    {
        FakeUiServices ui;
        Tam_ParGlobal dlg(ui);
        dlg.ED_EXPORTTOHTML_ENABLED->setChecked(false);
        bool offen = false;
        bool haengt = false;
        const bool ok = bearbeitenMit(dlg,
            { [&] { QTest::keyClick(&dlg, Qt::Key_F2); },
                [&] {
                    offen = dlg.isVisible();
                    QTest::keyClick(&dlg, Qt::Key_Escape);
                } },
            haengt);
        QVERIFY(!haengt);
        QVERIFY(!ok);
        QVERIFY(offen);
        QCOMPARE(ui.texte(), QStringList { GrundFehlt });
        QCOMPARE(ui.boxes.first().art, TkelUiServices::Art::Fehler);
        QVERIFY(!TpexIniFile(iniDatei()).sectionExists(Sektion));
    }

    // "Abbruch" reverts nothing: the accessors return the changes, and the end of the program
    // saves them.
    void abbruchBehaeltWerte_data()
    {
        QTest::addColumn<bool>("schliessen");
        QTest::newRow("Abbruch") << false;
        QTest::newRow("Schließen des Fensters") << true;
    }

    void abbruchBehaeltWerte()
    {
        QFETCH(bool, schliessen);
        const QFont tv(QStringLiteral("DejaVu Sans Mono"), 28);
        {
            FakeUiServices ui;
            Tam_ParGlobal dlg(ui);
            bool haengt = false;
            const bool ok = bearbeitenMit(dlg, { [&] {
                ordnerWaehlen(dlg, ui, m_grund, m_html);
                dlg.cx_DatumMitWochentag->setChecked(false);
                dlg.ed_DropDownCount->setText(QStringLiteral("7"));
                ui.schriftAntworten.enqueue(tv);
                dlg.bb_Font->click();
                if (schliessen)
                    dlg.close();
                else
                    dlg.ax_Cancel->trigger();
            } },
                haengt);
            QVERIFY(!haengt);
            QVERIFY(!ok);
            QCOMPARE(dlg.Grundpfad(), m_grund);
            QVERIFY(!dlg.MitWochentag());
            QCOMPARE(dlg.Zeilenzahl(), 7);
            QCOMPARE(dlg.GrosseSchrift().family(), tv.family());
            QCOMPARE(dlg.HtmlExportPfad(), m_html);
            QVERIFY(!TpexIniFile(iniDatei()).sectionExists(Sektion));
        }
        QCOMPARE(wert(QStringLiteral("ED_GRUNDPFAD")), m_grund);
        QCOMPARE(wert(QStringLiteral("cx_DatumMitWochentag")), QStringLiteral("0"));
        QCOMPARE(wert(QStringLiteral("ed_DropDownCount")), QStringLiteral("7"));
        QCOMPARE(wert(QStringLiteral("GROSSE_SCHRIFT")), QStringLiteral("DejaVu Sans Mono;28;0;-16777208"));
    }

    // The font dialog starts with its own last choice of this run, never with the stored TV font.
    void schriftdialogStartetMitEigenerWahl()
    {
        TpexIniFile(iniDatei())
            .writeString(Sektion, QStringLiteral("GROSSE_SCHRIFT"), QStringLiteral("DejaVu Serif;30;2;255"));
        SchriftUi ui;
        Tam_ParGlobal dlg(ui);
        QCOMPARE(dlg.GrosseSchrift().family(), QStringLiteral("DejaVu Serif"));
        QVERIFY(dlg.GrosseSchrift().italic());

        const QFont erste(QStringLiteral("DejaVu Sans"), 16);
        ui.schriftAntworten.enqueue(erste);
        dlg.bb_Font->click();
        dlg.bb_Font->click(); // cancelled: the TV font stays
        QCOMPARE(ui.startSchriften.size(), 2);
        QCOMPARE(ui.startSchriften.at(0).family(), QStringLiteral("MS Sans Serif"));
        QCOMPARE(ui.startSchriften.at(0).pointSize(), 8);
        QCOMPARE(ui.startSchriften.at(1).family(), erste.family());
        QCOMPARE(ui.startSchriften.at(1).pointSize(), 16);
        QCOMPARE(dlg.GrosseSchrift().family(), erste.family());
        QVERIFY(!dlg.GrosseSchrift().italic());
    }

    // A damaged settings file neither stops the dialog nor leaves unusable values.
    void beschaedigteEintraege()
    {
        TpexIniFile ini(iniDatei());
        ini.writeString(Sektion, QStringLiteral("GROSSE_SCHRIFT"), QStringLiteral("Arial;groß;0;0"));
        ini.writeString(Sektion, QStringLiteral("ed_DropDownCount"), QStringLiteral("viele"));
        FakeUiServices ui;
        Tam_ParGlobal dlg(ui);
        QCOMPARE(ui.boxes.size(), 1);
        QCOMPARE(ui.boxes.first().art, TkelUiServices::Art::Fehler);
        QCOMPARE(dlg.GrosseSchrift().family(), QStringLiteral("MS Sans Serif"));
        QCOMPARE(dlg.Zeilenzahl(), 10);
        dlg.ed_DropDownCount->setText(QStringLiteral("0"));
        QCOMPARE(dlg.Zeilenzahl(), 1);
    }
};

KEL_TEST_MAIN(ParGlobalTest)
#include "parglobal_test.moc"
