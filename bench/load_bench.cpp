// What a load costs against the floors that ISA-L and zlib set: per save (the shared real saves
// when present and three large builder-made saves, one of them inflating about 70-fold),
// inflation alone, LoadSave, Save5Analyse as a whole and section by section, the content of every
// tab for the default selections, and the JSON document. BM_Budget measures all stages in turn and
// reports (load + analysis + tabs) against each floor; the budget is against ISA-L inflating into
// fresh memory ("ratio_isal").
#include <benchmark/benchmark.h>
#include <isa-l/igzip_lib.h>
#include <sys/mman.h>
#include <zlib.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "analysis/save5_analyse.h"
#include "analysis/sections.h"
#include "container/image_memory.h"
#include "container/save_image.h"
#include "large_save.h"
#include "support/save_builder.h"
#include "views/all_tabs.h"
#include "views/state_json.h"

namespace vek5 {
namespace {

// ----- The saves -----

constexpr const char* kSharedSaves[] = {"base-turn50.Vek5Save", "base-turn95.Vek5Save",
                                        "zeph-hotseat-turn164.Vek5Save", "zeph-turn238.Vek5Save"};

using bench::kLargeSaves;
using bench::LargeCase;

// Everything a benchmark of one save needs, prepared once.
struct Prepared {
  std::string Path;
  std::vector<uint8_t> Joined;  // the compressed stream: the chunks' bytes joined
  size_t BodySize = 0;
  SaveImage Image;
  std::unique_ptr<GameState> State;
};

int32_t LengthAt(const std::vector<uint8_t>& bytes, size_t at) {
  uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | (at + i < bytes.size() ? bytes[at + i] : 0);
  return static_cast<int32_t>(v);
}

std::vector<uint8_t> JoinedStream(const std::vector<uint8_t>& file) {
  size_t p = 8;
  while (p + 1 < file.size() && !(file[p] == 0x78 && file[p + 1] == 0x9C)) ++p;
  std::vector<uint8_t> joined;
  size_t at = p - 4;
  for (int32_t len = LengthAt(file, at); len > 1; len = LengthAt(file, at)) {
    const size_t take = std::min<size_t>(len, file.size() - at - 4);
    joined.insert(joined.end(), file.begin() + at + 4, file.begin() + at + 4 + take);
    at += 4 + static_cast<size_t>(len);
  }
  return joined;
}

// The floor: one zlib stream inflated in one call into the given room.
size_t InflateInto(const std::vector<uint8_t>& joined, uint8_t* out, size_t room) {
  z_stream stream{};
  if (inflateInit(&stream) != Z_OK) throw std::runtime_error("inflateInit");
  stream.next_in = const_cast<Bytef*>(joined.data());
  stream.avail_in = static_cast<uInt>(joined.size());
  stream.next_out = out;
  stream.avail_out = static_cast<uInt>(room);
  const int status = inflate(&stream, Z_FINISH);
  const size_t produced = room - stream.avail_out;
  inflateEnd(&stream);
  // The game's streams have no final block: zlib then stops for want of input.
  if (status != Z_STREAM_END && !(status == Z_BUF_ERROR && stream.avail_in == 0)) {
    throw std::runtime_error("inflate failed");
  }
  return produced;
}

// The ISA-L floor: the stream inflated in one call into the given room. The game's streams end
// without a final block, so running out of input ends the body.
size_t InflateWithIsal(const std::vector<uint8_t>& joined, uint8_t* out, size_t room) {
  auto state = std::make_unique<inflate_state>();
  isal_inflate_init(state.get());
  state->crc_flag = ISAL_DEFLATE;  // the deflate data alone, unsummed, as the loader reads it
  state->next_in = const_cast<uint8_t*>(joined.data() + 2);  // past the zlib header
  state->avail_in = static_cast<uint32_t>(joined.size() - 2);
  state->next_out = out;
  state->avail_out = static_cast<uint32_t>(room);
  if (isal_inflate(state.get()) != ISAL_DECOMP_OK) throw std::runtime_error("isal_inflate");
  return room - state->avail_out;
}

// Memory straight from the system, as a freshly started program gets it: every page faults on
// its first write. (The allocator would hand back the pages of the previous iteration.)
// Huge pages are advised, and the room is the loader's reservation for the largest image: a
// mapping of the body's size alone is not aligned for huge pages and would slow the floor down.
struct FreshMemory {
  explicit FreshMemory(size_t size = static_cast<size_t>(kMaxImageSize)) : Size(size) {
    void* m = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (m == MAP_FAILED) throw std::runtime_error("mmap");
    madvise(m, size, MADV_HUGEPAGE);
    Bytes = static_cast<uint8_t*>(m);
  }
  ~FreshMemory() { munmap(Bytes, Size); }
  FreshMemory(const FreshMemory&) = delete;
  FreshMemory& operator=(const FreshMemory&) = delete;
  size_t Size;
  uint8_t* Bytes;
};

std::string PathOf(const std::string& name) {
  for (const LargeCase& large : kLargeSaves) {
    if (name != large.Name) continue;
    const std::string path = testing::TempPath(name + ".Vek5Save");
    testing::WriteFile(path, bench::WriteLargeSave(large.Format));
    return path;
  }
  return testing::SharedSave(name);
}

const Prepared& Prepare(const std::string& name) {
  static std::map<std::string, std::unique_ptr<Prepared>> cache;
  auto& slot = cache[name];
  if (!slot) {
    auto p = std::make_unique<Prepared>();
    p->Path = PathOf(name);
    p->Joined = JoinedStream(testing::ReadFile(p->Path));
    p->Image = LoadSaveForAnalysis(p->Path);
    p->BodySize = p->Image.SaveBuffer.size();  // room enough for the body alone
    p->State = Save5Analyse(p->Image);
    slot = std::move(p);
  }
  return *slot;
}

// ----- The stages -----

void BM_Inflate(benchmark::State& st, std::string name) {
  const Prepared& p = Prepare(name);
  std::vector<uint8_t> out(p.BodySize);
  size_t produced = 0;
  for (auto _ : st) produced = InflateInto(p.Joined, out.data(), out.size());
  st.SetBytesProcessed(static_cast<int64_t>(st.iterations() * produced));
  st.counters["body_MB"] = static_cast<double>(produced) / 1e6;
}

void BM_InflateIsal(benchmark::State& st, std::string name) {
  const Prepared& p = Prepare(name);
  std::vector<uint8_t> out(p.BodySize);
  size_t produced = 0;
  for (auto _ : st) produced = InflateWithIsal(p.Joined, out.data(), out.size());
  st.SetBytesProcessed(static_cast<int64_t>(st.iterations() * produced));
  st.counters["body_MB"] = static_cast<double>(produced) / 1e6;
  st.counters["inflation_fold"] =
      static_cast<double>(produced) / static_cast<double>(p.Joined.size());
}

void BM_LoadSave(benchmark::State& st, std::string name) {
  const Prepared& p = Prepare(name);
  for (auto _ : st) benchmark::DoNotOptimize(LoadSaveForAnalysis(p.Path));
}

// The load without indexing the markers: what the index's thread costs the inflation.
void BM_LoadPlain(benchmark::State& st, std::string name) {
  const Prepared& p = Prepare(name);
  for (auto _ : st) benchmark::DoNotOptimize(LoadSave(p.Path));
}

void BM_Analyse(benchmark::State& st, std::string name) {
  const Prepared& p = Prepare(name);
  for (auto _ : st) benchmark::DoNotOptimize(Save5Analyse(p.Image));
}

void BM_AllTabs(benchmark::State& st, std::string name) {
  const Prepared& p = Prepare(name);
  for (auto _ : st) {
    ViewState view = FreshViewState(*p.State);
    benchmark::DoNotOptimize(BuildAllTabs(*p.State, view, TabSelection{}));
  }
}

// The JSON document of the analysis, written as the command-line tool writes it to a file.
void BM_Json(benchmark::State& st, std::string name) {
  const Prepared& p = Prepare(name);
  std::ofstream out(testing::TempPath("bench.json"), std::ios::binary);
  for (auto _ : st) {
    out.seekp(0);
    WriteStateJson(*p.State, out);
  }
  st.counters["json_MB"] = static_cast<double>(out.tellp()) / 1e6;
}

// The sections in the order Save5Analyse calls them, each with the main read position.
struct Section {
  const char* Name;
  void (*Run)(const SaveImage&, GameState&, int32_t&);
};
constexpr Section kSections[] = {
    {"ReadSettings", [](const SaveImage& s, GameState& g, int32_t& p) { ReadSettings(s, g, p); }},
    {"ReadSlotLists", [](const SaveImage& s, GameState& g, int32_t& p) { ReadSlotLists(s, g, p); }},
    {"ReadTurnTimer", [](const SaveImage& s, GameState& g, int32_t& p) { ReadTurnTimer(s, g, p); }},
    {"BuildPlayerList", [](const SaveImage&, GameState& g, int32_t&) { BuildPlayerList(g); }},
    {"ReadGameOptions",
     [](const SaveImage& s, GameState& g, int32_t& p) { ReadGameOptions(s, g, p); }},
    {"ReadBodyHeader", [](const SaveImage& s, GameState& g, int32_t&) { ReadBodyHeader(s, g); }},
    {"ReadReplayList",
     [](const SaveImage& s, GameState& g, int32_t& p) { ReadReplayList(s, g, p); }},
    {"ReadLeagueProjects",
     [](const SaveImage& s, GameState& g, int32_t& p) { ReadLeagueProjects(s, g, p); }},
    {"ReadReligions", [](const SaveImage& s, GameState& g, int32_t& p) { ReadReligions(s, g, p); }},
    // The two sections that place blocks by the players' records include the records' search.
    {"FindPlayerRecords",
     [](const SaveImage& s, GameState& g, int32_t&) { FindPlayerRecords(s, g); }},
    {"ReadHistory", [](const SaveImage& s, GameState& g,
                       int32_t&) { ReadHistory(s, g, FindPlayerRecords(s, g)); }},
    {"ReadInfluence", [](const SaveImage& s, GameState& g, int32_t&) { ReadInfluence(s, g); }},
    {"ReadPolicies", [](const SaveImage& s, GameState& g, int32_t&) { ReadPolicies(s, g); }},
    {"ReadTechnologies",
     [](const SaveImage& s, GameState& g, int32_t&) { ReadTechnologies(s, g); }},
    {"ReadEconomy", [](const SaveImage& s, GameState& g,
                       int32_t&) { ReadEconomy(s, g, FindPlayerRecords(s, g)); }},
    {"ReadNotificationLogs",
     [](const SaveImage& s, GameState& g, int32_t&) { ReadNotificationLogs(s, g); }},
    {"ReadCities", [](const SaveImage& s, GameState& g, int32_t&) { ReadCities(s, g); }},
    {"ComputeDerivedValues",
     [](const SaveImage&, GameState& g, int32_t&) { ComputeDerivedValues(g); }},
};
constexpr int32_t kFirstReadPosition = 4;
// Each iteration first copies the state the earlier sections leave (untimed but slow), so the
// count is fixed instead of grown until the timed part fills the minimum time.
constexpr int kSectionIterations = 20;

// One section on the state the sections before it leave; the copy of that state is not timed.
void BM_Section(benchmark::State& st, std::string name, size_t index) {
  const Prepared& p = Prepare(name);
  auto before = NewGameState();
  int32_t pos_before = kFirstReadPosition;
  for (size_t i = 0; i < index; ++i) kSections[i].Run(p.Image, *before, pos_before);
  auto work = NewGameState();
  for (auto _ : st) {
    st.PauseTiming();
    *work = *before;
    int32_t pos = pos_before;
    st.ResumeTiming();
    kSections[index].Run(p.Image, *work, pos);
  }
}

// All stages in turn; the counters hold each stage's fastest time in ms and the ratio of
// load + analysis + tabs to each floor. The zlib floor inflates into a buffer that is already
// there; floor_fresh (zlib) and floor_isal (ISA-L) inflate into newly mapped memory, as any
// program that inflates a save must (the first write to each fresh page costs a page fault),
// with ratio_fresh and ratio_isal against them.
void BM_Budget(benchmark::State& st, std::string name) {
  using Clock = std::chrono::steady_clock;
  const Prepared& p = Prepare(name);
  std::vector<uint8_t> out(p.BodySize);
  enum Stage { kFloor, kFloorFresh, kFloorIsal, kLoad, kAnalyse, kTabs, kStages };
  double best[kStages];
  std::fill(std::begin(best), std::end(best), 1e99);
  auto note = [&best](Stage stage, Clock::time_point from, Clock::time_point to) {
    best[stage] =
        std::min(best[stage], std::chrono::duration<double, std::milli>(to - from).count());
  };
  for (auto _ : st) {
    const auto t0 = Clock::now();
    benchmark::DoNotOptimize(InflateInto(p.Joined, out.data(), out.size()));
    const auto t1 = Clock::now();
    {
      FreshMemory fresh;
      benchmark::DoNotOptimize(InflateInto(p.Joined, fresh.Bytes, p.BodySize));
    }
    const auto t2a = Clock::now();
    Clock::time_point t2a_end;
    {
      FreshMemory fresh;
      benchmark::DoNotOptimize(InflateWithIsal(p.Joined, fresh.Bytes, p.BodySize));
      t2a_end = Clock::now();  // the release is not timed, as the image's release is not
    }
    const auto t2 = Clock::now();
    const SaveImage image = LoadSaveForAnalysis(p.Path);  // as the program loads
    const auto t3 = Clock::now();
    const auto state = Save5Analyse(image);
    const auto t4 = Clock::now();
    ViewState view = FreshViewState(*state);
    benchmark::DoNotOptimize(BuildAllTabs(*state, view, TabSelection{}));
    const auto t5 = Clock::now();
    note(kFloor, t0, t1);
    note(kFloorFresh, t1, t2a);
    note(kFloorIsal, t2a, t2a_end);
    note(kLoad, t2, t3);
    note(kAnalyse, t3, t4);
    note(kTabs, t4, t5);
  }
  const double total = best[kLoad] + best[kAnalyse] + best[kTabs];
  st.counters["floor_ms"] = best[kFloor];
  st.counters["floor_fresh_ms"] = best[kFloorFresh];
  st.counters["floor_isal_ms"] = best[kFloorIsal];
  st.counters["load_ms"] = best[kLoad];
  st.counters["analyse_ms"] = best[kAnalyse];
  st.counters["tabs_ms"] = best[kTabs];
  st.counters["ratio"] = total / best[kFloor];
  st.counters["ratio_fresh"] = total / best[kFloorFresh];
  st.counters["ratio_isal"] = total / best[kFloorIsal];
}

std::vector<std::string> SaveNames() {
  std::vector<std::string> names;
  for (const char* shared : kSharedSaves) {
    if (!testing::SharedSave(shared).empty()) names.emplace_back(shared);
  }
  for (const LargeCase& large : kLargeSaves) names.emplace_back(large.Name);
  return names;
}

int RegisterAll() {
  using benchmark::RegisterBenchmark;
  PrepareProcessHeap();  // as the programs do
  for (const std::string& name : SaveNames()) {
    RegisterBenchmark(("BM_Budget/" + name).c_str(), BM_Budget, name)
        ->Unit(benchmark::kMillisecond)
        ->MinTime(2.0);
    RegisterBenchmark(("BM_Inflate/" + name).c_str(), BM_Inflate, name)
        ->Unit(benchmark::kMillisecond);
    RegisterBenchmark(("BM_InflateIsal/" + name).c_str(), BM_InflateIsal, name)
        ->Unit(benchmark::kMillisecond);
    RegisterBenchmark(("BM_LoadSave/" + name).c_str(), BM_LoadSave, name)
        ->Unit(benchmark::kMillisecond);
    RegisterBenchmark(("BM_LoadPlain/" + name).c_str(), BM_LoadPlain, name)
        ->Unit(benchmark::kMillisecond);
    RegisterBenchmark(("BM_Analyse/" + name).c_str(), BM_Analyse, name)
        ->Unit(benchmark::kMillisecond);
    RegisterBenchmark(("BM_AllTabs/" + name).c_str(), BM_AllTabs, name)
        ->Unit(benchmark::kMillisecond);
    RegisterBenchmark(("BM_Json/" + name).c_str(), BM_Json, name)->Unit(benchmark::kMillisecond);
    for (size_t i = 0; i < std::size(kSections); ++i) {
      RegisterBenchmark(("BM_Section/" + name + "/" + kSections[i].Name).c_str(), BM_Section, name,
                        i)
          ->Unit(benchmark::kMicrosecond)
          ->Iterations(kSectionIterations);
    }
  }
  return 0;
}

const int kRegistered = RegisterAll();

}  // namespace
}  // namespace vek5
