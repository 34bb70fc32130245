#include "framework/ke7_groupbox.h"

Tkel_Groupbox::Tkel_Groupbox(QWidget *parent)
    : Tkel_Groupbox(QString(), parent)
{ }

Tkel_Groupbox::Tkel_Groupbox(const QString &titel, QWidget *parent)
    : QGroupBox(titel, parent)
{
    // QGroupBox enables and disables its children with the check state, also those added later.
    setCheckable(true);
    setChecked(true);
}
