#include "game/Random.h"
