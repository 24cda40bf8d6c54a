// The memory scan's walk of the instrument's directories into Director.
#pragma once

#include "link/link_context.h"

// Lists /etc/mem/ and fills one Director entry per object directory. Returns
// nb_total (0 on a failed listing, a Stop request or a malformed listing).
int ZR8812_search_dir(LinkContext& ctx);

// Lists the directory of `object` and fills its test records. Returns 0. When
// the instrument does not enter that directory, nothing is recorded for the
// object and the person is told which object could not be read. An answer
// that lists nothing asks the person whether to go on, then lists once more.
int ZR8812_search_fil(LinkContext& ctx, int object);
