#include "platform/classlib/DateUtils.h"

#include "platform/classlib/SysUtils.h"

#include <chrono>
#include <cmath>
#include <ctime>
#include <mutex>

namespace {

constexpr std::int64_t ms_per_day = 86'400'000;

std::mutex clock_mutex;
TClock_Function clock_function;

// Days from 1970-01-01 to a proleptic Gregorian date (Howard Hinnant's
// civil-calendar algorithm).
std::int64_t Days_From_Civil(std::int64_t year, int month, int day)
{
    year -= month <= 2 ? 1 : 0;
    const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
    const std::int64_t year_of_era = year - era * 400;
    const std::int64_t day_of_year = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const std::int64_t day_of_era = year_of_era * 365 + year_of_era / 4 - year_of_era / 100 + day_of_year;
    return era * 146097 + day_of_era - 719468;
}

void Civil_From_Days(std::int64_t days, int& year, int& month, int& day)
{
    days += 719468;
    const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const std::int64_t day_of_era = days - era * 146097;
    const std::int64_t year_of_era = (day_of_era - day_of_era / 1460 + day_of_era / 36524 - day_of_era / 146096) / 365;
    const std::int64_t day_of_year = day_of_era - (365 * year_of_era + year_of_era / 4 - year_of_era / 100);
    const std::int64_t month_index = (5 * day_of_year + 2) / 153;
    day = static_cast<int>(day_of_year - (153 * month_index + 2) / 5 + 1);
    month = static_cast<int>(month_index < 10 ? month_index + 3 : month_index - 9);
    year = static_cast<int>(year_of_era + era * 400 + (month <= 2 ? 1 : 0));
}

const std::int64_t epoch_offset = Days_From_Civil(1899, 12, 30);

bool Is_Leap_Year(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int Days_In_Month(int year, int month)
{
    static constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && Is_Leap_Year(year) ? 29 : days[month - 1];
}

TDateTime System_Now()
{
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    const auto since_second = now - std::chrono::system_clock::from_time_t(seconds);
    int millisecond = static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(since_second).count());
    millisecond = std::clamp(millisecond, 0, 999);
    std::tm local{};
    localtime_r(&seconds, &local);
    return EncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday)
         + EncodeTime(local.tm_hour, local.tm_min, std::min(local.tm_sec, 59), millisecond);
}

// Whole days and milliseconds of the day, the fraction counted from the
// day's start whatever the sign.
void Split(TDateTime value, std::int64_t& days, std::int64_t& milliseconds)
{
    const std::int64_t total = Round(std::fabs(value) * static_cast<double>(ms_per_day));
    days = (value < 0 ? -1 : 1) * (total / ms_per_day);
    milliseconds = total % ms_per_day;
}

std::string Two_Digits(int value, bool pad)
{
    return (pad && value < 10 ? "0" : "") + std::to_string(value);
}

// The fields that FormatDateTime writes.
struct Date_Time_Fields {
    int year, month, day, hour, minute, second, millisecond;
};

// Writes the field that a run of `count` letters `letter` names.
std::string Field_Text(char letter, std::size_t count, const Date_Time_Fields& f, bool after_hour)
{
    switch (letter) {
    case 'y':
        return count <= 2 ? Two_Digits(f.year % 100, true) : std::to_string(f.year);
    case 'm':
        return Two_Digits(after_hour ? f.minute : f.month, count >= 2);
    case 'd':
        return Two_Digits(f.day, count >= 2);
    case 'h':
        return Two_Digits(f.hour, count >= 2);
    case 'n':
        return Two_Digits(f.minute, count >= 2);
    case 's':
        return Two_Digits(f.second, count >= 2);
    default: { // 'z'
        const std::string text = std::to_string(f.millisecond);
        return count >= 3 ? std::string(3 - text.size(), '0') + text : text;
    }
    }
}

} // namespace

void Set_Clock(TClock_Function clock)
{
    const std::lock_guard lock(clock_mutex);
    clock_function = std::move(clock);
}

TDateTime Now()
{
    TClock_Function clock;
    {
        const std::lock_guard lock(clock_mutex);
        clock = clock_function;
    }
    return clock ? clock() : System_Now();
}

TDateTime Date() { return std::floor(Now()); }

TDateTime Time()
{
    const TDateTime now = Now();
    return now - std::floor(now);
}

TDateTime EncodeDate(int year, int month, int day)
{
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > Days_In_Month(year, month))
        throw EConvertError("Invalid argument to date encode");
    return static_cast<TDateTime>(Days_From_Civil(year, month, day) - epoch_offset);
}

TDateTime EncodeTime(int hour, int minute, int second, int millisecond)
{
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 || millisecond < 0
        || millisecond > 999)
        throw EConvertError("Invalid argument to time encode");
    const std::int64_t total = ((hour * 60LL + minute) * 60 + second) * 1000 + millisecond;
    return static_cast<TDateTime>(total) / static_cast<TDateTime>(ms_per_day);
}

void DecodeDate(TDateTime value, int& year, int& month, int& day)
{
    std::int64_t days = 0;
    std::int64_t milliseconds = 0;
    Split(value, days, milliseconds);
    Civil_From_Days(days + epoch_offset, year, month, day);
}

void DecodeTime(TDateTime value, int& hour, int& minute, int& second, int& millisecond)
{
    std::int64_t days = 0;
    std::int64_t total = 0;
    Split(value, days, total);
    millisecond = static_cast<int>(total % 1000);
    second = static_cast<int>(total / 1000 % 60);
    minute = static_cast<int>(total / 60'000 % 60);
    hour = static_cast<int>(total / 3'600'000);
}

std::string FormatDateTime(const std::string& format, TDateTime value)
{
    Date_Time_Fields f{};
    DecodeDate(value, f.year, f.month, f.day);
    DecodeTime(value, f.hour, f.minute, f.second, f.millisecond);
    std::string out;
    bool after_hour = false;
    std::size_t i = 0;
    while (i < format.size()) {
        const char c = format[i];
        const char letter = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
        if (c == '\'' || c == '"') {
            const std::size_t close = format.find(c, i + 1);
            const std::size_t end = close == std::string::npos ? format.size() : close;
            out += format.substr(i + 1, end - i - 1);
            i = end + 1;
        } else if (std::string_view("ymdhnsz").find(letter) != std::string_view::npos) {
            std::size_t count = 1;
            while (i + count < format.size() && (format[i + count] | 0x20) == letter)
                ++count;
            out += Field_Text(letter, count, f, after_hour);
            after_hour = letter == 'h';
            i += count;
        } else {
            out += c;
            ++i;
        }
    }
    return out;
}
