#pragma once

#include "framework/ke7_uiservices.h"

#include <QLineEdit>

class QAction;

// A line edit with a button inside at its right end that opens a chooser; the text is the
// value. The button shows the glyph `icons/<glyphe>0.png` (normal), `1` (disabled) and `2`
// (hot) that ship with the program, and is enabled exactly when the edit is.
class TpexCustomButtonedEdit : public QLineEdit
{
    Q_OBJECT
public:
    QAction *Knopf() const { return m_knopf; }

    // Without UI services the choosers are the real dialogs.
    void setUiServices(TkelUiServices *ui) { m_ui = ui; }

    // Opens the chooser as the button does.
    void Waehlen() { KnopfGeklickt(); }

protected:
    TpexCustomButtonedEdit(const QString &glyphe, QWidget *parent, TkelUiServices *ui);

    TkelUiServices &ui();
    virtual void KnopfGeklickt() = 0;
    void changeEvent(QEvent *event) override;

private:
    QAction *m_knopf;
    TkelUiServices *m_ui;
};
