#pragma once
// The program's settings folder: $XDG_CONFIG_HOME/Quorvale/Ravivida Ordexia
// (XDG_CONFIG_HOME defaulting to ~/.config). It holds the registry file and
// the ports/ links that name the device behind each COM port.

#include <filesystem>

// The folder's path, read from the environment at each call so that tests can
// point it elsewhere. The folder is not created.
std::filesystem::path Settings_Folder();

// Same, created (with its parents) when missing; false when that failed,
// with the errno in error.
bool Ensure_Settings_Folder(std::filesystem::path& folder, int& error);
bool Ensure_Settings_Folder(std::filesystem::path& folder);
