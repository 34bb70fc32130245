#pragma once

#include "framework/ke7_uiservices.h"

#include <QQueue>
#include <QStringList>
#include <functional>

// Scripted user: answers questions and dialogs from queues and records what it was shown.
class FakeUiServices : public TkelUiServices
{
public:
    struct Box {
        Art art;
        QString text;
    };

    QList<Box> boxes;          // every message and question, in order
    int beeps = 0;
    QString clipboard;
    QQueue<bool> antworten;    // answers to frage(); empty queue answers "Nein"
    // Answers to the file/folder dialogs: an empty optional (queue empty) cancels.
    QQueue<QString> dateiAntworten;
    QQueue<QString> verzeichnisAntworten;
    QQueue<QFont> schriftAntworten;
    QStringList hinweise;
    int warteCursorTiefe = 0;
    QStringList dialogTitel;   // titles of the file/folder dialogs that were opened
    std::function<void()> beiEreignissen;   // run from ereignisseVerarbeiten()

    void nachricht(Art art, const QString &text) override { boxes.append({art, text}); }
    bool frage(const QString &text) override
    {
        boxes.append({Art::Frage, text});
        return antworten.isEmpty() ? false : antworten.dequeue();
    }
    void beep() override { ++beeps; }
    void setClipboardText(const QString &text) override { clipboard = text; }
    QString clipboardText() const override { return clipboard; }
    bool dateiOeffnen(const QString &titel, const QString &, const QString &, QString &path) override
    {
        return datei(titel, path);
    }
    bool dateiSpeichern(const QString &titel, const QString &, const QString &, QString &path) override
    {
        return datei(titel, path);
    }
    bool verzeichnisWaehlen(const QString &titel, QString &folder) override
    {
        dialogTitel.append(titel);
        if (verzeichnisAntworten.isEmpty())
            return false;
        folder = verzeichnisAntworten.dequeue();
        return true;
    }
    bool schriftWaehlen(QFont &font) override
    {
        if (schriftAntworten.isEmpty())
            return false;
        font = schriftAntworten.dequeue();
        return true;
    }
    void setWarteCursor(bool an) override { warteCursorTiefe += an ? 1 : -1; }
    void setHinweis(const QString &text) override { hinweise.append(text); }
    void ereignisseVerarbeiten() override
    {
        if (beiEreignissen)
            beiEreignissen();
    }

    QStringList texte() const
    {
        QStringList l;
        for (const Box &b : boxes)
            l.append(b.text);
        return l;
    }
    QString letzterText() const { return boxes.isEmpty() ? QString() : boxes.constLast().text; }

private:
    bool datei(const QString &titel, QString &path)
    {
        dialogTitel.append(titel);
        if (dateiAntworten.isEmpty())
            return false;
        path = dateiAntworten.dequeue();
        return true;
    }
};
