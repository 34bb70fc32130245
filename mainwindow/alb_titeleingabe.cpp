#include "mainwindow/alb_titeleingabe.h"

#include "framework/pexedit.h"
#include "framework/pexform.h"

#include <QEvent>
#include <QGroupBox>
#include <QPointer>
#include <QVBoxLayout>

Tam_TitelEingabe::Tam_TitelEingabe(QWidget *parent)
    : Td_FormF2(parent)
    , gb_Titel(new QGroupBox(QStringLiteral("Titel zu Fotoserie eingeben:"), pa_Client))
    , ed_Titel(new TpexEdit(gb_Titel))
{
    setObjectName(QStringLiteral("am_TitelEingabe"));
    gb_Titel->setObjectName(QStringLiteral("gb_Titel"));
    ed_Titel->setObjectName(QStringLiteral("ed_Titel"));

    auto *client = new QVBoxLayout(pa_Client);
    client->setContentsMargins(8, 4, 8, 4);
    client->addWidget(gb_Titel);
    client->addStretch(1);
    auto *rahmen = new QVBoxLayout(gb_Titel);
    rahmen->setContentsMargins(6, 4, 6, 6);
    rahmen->addWidget(ed_Titel);

    resize(473, 118);
}

bool Tam_TitelEingabe::TitelAbfragen(const QString &caption, QString &titel)
{
    setWindowTitle(caption);
    ed_Titel->setText(titel);
    ed_Titel->setFocus(Qt::OtherFocusReason);
    ed_Titel->selectAll();
    m_auswahlOffen = true;
    if (exec() != QDialog::Accepted)
        return false;
    titel = ed_Titel->text();
    return true;
}

bool Tam_TitelEingabe::event(QEvent *e)
{
    const bool ergebnis = Td_FormF2::event(e);
    // When the dialog comes up, typing replaces the whole title; later activations (back
    // from another program) leave the user's cursor where it was.
    if (e->type() == QEvent::WindowActivate && m_auswahlOffen) {
        m_auswahlOffen = false;
        ed_Titel->setFocus(Qt::ActiveWindowFocusReason);
        ed_Titel->selectAll();
    }
    return ergebnis;
}

Tam_TitelEingabe *am_TitelEingabe()
{
    static QPointer<Tam_TitelEingabe> dialog;
    if (!dialog)
        dialog = new Tam_TitelEingabe(Hauptfenster());
    return dialog;
}
