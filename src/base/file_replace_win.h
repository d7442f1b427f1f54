// Replaces a file's whole content in one step, so that a reader never finds
// it half-written and a failure leaves the old file exactly as it was.
#pragma once

#include <functional>
#include <string>

// Writes the bytes to a temporary file beside the target, checks that every
// byte was written, then moves it over the target (replacing it). On any
// failure the temporary file is removed and false is returned, with the
// failure's system error code in GetLastError. A write or move that another
// program's brief hold on the file refuses is tried again for about a second.
bool ReplaceFileContents(const std::wstring& path, const std::string& bytes);

// Runs a file write, trying it again while another program's brief hold on
// the file refuses it (see base/lock_retry.h); the error code of the last
// attempt stays in GetLastError.
bool RetryWhileLocked(const std::function<bool()>& attempt);
