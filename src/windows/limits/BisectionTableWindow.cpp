#include "windows/limits/BisectionTableWindow.h"
