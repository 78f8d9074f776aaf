#pragma once
// The song a report is made of (common/played_song.h, which the submission run reads too), with
// what the player's model makes its parts with.
#include "common/played_song.h"
#include "player/playing_file.h"
#include "player/stream_title.h"
