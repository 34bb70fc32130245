#pragma once

#include "framework/pexform.h"

class QAction;
class QPushButton;
class TkelParameter;

// The OK/Cancel dialog: a content area (pa_Client) above a 30-pixel button bar with
// "Speichern" (F2, result Accepted) and "Abbruch" (Esc, result Rejected). PAR remembers the
// dialog's position and size in the section of its class; a derived dialog sets
// PAR->setTagInclusive(99) to persist its controls as well.
//
// PAR loads once: when the derived constructor calls EinstellungenLaden(), else on the
// OnAfterCreate notification or before the dialog is first shown, whichever comes first.
// It saves whenever the dialog is closed with a result (OK, Cancel or the window's close
// button); a derived dialog that wants to save at destruction calls PAR->Speichern() in its
// own destructor.
class TFormF2Basis : public TPexForm
{
    Q_OBJECT
public:
    // Loads PAR unless it was loaded already. Called at the end of a derived constructor
    // when the loaded values are needed at once.
    void EinstellungenLaden();
    bool EinstellungenGeladen() const { return m_geladen; }

    void setVisible(bool sichtbar) override;
    void done(int ergebnis) override;

    QWidget *const pa_Client;
    QWidget *const pa_button;
    QWidget *const pa_ButtonRight;
    QAction *const ax_OK;
    QAction *const ax_Cancel;
    QPushButton *const bb_OK;
    QPushButton *const bb_Cancel;
    TkelParameter *const PAR;

protected:
    explicit TFormF2Basis(QWidget *parent);

private:
    bool m_geladen = false;
};

// The OK/Cancel base of the title dialog.
class Td_FormF2 : public TFormF2Basis
{
    Q_OBJECT
public:
    explicit Td_FormF2(QWidget *parent = nullptr);
};
