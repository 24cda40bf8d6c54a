// The Help menu: the manual and the About box.
#pragma once

// Help menu callback: item 21 opens BriskelView.pdf, item 23 the About box.
void Gestion_aide(int menuBar, int menuItem, void* callbackData, int panel);
// Close control of the About box (commit only); returns 0.
int Quitter_aide(int panel, int control, int event, void* callbackData, int eventData1,
                 int eventData2);
