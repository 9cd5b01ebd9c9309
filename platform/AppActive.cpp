#include "platform/AppActive.h"

std::atomic<bool> g_bAppActive{true};
