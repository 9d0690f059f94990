/* Loads qvcalc32.dll the way existing Windows callers do and binds routines
 * by ordinal: every ordinal of the table resolves to the routine of that
 * name, and a few bound routines give their worked values (FU(370) = 10,
 * JulDay of 2000 January 1 = 2451545, ...).  Usage: bind_by_ordinal DLL.
 * Prints "N passed, N failed"; exits non-zero on any failure. */
#include <windows.h>
#undef CopyFile

#include "qvcalc32.h"

#include <stdio.h>

typedef double(QVCALC32_CALL *Angle)(double);
typedef double(QVCALC32_CALL *TwoAngles)(double, double);
typedef int32_t(QVCALC32_CALL *Day)(int32_t, int32_t, int32_t);
typedef uint16_t(QVCALC32_CALL *Ruler)(uint16_t);

static const char *const kNames[50] = {
    NULL, "ArcSin", "MinToFrac", "FracToMin", "CheckRuler", "RealToDegree", "AsMcCalc", "CampHouse", "EqHouse",
    "ExactMoon", "ExactSun", "GetHouseSize", "JuldayToDate", "JulDay", "KochHouse", "MakeSign", "MeridHouse",
    "MorHouse", "PlacHouse", "PorHouse", "RegHouse", "TimeConv", "SidTime", "TopHouse", "QSortReal", "RotateToCusp",
    "GetQualities", "Vertex", "EastPoint", "MoonPhase", "PartFortune", "MoonProgCalc", "Dawn", "Noon",
    "FindPlanetHouse", "DistanceFromCusp", "InitialisePlanets", "PlanetCalc", "MoonCalc", "XToTheY", "FC", "FD",
    "FR", "FS", "FU", "YieldToOthers", "GetReturn", "CopyFile", "DirExists", "EssentialDignities"};

static int passed, failed;

static void Check(int ok, const char *what)
{
    if (ok) {
        ++passed;
    } else {
        ++failed;
        printf("FAILED: %s\n", what);
    }
}

static FARPROC At(HMODULE dll, int ordinal) { return GetProcAddress(dll, MAKEINTRESOURCEA(ordinal)); }

int main(int argc, char **argv)
{
    HMODULE dll = LoadLibraryA(argc > 1 ? argv[1] : "qvcalc32.dll");
    if (dll == NULL) {
        printf("FAILED: cannot load %s (error %lu)\n", argc > 1 ? argv[1] : "qvcalc32.dll", GetLastError());
        return 1;
    }
    for (int ordinal = 1; ordinal <= 49; ++ordinal) {
        char what[80];
        snprintf(what, sizeof what, "ordinal %d is %s", ordinal, kNames[ordinal]);
        const FARPROC byOrdinal = At(dll, ordinal);
        Check(byOrdinal != NULL && byOrdinal == GetProcAddress(dll, kNames[ordinal]), what);
    }
    Check(At(dll, 51) == NULL, "nothing beyond ordinal 50");

    const struct { int ordinal; double x, expected; const char *what; } angles[] = {
        {44, 370, 10, "FU(370) = 10"},
        {44, -370, -10, "FU(-370) = -10"},
        {42, 180, 3.14159265358979323846, "FR(180) = pi"},
        {41, 3.14159265358979323846, 180, "FD(pi) = 180"},
        {40, 0, 1, "FC(0) = 1"},
    };
    for (size_t i = 0; i < sizeof angles / sizeof angles[0]; ++i) {
        const Angle f = (Angle)(void (*)(void))At(dll, angles[i].ordinal);
        Check(f != NULL && f(angles[i].x) == angles[i].expected, angles[i].what);
    }
    const TwoAngles houseSize = (TwoAngles)(void (*)(void))At(dll, 11);
    Check(houseSize != NULL && houseSize(350, 10) == 20, "GetHouseSize(350, 10) = 20");
    const Day julDay = (Day)(void (*)(void))At(dll, 13);
    Check(julDay != NULL && julDay(1, 1, 2000) == 2451545, "JulDay(1, 1, 2000) = 2451545");
    const Ruler ruler = (Ruler)(void (*)(void))At(dll, 4);
    Check(ruler != NULL && ruler(1) == QVCALC32_MARS, "CheckRuler(1) = Mars");

    FreeLibrary(dll);
    printf("%d passed, %d failed\n", passed, failed);
    return failed == 0 ? 0 : 1;
}
