#include "cli/exitstatus.h"

using namespace Qt::Literals::StringLiterals;

QString exitStatusHelp()
{
    return u"Exit status:\n"
           "  0  finished (also when no bill matched)\n"
           "  1  a validation message stopped the run (dates, group, split total, too many bills)\n"
           "  2  a usage error: an unknown command or option, a missing or bad value, an unknown unit;\n"
           "     also an output file that could not be written\n"
           "  3  the database failed: no connection, or a statement the server refused\n"
           "  4  the login was refused\n"
           "  5  the installed version is out of date"_s;
}
