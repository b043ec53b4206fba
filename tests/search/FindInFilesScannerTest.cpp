// The block-by-block search of one file: whatever the block size, the
// offsets are those of the whole file searched at once.
#include "search/OccurrenceScanner.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cerrno>
#include <random>
#include <string>

#include "textmodel/AsciiText.h"

namespace tagloom {
namespace {

// A file in memory holding `bytes`, read from its start.
class MemoryFile {
public:
    explicit MemoryFile(const std::string& bytes) : fd_(::memfd_create("scanned", MFD_CLOEXEC)) {
        EXPECT_GE(fd_, 0);
        EXPECT_EQ(::write(fd_, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    }
    ~MemoryFile() { ::close(fd_); }
    MemoryFile(const MemoryFile&) = delete;
    MemoryFile& operator=(const MemoryFile&) = delete;
    int rewound() const {
        ::lseek(fd_, 0, SEEK_SET);
        return fd_;
    }

private:
    int fd_;
};

std::string scanned(OccurrenceScanner& scanner, const std::string& bytes, std::uint64_t size) {
    const MemoryFile file(bytes);
    std::string offsets;
    const auto outcome = scanner.scan(file.rewound(), size, offsets, nullptr);
    EXPECT_EQ(outcome.status, OccurrenceScanner::Status::Done);
    return offsets;
}

// Every start tried on the whole text at once, up to its first NUL.
std::string offsetsInWholeText(std::string text, const std::string& what, bool matchCase, bool wholeWord) {
    text = text.substr(0, text.find('\0'));
    std::string offsets;
    for (std::size_t at = 0; at + what.size() <= text.size(); ++at) {
        const std::string_view here(text.data() + at, what.size());
        if (matchCase ? here != what : !equalsIgnoringAsciiCase(here, what)) continue;
        const std::size_t after = at + what.size();
        if (wholeWord && ((at > 0 && isWordChar(text[at - 1])) || (after < text.size() && isWordChar(text[after]))))
            continue;
        offsets += std::to_string(at) + " ";
    }
    return offsets;
}

TEST(OccurrenceScanner, findsTheSameOffsetsWhateverTheBlockSize) {
    std::mt19937 random(17);
    const std::string alphabet = std::string("aAab _.x\0", 9);
    const std::string finds[] = {"a", "aa", "aAa", "ab", "a a", "ba_", "x.x.x"};
    std::uniform_int_distribution<std::size_t> letter(0, alphabet.size() - 2), rare(0, 199), length(0, 300);
    for (int round = 0; round < 60; ++round) {
        std::string text(length(random), ' ');
        for (char& c : text) c = rare(random) == 0 ? '\0' : alphabet[letter(random)];
        for (const std::string& find : finds)
            for (const bool matchCase : {false, true})
                for (const bool wholeWord : {false, true}) {
                    const std::string expected = offsetsInWholeText(text, find, matchCase, wholeWord);
                    for (const std::size_t block : {1, 2, 3, 5, 8, 13, 64, 1 << 20}) {
                        OccurrenceScanner scanner(find, matchCase, wholeWord, block);
                        ASSERT_EQ(scanned(scanner, text, text.size()), expected)
                            << "find \"" << find << "\" case " << matchCase << " word " << wholeWord << " block "
                            << block << " in \"" << text << "\"";
                    }
                }
    }
}

TEST(OccurrenceScanner, readsTheFileUpToTheSizeItHadWhenItWasOpened) {
    struct Case {
        const char* name;
        std::uint64_t size;
        std::string offsets;
    };
    const std::string bytes = "ab ab ab";
    const Case cases[] = {
        {"the whole file", 8, "0 3 6 "},
        {"a file that grew since: the bytes beyond are not read", 5, "0 3 "},
        {"an occurrence cut by the size", 4, "0 "},
        {"a file that shrank since: what is there", 100, "0 3 6 "},
        {"a file that was empty", 0, ""},
    };
    for (const Case& c : cases) {
        OccurrenceScanner scanner("ab", true, true, 2);
        EXPECT_EQ(scanned(scanner, bytes, c.size), c.offsets) << c.name;
    }
}

TEST(OccurrenceScanner, asksBeforeEveryBlockWhetherToGoOn) {
    const MemoryFile file(std::string(100, 'x'));
    OccurrenceScanner scanner("x", true, false, 10);
    int asked = 0;
    std::string offsets;
    const auto outcome = scanner.scan(file.rewound(), 100, offsets, [&asked] { return ++asked > 1; });
    EXPECT_EQ(outcome.status, OccurrenceScanner::Status::Cancelled);
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(offsets.substr(0, 4), "0 1 ");
    EXPECT_LT(offsets.size(), std::string("0 1 2 3 4 5 6 7 8 9 10 11 12 ").size()) << "one block only";
}

TEST(OccurrenceScanner, reportsAReadThatFails) {
    const int folder = ::open("/", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    ASSERT_GE(folder, 0);
    OccurrenceScanner scanner("x", true, false);
    std::string offsets;
    const auto outcome = scanner.scan(folder, 4096, offsets, nullptr);
    ::close(folder);
    EXPECT_EQ(outcome.status, OccurrenceScanner::Status::Failed);
    EXPECT_EQ(outcome.error, EISDIR);
}

}  // namespace
}  // namespace tagloom
