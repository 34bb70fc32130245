#pragma once

#include "framework/pexbuttonedit.h"

// Settings of the file-open dialog of a TpexFileEdit.
struct TpexFileDlg
{
    QString Title = QStringLiteral("Datei öffnen");
    QString Filter = QStringLiteral("*.*"); // one pattern; ".txt" is taken as "*.txt"
};

// Line edit for a file: its button opens the file-open dialog, starting in the folder of
// the file in the edit when that folder exists; the chosen file's full path becomes the text.
class TpexFileEdit : public TpexCustomButtonedEdit
{
    Q_OBJECT
public:
    explicit TpexFileEdit(QWidget *parent = nullptr, TkelUiServices *ui = nullptr);

    TpexFileDlg &Dialog() { return m_dialog; }
    const TpexFileDlg &Dialog() const { return m_dialog; }

protected:
    void KnopfGeklickt() override;

private:
    TpexFileDlg m_dialog;
};
