#include "framework/ke7_parameter.h"

#include "framework/ke7_date.h"
#include "framework/ke7_groupbox.h"
#include "framework/ke7_parameterclient.h"
#include "framework/ke7_radiogroup.h"
#include "framework/ke7_str.h"
#include "framework/pex_inishared.h"
#include "framework/pexform.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDateEdit>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QSpinBox>
#include <QTextEdit>
#include <QToolButton>

#include <optional>

namespace {

const char *const TagProperty = "Tag";
const QString Standard = QStringLiteral("Standard");
// Default of list-line reads that marks a missing key.
const QString ListenEnde = QStringLiteral("@#@");

const QString kMaximized = QStringLiteral("__MAXIMIZED");
const QString kAlignLeft = QStringLiteral("__ALIGNLEFT");
const QString kAlignRight = QStringLiteral("__ALIGNRIGHT");
const QString kTop = QStringLiteral("__TOP");
const QString kLeft = QStringLiteral("__LEFT");
const QString kWidth = QStringLiteral("__WIDTH");
const QString kHeight = QStringLiteral("__HEIGHT");

std::optional<QStringList> &kommandozeile()
{
    static std::optional<QStringList> parameter;
    return parameter;
}

bool hatEigenenParameter(const QWidget *w)
{
    for (const QObject *kind : w->children()) {
        if (qobject_cast<const TkelParameter *>(kind))
            return true;
    }
    return false;
}

// Only plain containers are looked into: the parts of compound controls, other windows and
// panels that persist themselves belong to someone else.
bool hineinschauen(QObject *o)
{
    auto *w = qobject_cast<QWidget *>(o);
    if (!w || w->isWindow())
        return false;
    if (dynamic_cast<TkelParameterClient *>(o))
        return false;
    if (qobject_cast<TkelRadioGroup *>(w) || qobject_cast<QAbstractSpinBox *>(w) || qobject_cast<QComboBox *>(w)
        || qobject_cast<QLineEdit *>(w) || qobject_cast<QAbstractButton *>(w))
        return false;
    if (qobject_cast<QAbstractScrollArea *>(w) && !qobject_cast<QScrollArea *>(w))
        return false;
    return !hatEigenenParameter(w);
}

void sammeln(QObject *eltern, QList<QObject *> &liste)
{
    for (QObject *kind : eltern->children()) {
        if (qobject_cast<TkelParameter *>(kind))
            continue;
        const QString name = kind->objectName();
        if (!name.isEmpty() && !name.startsWith(QLatin1String("qt_")))
            liste.append(kind);
        if (hineinschauen(kind))
            sammeln(kind, liste);
    }
}

bool flagLesen(const TpexIniFile &ini, const QString &section, const QString &key, bool def)
{
    return ini.readInteger(section, key, def ? 1 : 0) != 0;
}

void flagSchreiben(TpexIniFile &ini, const QString &section, const QString &key, bool wert)
{
    ini.writeInteger(section, key, wert ? 1 : 0);
}

QStringList listeLesen(const TpexIniFile &ini, const QString &section, const QString &name)
{
    QStringList zeilen;
    for (int i = 0;; ++i) {
        const QString zeile = ini.readString(section, name + QLatin1Char('_') + QString::number(i), ListenEnde);
        if (zeile == ListenEnde)
            break;
        zeilen.append(zeile);
    }
    return zeilen;
}

void listeSchreiben(TpexIniFile &ini, const QString &section, const QString &name, const QStringList &zeilen)
{
    for (int i = 0; i < zeilen.size(); ++i)
        ini.writeString(section, name + QLatin1Char('_') + QString::number(i), zeilen.at(i));
}

// Lines of a memo: a final line break does not start another line.
QStringList memoZeilen(const QString &text)
{
    if (text.isEmpty())
        return {};
    QStringList zeilen = text.split(QLatin1Char('\n'));
    if (zeilen.last().isEmpty())
        zeilen.removeLast();
    return zeilen;
}

QStringList listenZeilen(const QListWidget *liste)
{
    QStringList zeilen;
    for (int i = 0; i < liste->count(); ++i)
        zeilen.append(liste->item(i)->text());
    return zeilen;
}

QLocale deutsch()
{
    QLocale l(QLocale::German, QLocale::Germany);
    l.setNumberOptions(QLocale::OmitGroupSeparator);
    return l;
}

void radioSetzen(QRadioButton *b, bool an)
{
    if (an || !b->isChecked() || !b->autoExclusive()) {
        b->setChecked(an);
        return;
    }
    // An auto-exclusive button cannot be switched off directly.
    b->setAutoExclusive(false);
    b->setChecked(false);
    b->setAutoExclusive(true);
}

} // namespace

void setTag(QObject *control, int t)
{
    control->setProperty(TagProperty, t);
}

int tag(const QObject *control)
{
    return control->property(TagProperty).toInt();
}

TkelParameter::TkelParameter(QWidget *owner)
    : QObject(owner)
{ }

QWidget *TkelParameter::Owner() const
{
    return qobject_cast<QWidget *>(parent());
}

bool TkelParameter::Persistiert(int tagInclusive, int tagExclusive, int t)
{
    if (tagExclusive == 0 && tagInclusive == 0)
        return false;
    if (tagInclusive != 0 && t == tagInclusive)
        return true;
    return tagExclusive != 0 && t != tagExclusive;
}

bool TkelParameter::IstPersistiert(const QObject *control) const
{
    return Persistiert(m_tagInclusive, m_tagExclusive, tag(control));
}

QList<QObject *> TkelParameter::Kandidaten() const
{
    QList<QObject *> liste;
    if (QWidget *owner = Owner())
        sammeln(owner, liste);
    return liste;
}

QString TkelParameter::SectionName() const
{
    const QWidget *owner = Owner();
    return owner ? QString::fromLatin1(owner->metaObject()->className()) : QString();
}

QString TkelParameter::abschnitt() const
{
    const QString s = SectionName();
    return s.isEmpty() ? Standard : s;
}

QString TkelParameter::IniDateiName() const
{
    return m_dateiName.isEmpty() ? SharedIniFileName() : m_dateiName;
}

TpexIniFile &TkelParameter::ini(std::unique_ptr<TpexIniFile> &privat) const
{
    const QString datei = TrimBlanks(m_dateiName);
    if (datei.isEmpty())
        return SharedIniFile();
    privat = std::make_unique<TpexIniFile>(datei);
    return *privat;
}

// ---- Laden / Speichern ------------------------------------------------------------------

void TkelParameter::Laden()
{
    QWidget *owner = Owner();
    if (!owner)
        return;
    const QString privatDatei = TrimBlanks(m_dateiName);
    if (!privatDatei.isEmpty() && !QFileInfo(privatDatei).isFile())
        return;
    emit OnBeforeLaden();
    const QString section = abschnitt();
    std::unique_ptr<TpexIniFile> privat;
    TpexIniFile &datei = ini(privat);
    if (m_formPosSizeSave && owner->isWindow())
        geometrieLaden(datei, section);
    const QList<QObject *> controls = Kandidaten();
    for (QObject *control : controls) {
        if (!IstPersistiert(control))
            continue;
        controlLaden(datei, section, control);
        LadenComponent(datei, control, section);
    }
    emit OnLaden();
    privat.reset();
    emit OnAfterLaden();
}

void TkelParameter::Speichern()
{
    QWidget *owner = Owner();
    if (!owner)
        return;
    emit OnBeforeSpeichern();
    const QString section = abschnitt();
    std::unique_ptr<TpexIniFile> privat;
    TpexIniFile &datei = ini(privat);
    const bool geometrie = m_formPosSizeSave && owner->isWindow();
    // With the 800x600 switch the main window's stored bounds are neither used nor replaced,
    // so they must survive the erase of the section.
    QList<QPair<QString, QString>> behalten;
    if (geometrie && Ist8X6() && owner == Hauptfenster()) {
        for (const QString &key : { kMaximized, kAlignLeft, kAlignRight, kTop, kLeft, kWidth, kHeight }) {
            if (datei.valueExists(section, key))
                behalten.append({ key, datei.readString(section, key, QString()) });
        }
    }
    datei.eraseSection(section);
    // Every key of the window in one durable write rather than one per key.
    struct Sammlung
    {
        TpexIniFile &datei;
        ~Sammlung()
        {
            if (!abgeschlossen)
                datei.SammelnVerwerfen();
        }
        bool abgeschlossen = false;
    } sammlung { datei };
    datei.SammelnBeginnen();
    for (const auto &[key, wert] : std::as_const(behalten))
        datei.writeString(section, key, wert);
    if (geometrie)
        geometrieSpeichern(datei, section);
    const QList<QObject *> controls = Kandidaten();
    for (QObject *control : controls) {
        if (!IstPersistiert(control))
            continue;
        controlSpeichern(datei, section, control);
        SpeichernComponent(datei, control, section);
    }
    sammlung.abgeschlossen = true;
    datei.SammelnAbschliessen();
    emit OnSpeichern();
    emit OnAfterSpeichern();
}

void TkelParameter::SpeichernComponent(TpexIniFile &, QObject *, const QString &) { }

void TkelParameter::LadenComponent(TpexIniFile &, QObject *, const QString &) { }

// ---- Geometry ---------------------------------------------------------------------------

void TkelParameter::geometrieLaden(TpexIniFile &ini, const QString &section)
{
    QWidget *owner = Owner();
    if (Ist8X6() && (owner == Hauptfenster() || !Hauptfenster())) {
        owner->setWindowState(
            owner->windowState() & ~(Qt::WindowMaximized | Qt::WindowFullScreen | Qt::WindowMinimized));
        owner->resize(800, 600);
        QScreen *schirm = owner->screen() ? owner->screen() : QGuiApplication::primaryScreen();
        if (!owner->isVisible() && schirm) {
            const QRect frei = schirm->availableGeometry();
            owner->move(frei.x() + (frei.width() - 800) / 2, frei.y() + (frei.height() - 600) / 2);
        }
        return;
    }
    if (flagLesen(ini, section, kMaximized, owner->isMaximized())) {
        owner->setWindowState((owner->windowState() & ~Qt::WindowMinimized) | Qt::WindowMaximized);
        return;
    }
    // Qt windows cannot be docked to a screen edge; the two align flags are only written.
    const int top = ini.readInteger(section, kTop, owner->y());
    const int left = ini.readInteger(section, kLeft, owner->x());
    const int breite = ini.readInteger(section, kWidth, owner->width());
    const int hoehe = ini.readInteger(section, kHeight, owner->height());
    // Moving only on a stored position leaves a dialog without one to be centred by Qt.
    if (QPoint(left, top) != owner->pos())
        owner->move(left, top);
    if (QSize(breite, hoehe) != owner->size())
        owner->resize(breite, hoehe);
}

void TkelParameter::geometrieSpeichern(TpexIniFile &ini, const QString &section)
{
    QWidget *owner = Owner();
    if (Ist8X6() && owner == Hauptfenster())
        return;
    const bool maximiert = owner->isMaximized();
    flagSchreiben(ini, section, kMaximized, maximiert);
    flagSchreiben(ini, section, kAlignLeft, false);
    flagSchreiben(ini, section, kAlignRight, false);
    if (maximiert)
        return;
    ini.writeInteger(section, kTop, owner->y());
    ini.writeInteger(section, kLeft, owner->x());
    ini.writeInteger(section, kWidth, owner->width());
    ini.writeInteger(section, kHeight, owner->height());
}

// ---- Controls ---------------------------------------------------------------------------

void TkelParameter::controlLaden(TpexIniFile &ini, const QString &section, QObject *control)
{
    const QString name = control->objectName();
    if (auto *client = dynamic_cast<TkelParameterClient *>(control)) {
        client->parLaden(ini, section, name);
    } else if (auto *memo = qobject_cast<QPlainTextEdit *>(control)) {
        memo->setPlainText(listeLesen(ini, section, name).join(QLatin1Char('\n')));
    } else if (auto *memo2 = qobject_cast<QTextEdit *>(control)) {
        memo2->setPlainText(listeLesen(ini, section, name).join(QLatin1Char('\n')));
    } else if (auto *edit = qobject_cast<QLineEdit *>(control)) {
        edit->setText(ini.readString(section, name, edit->text()));
    } else if (auto *datum = qobject_cast<QDateEdit *>(control)) {
        const QDate d = DatumLesen(ini.readString(section, name, QString()));
        if (d.isValid())
            datum->setDate(d);
    } else if (auto *zahl = qobject_cast<QDoubleSpinBox *>(control)) {
        bool ok = false;
        const double wert = deutsch().toDouble(ini.readString(section, name, QString()), &ok);
        if (ok)
            zahl->setValue(wert);
    } else if (auto *gruppe = qobject_cast<TkelRadioGroup *>(control)) {
        gruppe->setItemIndex(ini.readInteger(section, name, gruppe->ItemIndex()));
    } else if (auto *spin = qobject_cast<QSpinBox *>(control)) {
        spin->setValue(ini.readInteger(section, name, spin->value()));
    } else if (auto *box = qobject_cast<Tkel_Groupbox *>(control)) {
        box->setChecked(flagLesen(ini, section, name, box->isChecked()));
    } else if (auto *check = qobject_cast<QCheckBox *>(control)) {
        check->setChecked(flagLesen(ini, section, name, check->isChecked()));
    } else if (auto *radio = qobject_cast<QRadioButton *>(control)) {
        radioSetzen(radio, flagLesen(ini, section, name, radio->isChecked()));
    } else if (auto *knopf = qobject_cast<QToolButton *>(control)) {
        if (knopf->isCheckable())
            knopf->setChecked(flagLesen(ini, section, name, knopf->isChecked()));
    } else if (auto *combo = qobject_cast<QComboBox *>(control)) {
        combo->setCurrentIndex(ini.readInteger(section, name, combo->currentIndex()));
    } else if (auto *liste = qobject_cast<QListWidget *>(control)) {
        liste->clear();
        liste->addItems(listeLesen(ini, section, name));
        liste->setCurrentRow(ini.readInteger(section, name, liste->currentRow()));
    }
}

void TkelParameter::controlSpeichern(TpexIniFile &ini, const QString &section, QObject *control)
{
    const QString name = control->objectName();
    if (auto *client = dynamic_cast<TkelParameterClient *>(control)) {
        client->parSpeichern(ini, section, name);
    } else if (auto *memo = qobject_cast<QPlainTextEdit *>(control)) {
        listeSchreiben(ini, section, name, memoZeilen(memo->toPlainText()));
    } else if (auto *memo2 = qobject_cast<QTextEdit *>(control)) {
        listeSchreiben(ini, section, name, memoZeilen(memo2->toPlainText()));
    } else if (auto *edit = qobject_cast<QLineEdit *>(control)) {
        ini.writeString(section, name, edit->text());
    } else if (auto *datum = qobject_cast<QDateEdit *>(control)) {
        ini.writeString(section, name, DatumText(datum->date()));
    } else if (auto *zahl = qobject_cast<QDoubleSpinBox *>(control)) {
        ini.writeString(section, name, deutsch().toString(zahl->value(), 'g', 15));
    } else if (auto *gruppe = qobject_cast<TkelRadioGroup *>(control)) {
        ini.writeInteger(section, name, gruppe->ItemIndex());
    } else if (auto *spin = qobject_cast<QSpinBox *>(control)) {
        ini.writeInteger(section, name, spin->value());
    } else if (auto *box = qobject_cast<Tkel_Groupbox *>(control)) {
        flagSchreiben(ini, section, name, box->isChecked());
    } else if (auto *check = qobject_cast<QCheckBox *>(control)) {
        flagSchreiben(ini, section, name, check->isChecked());
    } else if (auto *radio = qobject_cast<QRadioButton *>(control)) {
        flagSchreiben(ini, section, name, radio->isChecked());
    } else if (auto *knopf = qobject_cast<QToolButton *>(control)) {
        if (knopf->isCheckable())
            flagSchreiben(ini, section, name, knopf->isChecked());
    } else if (auto *combo = qobject_cast<QComboBox *>(control)) {
        ini.writeInteger(section, name, combo->currentIndex());
    } else if (auto *liste = qobject_cast<QListWidget *>(control)) {
        ini.writeInteger(section, name, liste->currentRow());
        listeSchreiben(ini, section, name, listenZeilen(liste));
    }
}

// ---- Single values ----------------------------------------------------------------------

QString TkelParameter::ReadString(const QString &key, const QString &def) const
{
    const QString section = SectionName();
    if (key.isEmpty() || section.isEmpty())
        return def;
    std::unique_ptr<TpexIniFile> privat;
    return ini(privat).readString(section, key, def);
}

void TkelParameter::WriteString(const QString &key, const QString &wert)
{
    const QString section = SectionName();
    if (key.isEmpty() || section.isEmpty())
        return;
    std::unique_ptr<TpexIniFile> privat;
    ini(privat).writeString(section, key, wert);
}

int TkelParameter::ReadInteger(const QString &key, int def) const
{
    const QString section = SectionName();
    if (key.isEmpty() || section.isEmpty())
        return def;
    std::unique_ptr<TpexIniFile> privat;
    return ini(privat).readInteger(section, key, def);
}

void TkelParameter::WriteInteger(const QString &key, int wert)
{
    const QString section = SectionName();
    if (key.isEmpty() || section.isEmpty())
        return;
    std::unique_ptr<TpexIniFile> privat;
    ini(privat).writeInteger(section, key, wert);
}

bool TkelParameter::ReadBool(const QString &key, bool def) const
{
    return IsJa(ReadString(key, JaNein(def)));
}

void TkelParameter::WriteBool(const QString &key, bool wert)
{
    WriteString(key, JaNein(wert));
}

void TkelParameter::LoadWidth(QWidget *control)
{
    if (!control)
        return;
    control->resize(ReadInteger(control->objectName() + kWidth, control->width()), control->height());
}

void TkelParameter::SaveWidth(QWidget *control)
{
    if (!control)
        return;
    WriteInteger(control->objectName() + kWidth, control->width());
}

void TkelParameter::LoadFont(const QString &key, QFont *font)
{
    StringToFont(ReadString(key, QString()), font);
}

void TkelParameter::LoadFont(const QString &key, TkelSchrift *schrift)
{
    StringToFont(ReadString(key, QString()), schrift);
}

void TkelParameter::SaveFont(const QString &key, const QFont *font)
{
    WriteString(key, FontToString(font));
}

void TkelParameter::SaveFont(const QString &key, const TkelSchrift *schrift)
{
    WriteString(key, FontToString(schrift));
}

// ---- 800x600 switch ---------------------------------------------------------------------

bool TkelParameter::Schalter8X6(const QStringList &parameter)
{
    for (const QString &p : parameter) {
        if (p.startsWith(QLatin1String("/8X6"), Qt::CaseInsensitive)
            || p.startsWith(QLatin1String("8X6"), Qt::CaseInsensitive))
            return true;
    }
    return false;
}

void TkelParameter::setKommandozeile(const QStringList &parameter)
{
    kommandozeile() = parameter;
}

bool TkelParameter::Ist8X6()
{
    if (!kommandozeile())
        return Schalter8X6(QCoreApplication::arguments().mid(1));
    return Schalter8X6(*kommandozeile());
}
