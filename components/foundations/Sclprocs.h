#pragma once
// Small free functions shared by the whole component library: rectangle and
// point arithmetic, rotation of rectangles for rotated text, minimum and
// maximum over arrays, bit operations, the program's and the system's
// folders, shortening of file names for display, system-menu pruning, and
// the LZRW block compressor that the library's stored lists use.
//
// Arrays are passed as spans holding every element (no separate last index).

#include <cstddef>
#include <span>
#include <string>
#include <vector>

#include "platform/classlib/Classes_Component.h"
#include "platform/winapi/WinTypes.h"
#include "platform/winapi/Window.h"

// ---- Rectangles and points ----------------------------------------------

void SCLExpandRect(const RECT& R, int Delta, RECT& Result);
void SCLAdjustRect(RECT& R, int DX, int DY);
void SCLAdjustRectExt(RECT& R, int DL, int DT, int DR, int DB);
// Source's proportions fitted into Dest, at Dest's top-left corner. A source
// without area has nothing to fit: an empty rectangle at that corner.
void SCLAffineRect(const RECT& Source, const RECT& Dest, RECT& Result);
void SCLGetRectWH(const RECT& R, int& W, int& H);
// True when R lies within Outer, edges included (a rectangle is inside
// itself).
bool SCLRectinRect(const RECT& R, const RECT& Outer);
// R becomes the bounding box, moved to (0, 0), of R rotated by Angle degrees.
void SCLCalcRotRect(RECT& R, int Angle);
// Start offsets of text drawn rotated by Angle degrees in a W x H box.
int SCLRotatedXPos(int Angle, int W, int H);
int SCLRotatedYPos(int Angle, int Ignored, int H);
// P = the average of all points, each coordinate divided truncating toward
// zero; an empty span leaves P unchanged.
void SCLMidpoint(std::span<const POINT> Points, POINT& P);
void SCLOffsetPoints(std::span<POINT> Points, int DX, int DY);
void SCLNullPoints(std::span<POINT> Points);

// ---- Numbers and bits ---------------------------------------------------

// Largest / smallest value; the earliest wins ties. An empty span gives 0:
// the callers measure sizes and offsets, for which "nothing" is 0.
int SCLMax(std::span<const int> Values);
int SCLMin(std::span<const int> Values);
double SCLMaxR(std::span<const double> Values);
double SCLMinR(std::span<const double> Values);
// (A + B) / 2 truncating toward zero, without overflow.
int SCLMidI(int A, int B);
void SCLSwapInt(int& A, int& B);
void SCLSwapString(std::string& A, std::string& B);
// Bit 0 to 7 of B; other bit numbers change nothing and read as clear.
void SCLSetBit(BYTE& B, int Bit, bool Value);
void SCLSetBitUpTo(BYTE& B, int Bit);
bool SCLGetBit(BYTE B, int Bit);
// Base multiplied Exponent times in wrapping 32-bit arithmetic; 1 when
// Exponent < 1.
int SCLExp(int Base, int Exponent);
// Busy wait, processing no messages, until more than Milliseconds have
// passed on the millisecond tick counter.
void SCLDelay(DWORD Milliseconds);

// ---- Folders and names --------------------------------------------------
// File-system paths use '/'; they end with one where the names say so.

enum TSCLPathPrefix { ppWindows, ppSystem, ppProgram, ppFixed };

// The program file's full path (the program's first command-line argument);
// empty when it cannot be read.
std::string SCLAppExeName();
// Folder of the program file, with a trailing '/'.
std::string SCLAppPath();
// "SOFTWARE\" + the program file's name without folder and extension.
std::string SCLAppIniName();
std::string SCLExtractFileName(const std::string& FileName);
// The system's installation folder and its library folder: the places that
// hold what the Windows and system directories held.
std::string SCLWindowsDirectory();
std::string SCLSystemDirectory();
// The folder for a prefix, with or without its trailing '/'; ppFixed gives
// the empty string.
std::string SCLCreatePathPrefix(TSCLPathPrefix Prefix, bool WithSlash);
// FileName with leading folders replaced by ".../", one by one, until it
// fits MaxLen characters or only the name is left.
std::string SCLShrunkFileName(const std::string& FileName, int MaxLen);

// ---- System menu ---------------------------------------------------------

enum TSCLSysMenuEntry { smRestore, smMove, smSize, smMinimize, smMaximize, smClose, smSwitch };
using TSCLSysMenuEntries = TSet<TSCLSysMenuEntry>;

// The positions SCLCheckSystemMenu deletes to keep only Entries, highest
// first; an absent entry goes with the separator before it where it has one.
// ShortMenu: a menu without size and maximize entries; NewStyle: a menu
// without the old task-switch entry.
std::vector<UINT> SCLSysMenuDeletions(TSCLSysMenuEntries Entries, bool ShortMenu, bool NewStyle);
// Deletes from Menu the entries that Entries leaves out; nothing for Menu 0,
// which is what every window on Linux has (the window manager owns the menu).
void SCLCheckSystemMenu(TSCLSysMenuEntries Entries, HMENU Menu, bool ShortMenu);

// ---- LZRW block compression ---------------------------------------------

// Largest input of one block, and largest block (flag byte + stored input).
constexpr std::size_t SCLLZRWMaxInput = 32781;
constexpr std::size_t SCLLZRWMaxBlock = SCLLZRWMaxInput + 1;
// Room the compressor needs beyond the input size.
constexpr std::size_t SCLLZRWDestSlack = 6;

// Packs Source (at most SCLLZRWMaxInput bytes) into one block in Dest, which
// must hold Source.size() + SCLLZRWDestSlack bytes; answers the block length.
// Raises Exception when the sizes are outside that contract.
WORD SCLLZRWCompress(std::span<const BYTE> Source, std::span<BYTE> Dest);
// Unpacks one block into Dest and answers the unpacked length, at most
// SCLLZRWMaxInput and Dest.size(). A damaged block (unknown flag, truncated
// item, copy before the start of the output, output beyond Dest) raises
// Exception naming the fault; nothing is read or written out of bounds.
WORD SCLLZRWDecompress(std::span<const BYTE> Source, std::span<BYTE> Dest);
