#pragma once

// The inn's rooms as the list shows them, what a week in each costs and
// gives, and how a typed number of weeks is read.

#include <array>
#include <cstdint>
#include <string_view>

namespace qvr {

struct InnRoom {
    const char* row;     // lstINN's text
    int32_t price;       // gold per week; the dog house is free for one day
    int32_t hpPerWeek;   // hit points a week gives
    const char* title;   // the title of the room's messages
    const char* sleep;   // how the guest sleeps there
    const char* refusal; // the host's answer to a stay past the limit
};

inline constexpr int kDogHouse = 0;
inline constexpr int kLeaveRow = 5;
inline constexpr int32_t kLongestStay = 3000; // weeks
inline constexpr const char* kHostTitle = "ジュデッカ宿主";

const std::array<InnRoom, 5>& InnRooms();
const char* InnLeaveRow();

// What the guest answered to "how many weeks": a stay of so many weeks, one
// past the limit, or nothing that is a stay (not a number, or below one week).
struct WeeksAnswer {
    enum class Kind { Stay, TooLong, NoStay } kind = Kind::NoStay;
    int32_t weeks = 0;

    bool operator==(const WeeksAnswer&) const = default;
};

// Reads the typed text as a number (half- or full-width digits, a fraction
// allowed); a fraction goes to the nearest whole week, halves to the even one.
WeeksAnswer ReadWeeks(std::string_view typed);

} // namespace qvr
