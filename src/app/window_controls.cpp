#include "window_controls.h"

#include <QtGlobal>

#include <cstring>

const WindowControl &windowControl(const char *name)
{
    for (const WindowControl &control : windowControls) {
        if (std::strcmp(control.name, name) == 0)
            return control;
    }
    qFatal("no control %s in the window", name);
}
