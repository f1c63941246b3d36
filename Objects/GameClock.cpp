#include "Objects/GameClock.h"

#include "Objects/Timers.h"

std::uint32_t game_clock = NEW_GAME_CLOCK;
split_time game_time{};
std::uint32_t turn_mode = 1;
std::uint32_t clock_step = DEFAULT_GAME_SPEED;
std::uint32_t game_speed = DEFAULT_GAME_SPEED;

void Reset_Clock_State() {
    game_clock = NEW_GAME_CLOCK;
    game_time = split_time{};
    turn_mode = 0;
    clock_step = DEFAULT_GAME_SPEED;
    game_speed = DEFAULT_GAME_SPEED;
}

void Reset_Game_Clock() { game_clock = NEW_GAME_CLOCK; }

void Set_Game_Clock(std::uint32_t ticks) { game_clock = ticks; }

void Advance_Game_Clock(std::uint32_t d) {
    game_clock += d;
    Run_Due_Timers();
}

std::uint32_t Make_Game_Date(std::int16_t year, std::int16_t month, std::int16_t day) {
    return static_cast<std::uint32_t>(year) * TICKS_PER_YEAR + static_cast<std::uint32_t>(month) * TICKS_PER_MONTH +
           static_cast<std::uint32_t>(day) * TICKS_PER_DAY;
}

std::uint32_t Make_Time_Of_Day(std::int16_t hour, std::int16_t minute) {
    return static_cast<std::uint32_t>(hour) * TICKS_PER_HOUR + static_cast<std::uint32_t>(minute) * TICKS_PER_MINUTE;
}

std::uint32_t Make_Game_Time(std::int16_t year, std::int16_t month, std::int16_t day, std::int16_t hour,
                             std::int16_t minute) {
    return Make_Game_Date(year, month, day) + Make_Time_Of_Day(hour, minute);
}

std::int16_t Split_Game_Time(std::int32_t ticks) {
    constexpr auto YEAR = static_cast<std::int32_t>(TICKS_PER_YEAR);
    constexpr auto MONTH = static_cast<std::int32_t>(TICKS_PER_MONTH);
    constexpr auto DAY = static_cast<std::int32_t>(TICKS_PER_DAY);
    constexpr auto HOUR = static_cast<std::int32_t>(TICKS_PER_HOUR);
    constexpr auto MINUTE = static_cast<std::int32_t>(TICKS_PER_MINUTE);
    game_time.weekday = static_cast<std::int16_t>(ticks / DAY % static_cast<std::int32_t>(DAYS_PER_WEEK));
    game_time.year = static_cast<std::int16_t>(ticks / YEAR);
    std::int32_t r = ticks % YEAR;
    game_time.month = static_cast<std::int16_t>(r / MONTH);
    r %= MONTH;
    game_time.day = static_cast<std::int16_t>(r / DAY);
    r %= DAY;
    game_time.hour = static_cast<std::int16_t>(r / HOUR);
    r %= HOUR;
    game_time.minute = static_cast<std::int16_t>(r / MINUTE);
    return game_time.minute;
}
