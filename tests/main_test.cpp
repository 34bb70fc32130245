#include "archive/alb_tools.h"
#include "framework/ke7_directorykeycombobox.h"
#include "framework/ke7_keycombobox.h"
#include "framework/ke7_parameterwerte.h"
#include "framework/pex_ini.h"
#include "framework/pex_inishared.h"
#include "framework/pexedit.h"
#include "imaging/ke7_foto.h"
#include "mainwindow/alb_browse.h"
#include "mainwindow/alb_main.h"
#include "mainwindow/alb_parglobal.h"
#include "mainwindow/alb_titeleingabe.h"
#include "tests/common/fakeuiservices.h"
#include "tests/common/kel_test.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>

#include <functional>
#include <memory>

namespace {

const QString kProjekt = QStringLiteral("maintest");

QString iniDatei()
{
    return IniFolder() + ProjektIniDateiName(kProjekt);
}

QString wert(const QString &sektion, const QString &key)
{
    return TpexIniFile(iniDatei()).readString(sektion, key, QStringLiteral("<fehlt>"));
}

// Runs `antwort` on the modal dialog of type D as soon as it shows (polled with a limit).
template <class D> void beiDialog(std::function<void(D *)> antwort)
{
    auto *zaehler = new int(0);
    auto *uhr = new QTimer;
    uhr->setInterval(10);
    QObject::connect(uhr, &QTimer::timeout, [uhr, zaehler, antwort] {
        if (auto *d = qobject_cast<D *>(QApplication::activeModalWidget())) {
            uhr->stop();
            uhr->deleteLater();
            delete zaehler;
            antwort(d);
        } else if (++*zaehler > 500) {
            uhr->stop();
            uhr->deleteLater();
            delete zaehler;
            if (QWidget *modal = QApplication::activeModalWidget())
                modal->close();
        }
    });
    uhr->start();
}

} // namespace

class MainTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_grund;

    void tag(const QString &pfad, const QStringList &fotos) const
    {
        QDir().mkpath(m_grund + pfad);
        for (const QString &f : fotos) {
            QFile datei(m_grund + pfad + QLatin1Char('/') + f);
            QVERIFY(datei.open(QIODevice::WriteOnly));
        }
    }

    // The project's settings: the test archive as base folder, HTML publishing off, and the
    // main window's section as given.
    void einstellungen(const QString &grund, const QList<QPair<QString, QString>> &main = {})
    {
        QFile::remove(iniDatei());
        TpexIniFile ini(iniDatei());
        if (!grund.isEmpty()) {
            ini.writeString(QStringLiteral("Tam_ParGlobal"), QStringLiteral("ED_GRUNDPFAD"), grund);
            ini.writeString(
                QStringLiteral("Tam_ParGlobal"), QStringLiteral("ED_GRUNDPFAD_Keys_00"), KeyListEntry(grund, grund));
        }
        ini.writeString(
            QStringLiteral("Tam_ParGlobal"), QStringLiteral("ED_EXPORTTOHTML_ENABLED"), QStringLiteral("0"));
        for (const auto &kv : main)
            ini.writeString(QStringLiteral("Tam_Main"), kv.first, kv.second);
    }

    std::unique_ptr<Tam_Main> starten(FakeUiServices &ui, QStringList argumente = {})
    {
        argumente.append(QStringLiteral("/Projekt=") + kProjekt);
        auto w = std::make_unique<Tam_Main>(ui, argumente);
        if (w->EndeCode() < 0) {
            w->show();
            w->activateWindow();
            if (!QTest::qWaitForWindowActive(w.get()))
                qWarning("main window not active");
        }
        return w;
    }

    static QString name(const QString &pfad) { return QFileInfo(pfad).fileName(); }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        m_grund = m_dir.path() + QStringLiteral("/Fotos/");
        tag(QStringLiteral("2011/20110101"), { "a.jpg", "b.jpg" });
        tag(QStringLiteral("2011/20110202"), { "c.jpg" });
        tag(QStringLiteral("2012/20120101"), { "d.jpg", "e.jpg", "f.jpg" });
        tag(QStringLiteral("2012/20120303"), { "g.jpg", "h.jpg" });
    }

    void startUndTasten_data()
    {
        QTest::addColumn<QString>("tasten");
        QTest::addColumn<QString>("tag");
        QTest::addColumn<QString>("bild");
        QTest::addColumn<int>("beeps");

        QTest::newRow("start") << ""
                               << "2011/20110101"
                               << "a.jpg" << 0;
        QTest::newRow("Space") << " "
                               << "2011/20110101"
                               << "b.jpg" << 0;
        QTest::newRow("Space over the day end") << "  "
                                                << "2011/20110202"
                                                << "c.jpg" << 1;
        QTest::newRow("Space over the year end") << "   "
                                                 << "2012/20120303"
                                                 << "g.jpg" << 3;
        QTest::newRow("Backspace at the start of the archive") << "<"
                                                               << "2011/20110101"
                                                               << "a.jpg" << 3;
        QTest::newRow("Page Down, Page Up") << "DU"
                                            << "2011/20110101"
                                            << "a.jpg" << 0;
        QTest::newRow("Page Down twice") << "DD"
                                         << "2012/20120303"
                                         << "g.jpg" << 1;
        QTest::newRow("End, Home") << "EH"
                                   << "2011/20110101"
                                   << "a.jpg" << 0;
        QTest::newRow("End") << "E"
                             << "2011/20110101"
                             << "b.jpg" << 0;
        QTest::newRow("A after Space") << " a"
                                       << "2011/20110101"
                                       << "a.jpg" << 0;
        QTest::newRow("e") << "e"
                           << "2011/20110101"
                           << "b.jpg" << 0;
    }

    void startUndTasten()
    {
        QFETCH(QString, tasten);
        QFETCH(QString, tag);
        QFETCH(QString, bild);
        QFETCH(int, beeps);

        einstellungen(m_grund, { { "cb_Jahre", m_grund + "2011" }, { "cb_Tage", m_grund + "2011/20110101" } });
        FakeUiServices ui;
        auto w = starten(ui);
        QCOMPARE(w->EndeCode(), -1);
        QVERIFY(!w->Startphase());
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(w->bb_BildVor));
        for (const QChar c : std::as_const(tasten)) {
            // The progress window of a title store rebuild took the activation; a desktop
            // hands it back by itself.
            w->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(w.get()));
            QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(w->bb_BildVor));
            switch (c.unicode()) {
            case ' ':
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
                break;
            case '<':
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace);
                break;
            case 'D':
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageDown);
                break;
            case 'U':
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageUp);
                break;
            case 'E':
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_End);
                break;
            case 'H':
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Home);
                break;
            case 'a':
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_A);
                break;
            case 'e':
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_E);
                break;
            }
        }
        QCOMPARE(w->cb_Tage->Key(), m_grund + tag);
        QCOMPARE(w->cb_Jahre->Key(), m_grund + tag.left(4));
        QCOMPARE(name(w->foto->BildDateiname()), bild);
        QCOMPARE(w->windowTitle(), Tam_Browse::Titelprefix() + w->foto->BildDateiname());
        QCOMPARE(w->lb_Fotos->count(), int(w->Browse().Fotos().size()));
        QCOMPARE(w->lb_Fotos->currentRow(), w->Browse().FotoIndex());
        QCOMPARE(ui.beeps, beeps);
        QVERIFY(ui.boxes.isEmpty());
    }

    void layoutUndBefehle()
    {
        einstellungen(m_grund);
        FakeUiServices ui;
        auto w = starten(ui);
        // Nothing remembered: the newest year and day.
        QCOMPARE(w->cb_Tage->Key(), m_grund + QStringLiteral("2012/20120303"));
        QCOMPARE(w->Grundpfad(), m_grund);
        QCOMPARE(w->VerzeichnisDat(), m_grund + QStringLiteral("Verzeichnis.dat"));
        QVERIFY(w->isMaximized());
        QVERIFY(w->pa_Top->isVisible());
        QVERIFY(!w->pa_L->isVisible());
        QVERIFY(!w->pa_Copy->isVisible());
        QCOMPARE(w->lb_Fotos->font().family(), QStringLiteral("Liberation Mono"));
        QCOMPARE(w->lb_Fotos->font().pointSize(), 10);
        QCOMPARE(w->foto->Hintergrundfarbe(), QColor(Qt::black));

        QStringList knoepfe;
        for (QToolButton *k : w->pa_Top->findChildren<QToolButton *>(QString(), Qt::FindDirectChildrenOnly))
            knoepfe << k->text();
        QCOMPARE(knoepfe, QStringList({ "<<<", "<<", "<", "*", "#", "?", ">", ">>", ">>>" }));
        QCOMPARE(w->ax_TagZur->toolTip(), QStringLiteral("vorheriger Tag "));
        QCOMPARE(w->ax_Einstellungen->shortcut(), QKeySequence(Qt::Key_NumberSign));
        QCOMPARE(w->ax_Beenden->shortcut(), QKeySequence(Qt::Key_Escape));
        QCOMPARE(w->ax_DiaShow_Start->shortcut(), QKeySequence(Qt::Key_F8));

        // The view's own two entries, then the window's in their order.
        QStringList menue;
        for (QAction *a : w->foto->Menue()->actions())
            menue << (a->isSeparator() ? QStringLiteral("-") : a->objectName());
        const QStringList erwartet = { "ax_TagesAnfang", "ax_TagesEnde", "ax_TitelEingeben", "ax_DiaShow_Start",
            "ax_Kamera", "-", "ax_Rotate_R", "ax_Rotate_L", "-", "ax_SaveAs", "ax_BildLoeschen", "-",
            "ax_ExportTitelToTxt", "ax_kelAlbumOeffnen", "ax_DateinameToClipboard", "ax_GrosseSchrift",
            "ax_Bilderliste", "ax_AlleBilderAuswaehlen", "-", "ax_HTMLCreator", "ax_HTMLCreator_All", "ax_MailTo",
            "ax_SaveForMail", "ax_SaveAs1920", "ax_AlleBilderInDropbox" };
        QCOMPARE(menue.mid(menue.size() - erwartet.size()), erwartet);
        QCOMPARE(w->ax_Rotate_R->isVisible(), !w->JpegtranDatei().isEmpty());
        QVERIFY(!w->ax_HTMLCreator->isVisible());

        // The photo list panel and the file name command.
        w->ax_Bilderliste->trigger();
        QVERIFY(w->pa_L->isVisible());
        QCOMPARE(w->lb_Fotos->count(), 2);
        w->lb_Fotos->setCurrentRow(1);
        QCOMPARE(name(w->foto->BildDateiname()), QStringLiteral("h.jpg"));
        w->ax_DateinameToClipboard->trigger();
        QCOMPARE(ui.clipboard, m_grund + QStringLiteral("2012/20120303/h.jpg"));
        w->ax_GrosseSchrift->trigger();
        QCOMPARE(w->cb_Tage->font().family(), w->ParGlobal()->GrosseSchrift().family());
        QCOMPARE(w->cb_Jahre->font().pointSize(), w->ParGlobal()->GrosseSchrift().pointSize());
        QCOMPARE(w->pa_Top->maximumHeight(), w->cb_Tage->sizeHint().height() + 10);
        w->ax_GrosseSchrift->trigger();
        QCOMPARE(w->cb_Tage->font().pointSize(), w->font().pointSize());
        w->ax_GrosseSchrift->trigger();

        // Picking a year lands on its newest day.
        w->cb_Jahre->Modell().Change(QStringLiteral("2011"));
        QCOMPARE(w->cb_Tage->Key(), m_grund + QStringLiteral("2011/20110202"));
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(w->bb_BildVor));

        w.reset();
        QCOMPARE(wert("Tam_Main", "cb_Jahre"), m_grund + QStringLiteral("2011"));
        QCOMPARE(wert("Tam_Main", "cb_Tage"), m_grund + QStringLiteral("2011/20110202"));
        QCOMPARE(wert("Tam_Main", "ax_Bilderliste"), QStringLiteral("Ja"));
        QCOMPARE(wert("Tam_Main", "ax_GrosseSchrift"), QStringLiteral("Ja"));
        QCOMPARE(wert("Tam_Main", "pa_L"), QStringLiteral("185"));
        QCOMPARE(wert("Tam_Main", "pa_Copy"), QStringLiteral("182"));
        QCOMPARE(wert("Tam_Main", "foto_copy"), QStringLiteral("111"));
        QVERIFY(wert("Tam_Main", "Titel exportieren nach").endsWith(QStringLiteral("/kelAlbum/kelAlbumAlleTitel.txt")));
        QVERIFY(wert("Tam_Main", "kelAlbum speichern in").endsWith(QStringLiteral("/kelAlbum/Album.kelAlbum")));
        QVERIFY(wert("Tam_Main", "ax_AlleBilderInDropbox").endsWith(QLatin1Char('/')));
    }

    void diashowUndEsc()
    {
        einstellungen(m_grund, { { "cb_Jahre", m_grund + "2012" }, { "cb_Tage", m_grund + "2012/20120101" } });
        FakeUiServices ui;
        auto w = starten(ui);
        QCOMPARE(name(w->foto->BildDateiname()), QStringLiteral("d.jpg"));

        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F8);
        QVERIFY(w->DiashowLaeuft());
        QCOMPARE(w->Timer->interval(), 5000);
        QVERIFY(!w->pa_Top->isVisible());
        QVERIFY(w->windowFlags() & Qt::FramelessWindowHint);
        // The photo shown by the start itself has the plain caption.
        QCOMPARE(w->windowTitle(), Tam_Browse::Titelprefix() + m_grund + QStringLiteral("2012/20120101/e.jpg"));
        QMetaObject::invokeMethod(w->Timer, "timeout");
        QCOMPARE(w->windowTitle(),
            QStringLiteral("kelAlbum [9.30]  Diashow ") + m_grund + QStringLiteral("2012/20120101/f.jpg"));

        // Esc ends the show first: one more photo, the top bar and the border come back.
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : w.get(), Qt::Key_Escape);
        QVERIFY(!w->DiashowLaeuft());
        QVERIFY(w->isVisible());
        QVERIFY(w->pa_Top->isVisible());
        QVERIFY(!(w->windowFlags() & Qt::FramelessWindowHint));
        QCOMPARE(w->windowTitle(), Tam_Browse::Titelprefix() + m_grund + QStringLiteral("2012/20120303/g.jpg"));
        QCOMPARE(ui.beeps, 1);

        // The second Esc ends the program.
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : w.get(), Qt::Key_Escape);
        QVERIFY(!w->isVisible());
    }

    // A held Space moves the position with every repeated press but decodes only the photo
    // reached when the queued presses are done.
    void gehalteneTaste()
    {
        einstellungen(m_grund, { { "cb_Jahre", m_grund + "2012" }, { "cb_Tage", m_grund + "2012/20120101" } });
        FakeUiServices ui;
        auto w = starten(ui);
        QWidget *knopf = QApplication::focusWidget();
        QCOMPARE(knopf, static_cast<QWidget *>(w->bb_BildVor));
        QTest::simulateEvent(knopf, true, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "), false, -1);
        QCOMPARE(name(w->foto->BildDateiname()), QStringLiteral("e.jpg"));
        QTest::simulateEvent(knopf, true, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "), true, -1);
        QTest::simulateEvent(knopf, true, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "), true, -1);
        QTest::simulateEvent(knopf, false, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "), false, -1);
        QCOMPARE(w->cb_Tage->Key(), m_grund + QStringLiteral("2012/20120303"));
        QCOMPARE(w->windowTitle(), Tam_Browse::Titelprefix() + m_grund + QStringLiteral("2012/20120303/g.jpg"));
        QCOMPARE(name(w->foto->BildDateiname()), QStringLiteral("e.jpg"));
        QTRY_COMPARE_WITH_TIMEOUT(w->foto->BildDateiname(), w->Browse().Bild(), 5000);
        QCOMPARE(ui.beeps, 1);
    }

    void titelEingeben()
    {
        einstellungen(m_grund, { { "cb_Jahre", m_grund + "2012" }, { "cb_Tage", m_grund + "2012/20120101" } });
        FakeUiServices ui;
        auto w = starten(ui);
        beiDialog<Tam_TitelEingabe>([](Tam_TitelEingabe *d) {
            d->ed_Titel->setText(QStringLiteral("Neujahr am See"));
            d->bb_OK->click();
        });
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F4);
        QCOMPARE(w->Browse().TagesTitel(), QStringLiteral("Neujahr am See"));
        QCOMPARE(w->cb_Tage->currentText(),
            TagAnzeige(QStringLiteral("20120101"), w->ParGlobal()->MitWochentag())
                + QStringLiteral(" - Neujahr am See"));
        QVERIFY(ui.boxes.isEmpty());
    }

    void einstellungenUndExport()
    {
        einstellungen(m_grund);
        FakeUiServices ui;
        auto w = starten(ui);
        QCOMPARE(w->cb_Jahre->maxVisibleItems(), w->ParGlobal()->Zeilenzahl());
        beiDialog<Tam_ParGlobal>([](Tam_ParGlobal *d) {
            d->ed_DropDownCount->setText(QStringLiteral("3"));
            d->bb_OK->click();
        });
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_NumberSign);
        QCOMPARE(w->ParGlobal()->Zeilenzahl(), 3);
        QCOMPARE(w->cb_Tage->maxVisibleItems(), 3);
        w->cb_Jahre->Modell().Change(QStringLiteral("2011"));
        QCOMPARE(w->cb_Tage->maxVisibleItems(), 3);

        const QString ziel = m_dir.path() + QStringLiteral("/Alle Titel.txt");
        ui.dateiAntworten.enqueue(ziel);
        w->ax_ExportTitelToTxt->trigger();
        QCOMPARE(ui.dialogTitel.constLast(), QStringLiteral("Alle Titel exportieren nach:"));
        QCOMPARE(w->TitelExportDatei(), ziel);
        QFile datei(ziel);
        QVERIFY(datei.open(QIODevice::ReadOnly));
        QVERIFY(datei.readAll().startsWith((m_grund + QStringLiteral("2011\r\n")).toUtf8()));
        // The export leaves the position alone.
        QCOMPARE(w->cb_Tage->Key(), m_grund + QStringLiteral("2011/20110202"));
        QVERIFY(ui.boxes.isEmpty());
    }

    void ohneJpegtran()
    {
        QTemporaryDir leer;
        const QByteArray pfad = qgetenv("PATH");
        qputenv("PATH", leer.path().toLocal8Bit());
        einstellungen(m_grund);
        FakeUiServices ui;
        auto w = starten(ui);
        qputenv("PATH", pfad);
        QVERIFY(w->JpegtranDatei().isEmpty());
        QVERIFY(!w->ax_Rotate_R->isVisible());
        QVERIFY(!w->ax_Rotate_L->isVisible());
        const QString vorher = w->foto->BildDateiname();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_R, Qt::ControlModifier);
        QCOMPARE(w->foto->BildDateiname(), vorher);
        QVERIFY(ui.boxes.isEmpty());
    }

    void grundpfadSchalter_data()
    {
        QTest::addColumn<QString>("argument");
        QTest::addColumn<int>("ende");
        QTest::newRow("refused") << "/GRUNDPFAD=/daten/fotos" << 1;
        QTest::newRow("blank value ignored") << "/Grundpfad=  " << -1;
    }

    void grundpfadSchalter()
    {
        QFETCH(QString, argument);
        QFETCH(int, ende);
        einstellungen(m_grund);
        FakeUiServices ui;
        auto w = starten(ui, { argument });
        QCOMPARE(w->EndeCode(), ende);
        if (ende == 1) {
            QCOMPARE(ui.texte(),
                QStringList(QStringLiteral("Der Startparameter /Grundpfad= wird nicht mehr "
                                           "unterstützt.\rBenutzen Sie stattdessen den Startparameter "
                                           "/Projekt=")));
            w.reset();
            QCOMPARE(wert("Tam_Main", "cb_Jahre"), QStringLiteral("<fehlt>"));
        } else {
            QVERIFY(ui.boxes.isEmpty());
        }
    }

    void albumArgument_data()
    {
        QTest::addColumn<QStringList>("argumente");
        QTest::addColumn<QString>("album");
        QTest::newRow("first, blanks and case") << QStringList { " /daten/Reise.KELALBUM " } << "/daten/Reise.KELALBUM";
        QTest::newRow("second is not looked at") << QStringList { "/8X6", "/daten/Reise.kelAlbum" } << "";
        QTest::newRow("other extension") << QStringList { "/daten/Reise.txt" } << "";
    }

    // The album named first is remembered for the copy list; garbage sizes fall back.
    void albumArgument()
    {
        QFETCH(QStringList, argumente);
        QFETCH(QString, album);
        einstellungen(m_grund, { { "pa_L", "-5" }, { "pa_Copy", "kaputt" } });
        FakeUiServices ui;
        auto w = starten(ui, argumente);
        QCOMPARE(w->StartAlbum(), album);
        QCOMPARE(w->EndeCode(), -1);
        w.reset();
        QCOMPARE(wert("Tam_Main", "pa_L"), QStringLiteral("185"));
        QCOMPARE(wert("Tam_Main", "pa_Copy"), QStringLiteral("182"));
    }

    void schalter_data()
    {
        QTest::addColumn<QStringList>("argumente");
        QTest::addColumn<QString>("projekt");
        QTest::addColumn<QString>("datei");
        QTest::newRow("folder and extension") << QStringList { "/Projekt=C:\\Daten\\Familie.ini" } << "familie"
                                              << "kelAlbum_familie.ini";
        QTest::newRow("lower-case switch") << QStringList { "/projekt=Reisen" } << "reisen"
                                           << "kelAlbum_reisen.ini";
        QTest::newRow("none") << QStringList {} << ""
                              << "kelAlbum.ini";
        QTest::newRow("last wins") << QStringList { "/Projekt=a", "/Projekt= b " } << "b"
                                   << "kelAlbum_b.ini";
    }

    void schalter()
    {
        QFETCH(QStringList, argumente);
        QFETCH(QString, projekt);
        QFETCH(QString, datei);
        const QString p = Tam_Main::ProjektName(Tam_Main::SchalterWert(argumente, QStringLiteral("/Projekt=")));
        QCOMPARE(p, projekt);
        QCOMPARE(ProjektIniDateiName(p), datei);
    }

    void ersterStart_data()
    {
        QTest::addColumn<bool>("speichern");
        QTest::newRow("Speichern") << true;
        QTest::newRow("Abbruch") << false;
    }

    // A first start without a base folder: the settings dialog asks; the folder and the year
    // folder of the working date are created, or the program ends on "Abbruch".
    void ersterStart()
    {
        QFETCH(bool, speichern);
        einstellungen(QString());
        const QString neu = m_dir.path() + QStringLiteral("/Neu ") + QTest::currentDataTag() + QLatin1Char('/');
        FakeUiServices ui;
        beiDialog<Tam_ParGlobal>([&ui, neu, speichern](Tam_ParGlobal *d) {
            if (!speichern) {
                d->bb_Cancel->click();
                return;
            }
            QDir().mkpath(neu);
            ui.verzeichnisAntworten.enqueue(neu);
            d->ED_GRUNDPFAD->Waehlen();
            // The base folder is gone again by the time the dialog closes.
            QDir(neu).removeRecursively();
            d->bb_OK->click();
        });
        auto w = starten(ui, { QStringLiteral("/Systemdatum=01.01.2030") });
        if (!speichern) {
            QCOMPARE(w->EndeCode(), 0);
            QVERIFY(!QFileInfo::exists(neu));
            return;
        }
        QCOMPARE(w->EndeCode(), -1);
        QCOMPARE(w->Arbeitsdatum(), QDate(2030, 1, 1));
        QCOMPARE(w->Grundpfad(), neu);
        QVERIFY(QFileInfo(neu + QStringLiteral("2030")).isDir());
        QCOMPARE(w->cb_Jahre->KeyCount(), 1);
        QCOMPARE(w->cb_Tage->KeyCount(), 0);
        QVERIFY(w->foto->BildDateiname().isEmpty());
        QCOMPARE(w->windowTitle(), Tam_Browse::Titelprefix());
    }
};

KEL_TEST_MAIN(MainTest)
#include "main_test.moc"
