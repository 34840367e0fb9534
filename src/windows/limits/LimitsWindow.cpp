#include "windows/limits/LimitsWindow.h"
