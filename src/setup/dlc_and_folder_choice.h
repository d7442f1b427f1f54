// The DLC folder list, the install folder and the Android terms page.
#pragma once

// Shows the DLC folders and checks the whole list again (an empty list is
// acceptable without a run).
void RefreshDlcList();
// The Add DLC folder and Clear list buttons.
void AddDlcFolder();
void ClearDlcList();
// The folder picker, then the install-folder rule.
void ChooseInstallFolder();
// Opens the Android SDK licence terms in the user's browser.
void OpenTermsPage();
