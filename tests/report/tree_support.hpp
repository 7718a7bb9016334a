#pragma once
// What the tests of the digest tree share: a scan without the cache, and a difference's kind in
// words.
#include <gtest/gtest.h>

#include <filesystem>

#include "report/game_tree_compare.hpp"
#include "report/game_tree_scan.hpp"

namespace korvane::testing {

inline lancheck::TreeFolder ScanUncached(const std::filesystem::path& root) {
    lancheck::ScanOptions options;
    options.cacheFile = "";
    Result<lancheck::GameTreeScan> scan = lancheck::ScanGameTree(root.string(), options);
    EXPECT_TRUE(scan.ok()) << scan.reason();
    return scan.ok() ? std::move(scan.value().root) : lancheck::TreeFolder{};
}

inline const char* KindName(lancheck::TreeDifferenceKind kind) {
    switch (kind) {
    case lancheck::TreeDifferenceKind::OnlyHere:
        return "only here";
    case lancheck::TreeDifferenceKind::OnlyThere:
        return "only there";
    case lancheck::TreeDifferenceKind::Differs:
        return "differs";
    case lancheck::TreeDifferenceKind::NotCompared:
        return "not compared";
    }
    return "?";
}

} // namespace korvane::testing
