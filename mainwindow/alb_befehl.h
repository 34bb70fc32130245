#pragma once

#include "framework/ke7_error.h"
#include "framework/ke7_sys.h"
#include "framework/ke7_uiservices.h"

#include <utility>

// The program's general error display at the boundary of a command: a TkelFehler ends the
// command and its text is shown as an error; a TkelAbbruch ends it silently (its message,
// if any, was shown already). Every command handler runs through here.
template <class F> void BefehlAusfuehren(TkelUiServices &ui, F &&befehl)
{
    try {
        std::forward<F>(befehl)();
    } catch (const TkelFehler &fehler) {
        Fehlermeldung(ui, fehler.text());
    } catch (const TkelAbbruch &) { }
}
