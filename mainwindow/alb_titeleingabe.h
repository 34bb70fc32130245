#pragma once

#include "framework/d_formf2.h"

class QGroupBox;
class TpexEdit;

// The title dialog: one line for the title of a photo series, "Speichern" (F2) and
// "Abbruch" (Esc). Its position and size are remembered in the section Tam_TitelEingabe.
class Tam_TitelEingabe : public Td_FormF2
{
    Q_OBJECT
public:
    explicit Tam_TitelEingabe(QWidget *parent = nullptr);

    // Shows the dialog modally with `caption` as window title and `titel` in the edit, whole
    // text selected. On "Speichern" `titel` becomes the edit's text and the result is true;
    // on "Abbruch" `titel` stays unchanged and the result is false.
    bool TitelAbfragen(const QString &caption, QString &titel);

    QGroupBox *const gb_Titel;
    TpexEdit *const ed_Titel;

protected:
    bool event(QEvent *e) override;

private:
    bool m_auswahlOffen = false;
};

// The program's one title dialog, created on first use as a child of the main window
// (Hauptfenster), so it lives until the program ends.
Tam_TitelEingabe *am_TitelEingabe();
