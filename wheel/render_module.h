// The contract between zenlume-chart and the wheel-rendering module it loads
// for --render: the module's file name, its two entry points and their
// signatures.  Both sides include this header, so a change to a signature
// breaks the build of both; a module built from other sources (a stale
// install) is caught at run time by the version check.
//
// Raise kRenderModuleVersion whenever the entry points, ClockChart or
// Settings change their layout: the module receives those records by
// pointer.
#pragma once

#include "chart.h"
#include "settings.h"

namespace zenlume {

// 2: "-" names standard output, devices and FIFOs are written into, and
// ClockChart may hold NaN cusps and angles (no house system).
// 3: Settings holds only what the settings file says: no GlyphSize (the
// module derives it from the side), ShowBody for the bodies 0..12 only,
// SignColours and CuspMode as one-byte enumerations of the same numbers.
inline constexpr int kRenderModuleVersion = 3;
inline constexpr char kRenderModuleFile[] = "libzenlume-render.so";
inline constexpr char kRenderModuleVersionEntry[] = "zenlume_RenderModuleVersion";
inline constexpr char kRenderModuleEntry[] = "zenlume_WriteWheelPng";

}  // namespace zenlume

extern "C" {

// The kRenderModuleVersion the module was built with.
int zenlume_RenderModuleVersion(void);

// Draws the wheel of `chart` at `side` pixels, with the glyph size that
// follows from the settings' PlanetSize at that side, and writes it to `path` as PNG
// ("-" standard output; see WriteWheelPng).  Returns 0 on success; otherwise 1, with what went wrong in
// error[0 .. errorSize - 1], NUL-terminated.
int zenlume_WriteWheelPng(const zenlume::ClockChart *chart, const zenlume::Settings *settings, int side,
                          const char *path, char *error, int errorSize);

}  // extern "C"

namespace zenlume {

using RenderModuleVersionFn = decltype(&zenlume_RenderModuleVersion);
using RenderModuleEntryFn = decltype(&zenlume_WriteWheelPng);

}  // namespace zenlume
