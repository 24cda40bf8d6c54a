// The answer buffers every exchange shares and the model code of the prompt.
#include "link/com_port.h"

char reponse[REPONSE_SIZE];
char rep_buf[REP_BUF_SIZE];
const char Modele[7] = "korvid";
