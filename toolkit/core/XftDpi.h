#pragma once

namespace Toolkit {

// The "Xft.dpi" entry of an X server's resource database, as XResourceManagerString
// gives it ("Xft.dpi:\t144\n" among the other lines), for the editor's scale factor
// on Linux. Desktops and scaling hosts set it to 96 times their scale. Answers 0 (1x)
// where the text is null, has no such entry, or its value is no positive number up
// to 9600; of several valid entries the last counts, as in the server's database. The
// number is read without the C library, whose decimal point follows the host's locale.
// Threads: any.
double XftDpi(const char* resources);

}  // namespace Toolkit
