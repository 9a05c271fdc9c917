#pragma once
// The component library's small string toolbox: widening and filling,
// trimming, counting and searching characters, splitting at a separator,
// backslash handling for key paths, and "coded" strings, which keep a list
// of values in one text as fields joined by a separator ('10;20;30').
// Positions count from 1 and 0 means "not found"; field indexes count from 0.

#include <span>
#include <string>

std::string SCLFillString(int Count, char C);
std::string SCLSpace(int Count);

// Padded to Len characters on the left (L) or right (R); never cut.
std::string SCLAddCharL(const std::string& S, int Len, char C);
std::string SCLAddCharR(const std::string& S, int Len, char C);
std::string SCLAddSpaceL(const std::string& S, int Len);
std::string SCLAddSpaceR(const std::string& S, int Len);
std::string SCLAddZeroL(const std::string& S, int Len);
std::string SCLAddZeroR(const std::string& S, int Len);

// True for the empty string and for blanks only; tabs count as content.
bool SCLEmpty(const std::string& S);
int SCLCount(const std::string& S, char C);
int SCLBackPos(char C, const std::string& S);
int SCLScanToNumber(const std::string& S);

// Every byte up to 0x20 is removed from the left, right or both ends.
std::string SCLTrimL(const std::string& S);
std::string SCLTrimR(const std::string& S);
std::string SCLTrim(const std::string& S);
std::string SCLReplaceChar(const std::string& S, char OldChar, char NewChar);

// The part before / after the first Sep; all of S when Sep does not occur.
// The part after is cut at 255 characters, as the library always did.
std::string SCLGetFirstString(const std::string& S, char Sep);
std::string SCLGetSecondString(const std::string& S, char Sep);

// Trailing backslash of a key path: added unless S is non-blank and already
// ends with one; removed only from a non-blank S.
std::string SCLSlashAdd(const std::string& S);
std::string SCLSlashRemove(const std::string& S);

// Coded strings.
std::string SCLCodeString(std::span<const std::string> Values, char Sep);
std::string SCLCodeInt(std::span<const int> Values, char Sep);
int SCLGetCodedCount(const std::string& S, char Sep);
std::string SCLGetCodedString(const std::string& S, char Sep, int Index);
// -1 for an empty or missing field; raises EConvertError for a field that is
// not a number.
int SCLGetCodedInt(const std::string& S, char Sep, int Index);
// Replaces field Index, adding separators when S has too few fields. A
// negative Index changes nothing.
void SCLSetCodedString(std::string& S, const std::string& Value, char Sep, int Index);
