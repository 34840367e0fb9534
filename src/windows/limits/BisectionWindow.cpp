#include "windows/limits/BisectionWindow.h"
