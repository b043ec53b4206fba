// The whole-text scans against byte loops: every length around the vector
// widths, the byte that ends a run at every place, and the bytes on either
// side of the printable range.
#include "textmodel/ByteScan.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <string>

namespace tagloom {
namespace {

std::size_t printablePrefixByLoop(const std::string& bytes) {
    std::size_t i = 0;
    while (i < bytes.size() && bytes[i] >= 0x20 && bytes[i] <= 0x7E) ++i;
    return i;
}

TEST(ByteScan, aPrintableRunEndsAtTheFirstOtherByteOrAtTheEndAndNeverReadsPastIt) {
    const char stoppers[] = {'\0', '\t', '\x1F', '\x7F', '\x80', '\xC3', '\xFF'};
    for (std::size_t length = 0; length <= 40; ++length) {
        for (std::size_t at = 0; at <= length; ++at) {
            for (const char stopper : stoppers) {
                std::string bytes(length, ' ');
                for (std::size_t i = 0; i < length; ++i) bytes[i] = i % 2 ? '~' : ' ';
                if (at < length) bytes[at] = stopper;
                // A copy of exactly its size, so that a read past the end would show under ASan.
                const auto exact = std::make_unique<char[]>(length + 1);
                bytes.copy(exact.get(), length);
                EXPECT_EQ(bytescan::printablePrefix(exact.get(), length), printablePrefixByLoop(bytes))
                    << "length " << length << " at " << at << " byte " << int(static_cast<unsigned char>(stopper));
            }
        }
    }
}

TEST(ByteScan, theFirstHighByteIsFoundAtEveryPlaceAcrossAWholeStretch) {
    for (const std::size_t length : {0u, 1u, 7u, 8u, 9u, 17u, 255u, 256u, 257u, 600u}) {
        for (std::size_t at = 0; at <= length; ++at) {
            std::string bytes(length, 'a');
            if (at < length) bytes[at] = '\x80';
            if (at + 1 < length) bytes[at + 1] = '\xFF';
            const auto exact = std::make_unique<char[]>(length + 1);
            bytes.copy(exact.get(), length);
            EXPECT_EQ(bytescan::firstHighByte(exact.get(), length), at) << "length " << length;
        }
    }
}

TEST(ByteScan, twoBytesCountedInOnePassAsEachAlone) {
    std::mt19937 random(5);
    for (const std::size_t size : {0u, 1u, 255u, 256u, 257u, 1000u, 70000u}) {
        std::string bytes(size, 'a');
        for (char& c : bytes) c = "\r\n\r\nab\xFF"[random() % 7];
        const bytescan::TwoCounts counts = bytescan::countBytes(bytes.data(), bytes.size(), '\n', '\r');
        EXPECT_EQ(counts.a, static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n'))) << size;
        EXPECT_EQ(counts.b, static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\r'))) << size;
    }
}

}  // namespace
}  // namespace tagloom
