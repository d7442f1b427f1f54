// Temporary: the system message font for the setup window until the theme's
// own CreateMessageFont is merged; delete this file then.
#include "app/launcher_state.h"
#include "theme/theme.h"

void CreateMessageFont()
{
    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = 504; // the whole structure, iPaddedBorderWidth included
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, 504, &metrics, 0);
    g_state.messageFont = CreateFontIndirectW(&metrics.lfMessageFont);
}
