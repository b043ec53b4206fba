#pragma once
// A long sequence of small items (line lengths, text pieces, display line
// counts) cut into blocks of at most kMaxBlock items. Each item has a few
// non-negative integer weights (bytes, display lines, ...); Fenwick trees over
// the blocks' weight sums make every lookup by index or by running weight, and
// every insertion or removal, cost O(log blocks + block size) whatever the
// sequence's length.
//
// Traits must give: static constexpr int kWeights; and
// static std::array<int, kWeights> weights(const Item&).
#include <algorithm>
#include <array>
#include <cassert>
#include <span>
#include <utility>
#include <vector>

namespace tagloom {

template <class Item, class Traits>
class TextBlocks {
public:
    static constexpr int kWeights = Traits::kWeights;
    using Weights = std::array<int, kWeights>;

    // An item found by index or by running weight, with the weight sums of
    // all the items before it.
    struct Found {
        int index = 0;
        Weights before{};
        const Item* item = nullptr;   // none when index is size()
    };

    TextBlocks() { assign({}); }

    int size() const { return totalCount_; }
    const Weights& total() const { return total_; }

    const Item& operator[](int index) const {
        auto [block, local] = locateIndex(index);
        return blocks_[block].items[local];
    }

    // Sums of the weights of items [0, index).
    Weights prefix(int index) const {
        assert(index >= 0 && index <= totalCount_);
        if (index == totalCount_) return total_;
        return itemAt(index).before;
    }

    // An item with the weight sums of the items before it.
    struct Placed {
        const Item& item;
        Weights before;
    };
    Placed itemAt(int index) const {
        auto [block, local] = locateIndex(index);
        Weights sums = blockPrefix(block);
        const std::vector<Item>& items = blocks_[block].items;
        for (int i = 0; i < local; ++i) addTo(sums, Traits::weights(items[i]));
        return Placed{items[local], sums};
    }

    // The item whose span of weight w holds `value`: before[w] <= value <
    // before[w] + its weight. When no item reaches that far, index is size().
    Found find(int w, int value) const {
        assert(w >= 0 && w < kWeights);
        auto [block, rest] = descend(w, value);
        if (block == blockCount()) return Found{totalCount_, total_};
        Found found{countPrefix(block), blockPrefix(block), nullptr};
        for (const Item& item : blocks_[block].items) {
            Weights weights = Traits::weights(item);
            if (rest < weights[w]) {
                found.item = &item;
                return found;
            }
            rest -= weights[w];
            addTo(found.before, weights);
            ++found.index;
        }
        assert(false && "block sums out of step with its items");
        return found;
    }

    // Replaces the whole sequence.
    void assign(std::span<const Item> items) {
        build([items](auto&& push) {
            for (const Item& item : items) push(item);
        });
    }

    // Replaces the whole sequence by the items fill(push) hands to push one
    // by one, gathered straight into blocks: no second copy of them is held.
    template <class Fill>
    void build(Fill&& fill) {
        blocks_.clear();
        constexpr std::size_t capacity = kMaxBlock * 3 / 4;
        std::vector<Item> items;
        items.reserve(capacity);
        fill([&](const Item& item) {
            items.push_back(item);
            if (items.size() < capacity) return;
            blocks_.push_back(makeBlock(std::move(items)));
            items = std::vector<Item>();
            items.reserve(capacity);
        });
        if (!items.empty() || blocks_.empty()) blocks_.push_back(makeBlock(std::move(items)));
        rebuildTrees();
    }

    void insert(int index, std::span<const Item> items) {
        assert(index >= 0 && index <= totalCount_);
        if (items.empty()) return;
        auto [block, local] = index == totalCount_ ? endPosition() : locateIndex(index);
        Block& target = blocks_[block];
        target.items.insert(target.items.begin() + local, items.begin(), items.end());
        Weights added{};
        for (const Item& item : items) addTo(added, Traits::weights(item));
        adjustBlock(block, added, static_cast<int>(items.size()));
        if (target.items.size() > kMaxBlock) splitBlock(block);
    }

    void insert(int index, const Item& item) { insert(index, std::span<const Item>(&item, 1)); }

    void erase(int index, int count) {
        assert(index >= 0 && count >= 0 && index + count <= totalCount_);
        if (count == 0) return;
        auto [first, local] = locateIndex(index);
        int block = first;
        for (int rest = count; rest > 0; ++block, local = 0) {
            Block& target = blocks_[block];
            int take = std::min<int>(rest, static_cast<int>(target.items.size()) - local);
            Weights removed{};
            for (int i = local; i < local + take; ++i) addTo(removed, Traits::weights(target.items[i]));
            negate(removed);
            target.items.erase(target.items.begin() + local, target.items.begin() + local + take);
            addTo(target.sums, removed);
            rest -= take;
            if (block == first) {
                addTo(total_, removed);
                for (int w = 0; w < kWeights; ++w) treeAdd(w, block, removed[w]);
                treeAdd(kCount, block, -take);
                totalCount_ -= take;
            }
        }
        int touchedEnd = block;
        if (touchedEnd == first + 1 && !(blocks_[first].items.empty() && blockCount() > 1) &&
            !mergeWithNext(first)) {
            return;
        }
        // Several blocks changed, or one emptied or merged: drop empty blocks
        // and rebuild the sums.
        auto emptyBegin = std::remove_if(blocks_.begin() + first, blocks_.begin() + touchedEnd,
                                         [](const Block& b) { return b.items.empty(); });
        blocks_.erase(emptyBegin, blocks_.begin() + touchedEnd);
        if (blocks_.empty()) blocks_.push_back(Block{});
        if (first < blockCount()) mergeWithNext(first);
        rebuildTrees();
    }

    void set(int index, const Item& item) {
        modify(index, index + 1, [&](Item& target) { target = item; });
    }

    // Calls f(Item&) on items [from, to) in order; weights follow the changes.
    template <class F>
    void modify(int from, int to, F&& f) {
        assert(from >= 0 && from <= to && to <= totalCount_);
        while (from < to) {
            auto [block, local] = locateIndex(from);
            std::vector<Item>& items = blocks_[block].items;
            int end = std::min<int>(static_cast<int>(items.size()), local + (to - from));
            Weights delta{};
            for (int i = local; i < end; ++i) {
                Weights before = Traits::weights(items[i]);
                f(items[i]);
                Weights after = Traits::weights(items[i]);
                for (int w = 0; w < kWeights; ++w) delta[w] += after[w] - before[w];
            }
            adjustBlock(block, delta, 0);
            from += end - local;
        }
    }

    // Calls f(index, const Item&) on items from `from` on, in order, while it
    // returns true.
    template <class F>
    void visit(int from, F&& f) const {
        if (from >= totalCount_) return;
        auto [block, local] = locateIndex(from);
        int index = from;
        for (; block < blockCount(); ++block, local = 0) {
            const std::vector<Item>& items = blocks_[block].items;
            for (int i = local; i < static_cast<int>(items.size()); ++i, ++index) {
                if (!f(index, items[i])) return;
            }
        }
    }

    // Steps through the items in order from an index.
    class Walker {
    public:
        Walker(const TextBlocks& blocks, int index) : blocks_(blocks) {
            if (index < blocks.size()) {
                auto [block, local] = blocks.locateIndex(index);
                block_ = block;
                local_ = local;
            } else {
                block_ = blocks.blockCount();
            }
        }
        bool done() const { return block_ >= blocks_.blockCount(); }
        const Item& item() const { return blocks_.blocks_[block_].items[local_]; }
        void advance() {
            if (++local_ >= static_cast<int>(blocks_.blocks_[block_].items.size())) {
                ++block_;
                local_ = 0;
            }
        }

    private:
        const TextBlocks& blocks_;
        int block_ = 0;
        int local_ = 0;
    };

    std::size_t memoryUsage() const {
        std::size_t bytes = blocks_.capacity() * sizeof(Block);
        for (const Block& block : blocks_) bytes += block.items.capacity() * sizeof(Item);
        for (const std::vector<int>& tree : trees_) bytes += tree.capacity() * sizeof(int);
        return bytes;
    }

private:
    static constexpr std::size_t kMaxBlock = 1024;
    // Index of the item count among the tree weights.
    static constexpr int kCount = kWeights;

    struct Block {
        std::vector<Item> items;
        Weights sums{};
    };

    static void addTo(Weights& sums, const Weights& add) {
        for (int w = 0; w < kWeights; ++w) sums[w] += add[w];
    }
    static void negate(Weights& sums) {
        for (int& s : sums) s = -s;
    }

    static Block makeBlock(std::vector<Item> items) {
        Block block{std::move(items), {}};
        for (const Item& item : block.items) addTo(block.sums, Traits::weights(item));
        return block;
    }

    int blockCount() const { return static_cast<int>(blocks_.size()); }

    int treeSum(int w, int blocks) const {
        int sum = 0;
        for (int i = blocks; i > 0; i -= i & -i) sum += trees_[w][i];
        return sum;
    }
    void treeAdd(int w, int block, int delta) {
        if (delta == 0) return;
        for (int i = block + 1; i <= blockCount(); i += i & -i) trees_[w][i] += delta;
    }

    Weights blockPrefix(int block) const {
        Weights sums{};
        for (int w = 0; w < kWeights; ++w) sums[w] = treeSum(w, block);
        return sums;
    }
    int countPrefix(int block) const { return treeSum(kCount, block); }

    // The first block whose running total of weight w passes value, and how
    // far into that block value lies; blockCount() when none passes.
    std::pair<int, int> descend(int w, int value) const {
        int block = 0;
        int rest = value;
        for (int step = highBit_; step > 0; step >>= 1) {
            int next = block + step;
            if (next <= blockCount() && trees_[w][next] <= rest) {
                block = next;
                rest -= trees_[w][next];
            }
        }
        return {block, rest};
    }

    std::pair<int, int> locateIndex(int index) const {
        assert(index >= 0 && index < totalCount_);
        return descend(kCount, index);
    }
    std::pair<int, int> endPosition() const {
        int last = blockCount() - 1;
        return {last, static_cast<int>(blocks_[last].items.size())};
    }

    void adjustBlock(int block, const Weights& delta, int countDelta) {
        addTo(blocks_[block].sums, delta);
        addTo(total_, delta);
        for (int w = 0; w < kWeights; ++w) treeAdd(w, block, delta[w]);
        treeAdd(kCount, block, countDelta);
        totalCount_ += countDelta;
    }

    void splitBlock(int block) {
        std::vector<Item> items = std::move(blocks_[block].items);
        constexpr std::size_t half = kMaxBlock / 2;
        std::vector<Block> parts;
        for (std::size_t at = 0; at < items.size(); at += half) {
            std::size_t n = std::min(half, items.size() - at);
            parts.push_back(makeBlock(std::vector<Item>(items.begin() + at, items.begin() + at + n)));
        }
        blocks_.erase(blocks_.begin() + block);
        blocks_.insert(blocks_.begin() + block, std::make_move_iterator(parts.begin()),
                       std::make_move_iterator(parts.end()));
        rebuildTrees();
    }

    // Folds a block that has shrunk to a sliver into its successor.
    bool mergeWithNext(int block) {
        if (block + 1 >= blockCount()) return false;
        std::vector<Item>& items = blocks_[block].items;
        std::vector<Item>& next = blocks_[block + 1].items;
        if (items.size() >= kMaxBlock / 16 || items.size() + next.size() > kMaxBlock) return false;
        items.insert(items.end(), next.begin(), next.end());
        addTo(blocks_[block].sums, blocks_[block + 1].sums);
        blocks_.erase(blocks_.begin() + block + 1);
        return true;
    }

    void rebuildTrees() {
        int n = blockCount();
        highBit_ = 1;
        while (highBit_ * 2 <= n) highBit_ *= 2;
        total_ = Weights{};
        totalCount_ = 0;
        for (int w = 0; w <= kWeights; ++w) trees_[w].assign(n + 1, 0);
        for (int b = 0; b < n; ++b) {
            const Block& block = blocks_[b];
            for (int w = 0; w < kWeights; ++w) trees_[w][b + 1] = block.sums[w];
            trees_[kCount][b + 1] = static_cast<int>(block.items.size());
            addTo(total_, block.sums);
            totalCount_ += static_cast<int>(block.items.size());
        }
        for (int w = 0; w <= kWeights; ++w) {
            for (int i = 1; i <= n; ++i) {
                int parent = i + (i & -i);
                if (parent <= n) trees_[w][parent] += trees_[w][i];
            }
        }
    }

    std::vector<Block> blocks_;
    std::array<std::vector<int>, kWeights + 1> trees_;
    Weights total_{};
    int totalCount_ = 0;
    int highBit_ = 1;
};

}  // namespace tagloom
