#pragma once

#include <string>
#include <vector>

#include "common/WtmpTestFile.h"

// Points the main window at a generated login accounting log for the life of the object, so
// that a test never depends on the machine's own log; the live log again afterwards.
class TScopedFormHistory {
  public:
    explicit TScopedFormHistory(const std::vector<TWtmpEntry>& entries);
    ~TScopedFormHistory();
    TScopedFormHistory(const TScopedFormHistory&) = delete;
    TScopedFormHistory& operator=(const TScopedFormHistory&) = delete;

    // Replaces the log's contents; the next refresh reads them.
    void Rewrite(const std::vector<TWtmpEntry>& entries);
    const std::string& Path() const { return path_; }

  private:
    TTempDir dir_;
    std::string path_;
};

// A small history: two finished sessions, one with a user, and the running one.
std::vector<TWtmpEntry> SampleLog(bool withUser);
