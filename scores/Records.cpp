#include "scores/Records.h"
