#include "platform/headless/headless.h"
