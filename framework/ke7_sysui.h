#pragma once

#include "framework/ke7_uiservices.h"

#include <QString>

#include <optional>

class QLineEdit;
class QSpinBox;
class TkelDirectoryKeyComboBox;
class TpexDirectoryEdit;
class QWidget;

// Field checks of the dialogs: when the control is empty, the user is told
// "Das Feld <caption> muss ausgefüllt werden." and the control gets the focus; result true.
// A non-empty control gives false without a message.

// A line edit is empty when its text holds nothing but blanks.
bool FeldLeer(TkelUiServices &ui, const QString &feldname, QLineEdit *control);
// A spin box is empty when its value is 0.
bool FeldLeer(TkelUiServices &ui, const QString &feldname, QSpinBox *control);
// A folder edit is empty when its text is empty (blanks count as a name).
bool FeldLeer(TkelUiServices &ui, const QString &feldname, TpexDirectoryEdit *control);
// A folder picker is empty when no folder is selected.
bool FeldLeer(TkelUiServices &ui, const QString &feldname, TkelDirectoryKeyComboBox *control);
// The common part of every variant: the message and the focus.
bool FeldLeerMelden(TkelUiServices &ui, const QString &feldname, QWidget *control, bool leer);

// Sets the control's width to its parent's client width minus its left and the right
// margin; without a margin both sides get the same space.
void BreiteAnpassen(QWidget *control, std::optional<int> rand = std::nullopt);

// Brings forward every tab page that holds the control, up to its window, then focuses the
// control when it is visible and can take the focus.
void ControlFokus(QWidget *control);
