#pragma once

#include <QString>

// Exit statuses of selvoro-cli.
namespace ExitStatus {
inline constexpr int Ok = 0;
inline constexpr int Validation = 1;  // a validation message stopped the run
inline constexpr int Usage = 2;       // bad arguments, or a unit the user may not work for
inline constexpr int Database = 3;    // the database failed
inline constexpr int LoginRefused = 4;
inline constexpr int Version = 5;  // the installed version is out of date
inline constexpr int Output = 6;   // an output file could not be written, or the spooler failed
}  // namespace ExitStatus

// The exit statuses as the help lists them.
QString exitStatusHelp();
