#include "windows/limits/Neighbourhood.h"
