#include "framework/ke7_sysui.h"

#include "framework/ke7_directorykeycombobox.h"
#include "framework/pexdirectoryedit.h"

#include "framework/ke7_sys.h"

#include <QLineEdit>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTabWidget>

namespace {

bool nurBlanks(const QString &text)
{
    for (const QChar c : text) {
        if (c != QLatin1Char(' '))
            return false;
    }
    return true;
}

} // namespace

bool FeldLeerMelden(TkelUiServices &ui, const QString &feldname, QWidget *control, bool leer)
{
    if (!leer)
        return false;
    MeldungFmt(ui, QStringLiteral("Das Feld %s muss ausgefüllt werden."), { feldname });
    ControlFokus(control);
    return true;
}

bool FeldLeer(TkelUiServices &ui, const QString &feldname, QLineEdit *control)
{
    return FeldLeerMelden(ui, feldname, control, control && nurBlanks(control->text()));
}

bool FeldLeer(TkelUiServices &ui, const QString &feldname, QSpinBox *control)
{
    return FeldLeerMelden(ui, feldname, control, control && control->value() == 0);
}

bool FeldLeer(TkelUiServices &ui, const QString &feldname, TpexDirectoryEdit *control)
{
    return FeldLeerMelden(ui, feldname, control, control && control->text().isEmpty());
}

bool FeldLeer(TkelUiServices &ui, const QString &feldname, TkelDirectoryKeyComboBox *control)
{
    return FeldLeerMelden(ui, feldname, control, control && control->Directory().isEmpty());
}

void BreiteAnpassen(QWidget *control, std::optional<int> rand)
{
    if (!control || !control->parentWidget())
        return;
    const QRect client = control->parentWidget()->contentsRect();
    const int links = control->x() - client.left();
    const int breite = client.width() - links - rand.value_or(links);
    control->resize(qMax(0, breite), control->height());
}

void ControlFokus(QWidget *control)
{
    if (!control)
        return;
    for (QWidget *w = control; w && !w->isWindow(); w = w->parentWidget()) {
        // A tab widget keeps its pages in an internal stacked widget.
        auto *stapel = qobject_cast<QStackedWidget *>(w->parentWidget());
        auto *tabs = stapel ? qobject_cast<QTabWidget *>(stapel->parentWidget()) : nullptr;
        if (tabs) {
            const int index = tabs->indexOf(w);
            if (index >= 0)
                tabs->setCurrentIndex(index);
        }
    }
    if (control->isVisible() && control->isEnabled() && control->focusPolicy() != Qt::NoFocus)
        control->setFocus(Qt::OtherFocusReason);
}
