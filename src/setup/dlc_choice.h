// The list of downloadable-content folders and its check by the setup tool.
#pragma once

// Shows the DLC folders and checks the whole list again (an empty list is
// acceptable without a run).
void RefreshDlcList();
// The Add DLC folder and Clear list buttons.
void AddDlcFolder();
void ClearDlcList();
