#include "platform/vb/Conversions.h"
