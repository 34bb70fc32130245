#include "framework/ke7_directorykeycombobox.h"
#include "framework/ke7_error.h"
#include "framework/ke7_sysui.h"
#include "framework/pexdirectoryedit.h"
#include "framework/pexedit.h"
#include "tests/common/fakeuiservices.h"
#include "tests/common/kel_test.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

Q_DECLARE_METATYPE(TpexDataType)

class SysUiTest : public QObject
{
    Q_OBJECT

    // A window with two pex edits and a button, shown and active so focus changes are real.
    struct Fenster
    {
        QWidget w;
        TpexEdit *a;
        TpexEdit *b;
        explicit Fenster(TkelUiServices *ui)
        {
            auto *l = new QVBoxLayout(&w);
            a = new TpexEdit(&w, ui);
            b = new TpexEdit(&w, ui);
            l->addWidget(a);
            l->addWidget(b);
            w.show();
            w.activateWindow();
        }
    };

private slots:
    void tastenDerZahlenarten_data()
    {
        QTest::addColumn<TpexDataType>("typ");
        QTest::addColumn<QString>("tasten");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("beeps");
        QTest::newRow("text nimmt alles") << TpexDataType::pexdtText << "a1,-x"
                                          << "a1,-x" << 0;
        QTest::newRow("word nur ziffern") << TpexDataType::pexdtWord << "1a2-+,3"
                                          << "123" << 4;
        QTest::newRow("integer mit vorzeichen") << TpexDataType::pexdtInteger << "-1a2,+"
                                                << "-12+" << 2;
        QTest::newRow("float ein komma") << TpexDataType::pexdtFloat << "1,2,5.e"
                                         << "1,25" << 3;
        QTest::newRow("currency") << TpexDataType::pexdtCurrency << "-3,50 x"
                                  << "-3,50" << 2;
    }
    void tastenDerZahlenarten()
    {
        QFETCH(TpexDataType, typ);
        QFETCH(QString, tasten);
        QFETCH(QString, text);
        QFETCH(int, beeps);
        FakeUiServices ui;
        TpexEdit e(nullptr, &ui);
        e.setDataType(typ);
        QTest::keyClicks(&e, tasten);
        QCOMPARE(e.text(), text);
        QCOMPARE(ui.beeps, beeps);
        // Control keys always work.
        QTest::keyClick(&e, Qt::Key_Backspace);
        QCOMPARE(e.text(), text.chopped(1));
        QCOMPARE(ui.beeps, beeps);
    }

    void kommaErsetztDieAuswahl()
    {
        FakeUiServices ui;
        TpexEdit e(nullptr, &ui);
        e.setDataType(TpexDataType::pexdtFloat);
        e.setText(QStringLiteral("1,5"));
        e.setSelection(1, 1);
        QTest::keyClick(&e, ',');
        QCOMPARE(e.text(), QStringLiteral("1,5"));
        QCOMPARE(ui.beeps, 0);
    }

    void integerWert()
    {
        FakeUiServices ui;
        TpexEdit e(nullptr, &ui);
        e.setDataType(TpexDataType::pexdtWord);
        QCOMPARE(e.IntegerWert(), 0);
        e.setIntegerWert(42);
        QCOMPARE(e.text(), QStringLiteral("42"));
        QCOMPARE(e.IntegerWert(), 42);
        try {
            e.setIntegerWert(-1);
            QFAIL("kein Fehler");
        } catch (const TkelFehler &f) {
            QCOMPARE(f.text(), QStringLiteral("Wert kann nicht nagativ sein"));
        }
        QCOMPARE(e.text(), QStringLiteral("42"));

        e.setDataType(TpexDataType::pexdtInteger);
        e.setIntegerWert(-7);
        QCOMPARE(e.IntegerWert(), -7);
        e.setText(QStringLiteral("  +12 "));
        QCOMPARE(e.IntegerWert(), 12);
        e.setText(QStringLiteral("1-2"));
        QVERIFY_THROWS_EXCEPTION(TkelFehler, e.IntegerWert());
    }

    void normalform_data()
    {
        QTest::addColumn<TpexDataType>("typ");
        QTest::addColumn<QString>("eingabe");
        QTest::addColumn<QString>("normal"); // "!" = conversion error
        QTest::newRow("word führende nullen") << TpexDataType::pexdtWord << "007"
                                              << "7";
        QTest::newRow("word negativ") << TpexDataType::pexdtWord << "-3"
                                      << "!";
        QTest::newRow("integer plus") << TpexDataType::pexdtInteger << "+0012"
                                      << "12";
        QTest::newRow("integer nur minus") << TpexDataType::pexdtInteger << "-"
                                           << "!";
        QTest::newRow("integer zu groß") << TpexDataType::pexdtInteger << "99999999999"
                                         << "!";
        QTest::newRow("leer bleibt leer") << TpexDataType::pexdtInteger << "   "
                                          << "";
        QTest::newRow("float") << TpexDataType::pexdtFloat << "01,50"
                               << "1,5";
        QTest::newRow("float ganz") << TpexDataType::pexdtFloat << "2,"
                                    << "2";
        QTest::newRow("float punkt") << TpexDataType::pexdtFloat << "1.5"
                                     << "!";
        QTest::newRow("currency gerundet") << TpexDataType::pexdtCurrency << "3,141592"
                                           << "3,1416";
        QTest::newRow("currency rund") << TpexDataType::pexdtCurrency << "-0,00001"
                                       << "0";
        QTest::newRow("text unverändert") << TpexDataType::pexdtText << " a "
                                          << " a ";
    }
    void normalform()
    {
        QFETCH(TpexDataType, typ);
        QFETCH(QString, eingabe);
        QFETCH(QString, normal);
        TpexEdit e;
        e.setDataType(typ);
        e.setText(eingabe);
        if (normal == QLatin1String("!"))
            QVERIFY_THROWS_EXCEPTION(TkelFehler, e.Normalform());
        else
            QCOMPARE(e.Normalform(), normal);
    }

    void verlassenSchreibtNormalformUndRichtetAus()
    {
        FakeUiServices ui;
        Fenster f(&ui);
        QVERIFY(QTest::qWaitForWindowActive(&f.w));
        f.b->setFocus();
        f.a->setDataType(TpexDataType::pexdtInteger);
        QVERIFY(f.a->alignment() & Qt::AlignRight);
        f.a->setFocus();
        QVERIFY(f.a->hasFocus());
        QVERIFY(f.a->alignment() & Qt::AlignLeft);
        QTest::keyClicks(f.a, QStringLiteral("+007"));
        QTest::keyClick(f.a, Qt::Key_Tab);
        QVERIFY(f.b->hasFocus());
        QCOMPARE(f.a->text(), QStringLiteral("7"));
        QVERIFY(f.a->alignment() & Qt::AlignRight);
        QVERIFY(f.b->alignment() & Qt::AlignLeft); // a text edit stays left
        QCoreApplication::processEvents();
        QVERIFY(ui.boxes.isEmpty());
    }

    void umwandlungsfehlerHoltDenFokusZurueck()
    {
        FakeUiServices ui;
        Fenster f(&ui);
        QVERIFY(QTest::qWaitForWindowActive(&f.w));
        f.a->setDataType(TpexDataType::pexdtInteger);
        f.a->setFocus();
        QTest::keyClicks(f.a, QStringLiteral("1-2"));
        f.b->setFocus(Qt::MouseFocusReason);
        QTRY_VERIFY_WITH_TIMEOUT(f.a->hasFocus(), 5000);
        QCOMPARE(f.a->text(), QStringLiteral("1-2"));
        QCOMPARE(ui.texte(), QStringList { "'1-2' ist kein gültiger Integerwert" });
        QCOMPARE(ui.boxes.at(0).art, TkelUiServices::Art::Fehler);
        QCOMPARE(ui.beeps, 1);
    }

    void feldLeer()
    {
        FakeUiServices ui;
        QWidget w;
        auto *l = new QVBoxLayout(&w);
        auto *ed = new QLineEdit(&w);
        auto *spin = new QSpinBox(&w);
        auto *anderes = new QLineEdit(&w);
        l->addWidget(ed);
        l->addWidget(spin);
        l->addWidget(anderes);
        w.show();
        anderes->setFocus();

        ed->setText(QStringLiteral("  "));
        QVERIFY(FeldLeer(ui, QStringLiteral("Zielpfad"), ed));
        QCOMPARE(ui.letzterText(), QStringLiteral("Das Feld Zielpfad muss ausgefüllt werden."));
        QCOMPARE(ui.boxes.last().art, TkelUiServices::Art::Information);
        QCOMPARE(w.focusWidget(), ed);
        ed->setText(QStringLiteral(" x "));
        QVERIFY(!FeldLeer(ui, QStringLiteral("Zielpfad"), ed));

        anderes->setFocus();
        QVERIFY(FeldLeer(ui, QStringLiteral("Bildgröße"), spin));
        QCOMPARE(ui.letzterText(), QStringLiteral("Das Feld Bildgröße muss ausgefüllt werden."));
        QCOMPARE(w.focusWidget(), spin);
        spin->setValue(3);
        QVERIFY(!FeldLeer(ui, QStringLiteral("Bildgröße"), spin));
        QCOMPARE(ui.boxes.size(), 2);
        QCOMPARE(ui.beeps, 0);

        // Folder fields: blanks are a (strange) folder name; only no folder at all is empty.
        auto *ordnerEdit = new TpexDirectoryEdit(&w, &ui);
        auto *picker = new TkelDirectoryKeyComboBox(&w, &ui);
        l->addWidget(ordnerEdit);
        l->addWidget(picker);
        QVERIFY(FeldLeer(ui, QStringLiteral("Ziel"), ordnerEdit));
        ordnerEdit->setText(QStringLiteral(" "));
        QVERIFY(!FeldLeer(ui, QStringLiteral("Ziel"), ordnerEdit));
        QVERIFY(FeldLeer(ui, QStringLiteral("Vorlage"), picker));
        QCOMPARE(ui.letzterText(), QStringLiteral("Das Feld Vorlage muss ausgefüllt werden."));
        picker->AddDirectory(QStringLiteral("/tmp/"));
        picker->SetDirectory(QStringLiteral("/tmp/"));
        QVERIFY(!FeldLeer(ui, QStringLiteral("Vorlage"), picker));
        QCOMPARE(ui.boxes.size(), 4);
    }

    void controlFokusHoltVerschachtelteSeitenNachVorn()
    {
        QWidget w;
        auto *l = new QVBoxLayout(&w);
        auto *aussen = new QTabWidget(&w);
        l->addWidget(aussen);
        auto *seite1 = new QLineEdit;
        aussen->addTab(seite1, QStringLiteral("Eins"));
        auto *innen = new QTabWidget;
        aussen->addTab(innen, QStringLiteral("Zwei"));
        innen->addTab(new QWidget, QStringLiteral("A"));
        auto *seiteB = new QWidget;
        auto *lb = new QVBoxLayout(seiteB);
        auto *ziel = new QLineEdit(seiteB);
        lb->addWidget(ziel);
        innen->addTab(seiteB, QStringLiteral("B"));
        w.show();
        seite1->setFocus();
        QCOMPARE(aussen->currentIndex(), 0);
        QVERIFY(!ziel->isVisible());

        ControlFokus(ziel);
        QCOMPARE(aussen->currentIndex(), 1);
        QCOMPARE(innen->currentIndex(), 1);
        QVERIFY(ziel->isVisible());
        QCOMPARE(w.focusWidget(), ziel);

        // A control that cannot take the focus only gets its page brought forward.
        aussen->setCurrentIndex(0);
        seite1->setFocus();
        ziel->setEnabled(false);
        ControlFokus(ziel);
        QCOMPARE(aussen->currentIndex(), 1);
        QVERIFY(w.focusWidget() != ziel);
        ControlFokus(nullptr);
    }

    void breiteAnpassen()
    {
        QWidget eltern;
        eltern.resize(300, 100);
        auto *c = new QWidget(&eltern);
        c->setGeometry(20, 10, 50, 20);
        BreiteAnpassen(c);
        QCOMPARE(c->width(), 260);
        BreiteAnpassen(c, 5);
        QCOMPARE(c->width(), 275);
        BreiteAnpassen(c, 400);
        QCOMPARE(c->width(), 0);
        QCOMPARE(c->x(), 20);
    }
};

KEL_TEST_MAIN(SysUiTest)
#include "sysui_test.moc"
