#pragma once
// Another program's window of the player's class: a second player, or another player's
// compatibility window. Made after the player's own window, the system's window lookup finds it
// first. It is the model of the chosen profile playing a song of its own, as another program's
// window (Winamp::foreign): every text answer is an address valid in no process, so that a
// plug-in that reads one from a window of another process ends the player, and it writes no
// playlist files. It logs each request it receives.

namespace sim {

struct Options;

// Runs the window until it is closed, or for --exit-after seconds.
int RunForeignWindow(const Options& options);

}  // namespace sim
