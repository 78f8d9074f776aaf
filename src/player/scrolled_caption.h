#pragma once
// The player's option "Scroll title in the Windows taskbar" rewrites its main window's caption five
// times a second with a rotated copy, playing, paused or stopped alike. For the caption C the
// player shows, from position p = 0 of C to its last character, C from p on, " *** " and C whole;
// then " *** C *** ", "*** C *** " and "** C *** "; then again from p = 0. A new caption starts
// again at 0.
#include <string>

namespace sq {

// The caption a rotated copy was made of; any other text as it is, even one that holds " *** " of
// its own. The rotated forms are told by their shape alone: the piece before a " *** " must be the
// end of the whole caption after it, and the two-sided form must end with " *** ".
std::string UnscrolledCaption(const std::string& caption);

}  // namespace sq
