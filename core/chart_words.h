// The chart of the moment in words, for people who hear the chart rather
// than see it (a screen reader reads it as the wheel's description): the
// angles, each body the wheel shows with its sign, degrees, minutes, motion
// and house, and the twelve house cusps.  Plain text from the chart record,
// so any program of the system can say it.
#pragma once

#include "chart.h"
#include "settings.h"

#include <string>

namespace zenlume {

// "Ascendant 13 Libra 26; Midheaven 15 Cancer 2; Sun 16 Sagittarius 58 in
// the third house; Mercury 2 Capricorn 10 retrograde in the third house;
// ...; cusps: first house 13 Libra 26, second house ...".  Positions are
// those of the positions window (the sign notation of the true longitude,
// degrees and minutes cut, not rounded), signs spelled out.  Only the bodies
// `settings` shows are named.  Without a house system it opens "No house
// system: no angles, houses or cusps" and names none of them; where the
// system has no cusps at the place's latitude it names the angles, states
// that the system has no cusps there, and names no house or cusp.
std::string ChartWords(const Settings &settings, const ChartMoment &moment);

// "first" .. "twelfth" for 1..12; empty for any other number.
std::string OrdinalWord(int number);

// "Aries" .. "Pisces" for 1..12; empty for any other number.
std::string SignName(int sign);

}  // namespace zenlume
