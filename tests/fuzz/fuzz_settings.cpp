// Fuzz target: the settings reader and writer.  The input is read as a
// settings file (IniFile::Parse, LoadSettings, ReadOptions); the options it
// gives are written into a file holding the same text (WriteOptions) and
// read back, and what was written must read back the same.  The file's
// other lines must survive the write: saving the parsed text unchanged and
// parsing it again gives the same values.
#include "common.h"
#include "ini_file.h"
#include "settings.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>

namespace {

using zenlume::IniFile;
using zenlume::OptionValues;

bool SameOptions(const OptionValues &a, const OptionValues &b)
{
    return a.Glyphs == b.Glyphs && a.Houses == b.Houses && a.Cusps == b.Cusps && a.Size == b.Size &&
           a.Color == b.Color && a.LatD == b.LatD && a.LatM == b.LatM && a.LongD == b.LongD && a.LongM == b.LongM &&
           a.ZoneH == b.ZoneH && a.ZoneM == b.ZoneM && a.North == b.North && a.West == b.West &&
           std::memcmp(a.Show, b.Show, sizeof a.Show) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider in(data, size);
    const int width = in.ConsumeIntegral<int>();
    OptionValues chosen;
    const bool fromInput = in.ConsumeBool();
    if (fromInput) {
        // Options as the dialog might hand them over, any 32-bit values.
        for (int32_t *v : {&chosen.Glyphs, &chosen.Houses, &chosen.Cusps, &chosen.Size, &chosen.Color, &chosen.LatD,
                           &chosen.LatM, &chosen.LongD, &chosen.LongM, &chosen.ZoneH, &chosen.ZoneM})
            *v = in.ConsumeIntegral<int32_t>();
        chosen.North = in.ConsumeBool();
        chosen.West = in.ConsumeBool();
        for (bool &s : chosen.Show) s = in.ConsumeBool();
    }
    const std::string text = in.ConsumeRemainingBytesAsString();

    const IniFile ini = IniFile::Parse(text);
    (void)zenlume::GlyphSizeFor(zenlume::LoadSettings(ini).PlanetSize, width);
    const OptionValues read = zenlume::ReadOptions(ini);
    if (!fromInput) chosen = read;

    // The file's own text survives a save unchanged in meaning.
    const IniFile again = IniFile::Parse(ini.Text());
    if (!SameOptions(zenlume::ReadOptions(again), read)) std::abort();

    const std::string path = zenlume::fuzz::ProcessTempDir() + "/zenlume.ini";
    std::string error;
    if (!ini.Save(path, &error)) return 0;  // too large to be a settings file
    if (!zenlume::WriteOptions(path, chosen, &error)) std::abort();
    IniFile written;
    if (!written.Load(path, &error)) std::abort();
    if (!SameOptions(zenlume::ReadOptions(written), chosen)) std::abort();
    ::unlink(path.c_str());
    return 0;
}
