#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "report/sha256.hpp"

using namespace korvane::lancheck;

// The Windows build hashes with CNG, the Linux build with OpenSSL: both must give the published
// digests, or two PCs with the same files would never compare as equal. Input added in pieces
// hashes as the whole.
TEST(Sha256, PublishedDigests) {
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{}, "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
        {{"abc"}, "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
        {{"abcdbcdecdefdefgefghfghighijhijkijkljk", "", "lmklmnlmnomnopnopq"},
         "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
    };
    for (const auto& [pieces, digest] : cases) {
        Sha256 hash;
        for (const std::string& piece : pieces) {
            hash.Add(piece);
        }
        EXPECT_EQ(hash.Hex(), digest) << testing::PrintToString(pieces);
    }
}
