// Traditional qualities: the modern rulers of the signs, essential dignities
// with mutual receptions, and the tally of positions by mode and element.
// Signs are numbered 1 (Aries) to 12 (Pisces); bodies by the body index.
#include "internal.h"

namespace {

//                                  Ari Tau Gem Can Leo Vir Lib Sco Sag Cap Aqu Pis
constexpr uint16_t kRuler[13] = {0, 5,  4,  3,  2,  1,  3,  4,  10, 6,  7,  8,  9};

// Quality bucket 4 * mode + element + 1 (mode: cardinal, fixed, mutable;
// element: fire, earth, air, water).
//                                  Ari Tau Gem Can Leo Vir Lib Sco Sag Cap Aqu Pis
constexpr uint8_t kBucket[13] = {0, 1,  6,  11, 4,  5,  10, 3,  8,  9,  2,  7,  12};

enum Sign { Ari = 1, Tau, Gem, Can, Leo, Vir, Lib, Sco, Sag, Cap, Aqu, Pis };

// Up to two signs per dignity; 0 marks an empty place.
struct DignityRow {
    uint8_t Own[2], Exaltation[2], Detriment[2], Fall[2];
};
constexpr DignityRow kDignity[11] = {
    {},
    /* 1 Sun     */ {{Leo, 0}, {Ari, 0}, {Aqu, 0}, {Lib, 0}},
    /* 2 Moon    */ {{Can, 0}, {Tau, 0}, {Cap, 0}, {Sco, 0}},
    /* 3 Mercury */ {{Gem, Vir}, {Aqu, 0}, {Sag, Pis}, {Leo, 0}},
    /* 4 Venus   */ {{Tau, Lib}, {Pis, 0}, {Ari, Sco}, {Vir, 0}},
    /* 5 Mars    */ {{Ari, 0}, {Cap, 0}, {Lib, 0}, {Can, 0}},
    /* 6 Jupiter */ {{Sag, 0}, {Can, 0}, {Gem, 0}, {Cap, 0}},
    /* 7 Saturn  */ {{Cap, 0}, {Lib, 0}, {Can, 0}, {Ari, 0}},
    /* 8 Uranus  */ {{Aqu, 0}, {Sco, 0}, {Leo, 0}, {Tau, 0}},
    /* 9 Neptune */ {{Pis, 0}, {Can, 0}, {Vir, 0}, {Cap, 0}},
    /* 10 Pluto  */ {{Sco, 0}, {Ari, 0}, {Tau, 0}, {Lib, 0}},
};

bool Holds(const uint8_t (&signs)[2], int sign) { return signs[0] == sign || signs[1] == sign; }

ShortText10 Text(const char *s)
{
    int n = 0;
    while (s[n]) ++n;
    return qv::MakeText(s, n);
}

// Sign number 1..12 of a longitude; 0 outside [0, 360) or for NaN.
int SignOf(double longitude)
{
    int32_t s;
    if (!qv::TruncToInt32(std::trunc(longitude * qv::kOver30L), s) || s < 0 || s > 11) return 0;
    return s + 1;
}

}  // namespace

using namespace qv;

extern "C" {

uint16_t CheckRuler(uint16_t Sign)
{
    return Sign >= 1 && Sign <= 12 ? kRuler[Sign] : 0;
}

// Longitudes[1..12] in degrees.  Dignity[k] is "Own", "Exaltation",
// "Detriment", "Fall" or " " (bodies 11 and 12 always " ").  Reception[k] is the body with which body k is in mutual
// reception by rulership, else 0.  Longitudes outside [0, 360) have no sign
// and so neither dignity nor reception.
void EssentialDignities(const double *Longitudes, int32_t LongitudesHigh, ShortText10 *Dignity, int32_t DignityHigh,
                        uint8_t *Reception, int32_t ReceptionHigh)
{
    if (!HasElement(Longitudes, LongitudesHigh, 12) || !HasElement(Dignity, DignityHigh, 12) ||
        !HasElement(Reception, ReceptionHigh, 12))
        return;
    int sign[13] = {};
    for (int k = 1; k <= 12; ++k) {
        sign[k] = SignOf(Longitudes[k]);
        Dignity[k] = Text(" ");
        if (k > 10 || sign[k] == 0) continue;
        const DignityRow &row = kDignity[k];
        if (Holds(row.Own, sign[k]))
            Dignity[k] = Text("Own");
        else if (Holds(row.Exaltation, sign[k]))
            Dignity[k] = Text("Exaltation");
        else if (Holds(row.Detriment, sign[k]))
            Dignity[k] = Text("Detriment");
        else if (Holds(row.Fall, sign[k]))
            Dignity[k] = Text("Fall");
    }
    for (int k = 1; k <= 12; ++k) {
        const int r = CheckRuler(static_cast<uint16_t>(sign[k]));
        Reception[k] = (r != 0 && r != k && CheckRuler(static_cast<uint16_t>(sign[r])) == k) ? static_cast<uint8_t>(r) : 0;
    }
}

// Totals[1..12]: the byte sums (wrapping at 256) of Weights[k] over the
// positions k = 1..14 whose sign falls in each mode/element bucket.
void GetQualities(const double *Longitudes, int32_t LongitudesHigh, uint8_t *Totals, int32_t TotalsHigh,
                  const uint8_t *Weights, int32_t WeightsHigh)
{
    if (!HasElement(Longitudes, LongitudesHigh, 14) || !HasElement(Totals, TotalsHigh, 12) ||
        !HasElement(Weights, WeightsHigh, 14))
        return;
    uint8_t totals[13] = {};
    for (int k = 1; k <= 14; ++k) {
        const int s = SignOf(Longitudes[k]);
        if (s != 0) totals[kBucket[s]] = static_cast<uint8_t>(totals[kBucket[s]] + Weights[k]);
    }
    for (int b = 1; b <= 12; ++b) Totals[b] = totals[b];
}

}  // extern "C"
