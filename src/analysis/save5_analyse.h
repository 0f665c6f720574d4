// The analysis: one pass over an assembled save image that fills a fresh game-state model.
#pragma once

#include <memory>
#include <stdexcept>
#include <string>

#include "container/save_image.h"
#include "model/game_state.h"

namespace vek5 {

// A save whose content cannot be analysed (for example a build text that is not a number).
class AnalysisError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// LoadSave, recording on the way the occurrences of the markers the analysis searches for: the
// body is scanned on another core while it inflates, instead of after it.
SaveImage LoadSaveForAnalysis(const std::string& file_name);

// The threads an analysis reads the body's sections on. The result is the same either way. A
// process that analyses one save and exits does better with one: each helper thread starts a heap
// of its own, whose pages all fault on first use, which costs a fresh process more than the
// helper saves. A process that analyses save after save (the window) keeps its helpers' heaps.
enum class AnalysisThreads { kOne, kAllCores };

// A pure function of the image: the returned model holds nothing of any earlier save.
// Throws AnalysisError.
std::unique_ptr<GameState> Save5Analyse(const SaveImage& save,
                                        AnalysisThreads threads = AnalysisThreads::kAllCores);

// LoadSaveForAnalysis and Save5Analyse on one thread, for a process that analyses this one save
// and exits (see AnalysisThreads). Throws LoadError and AnalysisError.
std::unique_ptr<GameState> AnalyseSaveFile(const std::string& file_name);

}  // namespace vek5
