#include "runtime/Slider.h"
