#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace radioprog {

/// The leading decimal number of @p text as a classic `atof` reads it: blanks, a sign, digits
/// with an optional point and an optional exponent; 0 when the text does not begin with one.
/// Independent of the locale, and without the "inf", "nan" and hexadecimal forms.
double LeadingNumber(std::string_view text);

/// Reads a number at the front of @p text as `LeadingNumber` does; the number (HUGE_VAL when it
/// is beyond the range of a double) and what follows it. Nothing when the text does not begin
/// with a number.
struct ScannedNumber {
    double value;
    std::string_view rest;
};
std::optional<ScannedNumber> ScanNumber(std::string_view text);

/// @p text as one decimal number with nothing but blanks around it: a sign, digits with an
/// optional point, an optional exponent. Nothing when the text is anything else, or a number
/// beyond the range of a double.
std::optional<double> ReadWholeNumber(std::string_view text);

/// @p text as one decimal integer (a sign and digits) with nothing but blanks around it; nothing
/// when the text is anything else or the number does not fit an int.
std::optional<int> ReadWholeInt(std::string_view text);

/// @p text as decimal digits and nothing else (no sign, no blanks, no prefix); nothing when it is
/// anything else or the number does not fit an int.
std::optional<int> ReadPlainDecimal(std::string_view text);

/// The leading decimal integer of @p text as `atoi` reads it (blanks, sign, digits); 0 when there
/// is none. Saturates at the ends of the int range instead of overflowing.
int LeadingInt(std::string_view text);

/// True when @p text holds nothing but blanks (spaces, tabs, line breaks), or nothing at all.
bool OnlyBlanks(std::string_view text);

/// `%.<decimals>f` with a point, whatever the locale.
std::string FormatFixed(double value, int decimals);

/// Reads "%d" at the front of @p text (blanks, sign, digits); the number and what follows it.
struct ScannedInt {
    int value;
    std::string_view rest;
};
std::optional<ScannedInt> ScanInt(std::string_view text);

}  // namespace radioprog
