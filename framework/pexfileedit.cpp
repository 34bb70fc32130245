#include "framework/pexfileedit.h"

#include "framework/ke7_sys.h"

TpexFileEdit::TpexFileEdit(QWidget *parent, TkelUiServices *ui)
    : TpexCustomButtonedEdit(QStringLiteral("file"), parent, ui)
{ }

void TpexFileEdit::KnopfGeklickt()
{
    // The dialog starts in the folder of the file given, when that folder exists.
    QString pfad = text();
    if (DateiOeffnenDialog(ui(), m_dialog.Title, m_dialog.Filter, pfad))
        setText(pfad);
}
