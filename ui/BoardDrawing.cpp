#include "ui/BoardDrawing.h"
