#include "platform/wtmpdb/WtmpdbEvents.h"

#include <algorithm>
#include <limits>
#include <span>
#include <tuple>

#include "eventlog/SafeText.h"

namespace {

bool InRange(std::int64_t micros) {
    return micros >= 0 && micros < kWtmpdbTimeLimit;
}

}  // namespace

std::uint32_t TWtmpdbEvents::TextIndex(std::string_view raw) {
    if (raw.empty()) return 0;
    // Names and kernel releases repeat over thousands of rows: each is made safe once.
    key_.assign(raw);
    auto [it, added] = textIndex_.try_emplace(key_, static_cast<std::uint32_t>(texts_.size()));
    if (added) texts_.push_back(SafeLogText(raw));
    return it->second;
}

void TWtmpdbEvents::Add(const TWtmpdbRow& row, std::uint32_t file) {
    if (!row.Login || !InRange(*row.Login)) {
        ++skipped_;
        return;
    }
    if (row.Type == kWtmpdbUserLogin) {
        events_.push_back({*row.Login, rows_++, file, TextIndex(row.User), ekUser, 0});
        return;
    }
    if (row.Type != kWtmpdbBoot) return;
    const std::uint32_t place = rows_++;
    events_.push_back({*row.Login, place, file, TextIndex(row.RemoteHost), ekBoot, 0});
    if (!row.Logout) return;  // still running, or it crashed
    if (InRange(*row.Logout) && *row.Logout >= *row.Login)
        shutdowns_.push_back({*row.Logout, place, file, 0, ekShutdown, 1});
    else
        ++skipped_;
}

void TWtmpdbEvents::Sort() {
    // Shutdowns come after the logins and boots written before them.
    const auto logins = static_cast<std::ptrdiff_t>(events_.size());
    events_.insert(events_.end(), shutdowns_.begin(), shutdowns_.end());
    shutdowns_ = {};
    // Rotated databases hold older rows whatever order they were named in.
    std::vector<std::int64_t> firstOf;
    for (const TStored& e : events_) {
        if (e.File >= firstOf.size())
            firstOf.resize(e.File + 1, std::numeric_limits<std::int64_t>::max());
        firstOf[e.File] = std::min(firstOf[e.File], e.Micros);
    }
    std::vector<std::uint32_t> files(firstOf.size());
    for (std::uint32_t i = 0; i < files.size(); ++i) files[i] = i;
    std::stable_sort(files.begin(), files.end(),
                     [&](std::uint32_t a, std::uint32_t b) { return firstOf[a] < firstOf[b]; });
    std::vector<std::uint32_t> rank(files.size());
    for (std::uint32_t i = 0; i < files.size(); ++i) rank[files[i]] = i;
    for (TStored& e : events_) e.File = rank[e.File];
    auto earlier = [](const TStored& a, const TStored& b) {
        return std::tie(a.Micros, a.File, a.Row, a.Logout) <
               std::tie(b.Micros, b.File, b.Row, b.Logout);
    };
    // Rows are mostly written in time order: the logins and boots, and the shutdowns, are
    // each in order already, and merging them costs far less than sorting them.
    const auto mid = events_.begin() + logins;
    if (!std::is_sorted(events_.begin(), mid, earlier)) std::sort(events_.begin(), mid, earlier);
    if (!std::is_sorted(mid, events_.end(), earlier)) std::sort(mid, events_.end(), earlier);
    std::inplace_merge(events_.begin(), mid, events_.end(), earlier);
}

void TWtmpdbEvents::Clear() {
    events_ = {};
    shutdowns_ = {};
    rows_ = 0;
    texts_.assign(1, std::string());
    textIndex_ = {};
    skipped_ = 0;
}

void TWtmpdbEvents::Get(std::size_t index, TLogEvent& event) const {
    const TStored& e = events_[index];
    event.Kind = e.Kind;
    event.Utc = e.Micros / kMicrosPerSecond;
    event.Order = index + 1;
    const std::string& text = texts_[e.Text];
    event.User.assign(e.Kind == ekUser ? text : texts_[0]);
    event.Detail.assign(e.Kind == ekBoot ? text : texts_[0]);
}
