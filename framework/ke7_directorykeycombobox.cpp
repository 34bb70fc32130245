#include "framework/ke7_directorykeycombobox.h"

#include "framework/ke7_sys.h"

TkelDirectoryKeyComboBox::TkelDirectoryKeyComboBox(QWidget *parent, TkelUiServices *ui)
    : TkelKeyComboPanel(QStringLiteral("Verzeichnis wählen"), parent, ui)
{ }

QString TkelDirectoryKeyComboBox::Directory() const
{
    QString d = Key();
    if (!d.isEmpty() && !d.endsWith(QLatin1Char('/')))
        d += QLatin1Char('/');
    return d;
}

bool TkelDirectoryKeyComboBox::Auswaehlen(QString &pfad)
{
    return VerzeichnisWaehlen(ui(), pfad);
}
