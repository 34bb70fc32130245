#include "framework/ke7_uiservices.h"

TkelUiServices::~TkelUiServices() = default;
