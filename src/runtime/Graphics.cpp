#include "runtime/Graphics.h"
