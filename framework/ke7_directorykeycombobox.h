#pragma once

#include "framework/ke7_keycombopanel.h"

// Folder picker with remembered folders: the "..." button ("Verzeichnis wählen") opens the
// folder chooser at the current key; a chosen folder (with trailing '/') is added and selected.
class TkelDirectoryKeyComboBox : public TkelKeyComboPanel
{
    Q_OBJECT
public:
    explicit TkelDirectoryKeyComboBox(QWidget *parent = nullptr, TkelUiServices *ui = nullptr);

    // AddKey(pfad, pfad).
    void AddDirectory(const QString &pfad) { AddKey(pfad, pfad); }
    // The current key with '/' appended when it is not empty and has none.
    QString Directory() const;
    // Selects only a folder already in the list (ignoring letter case), given exactly as
    // stored: "/a/b/" does not match the key "/a/b".
    void SetDirectory(const QString &pfad) { Combo()->SetKey(pfad); }

protected:
    bool Auswaehlen(QString &pfad) override;
    QString Wert() const override { return Directory(); }
    void WertSetzen(const QString &wert) override { SetDirectory(wert); }
};
