// Shared by the city tests: a save image holding written city records, and a game state with the
// header facts a record form needs.
#pragma once

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "analysis/sections.h"
#include "container/save_image.h"
#include "model/game_state.h"
#include "support/city_writer.h"

namespace vek5::testing {

struct FormCase {
  CityRecordForm Form;
  std::string Name;
  int32_t Zeph = 0;
  int32_t Exp1 = 0;
  int32_t SlotKeys = 0;
  int32_t Build341540 = 0;
  bool Keyed() const { return Zeph == 0; }
};

inline void PrintTo(const FormCase& form, std::ostream* out) {
  *out << form.Name;
}

inline const std::vector<FormCase>& AllForms() {
  static const std::vector<FormCase> forms = {
      {CityRecordForm::Base, "Base", 0, 0, 0, 0},
      {CityRecordForm::BaseSlotKeys, "BaseSlotKeys", 0, 0, -1, -1},
      {CityRecordForm::Exp1, "Exp1", 0, -1, -1, 0},
      {CityRecordForm::Exp1Late, "Exp1Late", 0, -1, -1, -1},
      {CityRecordForm::Zeph, "Zeph", -1, -1, -1, -1},
      {CityRecordForm::ZephFinal, "ZephFinal", -1, -1, -1, -1},
  };
  return forms;
}

// An image whose body is a short lead-in followed by the given bytes.
inline SaveImage ImageOf(const std::vector<uint8_t>& body) {
  SaveImage image;
  image.SaveBuffer.assign(256, 0);
  image.SaveBuffer.insert(image.SaveBuffer.end(), body.begin(), body.end());
  image.SaveBuffer.resize(image.SaveBuffer.size() + 256, 0);
  image.DataLength = static_cast<int32_t>(image.SaveBuffer.size());
  image.BodyOffset = 16;
  return image;
}

// Six players: entries 0-3 are slots 0-3, entries 4 and 5 the city-states of slots 22 and 23.
inline std::unique_ptr<GameState> StateFor(const FormCase& form) {
  auto state = NewGameState();
  state->ZephPresent = form.Zeph;
  state->Exp1Present = form.Exp1;
  state->SlotKeysPresent = form.SlotKeys;
  state->Build341540OrLater = form.Build341540;
  state->SpeedIndex = 2;
  state->SpeedPercent = 100;
  state->LevelMod2 = 100;
  state->EraMod1 = 100;
  state->PlayerCount = 6;
  const int32_t slots[] = {0, 1, 2, 3, 22, 23};
  for (int e = 0; e < 6; ++e) {
    state->Leaders[e].Slot = slots[e];
    state->SlotCivType[slots[e]] = e < 4 ? e : 18;
    state->Leaders[e].SlotIsMinor = e < 4 ? 0 : 1;
  }
  return state;
}

// Reads city records of the parameter's form with the state that form's save would have.
class CityFormTest : public ::testing::TestWithParam<FormCase> {
 protected:
  GameState& Read(const std::vector<CityDescription>& cities) {
    image_ = ImageOf(WriteCityRecords(GetParam().Form, cities));
    state_ = StateFor(GetParam());
    ReadCities(image_, *state_);
    return *state_;
  }
  SaveImage image_;
  std::unique_ptr<GameState> state_;
};

}  // namespace vek5::testing
