// The fixed tables that turn the keyword fields of a skill record
// (target_type, attribute, abnormal_type) into numeric codes: the slot of a
// keyword in its table is its code.
#ifndef ABILITYCODES_KEYWORD_TABLES_H_
#define ABILITYCODES_KEYWORD_TABLES_H_

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

namespace abilitycodes {

// Empty slots and numeric entries hold their place so that every later
// keyword keeps its number.
inline constexpr std::array<std::u16string_view, 12> kTargetTypeNames = {
    u"self",           // 0
    u"target",         // 1
    u"",               // 2
    u"enemy",          // 3
    u"enemy_only",     // 4
    u"item",           // 5
    u"summon",         // 6
    u"holything",      // 7
    u"door_treasure",  // 8
    u"",               // 9
    u"pc_body",        // 10
    u"npc_body",       // 11
};

// Each numeric entry is the number of its own slot.
inline constexpr std::array<std::u16string_view, 30> kAttributeNames = {
    u"0",                 // 0
    u"1",                 // 1
    u"2",                 // 2
    u"3",                 // 3
    u"4",                 // 4
    u"5",                 // 5
    u"6",                 // 6
    u"7",                 // 7
    u"8",                 // 8
    u"attr_earth",        // 9
    u"attr_water",        // 10
    u"attr_wind",         // 11
    u"attr_fire",         // 12
    u"attr_poison",       // 13
    u"14",                // 14
    u"attr_hold",         // 15
    u"16",                // 16
    u"attr_sleep",        // 17
    u"attr_shock",        // 18
    u"attr_derangement",  // 19
    u"attr_unholy",       // 20
    u"21",                // 21
    u"22",                // 22
    u"23",                // 23
    u"24",                // 24
    u"25",                // 25
    u"attr_paralyze",     // 26
    u"27",                // 27
    u"28",                // 28
    u"attr_none",         // 29
};

// Codes are slot - 1. The numeric entries are the code of their slot, and
// "pa_up" stands twice: the lookup always finds slot 1.
inline constexpr std::array<std::u16string_view, 97> kAbnormalTypeNames = {
    u"0",                        // 0
    u"pa_up",                    // 1
    u"pa_up_special",            // 2
    u"pa_down",                  // 3
    u"pd_up",                    // 4
    u"pd_up_special",            // 5
    u"pd_down",                  // 6
    u"ma_up",                    // 7
    u"md_up",                    // 8
    u"md_up_attr",               // 9
    u"avoid_up",                 // 10
    u"avoid_up_special",         // 11
    u"hit_up",                   // 12
    u"hit_down",                 // 13
    u"fatal_poison",             // 14
    u"fly_away",                 // 15
    u"turn_stone",               // 16
    u"casting_time_down",        // 17
    u"attack_time_down",         // 18
    u"speed_up",                 // 19
    u"possession",               // 20
    u"attack_time_up",           // 21
    u"speed_down",               // 22
    u"hp_regen_up",              // 23
    u"max_mp_up",                // 24
    u"antaras_debuff",           // 25
    u"critical_prob_up",         // 26
    u"cancel_prob_down",         // 27
    u"27",                       // 28
    u"max_breath_up",            // 29
    u"decrease_weight_penalty",  // 30
    u"poison",                   // 31
    u"bleeding",                 // 32
    u"dot_attr",                 // 33
    u"33",                       // 34
    u"dmg_shield",               // 35
    u"ab_hawk_eye",              // 36
    u"resist_shock",             // 37
    u"paralyze",                 // 38
    u"public_slot",              // 39
    u"silence",                  // 40
    u"40",                       // 41
    u"stun",                     // 42
    u"resist_poison",            // 43
    u"resist_derangement",       // 44
    u"resist_spiritless",        // 45
    u"mp_regen_up",              // 46
    u"md_down",                  // 47
    u"47",                       // 48
    u"48",                       // 49
    u"49",                       // 50
    u"50",                       // 51
    u"51",                       // 52
    u"52",                       // 53
    u"53",                       // 54
    u"54",                       // 55
    u"turn_passive",             // 56
    u"turn_flee",                // 57
    u"",                         // 58
    u"",                         // 59
    u"",                         // 60
    u"hp_recover",               // 61
    u"mp_recover",               // 62
    u"",                         // 63
    u"root",                     // 64
    u"speed_up_special",         // 65
    u"majesty",                  // 66
    u"pd_up_bow",                // 67
    u"attack_speed_up_bow",      // 68
    u"max_hp_up",                // 69
    u"holy_attack",              // 70
    u"sleep",                    // 71
    u"berserker",                // 72
    u"pa_up",                    // 73
    u"life_force",               // 74
    u"song_of_earth",            // 75
    u"song_of_life",             // 76
    u"song_of_water",            // 77
    u"song_of_warding",          // 78
    u"song_of_wind",             // 79
    u"song_of_hunter",           // 80
    u"song_of_invocation",       // 81
    u"dance_of_warrior",         // 82
    u"dance_of_inspiration",     // 83
    u"dance_of_mystic",          // 84
    u"dance_of_fire",            // 85
    u"dance_of_fury",            // 86
    u"dance_of_concentration",   // 87
    u"dance_of_light",           // 88
    u"detect_weakness",          // 89
    u"thrill_fight",             // 90
    u"resist_bleeding",          // 91
    u"critical_dmg_up",          // 92
    u"shield_prob_up",           // 93
    u"hp_regen_down",            // 94
    u"reuse_delay_up",           // 95
    u"gara",                     // 96
};

// The first slot, from 0 upwards, whose entry equals `text` exactly
// (case-sensitive, whole texts); -1 when none does.
[[nodiscard]] std::int32_t IndexOfKeyword(std::u16string_view text,
                                          std::span<const std::u16string_view> table);

// The codes written to the parameter table.
// Target type: the slot, or 0 for an unknown keyword (the same as "self").
[[nodiscard]] std::int32_t TargetTypeCode(std::u16string_view value);
// Attribute: the slot, or -1 for an unknown keyword.
[[nodiscard]] std::int32_t AttributeCode(std::u16string_view value);
// Abnormal type: the slot minus 1, so -2 for an unknown keyword.
[[nodiscard]] std::int32_t AbnormalTypeCode(std::u16string_view value);

}  // namespace abilitycodes

#endif  // ABILITYCODES_KEYWORD_TABLES_H_
