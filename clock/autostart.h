// Starting the clock with the desktop session: an XDG autostart entry,
// $XDG_CONFIG_HOME/autostart/zenlume.desktop (~/.config/autostart when the
// variable is unset or not an absolute path).
//
// The entry's Exec is the absolute path of the running program (from
// /proc/self/exe), never the bare name "zenlume": the session starts
// autostart entries with its own PATH, which need not hold the folder the
// user runs the clock from, and the path names exactly the program in which
// the user turned the option on.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zenlume {

// Where the entry lives.
std::string AutostartPath();

// Whether the session will start the clock: the entry exists, is a desktop
// entry with an Exec line, and is not switched off by the user (Hidden=true
// or X-GNOME-Autostart-enabled=false).
bool IsAutostartOn();

// On: writes the entry atomically (creating the folders it needs); keys the
// user added to an existing entry stay, Exec names this program, and a
// Hidden or X-GNOME-Autostart-enabled key is set to "on".  Off: removes the
// entry; an entry that is not there is no failure.  False, with one
// sentence for the user in `error` (when given), if it could not be done.
bool SetAutostart(bool on, std::string *error);

// One command-line argument as the Exec value of a desktop entry: quoted
// when it holds a reserved character, with the escapes of the quoting and
// of the string value, and "%" doubled.  Empty when it cannot be written (a
// control character such as a line feed).
std::optional<std::string> DesktopExecArgument(std::string_view argument);

}  // namespace zenlume
