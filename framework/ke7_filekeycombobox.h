#pragma once

#include "framework/ke7_keycombopanel.h"

// File picker with remembered files: the "..." button ("Datei wählen") opens the file
// chooser (title kelDlgCaption, pattern kelDlgJoker) at the current key; the chosen file's
// full path is added and selected.
class TkelFileKeyComboBox : public TkelKeyComboPanel
{
    Q_OBJECT
public:
    explicit TkelFileKeyComboBox(QWidget *parent = nullptr, TkelUiServices *ui = nullptr);

    QString FileName() const { return Key(); }
    // Adds the path when it is missing, then selects it. An empty path only clears the
    // selection; it never becomes an entry.
    void SetFileName(const QString &pfad);

    QString kelDlgCaption() const { return m_caption; }
    void setKelDlgCaption(const QString &text) { m_caption = text; }
    QString kelDlgJoker() const { return m_joker; }
    void setKelDlgJoker(const QString &muster) { m_joker = muster; }

protected:
    bool Auswaehlen(QString &pfad) override;
    QString Wert() const override { return FileName(); }
    void WertSetzen(const QString &wert) override { SetFileName(wert); }

private:
    QString m_caption = QStringLiteral("Datei öffnen");
    QString m_joker = QStringLiteral("*.*");
};
