#pragma once

#include <QFont>
#include <QString>

// Everything that asks or tells the user goes through this interface: message boxes,
// file, folder and font dialogs, the beep, the clipboard, the busy cursor and the
// application hint. The core only knows this interface; the widgets layer supplies the
// real implementation and the tests a scripted fake that records every text and beep.
class TkelUiServices
{
public:
    enum class Art { Information, Fehler, Frage };

    virtual ~TkelUiServices();

    // Modal box with an OK button. `Fehler` shows an error icon; the beep that the
    // error box sounds first is the caller's (see Fehlermeldung).
    virtual void nachricht(Art art, const QString &text) = 0;
    // Modal Yes/No question, "Nein" is the default button. True for "Ja".
    virtual bool frage(const QString &text) = 0;
    virtual void beep() = 0;

    virtual void setClipboardText(const QString &text) = 0;
    virtual QString clipboardText() const = 0;

    // File dialogs: `filter` is a Qt name filter ("*.kelAlbum"), `defaultSuffix` without dot.
    // They return true when the user confirmed; only then is `path` changed.
    virtual bool dateiOeffnen(const QString &titel, const QString &filter, const QString &defaultSuffix,
                              QString &path) = 0;
    virtual bool dateiSpeichern(const QString &titel, const QString &filter, const QString &defaultSuffix,
                                QString &path) = 0;
    // Folder chooser; `folder` comes back with a trailing '/'.
    virtual bool verzeichnisWaehlen(const QString &titel, QString &folder) = 0;
    virtual bool schriftWaehlen(QFont &font) = 0;

    // Busy indication and status hint.
    virtual void setWarteCursor(bool an) = 0;
    virtual void setHinweis(const QString &text) = 0;
    // Lets pending window events run (paint, input), as the long commands do between steps.
    virtual void ereignisseVerarbeiten() = 0;
};
