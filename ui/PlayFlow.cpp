#include "ui/PlayFlow.h"
