// The quit request's storage.
#include "platform/quit.h"

volatile std::sig_atomic_t quitFlag = 0;
