#pragma once
// The occurrences of a literal text in one file, for Find in Files. The file
// is read block by block into one buffer that is allocated once, so a file of
// any size is searched in a fixed amount of memory; the last bytes of a block
// are carried over to the next, so an occurrence across a block's edge is
// found and the offsets are those of a search of the whole file at once.
//
// What counts: every occurrence, overlapping ones too, before the file's
// first NUL byte (the searchable text ends there). Without match case ASCII
// letters compare in either case; every other byte compares as itself. With
// whole word, an occurrence needs a byte that is no word character, or the
// end of the searchable text, on either side.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace tagloom {

class OccurrenceScanner {
public:
    static constexpr std::size_t kDefaultBlockSize = std::size_t{1} << 20;

    // `findText` not empty; `blockSize` (at least 1) is how many bytes each read asks for.
    OccurrenceScanner(std::string_view findText, bool matchCase, bool wholeWord,
                      std::size_t blockSize = kDefaultBlockSize);

    enum class Status { Done, Cancelled, Failed };
    struct Outcome {
        Status status = Status::Done;
        int error = 0;  // errno of the read that failed
    };

    // Reads the open file `fd` up to `size` bytes (its size when it was
    // opened; fewer when it ends sooner) and appends the offset of each
    // occurrence that counts to `offsets`, in decimal and followed by one
    // space. `cancelled` is asked before every block.
    Outcome scan(int fd, std::uint64_t size, std::string& offsets, const std::function<bool()>& cancelled);

private:
    struct Block;
    void scanBlock(const Block& block, std::size_t from, std::size_t last, std::string& offsets) const;
    bool matchesAt(const unsigned char* at) const;
    bool countsAt(const Block& block, std::size_t at) const;

    std::string what_;  // folded to small letters without match case
    bool matchCase_;
    bool wholeWord_;
    std::size_t capacity_;
    std::unique_ptr<unsigned char[]> buffer_;
};

}  // namespace tagloom
