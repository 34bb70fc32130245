#include "framework/dformf2.h"

TdFormF2::TdFormF2(QWidget *parent)
    : TFormF2Basis(parent)
{ }
