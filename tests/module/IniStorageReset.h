#pragma once
// A fresh run's INI storage for tests: the cached paths forgotten, both buffers emptied
// without saving, the counters zeroed. A test that changes the settings folder (APPDATA)
// starts and ends with it.
void ResetIniStorageForTests();
