#include "windows/limits/Bisection.h"
