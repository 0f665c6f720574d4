// Folders a batch may be pointed at that hold more than saves: every hostile entry either gets a
// row with a clear message or is passed by for a reason the search states, the batch ends, and
// the good save beside it is analysed as if it were alone.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "series/batch_analysis.h"
#include "series/save_search.h"
#include "series_fixture.h"

namespace vek5 {
namespace {

namespace fs = std::filesystem;
using testing::SeriesFolder;
using testing::SeriesGame;
using testing::WriteGameSave;

constexpr int32_t kGoodTurn = 12;

// The batch over a folder (and any files given besides it), on several workers.
std::vector<SaveRecord> Batch(const std::vector<std::string>& paths) {
  BatchOptions options;
  options.Threads = 3;
  return AnalyseSaves(FindSaveFiles(paths), options);
}

const SaveRecord* RowOf(const std::vector<SaveRecord>& rows, const std::string& path) {
  for (const SaveRecord& row : rows) {
    if (row.Path == path) return &row;
  }
  return nullptr;
}

// The good save has its row, analysed in full.
void ExpectGoodSave(const std::vector<SaveRecord>& rows, const std::string& path) {
  const SaveRecord* row = RowOf(rows, path);
  ASSERT_NE(row, nullptr) << path;
  EXPECT_TRUE(row->Loaded()) << row->Error;
  EXPECT_EQ(row->Summary.CurrentTurn, kGoodTurn);
  EXPECT_TRUE(row->Summary.BodyComplete);
}

// A failed row that says what is wrong.
void ExpectFailedRow(const std::vector<SaveRecord>& rows, const std::string& path,
                     const std::string& reason) {
  const SaveRecord* row = RowOf(rows, path);
  ASSERT_NE(row, nullptr) << path;
  EXPECT_FALSE(row->Loaded());
  EXPECT_NE(row->Error.find(reason), std::string::npos) << row->Error;
}

class HostileFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = SeriesFolder(::testing::UnitTest::GetInstance()->current_test_info()->name());
    good_ = WriteGameSave(folder_, "good.Vek5Save", SeriesGame(kGoodTurn));
  }

  std::string folder_;
  std::string good_;
};

TEST_F(HostileFolder, SymbolicLinkLoops) {
  // A link back to the folder itself is not followed: the good save is found once.
  fs::create_directory_symlink(folder_, folder_ + "/back_up");
  fs::create_directory_symlink(folder_ + "/back_up", folder_ + "/deeper.Vek5Save");
  // Two links named as saves that lead to each other: rows that say so.
  fs::create_symlink(folder_ + "/b.Vek5Save", folder_ + "/a.Vek5Save");
  fs::create_symlink(folder_ + "/a.Vek5Save", folder_ + "/b.Vek5Save");
  const std::vector<SaveRecord> rows = Batch({folder_});
  ASSERT_EQ(rows.size(), 3u);
  ExpectGoodSave(rows, good_);
  ExpectFailedRow(rows, folder_ + "/a.Vek5Save", "symbolic links");
  ExpectFailedRow(rows, folder_ + "/b.Vek5Save", "symbolic links");
}

TEST_F(HostileFolder, UnreadableFile) {
  const std::string locked = WriteGameSave(folder_, "locked.Vek5Save", SeriesGame(5));
  fs::permissions(locked, fs::perms::none);
  if (std::ifstream(locked).good()) {
    fs::permissions(locked, fs::perms::owner_all);
    GTEST_SKIP() << "running with the right to read any file (as root): a file without read "
                    "permission is still readable here";
  }
  const std::vector<SaveRecord> rows = Batch({folder_});
  fs::permissions(locked, fs::perms::owner_all);
  ASSERT_EQ(rows.size(), 2u);
  ExpectGoodSave(rows, good_);
  ExpectFailedRow(rows, locked, "cannot be opened");
  ExpectFailedRow(rows, locked, "Permission denied");
}

TEST_F(HostileFolder, FileThatGrowsWhileItIsRead) {
  // A whole save followed by bytes a writer keeps appending until the batch has ended: the
  // load reads what the file held when it was opened, so the batch ends and the save reads.
  const std::string growing = WriteGameSave(folder_, "growing.Vek5Save", SeriesGame(7));
  std::atomic<bool> done{false};
  std::thread writer([&] {
    std::ofstream out(growing, std::ios::binary | std::ios::app);
    const std::string junk(4096, '\x5A');
    while (!done.load()) {
      out.write(junk.data(), static_cast<std::streamsize>(junk.size()));
      out.flush();
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
  });
  std::vector<SaveRecord> rows;
  for (int round = 0; round < 5; ++round) rows = Batch({folder_});
  done = true;
  writer.join();
  ASSERT_EQ(rows.size(), 2u);
  ExpectGoodSave(rows, good_);
  const SaveRecord* row = RowOf(rows, growing);
  ASSERT_NE(row, nullptr);
  EXPECT_TRUE(row->Loaded()) << row->Error;
  EXPECT_EQ(row->Summary.CurrentTurn, 7);
}

TEST_F(HostileFolder, TenThousandTinyFilesThatAreNotSaves) {
  // Half are named as saves and give a row each saying they are not; the other half are not
  // named as saves, and a folder's search takes only files named so.
  constexpr int kTinyFiles = 10000;
  for (int i = 0; i < kTinyFiles; ++i) {
    const std::string name = "tiny" + std::to_string(i) + (i % 2 == 0 ? ".Vek5Save" : ".txt");
    std::ofstream(folder_ + "/" + name, std::ios::binary) << "not a save " << i;
  }
  const std::vector<SaveRecord> rows = Batch({folder_});
  ASSERT_EQ(rows.size(), static_cast<size_t>(kTinyFiles / 2 + 1));
  ExpectGoodSave(rows, good_);
  for (const SaveRecord& row : rows) {
    if (row.Path == good_) continue;
    EXPECT_NE(row.Error.find("not a Vek5 save"), std::string::npos) << row.Path << row.Error;
  }
}

TEST_F(HostileFolder, SaveRenamedToAnotherExtensionGivenExplicitly) {
  const std::string renamed = folder_ + "/game.txt";
  fs::copy_file(good_, renamed);
  // Found in the folder it is not (its name does not say save); given by name it is analysed.
  const std::vector<SaveRecord> rows = Batch({folder_, renamed});
  ASSERT_EQ(rows.size(), 2u);
  ExpectGoodSave(rows, good_);
  ExpectGoodSave(rows, renamed);
}

}  // namespace
}  // namespace vek5
