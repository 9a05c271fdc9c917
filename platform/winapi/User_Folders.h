#pragma once
// The user's own folders for what the program writes besides its settings:
// locks, sockets and temporary files. Another user must never be able to
// create a name in them first, so each one is a real directory (not a link)
// owned by the user with no access for group or others.

#include <filesystem>

// $HOME, else the password database's home; empty when neither names one.
std::filesystem::path Home_Folder();

// $XDG_CACHE_HOME when absolute, else ~/.cache.
std::filesystem::path Cache_Home();

// Creates the folder (and missing parents) and makes sure it is private: a
// directory owned by the user, mode 0700 (a private folder of the user's
// with wider bits is narrowed). False with the errno otherwise: ENOTDIR for
// a link or a file, EPERM for a folder of another user.
bool Make_Private_Folder(const std::filesystem::path& folder, int& error);

// An existing directory, not a link, owned by the user, with no access for
// group or others. Nothing is changed.
bool Is_Private_Folder(const std::filesystem::path& folder);

// A directory the user owns that nobody else can write into (its mode may
// let others read it). Nothing is changed.
bool Is_Own_Folder(const std::filesystem::path& folder);

// Where locks and sockets live: $XDG_RUNTIME_DIR when it is a private folder
// of the user's, else "runtime" in the program's cache folder, made private.
// Empty with the errno when neither can be had.
std::filesystem::path User_Runtime_Folder(int& error);
// The folder User_Runtime_Folder answers, or tries to make; nothing is made.
// A user without a home gets the relative "~/.cache/..." place, which is
// never made.
std::filesystem::path User_Runtime_Place();

// The user's temporary folder: $XDG_RUNTIME_DIR as above, else "tmp" in the
// program's cache folder, made private. Empty with the errno on failure.
std::filesystem::path User_Temp_Folder(int& error);
