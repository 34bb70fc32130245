#include "framework/ke7_directorykeycombobox.h"
#include "framework/ke7_error.h"
#include "framework/ke7_groupbox.h"
#include "framework/ke7_parameter.h"
#include "framework/ke7_parameterclient.h"
#include "framework/ke7_parameterwerte.h"
#include "framework/ke7_radiogroup.h"
#include "framework/pex_ini.h"
#include "framework/pex_inishared.h"
#include "framework/pexform.h"
#include "tests/common/kel_test.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialog>
#include <QDoubleSpinBox>
#include <QFrame>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QVBoxLayout>

// A folder picker as the keyed lists store themselves: the current folder under its name,
// then the remembered entries.
class OrdnerWahl : public QWidget, public TkelParameterClient
{
    Q_OBJECT
public:
    using QWidget::QWidget;
    QString ordner;
    QStringList eintraege;

    void parSpeichern(TpexIniFile &ini, const QString &section, const QString &name) override
    {
        ini.writeString(section, name, ordner);
        for (int i = 0; i < eintraege.size(); ++i)
            ini.writeString(section, KeyListKey(name, i), KeyListEntry(eintraege.at(i), eintraege.at(i)));
    }
    void parLaden(TpexIniFile &ini, const QString &section, const QString &name) override
    {
        eintraege.clear();
        for (int i = 0;; ++i) {
            const QString wert = ini.readString(section, KeyListKey(name, i), QStringLiteral("@#@"));
            if (wert == QLatin1String("@#@"))
                break;
            QString key, text;
            KeyListEntryLesen(wert, key, text);
            eintraege.append(key);
        }
        ordner = ini.readString(section, name, ordner);
    }
};

// The camera dialog's persisted controls in their designed order.
class Tam_Kamera : public QWidget
{
    Q_OBJECT
public:
    Tam_Kamera()
    {
        auto *l = new QVBoxLayout(this);
        ed_Kamera = new OrdnerWahl(this);
        ed_Kamera->setObjectName(QStringLiteral("ed_Kamera"));
        // A part of the picker: the picker stores itself, so this stays out of the file.
        auto *innen = new QLineEdit(ed_Kamera);
        innen->setObjectName(QStringLiteral("innen"));
        setTag(innen, 99);
        cx_Del = new QCheckBox(QStringLiteral("Löschen"), this);
        cx_Del->setObjectName(QStringLiteral("cx_Del"));
        cx_DatumUeberpruefen = new QCheckBox(QStringLiteral("Datum"), this);
        cx_DatumUeberpruefen->setObjectName(QStringLiteral("cx_DatumUeberpruefen"));
        rg_modus = new TkelRadioGroup(QStringLiteral("Modus"), this);
        rg_modus->setObjectName(QStringLiteral("rg_modus"));
        rg_modus->setItems({ QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c") });
        for (QWidget *w : std::initializer_list<QWidget *> { ed_Kamera, cx_Del, cx_DatumUeberpruefen, rg_modus }) {
            setTag(w, 99);
            l->addWidget(w);
        }
        PAR = new TkelParameter(this);
        PAR->setTagInclusive(99);
        PAR->setFormPosSizeSave(true);
    }
    OrdnerWahl *ed_Kamera;
    QCheckBox *cx_Del;
    QCheckBox *cx_DatumUeberpruefen;
    TkelRadioGroup *rg_modus;
    TkelParameter *PAR;
};

// One control of every kind, all tagged 99, plus controls that must stay out of the file.
class Tam_Alle : public QWidget
{
    Q_OBJECT
public:
    Tam_Alle()
    {
        auto *l = new QVBoxLayout(this);
        const auto neu = [this, l](QWidget *w, const char *name, int t = 99) {
            w->setObjectName(QString::fromLatin1(name));
            setTag(w, t);
            l->addWidget(w);
        };
        neu(ed_Text = new QLineEdit(this), "ed_Text");
        neu(ed_Notiz = new QPlainTextEdit(this), "ed_Notiz");
        neu(cx_Haken = new QCheckBox(this), "cx_Haken");
        neu(rb_Eins = new QRadioButton(this), "rb_Eins");
        neu(rg_Art = new TkelRadioGroup(this), "rg_Art");
        rg_Art->setItems({ QStringLiteral("x"), QStringLiteral("y"), QStringLiteral("z") });
        neu(ed_Zahl = new QSpinBox(this), "ed_Zahl");
        ed_Zahl->setRange(-1000, 1000);
        neu(ed_Betrag = new QDoubleSpinBox(this), "ed_Betrag");
        neu(cb_Wahl = new QComboBox(this), "cb_Wahl");
        cb_Wahl->addItems({ QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c") });
        neu(lb_Liste = new QListWidget(this), "lb_Liste");
        neu(gb_Web = new Tkel_Groupbox(this), "gb_Web");
        ed_ImWeb = new QLineEdit(gb_Web);
        ed_ImWeb->setObjectName(QStringLiteral("ed_ImWeb"));
        setTag(ed_ImWeb, 99);
        neu(ed_Datum = new QDateEdit(this), "ed_Datum");
        neu(ed_Frei = new QLineEdit(this), "ed_Frei", 0);
        // A panel that persists itself: its controls are not ours.
        auto *rahmen = new QFrame(this);
        rahmen->setObjectName(QStringLiteral("fr_Rahmen"));
        new TkelParameter(rahmen);
        auto *fremd = new QLineEdit(rahmen);
        fremd->setObjectName(QStringLiteral("ed_Fremd"));
        setTag(fremd, 99);
        // Another window owned by this one.
        auto *dialog = new QDialog(this);
        dialog->setObjectName(QStringLiteral("dlg_Anders"));
        auto *imDialog = new QLineEdit(dialog);
        imDialog->setObjectName(QStringLiteral("ed_ImDialog"));
        setTag(imDialog, 99);
        PAR = new TkelParameter(this);
        PAR->setTagInclusive(99);
    }
    QLineEdit *ed_Text, *ed_Frei, *ed_ImWeb;
    QPlainTextEdit *ed_Notiz;
    QCheckBox *cx_Haken;
    QRadioButton *rb_Eins;
    TkelRadioGroup *rg_Art;
    QSpinBox *ed_Zahl;
    QDoubleSpinBox *ed_Betrag;
    QComboBox *cb_Wahl;
    QListWidget *lb_Liste;
    Tkel_Groupbox *gb_Web;
    QDateEdit *ed_Datum;
    TkelParameter *PAR;
};

// A window with nothing tagged: geometry and single values only.
class Tam_Leer : public QWidget
{
    Q_OBJECT
public:
    Tam_Leer()
    {
        PAR = new TkelParameter(this);
        PAR->setFormPosSizeSave(true);
    }
    TkelParameter *PAR;
};

class ParameterTest : public QObject
{
    Q_OBJECT

    int m_nummer = 0;

    static QString datei() { return SharedIniFile().fileName(); }

    // The lines of one section as the file holds them, header included.
    static QStringList abschnittZeilen(const QString &section)
    {
        QFile f(datei());
        if (!f.open(QIODevice::ReadOnly))
            return {};
        const QStringList zeilen = PexIni::vonCp1252(f.readAll()).split(QStringLiteral("\r\n"));
        QStringList ergebnis;
        bool drin = false;
        for (const QString &z : zeilen) {
            if (z.startsWith(QLatin1Char('[')))
                drin = z == QLatin1Char('[') + section + QLatin1Char(']');
            if (drin && !z.isEmpty())
                ergebnis.append(z);
        }
        return ergebnis;
    }

private slots:
    void init()
    {
        // Each test starts with a settings file of its own.
        SetSharedIniFileName(QStringLiteral("test%1.ini").arg(++m_nummer));
        QFile::remove(datei());
        TkelParameter::setKommandozeile({});
        HauptfensterSetzen(nullptr);
    }

    // ---- Value encodings ----------------------------------------------------------------

    void isJa_data()
    {
        QTest::addColumn<QString>("wert");
        QTest::addColumn<bool>("ja");
        for (const char *w : { "yes", "YES", "j", "J", "ja", "Ja", "1", "true", "WAHR" })
            QTest::newRow(w) << QString::fromLatin1(w) << true;
        for (const char *w : { "nein", "Nein", "N", "0", "no", "", "2", "jaa" })
            QTest::newRow(*w ? w : "leer") << QString::fromLatin1(w) << false;
    }
    void isJa()
    {
        QFETCH(QString, wert);
        QFETCH(bool, ja);
        QCOMPARE(IsJa(wert), ja);
        // Read back through the settings file, with the opposite as default.
        Tam_Leer w;
        w.PAR->WriteString(QStringLiteral("Wert"), wert);
        QCOMPARE(w.PAR->ReadBool(QStringLiteral("Wert"), !ja), ja);
    }

    void jaNeinUndZahlen()
    {
        Tam_Leer w;
        TkelParameter &p = *w.PAR;
        p.WriteBool(QStringLiteral("An"), true);
        p.WriteBool(QStringLiteral("Aus"), false);
        QCOMPARE(PexIni::lesen(datei(), QStringLiteral("Tam_Leer"), QStringLiteral("An")), QStringLiteral("Ja"));
        QCOMPARE(PexIni::lesen(datei(), QStringLiteral("Tam_Leer"), QStringLiteral("Aus")), QStringLiteral("Nein"));
        QCOMPARE(p.ReadBool(QStringLiteral("Fehlt"), true), true);
        QCOMPARE(p.ReadBool(QStringLiteral("Fehlt"), false), false);
        p.WriteInteger(QStringLiteral("Minus"), -17);
        QCOMPARE(p.ReadString(QStringLiteral("Minus"), QString()), QStringLiteral("-17"));
        p.WriteString(QStringLiteral("Hex"), QStringLiteral("0x1F"));
        p.WriteString(QStringLiteral("Dollar"), QStringLiteral("$10"));
        p.WriteString(QStringLiteral("Wort"), QStringLiteral("zehn"));
        QCOMPARE(p.ReadInteger(QStringLiteral("Minus"), 0), -17);
        QCOMPARE(p.ReadInteger(QStringLiteral("Hex"), 0), 31);
        QCOMPARE(p.ReadInteger(QStringLiteral("Dollar"), 0), 16);
        QCOMPARE(p.ReadInteger(QStringLiteral("Wort"), 7), 7);
        QCOMPARE(p.ReadString(QString(), QStringLiteral("d")), QStringLiteral("d"));

        // Without a window there is no section: reads give the default, writes do nothing.
        TkelParameter ohne(nullptr);
        QCOMPARE(ohne.SectionName(), QString());
        ohne.WriteString(QStringLiteral("x"), QStringLiteral("1"));
        QCOMPARE(ohne.ReadString(QStringLiteral("x"), QStringLiteral("d")), QStringLiteral("d"));
    }

    void fontText()
    {
        QCOMPARE(FontToString(static_cast<const QFont *>(nullptr)), QStringLiteral("Arial;10;0;0;"));
        QCOMPARE(FontToString(static_cast<const TkelSchrift *>(nullptr)), QStringLiteral("Arial;10;0;0;"));

        QFont f(QStringLiteral("Liberation Sans"), 12);
        f.setBold(true);
        f.setStrikeOut(true);
        QCOMPARE(FontToString(&f), QStringLiteral("Liberation Sans;12;9;-16777208"));

        // Every field and the colour, system colour included, come back unchanged.
        for (const QString &text : { QStringLiteral("Liberation Mono;14;15;-16777208"),
                 QStringLiteral("DejaVu Sans;8;2;255"), QStringLiteral("Liberation Sans;10;0;-16777201") }) {
            TkelSchrift s;
            StringToFont(text, &s);
            QCOMPARE(FontToString(&s), text);
        }
        TkelSchrift s;
        StringToFont(QStringLiteral("Arial;10;0;0;"), &s);
        QCOMPARE(s.font.pointSize(), 10);
        QCOMPARE(s.farbe, 0);
    }

    void fontLesen()
    {
        // Style bits only add; blanks around the numbers do not matter.
        QFont f(QStringLiteral("Liberation Sans"), 9);
        f.setBold(true);
        StringToFont(QStringLiteral("Liberation Mono; 16 ;6; 0"), &f);
        QCOMPARE(f.family(), QStringLiteral("Liberation Mono"));
        QCOMPARE(f.pointSize(), 16);
        QVERIFY(f.bold());
        QVERIFY(f.italic());
        QVERIFY(f.underline());
        QVERIFY(!f.strikeOut());

        StringToFont(QString(), &f);
        QCOMPARE(f.family(), QStringLiteral("Liberation Mono"));
        StringToFont(QStringLiteral("X;1;1;1"), static_cast<QFont *>(nullptr));
    }

    void fontFehler_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("meldung");
        QTest::newRow("groesse") << "Arial;zehn;0;0"
                                 << "'zehn' ist kein gültiger Integerwert";
        QTest::newRow("farbe fehlt") << "Arial;10;0"
                                     << "'' ist kein gültiger Integerwert";
        QTest::newRow("nur name") << "Arial"
                                  << "'' ist kein gültiger Integerwert";
    }
    void fontFehler()
    {
        QFETCH(QString, text);
        QFETCH(QString, meldung);
        TkelSchrift s;
        s.font = QFont(QStringLiteral("Liberation Sans"), 9);
        try {
            StringToFont(text, &s);
            QFAIL("no error");
        } catch (const TkelFehler &e) {
            QCOMPARE(e.text(), meldung);
        }
        // Nothing of a bad string is applied.
        QCOMPARE(s.font.family(), QStringLiteral("Liberation Sans"));
        QCOMPARE(s.font.pointSize(), 9);
        QCOMPARE(s.farbe, clWindowText);

        Tam_Leer w;
        w.PAR->WriteString(QStringLiteral("SCHRIFT"), text);
        QVERIFY_THROWS_EXCEPTION(TkelFehler, w.PAR->LoadFont(QStringLiteral("SCHRIFT"), &s));
    }

    void fontUeberParameter()
    {
        Tam_Leer w;
        TkelSchrift s;
        s.font = QFont(QStringLiteral("Liberation Serif"), 20);
        s.font.setItalic(true);
        s.farbe = QColorZuFarbe(QColor(1, 2, 3));
        w.PAR->SaveFont(QStringLiteral("GROSSE_SCHRIFT"), &s);
        QCOMPARE(w.PAR->ReadString(QStringLiteral("GROSSE_SCHRIFT"), QString()),
            QStringLiteral("Liberation Serif;20;2;197121"));
        TkelSchrift zurueck;
        w.PAR->LoadFont(QStringLiteral("GROSSE_SCHRIFT"), &zurueck);
        QCOMPARE(zurueck.font.family(), QStringLiteral("Liberation Serif"));
        QCOMPARE(FarbeZuQColor(zurueck.farbe), QColor(1, 2, 3));
        QCOMPARE(FarbeZuQColor(clWindowText), QPalette().color(QPalette::WindowText));
        // A missing key leaves the font alone.
        w.PAR->LoadFont(QStringLiteral("FEHLT"), &zurueck);
        QCOMPARE(zurueck.font.pointSize(), 20);
    }

    void keyListen_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("eintrag");
        QTest::newRow("ordner") << "/media/E/DCIM/"
                                << "/media/E/DCIM/"
                                << "/media/E/DCIM/;/media/E/DCIM/;";
        QTest::newRow("semikolon im text") << "k"
                                           << "a;b"
                                           << "k;a b;";
        QTest::newRow("blanks aussen") << "  k  "
                                       << " ;t; "
                                       << "k;t;";
        QTest::newRow("leer") << ""
                              << ""
                              << ";;";
    }
    void keyListen()
    {
        QFETCH(QString, key);
        QFETCH(QString, text);
        QFETCH(QString, eintrag);
        QCOMPARE(KeyListEntry(key, text), eintrag);
    }

    void keyListenLesen()
    {
        QString key, text;
        KeyListEntryLesen(QStringLiteral("  k ;  Der Text ;Rest;"), key, text);
        QCOMPARE(key, QStringLiteral("  k "));
        QCOMPARE(text, QStringLiteral("Der Text"));
        KeyListEntryLesen(QStringLiteral("nurKey"), key, text);
        QCOMPARE(key, QStringLiteral("nurKey"));
        QCOMPARE(text, QString());

        QCOMPARE(KeyListKey(QStringLiteral("ed"), 0), QStringLiteral("ed_Keys_00"));
        QCOMPARE(KeyListKey(QStringLiteral("ed"), 9), QStringLiteral("ed_Keys_09"));
        QCOMPARE(KeyListKey(QStringLiteral("ed"), 12), QStringLiteral("ed_Keys_12"));
        QCOMPARE(KeyListKey(QStringLiteral("ed"), 100), QStringLiteral("ed_Keys_100"));
    }

    // ---- Selection ----------------------------------------------------------------------

    void auswahl_data()
    {
        QTest::addColumn<int>("inklusiv");
        QTest::addColumn<int>("exklusiv");
        QTest::addColumn<int>("tag");
        QTest::addColumn<bool>("persistiert");
        QTest::newRow("beide 0, tag 99") << 0 << 0 << 99 << false;
        QTest::newRow("beide 0, tag 0") << 0 << 0 << 0 << false;
        QTest::newRow("inklusiv trifft") << 99 << 0 << 99 << true;
        QTest::newRow("inklusiv trifft nicht") << 99 << 0 << 0 << false;
        QTest::newRow("exklusiv 5, tag 0") << 0 << 5 << 0 << true;
        QTest::newRow("exklusiv 5, tag 5") << 0 << 5 << 5 << false;
        QTest::newRow("beide, tag inklusiv") << 99 << 5 << 99 << true;
        QTest::newRow("beide, tag exklusiv") << 99 << 5 << 5 << false;
        QTest::newRow("beide, anderer tag") << 99 << 5 << 7 << true;
        QTest::newRow("gleiche tags") << 5 << 5 << 5 << true;
    }
    void auswahl()
    {
        QFETCH(int, inklusiv);
        QFETCH(int, exklusiv);
        QFETCH(int, tag);
        QFETCH(bool, persistiert);
        QCOMPARE(TkelParameter::Persistiert(inklusiv, exklusiv, tag), persistiert);
    }

    void kandidaten()
    {
        Tam_Alle w;
        QStringList namen;
        const QList<QObject *> liste = w.PAR->Kandidaten();
        for (const QObject *o : liste)
            namen << o->objectName();
        // Tree order; no parts of compound controls, nothing of the self-persisting panel or
        // of the other window; the group box's child is ours.
        QCOMPARE(namen,
            QStringList({ "ed_Text", "ed_Notiz", "cx_Haken", "rb_Eins", "rg_Art", "ed_Zahl", "ed_Betrag", "cb_Wahl",
                "lb_Liste", "gb_Web", "ed_ImWeb", "ed_Datum", "ed_Frei", "fr_Rahmen", "dlg_Anders" }));
    }

    // ---- Laden / Speichern ----------------------------------------------------------------

    void alleArtenHinUndZurueck()
    {
        {
            Tam_Alle w;
            w.ed_Text->setText(QStringLiteral("Grüße; = [x]"));
            w.ed_Notiz->setPlainText(QStringLiteral("erste\n\ndritte\n"));
            w.cx_Haken->setChecked(true);
            w.rb_Eins->setChecked(true);
            w.rg_Art->setItemIndex(2);
            w.ed_Zahl->setValue(-42);
            w.ed_Betrag->setValue(1.5);
            w.cb_Wahl->setCurrentIndex(1);
            w.lb_Liste->addItems({ QStringLiteral("x"), QStringLiteral("y") });
            w.lb_Liste->setCurrentRow(1);
            w.gb_Web->setChecked(false);
            w.ed_Datum->setDate(QDate(2024, 3, 7));
            w.ed_Frei->setText(QStringLiteral("nicht gespeichert"));
            w.PAR->Speichern();
        }
        QCOMPARE(abschnittZeilen(QStringLiteral("Tam_Alle")),
            QStringList({ "[Tam_Alle]", "ed_Text=Grüße; = [x]", "ed_Notiz_0=erste", "ed_Notiz_1=", "ed_Notiz_2=dritte",
                "cx_Haken=1", "rb_Eins=1", "rg_Art=2", "ed_Zahl=-42", "ed_Betrag=1,5", "cb_Wahl=1", "lb_Liste=1",
                "lb_Liste_0=x", "lb_Liste_1=y", "gb_Web=0", "ed_ImWeb=", "ed_Datum=07.03.2024" }));

        Tam_Alle w;
        w.ed_Notiz->setPlainText(QStringLiteral("designed"));
        w.lb_Liste->addItem(QStringLiteral("designed"));
        w.ed_Frei->setText(QStringLiteral("designed"));
        w.PAR->Laden();
        QCOMPARE(w.ed_Text->text(), QStringLiteral("Grüße; = [x]"));
        QCOMPARE(w.ed_Notiz->toPlainText(), QStringLiteral("erste\n\ndritte"));
        QVERIFY(w.cx_Haken->isChecked());
        QVERIFY(w.rb_Eins->isChecked());
        QCOMPARE(w.rg_Art->ItemIndex(), 2);
        QCOMPARE(w.ed_Zahl->value(), -42);
        QCOMPARE(w.ed_Betrag->value(), 1.5);
        QCOMPARE(w.cb_Wahl->currentIndex(), 1);
        QCOMPARE(w.lb_Liste->count(), 2);
        QCOMPARE(w.lb_Liste->item(0)->text(), QStringLiteral("x"));
        QCOMPARE(w.lb_Liste->currentRow(), 1);
        QVERIFY(!w.gb_Web->isChecked());
        QVERIFY(!w.ed_ImWeb->isEnabled());
        QCOMPARE(w.ed_Datum->date(), QDate(2024, 3, 7));
        QCOMPARE(w.ed_Frei->text(), QStringLiteral("designed"));

        // Switching off again is stored and loaded as well.
        w.rb_Eins->setChecked(false);
        w.rg_Art->setItemIndex(-1);
        w.gb_Web->setChecked(true);
        w.PAR->Speichern();
        Tam_Alle w2;
        w2.rb_Eins->setChecked(true);
        w2.rg_Art->setItemIndex(0);
        w2.gb_Web->setChecked(false);
        w2.PAR->Laden();
        QVERIFY(!w2.rb_Eins->isChecked());
        QCOMPARE(w2.rg_Art->ItemIndex(), -1);
        QVERIFY(w2.gb_Web->isChecked());
        QVERIFY(w2.ed_ImWeb->isEnabled());
    }

    void fehlendeWerteBehaltenEntwurf()
    {
        // Missing keys leave single values as designed, but lists end up empty.
        Tam_Alle w;
        w.ed_Text->setText(QStringLiteral("entwurf"));
        w.ed_Zahl->setValue(5);
        w.cx_Haken->setChecked(true);
        w.ed_Datum->setDate(QDate(2020, 1, 2));
        w.ed_Notiz->setPlainText(QStringLiteral("aus dem Entwurf"));
        w.lb_Liste->addItem(QStringLiteral("aus dem Entwurf"));
        // Malformed values fall back to the designed ones too.
        PexIni::schreiben(datei(), QStringLiteral("Tam_Alle"), QStringLiteral("ed_Zahl"), QStringLiteral("viele"));
        PexIni::schreiben(
            datei(), QStringLiteral("Tam_Alle"), QStringLiteral("ed_Datum"), QStringLiteral("31.02.2020"));
        w.PAR->Laden();
        QCOMPARE(w.ed_Text->text(), QStringLiteral("entwurf"));
        QCOMPARE(w.ed_Zahl->value(), 5);
        QVERIFY(w.cx_Haken->isChecked());
        QCOMPARE(w.ed_Datum->date(), QDate(2020, 1, 2));
        QCOMPARE(w.ed_Notiz->toPlainText(), QString());
        QCOMPARE(w.lb_Liste->count(), 0);
    }

    void listenEnde_data()
    {
        QTest::addColumn<QStringList>("zeilen");
        QTest::addColumn<QString>("memo");
        QTest::newRow("luecke") << QStringList({ "ed_Notiz_0=a", "ed_Notiz_1=b", "ed_Notiz_3=d" }) << "a\nb";
        QTest::newRow("marke") << QStringList({ "ed_Notiz_0=a", "ed_Notiz_1=@#@", "ed_Notiz_2=c" }) << "a";
        QTest::newRow("erste fehlt") << QStringList({ "ed_Notiz_1=b" }) << "";
    }
    void listenEnde()
    {
        QFETCH(QStringList, zeilen);
        QFETCH(QString, memo);
        QFile f(datei());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("[Tam_Alle]\r\n" + zeilen.join(QStringLiteral("\r\n")).toLatin1() + "\r\n");
        f.close();
        Tam_Alle w;
        w.PAR->Laden();
        QCOMPARE(w.ed_Notiz->toPlainText(), memo);
    }

    void kameraBeispiel()
    {
        Tam_Kamera w;
        w.move(100, 80);
        w.resize(700, 500);
        w.ed_Kamera->ordner = QStringLiteral("/media/E/DCIM/");
        w.ed_Kamera->eintraege = QStringList { QStringLiteral("/media/E/DCIM/") };
        w.cx_Del->setChecked(false);
        w.cx_DatumUeberpruefen->setChecked(true);
        w.rg_modus->setItemIndex(0);
        w.PAR->Speichern();
        QCOMPARE(abschnittZeilen(QStringLiteral("Tam_Kamera")),
            QStringList({ "[Tam_Kamera]", "__MAXIMIZED=0", "__ALIGNLEFT=0", "__ALIGNRIGHT=0", "__TOP=80", "__LEFT=100",
                "__WIDTH=700", "__HEIGHT=500", "ed_Kamera=/media/E/DCIM/",
                "ed_Kamera_Keys_00=/media/E/DCIM/;/media/E/DCIM/;", "cx_Del=0", "cx_DatumUeberpruefen=1",
                "rg_modus=0" }));

        Tam_Kamera w2;
        w2.rg_modus->setItemIndex(2);
        w2.PAR->Laden();
        QCOMPARE(w2.pos(), QPoint(100, 80));
        QCOMPARE(w2.size(), QSize(700, 500));
        QCOMPARE(w2.ed_Kamera->ordner, QStringLiteral("/media/E/DCIM/"));
        QCOMPARE(w2.ed_Kamera->eintraege, QStringList { QStringLiteral("/media/E/DCIM/") });
        QVERIFY(w2.cx_DatumUeberpruefen->isChecked());
        QCOMPARE(w2.rg_modus->ItemIndex(), 0);
    }

    void dreizehnEintraege()
    {
        // The real folder picker, as the settings dialog persists its base folder.
        const auto fenster = [](QWidget &w) {
            auto *picker = new TkelDirectoryKeyComboBox(&w);
            picker->setObjectName(QStringLiteral("ED_GRUNDPFAD"));
            picker->setKelPAR_Save_Keys(true);
            setTag(picker, 99);
            auto *par = new TkelParameter(&w);
            par->setTagInclusive(99);
            return std::make_pair(picker, par);
        };
        {
            Tam_Leer w;
            auto [picker, par] = fenster(w);
            for (int i = 0; i < 13; ++i)
                picker->AddDirectory(QStringLiteral("/fotos/%1/").arg(i));
            picker->SetDirectory(QStringLiteral("/fotos/3/"));
            par->Speichern();
        }
        const QStringList zeilen = abschnittZeilen(QStringLiteral("Tam_Leer"));
        QVERIFY(zeilen.contains(QStringLiteral("ED_GRUNDPFAD=/fotos/3/")));
        QStringList keys;
        for (const QString &z : zeilen) {
            if (z.startsWith(QLatin1String("ED_GRUNDPFAD_Keys_")))
                keys << z;
        }
        QStringList soll;
        for (int i = 0; i < 13; ++i)
            soll
                << QStringLiteral("ED_GRUNDPFAD_Keys_%1=/fotos/%2/;/fotos/%2/;").arg(i, 2, 10, QLatin1Char('0')).arg(i);
        QCOMPARE(keys, soll);

        // A line deleted by hand ends the list there.
        QVERIFY(
            PexIni::schluesselLoeschen(datei(), QStringLiteral("Tam_Leer"), QStringLiteral("ED_GRUNDPFAD_Keys_05")));
        Tam_Leer w;
        auto [picker, par] = fenster(w);
        picker->AddDirectory(QStringLiteral("/entwurf/"));
        par->Laden();
        QCOMPARE(picker->KeyCount(), 5);
        QCOMPARE(picker->Directory(), QStringLiteral("/fotos/3/"));
    }

    void speichernLeertAbschnitt()
    {
        Tam_Leer w;
        w.move(10, 20);
        w.resize(300, 200);
        w.PAR->WriteString(QStringLiteral("Vorher"), QStringLiteral("weg"));
        PexIni::schreiben(datei(), QStringLiteral("Anderer"), QStringLiteral("k"), QStringLiteral("bleibt"));
        connect(w.PAR, &TkelParameter::OnSpeichern, &w,
            [&w] { w.PAR->WriteString(QStringLiteral("Titel exportieren nach"), QStringLiteral("/tmp/t.txt")); });
        QSignalSpy vorher(w.PAR, &TkelParameter::OnBeforeSpeichern);
        QSignalSpy nachher(w.PAR, &TkelParameter::OnAfterSpeichern);
        w.PAR->Speichern();
        QCOMPARE(vorher.count(), 1);
        QCOMPARE(nachher.count(), 1);
        QCOMPARE(abschnittZeilen(QStringLiteral("Tam_Leer")),
            QStringList({ "[Tam_Leer]", "__MAXIMIZED=0", "__ALIGNLEFT=0", "__ALIGNRIGHT=0", "__TOP=20", "__LEFT=10",
                "__WIDTH=300", "__HEIGHT=200", "Titel exportieren nach=/tmp/t.txt" }));
        QCOMPARE(PexIni::lesen(datei(), QStringLiteral("Anderer"), QStringLiteral("k")), QStringLiteral("bleibt"));
    }

    void ladenEreignisse()
    {
        Tam_Leer w;
        QStringList folge;
        connect(w.PAR, &TkelParameter::OnBeforeLaden, &w, [&folge] { folge << QStringLiteral("before"); });
        connect(w.PAR, &TkelParameter::OnLaden, &w, [&folge] { folge << QStringLiteral("laden"); });
        connect(w.PAR, &TkelParameter::OnAfterLaden, &w, [&folge] { folge << QStringLiteral("after"); });
        w.PAR->Laden();
        QCOMPARE(folge, QStringList({ "before", "laden", "after" }));
        // Loading creates nothing.
        QVERIFY(!QFile::exists(datei()));
    }

    void maximiert()
    {
        {
            Tam_Leer w;
            w.move(30, 40);
            w.resize(320, 240);
            w.setWindowState(Qt::WindowMaximized);
            w.PAR->Speichern();
        }
        QCOMPARE(abschnittZeilen(QStringLiteral("Tam_Leer")),
            QStringList({ "[Tam_Leer]", "__MAXIMIZED=1", "__ALIGNLEFT=0", "__ALIGNRIGHT=0" }));
        Tam_Leer w;
        w.resize(320, 240);
        w.PAR->Laden();
        QVERIFY(w.windowState() & Qt::WindowMaximized);
    }

    void schalter8X6_data()
    {
        QTest::addColumn<QStringList>("parameter");
        QTest::addColumn<bool>("aktiv");
        QTest::newRow("klein") << QStringList { "/8x6" } << true;
        QTest::newRow("ohne strich") << QStringList { "8X6" } << true;
        QTest::newRow("mit rest") << QStringList { "/Projekt=x", "/8x6irgendwas" } << true;
        QTest::newRow("anderes zeichen") << QStringList { "-8X6" } << false;
        QTest::newRow("zu kurz") << QStringList { "/8X" } << false;
        QTest::newRow("mitten drin") << QStringList { "x/8X6" } << false;
        QTest::newRow("keine") << QStringList() << false;
    }
    void schalter8X6()
    {
        QFETCH(QStringList, parameter);
        QFETCH(bool, aktiv);
        QCOMPARE(TkelParameter::Schalter8X6(parameter), aktiv);
    }

    void hauptfenster8X6()
    {
        const QStringList gespeichert { "[Tam_Leer]", "__MAXIMIZED=1", "__ALIGNLEFT=0", "__ALIGNRIGHT=0", "__TOP=5",
            "__LEFT=6", "__WIDTH=1000", "__HEIGHT=900" };
        QFile f(datei());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(gespeichert.join(QStringLiteral("\r\n")).toLatin1() + "\r\n");
        f.close();

        TkelParameter::setKommandozeile({ QStringLiteral("/8x6") });
        Tam_Leer w;
        w.setWindowState(Qt::WindowMaximized);
        // The main window loads before it becomes the main window.
        w.PAR->Laden();
        QVERIFY(!(w.windowState() & Qt::WindowMaximized));
        QCOMPARE(w.size(), QSize(800, 600));
        HauptfensterSetzen(&w);
        w.move(50, 50);
        w.PAR->WriteString(QStringLiteral("eigen"), QStringLiteral("x"));
        w.PAR->Speichern();
        // Neither read nor replaced: the stored bounds survive the save.
        QCOMPARE(abschnittZeilen(QStringLiteral("Tam_Leer")), gespeichert);

        // Another window keeps its geometry handling while the main window exists.
        Tam_Kamera k;
        k.move(11, 12);
        k.resize(400, 300);
        k.PAR->Speichern();
        QVERIFY(abschnittZeilen(QStringLiteral("Tam_Kamera")).contains(QStringLiteral("__LEFT=11")));
    }

    void privateDatei()
    {
        QTemporaryDir dir;
        const QString privat = dir.filePath(QStringLiteral("eigen.ini"));
        Tam_Leer w;
        w.PAR->setDateiName(privat);
        QCOMPARE(w.PAR->IniDateiName(), privat);
        QSignalSpy vorher(w.PAR, &TkelParameter::OnBeforeLaden);
        w.PAR->Laden();
        QCOMPARE(vorher.count(), 0);
        w.PAR->Speichern();
        QVERIFY(QFile::exists(privat));
        QCOMPARE(PexIni::lesen(privat, QStringLiteral("Tam_Leer"), QStringLiteral("__MAXIMIZED")), QStringLiteral("0"));
        QVERIFY(!QFile::exists(datei()));
        w.PAR->Laden();
        QCOMPARE(vorher.count(), 1);
    }

    void breite()
    {
        Tam_Leer w;
        auto *pa_Left = new QWidget(&w);
        pa_Left->setObjectName(QStringLiteral("pa_Left"));
        pa_Left->resize(123, 50);
        w.PAR->SaveWidth(pa_Left);
        QCOMPARE(w.PAR->ReadInteger(QStringLiteral("pa_Left__WIDTH"), 0), 123);
        pa_Left->resize(10, 50);
        w.PAR->LoadWidth(pa_Left);
        QCOMPARE(pa_Left->width(), 123);
        w.PAR->LoadWidth(nullptr);
        w.PAR->SaveWidth(nullptr);
    }

    void schreibenVerweigert()
    {
        Tam_Kamera w;
        w.cx_Del->setChecked(true);
        w.PAR->Speichern();
        QFile f(datei());
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray vorher = f.readAll();
        f.close();
        QVERIFY(QFile::setPermissions(datei(), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));

        QSignalSpy gespeichert(w.PAR, &TkelParameter::OnSpeichern);
        w.resize(333, 222);
        try {
            w.PAR->Speichern();
            QFAIL("no error");
        } catch (const TkelFehler &e) {
            QCOMPARE(e.text(), QStringLiteral("In %1 kann nicht geschrieben werden").arg(datei()));
        }
        QCOMPARE(gespeichert.count(), 0);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), vorher);
        f.close();
        QFile::setPermissions(datei(), QFile::ReadOwner | QFile::WriteOwner);
    }

    // ---- Settings folder and file name ----------------------------------------------------

    void roaming()
    {
        QTemporaryDir programm;
        const QString lokal = qEnvironmentVariable("XDG_CONFIG_HOME") + QStringLiteral("/tarnel/kelAlbum/");
        const QString roamingOrdner = qEnvironmentVariable("XDG_DATA_HOME") + QStringLiteral("/tarnel/kelAlbum/");

        RoamingFestlegen(programm.path());
        QVERIFY(!IstRoaming());
        QCOMPARE(IniFolder(), lokal);

        QFile marke(programm.filePath(QStringLiteral("Roaming.pex")));
        QVERIFY(marke.open(QIODevice::WriteOnly));
        marke.close();
        RoamingFestlegen(programm.path() + QLatin1Char('/'));
        QVERIFY(IstRoaming());
        QCOMPARE(IniFolder(), roamingOrdner);
        QVERIFY(QFileInfo(roamingOrdner).isDir());
        SetSharedIniFileName(QStringLiteral("kelAlbum.ini"));
        QCOMPARE(SharedIniFile().fileName(), roamingOrdner + QStringLiteral("kelAlbum.ini"));

        // The flag holds until it is decided again.
        QVERIFY(marke.remove());
        QVERIFY(IstRoaming());
        RoamingFestlegen(programm.path());
        QCOMPARE(IniFolder(), lokal);
    }

    void ordnerNamen()
    {
        const QString basis = qEnvironmentVariable("XDG_CONFIG_HOME") + QLatin1Char('/');
        SetCompanyFolderName(QString());
        QCOMPARE(IniFolder(), basis);
        SetCompanyFolderName(QStringLiteral("firma"));
        SetProductFolderName(QString());
        QCOMPARE(IniFolder(), basis + QStringLiteral("firma/"));
        QVERIFY(QFileInfo(basis + QStringLiteral("firma")).isDir());
        SetCompanyFolderName(QStringLiteral("tarnel"));
        SetProductFolderName(QStringLiteral("kelAlbum"));
        QCOMPARE(IniFolder(), basis + QStringLiteral("tarnel/kelAlbum/"));
    }

    void projektDatei_data()
    {
        QTest::addColumn<QString>("projekt");
        QTest::addColumn<QString>("name");
        QTest::newRow("familie") << "Familie"
                                 << "kelAlbum_familie.ini";
        QTest::newRow("mit ordner und endung") << "/home/x/Familie.prj"
                                               << "kelAlbum_familie.ini";
        QTest::newRow("windows pfad") << "C:\\Daten\\Urlaub 2012.kel"
                                      << "kelAlbum_urlaub 2012.ini";
        QTest::newRow("ohne") << ""
                              << "kelAlbum.ini";
    }
    void projektDatei()
    {
        QFETCH(QString, projekt);
        QFETCH(QString, name);
        QCOMPARE(ProjektIniDateiName(projekt), name);
        // Any folder in the name is dropped: the file lives in the settings folder.
        SetSharedIniFileName(QStringLiteral("/anderswo/") + ProjektIniDateiName(projekt));
        QCOMPARE(SharedIniFile().fileName(), IniFolder() + name);
        Tam_Leer w;
        QCOMPARE(w.PAR->IniDateiName(), IniFolder() + name);
    }
};

KEL_TEST_MAIN(ParameterTest)
#include "parameter_test.moc"
