#pragma once
// Fixed-capacity table of {item, used} slots with a count and a high-water mark.
//
// Walks run over slot indices 0 .. Mark()-1 and skip null items. Adding takes the
// lowest free slot. The table never grows.
//
// Ownership is explicit: an owning pool (SlotPool<T, PoolOwnership::Owning>)
// deletes its item on Remove; a non-owning pool (the physics lists, unit queries,
// markers) only forgets the pointer. Detach() takes an item out of either kind
// without deleting it.
#include <cstddef>
#include <cstdint>
#include <vector>

enum class PoolOwnership { Owning, Borrowing };

template <typename T, PoolOwnership Ownership = PoolOwnership::Owning>
class SlotPool {
public:
    explicit SlotPool(std::size_t capacity) : slots_(capacity) {}
    ~SlotPool() { Clear(); }

    SlotPool(const SlotPool&) = delete;
    SlotPool& operator=(const SlotPool&) = delete;

    // Stores the item in the lowest free slot. False (nothing changes) when full.
    bool Add(T* item) {
        for (std::size_t i = 0; i < slots_.size(); ++i) {
            if (!slots_[i].used) {
                slots_[i] = {item, true};
                ++count_;
                if (i + 1 > mark_) mark_ = i + 1;
                return true;
            }
        }
        return false;
    }

    // Index of the slot Add would take, or Capacity() when full.
    std::size_t FirstFree() const {
        for (std::size_t i = 0; i < slots_.size(); ++i)
            if (!slots_[i].used) return i;
        return slots_.size();
    }

    // Takes the lowest free slot without storing an item (keeps ids aligned with file positions).
    bool Reserve() { return Add(nullptr); }

    T* Get(std::size_t index) const { return index < slots_.size() ? slots_[index].item : nullptr; }
    bool IsUsed(std::size_t index) const { return index < slots_.size() && slots_[index].used; }

    // Clears a used slot, deleting its item when the pool owns it.
    void Remove(std::size_t index) {
        T* item = Detach(index);
        if constexpr (Ownership == PoolOwnership::Owning) delete item;
    }

    // Clears a used slot and hands back its item without deleting it.
    T* Detach(std::size_t index) {
        if (index >= slots_.size() || !slots_[index].used) return nullptr;
        T* item = slots_[index].item;
        slots_[index] = {nullptr, false};
        --count_;
        if (index + 1 == mark_) LowerMark(index);
        return item;
    }

    // Removes the first slot holding this exact pointer; an unknown pointer does nothing.
    bool RemoveItem(const T* item) {
        if (!item) return false;
        for (std::size_t i = 0; i < mark_; ++i) {
            if (slots_[i].item == item) { Remove(i); return true; }
        }
        return false;
    }

    // Removes every used slot (deleting items when owning); count and mark become 0.
    void Clear() {
        for (std::size_t i = 0; i < slots_.size(); ++i) {
            if (slots_[i].used) {
                if constexpr (Ownership == PoolOwnership::Owning) delete slots_[i].item;
                slots_[i] = {nullptr, false};
            }
        }
        count_ = 0;
        mark_ = 0;
    }

    std::size_t Capacity() const { return slots_.size(); }
    std::size_t Count() const { return count_; }
    std::size_t Mark() const { return mark_; }

    // Calls fn(item) for every non-null item below the mark taken at the start.
    template <typename Fn>
    void ForEach(Fn&& fn) const {
        const std::size_t mark = mark_;
        for (std::size_t i = 0; i < mark && i < slots_.size(); ++i)
            if (T* item = slots_[i].item) fn(item);
    }

private:
    struct Slot {
        T* item = nullptr;
        bool used = false;
    };

    void LowerMark(std::size_t removed) {
        std::size_t i = removed;
        while (i > 0 && !slots_[i - 1].used) --i;
        mark_ = i;
    }

    std::vector<Slot> slots_;
    std::size_t count_ = 0;
    std::size_t mark_ = 0;
};
