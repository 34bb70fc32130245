#include "framework/pexdirectoryedit.h"

#include <QDir>
#include <QFileInfo>

TpexDirectoryEdit::TpexDirectoryEdit(QWidget *parent, TkelUiServices *ui)
    : TpexCustomButtonedEdit(QStringLiteral("dir"), parent, ui)
{ }

void TpexDirectoryEdit::KnopfGeklickt()
{
    QString ordner = m_dialog.RootDir;
    if (ordner.isEmpty() && !text().isEmpty() && QFileInfo(text()).isDir())
        ordner = text();
    if (!ui().verzeichnisWaehlen(m_dialog.Caption, ordner))
        return;
    // The chooser hands folders back with '/', the edit holds them without.
    QString pfad = QDir::cleanPath(ordner);
    setText(pfad);
}
