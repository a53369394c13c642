#include "scores/IniFile.h"
