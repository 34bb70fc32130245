#include "framework/ke7_qtuiservices.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QMessageBox>
#include <QStatusTipEvent>

// Boxes carry the program's name; the spec's texts use "\r" as line break.
static QString boxText(const QString &text)
{
    QString t = text;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return t;
}

void TkelQtUiServices::setHauptfenster(QWidget *hauptfenster)
{
    m_hauptfenster = hauptfenster;
}

QWidget *TkelQtUiServices::hauptfenster() const
{
    return m_hauptfenster;
}

QWidget *TkelQtUiServices::parentWidget() const
{
    if (QWidget *w = QApplication::activeModalWidget())
        return w;
    if (m_hauptfenster)
        return m_hauptfenster;
    return QApplication::activeWindow();
}

void TkelQtUiServices::nachricht(Art art, const QString &text)
{
    QMessageBox box(parentWidget());
    box.setWindowTitle(QApplication::applicationDisplayName());
    box.setIcon(art == Art::Fehler ? QMessageBox::Critical : QMessageBox::Information);
    box.setText(boxText(text));
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
}

bool TkelQtUiServices::frage(const QString &text)
{
    QMessageBox box(parentWidget());
    box.setWindowTitle(QApplication::applicationDisplayName());
    box.setIcon(QMessageBox::Question);
    box.setText(boxText(text));
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

void TkelQtUiServices::beep()
{
    QApplication::beep();
}

void TkelQtUiServices::setClipboardText(const QString &text)
{
    QApplication::clipboard()->setText(text);
}

QString TkelQtUiServices::clipboardText() const
{
    return QApplication::clipboard()->text();
}

bool TkelQtUiServices::dateiDialog(bool speichern, const QString &titel, const QString &filter,
                                   const QString &defaultSuffix, QString &path)
{
    QFileDialog dlg(parentWidget(), titel);
    dlg.setOption(QFileDialog::DontUseNativeDialog);
    dlg.setAcceptMode(speichern ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dlg.setFileMode(speichern ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (!filter.isEmpty())
        dlg.setNameFilter(filter);
    if (!defaultSuffix.isEmpty())
        dlg.setDefaultSuffix(defaultSuffix);
    const QFileInfo fi(path);
    if (!path.isEmpty() && fi.dir().exists())
        dlg.setDirectory(fi.absolutePath());
    if (!path.isEmpty())
        dlg.selectFile(fi.fileName());
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return false;
    path = dlg.selectedFiles().constFirst();
    return true;
}

bool TkelQtUiServices::dateiOeffnen(const QString &titel, const QString &filter, const QString &defaultSuffix,
                                    QString &path)
{
    return dateiDialog(false, titel, filter, defaultSuffix, path);
}

bool TkelQtUiServices::dateiSpeichern(const QString &titel, const QString &filter, const QString &defaultSuffix,
                                      QString &path)
{
    return dateiDialog(true, titel, filter, defaultSuffix, path);
}

bool TkelQtUiServices::verzeichnisWaehlen(const QString &titel, QString &folder)
{
    QFileDialog dlg(parentWidget(), titel, folder);
    dlg.setOption(QFileDialog::DontUseNativeDialog);
    dlg.setFileMode(QFileDialog::Directory);
    dlg.setOption(QFileDialog::ShowDirsOnly);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return false;
    folder = dlg.selectedFiles().constFirst();
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return true;
}

bool TkelQtUiServices::schriftWaehlen(QFont &font)
{
    bool ok = false;
    const QFont f = QFontDialog::getFont(&ok, font, parentWidget(), QString(), QFontDialog::DontUseNativeDialog);
    if (ok)
        font = f;
    return ok;
}

void TkelQtUiServices::setWarteCursor(bool an)
{
    if (an)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

void TkelQtUiServices::setHinweis(const QString &text)
{
    // The main window shows status tips in its status bar; the event reaches it
    // the same way as a hovered action's hint.
    if (QWidget *w = m_hauptfenster.data()) {
        QStatusTipEvent ev(text);
        QApplication::sendEvent(w, &ev);
    }
}

void TkelQtUiServices::ereignisseVerarbeiten()
{
    QApplication::processEvents();
}
