// The lines the summary at the end of an export adds when it erased tests:
// how many the instrument gave up, and how many it may still hold.
#include "shell/messages.h"

const MessageTable bilan_efface = {
    "\nTests effacés de l'appareil : {count}",
    "\nTests erased from the instrument: {count}",
    "\nIm Gerät gelöschte Tests: {count}",
    "\nPruebas borradas del instrumento: {count}",
    "\nProve cancellate dallo strumento: {count}"
};
const MessageTable bilan_non_efface = {
    "\nEffacement non confirmé, peut-être encore dans l'appareil : {count}",
    "\nErasure not confirmed, may still be in the instrument: {count}",
    "\nLöschen nicht bestätigt, möglicherweise noch im Gerät: {count}",
    "\nBorrado no confirmado, puede que sigan en el instrumento: {count}",
    "\nCancellazione non confermata, potrebbero essere ancora nello strumento: {count}"
};
