#pragma once

#include <QGroupBox>

// A group box with a check box in its title: while it is unchecked, every control inside
// is disabled. Starts checked. The settings file stores the check state as its flag.
class Tkel_Groupbox : public QGroupBox
{
    Q_OBJECT
public:
    explicit Tkel_Groupbox(QWidget *parent = nullptr);
    explicit Tkel_Groupbox(const QString &titel, QWidget *parent = nullptr);
};
