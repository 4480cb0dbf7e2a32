// The sample product's formula library: a DLL with a version record, so that
// setup's version rules have something to compare when it replaces the file.
#include <windows.h>

extern "C" __declspec(dllexport) double WINAPI vantraCompound(double capital, double rate,
                                                              int years) {
    double value = capital;
    for (int year = 0; year < years; ++year)
        value *= 1.0 + rate;
    return value;
}
