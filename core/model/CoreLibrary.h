#pragma once

// What QuillonCore does when it is loaded into a process and when it is unloaded. The library
// runs them itself; tests run them again to load the settings from a folder of their own.

// Opens the mutex "KV_SMS_DA", then makes the settings singleton (reading "config.dat").
void QuillonCoreAttach();
// Destroys the settings singleton (writing "config.dat"), then closes the mutex.
void QuillonCoreDetach();
