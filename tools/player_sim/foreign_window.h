#pragma once
// Another program's window of the player's class: a second player, or another player's
// compatibility window. Made after the player's own window, the system's window lookup finds it
// first. It shows a song of its own and says it plays (104), answers 120 with position 0, and
// answers every request that the player answers with a pointer (211, 214, 335, 337, 338) with an
// address that is valid in no process: a plug-in that reads such an answer from a window of
// another process ends the player. It logs each request it receives.

namespace sim {

// Runs the window until it is closed, or for `exit_after` seconds when that is positive.
int RunForeignWindow(int exit_after);

}  // namespace sim
