#include "messages/header_fields.h"

#include <array>

namespace postroom {

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool IsAlpha(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

std::string_view TrimBlanks(std::string_view t)
{
    while (!t.empty() && IsBlank(t.front()))
        t.remove_prefix(1);
    while (!t.empty() && IsBlank(t.back()))
        t.remove_suffix(1);
    return t;
}

// The first position of c outside double-quoted strings, or npos.
std::size_t FindOutsideQuotes(std::string_view t, char c)
{
    bool quoted = false;
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (quoted && t[i] == '\\') {
            ++i;
            continue;
        }
        if (t[i] == '"')
            quoted = !quoted;
        else if (!quoted && t[i] == c)
            return i;
    }
    return std::string_view::npos;
}

}  // namespace

SplitAddressResult SplitAddress(std::string_view value)
{
    SplitAddressResult r;
    const std::size_t lt = FindOutsideQuotes(value, '<');
    if (lt != std::string_view::npos) {
        std::string_view addr = value.substr(lt + 1);
        addr = addr.substr(0, addr.find('>'));
        r.address = std::string(TrimBlanks(addr));
        std::string_view name = value.substr(0, lt);
        while (!name.empty() && (IsBlank(name.front()) || name.front() == '"'))
            name.remove_prefix(1);
        while (!name.empty() && (IsBlank(name.back()) || name.back() == '"'))
            name.remove_suffix(1);
        if (!name.empty())
            r.name = std::string(name);
        return r;
    }
    const std::size_t paren = FindOutsideQuotes(value, '(');
    if (paren != std::string_view::npos) {
        std::string_view name = value.substr(paren + 1);
        name = name.substr(0, name.find(')'));
        if (!name.empty())
            r.name = std::string(name);
        const std::string_view addr = TrimBlanks(value.substr(0, paren));
        if (!addr.empty())
            r.address = std::string(addr);
        return r;
    }
    const std::string_view addr = TrimBlanks(value);
    if (!addr.empty())
        r.address = std::string(addr);
    return r;
}

namespace {

struct Zone {
    const char* name;
    int hours;
};

// Military letters count as 0: mailers have written them with the wrong
// sign for decades, so they say nothing reliable about the offset.
constexpr std::array<Zone, 52> kZones {{
    {"GMT", 0},   {"BST", 1},   {"IST", 1},   {"WET", 0},   {"WEST", 1},  {"CET", 1},
    {"CEST", 2},  {"EET", 2},   {"EEST", 3},  {"MSK", 3},   {"MSD", 4},   {"AST", -4},
    {"ADT", -3},  {"EST", -5},  {"EDT", -4},  {"CST", -6},  {"CDT", -5},  {"MST", -7},
    {"MDT", -6},  {"PST", -8},  {"PDT", -7},  {"HST", -10}, {"HDT", -9},  {"AKST", -9},
    {"AKDT", -8}, {"UT", 0},    {"UTC", 0},   {"Y", 0},     {"X", 0},     {"W", 0},
    {"V", 0},     {"U", 0},     {"T", 0},     {"S", 0},     {"R", 0},     {"Q", 0},
    {"P", 0},     {"O", 0},     {"N", 0},     {"Z", 0},     {"A", 0},     {"B", 0},
    {"C", 0},     {"D", 0},     {"E", 0},     {"F", 0},     {"G", 0},     {"H", 0},
    {"I", 0},     {"K", 0},     {"L", 0},     {"M", 0},
}};

constexpr std::array<const char*, 12> kMonths {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                               "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

class Cursor {
public:
    explicit Cursor(std::string_view t) : t_(t) {}
    bool AtEnd() const { return pos_ >= t_.size(); }
    char Peek() const { return AtEnd() ? '\0' : t_[pos_]; }
    void SkipBlanks()
    {
        while (!AtEnd() && IsBlank(t_[pos_]))
            ++pos_;
    }
    // Up to maxDigits digits; false when there is none or more follow.
    bool Number(int maxDigits, int* value, int* count)
    {
        int n = 0, v = 0;
        while (!AtEnd() && IsDigit(t_[pos_])) {
            if (++n > maxDigits)
                return false;
            v = v * 10 + (t_[pos_] - '0');
            ++pos_;
        }
        *value = v;
        if (count)
            *count = n;
        return n > 0;
    }
    bool Take(char c)
    {
        if (Peek() != c)
            return false;
        ++pos_;
        return true;
    }
    std::string_view Word()
    {
        const std::size_t start = pos_;
        while (!AtEnd() && !IsBlank(t_[pos_]))
            ++pos_;
        return t_.substr(start, pos_ - start);
    }
    std::string_view Rest(std::size_t n) const { return t_.substr(pos_, n); }
    void Skip(std::size_t n) { pos_ += n; }

private:
    std::string_view t_;
    std::size_t pos_ = 0;
};

// Days from 1970-01-01 to the given civil date (proleptic Gregorian).
std::int64_t DaysFromCivil(std::int64_t y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

// A zone word: "+hhmm"/"-hhmm" or a name.  Returns false for a malformed
// numeric zone; *known says whether the word was a zone at all.
bool ZoneOffset(std::string_view w, int* seconds, bool* known)
{
    *known = false;
    if (w.empty())
        return true;
    if (w[0] == '+' || w[0] == '-') {
        if (w.size() != 5)
            return false;
        for (std::size_t i = 1; i < 5; ++i)
            if (!IsDigit(w[i]))
                return false;
        const int hh = (w[1] - '0') * 10 + (w[2] - '0');
        const int mm = (w[3] - '0') * 10 + (w[4] - '0');
        if (hh > 23 || mm > 59)
            return false;
        *seconds = (w[0] == '-' ? -1 : 1) * (hh * 3600 + mm * 60);
        *known = true;
        return true;
    }
    for (const Zone& z : kZones) {
        if (w == z.name) {
            *seconds = z.hours * 3600;
            *known = true;
            return true;
        }
    }
    return true;
}

}  // namespace

std::optional<std::int32_t> ParseDate(std::string_view value)
{
    const std::size_t comma = value.find(',');
    if (comma != std::string_view::npos)
        value.remove_prefix(comma + 1);
    Cursor c(value);
    c.SkipBlanks();
    int day = 0;
    if (!c.Number(2, &day, nullptr) || day < 1 || day > 31)
        return std::nullopt;
    c.SkipBlanks();
    int month = -1;
    for (std::size_t i = 0; i < kMonths.size(); ++i)
        if (c.Rest(3) == kMonths[i])
            month = static_cast<int>(i) + 1;
    if (month < 0)
        return std::nullopt;
    c.Skip(3);
    c.SkipBlanks();
    int year = 0, digits = 0;
    if (!c.Number(4, &year, &digits))
        return std::nullopt;
    if (digits == 2)
        year += year < 50 ? 2000 : 1900;
    else if (digits != 4)
        return std::nullopt;
    if (!c.AtEnd() && !IsBlank(c.Peek()))
        return std::nullopt;
    c.SkipBlanks();

    int hh = 0, mm = 0, ss = 0;
    if (IsDigit(c.Peek())) {
        if (!c.Number(2, &hh, nullptr) || !c.Take(':') || !c.Number(2, &mm, nullptr))
            return std::nullopt;
        if (c.Take(':') && !c.Number(2, &ss, nullptr))
            return std::nullopt;
        if (hh > 23 || mm > 59 || ss > 60)
            return std::nullopt;
    }
    // The zone is the first word after the time that names one; comments
    // and unknown words are passed over.
    int offset = 0;
    while (!c.AtEnd()) {
        c.SkipBlanks();
        const std::string_view w = c.Word();
        if (w.empty() || w[0] == '(')
            continue;
        bool known = false;
        if (!ZoneOffset(w, &offset, &known))
            return std::nullopt;
        if (known)
            break;
        if (!IsAlpha(w[0]))
            return std::nullopt;
    }
    const std::int64_t utc = DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) * 86400 +
                             hh * 3600 + mm * 60 + ss - offset;
    if (utc < 0 || utc > INT32_MAX)
        return std::nullopt;
    return static_cast<std::int32_t>(utc);
}

int PriorityOf(std::string_view value)
{
    static constexpr std::array<std::pair<const char*, int>, 5> kWords {{
        {"High", 2}, {"Highest", 1}, {"Normal", 3}, {"Low", 4}, {"Lowest", 5},
    }};
    int priority = -1;
    for (const auto& [word, p] : kWords)
        if (value.find(word) != std::string_view::npos)
            priority = p;
    if (priority != -1)
        return priority;
    std::size_t i = 0;
    while (i < value.size() && IsBlank(value[i]))
        ++i;
    int n = 0, digits = 0;
    while (i < value.size() && IsDigit(value[i]) && digits < 3) {
        n = n * 10 + (value[i] - '0');
        ++i;
        ++digits;
    }
    if (digits == 0)
        return -1;
    // The field holds 1 to 5; other numbers mean normal.
    return n >= 1 && n <= 5 ? n : 3;
}

}  // namespace postroom
