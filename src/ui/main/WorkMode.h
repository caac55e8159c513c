#pragma once

// The work mode is the session's: the main window's control table reads it.
#include "session/WorkMode.h"
