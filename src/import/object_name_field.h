// The import panel's field "Name of the object": it shows the name of the
// object selected in the list and takes a new one (Enter, or leaving the field
// after a change). A stale name is shown as the previous one, with what Enter
// does; for an instrument whose serial number is unknown the field is dimmed
// and says why.
#pragma once

#include <string>

#include "import/object_names.h"

// Shows the name of Director entry `object` in the field (-1: no object, the
// field blank and dimmed).
void ShowObjectName(int object);
// The field's label and note again, in the current language.
void RelabelObjectName();

// Callback of the field: Enter gives the typed name (giving a stale name
// again confirms it); leaving it gives the name when the text was changed.
int NommerObjet(int panel, int control, int event, void* callbackData, int eventData1,
                int eventData2);
