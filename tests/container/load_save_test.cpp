#include "container/save_image.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <sys/stat.h>
#include <filesystem>
#include <string>

#include "container/readers.h"
#include "support/save_builder.h"

namespace vek5 {
namespace {

using testing::BuildSaveFile;
using testing::ByteWriter;
using testing::SaveFileParts;

std::vector<uint8_t> Bytes(std::string_view text) {
  return {text.begin(), text.end()};
}

std::vector<uint8_t> Concat(std::initializer_list<std::vector<uint8_t>> parts) {
  std::vector<uint8_t> all;
  for (const auto& p : parts) all.insert(all.end(), p.begin(), p.end());
  return all;
}

std::vector<uint8_t> Le32(int32_t v) {
  ByteWriter w;
  w.Int(v);
  return w.bytes();
}

std::vector<uint8_t> Image(const SaveImage& image) {
  return {image.SaveBuffer.begin(), image.SaveBuffer.begin() + image.DataLength};
}

const std::vector<uint8_t> kHeader = Bytes("HEADER--header--");
const std::vector<uint8_t> kBody = Bytes(std::string(5000, 'b') + "the body of the save");
const std::vector<uint8_t> kTail = Bytes("TAIL");

TEST(AssembleSave, OneChunkKeepsHeaderThenBodyThenTerminatorAndTail) {
  const auto file = BuildSaveFile({kHeader, kBody, {}, 0, kTail});
  const SaveImage image = AssembleSave(file);
  EXPECT_EQ(image.BodyOffset, static_cast<int32_t>(kHeader.size() + 4));
  EXPECT_EQ(Image(image), Concat({kHeader, Bytes("BODY"), kBody, Le32(0), kTail}));
  EXPECT_EQ(image.DataLength, static_cast<int32_t>(image.SaveBuffer.size()));
}

TEST(AssembleSave, SeveralChunksStartTheTailBeforeTheTerminator) {
  // With n chunks the tail carries the last 4 (n - 1) bytes of compressed data.
  const auto file = BuildSaveFile({kHeader, kBody, {20, 20}, 0, kTail});
  const SaveImage image = AssembleSave(file);
  const size_t tail_length = 4 * 2 + 4 + kTail.size();
  const std::vector<uint8_t> file_tail(file.end() - static_cast<long>(tail_length), file.end());
  EXPECT_EQ(Image(image), Concat({kHeader, Bytes("BODY"), kBody, file_tail}));
}

TEST(AssembleSave, ALengthOfOneOrLessEndsTheChunkList) {
  for (const int32_t terminator : {1, 0, -5}) {
    SCOPED_TRACE(terminator);
    const SaveImage image = AssembleSave(BuildSaveFile({kHeader, kBody, {}, terminator, kTail}));
    EXPECT_EQ(Image(image), Concat({kHeader, Bytes("BODY"), kBody, Le32(terminator), kTail}));
  }
}

TEST(AssembleSave, MissingTerminatorEndsAtTheEndOfTheFile) {
  auto file = BuildSaveFile({kHeader, kBody, {}, 0, {}});
  file.resize(file.size() - 4);
  const SaveImage image = AssembleSave(file);
  EXPECT_EQ(Image(image), Concat({kHeader, Bytes("BODY"), kBody}));
}

TEST(AssembleSave, AChunkRunningPastTheEndIsCutThere) {
  auto file = BuildSaveFile({kHeader, kBody, {}, 0, {}});
  file.resize(file.size() - 4);
  ByteWriter w;
  w.PutInt(0, 1 << 30);
  std::copy(w.bytes().begin(), w.bytes().end(), file.begin() + static_cast<long>(kHeader.size()));
  const SaveImage image = AssembleSave(file);
  EXPECT_EQ(Image(image), Concat({kHeader, Bytes("BODY"), kBody}));
}

TEST(AssembleSave, TheFirstZlibPairWins) {
  // A pair inside the header is taken as the stream; what follows there is no zlib stream.
  const std::vector<uint8_t> header = Concat({Bytes("HEADER--"), {0x78, 0x9C}, Bytes("rest")});
  EXPECT_THROW(AssembleSave(BuildSaveFile({header, kBody, {}, 0, kTail})), LoadError);
}

TEST(AssembleSave, FilesWithoutAStreamAtOffsetEightOrMoreAreRefused) {
  const std::vector<std::vector<uint8_t>> files = {
      {},
      {0x78, 0x9C, 0x00},
      Concat({Bytes("abc"), {0x78, 0x9C}, Bytes("more text here")}),
      Bytes("a text file that has nothing of a save"),
  };
  for (const auto& file : files) {
    try {
      AssembleSave(file);
      ADD_FAILURE() << "accepted a file of " << file.size() << " bytes";
    } catch (const LoadError& e) {
      EXPECT_EQ(std::string(e.what()).rfind("This file is not a Vek5 save", 0), 0u) << e.what();
    }
  }
}

TEST(AssembleSave, ADamagedStreamIsAnErrorSayingWhatIsWrong) {
  auto file = BuildSaveFile({kHeader, kBody, {}, 0, kTail});
  file[kHeader.size() + 4 + 2] ^= 0xFF;  // first byte of deflate data
  file[kHeader.size() + 4 + 3] ^= 0xFF;
  try {
    AssembleSave(file);
    FAIL() << "a damaged stream was accepted";
  } catch (const LoadError& e) {
    EXPECT_NE(std::string(e.what()).find("damaged: "), std::string::npos) << e.what();
    EXPECT_EQ(std::string(e.what()).find("code"), std::string::npos) << e.what();
  }
}

TEST(AssembleSave, AnEmptyJoinIsAnInflationError) {
  ByteWriter w;
  w.Bytes(kHeader);
  w.Int(0);  // length field before the stream: no chunk at all
  w.Bytes({0x78, 0x9C, 1, 2, 3});
  EXPECT_THROW(AssembleSave(w.bytes()), LoadError);
}

TEST(AssembleSave, ATruncatedStreamGivesAShorterBody) {
  std::vector<uint8_t> body(200000);
  for (size_t i = 0; i < body.size(); ++i) body[i] = static_cast<uint8_t>((i * 7919) >> 5);
  auto file = BuildSaveFile({kHeader, body, {}, 0, {}});
  const size_t stream_size = file.size() - kHeader.size() - 8;
  file.resize(kHeader.size() + 4 + stream_size / 2);  // half the stream, no terminator
  const SaveImage image = AssembleSave(file);
  const int32_t body_length = image.DataLength - image.BodyOffset;
  EXPECT_GT(body_length, 0);
  EXPECT_LT(body_length, static_cast<int32_t>(body.size()));
  EXPECT_TRUE(std::equal(body.begin(), body.begin() + body_length,
                         image.SaveBuffer.begin() + image.BodyOffset));
}

// Given the patterns, the load indexes them while the body inflates: over header, body and
// tail, across the inflater's windows, as an index made of the finished image.
TEST(AssembleSave, IndexesTheGivenPatternsAsItInflates) {
  const std::vector<std::string> patterns = {"GAMEOPTION_", "HEADER", "TAIL", "body of",
                                             std::string("\x19\x03\x01\xF5", 4)};
  std::vector<uint8_t> body(6'000'000);
  for (size_t i = 0; i < body.size(); ++i) body[i] = static_cast<uint8_t>((i * 7919) >> 7);
  for (size_t at = 1000; at + 16 < body.size(); at += 262'139) {  // across the windows' borders
    const std::string& p = patterns[at % patterns.size()];
    std::copy(p.begin(), p.end(), body.begin() + static_cast<std::ptrdiff_t>(at));
  }
  const auto file = BuildSaveFile({kHeader, body, {}, 0, kTail});
  const SaveImage image = AssembleSave(file, patterns);
  const uint8_t* data = image.SaveBuffer.data();
  const int64_t n = image.DataLength;
  ASSERT_TRUE(image.Markers.Covers(data, n));
  const MarkerIndex after(data, n, patterns);
  for (const std::string& p : patterns) {
    int found = 0;
    for (int64_t at = 0; at >= 0; ++found) {
      const auto hit = image.Markers.First(data, n, p, at);
      ASSERT_TRUE(hit.has_value()) << p;
      ASSERT_EQ(hit, after.First(data, n, p, at)) << p << " from " << at;
      at = *hit < 0 ? -1 : *hit + 1;
    }
    EXPECT_GT(found, 1) << p;
  }
  const SaveImage plain = AssembleSave(file);
  EXPECT_FALSE(plain.Markers.Covers(plain.SaveBuffer.data(), plain.DataLength));
}

TEST(AssembleSave, ThousandsOfTinyChunksJoin) {
  const auto file = BuildSaveFile({kHeader, kBody, std::vector<size_t>(3000, 2), 0, {}});
  const SaveImage image = AssembleSave(file);
  EXPECT_TRUE(std::equal(kBody.begin(), kBody.end(), image.SaveBuffer.begin() + image.BodyOffset));
}

TEST(LoadSave, ReadsTheFileAndTellsItsDate) {
  const std::string path = testing::TempPath("Сохранение 1.Vek5Save");
  testing::WriteFile(path, BuildSaveFile({kHeader, kBody, {}, 0, kTail}));
  const SaveImage image = LoadSave(path);
  EXPECT_EQ(image.FileName, path);
  EXPECT_EQ(image.FileDate.size(), 19u) << image.FileDate;
  EXPECT_EQ(Image(image), Image(AssembleSave(testing::ReadFile(path))));
}

TEST(LoadSave, AnUnopenableFileIsAnErrorNamingIt) {
  const std::string path = testing::TempPath("missing.Vek5Save");
  try {
    LoadSave(path);
    FAIL();
  } catch (const LoadError& e) {
    EXPECT_NE(std::string(e.what()).find(path), std::string::npos);
  }
}

TEST(LoadSave, AFolderIsRefusedAsAFolder) {
  const std::string folder = testing::TempPath("");
  try {
    LoadSave(folder);
    FAIL();
  } catch (const LoadError& e) {
    EXPECT_NE(std::string(e.what()).find("is a folder"), std::string::npos) << e.what();
  }
}

// A pipe would block the read until a writer came; a device would never end.
TEST(LoadSave, APipeOrADeviceIsRefusedWithoutWaiting) {
  const std::string pipe = testing::TempPath("waiting.Vek5Save");
  std::filesystem::remove(pipe);
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
  for (const std::string& path : {pipe, std::string("/dev/zero")}) {
    try {
      LoadSave(path);
      ADD_FAILURE() << path;
    } catch (const LoadError& e) {
      EXPECT_NE(std::string(e.what()).find("pipe, device or socket"), std::string::npos)
          << e.what();
    }
  }
  std::filesystem::remove(pipe);
}

TEST(LoadSave, AFileAboveTheSizeLimitIsRefusedUnread) {
  const std::string path = testing::TempPath("huge.Vek5Save");
  testing::WriteFile(path, {1});
  std::filesystem::resize_file(path, kMaxFileSize + 1);  // sparse: costs no disk
  try {
    LoadSave(path);
    FAIL();
  } catch (const LoadError& e) {
    EXPECT_NE(std::string(e.what()).find("256 MiB"), std::string::npos) << e.what();
  }
}

TEST(ExportImage, WritesExactlyTheAssembledImage) {
  const SaveImage image = AssembleSave(BuildSaveFile({kHeader, kBody, {7}, 0, kTail}));
  const std::string path = testing::TempPath("export.bin");
  ExportImage(image, path);
  const auto written = testing::ReadFile(path);
  EXPECT_EQ(written, Image(image));
  EXPECT_EQ(std::string(written.begin() + image.BodyOffset - 4, written.begin() + image.BodyOffset),
            "BODY");
  EXPECT_THROW(ExportImage(image, testing::TempPath("no/such/folder/x")), LoadError);
}

TEST(SharedSaves, EachAssemblesWithItsBody) {
  for (const char* name :
       {"base-turn95.Vek5Save", "zeph-hotseat-turn164.Vek5Save", "zeph-turn238.Vek5Save"}) {
    const std::string path = testing::SharedSave(name);
    if (path.empty()) GTEST_SKIP() << "shared saves are not present";
    const SaveImage image = LoadSave(path);
    EXPECT_GT(image.DataLength - image.BodyOffset, 17'000'000) << name;
    EXPECT_EQ(FindStr(image, "BODY", 0), image.BodyOffset - 4) << name;
  }
}

// A body compressed as the game writes it: ended by a sync flush, with no final block.
std::vector<uint8_t> SyncFlushed(const std::vector<uint8_t>& body) {
  z_stream stream{};
  if (deflateInit(&stream, 6) != Z_OK) throw std::runtime_error("deflateInit failed");
  std::vector<uint8_t> out(deflateBound(&stream, body.size()) + 16);
  stream.next_in = const_cast<Bytef*>(body.data());
  stream.avail_in = static_cast<uInt>(body.size());
  stream.next_out = out.data();
  stream.avail_out = static_cast<uInt>(out.size());
  deflate(&stream, Z_SYNC_FLUSH);
  out.resize(out.size() - stream.avail_out);
  deflateEnd(&stream);
  return out;
}

// One chunk holding the stream (its length field says declared bytes), then the file ends.
std::vector<uint8_t> OneChunkFile(const std::vector<uint8_t>& stream, size_t kept,
                                  int32_t declared) {
  return Concat({kHeader, Le32(declared), {stream.begin(), stream.begin() + kept}});
}

std::vector<uint8_t> NoisyBody(size_t size) {
  std::vector<uint8_t> body(size);
  for (size_t i = 0; i < body.size(); ++i) body[i] = static_cast<uint8_t>((i * 7919) >> 5);
  return body;
}

// Whether a file ends early is told by where the stream stops (inside a block or at a block's
// end) and by chunk lengths that run past the end of the file.
TEST(AssembleSave, TellsASaveThatEndsEarly) {
  const std::vector<uint8_t> body = NoisyBody(300000);
  const std::vector<uint8_t> flushed = SyncFlushed(body);
  const int32_t size = static_cast<int32_t>(flushed.size());
  struct Case {
    const char* Name;
    std::vector<uint8_t> File;
    bool EndsEarly;
    int32_t ShareRead;
  };
  const Case cases[] = {
      {"whole, ended by a sync flush", Concat({OneChunkFile(flushed, size, size), Le32(0)}), false,
       -1},
      {"whole, ended by the stream's end mark", BuildSaveFile({kHeader, body, {}, 0, {}}), false,
       -1},
      {"cut inside a block, framing intact", OneChunkFile(flushed, size / 2, size / 2), true, -1},
      {"cut with its chunk", OneChunkFile(flushed, size / 4, size), true,
       static_cast<int32_t>(int64_t{size / 4} * 100 / size)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    const SaveImage image = AssembleSave(c.File);
    EXPECT_EQ(image.EndsEarly, c.EndsEarly);
    EXPECT_EQ(image.BodyShareRead, c.ShareRead);
    if (c.EndsEarly) {
      EXPECT_GT(image.BodyLength, 0);
      EXPECT_LT(image.BodyLength, static_cast<int32_t>(body.size()));
    } else {
      EXPECT_EQ(image.BodyLength, static_cast<int32_t>(body.size()));
    }
  }
}

// Each kind of file that is no save gets its own first line.
TEST(LoadSave, SaysWhatIsWrongWithAFileThatIsNoSave) {
  const std::string folder = testing::TempPath("a-folder.Vek5Save");
  std::filesystem::create_directories(folder);
  const std::string empty = testing::TempPath("empty.Vek5Save");
  testing::WriteFile(empty, {});
  const std::string text = testing::TempPath("notes.txt");
  testing::WriteFile(text, Bytes("a text file that has nothing of a save"));
  const struct {
    std::string File;
    std::string FirstLine;
  } cases[] = {
      {folder, "This is a folder, not a save file."},
      {empty, "This file is empty; it is not a save."},
      {text, "This file is not a Vek5 save: it holds no game data."},
      {testing::TempPath("missing.Vek5Save"), "The file cannot be opened."},
  };
  for (const auto& c : cases) {
    try {
      LoadSave(c.File);
      ADD_FAILURE() << "accepted " << c.File;
    } catch (const LoadError& e) {
      const std::string message = e.what();
      EXPECT_EQ(message.substr(0, message.find('\n')), c.FirstLine);
    }
  }
}

TEST(SharedSaves, NoneEndsEarly) {
  for (const char* name : {"base-turn50.Vek5Save", "base-turn95.Vek5Save",
                           "zeph-hotseat-turn164.Vek5Save", "zeph-turn238.Vek5Save"}) {
    const std::string path = testing::SharedSave(name);
    if (path.empty()) GTEST_SKIP() << "shared saves are not present";
    EXPECT_FALSE(LoadSave(path).EndsEarly) << name;
  }
}

}  // namespace
}  // namespace vek5
