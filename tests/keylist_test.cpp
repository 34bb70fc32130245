#include "framework/ke7_keycombomodel.h"
#include "framework/ke7_keylist.h"
#include "framework/ke7_keylistmodel.h"
#include "tests/common/kel_test.h"

#include <QSignalSpy>

namespace {

// "k1=t1|k2=t2": items in order.
void fuellen(TkelKeyComboModel &m, const QString &items)
{
    if (items.isEmpty())
        return;
    const QStringList teile = items.split(QLatin1Char('|'));
    for (const QString &t : teile)
        m.AddKey(t.section(QLatin1Char('='), 0, 0), t.section(QLatin1Char('='), 1));
}

void fuellen(TkelKeyListModel &m, const QStringList &keys)
{
    for (const QString &k : keys)
        m.AddKey(k, QStringLiteral("Text ") + k);
}

} // namespace

class KeyListTest : public QObject
{
    Q_OBJECT
private slots:
    // Runs first: the shared maximum starts at 8 and is raised to 8 by the next AddKey.
    void dropDownZeilen()
    {
        QCOMPARE(TkelKeyComboModel::DropDownMaximum(), 8);
        TkelKeyComboModel vorher;
        QCOMPARE(vorher.DropDownCount(), 8);
        for (int i = 0; i < 30; ++i)
            vorher.AddKeyInt(i, QString::number(i));
        QCOMPARE(vorher.DropDownCount(), 8);

        TkelKeyComboModel::SetDropDownMaximum(20);
        TkelKeyComboModel drei;
        QCOMPARE(drei.DropDownCount(), 20);
        QSignalSpy zeilen(&drei, &TkelKeyComboModel::dropDownCountGeaendert);
        for (int i = 0; i < 3; ++i)
            drei.AddKeyInt(i, QString::number(i));
        QCOMPARE(drei.DropDownCount(), 3);
        QCOMPARE(zeilen.count(), 3);
        TkelKeyComboModel dreissig;
        for (int i = 0; i < 30; ++i)
            dreissig.AddKeyInt(i, QString::number(i));
        QCOMPARE(dreissig.DropDownCount(), 20);

        TkelKeyComboModel::SetDropDownMaximum(3);
        dreissig.AddKey(QStringLiteral("x"), QStringLiteral("x"));
        QCOMPARE(TkelKeyComboModel::DropDownMaximum(), 8);
        QCOMPARE(dreissig.DropDownCount(), 8);
        TkelKeyComboModel::SetDropDownMaximum(8);
    }

    void addKey_data()
    {
        QTest::addColumn<QString>("items");
        QTest::addColumn<QStringList>("keys");
        QTest::addColumn<QStringList>("texte");
        QTest::newRow("zweiter gleicher Key ignoriert")
            << "a=erster|A=zweiter" << QStringList { "a" } << QStringList { "erster" };
        QTest::newRow("Umlaute ohne Groß/klein")
            << "ä=1|Ä=2|b=3" << QStringList { "ä", "b" } << QStringList { "1", "3" };
        QTest::newRow("gleiche Texte erlaubt")
            << "1=gleich|2=gleich" << QStringList { "1", "2" } << QStringList { "gleich", "gleich" };
        QTest::newRow("Reihenfolge des Einfügens")
            << "b=B|a=A|c=C" << QStringList { "b", "a", "c" } << QStringList { "B", "A", "C" };
    }
    void addKey()
    {
        QFETCH(QString, items);
        QFETCH(QStringList, keys);
        QFETCH(QStringList, texte);
        TkelKeyComboModel m;
        fuellen(m, items);
        QCOMPARE(m.KeyList(), keys);
        QCOMPARE(m.Items(), texte);
        QCOMPARE(m.Liste().rowCount(), keys.size());
        QCOMPARE(m.Liste().data(m.Liste().index(0), TkelKeyList::KeyRole).toString(), keys.first());
    }

    void addKeyVarianten()
    {
        TkelKeyComboModel m;
        m.AddKeyInt(7, QStringLiteral("sieben"));
        m.AddKeyString({ QStringLiteral("Text"), QStringLiteral("k") });
        m.AddKeyDplMinutenHH_MM(90);
        m.AddKeyDplMinutenHH_MM(5);
        m.AddKeyDplMinutenHH_MM(600);
        QCOMPARE(m.KeyList(), (QStringList { "7", "k", "90", "5", "600" }));
        QCOMPARE(m.Items(), (QStringList { "sieben", "Text", "01:30", "00:05", "10:00" }));
        QVERIFY(m.KeyExists(QStringLiteral("K")));
        QVERIFY(!m.KeyExists(QStringLiteral("8")));

        // "[nicht zugeordnet]" becomes the empty-selection text without being shown yet.
        m.SetKey(QStringLiteral("7"));
        m.AddKeyIntNZ();
        QCOMPARE(m.ErsterEintrag(), QStringLiteral("[nicht zugeordnet]"));
        QCOMPARE(m.Text(), QStringLiteral("sieben"));
        QCOMPARE(m.KeyList().last(), QStringLiteral("0"));
        QCOMPARE(m.Items().last(), QStringLiteral("[nicht zugeordnet]"));
        m.SetKey(QString());
        QCOMPARE(m.Key(), QStringLiteral("0"));
        QCOMPARE(m.Text(), QStringLiteral("[nicht zugeordnet]"));
        QCOMPARE(m.AnzeigeIndex(), m.KeyCount() - 1);
    }

    void setKey_data()
    {
        QTest::addColumn<QString>("items");
        QTest::addColumn<QString>("vorher");
        QTest::addColumn<QString>("wert");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("index");
        const QString zahlen = QStringLiteral("4=vier|5=fünf|6=sechs");
        QTest::newRow("Blanks weg") << zahlen << ""
                                    << "  5 "
                                    << "5"
                                    << "fünf" << 1;
        QTest::newRow("nur Blanks") << zahlen << ""
                                    << "\t5"
                                    << ""
                                    << "(keiner)" << -1;
        QTest::newRow("fehlend behält Auswahl") << zahlen << "4"
                                                << "9"
                                                << "4"
                                                << "vier" << 0;
        QTest::newRow("leer ohne 0") << zahlen << "4"
                                     << ""
                                     << ""
                                     << "(keiner)" << -1;
        QTest::newRow("leer mit 0") << "0=nz|1=eins"
                                    << "1"
                                    << ""
                                    << "0"
                                    << "nz" << 0;
        QTest::newRow("Blanks mit 0") << "0=nz|1=eins"
                                      << "1"
                                      << "   "
                                      << "0"
                                      << "nz" << 0;
        QTest::newRow("Groß/klein vom Aufrufer") << "Abc=x"
                                                 << ""
                                                 << "aBC"
                                                 << "aBC"
                                                 << "x" << 0;
    }
    void setKey()
    {
        QFETCH(QString, items);
        QFETCH(QString, vorher);
        QFETCH(QString, wert);
        TkelKeyComboModel m;
        m.SetErsterEintrag(QStringLiteral("(keiner)"));
        fuellen(m, items);
        m.SetKey(vorher);
        QSignalSpy change(&m, &TkelKeyComboModel::OnChange);
        m.SetKey(wert);
        QTEST(m.Key(), "key");
        QTEST(m.Text(), "text");
        QTEST(m.AnzeigeIndex(), "index");
        QCOMPARE(change.count(), 0);
    }

    void keyVorItem()
    {
        TkelKeyComboModel m;
        m.SetKeyVorgabe(QStringLiteral(" 2012 "));
        QCOMPARE(m.Key(), QStringLiteral("2012"));
        QCOMPARE(m.Text(), QString());
        m.AddKey(QStringLiteral("2011"), QStringLiteral("elf"));
        QCOMPARE(m.Text(), QString());
        m.AddKey(QStringLiteral("2012"), QStringLiteral("zwölf"));
        QCOMPARE(m.Text(), QStringLiteral("zwölf"));
        QCOMPARE(m.AnzeigeIndex(), 1);
    }

    void setKeyTextUndKeyAsInteger()
    {
        TkelKeyComboModel m;
        fuellen(m, QStringLiteral("12=zwölf|abc=Buchstaben"));
        m.SetKey(QStringLiteral("12"));
        QCOMPARE(m.KeyAsInteger(), 12);
        m.SetKeyText(QStringLiteral("12"), QStringLiteral("XII"));
        QCOMPARE(m.Text(), QStringLiteral("XII"));
        m.SetKeyText(QStringLiteral("ABC"), QStringLiteral("neu"));
        QCOMPARE(m.Items(), (QStringList { "XII", "neu" }));
        QCOMPARE(m.Text(), QStringLiteral("XII"));
        m.SetKeyText(QStringLiteral("fehlt"), QStringLiteral("nichts"));
        QCOMPARE(m.KeyCount(), 2);
        m.SetKey(QStringLiteral("abc"));
        QCOMPARE(m.KeyAsInteger(), 0);
        m.SetKeyAsInteger(12);
        QCOMPARE(m.Key(), QStringLiteral("12"));
        m.Clear();
        QCOMPARE(m.KeyAsInteger(), 0);
    }

    void ersterEintragUndClear()
    {
        TkelKeyComboModel m;
        QSignalSpy anzeige(&m, &TkelKeyComboModel::anzeigeGeaendert);
        m.SetErsterEintrag(QStringLiteral("Bitte wählen"));
        QCOMPARE(m.Text(), QStringLiteral("Bitte wählen"));
        QCOMPARE(anzeige.count(), 1);
        fuellen(m, QStringLiteral("a=A|b=B"));
        m.SetKey(QStringLiteral("b"));
        m.Clear();
        QCOMPARE(m.KeyCount(), 0);
        QCOMPARE(m.Key(), QString());
        QCOMPARE(m.Text(), QStringLiteral("Bitte wählen"));
        QCOMPARE(m.AnzeigeIndex(), -1);
    }

    void navigation_data()
    {
        QTest::addColumn<QString>("items");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("aktion");
        QTest::addColumn<bool>("ergebnis");
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("changes");
        const QString abc = QStringLiteral("a=A|b=B|c=C");
        QTest::newRow("First") << abc << "b"
                               << "first" << true << "a" << 1;
        QTest::newRow("First leer") << ""
                                    << ""
                                    << "first" << true << "" << 1;
        QTest::newRow("Last") << abc << "a"
                              << "last" << true << "c" << 1;
        QTest::newRow("Last leer") << ""
                                   << ""
                                   << "last" << true << "" << 1;
        QTest::newRow("Next") << abc << "a"
                              << "next" << true << "b" << 1;
        QTest::newRow("Next ohne Auswahl") << abc << ""
                                           << "next" << true << "a" << 1;
        QTest::newRow("Next am Ende") << abc << "c"
                                      << "next" << false << "c" << 0;
        QTest::newRow("Next leer") << ""
                                   << ""
                                   << "next" << false << "" << 0;
        QTest::newRow("Prior") << abc << "c"
                               << "prior" << true << "b" << 1;
        QTest::newRow("Prior am Anfang") << abc << "a"
                                         << "prior" << false << "a" << 0;
        QTest::newRow("Prior ohne Auswahl") << abc << ""
                                            << "prior" << false << "" << 0;
        QTest::newRow("Goto gespeicherte Schreibung") << "Abc=x|b=B"
                                                      << "b"
                                                      << "goto:aBC" << true << "Abc" << 1;
        QTest::newRow("Goto fehlt") << abc << "b"
                                    << "goto:z" << false << "b" << 0;
    }
    void navigation()
    {
        QFETCH(QString, items);
        QFETCH(QString, start);
        QFETCH(QString, aktion);
        TkelKeyComboModel m;
        fuellen(m, items);
        m.SetKey(start);
        QSignalSpy change(&m, &TkelKeyComboModel::OnChange);
        bool ergebnis = true;
        if (aktion == QLatin1String("first"))
            m.KeyFirst();
        else if (aktion == QLatin1String("last"))
            m.KeyLast();
        else if (aktion == QLatin1String("next"))
            ergebnis = m.KeyNext();
        else if (aktion == QLatin1String("prior"))
            ergebnis = m.KeyPrior();
        else
            ergebnis = m.KeyGoto(aktion.mid(5));
        QTEST(ergebnis, "ergebnis");
        QTEST(m.Key(), "key");
        QTEST(int(change.count()), "changes");
    }

    void change_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("index");
        QTest::newRow("erster von gleichen") << "Gleich"
                                             << "1" << 0;
        QTest::newRow("ohne Groß/klein") << "gLEICH"
                                         << "1" << 0;
        QTest::newRow("eindeutig") << "Anders"
                                   << "3" << 2;
        QTest::newRow("kein Eintrag") << "Gleic"
                                      << "" << -1;
    }
    void change()
    {
        QFETCH(QString, text);
        TkelKeyComboModel m;
        fuellen(m, QStringLiteral("1=Gleich|2=Gleich|3=Anders"));
        m.SetKey(QStringLiteral("2"));
        QSignalSpy change(&m, &TkelKeyComboModel::OnChange);
        m.Change(text);
        QTEST(m.Key(), "key");
        QTEST(m.AnzeigeIndex(), "index");
        QCOMPARE(m.Text(), text);
        QCOMPARE(change.count(), 1);
    }

    void change_nachSetKeyText()
    {
        TkelKeyComboModel m;
        fuellen(m, QStringLiteral("1=Eins|2=Zwei"));
        m.SetKeyText(QStringLiteral("2"), QStringLiteral("Eins"));
        m.SetKeyText(QStringLiteral("1"), QStringLiteral("Uno"));
        m.Change(QStringLiteral("eins"));
        QCOMPARE(m.Key(), QStringLiteral("2"));
        m.Change(QStringLiteral("Zwei"));
        QCOMPARE(m.Key(), QString());
    }

    // Each typed character: the key shown afterwards, the prefix buffer and OnChange count.
    void suche_data()
    {
        QTest::addColumn<QString>("items");
        QTest::addColumn<bool>("wraparound");
        QTest::addColumn<QString>("getippt");
        QTest::addColumn<QStringList>("keys");
        QTest::addColumn<QStringList>("puffer");
        QTest::addColumn<int>("changes");
        const QString jahre = QStringLiteral("2018=2018|2019=2019");
        QTest::newRow("2, 0, 1, 9, x") << jahre << false << "2019x"
                                       << QStringList { "2018", "2018", "2018", "2019", "2019" }
                                       << QStringList { "2", "20", "201", "2019", "2019" } << 5;
        QTest::newRow("kein Treffer") << jahre << false << "x" << QStringList { "" } << QStringList { "" } << 0;
        QTest::newRow("Groß/klein und Umlaute")
            << "a=Apfel|b=ärger|c=Äpfel" << false << "äP" << QStringList { "b", "c" } << QStringList { "Ä", "ÄP" } << 2;
        QTest::newRow("ringsum") << "1=Anna|2=Bert|3=Anton|4=alex" << true << "aaaab"
                                 << QStringList { "3", "4", "1", "3", "2" } << QStringList { "A", "A", "A", "A", "B" }
                                 << 5;
        QTest::newRow("ringsum ohne Treffer")
            << "1=Anna|2=Bert" << true << "z" << QStringList { "" } << QStringList { "Z" } << 0;
    }
    void suche()
    {
        QFETCH(QString, items);
        QFETCH(bool, wraparound);
        QFETCH(QString, getippt);
        QFETCH(QStringList, keys);
        QFETCH(QStringList, puffer);
        TkelKeyComboModel m;
        m.SetWraparound(wraparound);
        fuellen(m, items);
        QSignalSpy change(&m, &TkelKeyComboModel::OnChange);
        QSignalSpy markierung(&m, &TkelKeyComboModel::markieren);
        for (int i = 0; i < getippt.size(); ++i) {
            QVERIFY(m.Zeichen(getippt.at(i)));
            QCOMPARE(m.Key(), keys.at(i));
            QCOMPARE(m.Suchpuffer(), puffer.at(i));
            if (!wraparound && !m.Key().isEmpty())
                QCOMPARE(markierung.last(), (QVariantList { 0, int(puffer.at(i).size()) }));
        }
        QTEST(int(change.count()), "changes");
        m.Rueckschritt();
        QCOMPARE(m.Suchpuffer(), QString());
        QCOMPARE(markierung.last(), (QVariantList { 0, 0 }));
    }

    void suche_fremdeZeichen()
    {
        TkelKeyComboModel m;
        fuellen(m, QStringLiteral("1=Čapek|2=\tTab"));
        QVERIFY(!m.Zeichen(QChar(0x010C)));
        QVERIFY(!m.Zeichen(QLatin1Char('\t')));
        QVERIFY(!m.Zeichen(QChar(0x1F)));
        QVERIFY(m.Zeichen(QChar(0xFF)));
        QCOMPARE(m.Key(), QString());
        m.FokusErhalten();
        QCOMPARE(m.Suchpuffer(), QString());
    }

    void listBox_setKey()
    {
        TkelKeyListModel m;
        QCOMPARE(m.Key(), QString());
        fuellen(m, { "a", "B", "c" });
        m.SetKey(QStringLiteral("b"));
        QCOMPARE(m.ItemIndex(), 1);
        QCOMPARE(m.Key(), QStringLiteral("B"));
        QCOMPARE(m.GemerkterKey(), QStringLiteral("b"));
        QCOMPARE(m.GetText(), QStringLiteral("Text B"));
        TkelKeyString item;
        QVERIFY(m.GetKeyString(item));
        QCOMPARE(item.key, QStringLiteral("B"));
        QCOMPARE(item.text, QStringLiteral("Text B"));

        // The user moved the selection; the same key again is ignored, another one selects.
        m.SetItemIndex(2);
        m.SetKey(QStringLiteral("b"));
        QCOMPARE(m.ItemIndex(), 2);
        m.SetKey(QStringLiteral("fehlt"));
        QCOMPARE(m.GemerkterKey(), QString());
        QCOMPARE(m.ItemIndex(), 2);
        m.SetKey(QStringLiteral("b"));
        QCOMPARE(m.ItemIndex(), 1);

        // Cleared and filled again, the same key selects again.
        m.Clear();
        QCOMPARE(m.Key(), QString());
        QCOMPARE(m.GetText(), QString());
        item = { QStringLiteral("unberührt"), QStringLiteral("x") };
        QVERIFY(!m.GetKeyString(item));
        QCOMPARE(item.text, QStringLiteral("unberührt"));
        fuellen(m, { "a", "B", "c" });
        m.SetKey(QStringLiteral("b"));
        QCOMPARE(m.ItemIndex(), 1);

        m.SetText(QStringLiteral("C"), QStringLiteral("neu"));
        m.SetText(QStringLiteral("fehlt"), QStringLiteral("nichts"));
        QCOMPARE(m.Items(), (QStringList { "Text a", "Text B", "neu" }));
        m.SetKeyAsInteger(7);
        QCOMPARE(m.KeyAsInteger(), 0);
        m.AddKeyInt(7, QStringLiteral("sieben"));
        m.SetKeyAsInteger(7);
        QCOMPARE(m.KeyAsInteger(), 7);
    }

    void listBox_delKey_data()
    {
        QTest::addColumn<QStringList>("keys");
        QTest::addColumn<QString>("auswahl");
        QTest::addColumn<QString>("loeschen");
        QTest::addColumn<QStringList>("danach");
        QTest::addColumn<QString>("key");
        QTest::newRow("mittlerer") << QStringList { "a", "b", "c" } << "b"
                                   << "b" << QStringList { "a", "c" } << "c";
        QTest::newRow("letzter") << QStringList { "a", "b", "c" } << "c"
                                 << "C" << QStringList { "a", "b" } << "b";
        QTest::newRow("einziger") << QStringList { "a" } << "a"
                                  << "a" << QStringList {} << "";
        QTest::newRow("fehlt") << QStringList { "a", "b" } << "a"
                               << "x" << QStringList { "a", "b" } << "a";
        QTest::newRow("vor der Auswahl") << QStringList { "a", "b", "c" } << "c"
                                         << "a" << QStringList { "b", "c" } << "b";
        QTest::newRow("ohne Auswahl") << QStringList { "a", "b", "c" } << ""
                                      << "a" << QStringList { "b", "c" } << "b";
    }
    void listBox_delKey()
    {
        QFETCH(QStringList, keys);
        QFETCH(QString, auswahl);
        QFETCH(QString, loeschen);
        TkelKeyListModel m;
        fuellen(m, keys);
        m.SetKey(auswahl);
        m.DelKey(loeschen);
        QTEST(m.KeyList(), "danach");
        QTEST(m.Key(), "key");
        QVERIFY(m.ItemIndex() < m.KeyCount());
    }

    void semikolon_data()
    {
        QTest::addColumn<QStringList>("keys");
        QTest::addColumn<QString>("text");
        QTest::newRow("zwei") << QStringList { "a", "b" } << "a;b;";
        QTest::newRow("drei") << QStringList { "a", "b", "c" } << "a;b;c;";
        QTest::newRow("leer") << QStringList {} << "";
    }
    void semikolon()
    {
        QFETCH(QStringList, keys);
        TkelKeyListModel m;
        fuellen(m, keys);
        QTEST(m.KeyListToSemikolon(), "text");
    }

    void zehntausend()
    {
        constexpr int n = 10000;
        TkelKeyList l;
        for (int i = 0; i < n; ++i)
            QVERIFY(l.AddKey(QStringLiteral("Key%1").arg(i), QStringLiteral("Text %1").arg(i % 5000)));
        for (int i = 0; i < n; i += 7)
            QVERIFY(!l.AddKey(QStringLiteral("KEY%1").arg(i), QStringLiteral("doppelt")));
        QCOMPARE(l.Count(), n);
        for (int i = 0; i < n; ++i) {
            QCOMPARE(l.IndexOfKey(QStringLiteral("kEy%1").arg(i)), i);
            QCOMPARE(l.IndexOfText(QStringLiteral("TEXT %1").arg(i % 5000)), i % 5000);
        }
        QCOMPARE(l.IndexOfKey(QStringLiteral("Key%1").arg(n)), -1);

        // Indexes follow removals and changed texts.
        l.Delete(0);
        l.Delete(4998);
        QCOMPARE(l.Count(), n - 2);
        QCOMPARE(l.IndexOfKey(QStringLiteral("Key0")), -1);
        QCOMPARE(l.IndexOfKey(QStringLiteral("Key1")), 0);
        QCOMPARE(l.IndexOfKey(QStringLiteral("Key5000")), 4998);
        QCOMPARE(l.IndexOfKey(QStringLiteral("Key9999")), n - 3);
        QCOMPARE(l.IndexOfText(QStringLiteral("Text 0")), 4998);
        QCOMPARE(l.IndexOfText(QStringLiteral("Text 4998")), 4997);
        QCOMPARE(l.IndexOfText(QStringLiteral("Text 4999")), n - 3);
        l.SetText(l.IndexOfKey(QStringLiteral("Key9999")), QStringLiteral("Neu"));
        QCOMPARE(l.IndexOfText(QStringLiteral("neu")), n - 3);
        QCOMPARE(l.IndexOfText(QStringLiteral("Text 4999")), -1);
        QVERIFY(l.AddKey(QStringLiteral("Key0"), QStringLiteral("wieder da")));
        QCOMPARE(l.IndexOfKey(QStringLiteral("KEY0")), n - 2);
        QCOMPARE(l.SuchePraefix(QStringLiteral("WIEDER"), 0), n - 2);
        l.Clear();
        QCOMPARE(l.IndexOfKey(QStringLiteral("Key1")), -1);
        QCOMPARE(l.IndexOfText(QStringLiteral("Text 1")), -1);
    }
};

KEL_TEST_MAIN(KeyListTest)
#include "keylist_test.moc"
