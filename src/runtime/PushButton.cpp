#include "runtime/PushButton.h"
