// Fuzz target: the local date and time of --at.  Whatever the text, the
// parser answers without fault; an accepted text has one of the two forms,
// names a day of the library's calendar and a time of day, and is refused
// with a reason otherwise.
#include "local_time.h"

#include <cstdint>
#include <cstdlib>
#include <string>

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
    return 0;
}
