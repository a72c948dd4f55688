#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/UnitFormVigil.h"
#include "common/WtmpTestFile.h"
#include "framework/Application.h"
#include "platform/headless/HeadlessHost.h"

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

// The main window on a generated log, on a headless host: the fixture of the window's tests.
class FormOnHistory : public ::testing::Test {
  protected:
    explicit FormOnHistory(bool withUser = true) : history(SampleLog(withUser)) {}

    // Makes the main window; it is not shown yet.
    void MakeWindow() {
        app.CreateForm(FormVigil);
        form = FormVigil;
    }
    THeadlessWindow& W() { return *static_cast<THeadlessWindow*>(form->HostWindow()); }

    TScopedFormHistory history;
    THeadlessHost host;
    TApplication app{host};
    TFormVigil* form = nullptr;
};
