#pragma once

#include "framework/pexbuttonedit.h"

// Settings of the folder chooser of a TpexDirectoryEdit.
struct TpexDirectoryDlg
{
    QString Caption; // title of the chooser
    QString RootDir; // where the chooser starts; empty: the folder in the edit, if any
};

// Line edit for a folder: its button opens the folder chooser; a chosen folder becomes the
// text, as a full path without trailing '/'. Cancel changes nothing.
class TpexDirectoryEdit : public TpexCustomButtonedEdit
{
    Q_OBJECT
public:
    explicit TpexDirectoryEdit(QWidget *parent = nullptr, TkelUiServices *ui = nullptr);

    TpexDirectoryDlg &Dialog() { return m_dialog; }
    const TpexDirectoryDlg &Dialog() const { return m_dialog; }

protected:
    void KnopfGeklickt() override;

private:
    TpexDirectoryDlg m_dialog;
};
