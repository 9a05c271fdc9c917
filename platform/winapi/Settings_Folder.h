#pragma once
// The program's settings folder: $XDG_CONFIG_HOME/Quorvale/Ravivida Ordexia
// (XDG_CONFIG_HOME defaulting to ~/.config). It holds the registry file and
// the ports/ links that name the device behind each COM port.
//
// The folder is used only while it is the user's own: "Quorvale" and the
// program's folder in it must each be a folder the user owns that nobody
// else can write into, reached (when through links) only through links the
// user owns. Another user's folder in their place would choose the settings
// read, receive the ones saved and name the devices opened.

#include <filesystem>

// The folder's path, read from the environment at each call so that tests can
// point it elsewhere. The folder is neither made nor checked.
std::filesystem::path Settings_Folder();

// False when another user's folder (or link) stands in the settings folder's
// place as above; true when it is the user's own, missing (the user makes
// it), or cannot be named (no home).
bool Is_Own_Settings_Folder();

// The folder, its missing parts made private to the user; false when that
// failed, with the errno in error: EPERM when the folder is not the user's
// own.
bool Ensure_Settings_Folder(std::filesystem::path& folder, int& error);
bool Ensure_Settings_Folder(std::filesystem::path& folder);
