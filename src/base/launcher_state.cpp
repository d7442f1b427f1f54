#include "base/launcher_state.h"

LauncherState g_state;
