#pragma once
// Text and maths helpers with the game's conventions: angles in degrees,
// atan2 taking y first, numbers that fail to parse reading as 0.

#include <cstdint>
#include <string>

double math_sin_deg(double degrees);
double math_cos_deg(double degrees);
/// Arc cosine in degrees; the argument is clamped to [-1, 1] first.
double math_acos_deg(double x);
double math_atan2_deg(double y, double x);
double math_sqrt(double x);
double math_abs(double x);
int math_abs_int(int x);
double math_min(double a, double b);

/// Leading decimal integer of the text after optional blanks and a sign;
/// text that does not start with a number reads as 0. Out-of-range values
/// saturate.
int str_to_int(const std::string& text);
/// Leading decimal number (with optional fraction and exponent); 0 otherwise.
double str_to_float(const std::string& text);
/// Index of `sub` in `s` at or after `start`, or -1.
int str_find(const std::string& s, const std::string& sub, int start = 0);
bool str_contains(const std::string& s, const std::string& sub);
std::string str_upper(const std::string& s);
std::string str_lower(const std::string& s);
/// The character with the given code as UTF-8 text (codes above 127 take
/// more than one byte; invalid codes give empty text).
std::string str_chr(int code);
/// Eight upper-case hexadecimal digits.
std::string str_hex8(std::uint32_t n);
std::string str_from_int(std::int64_t n);
/// Decimal text of a float with six decimals ("0.500000").
std::string str_from_float(double x);
