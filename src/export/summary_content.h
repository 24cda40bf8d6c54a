// What the summary workbook of an export lists: each test the export looked
// at with its object's name, its workbook and what became of it, in the
// program's language, and how the export ended.
#pragma once

#include "excel/summary_workbook.h"

// The content of the export just ended, from its outcomes and names.
SummaryContent SummaryOfExport();
