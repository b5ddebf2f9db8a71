// Text routines. Texts here are ISO-8859-1 byte strings, one byte per character.
#pragma once
#include <string>

namespace core {

// Removes every '?', ',', ':' and '"', then trims leading and trailing blanks.
void CleanFileName(std::string& text);
// Empty when the text holds a byte 254 or 255 (the start of a UTF-16 text), else the text.
// Both take the text by value: a caller done with its text moves it in and nothing is copied.
std::string DropUnicodeText(std::string text);
// Blanks (0x20) removed at both ends; other characters are kept.
std::string TrimBlanks(std::string text);
std::string LimitText(const std::string& text, int maximum);
// Upper-cases the first character and every one after blank, '-', '(', '_' or '\\'.
std::string& ProperCase(std::string& text);
// Key filter of the numeric fields: Enter, backspace, copy, paste, digits, ':', '.', ','
// pass; every other code becomes 0, which swallows the key.
void FilterKey(int& keyCode);

// ISO-8859-1 letter case, é <-> É included.
char UpperLatin1(char c);
char LowerLatin1(char c);
std::string LowerLatin1(const std::string& text);

}  // namespace core
