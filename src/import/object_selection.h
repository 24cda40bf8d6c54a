// Choosing an object in the import panel's list: its tests, the first test's
// description and the object's name are shown.
#pragma once

// Callback of the object list (value changed, left click).
int IndexObjet(int panel, int control, int event, void* callbackData, int eventData1,
               int eventData2);
