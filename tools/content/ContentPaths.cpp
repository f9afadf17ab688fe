#include "ContentPaths.h"
