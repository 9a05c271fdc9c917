#pragma once
// The program's string table: numbered texts compiled into the program from
// resources/strings and parsed once, on first use.
//
// Table format, one entry a line:
//     <number> "<text>"
// The number is a decimal identifier; the text is written between double
// quotes with the C escapes \n \r \t \" and \\ (any other byte, UTF-8
// included, stands for itself). Blank lines and lines starting with '#' are
// ignored. Anything else, a repeated number or a bad escape makes the table
// malformed.

#include <map>
#include <string>

// The text of entry `identifier`; empty for an unknown number. Raises
// Exception naming the line when the compiled table is malformed.
std::string LoadStr(int identifier);

// Parses a whole table in the format above. Raises Exception with the line
// number and the fault on the first malformed line.
std::map<int, std::string> Parse_String_Table(const std::string& table);
