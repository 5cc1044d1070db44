#include "runtime/Listbox.h"
