#pragma once
// The reversible cipher that protects passwords stored in the registry: the text's ANSI bytes
// as lower-case hexadecimal digits, run through a small Feistel-like block function on 16-bit
// halves kept as 4-digit texts, followed by the byte count in two decimal digits.
// The count has room for two digits only, so the stored form holds at most 99 bytes.
#include "framework/CString.h"

// Longest plain text, in ANSI bytes, that the stored form can hold.
const int kHexCipherMaxBytes = 99;

// Replaces a non-empty text by its enciphered form. A text longer than 99 ANSI bytes, one the
// ANSI code page cannot hold exactly, or an empty key, gives the empty text: such a form could
// never be read back as the same text. An empty text stays empty.
void EncryptHexString(CString& text, CString key);
// Replaces an enciphered form by its plain text. An empty text stays empty; a form that is
// damaged (not hexadecimal, digits not in whole blocks, too few digits for its count) gives the
// empty text.
void DecryptHexString(CString& text, CString key);

// Runs the block function over every 8 digits of hexText; the same call enciphers and
// deciphers. FALSE (and hexText unchanged) for a text that is not whole blocks of hexadecimal
// digits or for an unusable key.
BOOL HexCipherBlocks(CString& hexText, CString key);
// Derives the four 4-digit subkeys from the first 8 characters of key (repeated when shorter).
// FALSE for a key that does not give 16 digits (an empty key, or control characters in it).
BOOL BuildHexSubkeys(const CString& key, CString& k0, CString& k1, CString& k2, CString& k3);
// One round: L ^= R + K1; then R ^= L + K2.
void HexRound(CString& left, CString& right, const CString& k1, const CString& k2);
// Digit-wise sum with carry (modulo 16^length) and digit-wise exclusive or of two halves of
// equal length; a shorter second operand counts as zero-padded on the left.
CString HexDigitAdd(const CString& a, const CString& b);
CString HexDigitXor(const CString& a, const CString& b);
// "0"-"9", "A"-"F", "a"-"f" to 0-15; any other character c to c - '0'.
int HexDigitValue(wchar_t ch);
