#include "framework/ke7_directorykeycombobox.h"
#include "framework/ke7_filekeycombobox.h"
#include "framework/ke7_keycombobox.h"
#include "framework/ke7_keylistbox.h"
#include "framework/ke7_parameter.h"
#include "framework/pex_ini.h"
#include "framework/pexdirectoryedit.h"
#include "framework/pexfileedit.h"
#include "tests/common/fakeuiservices.h"
#include "tests/common/kel_test.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>

namespace {

QStringList zeilen(const QListWidget &lb)
{
    QStringList l;
    for (int i = 0; i < lb.count(); ++i)
        l.append(lb.item(i)->text());
    return l;
}

QByteArray dateiInhalt(const QString &pfad)
{
    QFile f(pfad);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class KeyWidgetsTest : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir tmp;
    QString ini() const { return tmp.filePath(QStringLiteral("test.ini")); }

private slots:
    void init() { QFile::remove(ini()); }

    void combo_anzeige()
    {
        TkelKeyComboBox cb;
        QVERIFY(cb.isEditable());
        QVERIFY(!cb.completer());
        QCOMPARE(cb.insertPolicy(), QComboBox::NoInsert);
        QCOMPARE(cb.maxVisibleItems(), TkelKeyComboBox::DropDownMaximum());

        cb.SetErsterEintrag(QStringLiteral("(alle)"));
        QCOMPARE(cb.currentText(), QStringLiteral("(alle)"));
        // Filling an empty box does not select its first item.
        cb.AddKey(QStringLiteral("a"), QStringLiteral("Anna"));
        cb.AddKey(QStringLiteral("b"), QStringLiteral("Bert"));
        QCOMPARE(cb.currentIndex(), -1);
        QCOMPARE(cb.currentText(), QStringLiteral("(alle)"));
        QCOMPARE(cb.count(), 2);
        QCOMPARE(cb.itemText(1), QStringLiteral("Bert"));
        QCOMPARE(cb.maxVisibleItems(), 2);

        cb.SetKey(QStringLiteral("b"));
        QCOMPARE(cb.currentIndex(), 1);
        QCOMPARE(cb.currentText(), QStringLiteral("Bert"));
        cb.SetKeyText(QStringLiteral("B"), QStringLiteral("Berta"));
        QCOMPARE(cb.currentText(), QStringLiteral("Berta"));
        QCOMPARE(cb.itemText(1), QStringLiteral("Berta"));

        cb.SetKeyVorgabe(QStringLiteral("c"));
        cb.AddKey(QStringLiteral("c"), QStringLiteral("Carl"));
        QCOMPARE(cb.currentText(), QStringLiteral("Carl"));
        QCOMPARE(cb.currentIndex(), 2);

        cb.Clear();
        QCOMPARE(cb.count(), 0);
        QCOMPARE(cb.currentText(), QStringLiteral("(alle)"));
        QCOMPARE(cb.Key(), QString());
    }

    void combo_tippen()
    {
        QWidget fenster;
        auto *cb = new TkelKeyComboBox(&fenster);
        cb->AddKey(QStringLiteral("2018"), QStringLiteral("2018"));
        cb->AddKey(QStringLiteral("2019"), QStringLiteral("2019"));
        fenster.show();
        QApplication::setActiveWindow(&fenster);
        cb->setFocus();
        QVERIFY(QTest::qWaitForWindowActive(&fenster, 5000));
        QWidget *ziel = QApplication::focusWidget();
        QVERIFY(ziel);
        QSignalSpy change(cb, &TkelKeyComboBox::OnChange);

        QTest::keyClicks(ziel, QStringLiteral("201"));
        QCOMPARE(cb->Key(), QStringLiteral("2018"));
        QCOMPARE(cb->lineEdit()->selectedText(), QStringLiteral("201"));
        QTest::keyClicks(ziel, QStringLiteral("9x"));
        QCOMPARE(cb->Key(), QStringLiteral("2019"));
        QCOMPARE(cb->currentText(), QStringLiteral("2019"));
        QCOMPARE(cb->lineEdit()->selectedText(), QStringLiteral("2019"));
        QCOMPARE(cb->Modell().Suchpuffer(), QStringLiteral("2019"));
        QCOMPARE(change.count(), 5);

        QTest::keyClick(ziel, Qt::Key_Backspace);
        QCOMPARE(cb->Modell().Suchpuffer(), QString());
        QVERIFY(!cb->lineEdit()->hasSelectedText());
        QCOMPARE(cb->currentText(), QStringLiteral("2019"));

        // Arrow keys pick items as the user does: the key follows, OnChange fires.
        QTest::keyClick(ziel, Qt::Key_Up);
        QCOMPARE(cb->Key(), QStringLiteral("2018"));
        QCOMPARE(change.count(), 6);

        // Deleting the text leaves no key selected.
        cb->lineEdit()->selectAll();
        QTest::keyClick(ziel, Qt::Key_Delete);
        QCOMPARE(cb->currentText(), QString());
        QCOMPARE(cb->Key(), QString());
        QCOMPARE(change.count(), 7);

        // Entering the control starts a new prefix.
        QTest::keyClicks(ziel, QStringLiteral("2"));
        QCOMPARE(cb->Modell().Suchpuffer(), QStringLiteral("2"));
        cb->clearFocus();
        cb->setFocus();
        QCOMPARE(cb->Modell().Suchpuffer(), QString());
    }

    void combo_dropDownZeilen()
    {
        TkelKeyComboBox cb;
        for (int i = 0; i < 30; ++i)
            cb.AddKeyInt(i, QString::number(i));
        QCOMPARE(cb.maxVisibleItems(), 8);
    }

    void listBox()
    {
        TkelKeyListBox lb;
        for (const char *k : { "a", "b", "c" })
            lb.AddKey(QLatin1String(k), QStringLiteral("Text ") + QLatin1String(k));
        QCOMPARE(zeilen(lb), (QStringList { "Text a", "Text b", "Text c" }));
        QCOMPARE(lb.Key(), QString());

        lb.SetKey(QStringLiteral("B"));
        QCOMPARE(lb.currentRow(), 1);
        QVERIFY(lb.item(1)->isSelected());
        QCOMPARE(lb.GetText(), QStringLiteral("Text b"));

        // The user's choice is the key.
        lb.setCurrentRow(2);
        QCOMPARE(lb.Key(), QStringLiteral("c"));

        lb.SetText(QStringLiteral("a"), QStringLiteral("neu"));
        QCOMPARE(lb.item(0)->text(), QStringLiteral("neu"));

        lb.DelKey(QStringLiteral("c"));
        QCOMPARE(zeilen(lb), (QStringList { "neu", "Text b" }));
        QCOMPARE(lb.currentRow(), 1);
        QCOMPARE(lb.Key(), QStringLiteral("b"));
        lb.DelKey(QStringLiteral("a"));
        QCOMPARE(zeilen(lb), (QStringList { "Text b" }));
        QCOMPARE(lb.Key(), QStringLiteral("b"));
        QCOMPARE(lb.KeyListToSemikolon(), QStringLiteral("b;"));

        lb.Clear();
        QCOMPARE(lb.count(), 0);
        QCOMPARE(lb.Key(), QString());
        lb.AddKey(QStringLiteral("b"), QStringLiteral("wieder"));
        lb.SetKey(QStringLiteral("b"));
        QCOMPARE(lb.currentRow(), 0);
    }

    void picker_layout()
    {
        TkelDirectoryKeyComboBox p;
        p.resize(300, 50);
        p.show();
        const int h = p.Combo()->sizeHint().height();
        QCOMPARE(p.height(), h);
        QPushButton *knopf = p.Knopf();
        QCOMPARE(knopf->text(), QStringLiteral("..."));
        QCOMPARE(knopf->toolTip(), QStringLiteral("Verzeichnis wählen"));
        QCOMPARE(knopf->focusPolicy(), Qt::NoFocus);
        QCOMPARE(knopf->geometry(), QRect(300 - (h - 2), 0, h - 2, h - 2));
        QCOMPARE(p.Combo()->geometry(), QRect(0, 0, 300 - (h - 2) - 2, h));
        p.resize(200, h);
        QCOMPARE(knopf->x(), 200 - (h - 2));
        QCOMPARE(p.Combo()->width(), 200 - (h - 2) - 2);

        TkelFileKeyComboBox f;
        QCOMPARE(f.Knopf()->toolTip(), QStringLiteral("Datei wählen"));
        QCOMPARE(f.kelDlgCaption(), QStringLiteral("Datei öffnen"));
        QCOMPARE(f.kelDlgJoker(), QStringLiteral("*.*"));
    }

    void directory_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("setzen");
        QTest::addColumn<QString>("directory");
        QTest::newRow("ohne Schrägstrich") << "/Fotos"
                                           << "/Fotos"
                                           << "/Fotos/";
        QTest::newRow("mit Schrägstrich") << "/Fotos/"
                                          << "/Fotos/"
                                          << "/Fotos/";
        QTest::newRow("Groß/klein") << "/Fotos"
                                    << "/FOTOS"
                                    << "/FOTOS/";
        QTest::newRow("Schrägstrich passt nicht") << "/Fotos"
                                                  << "/Fotos/"
                                                  << "";
        QTest::newRow("nichts gewählt") << "/Fotos"
                                        << ""
                                        << "";
    }
    void directory()
    {
        QFETCH(QString, key);
        QFETCH(QString, setzen);
        TkelDirectoryKeyComboBox p;
        p.AddDirectory(key);
        p.SetDirectory(setzen);
        QTEST(p.Directory(), "directory");
    }

    void directory_knopf()
    {
        FakeUiServices ui;
        TkelDirectoryKeyComboBox p(nullptr, &ui);
        p.AddDirectory(QStringLiteral("/a/"));
        p.AddDirectory(QStringLiteral("/b/"));
        p.SetDirectory(QStringLiteral("/a/"));
        QSignalSpy change(&p, &TkelDirectoryKeyComboBox::OnChange);

        // Cancel changes nothing.
        p.Knopf()->click();
        QCOMPARE(ui.dialogTitel, QStringList { "Verzeichnis wählen" });
        QCOMPARE(p.Directory(), QStringLiteral("/a/"));
        QCOMPARE(change.count(), 0);

        ui.verzeichnisAntworten.append({QStringLiteral("/neu/"), QStringLiteral("/A/"), QStringLiteral("/c")});
        p.Knopf()->click();
        QCOMPARE(p.Directory(), QStringLiteral("/neu/"));
        QCOMPARE(p.Combo()->currentText(), QStringLiteral("/neu/"));
        QCOMPARE(change.count(), 1);
        // A folder chosen again keeps its place, in the letter case first stored.
        p.Knopf()->click();
        QCOMPARE(p.Directory(), QStringLiteral("/a/"));
        QCOMPARE(change.count(), 2);
        p.Knopf()->click();
        QCOMPARE(p.KeyList(), (QStringList { "/a/", "/b/", "/neu/", "/c/" }));
        QCOMPARE(p.Items(), p.KeyList());
    }

    void file_knopfUndSetFileName()
    {
        FakeUiServices ui;
        TkelFileKeyComboBox p(nullptr, &ui);
        p.setKelDlgCaption(QStringLiteral("Template wählen"));
        p.setKelDlgJoker(QStringLiteral(".htm"));
        ui.dateiAntworten.append({QStringLiteral("/t/galleria.htm")});
        p.Knopf()->click();
        QCOMPARE(ui.dialogTitel, QStringList { "Template wählen" });
        QCOMPARE(p.FileName(), QStringLiteral("/t/galleria.htm"));
        p.Knopf()->click();
        QCOMPARE(p.FileName(), QStringLiteral("/t/galleria.htm"));

        p.SetFileName(QStringLiteral("/t/malihu.htm"));
        QCOMPARE(p.FileName(), QStringLiteral("/t/malihu.htm"));
        p.SetFileName(QStringLiteral("/T/GALLERIA.htm"));
        QCOMPARE(p.KeyCount(), 2);
        QCOMPARE(p.FileName(), QStringLiteral("/T/GALLERIA.htm"));
        p.SetFileName(QString());
        QCOMPARE(p.KeyCount(), 2);
        QCOMPARE(p.FileName(), QString());
    }

    void buttonEdits()
    {
        FakeUiServices ui;
        TpexDirectoryEdit d(nullptr, &ui);
        QAction *knopf = d.Knopf();
        QVERIFY(!knopf->icon().isNull());
        QVERIFY(!knopf->icon().pixmap(16, 16).isNull());
        QVERIFY(!knopf->icon().pixmap(16, 16, QIcon::Disabled).isNull());
        d.setEnabled(false);
        QVERIFY(!knopf->isEnabled());
        d.setEnabled(true);
        QVERIFY(knopf->isEnabled());

        d.Dialog().Caption = QStringLiteral("Zielordner");
        d.setText(QStringLiteral("/alt"));
        knopf->trigger();
        QCOMPARE(d.text(), QStringLiteral("/alt"));
        ui.verzeichnisAntworten.append({QStringLiteral("/ziel/html/")});
        knopf->trigger();
        QCOMPARE(d.text(), QStringLiteral("/ziel/html"));
        QCOMPARE(ui.dialogTitel, (QStringList { "Zielordner", "Zielordner" }));

        TpexFileEdit f(nullptr, &ui);
        QVERIFY(!f.Knopf()->icon().isNull());
        QVERIFY(f.Knopf()->icon().pixmap(16, 16).toImage() != knopf->icon().pixmap(16, 16).toImage());
        f.Dialog().Title = QStringLiteral("Vorlage");
        ui.dateiAntworten.append({QStringLiteral("/v/vorlage.htm")});
        f.Knopf()->trigger();
        QCOMPARE(f.text(), QStringLiteral("/v/vorlage.htm"));
        QCOMPARE(ui.dialogTitel.last(), QStringLiteral("Vorlage"));
        f.Knopf()->trigger();
        QCOMPARE(f.text(), QStringLiteral("/v/vorlage.htm"));
    }

    // The camera dialog's example: one remembered folder.
    void speichern_ordner()
    {
        TpexIniFile datei(ini());
        TkelDirectoryKeyComboBox p;
        p.setKelPAR_Save_Keys(true);
        p.AddDirectory(QStringLiteral("/media/kamera/DCIM"));
        p.AddKey(QStringLiteral(" /mit;Semikolon/"), QStringLiteral(" Text;mit "));
        p.SetDirectory(QStringLiteral("/media/kamera/DCIM"));
        p.parSpeichern(datei, QStringLiteral("Tam_Kamera"), QStringLiteral("ed_Kamera"));
        QCOMPARE(dateiInhalt(ini()),
            QByteArray("[Tam_Kamera]\r\n"
                       "ed_Kamera=/media/kamera/DCIM/\r\n"
                       "ed_Kamera_Keys_00=/media/kamera/DCIM;/media/kamera/DCIM;\r\n"
                       "ed_Kamera_Keys_01=/mit Semikolon/;Text mit;\r\n"));

        TkelDirectoryKeyComboBox q;
        q.setKelPAR_Save_Keys(true);
        q.AddDirectory(QStringLiteral("/vorher/"));
        q.parLaden(datei, QStringLiteral("Tam_Kamera"), QStringLiteral("ed_Kamera"));
        QCOMPARE(q.KeyList(), (QStringList { "/media/kamera/DCIM", "/mit Semikolon/" }));
        QCOMPARE(q.Items(), (QStringList { "/media/kamera/DCIM", "Text mit" }));
        // The stored value carries the '/', so it matches only a key stored with one.
        QCOMPARE(q.Directory(), QString());

        // Without remembered entries only the value is read; the items stay.
        TkelDirectoryKeyComboBox r;
        r.AddDirectory(QStringLiteral("/media/kamera/DCIM/"));
        r.parLaden(datei, QStringLiteral("Tam_Kamera"), QStringLiteral("ed_Kamera"));
        QCOMPARE(r.KeyCount(), 1);
        QCOMPARE(r.Directory(), QStringLiteral("/media/kamera/DCIM/"));
    }

    void speichern_dreizehnUndLuecke()
    {
        TpexIniFile datei(ini());
        const QString s = QStringLiteral("Tam_Export");
        TkelKeyComboBox cb;
        cb.setKelPAR_Save_Keys(true);
        for (int i = 0; i < 13; ++i)
            cb.AddKey(QStringLiteral("k%1").arg(i), QStringLiteral("Text %1").arg(i));
        cb.SetKey(QStringLiteral("k7"));
        cb.parSpeichern(datei, s, QStringLiteral("cb_Liste"));
        QVERIFY(datei.valueExists(s, QStringLiteral("cb_Liste_Keys_12")));
        QVERIFY(!datei.valueExists(s, QStringLiteral("cb_Liste_Keys_13")));
        QCOMPARE(datei.readString(s, QStringLiteral("cb_Liste"), QString()), QStringLiteral("k7"));

        TkelKeyComboBox voll;
        voll.setKelPAR_Save_Keys(true);
        voll.parLaden(datei, s, QStringLiteral("cb_Liste"));
        QCOMPARE(voll.KeyList(), cb.KeyList());
        QCOMPARE(voll.Items(), cb.Items());
        QCOMPARE(voll.Key(), QStringLiteral("k7"));
        QCOMPARE(voll.currentText(), QStringLiteral("Text 7"));

        datei.deleteKey(s, QStringLiteral("cb_Liste_Keys_05"));
        TkelKeyComboBox luecke;
        luecke.setKelPAR_Save_Keys(true);
        luecke.AddKey(QStringLiteral("k1"), QStringLiteral("vorher"));
        luecke.SetKey(QStringLiteral("k1"));
        luecke.parLaden(datei, s, QStringLiteral("cb_Liste"));
        QCOMPARE(luecke.KeyCount(), 5);
        QCOMPARE(luecke.Items().at(1), QStringLiteral("Text 1"));
        // k7 is no longer in the list: after the Clear nothing is selected.
        QCOMPARE(luecke.Key(), QString());

        // A missing value keeps the current key.
        TkelKeyComboBox ohne;
        ohne.AddKey(QStringLiteral("x"), QStringLiteral("X"));
        ohne.SetKey(QStringLiteral("x"));
        ohne.parLaden(datei, s, QStringLiteral("cb_Fehlt"));
        QCOMPARE(ohne.Key(), QStringLiteral("x"));
    }

    void speichern_dateiUndListe()
    {
        TpexIniFile datei(ini());
        const QString s = QStringLiteral("Tam_ExportToGalleria");
        TkelFileKeyComboBox f;
        f.setKelPAR_Save_Keys(true);
        f.SetFileName(QStringLiteral("/t/a.htm"));
        f.SetFileName(QStringLiteral("/t/b.htm"));
        f.parSpeichern(datei, s, QStringLiteral("ed_Template"));
        datei.deleteKey(s, QStringLiteral("ed_Template_Keys_01"));

        // The stored file is added again when its entry is missing.
        TkelFileKeyComboBox g;
        g.setKelPAR_Save_Keys(true);
        g.parLaden(datei, s, QStringLiteral("ed_Template"));
        QCOMPARE(g.KeyList(), (QStringList { "/t/a.htm", "/t/b.htm" }));
        QCOMPARE(g.FileName(), QStringLiteral("/t/b.htm"));

        // Nothing stored: an empty list, and no empty entry.
        TkelFileKeyComboBox leer;
        leer.setKelPAR_Save_Keys(true);
        leer.SetFileName(QStringLiteral("/alt.htm"));
        leer.parLaden(datei, s, QStringLiteral("ed_Anderes"));
        QCOMPARE(leer.KeyCount(), 1);
        QCOMPARE(leer.FileName(), QStringLiteral("/alt.htm"));

        TkelKeyListBox lb;
        lb.setKelPAR_Save_Keys(true);
        lb.AddKey(QStringLiteral("1"), QStringLiteral("eins"));
        lb.AddKey(QStringLiteral("2"), QStringLiteral("zwei"));
        lb.SetKey(QStringLiteral("2"));
        lb.parSpeichern(datei, s, QStringLiteral("lb_Liste"));
        TkelKeyListBox lb2;
        lb2.setKelPAR_Save_Keys(true);
        lb2.parLaden(datei, s, QStringLiteral("lb_Liste"));
        QCOMPARE(zeilen(lb2), (QStringList { "eins", "zwei" }));
        QCOMPARE(lb2.Key(), QStringLiteral("2"));
    }

    // Through the window's settings component: the picker stores itself, not as a plain
    // combo box or edit.
    void speichern_ueberTkelParameter()
    {
        QWidget fenster;
        auto *p = new TkelDirectoryKeyComboBox(&fenster);
        p->setObjectName(QStringLiteral("ed_Kamera"));
        p->setKelPAR_Save_Keys(true);
        setTag(p, 99);
        auto *param = new TkelParameter(&fenster);
        param->setDateiName(ini());
        param->setTagInclusive(99);
        p->AddDirectory(QStringLiteral("/media/kamera/DCIM/"));
        p->SetDirectory(QStringLiteral("/media/kamera/DCIM/"));
        param->Speichern();
        const QString section = param->SectionName();
        TpexIniFile datei(ini());
        QCOMPARE(datei.readSection(section), (QStringList { "ed_Kamera", "ed_Kamera_Keys_00" }));

        p->Clear();
        p->AddDirectory(QStringLiteral("/anderes/"));
        param->Laden();
        QCOMPARE(p->KeyList(), QStringList { "/media/kamera/DCIM/" });
        QCOMPARE(p->Directory(), QStringLiteral("/media/kamera/DCIM/"));
    }
};

KEL_TEST_MAIN(KeyWidgetsTest)
#include "keywidgets_test.moc"
