// Fuzz target: the local date and time of --at.  Whatever the text, the
// parser answers without fault; an accepted text has one of the two forms,
// names a day of the library's calendar and a time of day, and is refused
// with a reason otherwise.  With an offset or resolved in a zone with
// summer time, each candidate instant reads back as the text's time.
#include "local_time.h"
#include "place_zone.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <utility>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::string text(reinterpret_cast<const char *>(data), size);
    zenlume::LocalDateTime t;
    std::string why;
    if (!zenlume::ParseLocalTime(text, t, &why)) {
        if (why.empty()) std::abort();
        return 0;
    }
    if (text.size() != 16 && text.size() != 19) std::abort();
    if (!zenlume::IsCalendarDate(t.Year, t.Month, t.Day)) std::abort();
    if (t.Hour < 0 || t.Hour > 23 || t.Minute < 0 || t.Minute > 59 || t.Second < 0 || t.Second > 59) std::abort();

    std::optional<int> offset;
    if (!zenlume::ParseTimeWithOffset(text, t, offset, &why) || offset) std::abort();
    static const std::optional<zenlume::PlaceZone> berlin = zenlume::PlaceZone::Named("Europe/Berlin");
    if (!berlin) return 0;  // no tzdata here
    const zenlume::LocalResolution r = berlin->Resolve(t);
    for (const auto &[at, off] : {std::pair{r.Earlier, r.EarlierOffset}, std::pair{r.Later, r.LaterOffset}})
        if (at + std::chrono::seconds{off} != zenlume::InstantOfUt(t)) std::abort();
    if (r.What != zenlume::LocalResolution::Kind::kUnique &&
        zenlume::AmbiguousTimeText(t, *berlin, r).find("Europe/Berlin") == std::string::npos)
        std::abort();
    return 0;
}
