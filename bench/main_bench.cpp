// The main window's speed as the user meets it, for a 24 MP and a 12 MP photo, against a plain
// full-size decode (QImage load) of the same photo in the same round:
//  - start-up: constructing Tam_Main until the photo view has painted its first picture, in
//    this process; and (on xcb) a fresh kelalbum process until its first photo is on screen;
//  - ">" (Space) until the next photo is painted: read ahead, read-ahead still running, cold;
//  - a held Space (auto-repeat presses queued at once, and paced at 25 per second): decodes
//    against presses.
// Each round builds the window anew; interleaved rounds, medians.
//
//   bench_main [--runden N] [--kelalbum PATH]
//
// Run it in an X server of 1920 x 1080 (xvfb-run -a -s "-screen 0 1920x1080x24"); with the
// offscreen platform the fresh-process start-up is skipped. The photos are those of
// bench/run-jpeg-bench and bench_foto (<build>/bench-data, made with ImageMagick when missing);
// the archive holds hard links to them.

#include "bench/bench_gemeinsam.h"
#include "framework/ke7_qtuiservices.h"
#include "framework/pex_inishared.h"
#include "imaging/ke7_foto.h"
#include "imaging/ke7_fotoloader.h"
#include "mainwindow/alb_browse.h"
#include "mainwindow/alb_main.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QHash>
#include <QImage>
#include <QKeyEvent>
#include <QLocale>
#include <QPixmap>
#include <QProcess>
#include <QScreen>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <map>
#include <memory>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

const int kKopien = 40;
const int kGehalten = 15;

struct Foto
{
    const char *name;
    const char *projekt;
    int breite, hoehe, saat;
    QString pfad;
    QString grund;
};

// base/2012/20120315/ with kKopien hard links of the photo, and the project's settings file
// pointing at it (remembered year and day included).
bool archivAnlegen(Foto &f, const QString &wurzel, const QString &iniOrdner)
{
    f.grund = wurzel + QStringLiteral("/archiv_") + QLatin1String(f.projekt) + QLatin1Char('/');
    const QString tag = f.grund + QStringLiteral("2012/20120315/");
    if (!QDir().mkpath(tag))
        return false;
    for (int k = 1; k <= kKopien; ++k) {
        const QString ziel = tag + QStringLiteral("P%1.jpg").arg(k, 3, 10, QLatin1Char('0'));
        if (::link(QFile::encodeName(f.pfad).constData(), QFile::encodeName(ziel).constData()) != 0
            && !QFile::copy(f.pfad, ziel))
            return false;
    }
    QFile ini(iniOrdner + QStringLiteral("kelAlbum_") + QLatin1String(f.projekt) + QStringLiteral(".ini"));
    if (!ini.open(QIODevice::WriteOnly))
        return false;
    const QString g = f.grund;
    ini.write(
        QStringLiteral("[Tam_ParGlobal]\r\nED_GRUNDPFAD=%1\r\nED_GRUNDPFAD_Keys_00=%1;%1;\r\n"
                       "ED_EXPORTTOHTML_ENABLED=0\r\n[Tam_Main]\r\ncb_Jahre=%12012\r\ncb_Tage=%12012/20120315\r\n")
            .arg(g)
            .toUtf8());
    return true;
}

double ms(qint64 ns)
{
    return double(ns) / 1e6;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// Watches the photo view's picture area: the first paint of every file shown is noted with
// the time the paint was done.
class Maler : public QObject
{
public:
    Maler(TkelFoto *foto, const QElapsedTimer &uhr)
        : m_foto(foto)
        , m_uhr(uhr)
    {
        foto->Bildflaeche()->installEventFilter(this);
    }

    // Forgets the paints so far.
    void vergessen() { m_gemalt.clear(); }

    // The time on the clock when a picture of pfad (any picture when empty) was first painted
    // since vergessen(); runs the event loop until then, -1 after limitMs.
    qint64 warten(const QString &pfad, int limitMs = 30000)
    {
        m_soll = pfad;
        if (!gefunden()) {
            QEventLoop schleife;
            m_schleife = &schleife;
            QTimer::singleShot(limitMs, &schleife, &QEventLoop::quit);
            schleife.exec();
            m_schleife = nullptr;
        }
        return gefunden() ? (m_soll.isEmpty() ? m_erstes : m_gemalt.value(m_soll)) : -1;
    }

    // Photos painted (a change of the painted file counts once).
    int wechsel = 0;

protected:
    bool eventFilter(QObject *objekt, QEvent *event) override
    {
        if (event->type() != QEvent::Paint || objekt != m_foto->Bildflaeche())
            return false;
        // Paint first, so that the time includes the drawing.
        static_cast<QObject *>(objekt)->event(event);
        const TkelFotoBild &bild = m_foto->Bild();
        if (bild.ok() && !bild.anzeige.isNull()) {
            const qint64 jetzt = m_uhr.nsecsElapsed();
            if (bild.pfad != m_letztes) {
                ++wechsel;
                m_letztes = bild.pfad;
            }
            if (m_gemalt.isEmpty())
                m_erstes = jetzt;
            if (!m_gemalt.contains(bild.pfad))
                m_gemalt.insert(bild.pfad, jetzt);
            if (m_schleife && gefunden())
                m_schleife->quit();
        }
        return true;
    }

private:
    bool gefunden() const { return m_soll.isEmpty() ? !m_gemalt.isEmpty() : m_gemalt.contains(m_soll); }

    TkelFoto *m_foto;
    const QElapsedTimer &m_uhr;
    QString m_soll;
    QString m_letztes;
    QHash<QString, qint64> m_gemalt;
    qint64 m_erstes = -1;
    QEventLoop *m_schleife = nullptr;
};

bool wartenBis(const std::function<bool()> &bedingung, int limitMs = 30000)
{
    return QTest::qWaitFor(bedingung, limitMs);
}

// A fresh kelalbum process until a photo shows in the middle of the screen: the screen
// there is polled until a 64 x 64 block holds many colours (the window's backgrounds and
// the X root are plain). Milliseconds, or -1.
double frischerProzess(const QString &programm, const Foto &f)
{
    QScreen *schirm = QGuiApplication::primaryScreen();
    const QRect r = schirm->geometry();
    const QRect block(r.center().x() + 100, r.center().y(), 64, 64);
    QProcess prozess;
    prozess.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    prozess.setStandardOutputFile(QProcess::nullDevice());
    QElapsedTimer uhr;
    uhr.start();
    prozess.start(programm, { QStringLiteral("/Projekt=") + QLatin1String(f.projekt) });
    double ergebnis = -1;
    while (uhr.elapsed() < 20000 && prozess.state() != QProcess::NotRunning) {
        const QImage bild = schirm->grabWindow(0, block.x(), block.y(), block.width(), block.height()).toImage();
        QSet<QRgb> farben;
        for (int y = 0; y < bild.height(); y += 2)
            for (int x = 0; x < bild.width(); x += 2)
                farben.insert(bild.pixel(x, y));
        if (farben.size() > 64) {
            ergebnis = ms(uhr.nsecsElapsed());
            break;
        }
        QThread::usleep(1000);
    }
    prozess.terminate();
    if (!prozess.waitForFinished(5000)) {
        prozess.kill();
        prozess.waitForFinished(5000);
    }
    return ergebnis;
}

QKeyEvent *space(QEvent::Type art, bool wiederholt)
{
    return new QKeyEvent(art, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "), wiederholt);
}

QWidget *fokus(Tam_Main &w)
{
    QWidget *f = QApplication::focusWidget();
    return f ? f : w.focusWidget() ? w.focusWidget() : &w;
}

enum Mess {
    Start,
    StartDekodierungen,
    StartDekodierungenDanach,
    ErstesVor,
    ErstesVorDekodierungen,
    Vorbereitet,
    VorbereitetDekodierungen,
    Laufend,
    Kalt,
    QtVoll,
    StossDekodierungen,
    StossVerworfen,
    StossBilder,
    StossZeit,
    TaktDekodierungen,
    TaktBilder,
    TaktNachlauf,
    Frisch,
};

} // namespace

int main(int argc, char **argv)
{
    // A home of its own, so that neither the user's settings nor the run's leftovers count.
    QTemporaryDir tmp;
    if (!tmp.isValid())
        return 1;
    const QString home = tmp.path();
    const QString konfig = home + QStringLiteral("/.config");
    qputenv("HOME", QFile::encodeName(home));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(konfig));
    qputenv("XDG_CACHE_HOME", QFile::encodeName(home + QStringLiteral("/.cache")));
    qputenv("XDG_DATA_HOME", QFile::encodeName(home + QStringLiteral("/.local/share")));
    qputenv("TZ", "Europe/Berlin");
    const QString iniOrdner = konfig + QStringLiteral("/tarnel/kelAlbum/");
    QDir().mkpath(iniOrdner);

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kelAlbum"));
    QApplication::setOrganizationName(QStringLiteral("tarnel"));
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    RoamingFestlegen(QCoreApplication::applicationDirPath());

    int runden = 7;
    QString programm = QCoreApplication::applicationDirPath() + QStringLiteral("/../bin/kelalbum");
    const QStringList args = app.arguments();
    for (int i = 1; i + 1 < args.size(); ++i) {
        if (args[i] == QLatin1String("--runden"))
            runden = std::max(1, args[i + 1].toInt());
        else if (args[i] == QLatin1String("--kelalbum"))
            programm = args[i + 1];
    }
    const bool xcb = QGuiApplication::platformName() == QLatin1String("xcb");
    const bool frisch = xcb && QFileInfo(programm).isExecutable();
    if (!frisch)
        std::fprintf(
            stderr, "bench_main: fresh-process start-up skipped (%s)\n", xcb ? "no kelalbum program" : "not on xcb");

    std::vector<Foto> fotos
        = { { "24 MP", "b24", 6000, 4000, 12, {}, {} }, { "12 MP", "b12", 4000, 3000, 11, {}, {} } };
    for (Foto &f : fotos)
        if ((f.pfad = BenchFoto(f.breite, f.hoehe, f.saat)).isEmpty() || !archivAnlegen(f, home, iniOrdner)) {
            std::fprintf(stderr, "bench_main: cannot make %s or its archive\n", qPrintable(f.pfad));
            return 1;
        }

    TkelQtUiServices ui;
    QElapsedTimer uhr;
    std::map<std::pair<int, int>, std::vector<double>> werte;
    QSize flaeche;
    QSize startFlaeche; // the view's size at the first paint, when it differs from the settled one
    QSize eingepasst[2];
    const auto fehler = [](const char *was) {
        std::fprintf(stderr, "bench_main: %s\n", was);
        return 1;
    };

    for (int runde = 0; runde < runden; ++runde) {
        for (int fi = 0; fi < int(fotos.size()); ++fi) {
            const Foto &f = fotos[size_t(fi)];
            const auto wert = [&](Mess m, double v) { werte[{ fi, int(m) }].push_back(v); };

            if (frisch) {
                const double t = frischerProzess(programm, f);
                if (t < 0)
                    return fehler("the fresh kelalbum showed no photo");
                wert(Frisch, t);
            }

            // Start-up, as app/main.cpp does it.
            uhr.start();
            auto w = std::make_unique<Tam_Main>(
                ui, QStringList { QStringLiteral("/Projekt=") + QLatin1String(f.projekt) });
            if (w->EndeCode() >= 0)
                return fehler("the main window ended its start-up");
            Maler maler(w->foto, uhr);
            TkelFotoLader *lader = w->foto->Lader();
            const int d0 = lader->dekodierungen();
            QStringList fertig; // read-aheads done
            QObject::connect(lader, &TkelFotoLader::vorbereitet, &maler, [&](const QString &p) { fertig << p; });
            ui.setHauptfenster(w.get());
            w->show();
            w->activateWindow();
            const qint64 start = maler.warten(QString());
            if (start < 0)
                return fehler("no first photo");
            wert(Start, ms(start));
            const QSize ersteFlaeche = w->foto->Bild().ziel.flaeche;
            eingepasst[fi] = w->foto->Bild().anzeige.size();
            Tam_Browse &b = w->Browse();
            wert(StartDekodierungen, lader->dekodierungen() - d0);
            // Settle: the maximised layout and the read-ahead of the second photo.
            QTest::qWait(200);
            wert(StartDekodierungenDanach, lader->dekodierungen() - d0);
            flaeche = w->foto->contentsRect().size();
            if (ersteFlaeche != flaeche)
                startFlaeche = ersteFlaeche;

            // The first ">" after start-up, once the read-ahead the window asked for while it was
            // being built is done.
            const auto vorbereitetAbwarten = [&] {
                const QString naechstes = b.NaechstesBild();
                return wartenBis([&] { return fertig.contains(naechstes); }, 5000);
            };
            const auto druecken = [&]() -> qint64 {
                const QString soll = b.NaechstesBild();
                maler.vergessen();
                const qint64 t0 = uhr.nsecsElapsed();
                QTest::keyClick(fokus(*w), Qt::Key_Space);
                const qint64 t1 = maler.warten(soll);
                return t1 < 0 ? -1 : t1 - t0;
            };
            vorbereitetAbwarten();
            int vorher = lader->dekodierungen();
            qint64 t = druecken();
            if (t < 0)
                return fehler("Space showed no photo (first after start-up)");
            wert(ErstesVor, ms(t));
            wert(ErstesVorDekodierungen, lader->dekodierungen() - vorher);

            // ">" with the next photo read ahead, once the window has settled.
            vorbereitetAbwarten();
            vorher = lader->dekodierungen();
            t = druecken();
            if (t < 0)
                return fehler("Space showed no photo (read ahead)");
            wert(Vorbereitet, ms(t));
            wert(VorbereitetDekodierungen, lader->dekodierungen() - vorher);

            // ">" at once, while the read-ahead of that photo is still running.
            t = druecken();
            if (t < 0)
                return fehler("Space showed no photo (read-ahead running)");
            wert(Laufend, ms(t));

            // ">" to a photo never prepared: the read-ahead done, then everything in memory dropped.
            vorbereitetAbwarten();
            QTest::qWait(50);
            lader->vergessen();
            t = druecken();
            if (t < 0)
                return fehler("Space showed no photo (cold)");
            wert(Kalt, ms(t));

            // Held Space, the repeats queued at once (a decode slower than the repeat rate).
            vorbereitetAbwarten();
            QTest::qWait(50);
            {
                const int index0 = b.FotoIndex();
                const QString ziel = b.Fotos().value(index0 + kGehalten);
                vorher = lader->dekodierungen();
                const int verworfen0 = lader->verworfen();
                const int wechsel0 = maler.wechsel;
                maler.vergessen();
                QWidget *empfaenger = fokus(*w);
                const qint64 t0 = uhr.nsecsElapsed();
                QCoreApplication::postEvent(empfaenger, space(QEvent::KeyPress, false));
                for (int k = 1; k < kGehalten; ++k) {
                    QCoreApplication::postEvent(empfaenger, space(QEvent::KeyRelease, true));
                    QCoreApplication::postEvent(empfaenger, space(QEvent::KeyPress, true));
                }
                QCoreApplication::postEvent(empfaenger, space(QEvent::KeyRelease, false));
                const qint64 t1 = maler.warten(ziel);
                if (t1 < 0 || b.FotoIndex() != index0 + kGehalten)
                    return fehler("held Space did not reach the photo");
                wert(StossZeit, ms(t1 - t0));
                QTest::qWait(300); // the read-ahead of the photo after it
                wert(StossDekodierungen, lader->dekodierungen() - vorher);
                wert(StossVerworfen, lader->verworfen() - verworfen0);
                wert(StossBilder, maler.wechsel - wechsel0);
            }

            // Held Space at the X server's default repeat rate (25 per second).
            vorbereitetAbwarten();
            QTest::qWait(50);
            {
                const int index0 = b.FotoIndex();
                const QString ziel = b.Fotos().value(index0 + kGehalten);
                vorher = lader->dekodierungen();
                const int wechsel0 = maler.wechsel;
                maler.vergessen();
                QWidget *empfaenger = fokus(*w);
                // Posted from a thread of its own, like the X server's repeats: they keep
                // coming while the GUI thread is busy.
                const qint64 t0 = uhr.nsecsElapsed();
                const qint64 letzte = t0 + qint64(kGehalten - 1) * 40000000;
                std::thread takt([&] {
                    const auto beginn = std::chrono::steady_clock::now();
                    for (int k = 0; k < kGehalten; ++k) {
                        std::this_thread::sleep_until(beginn + std::chrono::milliseconds(40 * k));
                        if (k > 0)
                            QCoreApplication::postEvent(empfaenger, space(QEvent::KeyRelease, true));
                        QCoreApplication::postEvent(empfaenger, space(QEvent::KeyPress, k > 0));
                    }
                    std::this_thread::sleep_until(beginn + std::chrono::milliseconds(40 * kGehalten));
                    QCoreApplication::postEvent(empfaenger, space(QEvent::KeyRelease, false));
                });
                const qint64 t1 = maler.warten(ziel);
                if (t1 < 0 || b.FotoIndex() != index0 + kGehalten) {
                    takt.join();
                    return fehler("paced Space did not reach the photo");
                }
                takt.join();
                wert(TaktNachlauf, std::max(0.0, ms(t1 - letzte)));
                QTest::qWait(300);
                wert(TaktDekodierungen, lader->dekodierungen() - vorher);
                wert(TaktBilder, maler.wechsel - wechsel0);
            }

            ui.setHauptfenster(nullptr);
            w.reset();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

            const qint64 q0 = uhr.nsecsElapsed();
            {
                QImage voll(f.pfad);
                if (voll.isNull())
                    return fehler("QImage cannot load the photo");
            }
            wert(QtVoll, ms(uhr.nsecsElapsed() - q0));
        }
        std::fprintf(stderr, "round %d/%d done\n", runde + 1, runden);
    }

    const auto med = [&](int fi, Mess m) { return median(werte[{ fi, int(m) }]); };
    const auto maxi = [&](int fi, Mess m) {
        const auto &v = werte[{ fi, int(m) }];
        return v.empty() ? 0.0 : *std::max_element(v.begin(), v.end());
    };
    const auto verhaeltnis = [&](int fi, Mess a) {
        std::vector<double> v;
        const auto &x = werte[{ fi, int(a) }], &y = werte[{ fi, int(QtVoll) }];
        for (size_t k = 0; k < x.size() && k < y.size(); ++k)
            v.push_back(x[k] / y[k]);
        return median(v);
    };

    std::printf("Platform %s, photo view %d x %d; %d rounds, each with a new main window; median ms; "
                "ratio = median of same-round ratios to a QImage load of the same photo.\n",
        qPrintable(QGuiApplication::platformName()), flaeche.width(), flaeche.height(), runden);
    if (startFlaeche.isValid())
        std::printf("The first photo was laid out for a view of %d x %d, the window then settled at %d x %d.\n",
            startFlaeche.width(), startFlaeche.height(), flaeche.width(), flaeche.height());
    std::printf("\n| photo | fitted to | start-up, fresh process | start-up, Tam_Main constructed | first \">\" "
                "after start-up | \">\" read ahead | \">\" read-ahead running | \">\" cold | QImage load (full "
                "size) |\n");
    std::printf("| --- | --- | --- | --- | --- | --- | --- | --- | --- |\n");
    for (int fi = 0; fi < int(fotos.size()); ++fi)
        std::printf("| %s | %d x %d | %s | %.1f | %.1f | %.2f | %.1f | %.1f | %.1f |\n", fotos[size_t(fi)].name,
            eingepasst[fi].width(), eingepasst[fi].height(),
            frisch ? qPrintable(QString::number(med(fi, Frisch), 'f', 1)) : "skipped", med(fi, Start),
            med(fi, ErstesVor), med(fi, Vorbereitet), med(fi, Laufend), med(fi, Kalt), med(fi, QtVoll));
    std::printf("\n| photo | fresh start-up / QImage load | start-up / QImage load | \">\" read ahead / QImage load "
                "| \">\" cold / QImage load | decodes until the first paint / 200 ms later (max) | decodes "
                "counted by the first \">\" / a settled read-ahead \">\" (max; includes the next read-ahead "
                "when it starts at once) |\n");
    std::printf("| --- | --- | --- | --- | --- | --- | --- |\n");
    for (int fi = 0; fi < int(fotos.size()); ++fi)
        std::printf("| %s | %s | %.2f | %.3f | %.2f | %.0f / %.0f | %.0f / %.0f |\n", fotos[size_t(fi)].name,
            frisch ? qPrintable(QString::number(verhaeltnis(fi, Frisch), 'f', 2)) : "-", verhaeltnis(fi, Start),
            verhaeltnis(fi, Vorbereitet), verhaeltnis(fi, Kalt), maxi(fi, StartDekodierungen),
            maxi(fi, StartDekodierungenDanach), maxi(fi, ErstesVorDekodierungen), maxi(fi, VorbereitetDekodierungen));
    std::printf(
        "\nHeld Space, %d presses (the first a plain press, the rest auto-repeat), max over rounds:\n\n", kGehalten);
    std::printf("| photo | queued at once: decodes | abandoned read-aheads | photos painted | until the last "
                "photo painted, ms (median) | 25/s from a thread: decodes | photos painted | last press to its photo "
                "painted, ms "
                "(median) |\n");
    std::printf("| --- | --- | --- | --- | --- | --- | --- | --- |\n");
    for (int fi = 0; fi < int(fotos.size()); ++fi)
        std::printf("| %s | %.0f | %.0f | %.0f | %.1f | %.0f | %.0f | %.1f |\n", fotos[size_t(fi)].name,
            maxi(fi, StossDekodierungen), maxi(fi, StossVerworfen), maxi(fi, StossBilder), med(fi, StossZeit),
            maxi(fi, TaktDekodierungen), maxi(fi, TaktBilder), med(fi, TaktNachlauf));
    return 0;
}
