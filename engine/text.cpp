#include "engine/text.h"

#include <cctype>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <numbers>

namespace {
constexpr double kDegToRad = std::numbers::pi / 180.0;
constexpr double kRadToDeg = 180.0 / std::numbers::pi;
}  // namespace

double math_sin_deg(double degrees) {
    return std::sin(degrees * kDegToRad);
}
double math_cos_deg(double degrees) {
    return std::cos(degrees * kDegToRad);
}
double math_acos_deg(double x) {
    if (x > 1.0) x = 1.0;
    if (x < -1.0) x = -1.0;
    return std::acos(x) * kRadToDeg;
}
double math_atan2_deg(double y, double x) {
    return std::atan2(y, x) * kRadToDeg;
}
double math_sqrt(double x) {
    return std::sqrt(x);
}
double math_abs(double x) {
    return std::fabs(x);
}
int math_abs_int(int x) {
    return x == INT_MIN ? INT_MAX : (x < 0 ? -x : x);
}
double math_min(double a, double b) {
    return a < b ? a : b;
}

int str_to_int(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    std::int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > static_cast<std::int64_t>(INT_MAX) + 1)
            value = static_cast<std::int64_t>(INT_MAX) + 1;
    }
    if (negative) value = -value;
    if (value > INT_MAX) value = INT_MAX;
    if (value < INT_MIN) value = INT_MIN;
    return static_cast<int>(value);
}

double str_to_float(const std::string& text) {
    const char* begin = text.c_str();
    char* end = nullptr;
    const double value = std::strtod(begin, &end);
    if (end == begin || std::isnan(value)) return 0.0;
    // Hexadecimal and "inf" spellings are not numbers in the game's files.
    for (const char* p = begin; p < end; ++p) {
        if (*p == 'x' || *p == 'X' || *p == 'n' || *p == 'N' || *p == 'i' || *p == 'I') return 0.0;
    }
    return value;
}

int str_find(const std::string& s, const std::string& sub, int start) {
    if (start < 0) start = 0;
    if (static_cast<std::size_t>(start) > s.size()) return -1;
    const std::size_t at = s.find(sub, static_cast<std::size_t>(start));
    return at == std::string::npos ? -1 : static_cast<int>(at);
}

bool str_contains(const std::string& s, const std::string& sub) {
    return s.find(sub) != std::string::npos;
}

std::string str_upper(const std::string& s) {
    std::string out = s;
    for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

std::string str_lower(const std::string& s) {
    std::string out = s;
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

std::string str_chr(int code) {
    std::string out;
    if (code < 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return out;
    if (code < 0x80) {
        out.push_back(static_cast<char>(code));
    } else if (code < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (code >> 6)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else if (code < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (code >> 12)));
        out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (code >> 18)));
        out.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    }
    return out;
}

std::string str_hex8(std::uint32_t n) {
    char text[9];
    std::snprintf(text, sizeof text, "%08X", n);
    return text;
}

std::string str_from_int(std::int64_t n) {
    return std::to_string(n);
}

std::string str_from_float(double x) {
    char text[64];
    std::snprintf(text, sizeof text, "%f", x);
    return text;
}
