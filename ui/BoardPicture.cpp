#include "ui/BoardPicture.h"
