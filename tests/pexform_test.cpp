#include "framework/d_formf2.h"
#include "framework/dformf2.h"
#include "framework/ke7_parameter.h"
#include "framework/pex_ini.h"
#include "framework/pex_inishared.h"
#include "framework/pexform.h"
#include "tests/common/kel_test.h"

#include <QAction>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QVBoxLayout>

// A dialog with two edits, a memo and a button, shown and active so focus changes are real.
template <class Form> struct Fenster
{
    Form form;
    QLineEdit *a;
    QLineEdit *b;
    QPlainTextEdit *memo;
    QPushButton *knopf;
    Fenster()
    {
        QWidget *flaeche = &form;
        if constexpr (std::is_base_of_v<QMainWindow, Form>) {
            flaeche = new QWidget(&form);
            form.setCentralWidget(flaeche);
        }
        auto *l = new QVBoxLayout(flaeche);
        l->addWidget(a = new QLineEdit(flaeche));
        l->addWidget(b = new QLineEdit(flaeche));
        l->addWidget(memo = new QPlainTextEdit(flaeche));
        l->addWidget(knopf = new QPushButton(QStringLiteral("Los"), flaeche));
        form.show();
        form.activateWindow();
    }
    bool aktiv() { return QTest::qWaitForWindowActive(&form); }
};

class PexFormTest : public QObject
{
    Q_OBJECT

    template <class Form> void enterAlsTab()
    {
        Fenster<Form> f;
        QVERIFY(f.aktiv());
        f.a->setFocus();
        QTest::keyClick(f.a, Qt::Key_Return);
        QVERIFY(f.b->hasFocus());
        QTest::keyClick(f.b, Qt::Key_Enter, Qt::KeypadModifier);
        QVERIFY(f.memo->hasFocus());
        // The memo keeps Enter for its line breaks.
        QTest::keyClick(f.memo, Qt::Key_Return);
        QVERIFY(f.memo->hasFocus());
        QCOMPARE(f.memo->toPlainText(), QStringLiteral("\n"));

        // A push button keeps Enter: it is pressed and keeps the focus.
        QSignalSpy geklickt(f.knopf, &QPushButton::clicked);
        f.knopf->setFocus();
        QTest::keyClick(f.knopf, Qt::Key_Return);
        QCOMPARE(geklickt.count(), 1);
        QVERIFY(f.knopf->hasFocus());

        // OnTestReturn may keep Enter.
        QWidget *gefragt = nullptr;
        connect(&f.form, &Form::OnTestReturn, &f.form, [&gefragt](QWidget *control, bool &erlauben) {
            gefragt = control;
            erlauben = false;
        });
        f.a->setFocus();
        QTest::keyClick(f.a, Qt::Key_Return);
        QCOMPARE(gefragt, f.a);
        QVERIFY(f.a->hasFocus());

        // Without ActivReturn Enter keeps its normal meaning.
        gefragt = nullptr;
        f.form.setActivReturn(false);
        QTest::keyClick(f.a, Qt::Key_Return);
        QCOMPARE(gefragt, nullptr);
        QVERIFY(f.a->hasFocus());
    }

    template <class Form> void nachErstellung()
    {
        bool spaeterGepostet = false;
        bool vorAfterCreate = false;
        Form form;
        QSignalSpy spy(&form, &Form::OnAfterCreate);
        connect(&form, &Form::OnAfterCreate, &form, [&] { vorAfterCreate = spaeterGepostet; });
        // Posted after the window was created, yet run before OnAfterCreate fires.
        QMetaObject::invokeMethod(
            &form, [&] { spaeterGepostet = true; }, Qt::QueuedConnection);
        QCOMPARE(spy.count(), 0);
        QTRY_COMPARE_WITH_TIMEOUT(spy.count(), 1, 5000);
        QVERIFY(vorAfterCreate);
        QCoreApplication::processEvents();
        QCOMPARE(spy.count(), 1);
    }

private slots:
    void init() { HauptfensterSetzen(nullptr); }

    void enterAlsTabDialog() { enterAlsTab<TPexForm>(); }
    void enterAlsTabHauptfenster() { enterAlsTab<TPexMainForm>(); }
    void nachErstellungDialog() { nachErstellung<TPexForm>(); }
    void nachErstellungHauptfenster() { nachErstellung<TPexMainForm>(); }

    void ersteAktivierung()
    {
        TPexForm form;
        QSignalSpy spy(&form, &TPexForm::OnFirstActivate);
        form.show();
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QCOMPARE(spy.count(), 1);
        TPexForm anderes;
        anderes.show();
        anderes.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&anderes));
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QCOMPARE(spy.count(), 1);
    }

    void escSchliesstNicht()
    {
        TPexForm form;
        form.show();
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QSignalSpy fertig(&form, &QDialog::finished);
        QTest::keyClick(&form, Qt::Key_Escape);
        QCOMPARE(fertig.count(), 0);
        QVERIFY(form.isVisible());
    }

    void mainFormSize()
    {
        TPexMainForm haupt;
        haupt.move(20, 30);
        haupt.resize(500, 400);
        TPexForm form;
        form.setMainFormSize(true);
        QVERIFY(!(form.windowState() & Qt::WindowMaximized));
        HauptfensterSetzen(&haupt);
        TPexForm zweites;
        zweites.setMainFormSize(true);
        if (haupt.screen()->geometry().width() > 800) {
            QCOMPARE(zweites.pos(), haupt.pos());
            QCOMPARE(zweites.size(), haupt.size());
        } else {
            QVERIFY(zweites.windowState() & Qt::WindowMaximized);
        }
    }

    void dialogAufbau()
    {
        Td_FormF2 d;
        QCOMPARE(d.size(), QSize(304, 202));
        QCOMPARE(d.bb_OK->text(), QStringLiteral("Speichern"));
        QCOMPARE(d.bb_Cancel->text(), QStringLiteral("Abbruch"));
        QCOMPARE(d.ax_OK->shortcut(), QKeySequence(Qt::Key_F2));
        QCOMPARE(d.ax_Cancel->shortcut(), QKeySequence(Qt::Key_Escape));
        QCOMPARE(d.PAR->TagInclusive(), 0);
        QCOMPARE(d.PAR->TagExclusive(), 0);
        QVERIFY(d.PAR->FormPosSizeSave());
        QCOMPARE(d.PAR->SectionName(), QStringLiteral("Td_FormF2"));
        TdFormF2 d2;
        QCOMPARE(d2.PAR->SectionName(), QStringLiteral("TdFormF2"));
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        QCOMPARE(d.pa_button->height(), 30);
        QCOMPARE(d.pa_button->geometry().bottom(), d.height() - 1);
        QCOMPARE(d.pa_ButtonRight->width(), 168);
        QCOMPARE(d.pa_ButtonRight->geometry().right(), d.width() - 1);
        QCOMPARE(d.bb_OK->geometry(), QRect(4, 4, 75, 25));
        QCOMPARE(d.bb_Cancel->geometry(), QRect(88, 4, 75, 25));
    }

    void dialogTasten_data()
    {
        QTest::addColumn<int>("taste");
        QTest::addColumn<int>("ergebnis");
        QTest::newRow("F2") << int(Qt::Key_F2) << int(QDialog::Accepted);
        QTest::newRow("Esc") << int(Qt::Key_Escape) << int(QDialog::Rejected);
    }
    void dialogTasten()
    {
        QFETCH(int, taste);
        QFETCH(int, ergebnis);
        SetSharedIniFileName(QStringLiteral("tasten.ini"));
        Td_FormF2 d;
        auto *edit = new QLineEdit(d.pa_Client);
        d.show();
        d.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&d));
        edit->setFocus();
        QSignalSpy fertig(&d, &QDialog::finished);
        QTest::keyClick(edit, Qt::Key(taste));
        QCOMPARE(fertig.count(), 1);
        QCOMPARE(fertig.at(0).at(0).toInt(), ergebnis);
        QVERIFY(!d.isVisible());
    }

    void knopfOK()
    {
        SetSharedIniFileName(QStringLiteral("knopf.ini"));
        TdFormF2 d;
        d.show();
        QSignalSpy fertig(&d, &QDialog::finished);
        QTest::mouseClick(d.bb_Cancel, Qt::LeftButton);
        QCOMPARE(fertig.count(), 1);
        QCOMPARE(fertig.at(0).at(0).toInt(), int(QDialog::Rejected));
        d.show();
        QTest::mouseClick(d.bb_OK, Qt::LeftButton);
        QCOMPARE(fertig.count(), 2);
        QCOMPARE(fertig.at(1).at(0).toInt(), int(QDialog::Accepted));
    }

    void geometrieGemerkt()
    {
        SetSharedIniFileName(QStringLiteral("geometrie.ini"));
        QFile::remove(SharedIniFile().fileName());
        {
            TdFormF2 d;
            d.show();
            QVERIFY(QTest::qWaitForWindowExposed(&d));
            d.move(150, 120);
            d.resize(400, 300);
            d.ax_OK->trigger();
        }
        const QString datei = SharedIniFile().fileName();
        QCOMPARE(PexIni::lesen(datei, QStringLiteral("TdFormF2"), QStringLiteral("__LEFT")), QStringLiteral("150"));
        QCOMPARE(PexIni::lesen(datei, QStringLiteral("TdFormF2"), QStringLiteral("__WIDTH")), QStringLiteral("400"));
        QVERIFY(!PexIni::sektionVorhanden(datei, QStringLiteral("Td_FormF2")));

        // Remembered per dialog class: the other base keeps its designed size.
        Td_FormF2 anderer;
        anderer.EinstellungenLaden();
        QCOMPARE(anderer.size(), QSize(304, 202));

        TdFormF2 d;
        QSignalSpy geladen(d.PAR, &TkelParameter::OnAfterLaden);
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        QCOMPARE(geladen.count(), 1);
        QCOMPARE(d.pos(), QPoint(150, 120));
        QCOMPARE(d.size(), QSize(400, 300));
        // The later OnAfterCreate does not load a second time.
        QTRY_VERIFY_WITH_TIMEOUT(d.EinstellungenGeladen(), 5000);
        QCoreApplication::processEvents();
        QCOMPARE(geladen.count(), 1);
    }
};

KEL_TEST_MAIN(PexFormTest)
#include "pexform_test.moc"
