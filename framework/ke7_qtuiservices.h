#pragma once

#include "framework/ke7_uiservices.h"

#include <QPointer>

class QWidget;

// The real user interface: QMessageBox, QFileDialog (non-native), QFontDialog,
// QApplication::beep and the system clipboard.
class TkelQtUiServices : public TkelUiServices
{
public:
    // Boxes and dialogs are centred on `hauptfenster` once it is set.
    void setHauptfenster(QWidget *hauptfenster);
    QWidget *hauptfenster() const;

    void nachricht(Art art, const QString &text) override;
    bool frage(const QString &text) override;
    void beep() override;
    void setClipboardText(const QString &text) override;
    QString clipboardText() const override;
    bool dateiOeffnen(const QString &titel, const QString &filter, const QString &defaultSuffix,
                      QString &path) override;
    bool dateiSpeichern(const QString &titel, const QString &filter, const QString &defaultSuffix,
                        QString &path) override;
    bool verzeichnisWaehlen(const QString &titel, QString &folder) override;
    bool schriftWaehlen(QFont &font) override;
    void setWarteCursor(bool an) override;
    void setHinweis(const QString &text) override;
    void ereignisseVerarbeiten() override;

private:
    QWidget *parentWidget() const;
    bool dateiDialog(bool speichern, const QString &titel, const QString &filter, const QString &defaultSuffix,
                     QString &path);

    QPointer<QWidget> m_hauptfenster;
};
