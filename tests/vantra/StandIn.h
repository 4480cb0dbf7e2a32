#pragma once

// What the launcher tests and the spreadsheet stand-in agree on.

// The class the stand-in serves; the tests register it under the programmatic
// identifier "Excel.Application".
#define STAND_IN_CLSID "{6A3E4B2C-91D7-4F0A-B8C5-2E7D9F1A0C34}"

// The code and the description of the error its Workbooks.Open raises for a
// file that does not exist.
#define STAND_IN_OPEN_ERROR 0x800A03EC
#define STAND_IN_OPEN_ERROR_TEXT L"The workbook could not be found."
