// The numbers of the resources compiled into the Windows program
// (resources/windows/briskel-view.rc), for LoadIconW and FindResourceW. Kept
// free of anything but #defines: the resource compiler reads this file too.
#pragma once

// The program's icon (its file, its windows, the Start-menu entry).
#define IDI_BRISKEL 1
