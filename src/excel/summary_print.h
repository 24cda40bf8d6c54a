// How the summary workbook's sheets print: landscape on A4, one page wide
// while that keeps the print at 60 % or more, else at 60 % with the columns
// that say which test a row is on every page across; the title row on every
// page down; a footer with the workbook's name and "Page n of N".
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/spreadsheet/print_setup.h"

// The columns that say which test a row is: the run of columns whose titles
// are among `identityTitles`, from the first such column on. A column of
// another title that sits between two of them belongs to the run. {first,
// last}; {0, 0} when no title is one of them.
std::pair<int, int> IdentityColumns(const std::map<int, std::string>& titles,
                                    const std::vector<std::string>& identityTitles);

// The print setup of a sheet whose row 1 holds `titles` and whose columns are
// `widths` characters wide (a spreadsheet program's column widths, by column
// from 1); the footer's page words from `pageText` ("Page {page} of {pages}").
SheetPrintSetup SummaryPrintSetup(const std::map<int, std::string>& titles,
                                  const std::map<int, double>& widths,
                                  const std::vector<std::string>& identityTitles,
                                  const std::string& pageText);
