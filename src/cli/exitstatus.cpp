#include "cli/exitstatus.h"

using namespace Qt::Literals::StringLiterals;

QString exitStatusHelp()
{
    return u"Exit status:\n"
           "  0  finished (also when no bill matched)\n"
           "  1  a validation message stopped the run (dates, group, split total, too many bills)\n"
           "  2  a usage error: an unknown command or option, a missing or bad value, a unit the user\n"
           "     may not work for, a deployment file that cannot be read or holds a bad value\n"
           "  3  the database failed: no connection, a statement the server refused or did not answer\n"
           "  4  the login was refused\n"
           "  5  the installed version is out of date\n"
           "  6  an output file could not be written, or the spooler failed\n"
           "Output files are written only when the run ends with 0; otherwise every file stays as it was."_s;
}
