#pragma once
// Collects the failed steps of one operation. When anything failed, the operation shows the
// summary instead of its closing success text.
#include <cstddef>
#include <string>
#include <vector>

#include "core/language.hpp"

namespace korvane {

class FailureLog {
  public:
    struct Entry {
        std::string path;
        std::string reason;
        bool playersFile = false; // changed since Korvane wrote it, and kept with its backup
    };

    void Add(const std::string& path, const std::string& reason, bool playersFile = false) {
        entries_.push_back({path, reason, playersFile});
    }
    void Add(const FailureLog& other) {
        entries_.insert(entries_.end(), other.entries_.begin(), other.entries_.end());
    }
    bool Empty() const { return entries_.empty(); }
    const std::vector<Entry>& Entries() const { return entries_; }

    // "Finished with errors ..." naming each failed file and its reason (the first ten, then
    // a count of the rest). German unless the language is English, so that no failure goes unseen.
    std::string Summary(Language language) const;

  private:
    std::vector<Entry> entries_;
};

} // namespace korvane
