// The short reference tables, written out as the game defines them.
#include "model/reference_tables.h"
#include "model/type_hash.h"

namespace vek5 {

const std::array<std::string_view, kMonthNameRows> MonthNames = {
    "Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec", ""};

const std::array<std::string_view, kReplayDatasetRows> ReplayDatasetNames = {
    "Score",
    "Production Per Turn",
    "Total Gold",
    "Gold Per Turn",
    "City Count",
    "Techs Known",
    "Science Per Turn",
    "Total Culture",
    "Culture Per Turn",
    "Excess Happiness",
    "Happiness",
    "Unhappiness",
    "Golden Age Turns",
    "Population",
    "Food Per Turn",
    "Total Land",
    "GPT City Connections",
    "GPT Deals",
    "Unit Maintenance",
    "Building Maintenance",
    "Improvement Maintenance",
    "Number Of Policies",
    "Number Of Workers",
    "Improved Tiles",
    "Worked Tiles",
    "Military Might",
    "Empty"};

const std::array<std::string_view, kReplayDatasetZephRows> ReplayDatasetNamesZeph = {
    "Score",
    "Production Per Turn",
    "Total Gold",
    "Gold Per Turn",
    "City Count",
    "Techs Known",
    "Science Per Turn",
    "Total Culture",
    "Culture Per Turn",
    "Excess Happiness",
    "Happiness",
    "Unhappiness",
    "Golden Age Turns",
    "Population",
    "Food Per Turn",
    "Total Land",
    "GPT City Connections",
    "GPT International Trade",
    "GPT Deals",
    "Unit Maintenance",
    "Building Maintenance",
    "Improvement Maintenance",
    "Number Of Policies",
    "Number Of Workers",
    "Improved Tiles",
    "Worked Tiles",
    "Military Might",
    "Empty"};

const std::array<uint32_t, kSeriesColorRows> SeriesColors = {
    0xFF0000, 0x0000FF, 0x00FF00, 0xFFFF00, 0xFF8000, 0x00FFFF, 0xFF00FF, 0x808000, 0x800000,
    0x8000FF, 0x004000, 0x80FF80, 0x804000, 0x408080, 0x400040, 0x80FFFF, 0x004040, 0xFF8040,
    0x800080, 0x008000, 0x808080, 0x008080, 0x000080, 0xFFFFFF, 0x000000, 0x000000};

const std::array<int32_t, kSpeedRows> GameSpeedPercent = {300, 150, 100, 67};

const std::array<TLevelInfoRec, kLevelRows> LevelInfo = {{
    {"Settler", 90, 160, 100, 100, 40, 40, 100},
    {"Chieftain", 95, 130, 100, 100, 60, 60, 100},
    {"Warlord", 100, 110, 100, 100, 75, 75, 100},
    {"Prince", 100, 100, 100, 100, 100, 100, 100},
    {"King", 100, 90, 100, 85, 100, 100, 90},
    {"Emperor", 100, 85, 100, 80, 100, 100, 85},
    {"Immortal", 100, 75, 100, 65, 100, 100, 75},
    {"Deity", 100, 60, 100, 50, 100, 100, 60},
}};

const std::array<TWorldInfoRec, kWorldRows> WorldInfo = {{
    {"Duel", 100},
    {"Tiny", 100},
    {"Small", 100},
    {"Standard", 110},
    {"Large", 120},
    {"Huge", 130},
}};

const std::array<TEraInfoRec, kEraRows> EraInfo = {{
    {"ERA_ANCIENT", 100, 100, 100, 100},
    {"ERA_CLASSICAL", 100, 80, 85, 67},
    {"ERA_MEDIEVAL", 100, 67, 75, 50},
    {"ERA_RENAISSANCE", 90, 50, 55, 33},
    {"ERA_INDUSTRIAL", 75, 33, 37, 20},
    {"ERA_MODERN", 60, 25, 30, 12},
    {"ERA_FUTURE", 50, 18, 21, 5},
}};

const std::array<TEraInfoRec, kEraExpRows> EraInfoExp = {{
    {"ERA_ANCIENT", 100, 100, 100, 100},
    {"ERA_CLASSICAL", 100, 80, 85, 67},
    {"ERA_MEDIEVAL", 100, 67, 75, 50},
    {"ERA_RENAISSANCE", 90, 50, 55, 33},
    {"ERA_INDUSTRIAL", 75, 33, 37, 20},
    {"ERA_MODERN", 60, 25, 30, 12},
    {"ERA_POSTMODERN", 60, 25, 30, 12},
    {"ERA_FUTURE", 50, 18, 21, 5},
}};

// Rows without a key have no hash and are never found by one.
const std::array<TProjectInfoRec, kProjectInfoRows> ProjectInfo = {{
    {TypeHash("PROJECT_MANHATTAN_PROJECT"), "Manhattan Project", 750},
    {TypeHash("PROJECT_APOLLO_PROGRAM"), "Apollo Program", 750},
    {0, "SS COCKPIT", -1},
    {0, "SS STASIS_CHAMBER", -1},
    {0, "SS ENGINE", -1},
    {0, "SS BOOSTER", -1},
    {0, "Utopia Project", 1500},
}};

const std::array<TCommerceInfoRec, kCommerceInfoRows> CommerceInfo = {{
    {TypeHash("PROCESS_WEALTH"), "Welth", 25},
    {TypeHash("PROCESS_RESEARCH"), "Research", 25},
    {TypeHash("PROCESS_WORLD_FAIR"), "World`s Fair", 100},
    {TypeHash("PROCESS_WORLD_GAMES"), "World`s Games", 100},
    {0, "International SS", 100},
}};

const std::array<std::string_view, kReligionKeyRows> ReligionKeys = {"RELIGION_PANTHEON",
                                                                     "RELIGION_BUDDHISM",
                                                                     "RELIGION_CHRISTIANITY",
                                                                     "RELIGION_CONFUCIANISM",
                                                                     "RELIGION_HINDUISM",
                                                                     "RELIGION_ISLAM",
                                                                     "RELIGION_JUDAISM",
                                                                     "RELIGION_SHINTO",
                                                                     "RELIGION_SIKHISM",
                                                                     "RELIGION_TAOISM",
                                                                     "RELIGION_TENGRIISM",
                                                                     "RELIGION_ZOROASTRIANISM",
                                                                     "Atheism"};

const std::array<std::string_view, kReligionKeyZephRows> ReligionKeysZeph = {
    "RELIGION_PANTHEON",     "RELIGION_BUDDHISM",     "RELIGION_CHRISTIANITY",
    "RELIGION_CONFUCIANISM", "RELIGION_HINDUISM",     "RELIGION_ISLAM",
    "RELIGION_JUDAISM",      "RELIGION_SHINTO",       "RELIGION_SIKHISM",
    "RELIGION_TAOISM",       "RELIGION_TENGRIISM",    "RELIGION_ZOROASTRIANISM",
    "RELIGION_ORTHODOXY",    "RELIGION_PROTESTANTISM"};

}  // namespace vek5
