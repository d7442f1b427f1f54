#include "base/launcher_state_win.h"

LauncherState g_state;
