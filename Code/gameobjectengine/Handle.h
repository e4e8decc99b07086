#pragma once
// The one kind of reference to anything held across frames that can die first.
//
// Every GameObject and Component (and a combat unit's current cast) owns a Lifetime: a
// slot in one table of generations. When the Lifetime ends, its slot's generation moves
// on and the slot is free for the next Lifetime. A reference keeps the slot and the
// generation it was given, and reads null once the two differ: as soon as the thing is
// gone, and still after its slot was taken by something new.
//
// LifeRef is the untyped reference (is that life still going?); Handle<T> adds the
// pointer it hands out while the life goes on. The table lives on the main thread.
#include <cstddef>
#include <cstdint>

class LifeRef {
public:
    // Names no life: never alive.
    LifeRef() = default;

    // The life it was taken from has not ended.
    bool Alive() const;
    // Taken from no life at all (default-built), as opposed to one that has ended.
    bool Empty() const { return slot_ == kNoSlot; }

    friend bool operator==(const LifeRef&, const LifeRef&) = default;

private:
    friend class Lifetime;
    static constexpr uint32_t kNoSlot = UINT32_MAX;
    LifeRef(uint32_t slot, uint32_t generation) : slot_(slot), generation_(generation) {}

    uint32_t slot_ = kNoSlot;
    uint32_t generation_ = 0;
};

// One life: takes a free slot when built, ends when destroyed. A copy (or a cloned
// object) lives a life of its own; assignment keeps the life it had.
class Lifetime {
public:
    Lifetime();
    ~Lifetime();
    Lifetime(const Lifetime&) : Lifetime() {}
    Lifetime& operator=(const Lifetime&) { return *this; }

    LifeRef Ref() const { return LifeRef(slot_, generation_); }
    // Ends this life and starts another: every reference taken so far reads null.
    void Renew();

private:
    void Begin();
    void End();

    uint32_t slot_ = LifeRef::kNoSlot;
    uint32_t generation_ = 0;
};

template <typename T>
class Handle {
public:
    Handle() = default;
    Handle(std::nullptr_t) {}
    // T must expose `const Lifetime& GetLifetime() const` (GameObject and Component do).
    Handle(T* target) : ptr_(target), life_(target ? target->GetLifetime().Ref() : LifeRef()) {}

    T* Get() const { return life_.Alive() ? ptr_ : nullptr; }
    T* operator->() const { return Get(); }
    explicit operator bool() const { return Get() != nullptr; }
    void Reset() { *this = Handle(); }

    // True when the handle names this very object (null names null): a handle of something
    // gone never names a newcomer that took its address.
    bool Refers(const T* target) const {
        if (!target) return ptr_ == nullptr;
        return ptr_ == target && life_ == target->GetLifetime().Ref();
    }

private:
    T* ptr_ = nullptr;
    LifeRef life_;
};
