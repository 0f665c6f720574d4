#include "analysis/save5_analyse.h"

#include <algorithm>

#include "analysis/searched_markers.h"
#include "analysis/sections.h"

namespace vek5 {
namespace {

// The occurrences of the searched markers on the image for the time of one analysis, so that the
// sections' searches answer from them: those the load recorded, or else recorded now and
// dropped at the end. The image's bytes do not change meanwhile.
class IndexedMarkers {
 public:
  explicit IndexedMarkers(const SaveImage& save) : save_(save) {
    const int64_t size = std::min<int64_t>(save.DataLength, save.SaveBuffer.size());
    if (save.Markers.Covers(save.SaveBuffer.data(), size)) return;
    save_.Markers = MarkerIndex(save.SaveBuffer.data(), size, markers::SearchedPatterns());
    made_here_ = true;
  }
  ~IndexedMarkers() {
    if (made_here_) save_.Markers = MarkerIndex();
  }
  IndexedMarkers(const IndexedMarkers&) = delete;
  IndexedMarkers& operator=(const IndexedMarkers&) = delete;

 private:
  const SaveImage& save_;
  bool made_here_ = false;
};

}  // namespace

SaveImage LoadSaveForAnalysis(const std::string& file_name) {
  return LoadSave(file_name, markers::SearchedPatterns());
}

std::unique_ptr<GameState> Save5Analyse(const SaveImage& save) {
  // ReadHistory makes one history set per Leaders entry, not all kMaxSlots up front.
  const IndexedMarkers indexed(save);
  auto state = std::make_unique<GameState>();
  GameState& s = *state;
  int32_t pos = 4;  // the first four bytes of a save are never read
  s.BodyEndsEarly = save.EndsEarly ? kTrue : kFalse;
  s.BodyLength = save.BodyLength;
  s.BodyShareRead = save.BodyShareRead;

  ReadSettings(save, s, pos);
  ReadSlotLists(save, s, pos);
  ReadTurnTimer(save, s, pos);
  BuildPlayerList(s);
  ReadGameOptions(save, s, pos);

  ReadBodyHeader(save, s);
  ReadReplayList(save, s, pos);

  ReadLeagueProjects(save, s, pos);
  ReadReligions(save, s, pos);
  // The players' records tell which slot each history block belongs to.
  const std::vector<PlayerRecord> records = FindPlayerRecords(save, s);
  ReadHistory(save, s, records);
  ReadInfluence(save, s);
  ReadPolicies(save, s);
  ReadTechnologies(save, s);
  ReadEconomy(save, s, records);
  ReadNotificationLogs(save, s);

  ReadCities(save, s);
  ComputeDerivedValues(s);
  return state;
}

}  // namespace vek5
