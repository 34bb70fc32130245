#pragma once

#include "framework/d_formf2.h"

// The OK/Cancel base of the settings dialog; the same as Td_FormF2 under its own name.
class TdFormF2 : public TFormF2Basis
{
    Q_OBJECT
public:
    explicit TdFormF2(QWidget *parent = nullptr);
};
