#pragma once

#include <QString>

class TpexIniFile;

// A control that stores its own state in its window's settings section (the keyed lists
// and path pickers). TkelParameter calls these for every persisted control that implements
// this interface, instead of its built-in kinds; `name` is the control's objectName.
class TkelParameterClient
{
public:
    virtual ~TkelParameterClient() = default;
    virtual void parSpeichern(TpexIniFile &ini, const QString &section, const QString &name) = 0;
    virtual void parLaden(TpexIniFile &ini, const QString &section, const QString &name) = 0;
};
