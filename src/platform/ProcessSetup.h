#pragma once

namespace kobrix {

// What every Kobrix program sets before it does anything else, so that the
// programs behave alike in any environment: a file size limit shows up as a
// failed write rather than killing the program, and the C library's
// character set (which libarchive converts the names of a disc image
// through) is UTF-8 whatever the environment says, so an image gives the
// same names under LC_ALL=C, C.UTF-8 or no locale at all. On Windows the
// standard output and error are put in binary mode, so that the bytes
// written are those written on Linux. The window program calls it after
// Qt's application object is made, since that object sets the locale from
// the environment.
void prepareProcess();

} // namespace kobrix
