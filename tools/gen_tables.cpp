// Build-time generator: turns the reference tables in data/*.tsv into constant C++ arrays.
// It checks each file's row count and every stored type hash against the hash of its key,
// and fails the build on any mismatch.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "model/type_hash.h"

namespace {

using Row = std::vector<std::string>;

struct Tsv {
  std::vector<std::string> header;
  std::vector<Row> rows;
};

Row SplitTabs(const std::string& line) {
  Row fields;
  std::string field;
  std::istringstream in(line);
  while (std::getline(in, field, '\t')) fields.push_back(field);
  if (!line.empty() && line.back() == '\t') fields.emplace_back();
  return fields;
}

Tsv ReadTsv(const std::string& path) {
  std::ifstream in(path);
  if (!in) throw std::runtime_error("cannot open " + path);
  Tsv tsv;
  std::string line;
  std::getline(in, line);
  tsv.header = SplitTabs(line);
  while (std::getline(in, line)) {
    Row row = SplitTabs(line);
    row.resize(tsv.header.size());
    tsv.rows.push_back(row);
  }
  return tsv;
}

size_t Column(const Tsv& tsv, const std::string& name, const std::string& file) {
  for (size_t i = 0; i < tsv.header.size(); ++i) {
    if (tsv.header[i] == name) return i;
  }
  throw std::runtime_error(file + ": no column " + name);
}

std::string Quote(const std::string& text) {
  std::string out = "\"";
  for (const unsigned char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20 || c >= 0x80) {
      char octal[8];
      std::snprintf(octal, sizeof octal, "\\%03o", c);
      out += octal;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out + "\"";
}

// A column and how to write it: 's' text, 'i' integer, 'h' type hash of the "key" column.
struct Field {
  char kind;
  std::string column;
};

struct Table {
  std::string file;
  std::string type;
  std::string name;
  size_t rows;
  std::vector<Field> fields;
  // Rows sorted by their "key" column for a binary search; keys must then be unique.
  bool sorted_by_key = false;
};

std::string Cell(const Tsv& tsv, const Row& row, const Field& field, const std::string& file) {
  const std::string& value = row[Column(tsv, field.column, file)];
  switch (field.kind) {
    case 's':
      return Quote(value);
    case 'i':
      return std::to_string(std::stoll(value));
    case 'h': {
      const int32_t stored = static_cast<int32_t>(std::stoll(value));
      if (stored == 0) return "0";
      const std::string& key = row[Column(tsv, "key", file)];
      if (vek5::TypeHash(key) != stored) {
        throw std::runtime_error(file + ": stored hash of " + key + " is not the hash of its key");
      }
      return "TypeHash(" + Quote(key) + ")";
    }
  }
  throw std::runtime_error("bad field kind");
}

void SortByUniqueKey(Tsv& tsv, const std::string& file) {
  const size_t key = Column(tsv, "key", file);
  std::sort(tsv.rows.begin(), tsv.rows.end(),
            [key](const Row& a, const Row& b) { return a[key] < b[key]; });
  const auto twin =
      std::adjacent_find(tsv.rows.begin(), tsv.rows.end(),
                         [key](const Row& a, const Row& b) { return a[key] == b[key]; });
  if (twin != tsv.rows.end()) throw std::runtime_error(file + ": key " + (*twin)[key] + " twice");
}

void Emit(std::ostream& out, const std::string& data_dir, const Table& table) {
  const std::string path = data_dir + "/" + table.file;
  Tsv tsv = ReadTsv(path);
  if (table.sorted_by_key) SortByUniqueKey(tsv, table.file);
  if (tsv.rows.size() != table.rows) {
    throw std::runtime_error(table.file + ": expected " + std::to_string(table.rows) +
                             " rows, found " + std::to_string(tsv.rows.size()));
  }
  out << "const std::array<" << table.type << ", " << table.rows << "> " << table.name << " = {{\n";
  for (const Row& row : tsv.rows) {
    out << "    ";
    if (table.fields.size() > 1) out << "{";
    for (size_t f = 0; f < table.fields.size(); ++f) {
      if (f) out << ", ";
      out << Cell(tsv, row, table.fields[f], table.file);
    }
    if (table.fields.size() > 1) out << "}";
    out << ",\n";
  }
  out << "}};\n\n";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: gen_tables DATA_DIR OUT.cpp\n";
    return 2;
  }
  const std::string sv = "std::string_view";
  const std::vector<Table> tables = {
      {"leader_names.tsv", sv, "LeaderNames", 27, {{'s', "name"}}},
      {"civ_names.tsv", sv, "CivNames", 28, {{'s', "name"}}},
      {"city_state_names.tsv", sv, "CityStateNames", 29, {{'s', "name"}}},
      {"city_state_names.tsv", sv, "CityStateTraitNames", 29, {{'s', "trait"}}},
      {"city_state_info_exp1.tsv",
       "TCSInfoRec",
       "CityStateInfo",
       43,
       {{'s', "key"}, {'s', "trait_key"}}},
      {"city_state_info_zeph.tsv",
       "TCSInfoRec",
       "CityStateInfoZeph",
       59,
       {{'s', "key"}, {'s', "trait_key"}}},
      {"dlc_civs.tsv",
       "TDlcCivRec",
       "DlcCivs",
       7,
       {{'i', "package_id"}, {'s', "civ_name"}, {'s', "leader_name"}}},
      {"beliefs.tsv",
       "TBeliefInfoRec",
       "BeliefInfo",
       70,
       {{'s', "key"}, {'i', "value"}, {'h', "hash"}, {'s', "name_ru"}}},
      {"buildings_base.tsv",
       "TBuildingInfoRec",
       "BuildingInfo",
       150,
       {{'s', "key"},
        {'i', "cost"},
        {'i', "kind"},
        {'i', "gp_kind"},
        {'i', "gp_points"},
        {'s', "name_ru"}}},
      {"buildings_exp1.tsv",
       "TBuildingInfoRec",
       "BuildingInfoExp1",
       150,
       {{'s', "key"},
        {'i', "cost"},
        {'i', "kind"},
        {'i', "gp_kind"},
        {'i', "gp_points"},
        {'s', "name_ru"}}},
      {"buildings_zeph.tsv",
       "TBuildingInfoRecZeph",
       "BuildingInfoZeph",
       150,
       {{'h', "hash"},
        {'s', "key"},
        {'i', "cost"},
        {'i', "kind"},
        {'i', "gp_kind"},
        {'i', "gp_points"},
        {'s', "name_ru"}}},
      {"units_base.tsv", "TUnitInfoRec", "UnitInfo", 150, {{'s', "key"}, {'i', "cost"}}},
      {"units_exp1.tsv", "TUnitInfoRec", "UnitInfoExp1", 150, {{'s', "key"}, {'i', "cost"}}},
      {"units_zeph.tsv",
       "TUnitInfoRecZeph",
       "UnitInfoZeph",
       150,
       {{'h', "hash"}, {'s', "key"}, {'i', "cost"}}},
      {"policies_base.tsv",
       "TPolicyInfoRec",
       "PolicyInfo",
       70,
       {{'s', "key"}, {'i', "branch"}, {'s', "name_ru"}}},
      {"policies_zeph.tsv",
       "TPolicyInfoRec",
       "PolicyInfoZeph",
       111,
       {{'s', "key"}, {'i', "branch"}, {'s', "name_ru"}}},
      {"techs_base.tsv",
       "TTechInfoRec",
       "TechInfo",
       74,
       {{'s', "key"}, {'i', "cost"}, {'i', "era"}}},
      {"techs_exp1.tsv",
       "TTechInfoRec",
       "TechInfoExp1",
       80,
       {{'s', "key"}, {'i', "cost"}, {'i', "era"}}},
      {"techs_zeph.tsv",
       "TTechInfoRec",
       "TechInfoZeph",
       81,
       {{'s', "key"}, {'i', "cost"}, {'i', "era"}}},
      {"map_plot_types.tsv",
       "TMapNameRec",
       "MapPlotTypes",
       4,
       {{'s', "key"}, {'s', "name_en"}, {'s', "name_ru"}}},
      {"map_terrains.tsv",
       "TMapNameRec",
       "MapTerrains",
       9,
       {{'s', "key"}, {'s', "name_en"}, {'s', "name_ru"}}},
      {"map_routes.tsv",
       "TMapNameRec",
       "MapRoutes",
       2,
       {{'s', "key"}, {'s', "name_en"}, {'s', "name_ru"}}},
      {"map_features_base.tsv",
       "TMapFeatureRec",
       "MapFeatures",
       18,
       {{'s', "key"}, {'h', "hash"}, {'i', "natural_wonder"}, {'s', "name_en"}, {'s', "name_ru"}}},
      {"map_features_exp1.tsv",
       "TMapFeatureRec",
       "MapFeaturesExp1",
       22,
       {{'s', "key"}, {'h', "hash"}, {'i', "natural_wonder"}, {'s', "name_en"}, {'s', "name_ru"}}},
      {"map_features_zeph.tsv",
       "TMapFeatureRec",
       "MapFeaturesZeph",
       25,
       {{'s', "key"}, {'h', "hash"}, {'i', "natural_wonder"}, {'s', "name_en"}, {'s', "name_ru"}}},
      {"map_resources_base.tsv",
       "TMapResourceRec",
       "MapResources",
       28,
       {{'s', "key"}, {'h', "hash"}, {'s', "class"}, {'s', "name_en"}, {'s', "name_ru"}}},
      {"map_resources_exp1.tsv",
       "TMapResourceRec",
       "MapResourcesExp1",
       35,
       {{'s', "key"}, {'h', "hash"}, {'s', "class"}, {'s', "name_en"}, {'s', "name_ru"}}},
      {"map_resources_zeph.tsv",
       "TMapResourceRec",
       "MapResourcesZeph",
       42,
       {{'s', "key"}, {'h', "hash"}, {'s', "class"}, {'s', "name_en"}, {'s', "name_ru"}}},
      {"map_improvements_base.tsv",
       "TMapImprovementRec",
       "MapImprovements",
       22,
       {{'s', "key"}, {'h', "hash"}, {'s', "name_en"}, {'s', "name_ru"}}},
      {"map_improvements_exp1.tsv",
       "TMapImprovementRec",
       "MapImprovementsExp1",
       24,
       {{'s', "key"}, {'h', "hash"}, {'s', "name_en"}, {'s', "name_ru"}}},
      {"map_improvements_zeph.tsv",
       "TMapImprovementRec",
       "MapImprovementsZeph",
       29,
       {{'s', "key"}, {'h', "hash"}, {'s', "name_en"}, {'s', "name_ru"}}},
      {"city_names.tsv",
       "TCityNameRec",
       "CityNameInfo",
       2362,
       {{'s', "key"}, {'s', "name_en"}, {'s', "name_ru"}},
       true},
  };
  try {
    std::ostringstream out;
    out << "// Generated from data/*.tsv by tools/gen_tables.cpp. Do not edit.\n"
        << "#include \"model/reference_tables.h\"\n#include \"model/type_hash.h\"\n\n"
        << "namespace vek5 {\n\n";
    for (const Table& table : tables) Emit(out, argv[1], table);
    out << "}  // namespace vek5\n";
    std::ofstream file(argv[2]);
    file << out.str();
    if (!file) throw std::runtime_error(std::string("cannot write ") + argv[2]);
  } catch (const std::exception& e) {
    std::cerr << "gen_tables: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
