// Serial numbers of the 1900 date system through date and time parts.
#include <array>
#include <cmath>

#include "spreadsheet/numfmt/FormatCode.h"

namespace quillora::engine::detail {
namespace {

constexpr std::array<std::string_view, 12> kMonths = {"January", "February", "March",     "April",   "May",      "June",
                                                      "July",    "August",   "September", "October", "November", "December"};
constexpr std::array<std::string_view, 7> kDays = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
constexpr double kLastSerial = 2958466;  // 10000-01-01

struct Civil {
  long long year;
  int month;
  int day;
};

// Days since 1970-01-01 to a proleptic Gregorian date.
Civil FromDays(long long z) {
  z += 719468;
  const long long era = (z >= 0 ? z : z - 146096) / 146097;
  const long long doe = z - era * 146097;
  const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const long long mp = (5 * doy + 2) / 153;
  const int day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  const int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  return Civil{yoe + era * 400 + (month <= 2 ? 1 : 0), month, day};
}

// The 1900 system counts 1900-02-29 (serial 60) and calls serial 0 "1900-01-00".
Civil SerialDate(long long days) {
  if (days == 0) return Civil{1900, 1, 0};
  if (days == 60) return Civil{1900, 2, 29};
  return FromDays(days - (days < 60 ? 25568 : 25569));
}

std::string Two(long long n) {
  std::string s = std::to_string(n);
  return s.size() < 2 ? "0" + s : s;
}

}  // namespace

void RenderDate(const Section& s, double serial, RunBuilder& out) {
  if (!(serial >= 0 && serial < kLastSerial)) {
    out.Text("#######");
    return;
  }
  long long unit = 1;
  for (int i = 0; i < s.secondDecimals; ++i) unit *= 10;
  const long long perDay = 86400LL * unit;
  const auto ticks = static_cast<long long>(std::floor(serial * static_cast<double>(perDay) + 0.5));
  const long long days = ticks / perDay;
  const long long inDay = ticks % perDay;
  const long long seconds = inDay / unit;
  const long long subsecond = inDay % unit;
  const Civil date = SerialDate(days);
  const int weekday = static_cast<int>((days + 6) % 7);
  bool twelveHour = false;
  for (const Item& item : s.items) {
    twelveHour = twelveHour || (item.kind == Item::Kind::DatePart && (item.text == "am/pm" || item.text == "a/p"));
  }
  const long long hour = seconds / 3600;
  long long shownHour = hour;
  if (twelveHour) shownHour = hour % 12 == 0 ? 12 : hour % 12;

  for (const Item& item : s.items) {
    if (item.kind != Item::Kind::DatePart) {
      if (item.kind == Item::Kind::Literal) out.Text(item.text);
      else if (item.kind == Item::Kind::Space) out.Space(item.text);
      else if (item.kind == Item::Kind::Fill) out.Fill(item.text);
      continue;
    }
    const std::string& p = item.text;
    const std::size_t n = p.size();
    switch (p[0]) {
      case 'y': out.Text(n <= 2 ? Two(date.year % 100) : std::to_string(date.year)); break;
      case 'm':
        if (n == 1) out.Text(std::to_string(date.month));
        else if (n == 2) out.Text(Two(date.month));
        else if (n == 3) out.Text(kMonths[static_cast<std::size_t>(date.month - 1)].substr(0, 3));
        else if (n == 5) out.Text(kMonths[static_cast<std::size_t>(date.month - 1)].substr(0, 1));
        else out.Text(kMonths[static_cast<std::size_t>(date.month - 1)]);
        break;
      case 'd':
        if (n == 1) out.Text(std::to_string(date.day));
        else if (n == 2) out.Text(Two(date.day));
        else if (n == 3) out.Text(kDays[static_cast<std::size_t>(weekday)].substr(0, 3));
        else out.Text(kDays[static_cast<std::size_t>(weekday)]);
        break;
      case 'h': out.Text(n == 1 ? std::to_string(shownHour) : Two(shownHour)); break;
      case 'M': out.Text(n == 1 ? std::to_string(seconds / 60 % 60) : Two(seconds / 60 % 60)); break;
      case 's': out.Text(n == 1 ? std::to_string(seconds % 60) : Two(seconds % 60)); break;
      case 'a':
        if (p == "am/pm") out.Text(hour < 12 ? "AM" : "PM");
        else out.Text(hour < 12 ? "A" : "P");
        break;
      case '[':
        if (p[1] == 'h') out.Text(std::to_string(days * 24 + hour));
        else if (p[1] == 'm') out.Text(Two(days * 1440 + seconds / 60));
        else out.Text(Two(days * 86400 + seconds));
        break;
      case '.': {
        std::string digits = std::to_string(subsecond);
        while (static_cast<int>(digits.size()) < s.secondDecimals) digits.insert(digits.begin(), '0');
        out.Text("." + digits);
        break;
      }
      default: break;
    }
  }
}

}  // namespace quillora::engine::detail
