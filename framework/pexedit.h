#pragma once

#include "framework/ke7_uiservices.h"

#include <QLineEdit>

// What a TpexEdit accepts. Word is an integer >= 0; Float and Currency use the German
// decimal comma.
enum class TpexDataType { pexdtText, pexdtWord, pexdtInteger, pexdtFloat, pexdtCurrency };

// Single-line edit for text or numbers. The number kinds refuse other characters with a
// beep, show their text right-aligned while they have no focus, and rewrite it in normal
// form when the focus leaves; text that is no number is reported and the focus goes back.
class TpexEdit : public QLineEdit
{
    Q_OBJECT
public:
    // Without UI services the beep and the conversion message go to the real user interface.
    explicit TpexEdit(QWidget *parent = nullptr, TkelUiServices *ui = nullptr);

    void setUiServices(TkelUiServices *ui);

    TpexDataType DataType() const { return m_typ; }
    void setDataType(TpexDataType typ);
    bool istZahl() const { return m_typ != TpexDataType::pexdtText; }

    // The text as integer, 0 for an empty text; throws TkelFehler when it is no integer.
    int IntegerWert() const;
    // Writes the integer as decimal text; a negative value for pexdtWord throws TkelFehler
    // ("Wert kann nicht nagativ sein") and leaves the text alone.
    void setIntegerWert(int wert);

    // The number in normal form; throws TkelFehler when the text is no number of the kind.
    // An empty text stays empty. Text edits keep their text.
    QString Normalform() const;

    static QChar Dezimaltrenner() { return QLatin1Char(','); }

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    bool zeichenErlaubt(QChar c) const;
    void ausrichten();
    TkelUiServices &ui();

    TpexDataType m_typ = TpexDataType::pexdtText;
    TkelUiServices *m_ui = nullptr;
};
