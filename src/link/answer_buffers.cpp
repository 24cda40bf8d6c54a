// The program's link context and the model code of the prompt.
#include "link/com_port.h"
#include "link/link_context.h"

LinkContext& ProgramLink() {
    static LinkContext link;
    return link;
}

const char Modele[7] = "korvid";
