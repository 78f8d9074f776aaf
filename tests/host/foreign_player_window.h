#pragma once
// Another program's window of the player's class now comes with the simulator's harness.
#include "host_wrapper/simulated_player.h"
